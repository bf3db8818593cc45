// VlcPlayer against Debian's real libvlc and the clips made by scripts/fixtures. No window is
// needed: video and audio go to libvlc's dummy outputs unless a test says otherwise.
#include "playback/VlcPlayer.h"
#include "platform/Platform.h"

#include "TempFolder.h"

#include "EnginePlugins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::string mediaFile(const std::string& name) { return std::string(VESPERINE_MEDIA_DIR) + "/" + name; }
std::wstring wide(const std::string& utf8) { return platform::fromUtf8(utf8); }

template <class Pred>
bool waitFor(Pred pred, std::chrono::milliseconds limit = 10s)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// What the engine delivered to eventCallback. The callback gets no user data, so the log of
// the running test is reached through one pointer.
struct EventLog {
    struct Seen {
        int type;
        std::thread::id thread;
        void* userData;
    };
    std::mutex lock;
    std::vector<Seen> seen;

    bool has(int type)
    {
        std::lock_guard<std::mutex> hold(lock);
        return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) { return s.type == type; });
    }
    std::vector<Seen> copy()
    {
        std::lock_guard<std::mutex> hold(lock);
        return seen;
    }
};
std::atomic<EventLog*> currentLog{nullptr};

void recordEvent(const libvlc_event_t* event, void* userData)
{
    if (EventLog* log = currentLog.load()) {
        std::lock_guard<std::mutex> hold(log->lock);
        log->seen.push_back({event->type, std::this_thread::get_id(), userData});
    }
}


class VlcPlayerTest : public ::testing::Test {
protected:
    // Ready player with the dummy outputs (or the given ones), events recorded.
    void start(std::vector<std::string> options = {"--vout=dummy", "--aout=dummy"})
    {
        player.extraOptions = std::move(options);
        ASSERT_TRUE(player.init(nullptr));
        currentLog = &log;
        player.eventCallback = recordEvent;
        player.attachEvents();
    }
    // Opens and plays a file until libvlc reports it playing with a known length.
    void playUntilUnderWay(const std::string& path)
    {
        ASSERT_TRUE(player.open(wide(path).c_str())) << path;
        player.play();
        ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; })) << path;
        ASSERT_TRUE(waitFor([&] { return player.getLength() > 0; })) << path;
    }
    void TearDown() override
    {
        player.release(); // joins libvlc's threads: no event arrives after this
        currentLog = nullptr;
    }

    EventLog log;
    VlcPlayer player;
};

// --- Without a media player every call is harmless -------------------------------------

enum class Lifecycle { NeverInitialised, Released };
void PrintTo(Lifecycle l, std::ostream* os) { *os << (l == Lifecycle::Released ? "released" : "never initialised"); }

class VlcPlayerWithoutEngineObjects : public ::testing::TestWithParam<Lifecycle> {};

TEST_P(VlcPlayerWithoutEngineObjects, GettersAreZeroCommandsDoNothingStopClearsTheCache)
{
    VlcPlayer player;
    if (GetParam() == Lifecycle::Released) {
        player.extraOptions = {"--vout=dummy", "--aout=dummy"};
        ASSERT_TRUE(player.init(nullptr));
        ASSERT_TRUE(player.open(wide(mediaFile("clip-2s.m2ts")).c_str()));
        player.release();
        EXPECT_EQ(player.instance, nullptr);
        EXPECT_EQ(player.mediaPlayer, nullptr);
        EXPECT_EQ(player.media, nullptr);
    }

    EXPECT_EQ(player.kind(), PlayerKind::Vlc);
    EXPECT_FALSE(player.open(wide(mediaFile("clip-2s.m2ts")).c_str()));
    EXPECT_EQ(player.media, nullptr);
    player.play();
    player.pause();
    player.setTime(1000);
    player.toggleMute();
    player.setWindow(reinterpret_cast<NativeWindow>(std::uintptr_t(0x1234)));
    player.eventCallback = recordEvent;
    player.attachEvents(); // the released player's event manager is gone with it
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.getTime(), 0);
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(player.getVolume(), 0);
    EXPECT_FALSE(player.setVolume(50));
    EXPECT_EQ(player.getState(), 0);
    EXPECT_FALSE(player.isMuted());
    EXPECT_FALSE(player.hasVideo());

    player.cachedLength = 4321;
    EXPECT_EQ(player.getLength(), 0) << "no cached length is reported without a media player";
    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);

    player.release(); // a second release finds nothing to release
    EXPECT_EQ(player.mediaPlayer, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Lifecycles, VlcPlayerWithoutEngineObjects,
                         ::testing::Values(Lifecycle::NeverInitialised, Lifecycle::Released),
                         [](const auto& info) {
                             return info.param == Lifecycle::Released ? "AfterRelease" : "InitNeverCalled";
                         });

