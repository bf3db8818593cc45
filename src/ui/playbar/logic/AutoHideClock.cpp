#include "AutoHideClock.h"

#include <cstdlib>

namespace playbar {

namespace {

// 0 means "off", so a clock started at the one tick that reads 0 starts at 1 instead.
std::uint32_t armTick(std::uint32_t now) { return now != 0 ? now : 1; }

} // namespace

void startAutoHide(AutoHideClock& clock, std::uint32_t now, Point cursor)
{
    clock.lastMoveTick = armTick(now);
    clock.lastCursorPos = cursor;
}

void stopAutoHide(AutoHideClock& clock)
{
    clock.lastMoveTick = 0;
}

void resetAutoHideAfterStop(AutoHideClock& clock, bool fullScreen, std::uint32_t now, Point cursor)
{
    if (fullScreen)
        startAutoHide(clock, now, cursor);
    else
        stopAutoHide(clock);
}

AutoHideAction autoHideTick(AutoHideClock& clock, std::uint32_t now, Point cursor,
    const Rect& barRect, bool visible)
{
    if (!clock.armed())
        return AutoHideAction::None;
    // Never hide under the cursor; the clock is not restarted there either. A hidden bar
    // still comes back when the cursor moves onto its place at the bottom of the screen.
    if (visible && barRect.contains(cursor))
        return AutoHideAction::None;
    const bool resting = std::abs(cursor.x - clock.lastCursorPos.x) < kMoveThreshold
        && std::abs(cursor.y - clock.lastCursorPos.y) < kMoveThreshold;
    if (resting) {
        // Unsigned difference: right across the tick count's wrap-around.
        if (now - clock.lastMoveTick > kAutoHideRestMs && visible)
            return AutoHideAction::Hide;
        return AutoHideAction::None;
    }
    startAutoHide(clock, now, cursor);
    return visible ? AutoHideAction::Moved : AutoHideAction::Show;
}

} // namespace playbar
