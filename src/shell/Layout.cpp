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

// Full screen is not there yet: the window stays windowed and the commands change nothing.
void enterFullScreen() {}

void leaveFullScreen() {}
