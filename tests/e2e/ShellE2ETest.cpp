// The whole program, started as a process of its own under Wine: start-up, the command line,
// the About box and the Open dialog, and the close path with the advertisement library.
// There is no engine under Wine, so every file the program tries to play is "Could not load
// the file".
#include "PlayerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace e2e;

namespace {

constexpr UINT kAbout = 104;
constexpr UINT kOpen = 32771;
constexpr UINT kExit = 32774;

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(PlayerTest, StartsWithoutFileCentredAtItsFirstSize)
{
    useAds(Ads::Own);
    HWND main = startPlayer();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(windowText(main), L"Media Player");
    ASSERT_TRUE(waitUntilRunning(main)) << "title stayed " << testing::PrintToString(windowText(main));
    EXPECT_TRUE(IsWindowVisible(main));

    // The bar (if there is one) is the child along the bottom; the video dialog sits at the top.
    int barHeight = 0;
    HWND video = nullptr;
    for (HWND child : directChildren(main)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        if (r.top == 0)
            video = child;
        else if (IsWindowVisible(child))
            barHeight = r.bottom - r.top;
    }
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 672);
    EXPECT_EQ(client.bottom, 420 + barHeight);
    if (video) {
        RECT v;
        GetClientRect(video, &v);
        EXPECT_EQ(v.right, 672);
        EXPECT_EQ(v.bottom, 420);
        EXPECT_TRUE(IsWindowVisible(video));
    }

    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT w;
    GetWindowRect(main, &w);
    const int width = w.right - w.left;
    const int height = w.bottom - w.top;
    EXPECT_EQ(w.left, (area.left + area.right - width) / 2);
    EXPECT_EQ(w.top, (area.top + area.bottom - height) / 2);

    EXPECT_EQ(findOwnedDialog(main, L"Vesperine"), nullptr) << "no file, no message";
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

TEST_F(PlayerTest, SpringsBackToTheMinimumSize)
{
    useAds(Ads::Own);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    RECT before;
    GetClientRect(main, &before);
    const int barHeight = before.bottom - 420;

    SetWindowPos(main, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT client = {};
    EXPECT_TRUE(waitFor(
        [&] {
            GetClientRect(main, &client);
            return client.right == 480 && client.bottom == 300 + barHeight;
        },
        5000))
        << client.right << "x" << client.bottom;

    // Only the height too small: the width is kept.
    SetWindowPos(main, nullptr, 0, 0, 900, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(waitFor(
        [&] {
            GetClientRect(main, &client);
            return client.bottom == 300 + barHeight && client.right > 480;
        },
        5000))
        << client.right << "x" << client.bottom;
}

struct CommandLineCase {
    const char* name;
    const wchar_t* file;        // created in the data folder, or null
    const char* content;
    const wchar_t* arguments;   // %D stands for the data folder (ending with a backslash)
    bool fromDataFolder;        // the program starts in the data folder
    bool couldNotLoad;          // "Could not load the file" is expected
};

std::ostream& operator<<(std::ostream& os, const CommandLineCase& c) { return os << c.name; }

class CommandLineTest : public PlayerTest, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineTest, ReadableFilesAreTriedAndFailuresAreShown)
{
    const CommandLineCase& c = GetParam();
    useAds(Ads::Own);
    if (c.file) {
        ASSERT_TRUE(writeFile(dataFolder + c.file, c.content));
    }
    std::wstring arguments = c.arguments;
    const auto mark = arguments.find(L"%D");
    if (mark != std::wstring::npos)
        arguments.replace(mark, 2, dataFolder);

    HWND main = startPlayer(arguments, c.fromDataFolder ? dataFolder : std::wstring());
    ASSERT_NE(main, nullptr);
    HWND box = waitForMessageBox(main, c.couldNotLoad ? 15000 : 1500);
    if (!c.couldNotLoad) {
        EXPECT_EQ(box, nullptr) << "a message appeared";
        ASSERT_TRUE(waitUntilRunning(main));
    } else {
        ASSERT_NE(box, nullptr) << "no message box";
        const auto texts = childTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"Could not load the file"), texts.end());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
        // The program runs on, with nothing playing.
        ASSERT_TRUE(waitUntilRunning(main));
        EXPECT_TRUE(IsWindowVisible(main));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

INSTANTIATE_TEST_SUITE_P(
    Files, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"UnsupportedType", L"notes.txt", "text", L"%Dnotes.txt", false, true},
        CommandLineCase{"UndecodableClip", L"clip.m2ts", "not a transport stream", L"%Dclip.m2ts", false, true},
        CommandLineCase{"QuotedPathWithBlanks", L"my clip.m2ts", "x", L"\"%Dmy clip.m2ts\"", false, true},
        CommandLineCase{"UnquotedPathWithBlanks", L"my clip.m2ts", "x", L"%Dmy clip.m2ts", false, true},
        CommandLineCase{"RelativePath", L"clip.m2ts", "x", L"clip.m2ts", true, true},
        CommandLineCase{"MissingFile", nullptr, "", L"%Dnothing-here.m2ts", false, false},
        CommandLineCase{"NoFile", nullptr, "", L"", false, false}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

// Types ch on the keyboard (with Shift where the layout needs it), Alt held when alt is set.
void typeKey(wchar_t ch, bool alt)
{
    const SHORT scan = VkKeyScanW(ch);
    const WORD vk = LOBYTE(scan);
    const bool shift = (HIBYTE(scan) & 1) != 0;
    std::vector<INPUT> keys;
    auto press = [&](WORD key, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.wScan = WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(in);
    };
    if (alt)
        press(VK_MENU, false);
    if (shift)
        press(VK_SHIFT, false);
    press(vk, false);
    press(vk, true);
    if (shift)
        press(VK_SHIFT, true);
    if (alt)
        press(VK_MENU, true);
    SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
}

TEST_F(PlayerTest, AltSlashAndAltQuestionMarkOpenTheAboutBox)
{
    useAds(Ads::Own);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    SetForegroundWindow(main);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == main; }, 5000)) << "the player did not get the keyboard";

    // The character without Alt is no accelerator.
    typeKey(L'/', false);
    Sleep(700);
    EXPECT_EQ(findOwnedDialog(main, L"About"), nullptr);

    struct Case {
        wchar_t key;
        WPARAM closeWith;
    };
    for (const Case& c : {Case{L'/', IDOK}, Case{L'?', IDCANCEL}}) {
        SetForegroundWindow(main);
        typeKey(c.key, true);
        HWND about = nullptr;
        ASSERT_TRUE(waitFor([&] { return (about = findOwnedDialog(main, L"About")) != nullptr; }, 10000))
            << "no About box for Alt+" << char(c.key);
        EXPECT_EQ(windowText(GetDlgItem(about, 1000)), L"Vesperine, Version 1.0");
        PostMessageW(about, WM_COMMAND, c.closeWith, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }, 5000)) << "About box stayed open";
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

