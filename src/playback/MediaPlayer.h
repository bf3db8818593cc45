// The abstract playback engine: everything else reaches the playing file through these
// operations. Times and lengths are signed 64-bit milliseconds, volume 0..100, states use
// libvlc's numbering (3 playing, 4 paused, 6 ended, 7 error).
#pragma once

#include "PlayerKind.h"

#include <atomic>
#include <cstdint>

// A native window: an HWND on Windows, an X11 window id on Linux.
using NativeWindow = void*;

namespace PlayerState {
constexpr int NothingSpecial = 0;
constexpr int Opening = 1;
constexpr int Buffering = 2;
constexpr int Playing = 3;
constexpr int Paused = 4;
constexpr int Stopped = 5;
constexpr int Ended = 6;
constexpr int Error = 7;
} // namespace PlayerState

class MediaPlayer {
public:
    MediaPlayer() = default;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;
    virtual ~MediaPlayer() = default;

    virtual PlayerKind kind() const { return PlayerKind::None; }
    virtual bool init(NativeWindow owner) = 0;
    virtual void release() = 0;
    virtual bool open(const wchar_t* path) = 0;
    virtual void play() = 0;
    virtual bool isPlaying() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual std::int64_t getTime() = 0;
    virtual std::int64_t getLength() = 0;
    virtual void setTime(std::int64_t ms) = 0;
    virtual int getVolume() = 0;
    virtual bool setVolume(int volume) = 0;
    virtual int getState() = 0;
    virtual void reserved(std::uint32_t) {}
    virtual void setWindow(NativeWindow window) = 0;
    virtual bool isMuted() = 0;
    virtual void toggleMute() = 0;
    virtual bool hasVideo() { return true; }

    // The last positive length the engine reported; 0 when none is known yet. Written by
    // getLength on the engine's event thread as well as on the user-interface thread.
    std::atomic<std::int64_t> cachedLength{0};
};
