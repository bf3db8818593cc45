// The real VlcPlayer under Wine, driving the test engine (tests/fakes) that lies beside this
// exe as libvlc.dll. The engine logs every call, so the calls and their order are checked.
#include "playback/LibVlc.h"
#include "playback/VlcPlayer.h"

#include "../fakes/FakeLibVlc.h"
#include "WineEngineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

bool waitFor(const std::function<bool()>& pred, DWORD limitMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(5);
    }
    return true;
}

// The engine is looked for beside the exe before the registry's folder: with an installed
// engine registered elsewhere, the one beside the exe is still the one loaded.
class EngineLoad : public ::testing::Environment {
public:
    void SetUp() override
    {
        EXPECT_EQ(GetModuleHandleW(L"libvlc.dll"), nullptr) << "nothing loads the engine before the player";
        InstallDirValue installed(wineFolder(VESPERINE_OTHER_ENGINE_DIR));
        ASSERT_TRUE(installed.ok);
        ASSERT_NE(libVlc(), nullptr);
    }
};
const auto* const engineLoad = ::testing::AddGlobalTestEnvironment(new EngineLoad);

TEST(VlcEngineLoad, TheEngineBesideTheExeIsLoadedByItsFullPath)
{
    const std::wstring loaded = modulePath(GetModuleHandleW(L"libvlc.dll"));
    EXPECT_EQ(_wcsicmp(loaded.c_str(), (exeFolder() + L"libvlc.dll").c_str()), 0);
    EXPECT_EQ(GetModuleHandleW((wineFolder(VESPERINE_OTHER_ENGINE_DIR) + L"libvlc.dll").c_str()), nullptr)
        << "the registered engine is not needed and not loaded";
    EXPECT_EQ(libVlc(), libVlc()) << "loaded once";
}

// What eventCallback saw; reached through one pointer because the player attaches no user data.
struct EventLog {
    struct Seen {
        int type;
        DWORD thread;
        void* userData;
        std::int64_t newTime;
    };
    std::mutex lock;
    std::vector<Seen> seen;

    std::vector<Seen> of(int type)
    {
        std::lock_guard<std::mutex> hold(lock);
        std::vector<Seen> out;
        std::copy_if(seen.begin(), seen.end(), std::back_inserter(out), [&](const Seen& s) { return s.type == type; });
        return out;
    }
};
std::atomic<EventLog*> currentLog{nullptr};

void recordEvent(const libvlc_event_t* event, void* userData)
{
    if (EventLog* log = currentLog.load()) {
        std::lock_guard<std::mutex> hold(log->lock);
        const std::int64_t time =
            event->type == libvlc_MediaPlayerTimeChanged ? event->u.media_player_time_changed.new_time : -1;
        log->seen.push_back({event->type, GetCurrentThreadId(), userData, time});
    }
}

class VlcPlayerWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.ok) << "libvlc.dll beside the exe is not the test engine";
        fake.reset();
        currentLog = &log;
    }
    void TearDown() override
    {
        player.release();
        fake.drain();
        currentLog = nullptr;
        EXPECT_EQ(fake.misuse(), 0) << "a call on a released object or an extra release";
    }

    void ready()
    {
        ASSERT_TRUE(player.init(nullptr));
        player.eventCallback = recordEvent;
        player.attachEvents();
    }
    void playing()
    {
        ASSERT_TRUE(player.open(L"C:\\clips\\clip.m2ts"));
        player.play();
        ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));
    }

    std::vector<std::string> calls() { return lines(fake.calls()); }
    // Calls made since `mark` (a count of calls taken earlier).
    std::vector<std::string> callsSince(std::size_t mark)
    {
        std::vector<std::string> all = calls();
        return std::vector<std::string>(all.begin() + std::min(mark, all.size()), all.end());
    }
    int count(const std::vector<std::string>& list, const std::string& line)
    {
        return int(std::count(list.begin(), list.end(), line));
    }

    FakeEngine fake{GetModuleHandleW(L"libvlc.dll")};
    EventLog log;
    VlcPlayer player;
};

// --- init and attachEvents -----------------------------------------------------------------

