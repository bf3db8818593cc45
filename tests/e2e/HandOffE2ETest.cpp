// A second start of the real program with a file: handed to the running instance, which opens
// it and comes to the front; a stale or silent recorded window makes the new process an
// instance of its own; a path too long to be read back is opened by the new process itself.
#include "HelperWindow.h"
#include "PlayerFixture.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace e2e;

namespace {

constexpr UINT kStop = 32786;

class HandOffTest : public PlayerTest {
protected:
    // "MainFrame_NewFile" as text, up to its terminator if it has one.
    static std::wstring storedNewFile()
    {
        const RegValue v = readValue(kHandOffKey, L"MainFrame_NewFile");
        if (!v.exists || v.type != REG_SZ)
            return std::wstring();
        std::wstring text(reinterpret_cast<const wchar_t*>(v.bytes.data()), v.bytes.size() / 2);
        return text.substr(0, text.find(L'\0'));
    }

    void TearDown() override
    {
        second.kill();
        PlayerTest::TearDown();
    }

    HWND startRunning(PlayerProcess& process, const std::wstring& arguments = std::wstring())
    {
        EXPECT_TRUE(process.start(appFolder + L"vesperine.exe", arguments));
        HWND main = process.waitForMainWindow();
        EXPECT_NE(main, nullptr) << "no main window";
        return main;
    }

    std::wstring clip(const wchar_t* name = L"clip.m2ts")
    {
        const std::wstring path = dataFolder + name;
        EXPECT_TRUE(writeFile(path, "x"));
        return path;
    }

    static bool titleIs(HWND main, const std::wstring& title, DWORD timeoutMs = 10000)
    {
        return waitFor([&] { return windowText(main) == title; }, timeoutMs);
    }

    // The second process handed its file over: it ends by itself, with 0, without a window.
    void expectHandedOver()
    {
        DWORD code = 1234;
        ASSERT_TRUE(second.waitForExit(kClosed, &code)) << "the second start did not end";
        EXPECT_EQ(code, 0u);
    }

