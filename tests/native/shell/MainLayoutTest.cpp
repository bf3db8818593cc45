#include "MainLayout.h"

#include <gtest/gtest.h>

using layout::Rect;
using layout::Size;

namespace {

TEST(MainLayout, ReservedHeightIsTheBarUnlessItHidesInFullScreen)
{
    struct Case {
        bool visible, fullScreen;
        int expected;
    };
    const Case cases[] = {
        {true, false, 36},
        {false, false, 36},    // windowed: the bar always gets its room, even while hidden
        {true, true, 36},
        {false, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layout::reservedBarHeight(c.visible, c.fullScreen, 36), c.expected)
            << "visible " << c.visible << " fullScreen " << c.fullScreen;
}

TEST(MainLayout, FirstSizeLeaves672By420ForTheVideo)
{
    EXPECT_EQ(layout::firstClientSize(36), (Size{672, 456}));
    EXPECT_EQ(layout::firstClientSize(27), (Size{672, 447}));
    EXPECT_EQ(layout::firstClientSize(0), (Size{672, 420}));
}

TEST(MainLayout, MinimumSizeGrowsOnlyWhatIsTooSmall)
{
    struct Case {
        Size client;
        int reserved;
        Size expected;
    };
    const Case cases[] = {
        {{672, 456}, 36, {672, 456}},   // the first size is above the minimum
        {{480, 336}, 36, {480, 336}},   // exactly the minimum
        {{479, 336}, 36, {480, 336}},
        {{480, 335}, 36, {480, 336}},   // video 299 high
        {{200, 100}, 36, {480, 336}},
        {{0, 0}, 36, {480, 336}},
        {{900, 200}, 36, {900, 336}},
        {{300, 700}, 36, {480, 700}},
        {{300, 250}, 0, {480, 300}},    // no bar: the video alone is held at 300
        {{1920, 1080}, 0, {1920, 1080}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layout::minimumClientSize(c.client, c.reserved), c.expected)
            << c.client.width << "x" << c.client.height << " reserved " << c.reserved;
}

TEST(MainLayout, VideoAboveTheBarAndBarAlongTheBottom)
{
    EXPECT_EQ(layout::videoRect({672, 456}, 36), (Rect{0, 0, 672, 420}));
    EXPECT_EQ(layout::barRect({672, 456}, 36), (Rect{0, 420, 672, 36}));
    EXPECT_EQ(layout::videoRect({1280, 800}, 0), (Rect{0, 0, 1280, 800}));
    // Full screen with the bar hidden: the video takes all; the bar keeps its place below.
    EXPECT_EQ(layout::barRect({1280, 800}, 36), (Rect{0, 764, 1280, 36}));
    // A vanished main window reads as 0 x 0: nothing negative is handed to a window.
    EXPECT_EQ(layout::videoRect({0, 0}, 36), (Rect{0, 0, 0, 0}));
}

} // namespace
