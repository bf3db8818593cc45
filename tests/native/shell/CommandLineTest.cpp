#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const wchar_t* input;
    const wchar_t* expected;
};

TEST(CommandLine, UnquotesOnePairAroundTheWholeText)
{
    const TextCase cases[] = {
        {L"", L""},
        {L"C:\\Videos\\clip.m2ts", L"C:\\Videos\\clip.m2ts"},
        {L"\"C:\\Videos\\clip.m2ts\"", L"C:\\Videos\\clip.m2ts"},
        {L"\"C:\\My Videos\\a b.m2ts\"", L"C:\\My Videos\\a b.m2ts"},
        {L"  \"C:\\Videos\\clip.m2ts\"  ", L"C:\\Videos\\clip.m2ts"},   // blanks around the quotes
        {L"C:\\My Videos\\a b.m2ts ", L"C:\\My Videos\\a b.m2ts"},
        {L"\"\"", L""},
        {L"\"", L"\""},                                                   // a lone quote is no pair
        {L"\"C:\\a.m2ts", L"\"C:\\a.m2ts"},
        {L"C:\\a.m2ts\"", L"C:\\a.m2ts\""},
        {L"\"a\" \"b\"", L"\"a\" \"b\""},                                 // two quoted words: not one path
        {L"\"\"C:\\a.m2ts\"\"", L"\"\"C:\\a.m2ts\"\""},                   // only one pair is removed, and only whole
    };
    for (const auto& c : cases)
        EXPECT_EQ(unquoteCommandLine(c.input), c.expected) << "input [" << testing::PrintToString(std::wstring(c.input)) << "]";
}

TEST(CommandLine, WindowsPathsBecomeAbsolute)
{
    const std::wstring cur = L"C:\\Users\\ann\\Videos";
    const TextCase cases[] = {
        {L"", L""},
        {L"clip.m2ts", L"C:\\Users\\ann\\Videos\\clip.m2ts"},
        {L".\\clip.m2ts", L"C:\\Users\\ann\\Videos\\clip.m2ts"},
        {L"..\\clip.m2ts", L"C:\\Users\\ann\\clip.m2ts"},
        {L"sub\\..\\sub2\\.\\clip.m2ts", L"C:\\Users\\ann\\Videos\\sub2\\clip.m2ts"},
        {L"..\\..\\..\\..\\clip.m2ts", L"C:\\clip.m2ts"},                 // never above the root
        {L"sub/clip.m2ts", L"C:\\Users\\ann\\Videos\\sub\\clip.m2ts"},    // forward slashes too
        {L"sub\\\\clip.m2ts", L"C:\\Users\\ann\\Videos\\sub\\clip.m2ts"},
        {L"D:\\Media\\clip.m2ts", L"D:\\Media\\clip.m2ts"},
        {L"D:\\Media\\..\\clip.m2ts", L"D:\\clip.m2ts"},
        {L"\\Media\\clip.m2ts", L"C:\\Media\\clip.m2ts"},                 // rooted on the current drive
        {L"c:clip.m2ts", L"C:\\Users\\ann\\Videos\\clip.m2ts"},           // relative on the current drive
        {L"E:clip.m2ts", L"E:\\clip.m2ts"},
        {L"\\\\server\\share\\Videos\\clip.m2ts", L"\\\\server\\share\\Videos\\clip.m2ts"},
        {L"\\\\server\\share\\..\\..\\clip.m2ts", L"\\\\server\\share\\clip.m2ts"},
        {L"\\\\?\\C:\\a\\..\\clip.m2ts", L"\\\\?\\C:\\a\\..\\clip.m2ts"}, // literal paths stay as given
        {L"Vidéos\\片.m2ts", L"C:\\Users\\ann\\Videos\\Vidéos\\片.m2ts"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(absolutePath(c.input, cur, PathStyle::Windows), c.expected)
            << "input " << testing::PrintToString(std::wstring(c.input));
}

TEST(CommandLine, WindowsPathsAgainstOtherCurrentFolders)
{
    EXPECT_EQ(absolutePath(L"clip.m2ts", L"C:\\", PathStyle::Windows), L"C:\\clip.m2ts");
    EXPECT_EQ(absolutePath(L"clip.m2ts", L"C:\\Videos\\", PathStyle::Windows), L"C:\\Videos\\clip.m2ts");
    EXPECT_EQ(absolutePath(L"..\\clip.m2ts", L"\\\\nas\\media\\tv", PathStyle::Windows), L"\\\\nas\\media\\clip.m2ts");
    EXPECT_EQ(absolutePath(L"\\clip.m2ts", L"\\\\nas\\media\\tv", PathStyle::Windows), L"\\\\nas\\media\\clip.m2ts");
    // Without a usable current folder a relative path is left as it is.
    EXPECT_EQ(absolutePath(L"clip.m2ts", L"", PathStyle::Windows), L"clip.m2ts");
}

TEST(CommandLine, PosixPathsBecomeAbsolute)
{
    const std::wstring cur = L"/home/ann/videos";
    const TextCase cases[] = {
        {L"", L""},
        {L"clip.m2ts", L"/home/ann/videos/clip.m2ts"},
        {L"./clip.m2ts", L"/home/ann/videos/clip.m2ts"},
        {L"../clip.m2ts", L"/home/ann/clip.m2ts"},
        {L"../../../../clip.m2ts", L"/clip.m2ts"},
        {L"/media/usb/clip.m2ts", L"/media/usb/clip.m2ts"},
        {L"/media//usb/./x/../clip.m2ts", L"/media/usb/clip.m2ts"},
        {L"a\\b.m2ts", L"/home/ann/videos/a\\b.m2ts"},                    // a backslash is a letter here
    };
    for (const auto& c : cases)
        EXPECT_EQ(absolutePath(c.input, cur, PathStyle::Posix), c.expected)
            << "input " << testing::PrintToString(std::wstring(c.input));
}

TEST(CommandLine, QuotedRelativeCommandLineNamesOneAbsoluteFile)
{
    EXPECT_EQ(commandLineFile(L"\"my clip.m2ts\"", L"C:\\Videos", PathStyle::Windows), L"C:\\Videos\\my clip.m2ts");
    EXPECT_EQ(commandLineFile(L"\"..\\a.m2ts\"", L"C:\\Videos\\x", PathStyle::Windows), L"C:\\Videos\\a.m2ts");
    EXPECT_EQ(commandLineFile(L"\"my clip.m2ts\"", L"/srv", PathStyle::Posix), L"/srv/my clip.m2ts");
    EXPECT_EQ(commandLineFile(L"", L"C:\\Videos", PathStyle::Windows), L"");
    EXPECT_EQ(commandLineFile(L"   ", L"C:\\Videos", PathStyle::Windows), L"");
}

} // namespace
