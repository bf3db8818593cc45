// The whole shell in this process, over the test engine that lies beside this exe: start-up
// and layout, the commands and their keys, the title, dropped files, the message for a file
// that cannot be played, and the teardown of the close path.
#include "ShellFixture.h"

#include "shell/Commands.h"
#include "shell/Shell.h"
#include "e2e/PlayerProcess.h"
#include "res/resource.h"

#include "ui/PlayWnd.h"
#include "ui/playbar/PlayBar.h"

#include <algorithm>

namespace {

class MainWindowTest : public ShellFixture {};

TEST_F(MainWindowTest, StartsWithTheVideoAt672By420AboveTheBar)
{
    AppContext& ctx = appContext();
    EXPECT_EQ(title(), L"Media Player");
    EXPECT_TRUE(IsWindowVisible(main));
    const int bar = ctx.playBar->height();
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 672);
    EXPECT_EQ(client.bottom, 420 + bar);

    ASSERT_TRUE(IsWindow(ctx.playWnd->hWnd));
    RECT video;
    GetWindowRect(ctx.playWnd->hWnd, &video);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&video), 2);
    EXPECT_EQ(video.left, 0);
    EXPECT_EQ(video.top, 0);
    EXPECT_EQ(video.right, 672);
    EXPECT_EQ(video.bottom, 420);
    EXPECT_TRUE(IsWindowVisible(ctx.playWnd->hWnd));
    if (ctx.playBar->hWnd) {
        RECT r;
        GetWindowRect(ctx.playBar->hWnd, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.top, 420);
        EXPECT_EQ(r.bottom - r.top, bar);
    }

    // The first tick names the program.
    EXPECT_TRUE(pumpUntil([&] { return title() == L"Vesperine"; }, 2000));
}

TEST_F(MainWindowTest, TitleNamesTheFileWhilePlayingOrPaused)
{
    playClip(L"clip2.m2ts");
    EXPECT_TRUE(pumpUntil([&] { return title() == L"Vesperine - clip2.m2ts"; }, 2000)) << testing::PrintToString(title());
    command(IDM_PAUSE);
    ASSERT_TRUE(pumpUntil([&] { return state() == 4; }, 5000));
    pump(400);
    EXPECT_EQ(title(), L"Vesperine - clip2.m2ts");
    command(IDM_STOP);
    EXPECT_TRUE(pumpUntil([&] { return title() == L"Vesperine"; }, 2000)) << testing::PrintToString(title());
}

