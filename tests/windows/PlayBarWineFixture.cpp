#include "PlayBarWineFixture.h"


// The process-wide record, for a program that runs the bar without the shell.
AppContext& appContext()
{
    static AppContext context;
    return context;
}

namespace playbar_wine {

// What the parent (standing in for the main window) received.
std::vector<std::pair<UINT, WPARAM>> received;

LRESULT CALLBACK parentProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND || (msg == WM_SIZE && wParam == 0 && lParam == 0))
        received.push_back({msg, wParam});
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

GdiplusOn* PlayBarTest::gdiplus = nullptr;
HWND PlayBarTest::parent = nullptr;

} // namespace playbar_wine
