// The main window: creation of the window and its objects, its life-cycle messages, opening a
// file, and the close path with its teardown.
#include "Shell.h"

#include "Advertisement.h"
#include "AppContext.h"
#include "Commands.h"
#include "HandOff.h"
#include "Layout.h"
#include "Settings.h"
#include "ShellMessages.h"
#include "ShellView.h"
#include "logic/Product.h"

#include "ui/playbar/PlayBar.h"
#include "ui/PlayWnd.h"
#include "ui/WindowToolkit.h"
#include "playback/PlayLogic.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <new>

namespace {

LRESULT onCreate(HWND hWnd)
{
    HICON icon = LoadIconW(appContext().hInstance, L"IDI_PLAYER");
    SendMessageW(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return 0;
}

LRESULT onTimer()
{
    AppContext& ctx = appContext();
    updateTitle();
    if (ctx.playWnd)
        ctx.playWnd->updateCursor();
    if (ctx.playLogic)
        ctx.playLogic->timerProc();
    if (ctx.playBar)
        ctx.playBar->autoHideTick();
    return 0;
}

LRESULT onSize(WPARAM sizeType)
{
    if (sizeType != SIZE_MINIMIZED)
        layoutWindows();
    capturePlacement();
    return 0;
}

LRESULT onMove()
{
    capturePlacement();
    return 0;
}

LRESULT onPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    fillBlack(dc);
    EndPaint(hWnd, &ps);
    return 0;
}

LRESULT onEraseBackground(HDC dc)
{
    fillBlack(dc);
    return 0;
}

LRESULT onCloseRequest()
{
    onClose();
    return 0;
}

LRESULT onDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT onDrop(WPARAM drop)
{
    onDropFiles(reinterpret_cast<HDROP>(drop));
    return 0;
}

LRESULT onPing() { return WM_PLAYER_PING; }

LRESULT onNewFileNotice()
{
    onNewFile();
    return 0;
}

// Requests posted to the main window (see ShellView).
LRESULT onEngineEvent(WPARAM eventType)
{
    if (ShellView* view = appContext().view)
        view->applyEvent(int(eventType));
    return 0;
}

LRESULT onPostedUnplayable()
{
    if (ShellView* view = appContext().view)
        view->applyUnplayable();
    return 0;
}

void showCouldNotLoad()
{
    MessageBoxW(appContext().hMainWnd, product::kCouldNotLoad, product::kDisplayName, MB_ICONERROR);
}

} // namespace

LRESULT CALLBACK mainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return onCreate(hWnd);
    case WM_TIMER: return onTimer();
    case WM_SIZE: return onSize(wParam);
    case WM_MOVE: return onMove();
    case WM_PAINT: return onPaint(hWnd);
    case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE: return onCloseRequest();
    case WM_DESTROY: return onDestroy();
    case WM_COMMAND: return onCommand(hWnd, wParam, lParam);
    case WM_DROPFILES: return onDrop(wParam);
    case WM_PLAYER_PING: return onPing();
    case WM_PLAYER_NEWFILE: return onNewFileNotice();
    case WM_SHELL_ENGINE_EVENT: return onEngineEvent(wParam);
    case WM_SHELL_UNPLAYABLE: return onPostedUnplayable();
    default: return DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

