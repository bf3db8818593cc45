// The window placement kept between runs of the real program: where a run ends, the next one
// starts, and a damaged stored value is ignored and replaced.
#include "PlayerFixture.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace e2e;

namespace {

constexpr UINT kFullScreen = 32778;
const RECT kPlaced = {130, 70, 950, 680};

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

RECT windowRect(HWND hWnd)
{
    RECT r = {};
    GetWindowRect(hWnd, &r);
    return r;
}

class SettingsTest : public PlayerTest {
protected:
    HWND startRunning()
    {
        useAds(Ads::Own);
        HWND main = startPlayer();
        EXPECT_TRUE(main && waitUntilRunning(main));
        return main;
    }

    // Moves and sizes the window from outside, as the user would drag it.
    bool place(HWND main, const RECT& r)
    {
        SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        return waitFor([&] { return sameRect(windowRect(main), r); }, 5000);
    }

    void close(HWND main)
    {
        PostMessageW(main, WM_CLOSE, 0, 0);
        expectExitCodeZero();
    }

    // A record the program would accept, placing the window at an odd spot.
    static WINDOWPLACEMENT oddPlacement()
    {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        wp.showCmd = SW_SHOWNORMAL;
        wp.ptMinPosition = {-1, -1};
        wp.ptMaxPosition = {-1, -1};
        wp.rcNormalPosition = {30, 40, 730, 640};
        return wp;
    }
};

TEST_F(SettingsTest, ARunStartsWhereTheLastOneWasClosed)
{
    HWND main = startRunning();
    ASSERT_NE(main, nullptr);
    // The key is there from the start, its value only from the end of the run.
    EXPECT_TRUE(keyExists(kSettingsKey));
    EXPECT_FALSE(readValue(kSettingsKey, L"MAIN_WP").exists);
    ASSERT_TRUE(place(main, kPlaced));
    close(main);

    const RegValue value = readValue(kSettingsKey, L"MAIN_WP");
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(value.type, DWORD(REG_BINARY));
    EXPECT_EQ(value.bytes.size(), 44u);
    WINDOWPLACEMENT wp = {};
    ASSERT_TRUE(storedPlacement(wp));
    EXPECT_EQ(wp.length, 44u);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWNORMAL));
    EXPECT_TRUE(sameRect(wp.rcNormalPosition, kPlaced)) << text(wp.rcNormalPosition);

    player.kill();
    main = startRunning();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(sameRect(windowRect(main), kPlaced)) << text(windowRect(main));
    EXPECT_FALSE(IsZoomed(main));
    close(main);
}

TEST_F(SettingsTest, ARunClosedMaximisedStartsMaximised)
{
    HWND main = startRunning();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(place(main, kPlaced));
    PostMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(waitFor([&] { return IsZoomed(main) != FALSE; }, 5000));
    close(main);

    WINDOWPLACEMENT wp = {};
    ASSERT_TRUE(storedPlacement(wp));
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(sameRect(wp.rcNormalPosition, kPlaced)) << text(wp.rcNormalPosition);

    player.kill();
    main = startRunning();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(waitFor([&] { return IsZoomed(main) != FALSE; }, 5000)) << "started " << text(windowRect(main));
    // Restored, it goes back to where it was before it was maximised.
    ShowWindow(main, SW_RESTORE);
    EXPECT_TRUE(waitFor([&] { return sameRect(windowRect(main), kPlaced); }, 5000)) << text(windowRect(main));
    close(main);
}

TEST_F(SettingsTest, ARunClosedInFullScreenStoresThePlacementFromBefore)
{
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "normal");
        clearProgramRegistry();
        HWND main = startRunning();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(place(main, kPlaced));
        if (maximised) {
            PostMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            ASSERT_TRUE(waitFor([&] { return IsZoomed(main) != FALSE; }, 5000));
        }
        PostMessageW(main, WM_COMMAND, kFullScreen, 0);
        const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        ASSERT_TRUE(waitFor([&] { return sameRect(windowRect(main), screen); }, 5000)) << text(windowRect(main));
        close(main);

        WINDOWPLACEMENT wp = {};
        ASSERT_TRUE(storedPlacement(wp));
        EXPECT_EQ(wp.showCmd, UINT(maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL));
        EXPECT_TRUE(sameRect(wp.rcNormalPosition, kPlaced)) << text(wp.rcNormalPosition);
        player.kill();
    }
}

TEST_F(SettingsTest, ARunClosedMinimisedStoresTheMinimisedShowCommand)
{
    HWND main = startRunning();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(place(main, kPlaced));
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(main) != FALSE; }, 5000));
    close(main);

    WINDOWPLACEMENT wp = {};
    ASSERT_TRUE(storedPlacement(wp));
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMINIMIZED));
    EXPECT_TRUE(sameRect(wp.rcNormalPosition, kPlaced)) << text(wp.rcNormalPosition);
}

// --- damaged stored values

struct BadValue {
    const char* name;
    DWORD type;
    DWORD size;           // bytes of the odd record stored (45: one byte more)
    DWORD lengthField;    // what the record says its length is
};

std::ostream& operator<<(std::ostream& os, const BadValue& v) { return os << v.name; }

class BadPlacementTest : public SettingsTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(BadPlacementTest, IsIgnoredAtStartAndReplacedAtExit)
{
    const BadValue& bad = GetParam();
    WINDOWPLACEMENT wp = oddPlacement();
    wp.length = bad.lengthField;
    unsigned char bytes[45] = {};
    std::memcpy(bytes, &wp, sizeof wp);
    ASSERT_TRUE(writeValue(kSettingsKey, L"MAIN_WP", bad.type, bytes, bad.size));

    HWND main = startRunning();
    ASSERT_NE(main, nullptr);
    // A first start: the first size, centred; nothing of the odd record.
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 672);
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const RECT w = windowRect(main);
    EXPECT_EQ(w.left, (area.left + area.right - (w.right - w.left)) / 2) << text(w);
    EXPECT_NE(w.left, oddPlacement().rcNormalPosition.left);

    ASSERT_TRUE(place(main, kPlaced));
    close(main);
    const RegValue value = readValue(kSettingsKey, L"MAIN_WP");
    EXPECT_EQ(value.type, DWORD(REG_BINARY));
    EXPECT_EQ(value.bytes.size(), 44u);
    WINDOWPLACEMENT stored = {};
    ASSERT_TRUE(storedPlacement(stored));
    EXPECT_EQ(stored.length, 44u);
    EXPECT_TRUE(sameRect(stored.rcNormalPosition, kPlaced)) << text(stored.rcNormalPosition);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BadPlacementTest,
    ::testing::Values(BadValue{"AString", REG_SZ, 44, 44},
                      BadValue{"ANumber", REG_DWORD, 4, 44},
                      BadValue{"FortyThreeBytes", REG_BINARY, 43, 44},
                      BadValue{"FortyFiveBytes", REG_BINARY, 45, 44},
                      BadValue{"LengthFieldNot44", REG_BINARY, 44, 40}),
    [](const testing::TestParamInfo<BadValue>& info) { return std::string(info.param.name); });

} // namespace
