#include "Layout.h"

#include "AppContext.h"
#include "logic/MainLayout.h"

#include "ui/playbar/PlayBar.h"
#include "ui/PlayWnd.h"
#include "ui/WindowToolkit.h"

namespace {

HWND barWindow()
{
    PlayBar* bar = appContext().playBar;
    return (bar && bar->hWnd && IsWindow(bar->hWnd)) ? bar->hWnd : nullptr;
}

HWND videoDialog()
{
    PlayWnd* wnd = appContext().playWnd;
    return (wnd && wnd->hWnd && IsWindow(wnd->hWnd)) ? wnd->hWnd : nullptr;
}

int barHeight()
{
    PlayBar* bar = appContext().playBar;
    return bar ? bar->height() : 0;
}

layout::Size clientSize(HWND hWnd)
{
    RECT rc = {};
    if (!GetClientRect(hWnd, &rc))
        return {};
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void moveTo(HWND hWnd, const layout::Rect& r)
{
    if (hWnd)
        MoveWindow(hWnd, r.x, r.y, r.width, r.height, TRUE);
}

} // namespace

void layoutWindows()
{
    AppContext& ctx = appContext();
    if (!ctx.layoutReady)
        return;
    const HWND main = IsWindow(ctx.hMainWnd) ? ctx.hMainWnd : nullptr;
    // A minimised window's client area says nothing about its size: lay out on restore.
    if (main && IsIconic(main))
        return;

    const HWND bar = barWindow();
    const bool barVisible = bar && (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE);
    if (bar)
        ShowWindow(bar, SW_HIDE);
    const int reserved = layout::reservedBarHeight(barVisible, ctx.fullScreen, barHeight());

    if (!ctx.firstLayoutDone) {
        // Cleared first: the size change below lays out again from inside.
        ctx.firstLayoutDone = TRUE;
        if (!ctx.placementValid && main) {
            const layout::Size first = layout::firstClientSize(reserved);
            setClientSize(main, first.width, first.height);
            centerWindow(main);
        }
    }

    layout::Size client = main ? clientSize(main) : layout::Size{};
    if (main) {
        const layout::Size wanted = layout::minimumClientSize(client, reserved);
        if (wanted != client) {
            setClientSize(main, wanted.width, wanted.height);
            client = clientSize(main);
        }
    }

    const HWND video = videoDialog();
    moveTo(video, layout::videoRect(client, reserved));
    moveTo(bar, layout::barRect(client, barHeight()));
    if (video)
        ShowWindow(video, SW_SHOW);
    if (bar && (barVisible || !ctx.fullScreen))
        ShowWindow(bar, SW_SHOW);
    if (PlayBar* playBar = ctx.playBar) {
        if (ctx.fullScreen)
            playBar->startAutoHide();
        else
            playBar->stopAutoHide();
    }
}

namespace {

constexpr LONG kFrameStyle = WS_CAPTION | WS_THICKFRAME;

// Sets or clears the caption and the sizing frame; the other style bits stay. A style change
// alone keeps the old frame until the next size change, so the callers have the frame worked
// out again (SWP_FRAMECHANGED) in the same step.
void applyFrameStyle(HWND hWnd, bool framed)
{
    const LONG style = GetWindowLongW(hWnd, GWL_STYLE);
    SetWindowLongW(hWnd, GWL_STYLE, framed ? (style | kFrameStyle) : (style & ~kFrameStyle));
}

} // namespace

void enterFullScreen()
{
    AppContext& ctx = appContext();
    if (ctx.fullScreen)
        return;
    // The size and move messages of the switch neither lay out nor capture the placement.
    ctx.fullScreen = TRUE;
    ctx.layoutReady = FALSE;
    const HWND main = ctx.hMainWnd;
    if (IsWindow(main)) {
        // A maximised window is restored first; its placement was captured while maximised.
        ShowWindow(main, SW_SHOWNORMAL);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        applyFrameStyle(main, false);
        // The primary screen, at 0, 0; the window does not become topmost.
        SetWindowPos(main, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    ctx.layoutReady = TRUE;
    layoutWindows();
}

void leaveFullScreen()
{
    AppContext& ctx = appContext();
    if (!ctx.fullScreen)
        return;
    ctx.fullScreen = FALSE;
    ctx.layoutReady = FALSE;
    const HWND main = ctx.hMainWnd;
    if (IsWindow(main)) {
        applyFrameStyle(main, true);
        SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        // Back to the last windowed position, size and show state, maximised included.
        if (ctx.placementValid) {
            // A window to be maximised is maximised straight from full screen, and the placement
            // then only gives it its normal rectangle for later. Resized to the normal rectangle
            // first, the resize could reach the window system after the maximise and undo it.
            if (ctx.placement.showCmd == SW_SHOWMAXIMIZED)
                ShowWindow(main, SW_SHOWMAXIMIZED);
            SetWindowPlacement(main, &ctx.placement);
        }
    }
    ctx.layoutReady = TRUE;
    layoutWindows();
}
