// Handing a file to an instance that already runs.
#pragma once

#include <windows.h>

#include <string>

// The second instance: true when a running instance took the file.
bool handOffFile(const wchar_t* displayName, const std::wstring& path);
// Every instance: records the main window for later second instances.
bool storeMainWindow(const wchar_t* displayName, HWND hMainWnd);
// The running instance, on WM_PLAYER_NEWFILE.
void onNewFile();
