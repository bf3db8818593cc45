// The fixture of the whole-process tests: a fresh copy of the program per test.
#pragma once

#include "PlayerProcess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kClosed = 20000;

inline std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// Each test runs a fresh copy of the program in a folder of its own, with the advertisement
// library it asks for beside it, and fresh registry keys.
class PlayerTest : public ::testing::Test {
protected:
    enum class Ads { Fake, Own, None };

    void SetUp() override
    {
        clearProgramRegistry();
        appFolder = makeTempFolder(L"vesperine-app-");
        dataFolder = makeTempFolder(L"vesperine-data-");
        ASSERT_FALSE(appFolder.empty());
        ASSERT_FALSE(dataFolder.empty());
        ASSERT_TRUE(copyInto(winePath(VESPERINE_EXE), appFolder));
        adsLog = dataFolder + L"ads-calls.txt";
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_LOG", adsLog.c_str());
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", nullptr);
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_REENTER", nullptr);
    }

    void TearDown() override
    {
        player.kill();
        removeFolder(appFolder);
        removeFolder(dataFolder);
        clearProgramRegistry();
    }

    void useAds(Ads ads)
    {
        if (ads == Ads::Fake) {
            ASSERT_TRUE(copyInto(winePath(FAKE_LIBADS), appFolder));
        } else if (ads == Ads::Own) {
            ASSERT_TRUE(copyInto(winePath(VESPERINE_LIBADS), appFolder));
        }
    }

    // The test engine as libvlc.dll beside the program: files then open and play.
    void useEngine() { ASSERT_TRUE(copyInto(winePath(FAKE_LIBVLC), appFolder, L"libvlc.dll")); }

    HWND startPlayer(const std::wstring& arguments = std::wstring(), const std::wstring& cwd = std::wstring())
    {
        EXPECT_TRUE(player.start(appFolder + L"vesperine.exe", arguments, cwd));
        HWND main = player.waitForMainWindow();
        EXPECT_NE(main, nullptr) << "no main window";
        return main;
    }

    // The first timer tick has run: start-up, layout and the command-line file are done.
    bool waitUntilRunning(HWND main)
    {
        return waitFor([&] { return windowText(main) == L"Vesperine"; }, 10000);
    }

    void expectExitCodeZero()
    {
        DWORD code = 1234;
        ASSERT_TRUE(player.waitForExit(kClosed, &code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }

    std::vector<std::string> adsCalls() { return lines(readFile(adsLog)); }

    HWND waitForMessageBox(HWND main, DWORD timeoutMs)
    {
        HWND box = nullptr;
        waitFor([&] { return (box = findOwnedDialog(main, L"Vesperine")) != nullptr; }, timeoutMs);
        return box;
    }

    std::wstring appFolder;
    std::wstring dataFolder;
    std::wstring adsLog;
    PlayerProcess player;
};

} // namespace e2e
