// The play bar's structure, state, threads and lock on real windows under Wine.
#include "PlayBarWineFixture.h"

#include "res/resource.h"
#include "ui/playbar/logic/BarControls.h"
#include "ui/playbar/logic/BarGeometry.h"


namespace playbar_wine {
namespace {

TEST_F(PlayBarTest, CreatesALayeredBarWithTooltipsAndItsPictures)
{
    ASSERT_TRUE(IsWindow(bar->hWnd));
    EXPECT_EQ(parent, GetParent(bar->hWnd));
    EXPECT_TRUE(GetWindowLongW(bar->hWnd, GWL_STYLE) & WS_VISIBLE);
    const LONG ex = GetWindowLongW(bar->hWnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_COMPOSITED);  // the system reports version 6 or later
    COLORREF key = 1;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(bar->hWnd, &key, &alpha, &flags)) {
        EXPECT_EQ(RGB(0, 0, 0), key);
        EXPECT_EQ(128, alpha);
        EXPECT_EQ(static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA), flags);
    }
    ASSERT_TRUE(IsWindow(bar->hTooltipWnd));
    // One tool per button; the slider frames have none.
    EXPECT_EQ(9, SendMessageW(bar->hTooltipWnd, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_TRUE(bar->hTimeFont);
    EXPECT_EQ(11u, bar->images.size());
    EXPECT_TRUE(bar->backgroundImage && bar->volumeBallImage && bar->timeFillImage && bar->timeBallImage);
    EXPECT_EQ(kBarHeight, bar->height());
    EXPECT_EQ(12, bar->timeKnobWidth);
    EXPECT_EQ(16, bar->volumeKnobWidth);
    // A second create changes nothing.
    const HWND first = bar->hWnd;
    EXPECT_TRUE(bar->create(appContext().hInstance, parent));
    EXPECT_EQ(first, bar->hWnd);
}

TEST_F(PlayBarTest, LayoutPlacesTheControlsAsTheGeometrySays)
{
    playbar::ControlSizes sizes;
    for (const auto& c : playbar::barControls) {
        Gdiplus::Image* image = bar->imageFor(c.id);
        ASSERT_TRUE(image) << c.id;
        sizes[c.id] = {static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight())};
    }
    for (int w : {480, 800}) {
        SCOPED_TRACE(w);
        placeBar(w);
        const auto expected = playbar::layoutBar(w, kBarHeight, sizes);
        ASSERT_EQ(11u, expected.size());
        for (const auto& placed : expected) {
            SCOPED_TRACE(placed.id);
            const RECT r = rectOf(placed.id);
            EXPECT_EQ(placed.rect.left, r.left);
            EXPECT_EQ(placed.rect.top, r.top);
            EXPECT_EQ(placed.rect.right, r.right);
            EXPECT_EQ(placed.rect.bottom, r.bottom);
        }
        EXPECT_TRUE(bar->composeBuffer.exists());
        EXPECT_GE(bar->composeBuffer.width, w);
        EXPECT_EQ(kBarHeight, bar->composeBuffer.height);
    }
    // The 480 numbers themselves.
    placeBar(480);
    EXPECT_EQ(149, rectOf(IDC_TIME_SLIDER).left);
    EXPECT_EQ(199, rectOf(IDC_TIME_SLIDER).right - rectOf(IDC_TIME_SLIDER).left);
    EXPECT_EQ(349, rectOf(IDC_VOLUME_SLIDER).left);
    EXPECT_EQ(418, rectOf(IDC_MUTE).left);
    EXPECT_EQ(447, rectOf(IDC_FULLSCREEN).left);
    // Buffers are never shrunk: the 800-wide ones stay.
    EXPECT_EQ(800, bar->composeBuffer.width);
    EXPECT_EQ(800, bar->backgroundBuffer.width);
    // The slider frames stay hidden.
    EXPECT_FALSE(visible(IDC_TIME_SLIDER));
    EXPECT_FALSE(visible(IDC_VOLUME_SLIDER));
}

TEST_F(PlayBarTest, ButtonsFollowThePlayerAndFullScreen)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    bar->updateButtons();
    EXPECT_TRUE(visible(IDC_STOP) && enabled(IDC_STOP));
    EXPECT_TRUE(visible(IDC_PAUSE) && enabled(IDC_PAUSE));
    EXPECT_FALSE(visible(IDC_OPEN) || enabled(IDC_OPEN));
    EXPECT_FALSE(visible(IDC_PLAY) || enabled(IDC_PLAY));
    EXPECT_TRUE(visible(IDC_FULLSCREEN));
    EXPECT_FALSE(visible(IDC_LEAVE_FULLSCREEN));

    player.state = PlayerState::Paused;
    bar->shownTime = 5000;
    bar->updateButtons();
    EXPECT_TRUE(visible(IDC_STOP) && visible(IDC_PLAY));
    EXPECT_FALSE(visible(IDC_PAUSE) || visible(IDC_OPEN));
    // No files in the playlist: Play is shown but disabled, Prev and Next too.
    EXPECT_FALSE(enabled(IDC_PLAY));
    EXPECT_TRUE(visible(IDC_PREV) && !enabled(IDC_PREV));
    EXPECT_EQ(5000, bar->shownTime.load());

