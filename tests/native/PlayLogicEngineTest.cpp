// The play logic driving Debian's real libvlc on the made clips, with the windows faked.
// Events really arrive on libvlc's threads while this (user-interface) thread waits in
// stop and pause, which is what the thread rules are about.
#include "EnginePlugins.h"
#include "PlaybackFakes.h"

#include "platform/Platform.h"
#include "playback/VlcPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace fs = std::filesystem;

namespace {

const fs::path kMedia = fs::u8path(VESPERINE_MEDIA_DIR);

// The real engine without sound card or screen. The fake view's surface is no X window, so
// the engine is not told about it.
class HeadlessVlcPlayer : public VlcPlayer {
public:
    HeadlessVlcPlayer() { extraOptions = {"--vout=dummy", "--aout=dummy"}; }
    void setWindow(NativeWindow) override {}
};

class EnginePlayLogic : public PlayLogic {
public:
    using PlayLogic::PlayLogic;

protected:
    MediaPlayer* makePlayer(PlayerKind kind) override
    {
        return kind == PlayerKind::Vlc ? new HeadlessVlcPlayer() : nullptr;
    }
};

std::wstring wide(const fs::path& p) { return platform::fromUtf8(p.u8string()); }


class PlayLogicEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("vesperine-logic-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        PlayLogic::setActive(&logic);
    }
    void TearDown() override
    {
        logic.stop();
        logic.destroyMediaPlayer();
        PlayLogic::setActive(nullptr);
        fs::remove_all(folder);
    }
    std::wstring place(const char* clip, const std::string& as)
    {
        fs::copy_file(kMedia / clip, folder / fs::u8path(as));
        return wide(folder / fs::u8path(as));
    }
    int state() { return logic.player.load() ? logic.player.load()->getState() : 0; }

    // Plays the user-interface thread: applies the handed-over events until done() holds.
    bool waitUntil(const std::function<bool()>& done, std::chrono::seconds limit)
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            view.pump(logic);
            if (done())
                return true;
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    // The same, with the main window's timer ticking.
    bool tickUntil(const std::function<bool()>& done, std::chrono::seconds limit)
    {
        return waitUntil([&] { logic.timerProc(); return done(); }, limit);
    }

    fs::path folder;
    FakeView view;
    EnginePlayLogic logic{view};
};

TEST_F(PlayLogicEngineTest, PlayPauseResumeAndAStopThatReturnsStopped)
{
    const std::wstring a = place("clip-3s.m2ts", "a.m2ts");
    ASSERT_TRUE(logic.open(a));
    logic.play();
    ASSERT_TRUE(waitUntil([&] { return state() == PlayerState::Playing; }, std::chrono::seconds(10)));
    ASSERT_TRUE(waitUntil([&] { return view.count("updateButtons") > 0; }, std::chrono::seconds(5)))
        << "the Playing event never reached the bar";

    logic.pause();
    EXPECT_FALSE(logic.isPlaying());                 // pause returns once the engine has paused
    ASSERT_TRUE(waitUntil([&] { return state() == PlayerState::Paused; }, std::chrono::seconds(5)));
    logic.pause();                                   // twice does not resume
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(state(), PlayerState::Paused);

    logic.play();
    ASSERT_TRUE(waitUntil([&] { return state() == PlayerState::Playing; }, std::chrono::seconds(5)));

    logic.stop();
    EXPECT_FALSE(logic.isPlaying());
    EXPECT_NE(state(), PlayerState::Playing);
    EXPECT_EQ(logic.player.load()->cachedLength.load(), 0);
}

TEST_F(PlayLogicEngineTest, SurfaceShowsForVideoAndStaysHiddenForAudioOnly)
{
    const std::wstring video = place("clip-2s.m2ts", "video.m2ts");
    const std::wstring audio = place("audio-only.m2ts", "audio.m2ts");

    ASSERT_TRUE(logic.open(video));
    logic.play();
    EXPECT_TRUE(waitUntil([&] { return !view.isHidden(); }, std::chrono::seconds(10)));
    logic.stop();

    ASSERT_TRUE(logic.open(audio));                  // prepares a hidden surface again
    EXPECT_TRUE(view.isHidden());
    view.take();
    logic.play();
    // Under way: the first time changes have been handled.
    ASSERT_TRUE(waitUntil([&] { return view.count("updateTime") >= 2; }, std::chrono::seconds(10)))
        << view.count("updateTime") << " time changes, state " << state();
    EXPECT_TRUE(view.isHidden());
    EXPECT_FALSE(logic.player.load()->hasVideo());
}

