#include "ShellView.h"

#include "AppContext.h"
#include "ShellMessages.h"
#include "logic/Product.h"

#include "playback/PlayLogic.h"
#include "ui/PlayWnd.h"
#include "ui/playbar/PlayBar.h"

#include <vlc/libvlc_events.h>

void ShellView::deliverEvent(int eventType)
{
    const bool isTime = eventType == libvlc_MediaPlayerTimeChanged;
    if (isTime && timePosted.exchange(true))
        return;
    if (!PostMessageW(appContext().hMainWnd, WM_SHELL_ENGINE_EVENT, WPARAM(eventType), 0) && isTime)
        timePosted.store(false);    // no main window (any more): nothing to update
}

void ShellView::applyEvent(int eventType)
{
    if (eventType == libvlc_MediaPlayerTimeChanged)
        timePosted.store(false);
    if (PlayLogic* logic = appContext().playLogic)
        logic->applyEvent(eventType);
}

NativeWindow ShellView::mainWindow() const { return appContext().hMainWnd; }

bool ShellView::openVideo(PlayerKind kind)
{
    AppContext& ctx = appContext();
    return ctx.playWnd && ctx.playWnd->open(kind, ctx.hInstance);
}

NativeWindow ShellView::videoSurface() const { return PlayWnd::videoSurface(); }

bool ShellView::isVideoSurfaceHidden() const { return PlayWnd::isVideoSurfaceHidden(); }

void ShellView::showVideo(bool show) { PlayWnd::showVideo(show); }

void ShellView::updateButtons()
{
    if (PlayBar* bar = appContext().playBar)
        bar->updateButtons();
}

void ShellView::updateTime()
{
    if (PlayBar* bar = appContext().playBar)
        bar->updateTime();
}

void ShellView::updateVolume()
{
    if (PlayBar* bar = appContext().playBar)
        bar->updateVolume();
}

void ShellView::resetAfterStop()
{
    if (PlayBar* bar = appContext().playBar)
        bar->resetAfterStop();
}

void ShellView::reportUnplayable(const std::wstring&)
{
    // Shown when the main window gets to it, not from inside the timer tick that found it.
    PostMessageW(appContext().hMainWnd, WM_SHELL_UNPLAYABLE, 0, 0);
}

void ShellView::applyUnplayable()
{
    MessageBoxW(appContext().hMainWnd, product::kCouldNotLoad, product::kDisplayName, MB_ICONERROR);
}