// --- Playback states and the cached length ---------------------------------------------

TEST_F(VlcPlayerTest, InitCreatesInstancePlayerAndEventManagerButNoMedia)
{
    start();
    EXPECT_NE(player.instance, nullptr);
    EXPECT_NE(player.mediaPlayer, nullptr);
    EXPECT_NE(player.eventManager, nullptr);
    EXPECT_EQ(player.media, nullptr);
    EXPECT_EQ(player.getState(), PlayerState::NothingSpecial);
}

TEST_F(VlcPlayerTest, LengthIsAskedAgainUntilPositiveThenPlayPauseStopFollowTheEngine)
{
    start();
    ASSERT_TRUE(player.open(wide(mediaFile("clip-2s.m2ts")).c_str()));
    EXPECT_NE(player.media, nullptr);
    EXPECT_FALSE(player.isPlaying()) << "open does not start playback";

    // Nothing is known before playback: libvlc's non-positive answer is stored, not kept.
    const std::int64_t before = player.getLength();
    EXPECT_LE(before, 0);
    EXPECT_EQ(player.cachedLength.load(), before);

    player.play();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));
    EXPECT_TRUE(player.isPlaying());
    ASSERT_TRUE(waitFor([&] { return player.getLength() > 0; })) << "the length is asked for again";
    const std::int64_t length = player.getLength();
    EXPECT_GT(length, 1500);
    EXPECT_LT(length, 3000);
    EXPECT_EQ(player.cachedLength.load(), length);
    EXPECT_TRUE(waitFor([&] { return player.getTime() > 0; }));

    player.pause();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Paused; }));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.cachedLength.load(), length) << "pausing keeps the length";

    player.stop();
    EXPECT_TRUE(waitFor([&] { return player.getState() == PlayerState::Stopped; }));
    EXPECT_EQ(player.cachedLength.load(), 0);
    EXPECT_LE(player.getLength(), 0) << "a stopped player has no length to report";
}

TEST_F(VlcPlayerTest, OpenOnAPausedPlayerKeepsTheOldLengthUntilStop)
{
    start();
    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("clip-2s.m2ts")));
    const std::int64_t first = player.getLength();
    player.pause();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Paused; }));

    ASSERT_TRUE(player.open(wide(mediaFile("clip-3s.m2ts")).c_str()));
    EXPECT_FALSE(log.has(libvlc_MediaPlayerStopped)) << "a paused player is not stopped by open";
    // The cache answers without asking libvlc, which no longer plays the first clip.
    EXPECT_EQ(player.cachedLength.load(), first);
    EXPECT_EQ(player.getLength(), first);

    player.stop();
    EXPECT_EQ(player.cachedLength.load(), 0);
    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("clip-3s.m2ts")));
    EXPECT_GT(player.getLength(), first) << "the longer clip's own length is learnt after the stop";
}

TEST_F(VlcPlayerTest, OpenOnAPlayingPlayerStopsItAndClearsTheLength)
{
    start();
    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("clip-2s.m2ts")));
    ASSERT_GT(player.cachedLength.load(), 0);

    ASSERT_TRUE(player.open(wide(mediaFile("clip-3s.m2ts")).c_str()));
    EXPECT_TRUE(log.has(libvlc_MediaPlayerStopped));
    EXPECT_EQ(player.cachedLength.load(), 0);
    EXPECT_FALSE(player.isPlaying());

    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("clip-3s.m2ts")));
    EXPECT_GT(player.getLength(), 2500);
}

TEST_F(VlcPlayerTest, SetTimeSeeks)
{
    start();
    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("sample.m2ts")));
    player.setTime(12000);
    EXPECT_TRUE(waitFor([&] { return player.getTime() >= 11000; })) << "time " << player.getTime();
    player.stop();
}

