#include "QtPlaybackView.h"

#include "MainWindow.h"
#include "PlayBarWidget.h"
#include "VideoWidget.h"

#include "playback/PlayLogic.h"

#include <QMetaObject>
#include <QPointer>

#include <vlc/vlc.h>

namespace qtfront {

QtPlaybackView::QtPlaybackView(MainWindow& main) : main(main) {}

void QtPlaybackView::deliverEvent(int eventType)
{
    const bool timeChange = eventType == libvlc_MediaPlayerTimeChanged;
    if (timeChange && timePending.exchange(true))
        return;
    // Queued, never waited for. A call still queued when the window goes is dropped with it.
    QMetaObject::invokeMethod(&main, [this, eventType, timeChange] {
        if (timeChange)
            timePending.store(false);
        main.applyEngineEvent(eventType);
    }, Qt::QueuedConnection);
}

NativeWindow QtPlaybackView::mainWindow() const
{
    return reinterpret_cast<NativeWindow>(static_cast<uintptr_t>(main.nativeId()));
}

bool QtPlaybackView::openVideo(PlayerKind kind)
{
    VideoWidget* video = main.videoWidget();
    return video && video->open(kind);
}

NativeWindow QtPlaybackView::videoSurface() const
{
    VideoWidget* video = main.videoWidget();
    return video ? video->surfaceWindow() : nullptr;
}

bool QtPlaybackView::isVideoSurfaceHidden() const
{
    VideoWidget* video = main.videoWidget();
    return video && video->isSurfaceHidden();
}

void QtPlaybackView::showVideo(bool show)
{
    if (VideoWidget* video = main.videoWidget())
        video->showVideo(show);
}

void QtPlaybackView::updateButtons()
{
    if (PlayBarWidget* bar = main.playBar())
        bar->updateButtons();
}

void QtPlaybackView::updateTime()
{
    if (PlayBarWidget* bar = main.playBar())
        bar->updateTime();
}

void QtPlaybackView::updateVolume()
{
    if (PlayBarWidget* bar = main.playBar())
        bar->updateVolume();
}

void QtPlaybackView::resetAfterStop()
{
    if (PlayBarWidget* bar = main.playBar())
        bar->resetAfterStop();
}

void QtPlaybackView::reportUnplayable(const std::wstring&)
{
    main.reportUnplayable();
}

} // namespace qtfront
