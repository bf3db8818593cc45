// Placement of the bar's controls, slider fill and knobs, drag ratios and tiling.
#include "PlayBarPictures.h"

#include "res/resource.h"
#include "ui/playbar/logic/BarGeometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace {

using namespace playbar;
using playbar_test::storedBarHeight;
using playbar_test::storedControlSizes;

std::map<int, Rect> layoutMap(int width, const ControlSizes& sizes, int height)
{
    std::map<int, Rect> out;
    for (const auto& p : layoutBar(width, height, sizes))
        out[p.id] = p.rect;
    return out;
}

TEST(PlayBarHeight, FollowsTheBackgroundPicture) {
    EXPECT_EQ(0, barHeight(false, Size{10, 36}));
    EXPECT_EQ(27, barHeight(true, std::nullopt));
    EXPECT_EQ(20, barHeight(true, Size{10, 20}));
    EXPECT_EQ(36, storedBarHeight());
}

TEST(PlayBarLayout, StoredPicturesInA480PixelBar) {
    const auto rects = layoutMap(480, storedControlSizes(), storedBarHeight());
    ASSERT_TRUE(rects.count(IDC_TIME_SLIDER));
    EXPECT_EQ(149, rects.at(IDC_TIME_SLIDER).left);
    EXPECT_EQ(199, rects.at(IDC_TIME_SLIDER).width());
    EXPECT_EQ(349, rects.at(IDC_VOLUME_SLIDER).left);
    EXPECT_EQ(418, rects.at(IDC_MUTE).left);
    EXPECT_EQ(447, rects.at(IDC_FULLSCREEN).left);
    EXPECT_EQ(447, rects.at(IDC_LEAVE_FULLSCREEN).left);
}

// The whole geometry for a bar W pixels wide with the stored pictures (bar height 36).
TEST(PlayBarLayout, GeometryForAnyWidth) {
    const auto sizes = storedControlSizes();
    const int height = storedBarHeight();
    for (int w : {300, 480, 640, 800, 1024, 1366, 1920, 3840}) {
        SCOPED_TRACE(w);
        const std::map<int, Rect> expected = {
            {IDC_OPEN, rectAt(1, 2, 36, 32)},
            {IDC_STOP, rectAt(1, 2, 36, 32)},
            {IDC_PLAY, rectAt(38, 2, 36, 32)},
            {IDC_PAUSE, rectAt(38, 2, 36, 32)},
            {IDC_PREV, rectAt(75, 2, 36, 32)},
            {IDC_NEXT, rectAt(112, 2, 36, 32)},
            {IDC_TIME_SLIDER, rectAt(149, 16, w - 281, 12)},
            {IDC_VOLUME_SLIDER, rectAt(w - 131, 15, 68, 12)},
            {IDC_MUTE, rectAt(w - 62, 9, 28, 24)},
            {IDC_FULLSCREEN, rectAt(w - 33, 5, 32, 26)},
            {IDC_LEAVE_FULLSCREEN, rectAt(w - 33, 5, 32, 26)},
        };
        const auto rects = layoutMap(w, sizes, height);
        ASSERT_EQ(expected.size(), rects.size());
        for (const auto& [id, r] : expected) {
            SCOPED_TRACE(id);
            ASSERT_TRUE(rects.count(id));
            EXPECT_EQ(r, rects.at(id));
        }
        // Last control ends one pixel before the right edge; the groups meet the time slider.
        EXPECT_EQ(w - 1, rects.at(IDC_FULLSCREEN).right);
        EXPECT_EQ(rects.at(IDC_NEXT).right + 1, rects.at(IDC_TIME_SLIDER).left);
        EXPECT_EQ(rects.at(IDC_VOLUME_SLIDER).left - 1, rects.at(IDC_TIME_SLIDER).right);
    }
}

TEST(PlayBarLayout, ControlWithoutPictureKeepsItsPlaceAndTheRowGoesOn) {
    auto sizes = storedControlSizes();
    sizes.erase(IDC_PREV);
    sizes.erase(IDC_MUTE);
    const auto rects = layoutMap(480, sizes, storedBarHeight());
    EXPECT_FALSE(rects.count(IDC_PREV));
    EXPECT_FALSE(rects.count(IDC_MUTE));
    EXPECT_EQ(75, rects.at(IDC_NEXT).left);
    EXPECT_EQ(112, rects.at(IDC_TIME_SLIDER).left);
    EXPECT_EQ(rectAt(447 - 1 - 68, 15, 68, 12), rects.at(IDC_VOLUME_SLIDER));
    EXPECT_EQ(447 - 1 - 68 - 1 - 112, rects.at(IDC_TIME_SLIDER).width());
}

TEST(PlayBarLayout, NoTimeSliderWithoutItsPicture) {
    auto sizes = storedControlSizes();
    sizes.erase(IDC_TIME_SLIDER);
    EXPECT_FALSE(layoutMap(480, sizes, storedBarHeight()).count(IDC_TIME_SLIDER));
}

