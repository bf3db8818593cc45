#include "VlcPlayer.h"

#include "LibVlc.h"
#include "platform/Platform.h"

#include <iterator>

namespace {

// libvlc's own title, keyboard and mouse handling would fight the program's video window.
const char* const kFixedOptions[] = {"--no-video-title-show", "--no-keyboard-events", "--no-mouse-events"};

const libvlc_event_type_t kAttachedEvents[] = {
    libvlc_MediaPlayerTimeChanged, // 267
    libvlc_MediaPlayerPlaying,     // 260
    libvlc_MediaPlayerPaused,      // 261
    libvlc_MediaPlayerStopped,     // 262
    libvlc_MediaPlayerEndReached,  // 265
};

} // namespace

VlcPlayer::~VlcPlayer()
{
    VlcPlayer::release();
}

bool VlcPlayer::init(NativeWindow /*owner*/)
{
    // Without an engine there is nothing to create: the caller sees a failed open.
    const LibVlc* vlc = libVlc();
    if (!vlc)
        return false;

    std::vector<const char*> args(std::begin(kFixedOptions), std::end(kFixedOptions));
    for (const std::string& option : extraOptions)
        args.push_back(option.c_str());

    instance = vlc->libvlc_new(int(args.size()), args.data());
    if (!instance)
        return false;
    mediaPlayer = vlc->libvlc_media_player_new(instance);
    if (!mediaPlayer)
        return false;
    eventManager = vlc->libvlc_media_player_event_manager(mediaPlayer);
    if (!eventManager)
        return false;
    // Clicks, double-clicks and the context menu on the video belong to the program's window.
    vlc->libvlc_video_set_key_input(mediaPlayer, 0);
    vlc->libvlc_video_set_mouse_input(mediaPlayer, 0);
    return true;
}

void VlcPlayer::attachEvents()
{
    // The event manager belongs to the media player: after release it is gone with it.
    const LibVlc* vlc = libVlc();
    if (!vlc || !mediaPlayer || !eventManager)
        return;
    for (libvlc_event_type_t type : kAttachedEvents)
        vlc->libvlc_event_attach(eventManager, type, eventCallback, nullptr);
}

void VlcPlayer::release()
{
    const LibVlc* vlc = libVlc();
    if (!vlc)
        return; // nothing can have been created without an engine
    if (mediaPlayer) {
        vlc->libvlc_media_player_release(mediaPlayer);
        mediaPlayer = nullptr;
    }
    if (media) {
        vlc->libvlc_media_release(media);
        media = nullptr;
    }
    if (instance) {
        vlc->libvlc_release(instance);
        instance = nullptr;
    }
}

bool VlcPlayer::open(const wchar_t* path)
{
    if (!mediaPlayer || !path)
        return false;
    // Sized to the path: long and non-ASCII paths reach libvlc whole.
    const std::string utf8 = platform::toUtf8(path);
    const LibVlc* vlc = libVlc();

    // A paused or stopped player keeps its state (and the cached length) until the next stop.
    if (isPlaying())
        stop();
    // The media player holds its own reference to the media it plays until a new one is set.
    if (media) {
        vlc->libvlc_media_release(media);
        media = nullptr;
    }
    media = vlc->libvlc_media_new_path(instance, utf8.c_str());
    if (!media)
        return false;
    vlc->libvlc_media_player_set_media(mediaPlayer, media);
    return true;
}

void VlcPlayer::play()
{
    if (mediaPlayer)
        libVlc()->libvlc_media_player_play(mediaPlayer);
}

bool VlcPlayer::isPlaying()
{
    return mediaPlayer && libVlc()->libvlc_media_player_is_playing(mediaPlayer) != 0;
}

void VlcPlayer::pause()
{
    if (mediaPlayer)
        libVlc()->libvlc_media_player_pause(mediaPlayer);
}

void VlcPlayer::stop()
{
    // libvlc's stop joins the engine's input thread, so no event handler still running on it
    // can write the old length back after the cache is cleared here.
    if (mediaPlayer)
        libVlc()->libvlc_media_player_stop(mediaPlayer);
    cachedLength = 0;
}

std::int64_t VlcPlayer::getTime()
{
    return mediaPlayer ? libVlc()->libvlc_media_player_get_time(mediaPlayer) : 0;
}

std::int64_t VlcPlayer::getLength()
{
    if (!mediaPlayer)
        return 0;
    // The time display asks on every refresh; the first positive length is kept until stop.
    const std::int64_t cached = cachedLength;
    if (cached > 0)
        return cached;
    const std::int64_t length = libVlc()->libvlc_media_player_get_length(mediaPlayer);
    cachedLength = length;
    return length;
}

void VlcPlayer::setTime(std::int64_t ms)
{
    if (mediaPlayer)
        libVlc()->libvlc_media_player_set_time(mediaPlayer, ms);
}

int VlcPlayer::getVolume()
{
    return mediaPlayer ? libVlc()->libvlc_audio_get_volume(mediaPlayer) : 0;
}

bool VlcPlayer::setVolume(int volume)
{
    return mediaPlayer && libVlc()->libvlc_audio_set_volume(mediaPlayer, volume) == 0;
}

int VlcPlayer::getState()
{
    return mediaPlayer ? int(libVlc()->libvlc_media_player_get_state(mediaPlayer)) : 0;
}

void VlcPlayer::setWindow(NativeWindow window)
{
    if (!mediaPlayer)
        return;
#ifdef _WIN32
    libVlc()->libvlc_media_player_set_hwnd(mediaPlayer, window);
#else
    libVlc()->libvlc_media_player_set_xwindow(mediaPlayer, std::uint32_t(reinterpret_cast<std::uintptr_t>(window)));
#endif
}

bool VlcPlayer::isMuted()
{
    return mediaPlayer && libVlc()->libvlc_audio_get_mute(mediaPlayer) != 0;
}

void VlcPlayer::toggleMute()
{
    if (mediaPlayer)
        libVlc()->libvlc_audio_set_mute(mediaPlayer, isMuted() ? 0 : 1);
}

bool VlcPlayer::hasVideo()
{
    // Any non-zero count counts as video, a negative one (no input yet) too.
    return mediaPlayer && libVlc()->libvlc_video_get_track_count(mediaPlayer) != 0;
}
