// The window-free logic of the window toolkit and the video window: placement arithmetic,
// the context menu's states and the cursor-rest clock.
#include "res/resource.h"
#include "ui/logic/ContextMenuState.h"
#include "ui/logic/CursorRestClock.h"
#include "ui/logic/VideoLayout.h"
#include "ui/logic/WindowGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace ui {
// Readable failure messages for the geometry types.
void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
void PrintTo(const Size& s, std::ostream* os) { *os << s.width << "x" << s.height; }
void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "[" << r.left << ", " << r.top << " - " << r.right << ", " << r.bottom << "]";
}
} // namespace ui

using namespace ui;

namespace {

// --- centring ---

struct CenterCase {
    const char* what;
    Size window;
    Rect area;
    Point expected;
};

TEST(WindowGeometry, CentresInsideTheReferenceArea)
{
    const CenterCase cases[] = {
        {"work area from the origin", {688, 520}, {0, 0, 1920, 1040}, {616, 260}},
        {"odd remainder rounds toward zero", {101, 51}, {0, 0, 1000, 600}, {449, 274}},
        {"exact fit", {1000, 600}, {0, 0, 1000, 600}, {0, 0}},
        {"wider and taller than the area: left and top edge", {2000, 1200}, {0, 0, 1920, 1040}, {0, 0}},
        {"area not at the origin, window fits: centred in it", {900, 100}, {100, 0, 1100, 300}, {150, 100}},
        {"area not at the origin, window too wide: area's left edge", {1200, 100}, {100, 40, 1100, 340}, {100, 140}},
        {"owner far from the origin", {200, 100}, {1000, 500, 1400, 800}, {1100, 600}},
        {"area left of the primary screen", {400, 300}, {-1920, 0, 0, 1080}, {-1160, 390}},
        {"empty area", {400, 300}, {0, 0, 0, 0}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(centerPosition(c.window, c.area), c.expected) << c.what;
}

TEST(WindowGeometry, CentredWindowStaysInsideTheArea)
{
    // Every size up to a bit larger than the area: the result lies in the area whenever it fits.
    const Rect area{37, 11, 837, 611};
    for (int w = 1; w <= 900; w += 7) {
        for (int h = 1; h <= 700; h += 13) {
            const Point p = centerPosition({w, h}, area);
            if (w <= area.width()) {
                EXPECT_GE(p.x, area.left);
                EXPECT_LE(p.x + w, area.right);
                EXPECT_LE(std::abs((p.x - area.left) - (area.right - p.x - w)), 1) << w;
            } else {
                EXPECT_EQ(p.x, area.left) << w;
            }
            if (h <= area.height()) {
                EXPECT_GE(p.y, area.top);
                EXPECT_LE(p.y + h, area.bottom);
            } else {
                EXPECT_EQ(p.y, area.top) << h;
            }
        }
    }
}

TEST(WindowGeometry, ClientSizeKeepsTheFrame)
{
    struct Case {
        Size outer, client, wanted, expected;
    };
    const Case cases[] = {
        {{688, 520}, {672, 481}, {672, 481}, {688, 520}},   // present size: unchanged
        {{688, 520}, {672, 481}, {672, 456}, {688, 495}},
        {{688, 520}, {672, 481}, {480, 300}, {496, 339}},
        {{300, 200}, {0, 0}, {100, 50}, {400, 250}},        // minimised-like empty client
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowSizeForClient(c.outer, c.client, c.wanted), c.expected)
            << c.wanted.width << "x" << c.wanted.height;
}

TEST(WindowGeometry, LabelPositionCountsNegativeCoordinatesFromTheFarEdges)
{
    struct Case {
        int x, y;
        Size label, parent;
        Point expected;
    };
    const Case cases[] = {
        {-5, 5, {120, 13}, {640, 480}, {515, 5}},
        {0, 0, {120, 13}, {640, 480}, {0, 0}},
        {7, -3, {120, 13}, {640, 480}, {7, 464}},
        {-1, -1, {640, 480}, {640, 480}, {-1, -1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labelPosition(c.x, c.y, c.label, c.parent), c.expected) << c.x << "," << c.y;
}

// --- the video dialog's parts ---

TEST(VideoLayout, LinkTopRightAndSurfaceBelowIt)
{
    struct Case {
        const char* what;
        Size client;
        Size link;
        Point linkAt;
        Rect surface;
    };
    const Case cases[] = {
        {"link 120x13 in 672x420", {672, 420}, {120, 13}, {547, 5}, {0, 23, 672, 23 + 402}},
        {"no link", {672, 420}, {0, 0}, {667, 5}, {0, 10, 672, 425}},
        {"dialog lower than the link", {100, 10}, {120, 13}, {-25, 5}, {0, 23, 100, 23}},
        {"empty dialog", {0, 0}, {120, 13}, {-125, 5}, {0, 23, 0, 23}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linkPosition(c.client.width, c.link), c.linkAt) << c.what;
        EXPECT_EQ(surfaceRect(c.client, c.link.height), c.surface) << c.what;
    }
}

TEST(VideoLayout, SurfaceOverhangsTheBottomByTheMargin)
{
    const Rect s = surfaceRect({800, 500}, 16);
    EXPECT_EQ(s.bottom, 500 + 5);
    EXPECT_EQ(s.height(), 500 - 16 - 5);
}

TEST(VideoLayout, LogoCentredAtItsOwnSizeWhenItFits)
{
    const Size logo{316, 155};
    struct Case {
        Size client;
        Point at;
    };
    const Case cases[] = {
        {{672, 420}, {178, 132}},
        {{673, 421}, {178, 133}},
        {{480, 300}, {82, 72}},
        {{316, 155}, {0, 0}},
        {{317, 156}, {0, 0}},
    };
    for (const auto& c : cases) {
        const Rect r = logoRect(c.client, logo);
        EXPECT_EQ(r.topLeft(), c.at) << c.client.width << "x" << c.client.height;
        EXPECT_EQ(r.size(), logo) << c.client.width << "x" << c.client.height;
    }
}

TEST(VideoLayout, LogoShrinksToFitASmallerArea)
{
    const Size logo{316, 155};
    struct Case {
        Size client;
        Rect expected;
    };
    const Case cases[] = {
        {{158, 400}, {0, 161, 158, 161 + 77}},     // too narrow: full width, proportional height
        {{600, 31}, {268, 0, 268 + 63, 31}},       // too low: full height, proportional width
        {{316, 154}, {1, 0, 1 + 313, 154}},        // one pixel too low
    };
    for (const auto& c : cases) {
        const Rect r = logoRect(c.client, logo);
        EXPECT_EQ(r, c.expected) << c.client.width << "x" << c.client.height;
        EXPECT_LE(r.right, c.client.width);
        EXPECT_LE(r.bottom, c.client.height);
    }
}

TEST(VideoLayout, NothingToDrawWithoutAreaOrLogo)
{
    EXPECT_TRUE(logoRect({0, 0}, {316, 155}).isEmpty());
    EXPECT_TRUE(logoRect({672, 0}, {316, 155}).isEmpty());
    EXPECT_TRUE(logoRect({-5, 300}, {316, 155}).isEmpty());
    EXPECT_TRUE(logoRect({672, 420}, {0, 0}).isEmpty());      // an image that did not decode
    EXPECT_TRUE(logoRect({1, 1}, {316, 155}).isEmpty());      // shrinks to nothing
}

// --- the context menu ---

struct MenuCase {
    const char* what;
    ContextMenuInputs in;
    std::vector<int> grayed;      // shown but disabled
    std::vector<int> removed;
};

std::string commandName(int id)
{
    static const std::map<int, std::string> names = {
        {IDM_OPEN, "Open"}, {IDM_PLAY, "Play"}, {IDM_PAUSE, "Pause"}, {IDM_STOP, "Stop"},
        {IDM_PREVIOUS, "Previous"}, {IDM_NEXT, "Next"}, {IDM_FULLSCREEN, "FullScreen"},
        {IDM_LEAVE_FULLSCREEN, "LeaveFullScreen"}, {IDM_EXIT, "Exit"}};
    auto it = names.find(id);
    return it == names.end() ? std::to_string(id) : it->second;
}

TEST(ContextMenuState, ItemsFollowThePlaybackState)
{
    // in: hasPlayer, playing, state, playlistCount, currentIndex, fullScreen
    const MenuCase cases[] = {
        {"nothing opened", {false, false, 0, 0, -1, false},
         {IDM_PLAY, IDM_PAUSE, IDM_STOP, IDM_PREVIOUS, IDM_NEXT}, {IDM_LEAVE_FULLSCREEN}},
        {"playing, one file", {true, true, 3, 1, 0, false},
         {IDM_PLAY, IDM_PREVIOUS, IDM_NEXT}, {IDM_LEAVE_FULLSCREEN}},
        {"playing, three files", {true, true, 3, 3, 1, false}, {IDM_PLAY}, {IDM_LEAVE_FULLSCREEN}},
        {"paused", {true, false, 4, 3, 0, false}, {IDM_PAUSE}, {IDM_LEAVE_FULLSCREEN}},
        {"paused, empty playlist", {true, false, 4, 0, -1, false},
         {IDM_PLAY, IDM_PAUSE, IDM_PREVIOUS, IDM_NEXT}, {IDM_LEAVE_FULLSCREEN}},
        {"stopped with files", {true, false, 5, 2, 0, false}, {IDM_PAUSE, IDM_STOP}, {IDM_LEAVE_FULLSCREEN}},
        {"ended", {true, false, 6, 2, 1, false}, {IDM_PAUSE, IDM_STOP}, {IDM_LEAVE_FULLSCREEN}},
        {"two files, none current", {true, false, 5, 2, -1, false},
         {IDM_PAUSE, IDM_STOP, IDM_PREVIOUS, IDM_NEXT}, {IDM_LEAVE_FULLSCREEN}},
        {"full screen, playing", {true, true, 3, 2, 0, true}, {IDM_PLAY}, {IDM_FULLSCREEN}},
        {"full screen, nothing opened", {false, false, 0, 0, -1, true},
         {IDM_PLAY, IDM_PAUSE, IDM_STOP, IDM_PREVIOUS, IDM_NEXT}, {IDM_FULLSCREEN}},
        // A player that reports playing counts only while it exists.
        {"playing flag without a player", {false, true, 0, 1, 0, false},
         {IDM_PAUSE, IDM_STOP, IDM_PREVIOUS, IDM_NEXT}, {IDM_LEAVE_FULLSCREEN}},
    };
    const std::vector<int> order = {IDM_OPEN, IDM_PLAY, IDM_PAUSE, IDM_STOP, IDM_PREVIOUS,
                                    IDM_NEXT, IDM_FULLSCREEN, IDM_LEAVE_FULLSCREEN, IDM_EXIT};
    for (const auto& c : cases) {
        const ContextMenuItems items = contextMenuItems(c.in);
        ASSERT_EQ(items.size(), order.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int id = items[i].command;
            EXPECT_EQ(id, order[i]) << c.what;
            const bool removed = std::find(c.removed.begin(), c.removed.end(), id) != c.removed.end();
            const bool grayed = std::find(c.grayed.begin(), c.grayed.end(), id) != c.grayed.end();
            EXPECT_EQ(items[i].shown, !removed) << c.what << ": " << commandName(id);
            if (!removed) {
                EXPECT_EQ(items[i].enabled, !grayed) << c.what << ": " << commandName(id);
            }
        }
    }
}

TEST(ContextMenuState, DoubleClickTogglesFullScreen)
{
    EXPECT_EQ(fullScreenToggleCommand(false), IDM_FULLSCREEN);
    EXPECT_EQ(fullScreenToggleCommand(true), IDM_LEAVE_FULLSCREEN);
}

// --- the cursor-rest clock ---

const Rect kVideo{100, 50, 772, 470};     // the video dialog on the screen

struct Reading {
    std::uint32_t tick;
    Point cursor;
    bool playing;
    CursorAction expected;
};

void runReadings(CursorRestClock& clock, const std::vector<Reading>& readings, const char* what)
{
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const auto& r = readings[i];
        EXPECT_EQ(clock.tick(r.tick, r.cursor, r.playing, kVideo), r.expected) << what << ", reading " << i;
    }
}

TEST(CursorRestClock, HidesAfterFiveSecondsOfRestOverThePlayingVideo)
{
    struct Scenario {
        const char* what;
        std::uint32_t start;
        Point at;
        std::vector<Reading> readings;
    };
    const CursorAction N = CursorAction::None, H = CursorAction::Hide, S = CursorAction::Show;
    const Scenario scenarios[] = {
        {"rest: hides at the first tick at 5000 ms, once", 1000, {300, 200},
         {{1260, {300, 200}, true, N}, {5999, {300, 200}, true, N}, {6000, {300, 200}, true, H},
          {6260, {300, 200}, true, N}, {60000, {300, 200}, true, N}}},
        {"a move of 6 pixels brings it back, 5 does not count", 0, {300, 200},
         {{5200, {300, 200}, true, H}, {5460, {305, 205}, true, N}, {5720, {306, 200}, true, S},
          {5980, {306, 194}, true, N}, {10979, {306, 194}, true, N}, {10980, {306, 194}, true, H},
          {11240, {306, 187}, true, S}}},
        {"small steps add up until one reading is more than 5 away", 0, {300, 200},
         {{1000, {302, 200}, true, N}, {2000, {304, 200}, true, N}, {3000, {305, 200}, true, N},
          {5000, {305, 200}, true, H}, {5260, {306, 200}, true, S}}},
        {"never while not playing", 0, {300, 200},
         {{6000, {300, 200}, false, N}, {20000, {300, 200}, false, N}, {20260, {300, 200}, true, H}}},
        {"never outside the video dialog (right and bottom edges outside)", 0, {772, 200},
         {{6000, {772, 200}, true, N}, {6260, {775, 200}, true, N}}},
        {"bottom edge outside, top-left corner inside", 0, {100, 470},
         {{6000, {100, 470}, true, N}, {6260, {100, 475}, true, N}, {6520, {100, 469}, true, H}}},
        {"a paused player leaves a hidden cursor hidden until it moves", 0, {300, 200},
         {{5000, {300, 200}, true, H}, {9000, {300, 200}, false, N}, {9260, {290, 200}, false, S},
          {30000, {290, 200}, false, N}}},
        {"tick count wrapping past 2^32", 0xFFFFF000u, {300, 200},
         {{0xFFFFFF00u, {300, 200}, true, N}, {0x00000387u, {300, 200}, true, N},
          {0x00000388u, {300, 200}, true, H}}},
        {"movement across the wrap restarts the rest", 0xFFFFFF00u, {300, 200},
         {{0x00000100u, {320, 200}, true, N}, {0x00001487u, {320, 200}, true, N},
          {0x00001488u, {320, 200}, true, H}}},
    };
    for (const auto& s : scenarios) {
        CursorRestClock clock;
        clock.reset(s.start, s.at);
        runReadings(clock, s.readings, s.what);
    }
}

TEST(CursorRestClock, ResetShowsAndRestartsTheRest)
{
    CursorRestClock clock;
    clock.reset(0, {300, 200});
    ASSERT_EQ(clock.tick(5000, {300, 200}, true, kVideo), CursorAction::Hide);
    clock.reset(5000, {300, 200});
    EXPECT_FALSE(clock.cursorHidden);
    EXPECT_EQ(clock.tick(9999, {300, 200}, true, kVideo), CursorAction::None);
    EXPECT_EQ(clock.tick(10000, {300, 200}, true, kVideo), CursorAction::Hide);
}

TEST(CursorRestClock, ExtremeCoordinatesDoNotOverflow)
{
    CursorRestClock clock;
    clock.reset(0, {INT32_MIN, INT32_MIN});
    EXPECT_EQ(clock.tick(10, {INT32_MAX, INT32_MAX}, true, kVideo), CursorAction::None);
    EXPECT_EQ(clock.lastCursorPos, (Point{INT32_MAX, INT32_MAX}));
    EXPECT_EQ(clock.lastMoveTick, 10u);
}

} // namespace
