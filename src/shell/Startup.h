// The program's start-up, message loop and shutdown, as the entry point runs them.
#pragma once

#include <windows.h>

// Runs the program with the text after its name and the show command it was given; returns
// the process's exit code.
int runProgram(HINSTANCE hInstance, const wchar_t* cmdLine, int nCmdShow);
