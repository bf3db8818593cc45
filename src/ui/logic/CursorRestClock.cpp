#include "CursorRestClock.h"

namespace ui {

namespace {

bool farApart(int a, int b, int slack)
{
    const long long d = static_cast<long long>(a) - b;
    return d > slack || d < -slack;
}

} // namespace

void CursorRestClock::reset(std::uint32_t now, Point cursor)
{
    lastMoveTick = now;
    lastCursorPos = cursor;
    cursorHidden = false;
}

CursorAction CursorRestClock::tick(std::uint32_t now, Point cursor, bool playing, const Rect& restArea)
{
    if (farApart(cursor.x, lastCursorPos.x, kMoveSlack) || farApart(cursor.y, lastCursorPos.y, kMoveSlack)) {
        lastCursorPos = cursor;
        lastMoveTick = now;
        const bool wasHidden = cursorHidden;
        cursorHidden = false;
        return wasHidden ? CursorAction::Show : CursorAction::None;
    }
    if (!playing || !restArea.contains(cursor))
        return CursorAction::None;
    // Unsigned difference: right across the wrap of the tick count.
    if (static_cast<std::uint32_t>(now - lastMoveTick) < kRestMs || cursorHidden)
        return CursorAction::None;
    cursorHidden = true;
    return CursorAction::Hide;
}

} // namespace ui
