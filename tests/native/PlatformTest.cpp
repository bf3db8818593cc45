// The Linux platform layer against the real file system.
#include "platform/Platform.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using platform::fromUtf8;
using platform::toUtf8;

std::wstring wide(const std::string& asciiOrUtf8) {
    return fromUtf8(asciiOrUtf8);
}

// --- UTF-8 ---------------------------------------------------------------------------------

struct Utf8Case {
    const char* label;
    std::wstring text;
    std::string utf8;
};

TEST(PlatformUtf8, ConvertsBothWaysExactly) {
    const Utf8Case cases[] = {
        {"empty", L"", ""},
        {"ascii", L"C:/clips/a.m2ts", "C:/clips/a.m2ts"},
        {"two-byte", L"\u00FCber", "\xC3\xBC" "ber"},
        {"three-byte", L"\u591C.m2ts", "\xE5\xA4\x9C.m2ts"},
        {"astral", L"\U0001F3AC", "\xF0\x9F\x8E\xAC"},
        {"mixed", L"a\u00FC\u591C\U0001F3ACz", "a\xC3\xBC\xE5\xA4\x9C\xF0\x9F\x8E\xAC" "z"},
        {"embedded nul", std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
        {"last code point", L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(c.text), c.utf8);
        EXPECT_EQ(fromUtf8(c.utf8), c.text);
    }
}

TEST(PlatformUtf8, InvalidWideTextBecomesReplacementCharacter) {
    const std::string fffd = "\xEF\xBF\xBD";
    const Utf8Case cases[] = {
        {"lone high surrogate", std::wstring(1, static_cast<wchar_t>(0xD800)), fffd},
        {"lone low surrogate inside", L"a" + std::wstring(1, static_cast<wchar_t>(0xDFFF)) + L"b",
         "a" + fffd + "b"},
        {"beyond U+10FFFF", std::wstring(1, static_cast<wchar_t>(0x110000)), fffd},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(c.text), c.utf8);
    }
}

TEST(PlatformUtf8, IllFormedUtf8BecomesOneReplacementPerBrokenPiece) {
    const std::wstring r(1, L'\xFFFD');
    const Utf8Case cases[] = {
        {"stray byte", L"a" + r + L"b", "a\xFF" "b"},
        {"lone continuation", r, "\x80"},
        {"truncated at end", L"x" + r, "x\xE5\xA4"},
        {"truncated before ascii", r + L"x", "\xE5\xA4x"},
        {"overlong slash", r + r, "\xC0\xAF"},
        {"encoded surrogate", r + r + r, "\xED\xA0\x80"},
        {"beyond U+10FFFF", r + r + r + r, "\xF4\x90\x80\x80"},
        {"valid after broken", r + L"\u591C", "\xE5\x80\xE5\xA4\x9C"},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(fromUtf8(c.utf8), c.text);
    }
}

// --- Paths ---------------------------------------------------------------------------------

TEST(PlatformPath, LastSeparatorFindsTheLastSlashOnly) {
    EXPECT_EQ(platform::lastSeparator(L"/media/clips/a.m2ts"), 12u);
    EXPECT_EQ(platform::lastSeparator(L"/a.m2ts"), 0u);
    EXPECT_EQ(platform::lastSeparator(L"a.m2ts"), std::wstring::npos);
    // A backslash is an ordinary character of a Linux file name.
    EXPECT_EQ(platform::lastSeparator(L"C:\\clips\\a.m2ts"), std::wstring::npos);
}

// --- Folder listing -----------------------------------------------------------------------

TEST(PlatformListFolder, ListsEveryNameAndFlagsFoldersFollowingLinks) {
    TempFolder dir;
    dir.file("clip.m2ts");
    dir.file("\xE5\xA4\x9C.txt");
    dir.folder("sub");
    dir.symlink(dir.at("sub"), "linked");
    dir.symlink(dir.at("no-such-target"), "dangling");

    std::vector<platform::FolderEntry> out;
    ASSERT_TRUE(platform::listFolder(wide(dir.path()) + L"/", out));

    std::map<std::wstring, bool> seen;
    for (const platform::FolderEntry& e : out)
        EXPECT_TRUE(seen.emplace(e.name, e.isDirectory).second) << "listed twice";
    const std::map<std::wstring, bool> expected = {
        {L".", true},          {L"..", true},       {L"clip.m2ts", false}, {L"\u591C.txt", false},
        {L"sub", true},        {L"linked", true},   {L"dangling", false},
    };
    EXPECT_EQ(seen, expected);
}

