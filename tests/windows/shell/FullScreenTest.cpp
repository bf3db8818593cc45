// Full screen and minimising, in this process: the window over the whole primary screen and
// back to its windowed placement, the bar hiding after a rest and coming back on movement, and
// no layout while the window is minimised.
#include "ShellFixture.h"

#include "shell/Shell.h"
#include "res/resource.h"

#include "ui/PlayWnd.h"
#include "ui/playbar/PlayBar.h"

#include <string>

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class FullScreenTest : public ShellFixture {
public:
    HWND video() { return appContext().playWnd->hWnd; }
    HWND bar() { return appContext().playBar->hWnd; }
    int barHeight() { return appContext().playBar->height(); }

    RECT windowRect()
    {
        RECT r = {};
        GetWindowRect(main, &r);
        return r;
    }

    // A child's rectangle in the main window's client area.
    RECT childRect(HWND child)
    {
        RECT r = {};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    RECT screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

    bool framed()
    {
        const LONG style = GetWindowLongW(main, GWL_STYLE);
        return (style & WS_CAPTION) == WS_CAPTION && (style & WS_THICKFRAME) != 0;
    }

    bool autoHideArmed() { return appContext().playBar->lastMoveTick != 0; }
    bool barShown() { return IsWindowVisible(bar()) != FALSE; }

    void place(const RECT& r)
    {
        SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        pump(100);
    }

    bool cursorTo(int x, int y)
    {
        SetCursorPos(x, y);
        return pumpUntil(
            [&] {
                POINT p = {};
                GetCursorPos(&p);
                return p.x == x && p.y == y;
            },
            2000);
    }

    // The screen split between the video above and the bar below, or all video.
    void expectVideoOver(int reserved)
    {
        const RECT s = screen();
        EXPECT_TRUE(sameRect(childRect(video()), {0, 0, s.right, s.bottom - reserved})) << text(childRect(video()));
        EXPECT_TRUE(sameRect(childRect(bar()), {0, s.bottom - barHeight(), s.right, s.bottom}))
            << text(childRect(bar()));
    }

    static constexpr RECT kPlaced = {100, 60, 1000, 700};
};

TEST_F(FullScreenTest, CoversTheScreenWithoutCaptionOrFrameAndComesBackWhereItWas)
{
    ASSERT_NE(bar(), nullptr);
    place(kPlaced);
    ASSERT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());
    ASSERT_TRUE(framed());

    command(IDM_FULLSCREEN);
    pump(100);
    EXPECT_TRUE(appContext().fullScreen);
    EXPECT_FALSE(framed());
    EXPECT_TRUE(sameRect(windowRect(), screen())) << text(windowRect());
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_TRUE(sameRect(client, screen())) << "client " << text(client);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(barShown());
    expectVideoOver(barHeight());
    EXPECT_TRUE(autoHideArmed());

    command(IDM_FULLSCREEN);
    pump(100);
    EXPECT_FALSE(appContext().fullScreen);
    EXPECT_TRUE(framed());
    EXPECT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());
    EXPECT_FALSE(autoHideArmed());
    GetClientRect(main, &client);
    EXPECT_TRUE(sameRect(childRect(video()), {0, 0, client.right, client.bottom - barHeight()}))
        << text(childRect(video()));
}

TEST_F(FullScreenTest, AMaximisedWindowIsMaximisedAgainAfterFullScreen)
{
    place(kPlaced);
    SendMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    pump(100);
    ASSERT_TRUE(IsZoomed(main));
    EXPECT_EQ(appContext().placement.showCmd, UINT(SW_SHOWMAXIMIZED));

    command(IDM_FULLSCREEN);
    pump(100);
    EXPECT_FALSE(IsZoomed(main));
    EXPECT_TRUE(sameRect(windowRect(), screen())) << text(windowRect());
    // The switch itself is not captured as the windowed placement.
    EXPECT_EQ(appContext().placement.showCmd, UINT(SW_SHOWMAXIMIZED));

    command(IDM_LEAVE_FULLSCREEN);
    pump(300);
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_TRUE(framed());
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(main, &wp);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    ShowWindow(main, SW_RESTORE);
    pump(100);
    EXPECT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());
}

