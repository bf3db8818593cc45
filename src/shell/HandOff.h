// Handing a file to an instance that already runs: the running instance records its main
// window under HKEY_CURRENT_USER\Software\<display name>; a second start with a readable file
// pings that window, stores the path there and posts a notice, and ends.
#pragma once

#include <windows.h>

#include <string>

// How long a second start waits for the running instance to answer the ping. A window that
// does not answer in this time (its thread blocked, or not a player at all) counts as no
// running instance.
constexpr UINT kPingTimeoutMs = 3000;

// The second instance: true when a running instance took the file.
bool handOffFile(const wchar_t* displayName, const std::wstring& path);
// Every instance: records the main window for later second instances.
bool storeMainWindow(const wchar_t* displayName, HWND hMainWnd);
// The path a second instance stored, or an empty text when there is none that can be used.
std::wstring readNewFile(const wchar_t* displayName);
// The running instance, on WM_PLAYER_NEWFILE: opens the stored file and comes to the front.
void onNewFile();