    player.state = PlayerState::Ended;
    appContext().fullScreen = TRUE;
    bar->updateButtons();
    EXPECT_TRUE(visible(IDC_OPEN) && visible(IDC_PLAY));
    EXPECT_FALSE(visible(IDC_STOP) || visible(IDC_PAUSE));
    EXPECT_EQ(0, bar->shownTime.load());
    EXPECT_FALSE(visible(IDC_FULLSCREEN));
    EXPECT_TRUE(visible(IDC_LEAVE_FULLSCREEN) && enabled(IDC_LEAVE_FULLSCREEN));
}

TEST_F(PlayBarTest, ButtonsPostTheirCommandsToTheMainWindow)
{
    placeBar(800);
    struct Case {
        int control;
        WORD code;
        WPARAM command;
    } cases[] = {
        {IDC_OPEN, BN_CLICKED, IDM_OPEN},
        {IDC_NEXT, BN_CLICKED, IDM_NEXT},
        {IDC_MUTE, BN_DOUBLECLICKED, IDM_MUTE},
        {IDC_LEAVE_FULLSCREEN, BN_CLICKED, IDM_FULLSCREEN},
        {IDC_FULLSCREEN, BN_CLICKED, IDM_FULLSCREEN},
    };
    for (const auto& c : cases) {
        received.clear();
        SendMessageW(bar->hWnd, WM_COMMAND, MAKEWPARAM(c.control, c.code),
            reinterpret_cast<LPARAM>(GetDlgItem(bar->hWnd, c.control)));
        pump();
        ASSERT_EQ(1u, received.size()) << c.control;
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), received[0].first);
        EXPECT_EQ(c.command, received[0].second);
    }
    received.clear();
    SendMessageW(bar->hWnd, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    SendMessageW(bar->hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    SendMessageW(bar->hWnd, WM_COMMAND, MAKEWPARAM(IDC_TIME_SLIDER, 0), 0);
    pump();
    EXPECT_TRUE(received.empty());
}

// The engine's thread asks for button and time updates while the user-interface thread waits
// for the engine (as inside stop or pause): neither call may wait for it.
TEST_F(PlayBarTest, EngineThreadUpdatesDoNotWaitForTheUserInterfaceThread)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    player.length = 3725000;
    player.time = 30000;
    ASSERT_TRUE(finishesWhileBlocked([&] {
        bar->updateButtons();
        bar->updateTime();
    }, 5000));
    // The time is drawn at once; the buttons change once this thread runs its messages.
    EXPECT_EQ(30000, bar->shownTime.load());
    EXPECT_EQ(3725000, bar->shownLength.load());
    EXPECT_TRUE(bar->slidersDrawn.load());
    pump();
    EXPECT_TRUE(visible(IDC_STOP) && visible(IDC_PAUSE));
    EXPECT_FALSE(visible(IDC_OPEN) || visible(IDC_PLAY));

    // A burst of events while blocked ends in the state of the last one.
    ASSERT_TRUE(finishesWhileBlocked([&] {
        for (int i = 0; i < 50; ++i) {
            player.state = (i % 2) ? PlayerState::Playing : PlayerState::Paused;
            bar->updateButtons();
            player.time = 1000 * i;
            bar->updateTime();
        }
        player.state = PlayerState::Paused;
        bar->updateButtons();
    }, 5000));
    pump();
    EXPECT_TRUE(visible(IDC_PLAY) && visible(IDC_STOP));
    EXPECT_FALSE(visible(IDC_PAUSE));
    EXPECT_EQ(49000, bar->shownTime.load());
    EXPECT_EQ(0, bar->drawLockReentries.load());
}

TEST_F(PlayBarTest, NoEngineCallTouchesTheBarOnceItsWindowsAreGone)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    player.length = 10000;
    player.time = 4000;
    bar->destroyWindows();
    ASSERT_TRUE(finishesWhileBlocked([&] {
        bar->updateButtons();
        bar->updateTime();
    }, 5000));
    EXPECT_EQ(0, bar->shownTime.load());  // nothing applied
    pump();
}

