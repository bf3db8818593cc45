#include "BarGeometry.h"

#include "res/resource.h"

#include <limits>

namespace playbar {

int barHeight(bool hasWindow, std::optional<Size> background)
{
    if (!hasWindow)
        return 0;
    if (!background)
        return kFallbackBarHeight;
    return background->height;
}

Placement placeControl(std::optional<Size> image, int x, int direction, int extraY, int height)
{
    if (!image)
        return {std::nullopt, x};
    const int w = image->width;
    const int h = image->height;
    const int y = (height - h) / 2 + extraY;
    if (direction > 0)
        return {rectAt(x, y, w, h), x + w + kControlGap};
    return {rectAt(x - w, y, w, h), x - w - kControlGap};
}

std::vector<PlacedControl> layoutBar(int clientRight, int height, const ControlSizes& sizes)
{
    std::vector<PlacedControl> placed;
    auto place = [&](int id, int x, int direction, int extraY) {
        auto it = sizes.find(id);
        std::optional<Size> image;
        if (it != sizes.end())
            image = it->second;
        Placement p = placeControl(image, x, direction, extraY, height);
        if (p.rect)
            placed.push_back({id, *p.rect});
        return p.nextX;
    };

    // Open/Stop and Play/Pause share a slot each: a pair is never shown together.
    place(IDC_OPEN, kControlGap, 1, 0);
    const int x1 = place(IDC_STOP, kControlGap, 1, 0);
    place(IDC_PLAY, x1, 1, 0);
    const int x2 = place(IDC_PAUSE, x1, 1, 0);
    const int x3 = place(IDC_PREV, x2, 1, 0);
    const int x4 = place(IDC_NEXT, x3, 1, 0);

    const int c = clientRight - kControlGap;
    place(IDC_FULLSCREEN, c, -1, 0);
    const int x5 = place(IDC_LEAVE_FULLSCREEN, c, -1, 0);
    const int x6 = place(IDC_MUTE, x5, -1, kMuteOffset);
    const int x7 = place(IDC_VOLUME_SLIDER, x6, -1, kMuteOffset);

    auto time = sizes.find(IDC_TIME_SLIDER);
    if (time != sizes.end()) {
        const int h = time->second.height;
        const int y = (height - h) / 2 + kTimeSliderOffset;
        placed.push_back({IDC_TIME_SLIDER, rectAt(x4, y, x7 - x4, h)});
    }
    return placed;
}

int timeFill(std::int64_t shownTime, std::int64_t shownLength, int trackWidth, int knobWidth)
{
    const std::int64_t span = static_cast<std::int64_t>(trackWidth) - knobWidth;
    if (shownLength <= 0 || span <= 0)
        return 0;
    // Out-of-range positions end at either end of the track anyway; clamping first also
    // keeps the product below from overflowing.
    std::int64_t t = shownTime;
    if (t < 0)
        return 0;
    if (t > shownLength)
        t = shownLength;
    std::int64_t fill;
    if (t > std::numeric_limits<std::int64_t>::max() / span)
        fill = static_cast<std::int64_t>(static_cast<long double>(t) * span / shownLength);
    else
        fill = t * span / shownLength;
    if (fill > span)
        fill = span;
    if (fill < 0)
        fill = 0;
    return static_cast<int>(fill);
}

int volumeKnobX(int left, int volume, int barWidth, int knobWidth)
{
    const int range = barWidth - knobWidth;
    return left + volume * range / 100;
}

int knobTop(int top, int bottom, int knobHeight)
{
    return (top + bottom - knobHeight) / 2;
}

std::optional<double> dragRatio(int x, const Rect& frame, int knobWidth)
{
    const int half = knobWidth / 2;
    const int a = frame.left + half;
    const int b = frame.right - half;
    if (b - a <= 0)
        return std::nullopt;
    double ratio = static_cast<double>(x - a) / static_cast<double>(b - a);
    if (ratio < 0.0)
        ratio = 0.0;
    if (ratio > 1.0)
        ratio = 1.0;
    return ratio;
}

std::optional<std::int64_t> seekTarget(double ratio, std::int64_t length)
{
    if (length <= 0)
        return std::nullopt;
    return static_cast<std::int64_t>(ratio * static_cast<double>(length));
}

int volumeForRatio(double ratio)
{
    return static_cast<int>(ratio * 100.0 + 0.5);
}

int dragTargetAt(Point p, std::optional<Rect> timeFrame, std::optional<Rect> volumeFrame)
{
    if (timeFrame && timeFrame->contains(p))
        return IDC_TIME_SLIDER;
    if (volumeFrame && volumeFrame->contains(p))
        return IDC_VOLUME_SLIDER;
    return 0;
}

std::vector<Tile> tilePlan(int width, int imageWidth)
{
    std::vector<Tile> tiles;
    if (imageWidth <= 0)
        return tiles;
    const int n = width / imageWidth;
    if (n < 0)
        return tiles;
    int done = 0;
    int tile = imageWidth;
    for (int i = 0; i <= n; ++i) {
        if (done + tile > width)
            tile = width - done;
        if (tile > 0) {
            tiles.push_back({done, tile});
            done += tile;
        }
    }
    return tiles;
}

} // namespace playbar
