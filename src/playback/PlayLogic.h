// The playback controller between the user interface and the media player: turns commands,
// the main window's timer and the engine's events into media-player calls.
#pragma once

#include "MediaPlayer.h"
#include "PlayListData.h"
#include "PlaybackView.h"

#include <vlc/vlc.h>

#include <atomic>
#include <string>

class PlayLogic {
public:
    static constexpr std::int64_t kSeekStep = 5000;
    static constexpr int kVolumeStep = 10;
    static constexpr int kVolumeMin = 0;
    static constexpr int kVolumeMax = 100;
    static constexpr unsigned kWaitPoll = 100;

    explicit PlayLogic(PlaybackView& view);
    virtual ~PlayLogic();
    PlayLogic(const PlayLogic&) = delete;
    PlayLogic& operator=(const PlayLogic&) = delete;

    bool open(const std::wstring& path);
    void play();
    void pause();
    void stop();
    bool seek(int direction);
    void stepPlaylist(int direction);
    void setVolume(int value);
    void stepVolume(int direction);
    void toggleMute();
    void timerProc();
    bool createMediaPlayer(PlayerKind kind);
    void destroyMediaPlayer();
    bool isPlaying() const;
    bool canStep() const;
    bool hasFiles() const;
    static PlayerKind fileKind(const std::wstring& path);
    void applyVolume();
    void updateVideoVisibility();
    void rememberFile(const std::wstring& path);

    // The engine's event callback (libvlc's threads). Events are attached without user data;
    // the handler finds the play logic through the process-wide pointer below. It traces the
    // event and hands it to the user-interface thread; it calls nothing of the engine there,
    // since libvlc holds its own locks while it stops and joins the thread raising events.
    static void handleProc(const libvlc_event_t* event, void* userData);
    // What an engine event means for the windows; the view calls it on the user-interface thread.
    void applyEvent(int type);
    static void setActive(PlayLogic* logic);
    static PlayLogic* active();

    // Read directly by the windows. player, volume and muted are also read on the engine's
    // event thread, so each is read and written whole.
    std::atomic<MediaPlayer*> player{nullptr};
    PlayListData playList;
    std::wstring filePath;
    std::wstring fileName;
    std::atomic<int> volume{100};
    std::atomic<bool> muted{false};
    PlayerKind playerKind = PlayerKind::None;

protected:
    // Makes the engine back end for a kind; tests put a fake engine in its place.
    virtual MediaPlayer* makePlayer(PlayerKind kind);

private:
    bool openInPlayer(const std::wstring& path, PlayerKind kind);
    void waitWhilePlaying();

    PlaybackView& view;
    // The file the engine last failed on, so that the user hears of it once.
    std::wstring lastReportedFailure;
    // The surface the player was last told to draw into.
    NativeWindow surfaceGiven = nullptr;
};