TEST_F(VlcPlayerWine, InitPassesTheFixedOptionsFirstAndSwitchesEngineInputOff)
{
    player.extraOptions = {"--vout=dummy"};
    ASSERT_TRUE(player.init(nullptr));
    EXPECT_NE(player.instance, nullptr);
    EXPECT_NE(player.mediaPlayer, nullptr);
    EXPECT_NE(player.eventManager, nullptr);
    player.attachEvents();
    const std::vector<std::string> expected = {
        "libvlc_new(4,--no-video-title-show,--no-keyboard-events,--no-mouse-events,--vout=dummy)",
        "libvlc_media_player_new(1)",
        "libvlc_media_player_event_manager",
        "libvlc_video_set_key_input(0)",
        "libvlc_video_set_mouse_input(0)",
        "libvlc_event_attach(267,null)",
        "libvlc_event_attach(260,null)",
        "libvlc_event_attach(261,null)",
        "libvlc_event_attach(262,null)",
        "libvlc_event_attach(265,null)",
    };
    EXPECT_EQ(calls(), expected);
}

TEST_F(VlcPlayerWine, TheProgramsOwnInitPassesExactlyThreeOptions)
{
    ASSERT_TRUE(player.init(nullptr));
    ASSERT_FALSE(calls().empty());
    EXPECT_EQ(calls().front(), "libvlc_new(3,--no-video-title-show,--no-keyboard-events,--no-mouse-events)");
}

struct InitFailure {
    const char* entry;
    bool instance, mediaPlayer;
};

class VlcPlayerWineInitFailure : public VlcPlayerWine, public ::testing::WithParamInterface<InitFailure> {};

TEST_P(VlcPlayerWineInitFailure, InitStopsAtTheFirstMissingObjectAndReleaseFreesTheRest)
{
    fake.fail(GetParam().entry, 1);
    EXPECT_FALSE(player.init(nullptr));
    EXPECT_EQ(player.instance != nullptr, GetParam().instance);
    EXPECT_EQ(player.mediaPlayer != nullptr, GetParam().mediaPlayer);
    EXPECT_EQ(player.eventManager, nullptr);
    EXPECT_EQ(count(calls(), "libvlc_video_set_key_input(0)"), 0) << "nothing after the failed step";

    player.release();
    int instances = -1, players = -1, media = -1;
    fake.liveCounts(&instances, &players, &media);
    EXPECT_EQ(instances + players + media, 0) << "what init made is released";
    fake.releaseCounts(&instances, &players, &media);
    EXPECT_EQ(instances, GetParam().instance ? 1 : 0);
    EXPECT_EQ(players, GetParam().mediaPlayer ? 1 : 0);
    EXPECT_FALSE(player.open(L"C:\\clips\\clip.m2ts"));
}

INSTANTIATE_TEST_SUITE_P(Steps, VlcPlayerWineInitFailure,
                         ::testing::Values(InitFailure{"libvlc_new", false, false},
                                           InitFailure{"libvlc_media_player_new", true, false},
                                           InitFailure{"libvlc_media_player_event_manager", true, true}),
                         [](const auto& info) { return std::string(info.param.entry); });

// --- open ----------------------------------------------------------------------------------

struct PathCase {
    const char* name;
    std::wstring path;
    std::string utf8;
};

class VlcPlayerWinePaths : public VlcPlayerWine, public ::testing::WithParamInterface<PathCase> {};

TEST_P(VlcPlayerWinePaths, OpenHandsTheWholePathToTheEngineAsUtf8)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    const std::size_t mark = calls().size();
    ASSERT_TRUE(player.open(GetParam().path.c_str()));
    const std::vector<std::string> expected = {
        "libvlc_media_player_is_playing",
        "libvlc_media_new_path(" + GetParam().utf8 + ")",
        "libvlc_media_player_set_media(3)",
    };
    EXPECT_EQ(callsSince(mark), expected);
    EXPECT_NE(player.media, nullptr);
}

