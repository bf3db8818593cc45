// The engine of an installed VLC, found through the registry value InstallDir. Beside this
// exe lies an engine that lacks an entry point: it must be refused, freed, and the registered
// one loaded instead.
#include "playback/LibVlc.h"
#include "playback/VlcPlayer.h"

#include "../fakes/FakeLibVlc.h"
#include "WineEngineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct DirCase {
    const char* name;
    DWORD type;
    std::wstring data; // stored as is, without an added terminator
    std::wstring expected;
};

class InstallDirValues : public ::testing::TestWithParam<DirCase> {};

TEST_P(InstallDirValues, OnlyAnAbsoluteFolderIsUsed)
{
    const DirCase& c = GetParam();
    InstallDirValue value(c.type, c.data.data(), DWORD(c.data.size() * sizeof(wchar_t)));
    ASSERT_TRUE(value.ok);
    EXPECT_EQ(installedVlcFolder(), c.expected);
}

std::wstring z(const wchar_t* text) { return std::wstring(text) + L'\0'; } // with terminator

INSTANTIATE_TEST_SUITE_P(
    Values, InstallDirValues,
    ::testing::Values(
        DirCase{"Plain", REG_SZ, z(L"C:\\Program Files\\VideoLAN\\VLC"), L"C:\\Program Files\\VideoLAN\\VLC\\"},
        DirCase{"TrailingSeparator", REG_SZ, z(L"C:\\VLC\\"), L"C:\\VLC\\"},
        DirCase{"WithoutTerminator", REG_SZ, L"C:\\VLC", L"C:\\VLC\\"},
        DirCase{"TextAfterANul", REG_SZ, z(L"C:\\VLC") + L"junk", L"C:\\VLC\\"},
        DirCase{"Unc", REG_SZ, z(L"\\\\server\\share\\VLC"), L"\\\\server\\share\\VLC\\"},
        DirCase{"Expandable", REG_EXPAND_SZ, z(L"%SystemDrive%\\VLC"), L"C:\\VLC\\"},
        DirCase{"Empty", REG_SZ, z(L""), L""},
        DirCase{"NoBytes", REG_SZ, L"", L""},
        DirCase{"Relative", REG_SZ, z(L"VideoLAN\\VLC"), L""},
        DirCase{"DriveRelative", REG_SZ, z(L"C:VLC"), L""},
        DirCase{"Quoted", REG_SZ, z(L"\"C:\\VLC\""), L""},
        DirCase{"Number", REG_DWORD, std::wstring(2, L'\x43'), L""},
        DirCase{"Binary", REG_BINARY, z(L"C:\\VLC"), L""},
        DirCase{"MultiString", REG_MULTI_SZ, z(L"C:\\VLC") + L'\0', L""},
        DirCase{"Huge", REG_SZ, z((L"C:\\" + std::wstring(40000, L'v')).c_str()), L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstallDirMissing, NoKeyNoFolder)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, InstallDirValue::kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "a VLC key exists in this prefix";
    }
    EXPECT_TRUE(installedVlcFolder().empty());
}

TEST(EngineFromRegistry, AnIncompleteEngineBesideTheExeIsRefusedAndTheRegisteredOneLoaded)
{
    const std::wstring beside = exeFolder() + L"libvlc.dll";
    ASSERT_NE(GetFileAttributesW(beside.c_str()), INVALID_FILE_ATTRIBUTES) << "the incomplete engine is missing";
    const std::wstring registered = wineFolder(VESPERINE_INSTALLED_ENGINE_DIR);

    {
        InstallDirValue value(registered.substr(0, registered.size() - 1)); // as installers write it
        ASSERT_TRUE(value.ok);
        ASSERT_NE(libVlc(), nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(beside.c_str()), nullptr) << "the refused engine is freed";
    HMODULE loaded = GetModuleHandleW(L"libvlc.dll");
    EXPECT_EQ(_wcsicmp(modulePath(loaded).c_str(), (registered + L"libvlc.dll").c_str()), 0);

    FakeEngine fake(loaded);
    ASSERT_TRUE(fake.ok);
    fake.reset();
    VlcPlayer player;
    ASSERT_TRUE(player.init(nullptr));
    ASSERT_TRUE(player.open(L"C:\\clips\\clip.m2ts"));
    player.play();
    fake.drain();
    EXPECT_EQ(player.getState(), PlayerState::Playing);
    player.release();
    EXPECT_EQ(fake.misuse(), 0);
}

} // namespace