TEST(PlayBarLayout, FallbackHeightCentresThePictures) {
    const auto rects = layoutMap(480, storedControlSizes(), kFallbackBarHeight);
    // (27 - 32) / 2 truncates toward zero: -2.
    EXPECT_EQ(-2, rects.at(IDC_OPEN).top);
    EXPECT_EQ((27 - 12) / 2 + 4, rects.at(IDC_TIME_SLIDER).top);
    EXPECT_EQ((27 - 24) / 2 + 3, rects.at(IDC_MUTE).top);
}

struct PlaceCase {
    const char* label;
    std::optional<Size> image;
    int x, direction, extra, height;
    std::optional<Rect> rect;
    int next;
};

TEST(PlayBarLayout, PlaceControl) {
    const PlaceCase cases[] = {
        {"rightward", Size{36, 32}, 1, 1, 0, 36, rectAt(1, 2, 36, 32), 38},
        {"leftward", Size{32, 26}, 479, -1, 0, 36, rectAt(447, 5, 32, 26), 446},
        {"leftward dropped", Size{28, 24}, 446, -1, 3, 36, rectAt(418, 9, 28, 24), 417},
        {"direction 0 counts as leftward", Size{10, 10}, 50, 0, 0, 36, rectAt(40, 13, 10, 10), 39},
        {"no picture", std::nullopt, 75, 1, 0, 36, std::nullopt, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Placement p = placeControl(c.image, c.x, c.direction, c.extra, c.height);
        EXPECT_EQ(c.next, p.nextX);
        ASSERT_EQ(c.rect.has_value(), p.rect.has_value());
        if (c.rect) {
            EXPECT_EQ(*c.rect, *p.rect);
        }
    }
}

// --- sliders ---

struct FillCase {
    const char* label;
    std::int64_t time, length;
    int track, knob;
    int fill;
};

TEST(PlayBarSlider, TimeFill) {
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    const FillCase cases[] = {
        {"half of a 480 bar's track", 1000, 2000, 199, 12, 93},
        {"at the end", 3725000, 3725000, 199, 12, 187},
        {"past the end shows the end", 5000, 3000, 199, 12, 187},
        {"start", 0, 3725000, 199, 12, 0},
        {"length 0", 30000, 0, 199, 12, 0},
        {"unknown length", 30000, -1, 199, 12, 0},
        {"negative position", -500, 3000, 199, 12, 0},
        {"truncates toward zero", 1, 3, 199, 12, 62},
        {"knob wider than the track", 10, 20, 8, 12, 0},
        {"no knob", 1000, 2000, 199, 0, 99},
        {"huge length does not overflow", big / 2, big, 199, 12, 93},
        {"huge position at the end", big, big, 199, 12, 187},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.fill, timeFill(c.time, c.length, c.track, c.knob));
    }
}

TEST(PlayBarSlider, VolumeKnob) {
    // Stored volume bar 68 wide, knob 16: the knob travels 52 pixels.
    EXPECT_EQ(349, volumeKnobX(349, 0, 68, 16));
    EXPECT_EQ(349 + 26, volumeKnobX(349, 50, 68, 16));
    EXPECT_EQ(349 + 52, volumeKnobX(349, 100, 68, 16));
    EXPECT_EQ(349 + 6, volumeKnobX(349, 13, 68, 16));   // 13 * 52 / 100 = 6.76
    EXPECT_EQ(349 + 68, volumeKnobX(349, 100, 68, 0));  // without a knob picture
}

TEST(PlayBarSlider, KnobsAreCentredOnTheirFrames) {
    EXPECT_EQ(16, knobTop(16, 28, 12));
    EXPECT_EQ(15, knobTop(15, 27, 12));
    EXPECT_EQ(14, knobTop(15, 27, 14));
    EXPECT_EQ(15, knobTop(15, 27, 11));
}

struct RatioCase {
    const char* label;
    int x;
    Rect frame;
    int knob;
    std::optional<double> ratio;
};