// --- Video track ------------------------------------------------------------------------

struct VideoCase {
    const char* file;
    bool video;
};
void PrintTo(const VideoCase& c, std::ostream* os) { *os << c.file; }

class VlcPlayerHasVideo : public VlcPlayerTest, public ::testing::WithParamInterface<VideoCase> {};

TEST_P(VlcPlayerHasVideo, FollowsTheTrackCountOnceUnderWay)
{
    start();
    ASSERT_TRUE(player.open(wide(mediaFile(GetParam().file)).c_str()));
    // Before playback libvlc has no input and counts -1 tracks, which counts as video.
    EXPECT_TRUE(player.hasVideo());
    player.play();
    ASSERT_TRUE(waitFor([&] { return log.has(libvlc_MediaPlayerTimeChanged); }));
    EXPECT_EQ(player.hasVideo(), GetParam().video);
    player.stop();
}

INSTANTIATE_TEST_SUITE_P(Clips, VlcPlayerHasVideo,
                         ::testing::Values(VideoCase{"clip-2s.m2ts", true}, VideoCase{"audio-only.m2ts", false}),
                         [](const auto& info) { return info.param.video ? "VideoClip" : "AudioOnly"; });

// --- Paths ------------------------------------------------------------------------------

// A path whose UTF-8 form passes 259 bytes, made of nested folders with non-ASCII names
// (two bytes per character) and ending in a link to a clip.
std::string makeLongPath(const TempFolder& temp)
{
    const std::string part = "Brücke-" + std::string(40, 'x') + "-üüüüü"; // 58 bytes
    std::string relative;
    for (int i = 0; i < 5; ++i) {
        relative += (relative.empty() ? "" : "/") + part;
        temp.folder(relative);
    }
    relative += "/Nachtfahrt über die Brücke – lang.m2ts";
    temp.symlink(mediaFile("clip-2s.m2ts"), relative);
    return temp.at(relative);
}

TEST_F(VlcPlayerTest, NonAsciiAndLongPathsOpenAndPlay)
{
    TempFolder temp;
    const std::string longPath = makeLongPath(temp);
    ASSERT_GT(longPath.size(), 259u);
    ASSERT_LT(wide(longPath).size(), longPath.size()) << "the UTF-8 form is longer than the wide one";

    start();
    for (const std::string& path :
         {mediaFile("Nachtfahrt über die Brücke.m2ts"), mediaFile("夜の街 – clip.m2ts"), longPath}) {
        SCOPED_TRACE(path);
        ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(path));
        EXPECT_GT(player.getLength(), 1500);
    }
}

