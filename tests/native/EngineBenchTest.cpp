// Proves the native test bench: Debian's libvlc really decodes the clips made for the tests.
#include "EnginePlugins.h"

#include <vlc/vlc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

struct Seen {
    std::atomic<bool> playing{false};
    std::atomic<bool> ended{false};
    std::atomic<bool> error{false};
};

void onEvent(const libvlc_event_t* event, void* data)
{
    auto* seen = static_cast<Seen*>(data);
    switch (event->type) {
    case libvlc_MediaPlayerPlaying: seen->playing = true; break;
    case libvlc_MediaPlayerEndReached: seen->ended = true; break;
    case libvlc_MediaPlayerEncounteredError: seen->error = true; break;
    default: break;
    }
}

template <class Pred>
bool waitFor(Pred pred, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

TEST(EngineBench, RealLibvlcPlaysAMadeClipToItsEnd)
{
    const char* args[] = {"--vout=dummy", "--aout=dummy", "--no-video-title-show"};
    libvlc_instance_t* vlc = libvlc_new(3, args);
    ASSERT_NE(vlc, nullptr) << "libvlc_new failed: " << (libvlc_errmsg() ? libvlc_errmsg() : "?");

    const std::string path = std::string(VESPERINE_MEDIA_DIR) + "/clip-2s.m2ts";
    libvlc_media_t* media = libvlc_media_new_path(vlc, path.c_str());
    ASSERT_NE(media, nullptr);
    libvlc_media_player_t* mp = libvlc_media_player_new_from_media(media);
    ASSERT_NE(mp, nullptr);

    Seen seen;
    libvlc_event_manager_t* em = libvlc_media_player_event_manager(mp);
    for (auto type : {libvlc_MediaPlayerPlaying, libvlc_MediaPlayerEndReached, libvlc_MediaPlayerEncounteredError})
        ASSERT_EQ(libvlc_event_attach(em, type, onEvent, &seen), 0);

    ASSERT_EQ(libvlc_media_player_play(mp), 0);
    EXPECT_TRUE(waitFor([&] { return seen.playing.load(); }, std::chrono::seconds(10))) << "no Playing event";
    EXPECT_TRUE(waitFor([&] { return libvlc_media_player_get_length(mp) > 0; }, std::chrono::seconds(5)));
    const libvlc_time_t length = libvlc_media_player_get_length(mp);
    EXPECT_GT(length, 1500);
    EXPECT_LT(length, 3000); // the muxer pads the end of the audio a little
    EXPECT_TRUE(waitFor([&] { return seen.ended.load(); }, std::chrono::seconds(15))) << "no EndReached event";
    EXPECT_FALSE(seen.error.load());
    EXPECT_EQ(libvlc_media_player_get_state(mp), libvlc_Ended);

    libvlc_media_player_stop(mp);
    for (auto type : {libvlc_MediaPlayerPlaying, libvlc_MediaPlayerEndReached, libvlc_MediaPlayerEncounteredError})
        libvlc_event_detach(em, type, onEvent, &seen);
    libvlc_media_player_release(mp);
    libvlc_media_release(media);
    libvlc_release(vlc);
}

} // namespace