const std::wstring kLongFolder(150, L'\u00fc'); // 300 bytes of UTF-8 in 150 characters
const std::string kLongFolderUtf8 = [] {
    std::string s;
    for (int i = 0; i < 150; ++i)
        s += "\xc3\xbc";
    return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Paths, VlcPlayerWinePaths,
    ::testing::Values(PathCase{"Ascii", L"C:\\clips\\clip-2s.m2ts", "C:\\clips\\clip-2s.m2ts"},
                      PathCase{"Umlauts", L"C:\\clips\\Nachtfahrt \u00fcber die Br\u00fccke.m2ts",
                               "C:\\clips\\Nachtfahrt \xc3\xbc" "ber die Br\xc3\xbc" "cke.m2ts"},
                      PathCase{"Japanese", L"C:\\\u591c\u306e\u8857 \u2013 clip.m2ts",
                               "C:\\\xe5\xa4\x9c\xe3\x81\xae\xe8\xa1\x97 \xe2\x80\x93 clip.m2ts"},
                      PathCase{"OutsideTheBasicPlane", L"C:\\\U0001F3AC.m2ts", "C:\\\xf0\x9f\x8e\xac.m2ts"},
                      PathCase{"LongerThan259Bytes", L"C:\\" + kLongFolder + L"\\clip.m2ts",
                               "C:\\" + kLongFolderUtf8 + "\\clip.m2ts"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VlcPlayerWine, OpenOnAPlayingPlayerStopsItFirstAndClearsTheLength)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    fake.setLength(2660);
    ASSERT_NO_FATAL_FAILURE(playing());
    ASSERT_EQ(player.getLength(), 2660);

    const std::size_t mark = calls().size();
    ASSERT_TRUE(player.open(L"C:\\clips\\next.m2ts"));
    const std::vector<std::string> expected = {
        "libvlc_media_player_is_playing",    "libvlc_media_player_stop",
        "libvlc_media_release(3)",           "libvlc_media_new_path(C:\\clips\\next.m2ts)",
        "libvlc_media_player_set_media(4)",
    };
    EXPECT_EQ(callsSince(mark), expected);
    EXPECT_EQ(player.cachedLength.load(), 0);
}

TEST_F(VlcPlayerWine, OpenOnAPausedPlayerDoesNotStopItAndKeepsTheLength)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    fake.setLength(2660);
    ASSERT_NO_FATAL_FAILURE(playing());
    ASSERT_EQ(player.getLength(), 2660);
    player.pause();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Paused; }));

    const std::size_t mark = calls().size();
    ASSERT_TRUE(player.open(L"C:\\clips\\next.m2ts"));
    EXPECT_EQ(count(callsSince(mark), "libvlc_media_player_stop"), 0);
    EXPECT_EQ(player.cachedLength.load(), 2660);
    EXPECT_EQ(player.getLength(), 2660);
    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);
}

TEST_F(VlcPlayerWine, OpenFailsWhenTheEngineMakesNoMediaAndTheOldMediaStaysSet)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    ASSERT_TRUE(player.open(L"C:\\clips\\first.m2ts"));
    fake.fail("libvlc_media_new_path", 1);
    const std::size_t mark = calls().size();
    EXPECT_FALSE(player.open(L"C:\\clips\\second.m2ts"));
    EXPECT_EQ(player.media, nullptr);
    const std::vector<std::string> expected = {
        "libvlc_media_player_is_playing",
        "libvlc_media_release(3)",
        "libvlc_media_new_path(C:\\clips\\second.m2ts)",
    };
    EXPECT_EQ(callsSince(mark), expected);
    int instances = 0, players = 0, media = 0;
    fake.liveCounts(&instances, &players, &media);
    EXPECT_EQ(media, 1) << "the media player keeps its own reference to the first media";

    fake.fail("libvlc_media_new_path", 0);
    EXPECT_TRUE(player.open(L"C:\\clips\\third.m2ts"));
}

TEST_F(VlcPlayerWine, ThreeOpensKeepOneMediaReferencedAndReleaseFreesEachObjectOnce)
{
    auto* own = new VlcPlayer;
    ASSERT_TRUE(own->init(nullptr));
    for (const wchar_t* path : {L"C:\\a.m2ts", L"C:\\b.m2ts", L"C:\\c.m2ts"})
        ASSERT_TRUE(own->open(path));
    int instances = 0, players = 0, media = 0;
    fake.liveCounts(&instances, &players, &media);
    EXPECT_EQ(instances, 1);
    EXPECT_EQ(players, 1);
    EXPECT_EQ(media, 1);

    const std::size_t mark = calls().size();
    own->release();
    const std::vector<std::string> expected = {
        "libvlc_media_player_release(2)",
        "libvlc_media_release(5)",
        "libvlc_release(1)",
    };
    EXPECT_EQ(callsSince(mark), expected);
    EXPECT_EQ(own->instance, nullptr);
    EXPECT_EQ(own->mediaPlayer, nullptr);
    EXPECT_EQ(own->media, nullptr);
    fake.liveCounts(&instances, &players, &media);
    EXPECT_EQ(instances + players + media, 0);

    // What is released is not released again, neither by release nor by the destructor.
    own->release();
    delete own;
    EXPECT_EQ(callsSince(mark), expected);
}

