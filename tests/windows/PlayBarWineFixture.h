// The play bar under Wine: a bar in a plain parent window standing in for the main window,
// with a play logic whose player reports what the test sets.
#pragma once

#include "ui/playbar/PlayBar.h"

#include "playback/PlayLogic.h"
#include "shell/AppContext.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace playbar_wine {

constexpr int kBarHeight = 36;

// A player that reports the state, time and length the test gives it and records seeks.
class BarTestPlayer : public MediaPlayer {
public:
    PlayerKind kind() const override { return playerKind; }
    bool init(NativeWindow) override { return true; }
    void release() override {}
    bool open(const wchar_t*) override { return true; }
    void play() override { state = PlayerState::Playing; }
    bool isPlaying() override { return state == PlayerState::Playing; }
    void pause() override { state = PlayerState::Paused; }
    void stop() override { state = PlayerState::Stopped; }
    std::int64_t getTime() override { return time; }
    std::int64_t getLength() override { return length; }
    void setTime(std::int64_t ms) override
    {
        std::lock_guard<std::mutex> lock(seeksLock);
        seeks.push_back(ms);
    }
    int getVolume() override { return 100; }
    bool setVolume(int) override { return true; }
    int getState() override { return state; }
    void setWindow(NativeWindow) override {}
    bool isMuted() override { return false; }
    void toggleMute() override {}

    std::vector<std::int64_t> takeSeeks()
    {
        std::lock_guard<std::mutex> lock(seeksLock);
        return std::exchange(seeks, {});
    }

    PlayerKind playerKind = PlayerKind::Vlc;
    std::atomic<int> state{PlayerState::Stopped};
    std::atomic<std::int64_t> time{0};
    std::atomic<std::int64_t> length{0};

private:
    std::mutex seeksLock;
    std::vector<std::int64_t> seeks;
};

// The play logic's way to the bar, as the shell gives it.
class BarView : public PlaybackView {
public:
    // No engine runs here: the tests call the bar's updates themselves, from either thread.
    void deliverEvent(int) override {}
    NativeWindow mainWindow() const override { return appContext().hMainWnd; }
    bool openVideo(PlayerKind) override { return false; }
    void resetAfterStop() override { bar()->resetAfterStop(); }
    void updateVolume() override { bar()->updateVolume(); }
    void reportUnplayable(const std::wstring&) override {}
    NativeWindow videoSurface() const override { return nullptr; }
    bool isVideoSurfaceHidden() const override { return false; }
    void showVideo(bool) override {}
    void updateButtons() override { bar()->updateButtons(); }
    void updateTime() override { bar()->updateTime(); }

private:
    static PlayBar* bar() { return PlayBar::instance(); }
};

// What the parent (standing in for the main window) received: WM_COMMAND and WM_SIZE (0, 0).
extern std::vector<std::pair<UINT, WPARAM>> received;

// Dispatches every waiting message of this thread.
void pump();

struct GdiplusOn {
    GdiplusOn()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    }
    ~GdiplusOn() { Gdiplus::GdiplusShutdown(token); }
    ULONG_PTR token = 0;
};

// Runs f on another thread; true when it finished within the time. The caller's thread does
// not dispatch messages meanwhile: it is as blocked as a user-interface thread inside stop.
template <typename F>
bool finishesWhileBlocked(F f, DWORD timeoutMs)
{
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        f();
        SetEvent(done);
    });
    const bool finished = WaitForSingleObject(done, timeoutMs) == WAIT_OBJECT_0;
    if (!finished) {
        // Let it run to its end so that the thread can be joined.
        while (WaitForSingleObject(done, 10) != WAIT_OBJECT_0)
            pump();
    }
    worker.join();
    CloseHandle(done);
    return finished;
}
LRESULT CALLBACK parentProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

class PlayBarTest : public ::testing::Test {
protected:
    // One parent for the whole suite: without a window manager Wine waits seconds for a
    // destroyed top-level window to be withdrawn.
    static void SetUpTestSuite()
    {
        gdiplus = new GdiplusOn();
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"PlayBarTestParent";
        RegisterClassExW(&wc);
        parent = CreateWindowExW(0, L"PlayBarTestParent", L"Play bar", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
            40, 40, 900, 300, nullptr, nullptr, wc.hInstance, nullptr);
        ShowWindow(parent, SW_SHOW);
        pump();
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(parent);
        parent = nullptr;
        pump();
        delete gdiplus;
        gdiplus = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(parent);
        AppContext& ctx = appContext();
        ctx.hInstance = GetModuleHandleW(nullptr);
        ctx.fullScreen = FALSE;
        ctx.hMainWnd = parent;
        logic = new PlayLogic(view);
        logic->player.store(&player);
        ctx.playLogic = logic;
        bar = PlayBar::instance();
        ASSERT_TRUE(bar);
        ctx.playBar = bar;
        ASSERT_TRUE(bar->create(ctx.hInstance, parent));
        ASSERT_TRUE(bar->initTooltipsAndFont());
        pump();
        received.clear();
    }

    void TearDown() override
    {
        AppContext& ctx = appContext();
        if (bar)
            bar->destroyWindows();
        ctx.playBar = nullptr;
        PlayBar::releaseInstance();
        if (logic) {
            logic->player.store(nullptr);
            delete logic;
        }
        ctx.playLogic = nullptr;
        ctx.hMainWnd = nullptr;
        pump();
    }

    // Places the bar at the bottom of the parent, width w, and lets it lay itself out.
    void placeBar(int w)
    {
        RECT rc;
        GetClientRect(parent, &rc);
        MoveWindow(bar->hWnd, 0, rc.bottom - kBarHeight, w, kBarHeight, TRUE);
        UpdateWindow(bar->hWnd);
        pump();
    }

    RECT rectOf(int id)
    {
        RECT r = {};
        EXPECT_TRUE(bar->controlRect(id, r)) << id;
        return r;
    }

    bool visible(int id) { return IsWindowVisible(GetDlgItem(bar->hWnd, id)) != FALSE; }
    bool enabled(int id) { return IsWindowEnabled(GetDlgItem(bar->hWnd, id)) != FALSE; }

    BarView view;
    BarTestPlayer player;
    PlayLogic* logic = nullptr;
    PlayBar* bar = nullptr;

    // GDI+ runs from before the first bar to after the last one.
    static GdiplusOn* gdiplus;
    static HWND parent;
};

} // namespace playbar_wine