TEST_F(VlcPlayerTest, UnplayableFilesEndPromptlyWithoutALength)
{
    start();
    for (const char* name : {"empty.m2ts", "truncated.m2ts", "corrupt.m2ts", "no-such-file.m2ts"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(player.open(wide(mediaFile(name)).c_str())) << "libvlc makes a media for any path";
        player.play();
        EXPECT_TRUE(waitFor([&] {
            const int state = player.getState();
            return state == PlayerState::Ended || state == PlayerState::Error;
        })) << "state " << player.getState();
        EXPECT_LE(player.getLength(), 0);
        player.stop();
    }
}

// --- Events -----------------------------------------------------------------------------

TEST_F(VlcPlayerTest, AttachedEventsArriveOnTheEnginesThreadWithoutUserData)
{
    start();
    ASSERT_TRUE(player.open(wide(mediaFile("clip-2s.m2ts")).c_str()));
    player.play();
    ASSERT_TRUE(waitFor([&] { return log.has(libvlc_MediaPlayerTimeChanged); }));
    player.pause();
    ASSERT_TRUE(waitFor([&] { return log.has(libvlc_MediaPlayerPaused); }));
    player.play();
    ASSERT_TRUE(waitFor([&] { return log.has(libvlc_MediaPlayerEndReached); }));

    const std::vector<EventLog::Seen> seen = log.copy();
    const auto testThread = std::this_thread::get_id();
    int playing = 0, timeChanged = 0;
    for (const EventLog::Seen& s : seen) {
        SCOPED_TRACE(s.type);
        EXPECT_EQ(s.userData, nullptr);
        // Only the five attached types arrive (not opening, buffering, length changed...).
        EXPECT_TRUE(s.type == libvlc_MediaPlayerTimeChanged || s.type == libvlc_MediaPlayerPlaying ||
                    s.type == libvlc_MediaPlayerPaused || s.type == libvlc_MediaPlayerStopped ||
                    s.type == libvlc_MediaPlayerEndReached);
        if (s.type == libvlc_MediaPlayerPlaying || s.type == libvlc_MediaPlayerTimeChanged ||
            s.type == libvlc_MediaPlayerEndReached) {
            EXPECT_NE(s.thread, testThread);
        }
        playing += s.type == libvlc_MediaPlayerPlaying;
        timeChanged += s.type == libvlc_MediaPlayerTimeChanged;
    }
    EXPECT_EQ(playing, 2) << "once at the start, once on resuming";
    EXPECT_GT(timeChanged, 1);
    EXPECT_EQ(player.getState(), PlayerState::Ended);
}

// --- References -------------------------------------------------------------------------

// libvlc reports a media's last release with MediaFreed on the media's own event manager.
std::atomic<int> mediaFreed{0};
void countFreed(const libvlc_event_t*, void*) { ++mediaFreed; }

TEST_F(VlcPlayerTest, EachOpenedMediaIsFreedOnceAndReleaseFreesTheLast)
{
    mediaFreed = 0;
    start();
    std::vector<libvlc_media_t*> opened;
    for (const char* name : {"clip-2s.m2ts", "clip-3s.m2ts", "audio-only.m2ts"}) {
        ASSERT_TRUE(player.open(wide(mediaFile(name)).c_str()));
        ASSERT_NE(player.media, nullptr);
        libvlc_event_attach(libvlc_media_event_manager(player.media), libvlc_MediaFreed, countFreed, nullptr);
        opened.push_back(player.media);
        // The media set before is released by the back end and by the media player: gone.
        EXPECT_EQ(mediaFreed.load(), int(opened.size()) - 1) << name;
    }
    player.play();
    ASSERT_TRUE(waitFor([&] { return player.getState() == PlayerState::Playing; }));

    player.release();
    EXPECT_EQ(mediaFreed.load(), 3);
    EXPECT_EQ(player.instance, nullptr);
    EXPECT_EQ(player.mediaPlayer, nullptr);
    EXPECT_EQ(player.media, nullptr);
    // The destructor (at the end of the test) finds nothing left to release.
}

TEST(VlcPlayerLifetime, DestructorReleasesAPlayingEngine)
{
    auto* player = new VlcPlayer;
    player->extraOptions = {"--vout=dummy", "--aout=dummy"};
    ASSERT_TRUE(player->init(nullptr));
    ASSERT_TRUE(player->open(wide(mediaFile("clip-2s.m2ts")).c_str()));
    player->play();
    ASSERT_TRUE(waitFor([&] { return player->getState() == PlayerState::Playing; }));
    delete player; // ASan reports a leaked or twice-released engine object
}

// --- Volume and mute --------------------------------------------------------------------

// libvlc's dummy audio output accepts a volume but never reports it back, and this machine
// has no sound device; the memory output keeps the volume in software, so it round-trips.
// libvlc reports a new volume or mute state a moment after accepting it.
TEST_F(VlcPlayerTest, VolumeAndMuteRoundTripWhilePlaying)
{
    start({"--vout=dummy", "--aout=amem"});
    ASSERT_NO_FATAL_FAILURE(playUntilUnderWay(mediaFile("clip-3s.m2ts")));
    for (int volume : {37, 0, 100}) {
        EXPECT_TRUE(player.setVolume(volume));
        EXPECT_TRUE(waitFor([&] { return player.getVolume() == volume; }, 2s))
            << "asked " << volume << ", reads " << player.getVolume();
    }
    ASSERT_FALSE(player.isMuted());
    player.toggleMute();
    EXPECT_TRUE(waitFor([&] { return player.isMuted(); }, 2s));
    player.toggleMute();
    EXPECT_TRUE(waitFor([&] { return !player.isMuted(); }, 2s));
    player.stop();
}

} // namespace
