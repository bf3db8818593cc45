// A libads.dll without the libads_show entry: the program must treat it as no advertisement.
#include <windows.h>

extern "C" __declspec(dllexport) int __cdecl libads_other(void) { return 2; }