    PlayerProcess second;
};

TEST_F(HandOffTest, ASecondStartHandsItsFileToTheRunningInstanceWhichComesToTheFront)
{
    useAds(Ads::Own);
    useEngine();
    HWND running = startRunning(player);
    ASSERT_TRUE(running && waitUntilRunning(running));
    EXPECT_EQ(storedMainWindow(), running);

    // Another window has the focus when the file comes.
    HelperWindow other(HelperWindow::Mode::Answering);
    SetForegroundWindow(other.hWnd);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == other.hWnd; }, 5000));

    const std::wstring path = clip();
    ASSERT_TRUE(second.start(appFolder + L"vesperine.exe", path));
    expectHandedOver();
    EXPECT_TRUE(titleIs(running, L"Vesperine - clip.m2ts")) << testing::PrintToString(windowText(running));
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == running; }, 5000));
    EXPECT_EQ(GetWindowLongW(running, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "left topmost";

    // The path went through the registry (with the terminator the registry adds to it); the
    // handle stayed the first one's.
    EXPECT_EQ(storedNewFile(), path);
    EXPECT_EQ(storedMainWindow(), running);

    PostMessageW(running, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

TEST_F(HandOffTest, WithoutAnEngineTheRunningInstanceSaysItCouldNotLoadTheFile)
{
    useAds(Ads::Own);
    HWND running = startRunning(player);
    ASSERT_TRUE(running && waitUntilRunning(running));
    ASSERT_TRUE(second.start(appFolder + L"vesperine.exe", clip()));
    expectHandedOver();
    HWND box = waitForMessageBox(running, 15000);
    ASSERT_NE(box, nullptr) << "no message in the running instance";
    const auto texts = childTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Could not load the file"), texts.end());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
    PostMessageW(running, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

// --- what the recorded handle may name when no player answers

enum class Recorded { NoWindow, OtherWindow, SilentWindow, Zero, AString };

struct StaleCase {
    const char* name;
    Recorded recorded;
};

std::ostream& operator<<(std::ostream& os, const StaleCase& c) { return os << c.name; }

class StaleHandleTest : public HandOffTest, public ::testing::WithParamInterface<StaleCase> {};

TEST_P(StaleHandleTest, TheNewProcessBecomesAnInstanceOfItsOwn)
{
    useAds(Ads::Own);
    useEngine();
    std::unique_ptr<HelperWindow> helper;
    switch (GetParam().recorded) {
    case Recorded::NoWindow: {
        HelperWindow gone(HelperWindow::Mode::Answering);
        ASSERT_TRUE(storeMainWindowValue(gone.hWnd));
        break;
    }
    case Recorded::OtherWindow:
        helper = std::make_unique<HelperWindow>(HelperWindow::Mode::Answering);
        ASSERT_TRUE(storeMainWindowValue(helper->hWnd));
        break;
    case Recorded::SilentWindow:
        helper = std::make_unique<HelperWindow>(HelperWindow::Mode::Silent);
        ASSERT_TRUE(storeMainWindowValue(helper->hWnd));
        break;
    case Recorded::Zero:
        ASSERT_TRUE(storeMainWindowValue(nullptr));
        break;
    case Recorded::AString:
        ASSERT_TRUE(writeValue(kHandOffKey, L"MainFrame_Handle", REG_SZ, L"1234", 10));
        break;
    }
    if (helper) {
        ASSERT_TRUE(IsWindow(helper->hWnd));
    }

    const DWORD start = GetTickCount();
    HWND own = startRunning(second, clip());
    ASSERT_NE(own, nullptr) << "the new process did not become an instance";
    RecordProperty("ms_until_own_window", int(GetTickCount() - start));
    // It opened the file itself and recorded itself for later starts.
    EXPECT_TRUE(titleIs(own, L"Vesperine - clip.m2ts")) << testing::PrintToString(windowText(own));
    EXPECT_TRUE(waitFor([&] { return storedMainWindow() == own; }, 5000));
    EXPECT_FALSE(readValue(kHandOffKey, L"MainFrame_NewFile").exists) << "a path was handed to nobody";
    PostMessageW(own, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    EXPECT_TRUE(second.waitForExit(kClosed, &code));
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Recorded, StaleHandleTest,
    ::testing::Values(StaleCase{"NoWindow", Recorded::NoWindow}, StaleCase{"AWindowThatIsNoPlayer", Recorded::OtherWindow},
                      StaleCase{"AWindowThatNeverAnswers", Recorded::SilentWindow}, StaleCase{"Zero", Recorded::Zero},
                      StaleCase{"AString", Recorded::AString}),
    [](const testing::TestParamInfo<StaleCase>& info) { return std::string(info.param.name); });

// --- the longest path that is handed over

// A readable clip whose full path is exactly length characters long.
std::wstring clipOfLength(const std::wstring& folder, std::size_t length)
{
    const std::wstring name = L"clip.m2ts";
    const std::size_t padding = length - folder.size() - 1 - name.size();
    const std::wstring sub = folder + std::wstring(padding, L'd');
    if (!CreateDirectoryW(sub.c_str(), nullptr))
        return std::wstring();
    const std::wstring path = sub + L"\\" + name;
    return writeFile(path, "x") ? path : std::wstring();
}

TEST_F(HandOffTest, APathOf259CharactersIsHandedOverALongerOneIsOpenedByTheNewProcess)
{
    useAds(Ads::Own);
    useEngine();
    HWND running = startRunning(player);
    ASSERT_TRUE(running && waitUntilRunning(running));

    const std::wstring longest = clipOfLength(dataFolder, 259);
    ASSERT_EQ(longest.size(), 259u) << "could not make the file";
    ASSERT_TRUE(second.start(appFolder + L"vesperine.exe", longest));
    expectHandedOver();
    EXPECT_TRUE(titleIs(running, L"Vesperine - clip.m2ts")) << testing::PrintToString(windowText(running));
    // Stopped, the title names no file again: the next check tells whether it opened another.
    PostMessageW(running, WM_COMMAND, kStop, 0);
    ASSERT_TRUE(titleIs(running, L"Vesperine"));

    const std::wstring tooLong = clipOfLength(dataFolder, 260);
    ASSERT_EQ(tooLong.size(), 260u) << "could not make the file";
    second.kill();
    HWND own = startRunning(second, tooLong);
    ASSERT_NE(own, nullptr) << "the new process handed the path over instead of opening it";
    EXPECT_TRUE(titleIs(own, L"Vesperine - clip.m2ts")) << testing::PrintToString(windowText(own));
    EXPECT_EQ(windowText(running), L"Vesperine");
    EXPECT_EQ(storedNewFile(), longest) << "the longer path was written";
    EXPECT_TRUE(waitFor([&] { return storedMainWindow() == own; }, 5000));

    PostMessageW(own, WM_CLOSE, 0, 0);
    PostMessageW(running, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

} // namespace