TEST(PlayBarDrag, Ratio) {
    const Rect time = rectAt(149, 16, 199, 12);      // a 480 bar
    const Rect volume = rectAt(349, 15, 68, 12);
    const RatioCase cases[] = {
        {"time knob centre at the left end", time.left + 6, time, 12, 0.0},
        {"time knob centre at the right end", time.right - 6, time, 12, 1.0},
        {"inside the frame left of the travel", time.left + 2, time, 12, 0.0},
        {"far left of the window", -30000, time, 12, 0.0},
        {"far right of the window", 32767, time, 12, 1.0},
        {"middle", time.left + 6 + 93, time, 12, 93.0 / 187.0},
        {"volume 0", volume.left + 8, volume, 16, 0.0},
        {"volume 100", volume.left + 60, volume, 16, 1.0},
        {"volume 50", volume.left + 34, volume, 16, 0.5},
        {"no room to travel", 100, rectAt(95, 0, 12, 12), 12, std::nullopt},
        {"knob wider than the frame", 100, rectAt(95, 0, 10, 12), 12, std::nullopt},
        {"odd knob width: half truncates", 3, rectAt(0, 0, 21, 12), 5, 1.0 / 17.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto r = dragRatio(c.x, c.frame, c.knob);
        ASSERT_EQ(c.ratio.has_value(), r.has_value());
        if (c.ratio) {
            EXPECT_DOUBLE_EQ(*c.ratio, *r);
        }
    }
}

TEST(PlayBarDrag, VolumeRoundsHalvesUp) {
    EXPECT_EQ(13, volumeForRatio(0.125));
    EXPECT_EQ(0, volumeForRatio(0.0));
    EXPECT_EQ(100, volumeForRatio(1.0));
    EXPECT_EQ(50, volumeForRatio(0.5));
    EXPECT_EQ(1, volumeForRatio(0.005));
    EXPECT_EQ(0, volumeForRatio(0.0049));
}

TEST(PlayBarDrag, SeekTarget) {
    EXPECT_EQ(std::optional<std::int64_t>(0), seekTarget(0.0, 3725000));
    EXPECT_EQ(std::optional<std::int64_t>(3725000), seekTarget(1.0, 3725000));
    EXPECT_EQ(std::optional<std::int64_t>(1862500), seekTarget(0.5, 3725000));
    EXPECT_EQ(std::optional<std::int64_t>(333), seekTarget(1.0 / 3.0, 1000));  // truncates
    // Without a known length a press must not rewind playback.
    EXPECT_FALSE(seekTarget(0.5, 0).has_value());
    EXPECT_FALSE(seekTarget(0.5, -1).has_value());
}

TEST(PlayBarDrag, OnlyTheSliderFramesStartADrag) {
    const Rect time = rectAt(149, 16, 199, 12);
    const Rect volume = rectAt(349, 15, 68, 12);
    struct Case {
        const char* label;
        Point p;
        int target;
    } cases[] = {
        {"time frame top-left", {149, 16}, IDC_TIME_SLIDER},
        {"time frame last pixel", {347, 27}, IDC_TIME_SLIDER},
        {"time frame right edge is outside", {348, 20}, 0},
        {"time text band above the frame", {300, 8}, 0},
        {"time frame bottom edge is outside", {200, 28}, 0},
        {"volume frame", {380, 20}, IDC_VOLUME_SLIDER},
        {"a button", {20, 20}, 0},
        {"left of the window", {-5, 20}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.target, dragTargetAt(c.p, time, volume));
    }
    EXPECT_EQ(0, dragTargetAt({200, 20}, std::nullopt, volume));
    EXPECT_EQ(IDC_VOLUME_SLIDER, dragTargetAt({380, 20}, std::nullopt, volume));
}

TEST(PlayBarDrag, MouseWordsAreSigned) {
    EXPECT_EQ(149, signedWord(149));
    EXPECT_EQ(-1, signedWord(0xFFFF));
    EXPECT_EQ(-32768, signedWord(0x8000));
    EXPECT_EQ(32767, signedWord(0x7FFF));
    const std::uint32_t lParam = (0xFFF6u << 16) | 0x0030u;  // x 48, y -10
    EXPECT_EQ(48, signedWord(lParam));
    EXPECT_EQ(-10, signedWord(lParam >> 16));
}

// --- tiling ---

struct TileCase {
    const char* label;
    int width, image;
    std::vector<std::pair<int, int>> tiles;
};

TEST(PlayBarTiling, Plan) {
    const TileCase cases[] = {
        {"squeezed last tile", 25, 10, {{0, 10}, {10, 10}, {20, 5}}},
        {"exact multiple: no empty tile", 30, 10, {{0, 10}, {10, 10}, {20, 10}}},
        {"narrower than the picture", 7, 10, {{0, 7}}},
        {"zero width", 0, 10, {}},
        {"negative width", -5, 10, {}},
        {"picture without width", 25, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto plan = tilePlan(c.width, c.image);
        ASSERT_EQ(c.tiles.size(), plan.size());
        for (size_t i = 0; i < plan.size(); ++i) {
            EXPECT_EQ(c.tiles[i].first, plan[i].x);
            EXPECT_EQ(c.tiles[i].second, plan[i].width);
        }
    }
}

TEST(PlayBarTiling, TimeTrackOfA480Bar) {
    // 199 pixels of a 4-pixel picture: 49 whole tiles and the picture squeezed into 3.
    const auto plan = tilePlan(199, 4);
    ASSERT_EQ(50u, plan.size());
    EXPECT_EQ(196, plan.back().x);
    EXPECT_EQ(3, plan.back().width);
}

TEST(PlayBarTiling, TilesCoverTheWidthWithoutGaps) {
    for (int width : {1, 9, 10, 11, 480, 1921}) {
        SCOPED_TRACE(width);
        int next = 0;
        for (const auto& t : tilePlan(width, 10)) {
            EXPECT_EQ(next, t.x);
            EXPECT_GT(t.width, 0);
            EXPECT_LE(t.width, 10);
            next = t.x + t.width;
        }
        EXPECT_EQ(width, next);
    }
}

} // namespace
