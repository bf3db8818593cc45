// The play logic against recording fakes of the engine and the windows.
#include "PlaybackFakes.h"

#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

using Calls = std::vector<std::string>;

std::mutex traceMutex;
std::vector<std::wstring> traces;
void captureTrace(const wchar_t* text)
{
    std::lock_guard<std::mutex> lock(traceMutex);
    traces.emplace_back(text);
}

class PlayLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            std::lock_guard<std::mutex> lock(traceMutex);
            traces.clear();
        }
        platform::setDebugOutputHook(&captureTrace);
    }
    void TearDown() override
    {
        platform::setDebugOutputHook(nullptr);
        PlayLogic::setActive(nullptr);
    }

    // A playlist without touching the disk: entries in sorted order, one current.
    void setList(std::initializer_list<const wchar_t*> paths, int current)
    {
        logic.playList.entries.clear();
        int i = 0;
        for (const wchar_t* p : paths)
            logic.playList.entries.push_back({i++ == current ? 1 : 0, p});
    }
    std::vector<std::wstring> listPaths() const
    {
        std::vector<std::wstring> out;
        for (const auto& e : logic.playList.entries)
            out.push_back(e.path);
        return out;
    }
    // Opens and plays path the way the shell's file loading does (without the folder scan).
    void openAndPlay(const std::wstring& path)
    {
        ASSERT_TRUE(logic.open(path));
        logic.play();
        ASSERT_EQ(logic.fake()->state, PlayerState::Playing);
    }

    FakeView view;
    TestPlayLogic logic{view};
};

TEST_F(PlayLogicTest, StartsWithoutPlayerAtFullVolumeAndPlayOnlyResetsTheBar)
{
    EXPECT_EQ(logic.player.load(), nullptr);
    EXPECT_EQ(logic.volume.load(), 100);
    EXPECT_FALSE(logic.muted.load());
    EXPECT_EQ(logic.playerKind, PlayerKind::None);
    EXPECT_FALSE(logic.isPlaying());

    logic.play();
    EXPECT_EQ(view.take(), Calls{"resetAfterStop"});
    EXPECT_EQ(logic.made, 0);
    // Every other command is safe without a player too.
    logic.pause();
    EXPECT_FALSE(logic.seek(+1));
    logic.applyVolume();
    logic.updateVideoVisibility();
    logic.timerProc();
    EXPECT_EQ(view.take(), Calls{});
}

TEST(PlayLogicFileKind, ExtensionTable)
{
    const struct {
        const wchar_t* path;
        PlayerKind kind;
    } cases[] = {
        {L"C:\\m\\clip.m2ts", PlayerKind::Vlc},   {L"movie.swf", PlayerKind::Flash},
        {L"MOVIE.SWF", PlayerKind::Flash},        {L"x.Fla", PlayerKind::Flash},
        {L"noextension", PlayerKind::Vlc},        {L"trailing.", PlayerKind::Vlc},
        {L"a.swf.m2ts", PlayerKind::Vlc},         {L"a.swfx", PlayerKind::Vlc},
        {L"C:\\dir.swf\\file", PlayerKind::Vlc},  {L"", PlayerKind::Vlc},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayLogic::fileKind(c.path), c.kind) << platform::toUtf8(c.path);
}

TEST_F(PlayLogicTest, OpenPreparesSurfaceMakesOnePlayerAndRemembersTheFile)
{
    const std::wstring sep(1, platform::kPathSeparator);
    const std::wstring path = L"media" + sep + L"night ride.m2ts";
    ASSERT_TRUE(logic.open(path));
    FakePlayer* p = logic.fake();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->calls, (Calls{"init", "setWindow", "open"}));
    EXPECT_EQ(p->initOwner, view.mainWindow());
    EXPECT_EQ(p->window, view.surface);
    EXPECT_EQ(logic.filePath, path);
    EXPECT_EQ(logic.fileName, L"night ride.m2ts");
    EXPECT_EQ(logic.playerKind, PlayerKind::Vlc);
    EXPECT_EQ(view.take(), Calls{"openVideo"});

    // The next file of the same kind reuses the player: one engine for the whole run.
    ASSERT_TRUE(logic.open(L"second.m2ts"));
    EXPECT_EQ(logic.made, 1);
    EXPECT_EQ(logic.fake(), p);
    EXPECT_EQ(logic.fileName, L"second.m2ts");      // no separator: the whole path
}

