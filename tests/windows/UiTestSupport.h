// Shared pieces of the window-toolkit and video-window tests: GDI+ for the picture tests, a
// play logic without media, and a player whose state the test sets.
#pragma once

#include "playback/PlayLogic.h"

#include <windows.h>

#include <atomic>

// GDI+ from construction to destruction.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token = 0;
};

// The windows around the video as the play logic sees them; nothing here plays.
class QuietPlaybackView : public PlaybackView {
public:
    void deliverEvent(int) override {}
    NativeWindow mainWindow() const override { return nullptr; }
    bool openVideo(PlayerKind) override { return false; }
    void resetAfterStop() override {}
    void updateVolume() override {}
    void reportUnplayable(const std::wstring&) override {}
    NativeWindow videoSurface() const override { return nullptr; }
    bool isVideoSurfaceHidden() const override { return false; }
    void showVideo(bool) override {}
    void updateButtons() override {}
    void updateTime() override {}
};

// A media player that only reports the state a test gives it.
class StatePlayer : public MediaPlayer {
public:
    PlayerKind kind() const override { return PlayerKind::Vlc; }
    bool init(NativeWindow) override { return true; }
    void release() override {}
    bool open(const wchar_t*) override { return true; }
    void play() override { state = PlayerState::Playing; }
    bool isPlaying() override { return state == PlayerState::Playing; }
    void pause() override { state = PlayerState::Paused; }
    void stop() override { state = PlayerState::Stopped; }
    std::int64_t getTime() override { return 0; }
    std::int64_t getLength() override { return 0; }
    void setTime(std::int64_t) override {}
    int getVolume() override { return 100; }
    bool setVolume(int) override { return true; }
    int getState() override { return state; }
    void setWindow(NativeWindow) override {}
    bool isMuted() override { return false; }
    void toggleMute() override {}

    std::atomic<int> state{PlayerState::Stopped};
};

// Dispatches every waiting message of this thread.
void pumpMessages();
