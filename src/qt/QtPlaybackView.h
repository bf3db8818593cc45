// The play logic's way to the Qt widgets: the video area and the play bar.
//
// libvlc raises its events on threads of its own while this thread may be waiting for it
// (stop, pause). deliverEvent therefore only queues the event for the event loop and returns;
// the event is applied there. Everything else runs on the user-interface thread.
#pragma once

#include "playback/PlaybackView.h"

#include <atomic>

namespace qtfront {

class MainWindow;

class QtPlaybackView : public PlaybackView {
public:
    explicit QtPlaybackView(MainWindow& main);

    void deliverEvent(int eventType) override;

    NativeWindow mainWindow() const override;
    bool openVideo(PlayerKind kind) override;
    NativeWindow videoSurface() const override;
    bool isVideoSurfaceHidden() const override;
    void showVideo(bool show) override;
    void updateButtons() override;
    void updateTime() override;
    void updateVolume() override;
    void resetAfterStop() override;
    void reportUnplayable(const std::wstring& path) override;

private:
    MainWindow& main;
    // Time changes come many times a second: one queued at a time is enough, since applying
    // it reads the player's latest values.
    std::atomic<bool> timePending{false};
};

} // namespace qtfront
