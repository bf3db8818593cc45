// The running instance's side of a hand-off, in this process: the notice of a second start
// opens the stored path and brings the window to the front; a stored value that cannot be used
// is dropped without a word.
#include "ShellFixture.h"

#include "shell/HandOff.h"
#include "shell/ShellMessages.h"
#include "e2e/PlayerProcess.h"
#include "e2e/Registry.h"

#include <string>

namespace {

class NewFileTest : public ShellFixture {
public:
    void store(DWORD type, const std::wstring& text)
    {
        ASSERT_TRUE(e2e::writeValue(e2e::kHandOffKey, L"MainFrame_NewFile", type, text.data(),
                                    DWORD(text.size() * sizeof(wchar_t))));
    }

    void notice()
    {
        PostMessageW(main, WM_PLAYER_NEWFILE, 0, 0);
        pump(300);
    }

    // A readable clip in the folder whose full path is exactly length characters long.
    std::wstring clipOfLength(std::size_t length)
    {
        const std::wstring name = L"clip1.m2ts";
        const std::wstring sub = folder + std::wstring(length - folder.size() - 1 - name.size(), L'd');
        CreateDirectoryW(sub.c_str(), nullptr);
        const std::wstring path = sub + L"\\" + name;
        return e2e::writeFile(path, "x") ? path : std::wstring();
    }
};

TEST_F(NewFileTest, UnusableStoredValuesAreIgnored)
{
    const std::wstring clip = folder + L"clip2.m2ts";
    const std::wstring tooLong = clipOfLength(261);
    ASSERT_EQ(tooLong.size(), 261u) << "could not make the file";
    struct Case {
        const char* name;
        DWORD type;            // REG_NONE: no value at all
        std::wstring text;
    };
    const Case cases[] = {
        {"no value", REG_NONE, L""},
        {"an expandable string", REG_EXPAND_SZ, clip},
        {"binary", REG_BINARY, clip},
        {"longer than 520 bytes", REG_SZ, tooLong},
        {"a file that is not there", REG_SZ, folder + L"gone.m2ts"},
        {"empty", REG_SZ, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::deleteValue(e2e::kHandOffKey, L"MainFrame_NewFile");
        if (c.type != REG_NONE)
            store(c.type, c.text);
        BoxWatcher watcher(main, 600);
        notice();
        watcher.join();
        EXPECT_EQ(watcher.boxes, 0) << "a message was shown";
        EXPECT_EQ(logic().player.load(), nullptr) << "something was opened";
        EXPECT_TRUE(logic().fileName.empty());
    }
}

TEST_F(NewFileTest, AStoredPathOpensAndBringsTheWindowToTheFront)
{
    // Another window of this program has the focus.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    pump(100);
    ASSERT_EQ(GetForegroundWindow(), other);

    store(REG_SZ, folder + L"clip3.m2ts");
    notice();
    ASSERT_TRUE(pumpUntil([&] { return state() == 3; }, 5000));
    EXPECT_EQ(logic().fileName, L"clip3.m2ts");
    EXPECT_EQ(logic().playList.count(), 3);
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "left topmost";
    DestroyWindow(other);
}

TEST(ReadNewFile, APathStoredWithoutTerminatorComesBackWhole)
{
    e2e::clearProgramRegistry();
    for (const std::size_t length : {1u, 259u, 260u}) {
        SCOPED_TRACE(length);
        std::wstring path(length, L'\x00e9');
        path[0] = L'C';
        // Something after the value's end that a reader without a terminator would pick up.
        std::wstring stored = path + L"tail";
        ASSERT_TRUE(e2e::writeValue(e2e::kHandOffKey, L"MainFrame_NewFile", REG_SZ, stored.data(),
                                    DWORD(length * sizeof(wchar_t))));
        EXPECT_EQ(readNewFile(L"Vesperine"), path);
    }
    e2e::clearProgramRegistry();
}

} // namespace
