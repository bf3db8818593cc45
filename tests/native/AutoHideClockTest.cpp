// The full-screen bar's auto-hide clock, tick by tick.
#include "ui/playbar/logic/AutoHideClock.h"

#include <gtest/gtest.h>

namespace {

using namespace playbar;

const Rect kBar = {0, 764, 1280, 800};  // the bar at the bottom of a 1280 x 800 screen
const Point kRest = {640, 300};

struct TickCase {
    const char* label;
    std::uint32_t start;  // tick the clock was started at, with the cursor at kRest
    std::uint32_t now;
    Point cursor;
    bool visible;
    AutoHideAction action;
};

TEST(PlayBarAutoHide, Tick) {
    const TickCase cases[] = {
        {"rest of exactly 5000 ms", 1000, 6000, kRest, true, AutoHideAction::None},
        {"rest of 5001 ms", 1000, 6001, kRest, true, AutoHideAction::Hide},
        {"short rest", 1000, 1260, kRest, true, AutoHideAction::None},
        {"4 pixels on both axes is rest", 1000, 7000, {644, 296}, true, AutoHideAction::Hide},
        {"5 pixels on one axis is movement", 1000, 7000, {645, 300}, true, AutoHideAction::Moved},
        {"5 pixels up is movement", 1000, 7000, {640, 295}, true, AutoHideAction::Moved},
        {"movement shows a hidden bar", 1000, 7000, {700, 300}, false, AutoHideAction::Show},
        {"a hidden bar at rest stays hidden", 1000, 90000, kRest, false, AutoHideAction::None},
        {"never hidden under the cursor", 1000, 90000, {640, 770}, true, AutoHideAction::None},
        {"hidden bar: cursor moved onto its place", 1000, 7000, {640, 770}, false, AutoHideAction::Show},
        {"bar's bottom edge is outside", 1000, 90000, {640, 800}, true, AutoHideAction::Moved},
        {"wrap-around: exactly 5000 ms", 0xFFFFF000u, 0x388u, kRest, true, AutoHideAction::None},
        {"wrap-around: 5001 ms", 0xFFFFF000u, 0x389u, kRest, true, AutoHideAction::Hide},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        AutoHideClock clock;
        startAutoHide(clock, c.start, kRest);
        EXPECT_EQ(c.action, autoHideTick(clock, c.now, c.cursor, kBar, c.visible));
        if (c.action == AutoHideAction::Show || c.action == AutoHideAction::Moved) {
            EXPECT_EQ(c.now, clock.lastMoveTick);
            EXPECT_EQ(c.cursor.x, clock.lastCursorPos.x);
            EXPECT_EQ(c.cursor.y, clock.lastCursorPos.y);
        } else {
            EXPECT_EQ(c.start, clock.lastMoveTick);  // resting does not restart the clock
        }
    }
}

TEST(PlayBarAutoHide, OffClockDoesNothing) {
    AutoHideClock clock;
    EXPECT_FALSE(clock.armed());
    EXPECT_EQ(AutoHideAction::None, autoHideTick(clock, 100000, kRest, kBar, true));
    EXPECT_EQ(AutoHideAction::None, autoHideTick(clock, 100000, {0, 0}, kBar, false));
    startAutoHide(clock, 1000, kRest);
    stopAutoHide(clock);
    EXPECT_EQ(AutoHideAction::None, autoHideTick(clock, 100000, kRest, kBar, true));
}

TEST(PlayBarAutoHide, StartedAtTickZeroIsStillArmed) {
    AutoHideClock clock;
    startAutoHide(clock, 0, kRest);
    EXPECT_TRUE(clock.armed());
    EXPECT_EQ(AutoHideAction::Hide, autoHideTick(clock, 6000, kRest, kBar, true));
    // A movement observed at tick 0 must not switch the clock off either.
    startAutoHide(clock, 0xFFFFFF00u, kRest);
    EXPECT_EQ(AutoHideAction::Moved, autoHideTick(clock, 0, {0, 0}, kBar, true));
    EXPECT_TRUE(clock.armed());
}

TEST(PlayBarAutoHide, HiddenBarComesBackAfterAStopInFullScreen) {
    AutoHideClock clock;
    startAutoHide(clock, 1000, kRest);
    ASSERT_EQ(AutoHideAction::Hide, autoHideTick(clock, 7000, kRest, kBar, true));
    // Playback stops (or the next file starts) while the bar is hidden.
    resetAutoHideAfterStop(clock, true, 7100, kRest);
    EXPECT_EQ(AutoHideAction::None, autoHideTick(clock, 7360, kRest, kBar, false));
    EXPECT_EQ(AutoHideAction::Show, autoHideTick(clock, 7620, {900, 400}, kBar, false));
    // And hides again after the next rest.
    EXPECT_EQ(AutoHideAction::None, autoHideTick(clock, 12620, {900, 400}, kBar, true));
    EXPECT_EQ(AutoHideAction::Hide, autoHideTick(clock, 12880, {900, 400}, kBar, true));
}

TEST(PlayBarAutoHide, StopWhenWindowedTurnsTheClockOff) {
    AutoHideClock clock;
    startAutoHide(clock, 1000, kRest);
    resetAutoHideAfterStop(clock, false, 2000, kRest);
    EXPECT_FALSE(clock.armed());
}

} // namespace
