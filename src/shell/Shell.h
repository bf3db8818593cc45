// The application shell: the main window's life from creation to teardown.
#pragma once

#include <windows.h>

#include <string>

constexpr const wchar_t* kMainWindowClass = L"Player_WndClass";
constexpr UINT_PTR kMainTimerId = 100;
constexpr UINT kMainTimerPeriod = 260;

// Creates the main window and the objects, starts the timer, restores the placement and shows
// the window. False ends the program at once.
bool initInstance(HINSTANCE hInstance, int nCmdShow);
// The video window and the play bar.
bool createChildren();
LRESULT CALLBACK mainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Stops, checks, opens and starts a media file; tells the user when it cannot.
bool loadFile(const std::wstring& path);
// The current windowed placement into AppContext, when allowed.
void capturePlacement();
// The close request: advertisement first, then stop and teardown.
void onClose();
// Timer, video window, play bar, media player and play logic, in that order.
void destroyObjects();
// After the message loop: settings, application object, window toolkit, GDI+.
void exitInstance();
