// The advertisement library's one entry, called when the main window is asked to close.
// The program loads it at run time (libads.dll beside the exe; libads.so on Linux).
#pragma once

#ifdef _WIN32
#define LIBADS_CALL __cdecl
#else
#define LIBADS_CALL
#endif

// owner: the main window (HWND on Windows); title: the display name; page: the address of the
// advertisement page. Returns when it is done; 2 asks the program to stay open.
using LibadsShowFunction = int(LIBADS_CALL*)(void* owner, const wchar_t* title, const wchar_t* page);

constexpr const char* kLibadsShowName = "libads_show";
constexpr int kLibadsKeepOpen = 2;
