// Shows the video window alone in a main window of client size 672 x 420, for a look or a
// screenshot. Arguments: the seconds to stay open (default 20); "surface" also prepares and
// shows a video surface, as while a video plays.
#include "UiTestSupport.h"
#include "shell/AppContext.h"
#include "ui/PlayWnd.h"
#include "ui/WindowToolkit.h"

#include <cwchar>

namespace {

LRESULT CALLBACK showMainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (PlayWnd* pw = appContext().playWnd)
            MoveWindow(pw->hWnd, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_TIMER: DestroyWindow(h); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    int seconds = 20;
    bool surface = false;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(commandLine, &argc)) {
        for (int i = 0; i < argc; ++i) {
            if (std::wcscmp(argv[i], L"surface") == 0)
                surface = true;
            else if (int n = _wtoi(argv[i]); n > 0)
                seconds = n;
        }
        LocalFree(argv);
    }

    GdiplusSession gdiplus;
    AppContext& ctx = appContext();
    ctx.hInstance = instance;
    initWindowToolkit(instance);
    registerWindowClass(0, L"VideoWindowShow", instance, showMainProc);
    ctx.hMainWnd = CreateWindowExW(0, L"VideoWindowShow", L"Video window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                   nullptr, nullptr, instance, nullptr);
    if (!ctx.hMainWnd)
        return 1;
    QuietPlaybackView view;
    ctx.playLogic = new PlayLogic(view);
    PlayWnd* pw = PlayWnd::instance();
    ctx.playWnd = pw;
    if (!pw->create(instance, ctx.hMainWnd) || !pw->init())
        return 1;
    setClientSize(ctx.hMainWnd, 672, 420);
    centerWindow(ctx.hMainWnd);
    ShowWindow(pw->hWnd, SW_SHOW);
    if (surface && pw->open(PlayerKind::Vlc, instance))
        PlayWnd::showVideo(true);
    ShowWindow(ctx.hMainWnd, SW_SHOW);
    UpdateWindow(ctx.hMainWnd);
    SetTimer(ctx.hMainWnd, 1, static_cast<UINT>(seconds) * 1000, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    pw->destroyWindows();
    ctx.playWnd = nullptr;
    PlayWnd::releaseInstance();
    delete ctx.playLogic;
    ctx.playLogic = nullptr;
    exitWindowToolkit(instance);
    return 0;
}