TEST_F(PlayLogicTest, FailedOpensKeepTheLastFile)
{
    ASSERT_TRUE(logic.open(L"good.m2ts"));
    logic.fake()->failingPaths = {L"bad.m2ts"};

    EXPECT_FALSE(logic.open(L"bad.m2ts"));
    EXPECT_FALSE(logic.open(L"anim.swf"));           // no surface and no engine for this kind
    EXPECT_EQ(logic.filePath, L"good.m2ts");
    EXPECT_EQ(logic.playerKind, PlayerKind::Vlc);
    EXPECT_EQ(logic.made, 1);
}

TEST_F(PlayLogicTest, FailedInitLeavesNoPlayerAndTheNextOpenTriesAgain)
{
    logic.nextInitResult = false;
    EXPECT_FALSE(logic.open(L"a.m2ts"));
    EXPECT_EQ(logic.player.load(), nullptr);
    EXPECT_TRUE(logic.filePath.empty());

    logic.nextInitResult = true;
    EXPECT_TRUE(logic.open(L"a.m2ts"));
    EXPECT_EQ(logic.made, 2);
}

TEST_F(PlayLogicTest, PlayPauseAndStopFollowTheEngineState)
{
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    FakePlayer* p = logic.fake();
    view.take();

    logic.play();
    EXPECT_EQ(p->state, PlayerState::Playing);
    EXPECT_EQ(view.take(), Calls{"showVideo(1)"});
    logic.play();                                    // already playing: nothing at all
    EXPECT_EQ(p->count("play"), 1);

    logic.pause();
    logic.pause();                                   // a second pause does not resume
    EXPECT_EQ(p->count("pause"), 1);
    EXPECT_EQ(p->state, PlayerState::Paused);

    logic.play();                                    // resumes
    EXPECT_EQ(p->count("play"), 2);
    EXPECT_EQ(p->state, PlayerState::Playing);

    // stop returns only once the engine no longer plays, and then resets the bar.
    p->slowStopPolls = 3;
    logic.stop();
    EXPECT_EQ(p->state, PlayerState::Stopped);
    EXPECT_GE(p->isPlayingAsked, 3);
    EXPECT_EQ(view.take().back(), "resetAfterStop");
}

TEST_F(PlayLogicTest, PlayReopensTheRememberedFileWhenThePlayerIsGone)
{
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    logic.destroyMediaPlayer();
    logic.play();
    ASSERT_NE(logic.fake(), nullptr);
    EXPECT_EQ(logic.fake()->opened, std::vector<std::wstring>{L"a.m2ts"});
    EXPECT_EQ(logic.fake()->state, PlayerState::Playing);

    // A remembered file that no longer opens ends in a stop.
    logic.destroyMediaPlayer();
    logic.failingPaths = {L"a.m2ts"};
    view.take();
    logic.play();
    EXPECT_EQ(view.take().back(), "resetAfterStop");
}

TEST_F(PlayLogicTest, SeekStepsFiveSecondsWithClampsAtBothEnds)
{
    struct Case {
        int state;
        std::int64_t time, length;
        int direction;
        bool moved;
        std::int64_t target;
    };
    const Case cases[] = {
        {PlayerState::Playing, 10000, 60000, +1, true, 15000},
        {PlayerState::Playing, 57000, 60000, +1, true, 60000},    // within the last 5 s: the end
        {PlayerState::Playing, 55000, 60000, +1, true, 60000},
        {PlayerState::Paused, 20000, 60000, 0, true, 25000},      // 0 counts as forward
        {PlayerState::Playing, 20000, 60000, -1, true, 15000},
        {PlayerState::Playing, 5001, 60000, -1, true, 1},
        {PlayerState::Playing, 5000, 60000, -1, true, 0},         // within the first 5 s: the start
        {PlayerState::Playing, 1200, 60000, -1, true, 0},
        {PlayerState::Playing, 0, 60000, +1, false, -1},          // nothing at the very start
        {PlayerState::Playing, 0, 60000, -1, false, -1},
        {PlayerState::Stopped, 10000, 60000, +1, false, -1},
        {PlayerState::Ended, 10000, 60000, -1, false, -1},
        {PlayerState::Playing, 10000, 0, +1, false, -1},          // no length known: stay
        {PlayerState::Playing, 10000, -1, +1, false, -1},
        {PlayerState::Playing, 10000, 0, -1, true, 5000},         // backward needs no length
    };
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    FakePlayer* p = logic.fake();
    for (const auto& c : cases) {
        p->state = c.state;
        p->time = c.time;
        p->length = c.length;
        p->seekTargets.clear();
        SCOPED_TRACE(testing::Message() << "state " << c.state << " t " << c.time << " len " << c.length
                                        << " dir " << c.direction);
        EXPECT_EQ(logic.seek(c.direction), c.moved);
        if (c.moved)
            EXPECT_EQ(p->seekTargets, std::vector<std::int64_t>{c.target});
        else
            EXPECT_TRUE(p->seekTargets.empty());
    }
}