TEST_F(FullScreenTest, TheBarHidesAfterARestAndComesBackOnMovement)
{
    ASSERT_NE(bar(), nullptr);
    // At rest in the upper half, away from the bar.
    ASSERT_TRUE(cursorTo(300, 200)) << "the cursor cannot be placed";
    const DWORD entered = GetTickCount();
    command(IDM_FULLSCREEN);

    ASSERT_TRUE(pumpUntil([&] { return !barShown(); }, 8000)) << "the bar stayed";
    EXPECT_GE(GetTickCount() - entered, 5000u) << "hidden before 5 s of rest";
    // The posted size message gives the video the whole screen; the bar keeps its place.
    EXPECT_TRUE(pumpUntil([&] { return sameRect(childRect(video()), screen()); }, 2000)) << text(childRect(video()));
    expectVideoOver(0);

    // Four pixels are no movement; five are.
    ASSERT_TRUE(cursorTo(304, 200));
    pump(700);
    EXPECT_FALSE(barShown());
    ASSERT_TRUE(cursorTo(305, 200));
    ASSERT_TRUE(pumpUntil([&] { return barShown(); }, 2000)) << "the bar did not come back";
    EXPECT_TRUE(pumpUntil([&] { return childRect(video()).bottom == screen().bottom - barHeight(); }, 2000));
    expectVideoOver(barHeight());
}

TEST_F(FullScreenTest, LeavingWhileTheBarIsHiddenShowsItAndStopsTheAutoHide)
{
    ASSERT_NE(bar(), nullptr);
    ASSERT_TRUE(cursorTo(300, 200)) << "the cursor cannot be placed";
    command(IDM_FULLSCREEN);
    ASSERT_TRUE(pumpUntil([&] { return !barShown(); }, 8000)) << "the bar stayed";
    pump(100);

    command(IDM_FULLSCREEN);
    pump(100);
    EXPECT_FALSE(appContext().fullScreen);
    EXPECT_TRUE(barShown());
    EXPECT_FALSE(autoHideArmed());
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_TRUE(sameRect(childRect(video()), {0, 0, client.right, client.bottom - barHeight()}))
        << text(childRect(video()));
    // Windowed, the bar stays however long the cursor rests.
    pump(5800);
    EXPECT_TRUE(barShown());
}

TEST_F(FullScreenTest, EscLeavesFullScreenAndDoesNothingWhenWindowed)
{
    place(kPlaced);
    key(VK_ESCAPE);
    EXPECT_FALSE(appContext().fullScreen);
    EXPECT_TRUE(framed());
    EXPECT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());

    key('F');
    ASSERT_TRUE(appContext().fullScreen);
    ASSERT_TRUE(sameRect(windowRect(), screen()));
    key(VK_ESCAPE);
    EXPECT_FALSE(appContext().fullScreen);
    EXPECT_TRUE(framed());
    EXPECT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());
}

TEST_F(FullScreenTest, MinimisingRunsNoLayout)
{
    place(kPlaced);
    const RECT videoBefore = childRect(video());
    const RECT barBefore = childRect(bar());

    ShowWindow(main, SW_MINIMIZE);
    pump(200);
    ASSERT_TRUE(IsIconic(main));
    // What the bar posts after hiding or showing itself: a size message with no size.
    PostMessageW(main, WM_SIZE, 0, 0);
    pump(200);
    RECT inner = {};
    GetClientRect(video(), &inner);
    EXPECT_EQ(inner.right, videoBefore.right - videoBefore.left);
    EXPECT_EQ(inner.bottom, videoBefore.bottom - videoBefore.top);
    GetClientRect(bar(), &inner);
    EXPECT_EQ(inner.right, barBefore.right - barBefore.left);
    // The placement captured while minimised is the one a close would store.
    EXPECT_TRUE(appContext().placementValid);
    EXPECT_EQ(appContext().placement.showCmd, UINT(SW_SHOWMINIMIZED));
    EXPECT_TRUE(sameRect(appContext().placement.rcNormalPosition, kPlaced))
        << text(appContext().placement.rcNormalPosition);

    ShowWindow(main, SW_RESTORE);
    pump(200);
    EXPECT_TRUE(sameRect(windowRect(), kPlaced)) << text(windowRect());
    EXPECT_TRUE(sameRect(childRect(video()), videoBefore)) << text(childRect(video()));
    EXPECT_TRUE(sameRect(childRect(bar()), barBefore)) << text(childRect(bar()));
}

} // namespace