TEST_F(PlayLogicEngineTest, TheTimerPlaysTheFolderThroughAndStopsAfterTheLast)
{
    const std::wstring a = place("clip-2s.m2ts", "a.m2ts");
    const std::wstring b = place("clip-2s.m2ts", "b.m2ts");
    ASSERT_TRUE(logic.open(a));
    logic.play();
    ASSERT_EQ(logic.playList.build(a), 2);

    ASSERT_TRUE(tickUntil([&] { return logic.filePath == b && state() == PlayerState::Playing; },
                          std::chrono::seconds(20)))
        << "did not move on to the second file";
    EXPECT_EQ(logic.playList.currentIndex(), 1);
    ASSERT_TRUE(tickUntil([&] { return state() == PlayerState::Stopped; }, std::chrono::seconds(20)));
    for (int i = 0; i < 8; ++i) {                    // after the last file nothing starts again
        view.pump(logic);
        logic.timerProc();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    EXPECT_EQ(logic.filePath, b);
    EXPECT_NE(state(), PlayerState::Playing);
}

TEST_F(PlayLogicEngineTest, BrokenFilesDoNotStallTheFolder)
{
    const std::wstring first = place("corrupt.m2ts", "a.m2ts");
    place("empty.m2ts", "b.m2ts");
    place("truncated.m2ts", "c.m2ts");
    const std::wstring good = place("clip-2s.m2ts", "d.m2ts");
    ASSERT_TRUE(logic.open(first));
    logic.play();
    ASSERT_EQ(logic.playList.build(first), 4);

    EXPECT_TRUE(tickUntil([&] { return logic.filePath == good && state() == PlayerState::Playing; },
                          std::chrono::seconds(30)))
        << "stuck at " << platform::toUtf8(logic.filePath) << " in state " << state();
}

TEST_F(PlayLogicEngineTest, NonAsciiAndVeryLongPathsPlay)
{
    fs::path deep = folder;
    for (int i = 0; i < 6; ++i)
        deep /= fs::u8path("Verzeichnis-mit-einem-recht-langen-Namen-" + std::to_string(i) + "-äöü");
    fs::create_directories(deep);
    fs::copy_file(kMedia / fs::u8path("夜の街 – clip.m2ts"), deep / fs::u8path("夜の街 – clip.m2ts"));
    const fs::path full = deep / fs::u8path("夜の街 – clip.m2ts");
    ASSERT_GT(full.u8string().size(), 259u);

    ASSERT_TRUE(logic.open(wide(full)));
    EXPECT_EQ(logic.fileName, L"夜の街 – clip.m2ts");
    logic.play();
    EXPECT_TRUE(waitUntil([&] { return logic.player.load()->getLength() > 0; }, std::chrono::seconds(10)));
    EXPECT_TRUE(waitUntil([&] { return logic.player.load()->getTime() > 0; }, std::chrono::seconds(10)));
}

TEST_F(PlayLogicEngineTest, EventsKeepArrivingWhileTheUserStopsPausesAndSteps)
{
    const std::wstring a = place("clip-3s.m2ts", "a.m2ts");
    place("clip-2s.m2ts", "b.m2ts");
    place("clip-3s.m2ts", "c.m2ts");
    ASSERT_TRUE(logic.open(a));
    logic.play();
    ASSERT_EQ(logic.playList.build(a), 3);

    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(waitUntil([&] { return logic.player.load()->getTime() > 0; }, std::chrono::seconds(10)));
        logic.setVolume(40 + round);
        logic.pause();
        logic.toggleMute();
        logic.play();
        logic.seek(round % 2 ? +1 : -1);
        logic.timerProc();
        view.pump(logic);
        logic.stepPlaylist(round % 3 == 2 ? -1 : +1);
        logic.toggleMute();
    }
    logic.stop();
    view.pump(logic);
    EXPECT_FALSE(logic.isPlaying());
    EXPECT_EQ(logic.playList.count(), 3);
    EXPECT_GT(view.count("updateTime"), 0);
    EXPECT_GT(view.otherThreadDeliveries(), 0) << "events should arrive on the engine's threads";
}

} // namespace
