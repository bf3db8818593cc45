// The resources built into vesperine.exe, read from the file itself.
#include "e2e/PlayerProcess.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExW(e2e::winePath(VESPERINE_EXE).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite()
    {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }

    // The bytes of a resource, or empty when it is missing.
    static std::string bytes(const wchar_t* name, const wchar_t* type)
    {
        HRSRC r = FindResourceW(module, name, type);
        if (!r)
            return std::string();
        HGLOBAL g = LoadResource(module, r);
        const void* p = g ? LockResource(g) : nullptr;
        return p ? std::string(static_cast<const char*>(p), SizeofResource(module, r)) : std::string();
    }

    static HMODULE module;
};

HMODULE ProgramResources::module = nullptr;

#pragma pack(push, 1)
struct AccelEntry {
    WORD flags;
    WORD key;
    WORD command;
    WORD padding;
};
struct DialogHeaderEx {
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    WORD items;
    short x, y, cx, cy;
};
#pragma pack(pop)

TEST_F(ProgramResources, AcceleratorTableHasEveryKeyInOrder)
{
    ASSERT_NE(module, nullptr);
    const std::string table = bytes(MAKEINTRESOURCEW(IDR_ACCELERATOR), RT_ACCELERATOR);
    constexpr WORD kVirtual = FVIRTKEY | FNOINVERT;
    const AccelEntry expected[] = {
        {kVirtual, 'F', IDM_FULLSCREEN, 0},
        {kVirtual | FCONTROL, 'O', IDM_OPEN, 0},
        {kVirtual, VK_LEFT, IDM_BACKWARD, 0},
        {kVirtual, VK_RIGHT, IDM_FORWARD, 0},
        {kVirtual, 'M', IDM_MUTE, 0},
        {kVirtual, VK_NEXT, IDM_NEXT, 0},
        {kVirtual, VK_SPACE, IDM_PLAY, 0},
        {kVirtual, VK_PRIOR, IDM_PREVIOUS, 0},
        {kVirtual, VK_DOWN, IDM_VOLUME_DOWN, 0},
        {kVirtual, VK_UP, IDM_VOLUME_UP, 0},
        {FALT | FNOINVERT, '/', IDM_ABOUT, 0},
        {FALT | FNOINVERT, '?', IDM_ABOUT, 0},
        {kVirtual, VK_ESCAPE, IDM_LEAVE_FULLSCREEN, 0},
    };
    const std::size_t n = sizeof expected / sizeof expected[0];
    ASSERT_EQ(table.size(), n * sizeof(AccelEntry));
    for (std::size_t i = 0; i < n; ++i) {
        AccelEntry e;
        std::memcpy(&e, table.data() + i * sizeof e, sizeof e);
        const WORD end = (i + 1 == n) ? 0x80 : 0;     // the table's end mark
        EXPECT_EQ(e.flags, expected[i].flags | end) << "entry " << i;
        EXPECT_EQ(e.key, expected[i].key) << "entry " << i;
        EXPECT_EQ(e.command, expected[i].command) << "entry " << i;
    }
}

TEST_F(ProgramResources, AboutBoxTemplate)
{
    const std::string dialog = bytes(MAKEINTRESOURCEW(IDD_ABOUTBOX), RT_DIALOG);
    ASSERT_GE(dialog.size(), sizeof(DialogHeaderEx));
    DialogHeaderEx h;
    std::memcpy(&h, dialog.data(), sizeof h);
    EXPECT_EQ(h.signature, 0xFFFF) << "an extended template";
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_FIXEDSYS;
    EXPECT_EQ(h.style & wanted, wanted);
    EXPECT_EQ(h.items, 4);
    EXPECT_EQ(h.cx, 170);
    EXPECT_EQ(h.cy, 62);
}

TEST_F(ProgramResources, EveryPictureIsItsFileUnderItsName)
{
    const std::string png = std::string(VESPERINE_SOURCE_DIR) + "/src/res/png/";
    const char* names[] = {"IDB_BAR_BKG",   "IDB_FULLSCREEN1", "IDB_FULLSCREEN2", "IDB_MUTE",      "IDB_NEXT",
                           "IDB_OPEN",      "IDB_PAUSE",       "IDB_PLAY",        "IDB_PREV",      "IDB_STOP",
                           "IDB_TIME_BALL", "IDB_TIME_BKG",    "IDB_TIME_FORG",   "IDB_VOLUME_BALL", "IDB_VOLUME_BAR"};
    for (const char* name : names) {
        const std::wstring wide(name, name + std::strlen(name));
        const std::string data = bytes(wide.c_str(), L"PNG");
        EXPECT_FALSE(data.empty()) << name << " missing";
        EXPECT_EQ(data, e2e::readFile(e2e::winePath((png + name + ".png").c_str()))) << name;
    }
    // The logo of the video window, by number.
    EXPECT_EQ(bytes(MAKEINTRESOURCEW(IDB_LOGO), L"PNG"), e2e::readFile(e2e::winePath((png + "logo.png").c_str())));
}

TEST_F(ProgramResources, IconManifestAndTheVideoWindowsResources)
{
    EXPECT_NE(FindResourceW(module, L"IDI_PLAYER", RT_GROUP_ICON), nullptr);
    const std::string manifest = bytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDD_VIDEO), RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDD_VIDEO_SURFACE), RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDR_CONTEXT_MENU), RT_MENU), nullptr);
}

} // namespace