TEST_F(VlcPlayerWine, DestructorReleasesWhatIsStillHeldInOrder)
{
    auto* own = new VlcPlayer;
    ASSERT_TRUE(own->init(nullptr));
    ASSERT_TRUE(own->open(L"C:\\a.m2ts"));
    const std::size_t mark = calls().size();
    delete own;
    const std::vector<std::string> expected = {
        "libvlc_media_player_release(2)",
        "libvlc_media_release(3)",
        "libvlc_release(1)",
    };
    EXPECT_EQ(callsSince(mark), expected);
}

// --- states, events and the length ---------------------------------------------------------

TEST_F(VlcPlayerWine, PlayPauseStopFollowTheEngineAndEventsComeOnItsThread)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    fake.setLength(3000);
    ASSERT_NO_FATAL_FAILURE(playing());
    const DWORD engineThread = fake.eventThreadId();
    ASSERT_NE(engineThread, 0u);
    ASSERT_NE(engineThread, GetCurrentThreadId());
    EXPECT_TRUE(player.isPlaying());

    fake.advance(500);
    fake.drain();
    EXPECT_EQ(player.getTime(), 500);
    player.pause();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Paused; }));
    EXPECT_FALSE(player.isPlaying());
    player.play();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));
    fake.end();
    fake.drain();
    EXPECT_EQ(player.getState(), PlayerState::Ended);
    player.stop();
    EXPECT_EQ(player.getState(), PlayerState::Stopped) << "stop returns once the engine has stopped";

    ASSERT_EQ(log.of(libvlc_MediaPlayerPlaying).size(), 2u);
    ASSERT_EQ(log.of(libvlc_MediaPlayerTimeChanged).size(), 1u);
    EXPECT_EQ(log.of(libvlc_MediaPlayerTimeChanged)[0].newTime, 500);
    ASSERT_EQ(log.of(libvlc_MediaPlayerPaused).size(), 1u);
    ASSERT_EQ(log.of(libvlc_MediaPlayerEndReached).size(), 1u);
    ASSERT_EQ(log.of(libvlc_MediaPlayerStopped).size(), 1u);
    for (int type : {libvlc_MediaPlayerPlaying, libvlc_MediaPlayerTimeChanged, libvlc_MediaPlayerPaused,
                     libvlc_MediaPlayerEndReached}) {
        for (const EventLog::Seen& s : log.of(type)) {
            EXPECT_EQ(s.thread, engineThread) << type;
            EXPECT_EQ(s.userData, nullptr) << type;
        }
    }
    // Like libvlc, the engine raises Stopped on the thread that stops.
    EXPECT_EQ(log.of(libvlc_MediaPlayerStopped)[0].thread, GetCurrentThreadId());
}

TEST_F(VlcPlayerWine, LengthIsAskedUntilPositiveThenKeptUntilStop)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    const std::string ask = "libvlc_media_player_get_length";
    ASSERT_TRUE(player.open(L"C:\\clips\\clip.m2ts"));
    std::size_t mark = calls().size();
    EXPECT_EQ(player.getLength(), -1) << "no input yet";
    EXPECT_EQ(player.cachedLength.load(), -1);

    fake.setLength(0);
    player.play();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(count(callsSince(mark), ask), 3) << "a non-positive length is asked for again";

    fake.setLength(2660);
    mark = calls().size();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(player.getLength(), 2660);
    fake.setLength(9999);
    EXPECT_EQ(player.getLength(), 2660) << "a positive length is kept";
    EXPECT_EQ(count(callsSince(mark), ask), 1);

    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);
    player.play();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));
    EXPECT_EQ(player.getLength(), 9999) << "learnt afresh after the stop";
}