TEST_F(PlayerTest, OpenDialogAsksForAFileAndTriesIt)
{
    useAds(Ads::Own);
    ASSERT_TRUE(writeFile(dataFolder + L"clip.m2ts", "not a transport stream"));
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));

    // Cancelled: nothing happens.
    PostMessageW(main, WM_COMMAND, kOpen, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(waitFor([&] { return (dialog = findOwnedDialog(main, L"Select File")) != nullptr; }, 15000));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog); }, 5000));
    Sleep(500);
    EXPECT_EQ(findOwnedDialog(main, L"Vesperine"), nullptr);

    // A file chosen: it is opened, and since nothing can play it, the user hears so.
    PostMessageW(main, WM_COMMAND, kOpen, 0);
    ASSERT_TRUE(waitFor([&] { return (dialog = findOwnedDialog(main, L"Select File")) != nullptr; }, 15000));
    const std::wstring path = dataFolder + L"clip.m2ts";
    HWND nameBox = GetDlgItem(dialog, 0x47c);    // the file-name combo box
    if (!nameBox)
        nameBox = GetDlgItem(dialog, 0x480);     // the file-name edit of the older dialog
    ASSERT_NE(nameBox, nullptr);
    DWORD_PTR ignored;
    SendMessageTimeoutW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = waitForMessageBox(main, 15000);
    ASSERT_NE(box, nullptr) << "the chosen file was not tried";
    const auto texts = childTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Could not load the file"), texts.end());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

// --- The close path and the advertisement library.

TEST_F(PlayerTest, CloseCallsTheAdvertisementOnceWithOwnerNameAndPage)
{
    useAds(Ads::Fake);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();

    const auto calls = adsCalls();
    ASSERT_EQ(calls.size(), 1u);
    const auto f = fields(calls[0]);
    ASSERT_EQ(f.size(), 3u) << calls[0];
    EXPECT_EQ(std::stoul(f[0], nullptr, 16), static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(main)));
    EXPECT_EQ(f[1], "Vesperine");
    EXPECT_EQ(f[2].rfind("http://", 0), 0u) << f[2];
    EXPECT_TRUE(endsWith(f[2], "/ads/vesperine/ads.php")) << f[2];
}

TEST_F(PlayerTest, ExitCommandTakesTheSameClosePath)
{
    useAds(Ads::Fake);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    PostMessageW(main, WM_COMMAND, kExit, 0);
    expectExitCodeZero();
    EXPECT_EQ(adsCalls().size(), 1u);
}

TEST_F(PlayerTest, AnswerTwoKeepsTheProgramOpen)
{
    useAds(Ads::Fake);
    SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", L"2,0");
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return adsCalls().size() == 1; }, 10000));
    Sleep(800);
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowVisible(main));
    // Still alive: the timer still rewrites the title.
    SetWindowTextW(main, L"changed by the test");
    EXPECT_TRUE(waitUntilRunning(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
    EXPECT_EQ(adsCalls().size(), 2u);
}

TEST_F(PlayerTest, ASecondCloseDuringTheAdvertisementIsIgnored)
{
    useAds(Ads::Fake);
    // The advertisement asks for another close while it shows, then answers "stay open".
    SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_REENTER", L"1");
    SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", L"2,0");
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return adsCalls().size() >= 1; }, 10000));
    Sleep(1500);
    EXPECT_EQ(adsCalls().size(), 1u) << "the close inside the advertisement was acted on";
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(IsWindow(main));

    // The next close goes through (its own inner close is ignored as well).
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
    EXPECT_EQ(adsCalls().size(), 2u);
}

TEST_F(PlayerTest, WithoutAdvertisementLibraryTheProgramCloses)
{
    useAds(Ads::None);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

TEST_F(PlayerTest, OurOwnAdvertisementLibraryLetsTheProgramClose)
{
    useAds(Ads::Own);
    HWND main = startPlayer();
    ASSERT_TRUE(waitUntilRunning(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
}

TEST_F(PlayerTest, AnAdvertisementLibraryOutsideTheProgramFolderIsNotUsed)
{
    useAds(Ads::None);
    // The start folder holds a libads.dll; a search by name would find it there.
    ASSERT_TRUE(copyInto(winePath(FAKE_LIBADS), dataFolder));
    SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", L"2");
    HWND main = startPlayer(std::wstring(), dataFolder);
    ASSERT_TRUE(waitUntilRunning(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    expectExitCodeZero();
    EXPECT_TRUE(adsCalls().empty());
}

} // namespace
