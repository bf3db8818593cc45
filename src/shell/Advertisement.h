// The advertisement shown when the main window is asked to close.
#pragma once

#include <windows.h>

#include <string>

// What showAdvertisement returns when there is no library or no entry: go on closing.
constexpr int kAdvertisementMissing = -1;
// The library's answer that keeps the program open.
constexpr int kAdvertisementKeepOpen = 2;

// The folder of the running program, ending with a backslash.
std::wstring programFolder();

// Calls libads_show of folder\libads.dll with the owner, the display name and the page.
// The library is loaded by its full path only, never searched for by name.
int callAdvertisement(const std::wstring& folder, HWND owner);

// callAdvertisement from the program's own folder.
int showAdvertisement(HWND owner);