TEST_F(MainWindowTest, KeysReachThePlayLogic)
{
    struct Case {
        const char* name;
        UINT vk;
        std::function<bool(MainWindowTest&)> holds;
    };
    const Case cases[] = {
        {"Space pauses", VK_SPACE, [](MainWindowTest& t) { return t.state() == 4; }},
        {"Right seeks forward", VK_RIGHT,
         [](MainWindowTest& t) { return t.logic().player.load()->getTime() == 15000; }},
        {"Left seeks back", VK_LEFT, [](MainWindowTest& t) { return t.logic().player.load()->getTime() == 5000; }},
        {"Down lowers the volume", VK_DOWN, [](MainWindowTest& t) { return t.logic().volume.load() == 90; }},
        {"M mutes", 'M', [](MainWindowTest& t) { return t.logic().muted.load(); }},
        {"Page Down plays the next file", VK_NEXT,
         [](MainWindowTest& t) { return t.logic().fileName == L"clip2.m2ts" && t.state() == 3; }},
        {"Page Up wraps to the last file", VK_PRIOR,
         [](MainWindowTest& t) { return t.logic().fileName == L"clip3.m2ts" && t.state() == 3; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        logic().setVolume(100);
        playClip(L"clip1.m2ts");
        ASSERT_EQ(logic().playList.count(), 3);
        key(c.vk);
        EXPECT_TRUE(pumpUntil([&] { return c.holds(*this); }, 3000));
    }
    // Up from muted starts at 0: 10, unmuted.
    logic().setVolume(50);
    key('M');
    key(VK_UP);
    EXPECT_EQ(logic().volume.load(), 10);
    EXPECT_FALSE(logic().muted.load());
}

TEST_F(MainWindowTest, PlayTogglesAndPauseOnlyPauses)
{
    playClip(L"clip1.m2ts");
    command(IDM_PLAY);
    ASSERT_TRUE(pumpUntil([&] { return state() == 4; }, 3000)) << "Play while playing pauses";
    command(IDM_PLAY);
    ASSERT_TRUE(pumpUntil([&] { return state() == 3; }, 3000)) << "Play while paused resumes";
    command(IDM_PAUSE);
    ASSERT_TRUE(pumpUntil([&] { return state() == 4; }, 3000));
    command(IDM_PAUSE);
    pump(300);
    EXPECT_EQ(state(), 4) << "Pause while paused changes nothing";
}

TEST_F(MainWindowTest, CloseFileStopsOnlyAPlayingFile)
{
    playClip(L"clip1.m2ts");
    command(IDM_PAUSE);
    ASSERT_TRUE(pumpUntil([&] { return state() == 4; }, 3000));
    command(IDM_CLOSE);
    pump(300);
    EXPECT_EQ(state(), 4) << "a paused file stays paused";
    command(IDM_PLAY);
    ASSERT_TRUE(pumpUntil([&] { return state() == 3; }, 3000));
    command(IDM_CLOSE);
    EXPECT_TRUE(pumpUntil([&] { return state() == 5; }, 3000));
}

TEST_F(MainWindowTest, UnknownCommandsGoToTheDefaultProcedure)
{
    playClip(L"clip1.m2ts");
    EXPECT_EQ(SendMessageW(main, WM_COMMAND, 40000, 0), 0);
    pump(300);
    EXPECT_EQ(state(), 3);
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(MainWindowTest, DroppingSeveralFilesOpensOnlyTheFirst)
{
    HGLOBAL drop = makeDrop({folder + L"clip2.m2ts", folder + L"clip3.m2ts", folder + L"clip1.m2ts"});
    SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    ASSERT_TRUE(pumpUntil([&] { return state() == 3; }, 5000));
    EXPECT_EQ(logic().fileName, L"clip2.m2ts");
    EXPECT_EQ(logic().playList.count(), 3);
    EXPECT_EQ(logic().playList.currentIndex(), 1);
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedIsShownOnceAndNothingPlays)
{
    playClip(L"clip1.m2ts");
    {
        BoxWatcher watcher(main, 10000);
        EXPECT_FALSE(loadFile(folder + L"notes.txt"));
        watcher.join();
        EXPECT_EQ(watcher.boxes, 1);
        EXPECT_NE(std::find(watcher.texts.begin(), watcher.texts.end(), L"Could not load the file"),
                  watcher.texts.end());
    }
    EXPECT_NE(state(), 3) << "the file before was stopped";
    {
        // A dropped file of an unsupported type: the same message.
        BoxWatcher watcher(main, 10000);
        SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({folder + L"notes.txt"})), 0);
        watcher.join();
        EXPECT_EQ(watcher.boxes, 1);
    }
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(MainWindowTest, CloseStopsAndTearsEverythingDown)
{
    playClip(L"clip1.m2ts");
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    ASSERT_TRUE(pumpUntil([&] { return quit; }, 5000));
    EXPECT_EQ(quitCode, 0);

    AppContext& ctx = appContext();
    EXPECT_EQ(ctx.playLogic, nullptr);
    EXPECT_EQ(ctx.playWnd, nullptr);
    EXPECT_EQ(ctx.playBar, nullptr);
    EXPECT_EQ(PlayLogic::active(), nullptr);
    FakeEngine e = engine();
    ASSERT_TRUE(e.ok);
    int instances = -1, players = -1, media = -1;
    e.liveCounts(&instances, &players, &media);
    EXPECT_EQ(instances, 0);
    EXPECT_EQ(players, 0);
    EXPECT_EQ(media, 0);
    EXPECT_EQ(e.misuse(), 0);
    EXPECT_NE(std::string(e.calls()).find("libvlc_media_player_stop"), std::string::npos);
}

} // namespace