TEST_F(PlayLogicTest, VolumeStepsClampsAndMuting)
{
    struct Case {
        int volume;
        bool muted;
        int direction;
        int expectVolume;
    };
    const Case cases[] = {
        {100, false, +1, 100}, {0, false, -1, 0},  {50, true, +1, 10}, {50, true, -1, 0},
        {95, false, +1, 100},  {5, false, -1, 0},  {40, false, +1, 50}, {40, false, -1, 30},
    };
    for (const auto& c : cases) {
        logic.volume = c.volume;
        logic.muted = c.muted;
        view.take();
        logic.stepVolume(c.direction);
        EXPECT_EQ(logic.volume.load(), c.expectVolume) << c.volume << (c.muted ? " muted " : " ") << c.direction;
        EXPECT_FALSE(logic.muted.load());
        EXPECT_EQ(view.take(), Calls{"updateVolume"});
    }
    logic.setVolume(-20);
    EXPECT_EQ(logic.volume.load(), 0);
    logic.setVolume(250);
    EXPECT_EQ(logic.volume.load(), 100);
}

TEST_F(PlayLogicTest, MutingWhileStoppedChangesOnlyTheSettingUntilTheNextTick)
{
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    FakePlayer* p = logic.fake();
    p->calls.clear();

    logic.toggleMute();
    EXPECT_TRUE(logic.muted.load());
    EXPECT_EQ(logic.volume.load(), 100);            // muting keeps the volume
    EXPECT_TRUE(p->calls.empty());                   // stopped: the engine is left alone
    logic.setVolume(70);                             // any volume setting ends muting
    EXPECT_FALSE(logic.muted.load());
    EXPECT_TRUE(p->calls.empty());

    logic.toggleMute();
    logic.play();                                    // play applies the setting
    EXPECT_TRUE(p->engineMuted);

    logic.toggleMute();                              // playing: applied at once
    EXPECT_FALSE(p->engineMuted);
    EXPECT_EQ(p->engineVolume, 70);

    // The engine lost its volume (no audio output yet): the next tick applies it again,
    // and a tick with nothing to change calls the engine for nothing.
    p->engineVolume = 0;
    logic.timerProc();
    EXPECT_EQ(p->engineVolume, 70);
    const int setCalls = p->count("setVolume");
    logic.timerProc();
    EXPECT_EQ(p->count("setVolume"), setCalls);
}

TEST_F(PlayLogicTest, MuteOfAnEngineWithoutItsOwnMuteGoesThroughTheVolume)
{
    auto* other = new FakePlayer(PlayerKind::Flash);
    other->engineVolume = 80;
    logic.player = other;
    logic.muted = true;
    logic.applyVolume();
    EXPECT_EQ(other->engineVolume, 0);
    EXPECT_EQ(other->count("toggleMute"), 0);
    logic.muted = false;
    logic.volume = 60;
    logic.applyVolume();
    EXPECT_EQ(other->engineVolume, 60);
}

TEST_F(PlayLogicTest, NextAndPreviousWrapAroundTheList)
{
    struct Case {
        int current, direction, expect;
    };
    const Case cases[] = {{2, +1, 0}, {0, -1, 2}, {0, +1, 1}, {1, -1, 0}};
    for (const auto& c : cases) {
        setList({L"a.m2ts", L"b.m2ts", L"c.m2ts"}, c.current);
        openAndPlay(logic.playList.pathAt(c.current));
        logic.fake()->time = 3000;
        logic.stepPlaylist(c.direction);
        EXPECT_EQ(logic.playList.currentIndex(), c.expect) << c.current << " " << c.direction;
        EXPECT_EQ(logic.filePath, logic.playList.pathAt(c.expect));
        EXPECT_EQ(logic.fake()->state, PlayerState::Playing);
    }
}

