// No engine anywhere: nothing beside this exe, no VLC registered in the prefix. The player
// must fail its init cleanly and answer every query with nothing.
#include "playback/LibVlc.h"
#include "playback/VlcPlayer.h"

#include "WineEngineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(EngineMissing, InitFailsAndEveryQueryAnswersNothing)
{
    ASSERT_EQ(GetFileAttributesW((exeFolder() + L"libvlc.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "this test needs a folder without an engine";
    ASSERT_TRUE(installedVlcFolder().empty()) << "the prefix must have no VLC registered";

    EXPECT_EQ(libVlc(), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"libvlc.dll"), nullptr);

    VlcPlayer player;
    EXPECT_FALSE(player.init(nullptr));
    EXPECT_EQ(player.instance, nullptr);
    EXPECT_EQ(player.mediaPlayer, nullptr);
    EXPECT_EQ(player.eventManager, nullptr);
    player.attachEvents();
    EXPECT_FALSE(player.open(L"C:\\clips\\clip.m2ts"));
    player.play();
    player.pause();
    player.setTime(1000);
    player.toggleMute();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.getTime(), 0);
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(player.getVolume(), 0);
    EXPECT_FALSE(player.setVolume(50));
    EXPECT_EQ(player.getState(), 0);
    EXPECT_FALSE(player.isMuted());
    EXPECT_FALSE(player.hasVideo());
    player.cachedLength = 77;
    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);
    player.release();

    VlcPlayer second; // a later file tries again and fails the same way
    EXPECT_FALSE(second.init(nullptr));
}

} // namespace