TEST_F(VlcPlayerWine, LengthAskedFromTheEngineThreadIsCachedToo)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    fake.setLength(3000);
    ASSERT_NO_FATAL_FAILURE(playing());
    static std::atomic<VlcPlayer*> target{nullptr};
    static std::atomic<std::int64_t> seen{0};
    target = &player;
    player.eventCallback = [](const libvlc_event_t*, void*) { seen = target.load()->getLength(); };
    player.attachEvents();
    fake.advance(260);
    fake.drain();
    EXPECT_EQ(seen.load(), 3000);
    EXPECT_EQ(player.cachedLength.load(), 3000);
    player.stop();
}

struct TrackCase {
    int count;
    bool video;
};

class VlcPlayerWineTracks : public VlcPlayerWine, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(VlcPlayerWineTracks, HasVideoFollowsTheTrackCountAlone)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    fake.setVideoTracks(GetParam().count);
    ASSERT_NO_FATAL_FAILURE(playing());
    EXPECT_EQ(player.hasVideo(), GetParam().video);
}

INSTANTIATE_TEST_SUITE_P(Counts, VlcPlayerWineTracks,
                         ::testing::Values(TrackCase{2, true}, TrackCase{1, true}, TrackCase{0, false},
                                           TrackCase{-1, true}),
                         [](const auto& info) {
                             return info.param.count < 0 ? std::string("Negative")
                                                         : "Count" + std::to_string(info.param.count);
                         });

// --- volume, mute, seeking, window -------------------------------------------------------

TEST_F(VlcPlayerWine, VolumeMuteSeekAndWindowReachTheEngine)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    ASSERT_NO_FATAL_FAILURE(playing());
    std::size_t mark = calls().size();

    EXPECT_TRUE(player.setVolume(37));
    EXPECT_EQ(player.getVolume(), 37);
    fake.fail("libvlc_audio_set_volume", 1);
    EXPECT_FALSE(player.setVolume(50)) << "a refused volume is reported";
    EXPECT_EQ(player.getVolume(), 37);

    EXPECT_FALSE(player.isMuted());
    player.toggleMute();
    EXPECT_TRUE(player.isMuted());
    player.toggleMute();
    EXPECT_FALSE(player.isMuted());

    player.setTime(12345);
    EXPECT_EQ(player.getTime(), 12345);
    const auto window = reinterpret_cast<NativeWindow>(std::uintptr_t(0x5a5a0));
    player.setWindow(window);
    char text[32];
    std::snprintf(text, sizeof text, "%p", window);

    const std::vector<std::string> expected = {
        "libvlc_audio_set_volume(37)",
        "libvlc_audio_get_volume",
        "libvlc_audio_set_volume(50)",
        "libvlc_audio_get_volume",
        "libvlc_audio_get_mute",
        "libvlc_audio_get_mute",
        "libvlc_audio_set_mute(1)",
        "libvlc_audio_get_mute",
        "libvlc_audio_get_mute",
        "libvlc_audio_set_mute(0)",
        "libvlc_audio_get_mute",
        "libvlc_media_player_set_time(12345)",
        "libvlc_media_player_get_time",
        std::string("libvlc_media_player_set_hwnd(") + text + ")",
    };
    EXPECT_EQ(callsSince(mark), expected);
}

TEST_F(VlcPlayerWine, AReleasedPlayerCallsNothing)
{
    ASSERT_NO_FATAL_FAILURE(ready());
    ASSERT_NO_FATAL_FAILURE(playing());
    player.release();
    const std::size_t mark = calls().size();
    player.cachedLength = 1000;
    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);
    player.play();
    player.pause();
    player.setTime(5);
    player.toggleMute();
    EXPECT_FALSE(player.open(L"C:\\a.m2ts"));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.getTime(), 0);
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(player.getVolume(), 0);
    EXPECT_FALSE(player.setVolume(10));
    EXPECT_EQ(player.getState(), 0);
    EXPECT_FALSE(player.isMuted());
    EXPECT_FALSE(player.hasVideo());
    EXPECT_TRUE(callsSince(mark).empty());
}

} // namespace
