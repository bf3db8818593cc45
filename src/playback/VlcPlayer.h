// The libvlc back end of MediaPlayer: the only code that calls libvlc.
#pragma once

#include "MediaPlayer.h"

#include <vlc/vlc.h>

#include <string>
#include <vector>

class VlcPlayer : public MediaPlayer {
public:
    VlcPlayer() = default;
    ~VlcPlayer() override;

    PlayerKind kind() const override { return PlayerKind::Vlc; }
    bool init(NativeWindow owner) override;
    void release() override;
    bool open(const wchar_t* path) override;
    void play() override;
    bool isPlaying() override;
    void pause() override;
    void stop() override;
    std::int64_t getTime() override;
    std::int64_t getLength() override;
    void setTime(std::int64_t ms) override;
    int getVolume() override;
    bool setVolume(int volume) override;
    int getState() override;
    void setWindow(NativeWindow window) override;
    bool isMuted() override;
    void toggleMute() override;
    bool hasVideo() override;

    // Attaches eventCallback (user data null) to time changed, playing, paused, stopped and
    // end reached, in that order. Called once, right after a successful init.
    void attachEvents();

    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* mediaPlayer = nullptr;
    libvlc_media_t* media = nullptr;
    libvlc_event_manager_t* eventManager = nullptr;
    libvlc_callback_t eventCallback = nullptr;

    // Further libvlc options, passed after the three fixed ones. Empty in the program; tests
    // use it for outputs that need no device ("--vout=dummy", "--aout=dummy").
    std::vector<std::string> extraOptions;
};