TEST(PlatformListFolder, FailsAndLeavesNothingWhenTheFolderCannotBeListed) {
    TempFolder dir;
    dir.file("plain.m2ts");
    const std::wstring folder = wide(dir.path());
    const std::wstring cases[] = {
        folder + L"/missing/",
        folder + L"/plain.m2ts/", // a file, not a folder
        L"",
        folder + L"/" + std::wstring(1, L'\0') + L"x/", // cut short, it would list the parent
    };
    for (const std::wstring& c : cases) {
        SCOPED_TRACE(toUtf8(c));
        std::vector<platform::FolderEntry> out(2);
        EXPECT_FALSE(platform::listFolder(c, out));
        EXPECT_TRUE(out.empty());
    }
}

TEST(PlatformListFolder, ListsAFolderWhosePathIsLongerThan259Bytes) {
    TempFolder dir;
    std::string name;
    for (int i = 0; i < 80; ++i)
        name += "\xE5\xA4\x9C";
    name += ".m2ts";
    dir.file(name);
    const std::wstring wideName = std::wstring(80, L'\u591C') + L".m2ts";
    const std::wstring fullPath = wide(dir.path()) + L"/" + wideName;

    ASSERT_GT(toUtf8(fullPath).size(), 259u);
    EXPECT_EQ(toUtf8(fullPath), dir.at(name));
    EXPECT_TRUE(platform::canOpenForReading(fullPath));

    std::vector<platform::FolderEntry> out;
    ASSERT_TRUE(platform::listFolder(wide(dir.path()) + L"/", out));
    bool found = false;
    for (const platform::FolderEntry& e : out)
        found = found || e.name == wideName;
    EXPECT_TRUE(found);
}

// --- Readability ---------------------------------------------------------------------------

TEST(PlatformCanOpenForReading, OnlyExistingRegularFilesOpen) {
    TempFolder dir;
    const std::string nonAscii = "\xC3\xBC \xE5\xA4\x9C \xF0\x9F\x8E\xAC.m2ts";
    dir.file(nonAscii);
    dir.file("empty.m2ts", "");
    dir.symlink(dir.at(nonAscii), "link-to-file.m2ts");
    dir.symlink(dir.at("no-such-target"), "dangling.m2ts");
    dir.folder("folder.m2ts");
    dir.fifo("pipe.m2ts"); // nobody writes: a blocking open would never return

    const std::wstring folder = wide(dir.path()) + L"/";
    const struct {
        std::wstring path;
        bool readable;
    } cases[] = {
        {folder + L"\u00FC \u591C \U0001F3AC.m2ts", true},
        {folder + L"empty.m2ts", true},
        {folder + L"link-to-file.m2ts", true},
        {folder + L"missing.m2ts", false},
        {folder + L"dangling.m2ts", false},
        {folder + L"folder.m2ts", false},
        {folder + L"pipe.m2ts", false},
        {folder + L"empty.m2ts" + std::wstring(1, L'\0') + L"junk", false},
        {L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.path));
        EXPECT_EQ(platform::canOpenForReading(c.path), c.readable);
    }
}

// --- Time ----------------------------------------------------------------------------------

TEST(PlatformTime, TickCountAdvancesAtLeastAsLongAsTheSleep) {
    const std::uint32_t before = platform::tickCount();
    platform::sleepMs(50);
    const std::uint32_t elapsed = platform::tickCount() - before; // wraps like the Win32 count
    EXPECT_GE(elapsed, 50u);
}

// --- Debugger output -----------------------------------------------------------------------

std::vector<std::wstring> hooked;

void recordText(const wchar_t* text) {
    hooked.emplace_back(text);
}

class PlatformDebugOutput : public ::testing::Test {
protected:
    void SetUp() override {
        hooked.clear();
        unsetenv("VESPERINE_TRACE");
    }
    void TearDown() override {
        platform::setDebugOutputHook(nullptr);
        unsetenv("VESPERINE_TRACE");
    }
};

TEST_F(PlatformDebugOutput, HookSeesEveryTextUntilRemoved) {
    platform::setDebugOutputHook(recordText);
    platform::debugOutput(L"Playlogic: timerProc: Ended\n");
    platform::debugOutput(L"\u591C\n");
    platform::debugOutput(nullptr);
    platform::setDebugOutputHook(nullptr);
    platform::debugOutput(L"after removal\n");

    const std::vector<std::wstring> expected = {L"Playlogic: timerProc: Ended\n", L"\u591C\n"};
    EXPECT_EQ(hooked, expected);
}

TEST_F(PlatformDebugOutput, StandardErrorOnlyWhenTraceIsSet) {
    platform::setDebugOutputHook(recordText);

    ::testing::internal::CaptureStderr();
    platform::debugOutput(L"quiet\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    setenv("VESPERINE_TRACE", "1", 1);
    ::testing::internal::CaptureStderr();
    platform::debugOutput(L"loud \u591C\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "loud \xE5\xA4\x9C\n");

    // The hook sees both, traced or not.
    const std::vector<std::wstring> expected = {L"quiet\n", L"loud \u591C\n"};
    EXPECT_EQ(hooked, expected);
}

} // namespace
