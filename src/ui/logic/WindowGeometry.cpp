#include "WindowGeometry.h"

namespace ui {

namespace {

// One axis: centred, then kept inside [low, high) as far as the length allows.
int centerAxis(int low, int high, int length)
{
    // Sum in 64 bits: screen coordinates near the limits must not overflow.
    int pos = static_cast<int>((static_cast<long long>(low) + high - length) / 2);
    if (pos + length > high)
        pos = high - length;
    if (pos < low)
        pos = low;
    return pos;
}

} // namespace

Point centerPosition(Size window, const Rect& area)
{
    return {centerAxis(area.left, area.right, window.width), centerAxis(area.top, area.bottom, window.height)};
}

Size windowSizeForClient(Size outer, Size client, Size wanted)
{
    return {outer.width + (wanted.width - client.width), outer.height + (wanted.height - client.height)};
}

Point labelPosition(int x, int y, Size label, Size parentClient)
{
    if (x < 0)
        x = parentClient.width - label.width + x;
    if (y < 0)
        y = parentClient.height - label.height + y;
    return {x, y};
}

} // namespace ui
