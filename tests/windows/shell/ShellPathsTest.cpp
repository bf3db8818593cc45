// The command line's absolute path against the one Windows itself makes.
#include "CommandLine.h"
#include "e2e/PlayerProcess.h"

#include <gtest/gtest.h>

namespace {

std::wstring fullPathByWindows(const std::wstring& path)
{
    wchar_t buffer[4096];
    const DWORD n = GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
    return (n > 0 && n < 4096) ? std::wstring(buffer, n) : std::wstring();
}

std::wstring currentFolder()
{
    wchar_t buffer[4096];
    const DWORD n = GetCurrentDirectoryW(4096, buffer);
    return std::wstring(buffer, n);
}

TEST(ShellPaths, AbsolutePathMatchesWindowsInAFolderOnDriveC)
{
    const std::wstring folder = e2e::makeTempFolder(L"vesperine-paths-");
    ASSERT_FALSE(folder.empty());
    ASSERT_TRUE(SetCurrentDirectoryW((folder + L"").c_str()));
    const std::wstring cur = currentFolder();
    const wchar_t* inputs[] = {
        L"clip.m2ts",
        L".\\clip.m2ts",
        L"..\\clip.m2ts",
        L"..\\..\\x\\..\\clip.m2ts",
        L"sub\\.\\..\\sub2\\clip.m2ts",
        L"sub/clip.m2ts",
        L"sub\\\\clip.m2ts",
        L"\\clip.m2ts",
        L"C:\\Videos\\..\\Other\\clip.m2ts",
        L"C:clip.m2ts",
        L"\\\\server\\share\\a\\..\\clip.m2ts",
        L"my clip (1).m2ts",
        L"Vidéos\\片.m2ts",
    };
    for (const wchar_t* input : inputs)
        EXPECT_EQ(absolutePath(input, cur, PathStyle::Windows), fullPathByWindows(input))
            << testing::PrintToString(std::wstring(input)) << " in " << testing::PrintToString(cur);
    SetCurrentDirectoryW(L"C:\\");
    e2e::removeFolder(folder);
}

} // namespace
