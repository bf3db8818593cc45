// The play logic's way to the Win32 windows: the video window and the play bar.
//
// The engine raises its events on threads of its own while the user-interface thread may be
// waiting for it (stop, pause). An event is therefore only posted to the main window and
// applied there by the play logic; nothing here waits for the user-interface thread. Time
// changes, which come many times a second, travel as one message at a time.
// Everything else is called on the user-interface thread.
#pragma once

#include "playback/PlaybackView.h"

#include <windows.h>

#include <atomic>

class ShellView : public PlaybackView {
public:
    // --- the engine's event thread ---
    void deliverEvent(int eventType) override;

    // --- the user-interface thread ---
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

    // The posted requests, when the main window handles them.
    void applyEvent(int eventType);
    void applyUnplayable();

private:
    // A time change is on its way to the main window.
    std::atomic<bool> timePosted{false};
};
