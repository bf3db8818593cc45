// Recording fakes of the engine and of the windows, for play-logic tests that need exact
// control: seek targets and clamps, how often the engine is asked, opens that fail.
#pragma once

#include "playback/PlayLogic.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class FakePlayer : public MediaPlayer {
public:
    explicit FakePlayer(PlayerKind k = PlayerKind::Vlc) : k(k) {}

    PlayerKind kind() const override { return k; }
    bool init(NativeWindow owner) override { log("init"); initOwner = owner; return initResult; }
    void release() override { log("release"); }
    bool open(const wchar_t* path) override
    {
        log("open");
        opened.push_back(path);
        if (failingPaths.count(path))
            return false;
        state = PlayerState::Stopped;
        time = 0;
        return true;
    }
    void play() override
    {
        log("play");
        state = unplayablePaths.count(opened.empty() ? L"" : opened.back()) ? PlayerState::Error
                                                                              : PlayerState::Playing;
    }
    bool isPlaying() override
    {
        ++isPlayingAsked;
        if (state == PlayerState::Playing && stopAfterPolls > 0 && --stopAfterPolls == 0)
            state = pendingState;
        return state == PlayerState::Playing;
    }
    void pause() override
    {
        log("pause");
        if (state == PlayerState::Playing)
            state = PlayerState::Paused;
    }
    void stop() override
    {
        log("stop");
        cachedLength = 0;
        if (slowStopPolls > 0 && state == PlayerState::Playing) {
            stopAfterPolls = slowStopPolls;      // still playing for a few polls, like a real engine
            pendingState = PlayerState::Stopped;
        } else {
            state = PlayerState::Stopped;
        }
    }
    std::int64_t getTime() override { return time; }
    std::int64_t getLength() override { ++lengthAsked; return length; }
    void setTime(std::int64_t ms) override { log("setTime"); seekTargets.push_back(ms); time = ms; }
    int getVolume() override { return engineVolume; }
    bool setVolume(int v) override { log("setVolume"); engineVolume = v; return true; }
    int getState() override { return state; }
    void setWindow(NativeWindow w) override { log("setWindow"); window = w; }
    bool isMuted() override { return engineMuted; }
    void toggleMute() override { log("toggleMute"); engineMuted = !engineMuted; }
    bool hasVideo() override { return video; }

    void log(const char* what) { calls.push_back(what); }
    int count(const std::string& what) const
    {
        int n = 0;
        for (const auto& c : calls)
            n += c == what;
        return n;
    }

    PlayerKind k;
    bool initResult = true;
    NativeWindow initOwner = nullptr;
    NativeWindow window = nullptr;
    int state = PlayerState::NothingSpecial;
    std::int64_t time = 0;
    std::int64_t length = 0;
    int engineVolume = 0;
    bool engineMuted = false;
    bool video = true;
    int slowStopPolls = 0;
    int stopAfterPolls = 0;
    int pendingState = PlayerState::Stopped;
    int isPlayingAsked = 0;
    int lengthAsked = 0;
    std::set<std::wstring> failingPaths;     // open() refuses these
    std::set<std::wstring> unplayablePaths;  // play() ends in the error state
    std::vector<std::wstring> opened;
    std::vector<std::int64_t> seekTargets;
    std::vector<std::string> calls;
};

// Records what the play logic asks of the windows. Engine events are queued by deliverEvent
// (any thread) and applied by pump, which plays the user-interface thread's part.
class FakeView : public PlaybackView {
public:
    void deliverEvent(int type) override
    {
        std::lock_guard<std::mutex> lock(m);
        pending.push_back(type);
        if (std::this_thread::get_id() != uiThread)
            ++deliveredFromOtherThreads;
    }
    // Applies the queued events; returns how many.
    int pump(PlayLogic& logic)
    {
        std::vector<int> events;
        {
            std::lock_guard<std::mutex> lock(m);
            events.swap(pending);
        }
        for (int type : events)
            logic.applyEvent(type);
        return int(events.size());
    }
    int otherThreadDeliveries()
    {
        std::lock_guard<std::mutex> lock(m);
        return deliveredFromOtherThreads;
    }

    NativeWindow mainWindow() const override { return reinterpret_cast<NativeWindow>(0x1000); }
    bool openVideo(PlayerKind kind) override
    {
        record("openVideo");
        if (kind != PlayerKind::Vlc)
            return false;      // only the libvlc kind has a surface
        std::lock_guard<std::mutex> lock(m);
        hidden = true;
        return true;
    }
    void resetAfterStop() override { record("resetAfterStop"); }
    void updateVolume() override { record("updateVolume"); }
    void reportUnplayable(const std::wstring& path) override
    {
        record("reportUnplayable");
        std::lock_guard<std::mutex> lock(m);
        reported.push_back(path);
    }
    NativeWindow videoSurface() const override { return surface; }
    bool isVideoSurfaceHidden() const override
    {
        std::lock_guard<std::mutex> lock(m);
        return surface && hidden;
    }
    void showVideo(bool show) override
    {
        record(show ? "showVideo(1)" : "showVideo(0)");
        std::lock_guard<std::mutex> lock(m);
        hidden = !show;
    }
    void updateButtons() override { record("updateButtons"); }
    void updateTime() override { record("updateTime"); }

    void record(const std::string& what)
    {
        std::lock_guard<std::mutex> lock(m);
        calls.push_back(what);
    }
    std::vector<std::string> take()
    {
        std::lock_guard<std::mutex> lock(m);
        auto out = calls;
        calls.clear();
        return out;
    }
    int count(const std::string& what)
    {
        std::lock_guard<std::mutex> lock(m);
        int n = 0;
        for (const auto& c : calls)
            n += c == what;
        return n;
    }
    bool isHidden()
    {
        std::lock_guard<std::mutex> lock(m);
        return hidden;
    }

    NativeWindow surface = reinterpret_cast<NativeWindow>(0x2000);
    std::vector<std::wstring> reported;
    const std::thread::id uiThread = std::this_thread::get_id();

private:
    mutable std::mutex m;
    std::vector<int> pending;
    int deliveredFromOtherThreads = 0;
    bool hidden = true;
    std::vector<std::string> calls;
};

// A play logic whose engine is a FakePlayer the test can reach.
class TestPlayLogic : public PlayLogic {
public:
    using PlayLogic::PlayLogic;

    FakePlayer* fake() { return dynamic_cast<FakePlayer*>(player.load()); }

    int made = 0;
    bool nextInitResult = true;
    std::set<std::wstring> failingPaths;
    std::set<std::wstring> unplayablePaths;

protected:
    MediaPlayer* makePlayer(PlayerKind kind) override
    {
        ++made;
        auto* p = new FakePlayer(kind);
        p->initResult = nextInitResult;
        p->failingPaths = failingPaths;
        p->unplayablePaths = unplayablePaths;
        return p;
    }
};
