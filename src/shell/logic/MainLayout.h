// Geometry of the main window in windowed mode: its first size, its minimum size, and where
// the video area and the play bar go. Sizes are client-area pixels.
#pragma once

namespace layout {

constexpr int kFirstVideoWidth = 672;
constexpr int kFirstVideoHeight = 420;
constexpr int kMinClientWidth = 480;
constexpr int kMinVideoHeight = 300;
// The bar's height when it has no background picture.
constexpr int kDefaultBarHeight = 27;

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
    bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// The height kept free for the bar: all of it, except in full screen while the bar hides.
int reservedBarHeight(bool barVisible, bool fullScreen, int barHeight);

// The client size of the very first start, when no placement was stored.
Size firstClientSize(int reserved);

// The client size the window must have: the present one, grown to the minimum where smaller.
Size minimumClientSize(Size client, int reserved);

// The video dialog: the client area above the reserved height (never negative).
Rect videoRect(Size client, int reserved);

// The bar: full width along the bottom edge, barHeight high.
Rect barRect(Size client, int barHeight);

} // namespace layout
