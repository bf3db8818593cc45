// Where the bar's controls go and how its sliders are drawn and dragged, from the sizes of
// the pictures. Every size comes in as a value; nothing here knows a window.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace playbar {

struct Size {
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Left and top inclusive, right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

inline Rect rectAt(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

constexpr int kFallbackBarHeight = 27;  // without a background picture
constexpr int kControlGap = 1;          // between controls and at both ends
constexpr int kMuteOffset = 3;          // extra drop of the mute button and the volume slider
constexpr int kTimeSliderOffset = 4;    // extra drop of the time slider

// The bar's height: 0 without a bar window, the fallback without a background picture,
// otherwise the picture's height.
int barHeight(bool hasWindow, std::optional<Size> background);

// One step of the row: where a control goes and where the next one starts.
// image is none when the control does not exist or has no picture: it is not moved.
struct Placement {
    std::optional<Rect> rect;
    int nextX = 0;
};

Placement placeControl(std::optional<Size> image, int x, int direction, int extraY, int barHeight);

// The picture size of each control that exists and has one (keyed by control id).
using ControlSizes = std::map<int, Size>;

struct PlacedControl {
    int id;
    Rect rect;
};

// Left group from the left edge, right group from the right edge, the time slider in the
// gap. Controls without a picture are left out: they keep their place.
std::vector<PlacedControl> layoutBar(int clientRight, int barHeight, const ControlSizes& sizes);

// --- sliders ---

// Width of the played part of the time track: 0 .. trackWidth - knobWidth.
int timeFill(std::int64_t shownTime, std::int64_t shownLength, int trackWidth, int knobWidth);

// Left edge of the volume knob for a volume 0..100 on a bar picture of barWidth.
int volumeKnobX(int left, int volume, int barWidth, int knobWidth);

// Top of a knob centred on a slider frame.
int knobTop(int top, int bottom, int knobHeight);

// Where a press or drag at x falls on a slider: 0 at the knob's leftmost centre, 1 at its
// rightmost. None when the frame leaves the knob no room to travel.
std::optional<double> dragRatio(int x, const Rect& frame, int knobWidth);

// The seek target for a ratio; none while the length is unknown, so a press cannot
// throw playback back to the start.
std::optional<std::int64_t> seekTarget(double ratio, std::int64_t length);

// The volume for a ratio, rounded to the nearest whole number, halves upward.
int volumeForRatio(double ratio);

// Which slider a press at p starts to drag: IDC_TIME_SLIDER, IDC_VOLUME_SLIDER or 0.
// The time slider wins where both frames would contain the point.
int dragTargetAt(Point p, std::optional<Rect> timeFrame, std::optional<Rect> volumeFrame);

// A mouse message's coordinate word as the signed value it is (left of the window < 0).
inline int signedWord(std::uint32_t word) { return static_cast<std::int16_t>(word & 0xFFFF); }

// --- tiling ---

struct Tile {
    int x;      // offset from the start of the run
    int width;  // the whole picture is drawn into this width
};

// Whole pictures side by side; the last, partial one is the whole picture squeezed into the
// width that remains.
std::vector<Tile> tilePlan(int width, int imageWidth);

} // namespace playbar
