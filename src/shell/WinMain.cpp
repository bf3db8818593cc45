// Process entry of the Windows program.
#include "Startup.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR cmdLine, int nCmdShow)
{
    return runProgram(hInstance, cmdLine, nCmdShow);
}
