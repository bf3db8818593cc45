// The whole shell started in this process over the test engine that lies beside the exe, with
// the program's own message loop for the test to pump.
#pragma once

#include "shell/AppContext.h"
#include "fakes/FakeLibVlc.h"

#include "playback/PlayLogic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Watches for the program's message box owned by owner; records its texts and closes it.
class BoxWatcher {
public:
    BoxWatcher(HWND owner, DWORD timeoutMs);
    ~BoxWatcher() { join(); }
    void join()
    {
        if (thread.joinable())
            thread.join();
    }

    int boxes = 0;
    std::vector<std::wstring> texts;

private:
    std::thread thread;
};

// A drop of these files, as the shell receives it with WM_DROPFILES.
HGLOBAL makeDrop(const std::vector<std::wstring>& files);

class ShellFixture : public ::testing::Test {
public:     // the cases' checks reach the helpers through a reference
    static constexpr std::int64_t kClipLength = 60000;

    void SetUp() override;
    void TearDown() override;

    // The program's own message loop, for a while.
    bool pumpUntil(const std::function<bool()>& cond, DWORD timeoutMs);
    void pump(DWORD ms) { pumpUntil([] { return false; }, ms); }

    PlayLogic& logic() { return *appContext().playLogic; }
    int state();
    FakeEngine engine() { return FakeEngine(GetModuleHandleW(L"libvlc.dll")); }

    // Opens a clip of the folder and waits until it plays, 10 s into its 60 s.
    void playClip(const wchar_t* name);
    void command(UINT id) { SendMessageW(main, WM_COMMAND, id, 0); }
    // A key press through the program's accelerators.
    void key(UINT vk);
    std::wstring title();

    // clip1.m2ts, clip2.m2ts, clip3.m2ts and notes.txt, each holding "x".
    std::wstring folder;
    HWND main = nullptr;
    HACCEL accelerators = nullptr;
    bool quit = false;
    int quitCode = -1;
};
