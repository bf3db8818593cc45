// The full-screen bar's clock: hidden after the cursor has rested outside it for a while,
// shown again when the cursor moves.
#pragma once

#include "BarGeometry.h"

#include <cstdint>

namespace playbar {

constexpr std::uint32_t kAutoHideRestMs = 5000;  // hidden only when more has passed
constexpr int kMoveThreshold = 5;                // pixels on either axis

struct AutoHideClock {
    std::uint32_t lastMoveTick = 0;  // 0: the clock is off
    Point lastCursorPos;

    bool armed() const { return lastMoveTick != 0; }
};

void startAutoHide(AutoHideClock& clock, std::uint32_t now, Point cursor);
void stopAutoHide(AutoHideClock& clock);

// After playback stops: in full screen the clock starts over, so that a bar hidden before
// the stop still comes back when the cursor moves; windowed it is off.
void resetAutoHideAfterStop(AutoHideClock& clock, bool fullScreen, std::uint32_t now, Point cursor);

enum class AutoHideAction {
    None,    // off, under the cursor, or resting
    Hide,    // rested long enough: hide the bar
    Show,    // moved while hidden: show the bar
    Moved,   // moved while visible: the clock starts over
};

// One timer tick. barRect is the bar in screen coordinates. On Show and Moved the clock has
// started over at now and cursor. A visible bar under the cursor is left alone; a hidden one
// whose place the cursor moves onto is shown like after any other movement.
AutoHideAction autoHideTick(AutoHideClock& clock, std::uint32_t now, Point cursor,
    const Rect& barRect, bool visible);

} // namespace playbar