TEST_F(PlayLogicTest, SteppingIsIgnoredWhenItCannotOrShouldNotMove)
{
    setList({L"a.m2ts"}, 0);                         // one file
    EXPECT_FALSE(logic.canStep());
    EXPECT_TRUE(logic.hasFiles());
    logic.stepPlaylist(+1);
    EXPECT_EQ(logic.made, 0);

    setList({L"a.m2ts", L"b.m2ts"}, -1);             // no current file
    EXPECT_FALSE(logic.canStep());
    logic.stepPlaylist(+1);
    EXPECT_EQ(logic.made, 0);

    setList({L"a.m2ts", L"b.m2ts"}, 0);              // just started: still at time 0
    openAndPlay(L"a.m2ts");
    logic.stepPlaylist(+1);
    EXPECT_EQ(logic.filePath, L"a.m2ts");
    EXPECT_EQ(logic.fake()->count("stop"), 0);
}

TEST_F(PlayLogicTest, FilesThatFailToOpenAreDroppedInTheDirectionOfTravel)
{
    setList({L"a.m2ts", L"b.m2ts", L"c.m2ts", L"d.m2ts"}, 0);
    openAndPlay(L"a.m2ts");
    logic.fake()->failingPaths = {L"b.m2ts", L"c.m2ts"};
    logic.fake()->time = 1000;
    logic.stepPlaylist(+1);
    EXPECT_EQ(listPaths(), (std::vector<std::wstring>{L"a.m2ts", L"d.m2ts"}));
    EXPECT_EQ(logic.filePath, L"d.m2ts");
    EXPECT_EQ(logic.playList.currentIndex(), 1);

    setList({L"a.m2ts", L"b.m2ts", L"c.m2ts", L"d.m2ts"}, 0);
    logic.fake()->failingPaths = {L"d.m2ts", L"c.m2ts"};
    logic.fake()->time = 1000;
    logic.stepPlaylist(-1);                          // wraps backwards past both failures
    EXPECT_EQ(listPaths(), (std::vector<std::wstring>{L"a.m2ts", L"b.m2ts"}));
    EXPECT_EQ(logic.filePath, L"b.m2ts");
}

TEST_F(PlayLogicTest, WhenEveryFileFailsTheListEndsEmptyAndPlaybackStaysStopped)
{
    setList({L"a.m2ts", L"b.m2ts", L"c.m2ts"}, 0);
    openAndPlay(L"a.m2ts");
    logic.fake()->failingPaths = {L"a.m2ts", L"b.m2ts", L"c.m2ts"};
    logic.fake()->time = 1000;
    logic.stepPlaylist(+1);
    EXPECT_EQ(logic.playList.count(), 0);
    EXPECT_EQ(logic.fake()->state, PlayerState::Stopped);
    EXPECT_FALSE(logic.hasFiles());
}

TEST_F(PlayLogicTest, TheTimerAdvancesAtTheEndOfEveryFileButTheLast)
{
    setList({L"a.m2ts", L"b.m2ts"}, 0);
    openAndPlay(L"a.m2ts");
    logic.fake()->state = PlayerState::Ended;
    logic.timerProc();
    EXPECT_EQ(logic.filePath, L"b.m2ts");
    EXPECT_EQ(logic.fake()->state, PlayerState::Playing);
    EXPECT_EQ(logic.playList.currentIndex(), 1);

    logic.fake()->state = PlayerState::Ended;        // the last one: stop and stay
    logic.timerProc();
    EXPECT_EQ(logic.filePath, L"b.m2ts");
    EXPECT_EQ(logic.fake()->state, PlayerState::Stopped);
    logic.timerProc();
    EXPECT_EQ(logic.fake()->count("play"), 2);

    std::lock_guard<std::mutex> lock(traceMutex);
    EXPECT_EQ(traces, (std::vector<std::wstring>{L"Playlogic: timerProc: Ended\n", L"Playlogic: timerProc: Ended\n"}));
}

TEST_F(PlayLogicTest, WhenOnlyLaterFilesFailTheAdvanceWrapsToTheStart)
{
    setList({L"a.m2ts", L"b.m2ts", L"c.m2ts"}, 1);
    openAndPlay(L"b.m2ts");
    logic.fake()->failingPaths = {L"c.m2ts"};
    logic.fake()->state = PlayerState::Ended;
    logic.timerProc();
    EXPECT_EQ(logic.filePath, L"a.m2ts");
    EXPECT_EQ(listPaths(), (std::vector<std::wstring>{L"a.m2ts", L"b.m2ts"}));
}

