// The libvlc entry points the player uses, in one table typed from libvlc's own headers.
// Linux fills it by linking; Windows loads libvlc.dll at run time by full path (beside the
// exe first, then the folder of an installed 32-bit VLC 3.x), so a missing engine is a
// failed init rather than a program that cannot start.
#pragma once

#include <vlc/vlc.h>

#ifdef _WIN32
#include <string>
#endif

// The video window setter differs per OS: an HWND on Windows, an X11 window id on Linux.
#ifdef _WIN32
#define VESPERINE_LIBVLC_WINDOW_ENTRY(X) X(libvlc_media_player_set_hwnd)
#else
#define VESPERINE_LIBVLC_WINDOW_ENTRY(X) X(libvlc_media_player_set_xwindow)
#endif

// X(name) once per entry point; the one list the table and both loaders are made from.
#define VESPERINE_LIBVLC_ENTRIES(X)          \
    X(libvlc_new)                            \
    X(libvlc_release)                        \
    X(libvlc_media_new_path)                 \
    X(libvlc_media_release)                  \
    X(libvlc_media_player_new)               \
    X(libvlc_media_player_release)           \
    X(libvlc_media_player_set_media)         \
    X(libvlc_media_player_event_manager)     \
    X(libvlc_event_attach)                   \
    X(libvlc_video_set_key_input)            \
    X(libvlc_video_set_mouse_input)          \
    X(libvlc_media_player_play)              \
    X(libvlc_media_player_pause)             \
    X(libvlc_media_player_stop)              \
    X(libvlc_media_player_is_playing)        \
    X(libvlc_media_player_get_state)         \
    X(libvlc_media_player_get_time)          \
    X(libvlc_media_player_set_time)          \
    X(libvlc_media_player_get_length)        \
    X(libvlc_audio_get_volume)               \
    X(libvlc_audio_set_volume)               \
    X(libvlc_audio_get_mute)                 \
    X(libvlc_audio_set_mute)                 \
    X(libvlc_video_get_track_count)          \
    VESPERINE_LIBVLC_WINDOW_ENTRY(X)

struct LibVlc {
#define VESPERINE_LIBVLC_MEMBER(name) decltype(&::name) name = nullptr;
    VESPERINE_LIBVLC_ENTRIES(VESPERINE_LIBVLC_MEMBER)
#undef VESPERINE_LIBVLC_MEMBER
};

// The engine's entry table, loaded on the first call (thread-safe) and kept for the life of
// the process; null when no engine could be loaded or it lacks any of the entry points.
const LibVlc* libVlc();

#ifdef _WIN32
// The folder of an installed 32-bit VLC from the registry value InstallDir of
// HKLM\SOFTWARE\VideoLAN\VLC, ending with a separator; empty when there is none or the
// value is not a usable absolute folder.
std::wstring installedVlcFolder();
#endif
