// Engine events reach the main window as posted messages, without waiting for the
// user-interface thread; a file the engine could not play is reported later, by the main window.
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/ShellMessages.h"
#include "shell/ShellView.h"
#include "e2e/PlayerProcess.h"

#include "ui/WindowToolkit.h"

#include <vlc/vlc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

namespace {

int takeQueued(HWND hWnd, UINT msg)
{
    int n = 0;
    MSG m;
    while (PeekMessageW(&m, hWnd, msg, msg, PM_REMOVE)) {
        ++n;
        DispatchMessageW(&m);
    }
    return n;
}

DWORD WINAPI runJob(void* p)
{
    auto* fn = static_cast<std::function<void()>*>(p);
    (*fn)();
    delete fn;
    return 0;
}

// Runs f on a thread of its own, as the engine would; false when it has not finished in time.
bool runsWithin(std::function<void()> f, DWORD timeoutMs)
{
    auto* job = new std::function<void()>(std::move(f));
    HANDLE thread = CreateThread(nullptr, 0, runJob, job, 0, nullptr);
    if (!thread)
        return false;
    const bool done = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return done;
}

// Watches for the one message box of the program, owned by owner; records its texts and
// closes it.
class BoxWatcher {
public:
    explicit BoxWatcher(HWND owner)
        : thread([this, owner] {
              HWND box = nullptr;
              if (e2e::waitFor([&] { return (box = e2e::findOwnedDialog(owner, L"Vesperine")) != nullptr; }, 10000)) {
                  texts = e2e::childTexts(box);
                  PostMessageW(box, WM_COMMAND, IDOK, 0);
                  seen = true;
              }
          })
    {
    }
    ~BoxWatcher()
    {
        if (thread.joinable())
            thread.join();
    }
    void join() { thread.join(); }

    bool seen = false;
    std::vector<std::wstring> texts;

private:
    std::thread thread;
};

class ShellViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppContext& ctx = appContext();
        ctx = AppContext{};
        ctx.hInstance = GetModuleHandleW(nullptr);
        registerWindowClass(0, kMainWindowClass, ctx.hInstance, mainWndProc);
        ctx.hMainWnd = CreateWindowExW(0, kMainWindowClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                       nullptr, ctx.hInstance, nullptr);
        ASSERT_NE(ctx.hMainWnd, nullptr);
        ShowWindow(ctx.hMainWnd, SW_SHOW);
        ctx.view = &view;
    }
    void TearDown() override
    {
        AppContext& ctx = appContext();
        ctx.view = nullptr;
        DestroyWindow(ctx.hMainWnd);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            ;
        ctx = AppContext{};
    }

    ShellView view;
};

TEST_F(ShellViewTest, EngineEventsArePostedWithoutWaitingForTheUserInterfaceThread)
{
    // This thread does not pump messages while the "engine" runs: a hand-over that waited for
    // it would hang here.
    ASSERT_TRUE(runsWithin(
        [this] {
            view.deliverEvent(libvlc_MediaPlayerPlaying);
            for (int i = 0; i < 200; ++i)
                view.deliverEvent(libvlc_MediaPlayerTimeChanged);
            view.deliverEvent(libvlc_MediaPlayerPaused);
        },
        10000))
        << "the engine thread waited";

    // Every state event arrives, in order; the time changes as one message until it is handled.
    const HWND main = appContext().hMainWnd;
    std::vector<WPARAM> events;
    MSG m;
    while (PeekMessageW(&m, main, WM_SHELL_ENGINE_EVENT, WM_SHELL_ENGINE_EVENT, PM_REMOVE)) {
        events.push_back(m.wParam);
        DispatchMessageW(&m);
    }
    const std::vector<WPARAM> expected = {libvlc_MediaPlayerPlaying, libvlc_MediaPlayerTimeChanged,
                                          libvlc_MediaPlayerPaused};
    EXPECT_EQ(events, expected);

    ASSERT_TRUE(runsWithin(
        [this] {
            view.deliverEvent(libvlc_MediaPlayerTimeChanged);
            view.deliverEvent(libvlc_MediaPlayerTimeChanged);
        },
        10000));
    EXPECT_EQ(takeQueued(main, WM_SHELL_ENGINE_EVENT), 1) << "a handled time change lets the next one through";
}

TEST_F(ShellViewTest, AnUnplayableFileIsReportedLaterByTheMainWindow)
{
    const HWND main = appContext().hMainWnd;
    view.reportUnplayable(L"C:\\clip.m2ts");
    // Nothing is shown from inside the call.
    EXPECT_EQ(e2e::findOwnedDialog(main, L"Vesperine"), nullptr);

    BoxWatcher watcher(main);
    EXPECT_EQ(takeQueued(main, WM_SHELL_UNPLAYABLE), 1);
    watcher.join();
    ASSERT_TRUE(watcher.seen) << "no message box";
    EXPECT_NE(std::find(watcher.texts.begin(), watcher.texts.end(), L"Could not load the file"), watcher.texts.end());
}

} // namespace