TEST_F(PlayLogicTest, AFileTheEngineFailsOnIsSkippedAndReportedOnce)
{
    setList({L"a.m2ts", L"bad.m2ts", L"c.m2ts"}, 0);
    openAndPlay(L"a.m2ts");
    logic.fake()->unplayablePaths = {L"bad.m2ts"};
    logic.fake()->time = 1000;
    logic.stepPlaylist(+1);
    ASSERT_EQ(logic.fake()->state, PlayerState::Error);
    view.take();

    logic.timerProc();
    EXPECT_EQ(logic.filePath, L"c.m2ts");            // moved on like at the end of a file
    EXPECT_EQ(logic.fake()->state, PlayerState::Playing);
    EXPECT_EQ(view.reported, std::vector<std::wstring>{L"bad.m2ts"});

    // Alone, or the last of the list: stopped, reported once however often the timer ticks.
    setList({L"x.m2ts"}, 0);
    logic.fake()->unplayablePaths = {L"x.m2ts"};
    ASSERT_TRUE(logic.open(L"x.m2ts"));
    logic.play();
    for (int i = 0; i < 5; ++i)
        logic.timerProc();
    EXPECT_EQ(view.reported, (std::vector<std::wstring>{L"bad.m2ts", L"x.m2ts"}));
    EXPECT_NE(logic.fake()->state, PlayerState::Error);
}

TEST_F(PlayLogicTest, EventsTraceRefreshTheBarAndShowTheSurfaceOnlyForVideo)
{
    PlayLogic::setActive(&logic);
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    logic.fake()->video = false;                     // tracks not known yet / audio only
    view.take();
    logic.fake()->calls.clear();

    // On the engine's thread an event is only traced and handed over: no engine call there.
    libvlc_event_t e{};
    e.type = libvlc_MediaPlayerPlaying;
    PlayLogic::handleProc(&e, nullptr);
    EXPECT_EQ(view.take(), Calls{});
    EXPECT_TRUE(logic.fake()->calls.empty());
    EXPECT_EQ(view.pump(logic), 1);
    EXPECT_EQ(view.take(), (Calls{"showVideo(0)", "updateButtons"}));
    EXPECT_TRUE(view.isHidden());

    logic.fake()->video = true;                      // the media has reported its video track
    e.type = libvlc_MediaPlayerTimeChanged;
    PlayLogic::handleProc(&e, nullptr);
    PlayLogic::handleProc(&e, nullptr);              // visible now: never shown twice, never hidden
    view.pump(logic);
    EXPECT_EQ(view.take(), (Calls{"showVideo(1)", "updateTime", "updateTime"}));

    for (auto type : {libvlc_MediaPlayerPaused, libvlc_MediaPlayerStopped}) {
        e.type = type;
        PlayLogic::handleProc(&e, nullptr);
        view.pump(logic);
        EXPECT_EQ(view.take(), Calls{"updateButtons"});
    }
    e.type = libvlc_MediaPlayerEndReached;           // the end is found by the timer, not here
    PlayLogic::handleProc(&e, nullptr);
    EXPECT_EQ(view.pump(logic), 0);

    std::lock_guard<std::mutex> lock(traceMutex);
    EXPECT_EQ(traces, (std::vector<std::wstring>{L"handleProc: libvlc_MediaPlayerPlaying\n",
                                                 L"handleProc: libvlc_MediaPlayerPaused\n",
                                                 L"handleProc: libvlc_MediaPlayerStopped\n"}));
}

TEST_F(PlayLogicTest, EventsWithoutAnActivePlayLogicAreIgnored)
{
    ASSERT_TRUE(logic.open(L"a.m2ts"));
    view.take();
    libvlc_event_t e{};
    e.type = libvlc_MediaPlayerPlaying;
    PlayLogic::handleProc(&e, nullptr);              // not made active
    {
        PlayLogic::setActive(&logic);
        TestPlayLogic gone(view);
        PlayLogic::setActive(&gone);
    }                                                // destroyed: no longer reachable
    EXPECT_EQ(PlayLogic::active(), nullptr);
    PlayLogic::handleProc(&e, nullptr);
    EXPECT_EQ(view.take(), Calls{});
}

} // namespace
