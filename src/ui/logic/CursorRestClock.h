// The cursor-rest clock of the video window: fed the tick count and the cursor position on
// every timer tick, it says when to hide the cursor (after 5 s of rest over the playing video)
// and when to show it again (the first movement of more than 5 pixels).
#pragma once

#include "Geometry.h"

#include <cstdint>

namespace ui {

enum class CursorAction { None, Hide, Show };

class CursorRestClock {
public:
    static constexpr std::uint32_t kRestMs = 5000;
    // A reading counts as movement when it is more than this far from the last movement's
    // place in either direction; smaller steps add up until one reading is.
    static constexpr int kMoveSlack = 5;

    // Start (or restart) the clock: no movement since now, cursor shown.
    void reset(std::uint32_t now, Point cursor);

    // One timer tick. restArea is the video dialog's rectangle; playing is whether the player
    // plays. The tick count may wrap at 2^32 between readings.
    CursorAction tick(std::uint32_t now, Point cursor, bool playing, const Rect& restArea);

    std::uint32_t lastMoveTick = 0;
    Point lastCursorPos;
    bool cursorHidden = false;
};

} // namespace ui