bool initInstance(HINSTANCE hInstance, int nCmdShow)
{
    AppContext& ctx = appContext();

    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    InitCommonControlsEx(&icc);
    ctx.hInstance = hInstance;
    initWindowToolkit(hInstance);

    // Its real size comes with the first layout.
    ctx.hMainWnd = CreateWindowExW(0, kMainWindowClass, product::kTitleAtCreation, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                                   nullptr, nullptr, hInstance, nullptr);
    if (!ctx.hMainWnd)
        return false;

    ctx.view = new (std::nothrow) ShellView();
    if (!ctx.view)
        return false;
    ctx.playLogic = new (std::nothrow) PlayLogic(*ctx.view);
    if (!ctx.playLogic)
        return false;
    PlayLogic::setActive(ctx.playLogic);
    if (!createChildren())
        return false;
    ctx.playBar->updateVolume();

    ctx.timerId = SetTimer(ctx.hMainWnd, kMainTimerId, kMainTimerPeriod, nullptr);

    if (ctx.placementValid) {
        SetWindowPlacement(ctx.hMainWnd, &ctx.placement);
        // The show command below would undo a maximised placement; this comes after it.
        if (ctx.placement.showCmd == SW_SHOWMAXIMIZED)
            PostMessageW(ctx.hMainWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
    ShowWindow(ctx.hMainWnd, nCmdShow);
    UpdateWindow(ctx.hMainWnd);
    ctx.playBar->updateButtons();

    ctx.layoutReady = TRUE;
    layoutWindows();
    return true;
}

bool createChildren()
{
    AppContext& ctx = appContext();
    ctx.playWnd = PlayWnd::instance();
    if (!ctx.playWnd)
        return false;
    if (!ctx.playWnd->create(ctx.hInstance, ctx.hMainWnd))
        return false;
    ctx.playWnd->init();
    ctx.playBar = PlayBar::instance();
    if (!ctx.playBar)
        return false;
    if (!ctx.playBar->create(ctx.hInstance, ctx.hMainWnd))
        return false;
    return ctx.playBar->initTooltipsAndFont();
}

bool loadFile(const std::wstring& path)
{
    AppContext& ctx = appContext();
    PlayLogic* logic = ctx.playLogic;
    if (!logic)
        return false;
    logic->stop();
    if (!path.empty() && logic->playList.isSupported(path) && logic->open(path)) {
        logic->play();
        logic->playList.build(path);
        return true;
    }
    showCouldNotLoad();
    return false;
}

void capturePlacement()
{
    AppContext& ctx = appContext();
    if (ctx.fullScreen || !ctx.layoutReady)
        return;
    ctx.placement.length = sizeof(WINDOWPLACEMENT);
    ctx.placementValid = GetWindowPlacement(ctx.hMainWnd, &ctx.placement);
}

void onClose()
{
    AppContext& ctx = appContext();
    // The advertisement may run a message loop of its own; a close request arriving meanwhile
    // (a second click on the close box) must not start a second close inside the first.
    if (ctx.closing)
        return;
    ctx.closing = TRUE;
    if (showAdvertisement(ctx.hMainWnd) == kAdvertisementKeepOpen) {
        ctx.closing = FALSE;
        return;
    }
    capturePlacement();
    ShowWindow(ctx.hMainWnd, SW_HIDE);
    if (ctx.playLogic)
        ctx.playLogic->stop();
    destroyObjects();
    DestroyWindow(ctx.hMainWnd);
}

void destroyObjects()
{
    AppContext& ctx = appContext();
    KillTimer(ctx.hMainWnd, ctx.timerId);
    if (ctx.playWnd) {
        ctx.playWnd->destroyWindows();
        ctx.playWnd = nullptr;
    }
    PlayWnd::releaseInstance();
    if (ctx.playBar) {
        ctx.playBar->destroyWindows();
        ctx.playBar = nullptr;
    }
    PlayBar::releaseInstance();
    if (ctx.playLogic) {
        if (ctx.playLogic->player.load())
            ctx.playLogic->destroyMediaPlayer();
        PlayLogic::setActive(nullptr);
        delete ctx.playLogic;
        ctx.playLogic = nullptr;
    }
    delete ctx.view;
    ctx.view = nullptr;
}

void exitInstance()
{
    AppContext& ctx = appContext();
    saveSettings();
    delete ctx.app;
    ctx.app = nullptr;
    exitWindowToolkit(ctx.hInstance);
    if (ctx.gdiplusToken)
        Gdiplus::GdiplusShutdown(ctx.gdiplusToken);
    ctx.gdiplusToken = 0;
}
