// Loading and calling the advertisement library.
#include "shell/Advertisement.h"
#include "e2e/PlayerProcess.h"

#include <gtest/gtest.h>

namespace {

class AdvertisementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = e2e::makeTempFolder(L"vesperine-ads-");
        ASSERT_FALSE(folder.empty());
        log = folder + L"calls.txt";
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_LOG", log.c_str());
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", nullptr);
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(owner);
        SetCurrentDirectoryW(L"C:\\");
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_LOG", nullptr);
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", nullptr);
        // A library that was loaded stays loaded; its file cannot go, the rest can.
        e2e::removeFolder(folder);
    }

    std::wstring subfolder(const wchar_t* name)
    {
        const std::wstring path = folder + name + L"\\";
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }

    std::wstring folder;
    std::wstring log;
    HWND owner = nullptr;
};

TEST_F(AdvertisementTest, ProgramFolderIsTheFolderOfTheRunningProgram)
{
    const std::wstring programs = programFolder();
    ASSERT_FALSE(programs.empty());
    EXPECT_EQ(programs.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((programs + L"shell_wine_test.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AdvertisementTest, NoLibraryOrNoEntryMeansGoOnClosing)
{
    EXPECT_EQ(callAdvertisement(subfolder(L"empty"), owner), kAdvertisementMissing);
    EXPECT_EQ(callAdvertisement(std::wstring(), owner), kAdvertisementMissing);

    const std::wstring noEntry = subfolder(L"noentry");
    ASSERT_TRUE(e2e::copyInto(e2e::winePath(FAKE_LIBADS_NOENTRY), noEntry));
    EXPECT_EQ(callAdvertisement(noEntry, owner), kAdvertisementMissing);
}

TEST_F(AdvertisementTest, PassesOwnerNameAndPageAndReturnsTheAnswer)
{
    const std::wstring ads = subfolder(L"ads");
    ASSERT_TRUE(e2e::copyInto(e2e::winePath(FAKE_LIBADS), ads));
    for (const wchar_t* answer : {L"2", L"0", L"7"}) {
        SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", answer);
        EXPECT_EQ(callAdvertisement(ads, owner), _wtoi(answer));
    }
    char expected[64];
    std::snprintf(expected, sizeof expected, "%lx\tVesperine\thttp://",
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(owner)));
    const std::string calls = e2e::readFile(log);
    const std::string first = calls.substr(0, calls.find('\n'));
    EXPECT_EQ(first.rfind(expected, 0), 0u) << first;
    EXPECT_EQ(first.substr(first.size() - 22), "/ads/vesperine/ads.php") << first;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), '\n'), 3);
}

TEST_F(AdvertisementTest, ALibraryInTheCurrentFolderIsNotFound)
{
    const std::wstring current = subfolder(L"current");
    ASSERT_TRUE(e2e::copyInto(e2e::winePath(FAKE_LIBADS), current));
    ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));
    SetEnvironmentVariableW(L"VESPERINE_FAKE_ADS_ANSWERS", L"2");
    EXPECT_EQ(callAdvertisement(subfolder(L"program"), owner), kAdvertisementMissing);
    EXPECT_TRUE(e2e::readFile(log).empty()) << "a libads.dll outside the program's folder was called";
}

} // namespace