TEST_F(PlayBarTest, DrawLockIsHeldByOneHolderAtATimeAndNeverTwice)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    player.length = 60000;
    player.time = 1000;

    // Every drawing path once, on this thread: layout, paint, time, volume, drag, stop.
    placeBar(640);
    InvalidateRect(bar->hWnd, nullptr, TRUE);
    UpdateWindow(bar->hWnd);
    bar->updateTime();
    logic->setVolume(40);
    logic->toggleMute();
    const RECT t = rectOf(IDC_TIME_SLIDER);
    SendMessageW(bar->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 50, t.top + 2));
    SendMessageW(bar->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t.left + 80, t.top + 2));
    SendMessageW(bar->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(t.left + 80, t.top + 2));
    bar->resetAfterStop();
    pump();
    EXPECT_EQ(0, bar->drawLockReentries.load());
    // And the lock is free again afterwards.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(bar->drawLock, 0));
    SetEvent(bar->drawLock);

    // While someone holds the lock, an update from another thread waits for it...
    WaitForSingleObject(bar->drawLock, INFINITE);
    std::atomic<bool> finished{false};
    player.time = 2000;
    std::thread engine([&] {
        bar->updateTime();
        finished = true;
    });
    Sleep(300);
    EXPECT_FALSE(finished.load());
    SetEvent(bar->drawLock);
    engine.join();
    EXPECT_TRUE(finished.load());
    EXPECT_EQ(0, bar->drawLockReentries.load());

    // ...and a holder asking for it again is refused instead of hanging for good.
    {
        DrawLockHold outer(*bar);
        DrawLockHold inner(*bar);
        EXPECT_EQ(1, bar->drawLockReentries.load());
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(bar->drawLock, 0));
    SetEvent(bar->drawLock);
}
TEST_F(PlayBarTest, PressesAndDragsSeekAndSetTheVolume)
{
    placeBar(480);
    player.state = PlayerState::Playing;
    player.length = 3725000;
    player.time = 0;
    bar->updateTime();
    player.takeSeeks();
    const RECT t = rectOf(IDC_TIME_SLIDER);
    const int y = t.top + 3;

    SendMessageW(bar->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 6, y));
    EXPECT_EQ(IDC_TIME_SLIDER, bar->dragControl);
    EXPECT_EQ(bar->hWnd, GetCapture());
    // Far to the left of the bar window and far to its right.
    SendMessageW(bar->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-400, y));
    SendMessageW(bar->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2000, y));
    SendMessageW(bar->hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t.right - 6, y));
    SendMessageW(bar->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(t.right - 6, y));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, bar->dragControl);
    EXPECT_EQ((std::vector<std::int64_t>{0, 0, 3725000, 3725000}), player.takeSeeks());

    // Volume: the knob's centre under the cursor.
    const RECT v = rectOf(IDC_VOLUME_SLIDER);
    struct Case {
        int x;
        int volume;
    } cases[] = {{v.left + 8, 0}, {v.left + 60, 100}, {v.left + 34, 50}};
    for (const auto& c : cases) {
        SendMessageW(bar->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, v.top + 2));
        SendMessageW(bar->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.x, v.top + 2));
        EXPECT_EQ(c.volume, logic->volume.load()) << c.x;
        EXPECT_EQ(c.volume, bar->shownVolume.load());
    }

    // The time text band above the track, and a button's place, start nothing.
    SendMessageW(bar->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.right - 10, t.top - 4));
    EXPECT_EQ(0, bar->dragControl);
    SendMessageW(bar->hWnd, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(player.takeSeeks().empty());

    // Without a known length a press only redraws.
    player.length = 0;
    bar->shownLength = 0;
    SendMessageW(bar->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 100, y));
    SendMessageW(bar->hWnd, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(player.takeSeeks().empty());
}

TEST_F(PlayBarTest, StopClearsTheTimeAndStartsTheClockOverInFullScreen)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    player.length = 60000;
    player.time = 30000;
    bar->updateTime();
    player.state = PlayerState::Stopped;

    appContext().fullScreen = TRUE;
    bar->lastMoveTick = 0;
    ShowWindow(bar->hWnd, SW_HIDE);  // hidden by the auto-hide before the stop
    bar->resetAfterStop();
    EXPECT_EQ(0, bar->shownLength.load());
    EXPECT_EQ(0, bar->shownTime.load());
    EXPECT_NE(0u, bar->lastMoveTick);  // armed: a movement brings the bar back

    // The cursor moves far enough: the next tick shows the bar and asks for a layout.
    bar->lastCursorPos.x -= 50;
    received.clear();
    bar->autoHideTick();
    EXPECT_TRUE(GetWindowLongW(bar->hWnd, GWL_STYLE) & WS_VISIBLE);
    pump();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(static_cast<UINT>(WM_SIZE), received.back().first);

    // A rest of more than 5 s outside the bar hides it again and asks for a layout.
    SetCursorPos(1, 1);
    POINT cursor;
    GetCursorPos(&cursor);
    RECT barRect;
    GetWindowRect(bar->hWnd, &barRect);
    ASSERT_FALSE(PtInRect(&barRect, cursor));
    bar->lastCursorPos = cursor;
    bar->lastMoveTick = GetTickCount() - 5001;
    received.clear();
    bar->autoHideTick();
    EXPECT_FALSE(GetWindowLongW(bar->hWnd, GWL_STYLE) & WS_VISIBLE);
    pump();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(static_cast<UINT>(WM_SIZE), received.back().first);

    appContext().fullScreen = FALSE;
    bar->resetAfterStop();
    EXPECT_EQ(0u, bar->lastMoveTick);
}

} // namespace
} // namespace playbar_wine
