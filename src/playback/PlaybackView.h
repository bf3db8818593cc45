// What the play logic needs of the windows around the video: the video window (surface,
// logo) and the play bar. The Win32 shell and the Linux front end implement it; tests fake it.
#pragma once

#include "MediaPlayer.h"

#include <string>

class PlaybackView {
public:
    virtual ~PlaybackView() = default;

    // --- the engine's event thread ---

    // Hands an engine event (libvlc's event type) over to the user-interface thread, where
    // the view calls PlayLogic::applyEvent with it. Must return at once: it may not wait for
    // the user-interface thread, which may itself be waiting for the engine to stop.
    virtual void deliverEvent(int eventType) = 0;

    // --- everything else: the user-interface thread only ---

    // The owner handed to the engine's init (the main window).
    virtual NativeWindow mainWindow() const = 0;
    // Prepares a hidden video surface for a file of this kind; false when the kind has none.
    virtual bool openVideo(PlayerKind kind) = 0;
    // The current video surface, or null when there is none.
    virtual NativeWindow videoSurface() const = 0;
    // The surface exists (is a window) and is not visible.
    virtual bool isVideoSurfaceHidden() const = 0;
    virtual void showVideo(bool show) = 0;
    // The play bar's buttons from the playback state and the playlist.
    virtual void updateButtons() = 0;
    // The time slider and text from the player.
    virtual void updateTime() = 0;
    // The volume slider from the play logic's volume and muted.
    virtual void updateVolume() = 0;
    // The play bar after a stop: capture released, auto-hide re-armed or off, length 0, time redrawn.
    virtual void resetAfterStop() = 0;
    // A file the engine could not play was skipped: tell the user once, later, outside the
    // caller's own stack (the timer must not raise the message box from inside itself).
    virtual void reportUnplayable(const std::wstring& path) = 0;
};
