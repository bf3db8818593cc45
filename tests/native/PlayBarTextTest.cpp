// The time read-out above the time slider.
#include "ui/playbar/logic/TimeText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using playbar::formatTime;
using playbar::timeText;

struct TextCase {
    const char* label;
    std::int64_t length, position;
    int kind;
    const wchar_t* text;
};

TEST(PlayBarTimeText, LengthFirstThenPosition) {
    const TextCase cases[] = {
        {"hours, minutes, seconds", 3725000, 30000, 1, L"01:02:05 / 00:00:30"},
        {"nothing loaded", 0, 0, 1, L"00:00:00 / 00:00:00"},
        {"no player counts as the clock format", 61000, 1000, 0, L"00:01:01 / 00:00:01"},
        {"plain numbers for the Flash kind", 5000, 1200, 2, L"5000 / 1200"},
        {"100 hours", 360000000, 359999999, 1, L"100:00:00 / 99:59:59"},
        {"milliseconds truncate", 59999, 999, 1, L"00:00:59 / 00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(std::wstring(c.text), timeText(c.length, c.position, c.kind));
    }
}

TEST(PlayBarTimeText, FlashKindShowsTheLow32Bits) {
    EXPECT_EQ(L"5", formatTime((std::int64_t(1) << 32) + 5, 2));
    EXPECT_EQ(L"-1", formatTime(0xFFFFFFFFll, 2));
    EXPECT_EQ(L"0", formatTime(0, 2));
}

TEST(PlayBarTimeText, ClockFormatEdges) {
    EXPECT_EQ(L"00:00:00", formatTime(-1, 1));  // an unknown length (-1) reads as zero
    EXPECT_EQ(L"00:59:59", formatTime(3599999, 1));
    EXPECT_EQ(L"01:00:00", formatTime(3600000, 1));
    EXPECT_EQ(L"1000:00:00", formatTime(3600000000ll, 1));
}

} // namespace
