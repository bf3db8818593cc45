// The video window on real windows, inside a minimal main window that records what it is
// sent: creation and the surface, layout, painting, threads, double-clicks, the context menu
// and the cursor.
#include "UiTestSupport.h"
#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/PlayWnd.h"
#include "ui/WindowToolkit.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

HINSTANCE self() { return GetModuleHandleW(nullptr); }

// --- the fake main window ---

struct Posted {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Posted> commands;

// What the main window saw of the context menu when it opened: each command's state, -1 when
// the command is not in the menu.
std::map<int, int> menuStates;
// Keys to feed the open menu once it waits for input; empty: close it.
std::vector<WPARAM> menuKeys;
bool menuSeen = false;

const int kMenuCommands[] = {IDM_OPEN,  IDM_PLAY,       IDM_PAUSE,           IDM_STOP, IDM_PREVIOUS,
                             IDM_NEXT, IDM_FULLSCREEN, IDM_LEAVE_FULLSCREEN, IDM_EXIT};

LRESULT CALLBACK mainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        commands.push_back({wParam, lParam});
        return 0;
    case WM_INITMENUPOPUP: {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        for (int id : kMenuCommands)
            menuStates[id] = static_cast<int>(GetMenuState(menu, id, MF_BYCOMMAND));
        return 0;
    }
    case WM_TIMER:
        // A menu that never waited for input must not hold the test forever.
        KillTimer(h, wParam);
        EndMenu();
        return 0;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && !menuSeen) {
            menuSeen = true;
            if (menuKeys.empty())
                EndMenu();
            for (WPARAM key : menuKeys)
                PostMessageW(h, WM_KEYDOWN, key, 0);
        }
        return 0;
    default:
        return DefWindowProcW(h, msg, wParam, lParam);
    }
}

bool grayed(int state) { return state != -1 && (state & MF_GRAYED) != 0; }

class PlayWndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gdiplus = new GdiplusSession();
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = mainProc;
        wc.hInstance = self();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"UiTestMainWnd";
        RegisterClassExW(&wc);
    }
    static void TearDownTestSuite()
    {
        UnregisterClassW(L"UiTestMainWnd", self());
        delete gdiplus;
        gdiplus = nullptr;
    }

    void SetUp() override
    {
        initWindowToolkit(self());
        AppContext& ctx = appContext();
        ctx = AppContext{};
        ctx.hInstance = self();
        main = CreateWindowExW(0, L"UiTestMainWnd", L"main", WS_OVERLAPPEDWINDOW, 40, 40, 700, 480, nullptr, nullptr,
                               self(), nullptr);
        ASSERT_NE(main, nullptr);
        setClientSize(main, 672, 420);
        ctx.hMainWnd = main;
        ctx.playLogic = new PlayLogic(view);
        pw = PlayWnd::instance();
        ctx.playWnd = pw;
        ASSERT_TRUE(pw->create(self(), main));
        ASSERT_TRUE(pw->init());
        commands.clear();
        menuStates.clear();
        menuKeys.clear();
        menuSeen = false;
    }

    void TearDown() override
    {
        if (pw)
            pw->destroyWindows();
        PlayWnd::releaseInstance();
        pw = nullptr;
        AppContext& ctx = appContext();
        delete ctx.playLogic;
        if (IsWindow(main))
            DestroyWindow(main);
        ctx = AppContext{};
        exitWindowToolkit(self());
        pumpMessages();
    }

    PlayLogic& logic() { return *appContext().playLogic; }

    StatePlayer* givePlayer(int state)
    {
        auto* p = new StatePlayer();
        p->state = state;
        delete logic().player.exchange(p);
        return p;
    }

    void setPlaylist(int count, int current)
    {
        logic().playList.entries.clear();
        for (int i = 0; i < count; ++i)
            logic().playList.entries.push_back({i == current ? 1 : 0, L"C:\\clips\\" + std::to_wstring(i) + L".m2ts"});
    }

    // The video dialog over the main window's whole client area, shown.
    void placeDialog(int width, int height)
    {
        MoveWindow(pw->hWnd, 0, 0, width, height, TRUE);
        ShowWindow(main, SW_SHOWNOACTIVATE);
        ShowWindow(pw->hWnd, SW_SHOW);
        pumpMessages();
    }

    static POINT positionIn(HWND child, HWND parent)
    {
        RECT r = {};
        GetWindowRect(child, &r);
        POINT p = {r.left, r.top};
        ScreenToClient(parent, &p);
        return p;
    }

    static SIZE sizeOf(HWND h)
    {
        RECT r = {};
        GetWindowRect(h, &r);
        return {r.right - r.left, r.bottom - r.top};
    }

    static bool styleVisible(HWND h) { return (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0; }

    static GdiplusSession* gdiplus;
    QuietPlaybackView view;
    HWND main = nullptr;
    PlayWnd* pw = nullptr;
};
GdiplusSession* PlayWndTest::gdiplus = nullptr;

// --- creation, the surface, layout ---

TEST_F(PlayWndTest, CreateMakesAHiddenVideoDialogWithLinkAndLogo)
{
    ASSERT_TRUE(IsWindow(pw->hWnd));
    EXPECT_EQ(GetParent(pw->hWnd), main);
    EXPECT_TRUE(GetWindowLongW(pw->hWnd, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(styleVisible(pw->hWnd));
    EXPECT_EQ(pw->hVideoWnd, nullptr);

    ASSERT_TRUE(IsWindow(pw->hLinkWnd));
    EXPECT_EQ(GetParent(pw->hLinkWnd), pw->hWnd);
    wchar_t text[64] = {};
    GetWindowTextW(pw->hLinkWnd, text, 64);
    EXPECT_STREQ(text, L"Powered by Kadrowin");
    const POINT at = positionIn(pw->hLinkWnd, pw->hWnd);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    ASSERT_NE(pw->hLinkFont, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(pw->hLinkWnd, WM_GETFONT, 0, 0)), pw->hLinkFont);
    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(pw->hLinkFont, sizeof(font), &font));
    EXPECT_TRUE(font.lfUnderline);

    ASSERT_NE(pw->logo, nullptr);
    EXPECT_EQ(pw->logo->GetWidth(), 316u);
    EXPECT_EQ(pw->logo->GetHeight(), 155u);

    // A second create keeps the dialog.
    HWND first = pw->hWnd;
    EXPECT_TRUE(pw->create(self(), main));
    EXPECT_EQ(pw->hWnd, first);
    EXPECT_EQ(PlayWnd::instance(), pw);
}

TEST_F(PlayWndTest, OnlyTheLibvlcKindGetsASurface)
{
    struct Case {
        PlayerKind kind;
        bool ready;
    };
    const Case cases[] = {{PlayerKind::Vlc, true}, {PlayerKind::Flash, false}, {PlayerKind::None, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(pw->open(c.kind, self()), c.ready) << int(c.kind);
        EXPECT_EQ(IsWindow(pw->hVideoWnd) != FALSE, c.ready) << int(c.kind);
        EXPECT_EQ(PlayWnd::videoSurface(), c.ready ? pw->hVideoWnd : nullptr) << int(c.kind);
        if (c.ready) {
            EXPECT_EQ(GetParent(pw->hVideoWnd), pw->hWnd);
            EXPECT_FALSE(styleVisible(pw->hVideoWnd));
            EXPECT_TRUE(PlayWnd::isVideoSurfaceHidden());
            // The engine must not restyle it from its own thread.
            EXPECT_TRUE(GetWindowLongW(pw->hVideoWnd, GWL_STYLE) & WS_CLIPCHILDREN);
        }
    }
}

TEST_F(PlayWndTest, NextFileOfTheSameKindKeepsTheSurfaceButHidesIt)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    logic().playerKind = PlayerKind::Vlc;     // the play logic records the opened file's kind
    HWND surface = pw->hVideoWnd;
    ShowWindow(surface, SW_SHOW);
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    EXPECT_EQ(pw->hVideoWnd, surface);
    EXPECT_FALSE(styleVisible(surface));

    // Another kind: the surface goes and nothing is ready.
    EXPECT_FALSE(pw->open(PlayerKind::Flash, self()));
    EXPECT_FALSE(IsWindow(surface));
    EXPECT_EQ(pw->hVideoWnd, nullptr);

    // The libvlc kind again (still the recorded kind): a new surface.
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    EXPECT_TRUE(IsWindow(pw->hVideoWnd));
}

TEST_F(PlayWndTest, LinkTopRightAndSurfaceBelowIt)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    const SIZE link = sizeOf(pw->hLinkWnd);
    ASSERT_GT(link.cx, 0);
    ASSERT_GT(link.cy, 0);
    const POINT linkAt = positionIn(pw->hLinkWnd, pw->hWnd);
    EXPECT_EQ(linkAt.x, 672 - link.cx - 5);
    EXPECT_EQ(linkAt.y, 5);
    const POINT surfaceAt = positionIn(pw->hVideoWnd, pw->hWnd);
    const SIZE surface = sizeOf(pw->hVideoWnd);
    EXPECT_EQ(surfaceAt.x, 0);
    EXPECT_EQ(surfaceAt.y, link.cy + 10);
    EXPECT_EQ(surface.cx, 672);
    EXPECT_EQ(surface.cy, 420 - link.cy - 5);

    // Resizing the dialog places both again.
    MoveWindow(pw->hWnd, 0, 0, 800, 500, TRUE);
    EXPECT_EQ(positionIn(pw->hLinkWnd, pw->hWnd).x, 800 - link.cx - 5);
    EXPECT_EQ(sizeOf(pw->hVideoWnd).cy, 500 - link.cy - 5);
}

TEST_F(PlayWndTest, SurfaceStartsAtTenWithoutALink)
{
    DestroyWindow(pw->hLinkWnd);
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    EXPECT_EQ(positionIn(pw->hVideoWnd, pw->hWnd).y, 10);
    EXPECT_EQ(sizeOf(pw->hVideoWnd).cy, 415);
}

// --- painting ---

// The video dialog's client area as drawn by its paint, in a buffer first filled with white.
class Capture {
public:
    Capture(HWND window, int width, int height) : width(width), height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, dib);
        std::memset(bits, 0xFF, static_cast<size_t>(width) * height * 4);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
    }
    ~Capture()
    {
        SelectObject(dc, old);
        DeleteObject(dib);
        DeleteDC(dc);
    }
    bool black(int x, int y) const { return (bits[y * width + x] & 0x00FFFFFF) == 0; }
    // Bounding box of the pixels that are not black; empty when all are.
    RECT drawn() const
    {
        RECT box = {width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!black(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

    const int width;
    const int height;

private:
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ old = nullptr;
    std::uint32_t* bits = nullptr;
};

TEST_F(PlayWndTest, LogoCentredOnBlackUnlessTheVideoIsOnScreen)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    struct Case {
        const char* what;
        int state;              // 0: no player
        bool surfaceShown;
        bool logo;
    };
    const Case cases[] = {
        {"nothing opened", 0, false, true},
        {"playing, surface still hidden (no video yet)", PlayerState::Playing, false, true},
        {"playing with the surface shown", PlayerState::Playing, true, false},
        {"paused with the surface shown", PlayerState::Paused, true, false},
        {"stopped with the surface shown", PlayerState::Stopped, true, true},
        {"surface shown but no player", 0, true, true},
    };
    for (const auto& c : cases) {
        if (c.state)
            givePlayer(c.state);
        else
            delete logic().player.exchange(nullptr);
        ShowWindow(pw->hVideoWnd, c.surfaceShown ? SW_SHOW : SW_HIDE);
        Capture shot(pw->hWnd, 672, 420);
        const RECT box = shot.drawn();
        EXPECT_TRUE(shot.black(0, 0) && shot.black(671, 419) && shot.black(671, 0) && shot.black(0, 419)) << c.what;
        if (c.logo) {
            // Drawn inside its 316 x 155 place at (178, 132), and over much of it.
            EXPECT_GE(box.left, 178) << c.what;
            EXPECT_GE(box.top, 132) << c.what;
            EXPECT_LE(box.right, 178 + 316) << c.what;
            EXPECT_LE(box.bottom, 132 + 155) << c.what;
            EXPECT_GT(box.right - box.left, 316 / 2) << c.what;
            EXPECT_GT(box.bottom - box.top, 155 / 2) << c.what;
        } else {
            EXPECT_TRUE(IsRectEmpty(&box)) << c.what;
        }
    }
}

TEST_F(PlayWndTest, SurfacePaintsOnlyBlack)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    ShowWindow(pw->hVideoWnd, SW_SHOW);
    const SIZE s = sizeOf(pw->hVideoWnd);
    Capture shot(pw->hVideoWnd, s.cx, s.cy);
    const RECT box = shot.drawn();
    EXPECT_TRUE(IsRectEmpty(&box));
}

TEST_F(PlayWndTest, WithoutALogoTheDialogIsPlainBlack)
{
    delete pw->logo;
    pw->logo = nullptr;
    placeDialog(672, 420);
    Capture shot(pw->hWnd, 672, 420);
    const RECT box = shot.drawn();
    EXPECT_TRUE(IsRectEmpty(&box));
}

// --- threads ---

struct ShowRequest {
    bool show;
    HANDLE done;
    HWND surfaceSeen;
    bool hiddenSeen;
};

DWORD WINAPI requestShow(void* param)
{
    auto* r = static_cast<ShowRequest*>(param);
    PlayWnd::showVideo(r->show);
    r->surfaceSeen = PlayWnd::videoSurface();
    r->hiddenSeen = PlayWnd::isVideoSurfaceHidden();
    SetEvent(r->done);
    return 0;
}

// Runs showVideo on another thread while this thread waits without pumping messages; true
// when the other thread finished within the time.
bool showFromAnotherThread(ShowRequest& r, bool show)
{
    r = {show, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr, false};
    HANDLE thread = CreateThread(nullptr, 0, requestShow, &r, 0, nullptr);
    const bool finished = WaitForSingleObject(r.done, 5000) == WAIT_OBJECT_0;
    if (finished)
        WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(r.done);
    return finished;
}

TEST_F(PlayWndTest, ShowFromTheEngineThreadDoesNotWaitForTheInterface)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    ShowRequest r;
    ASSERT_TRUE(showFromAnotherThread(r, true)) << "the engine's thread waited for the blocked interface thread";
    EXPECT_EQ(r.surfaceSeen, pw->hVideoWnd);
    EXPECT_TRUE(r.hiddenSeen);
    EXPECT_FALSE(styleVisible(pw->hVideoWnd));     // nothing changes until the interface thread runs
    pumpMessages();
    EXPECT_TRUE(styleVisible(pw->hVideoWnd));

    ASSERT_TRUE(showFromAnotherThread(r, false));
    EXPECT_FALSE(r.hiddenSeen);
    pumpMessages();
    EXPECT_FALSE(styleVisible(pw->hVideoWnd));
}

TEST_F(PlayWndTest, ShowOnTheInterfaceThreadActsAtOnce)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    PlayWnd::showVideo(true);
    EXPECT_TRUE(styleVisible(pw->hVideoWnd));
    PlayWnd::showVideo(false);
    EXPECT_FALSE(styleVisible(pw->hVideoWnd));
}

TEST_F(PlayWndTest, LateShowRequestOfThePreviousFileIsDropped)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    logic().playerKind = PlayerKind::Vlc;
    ShowRequest r;
    ASSERT_TRUE(showFromAnotherThread(r, true));
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));     // the next file, before the request arrives
    pumpMessages();
    EXPECT_FALSE(styleVisible(pw->hVideoWnd));

    ASSERT_TRUE(showFromAnotherThread(r, true));
    pumpMessages();
    EXPECT_TRUE(styleVisible(pw->hVideoWnd));
}

TEST_F(PlayWndTest, NothingIsTouchedAfterTheWindowsAreGone)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    ShowRequest r;
    ASSERT_TRUE(showFromAnotherThread(r, true));     // still queued when the windows go
    pw->destroyWindows();
    EXPECT_EQ(pw->hWnd, nullptr);
    EXPECT_EQ(pw->hVideoWnd, nullptr);
    EXPECT_EQ(pw->hLinkWnd, nullptr);
    EXPECT_EQ(pw->hLinkFont, nullptr);
    pumpMessages();

    ASSERT_TRUE(showFromAnotherThread(r, true));
    EXPECT_EQ(r.surfaceSeen, nullptr);
    EXPECT_FALSE(r.hiddenSeen);
    PlayWnd::releaseInstance();
    pw = nullptr;
    ASSERT_TRUE(showFromAnotherThread(r, true));
    PlayWnd::showVideo(true);
    EXPECT_EQ(PlayWnd::videoSurface(), nullptr);
    pumpMessages();
}

TEST_F(PlayWndTest, WindowsDestroyedWithTheMainWindowAreForgotten)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    DestroyWindow(main);
    EXPECT_EQ(PlayWnd::videoSurface(), nullptr);
    EXPECT_FALSE(PlayWnd::isVideoSurfaceHidden());
    ShowRequest r;
    ASSERT_TRUE(showFromAnotherThread(r, true));
    PlayWnd::showVideo(false);
    pw->updateCursor();
    pw->destroyWindows();
    EXPECT_EQ(pw->hWnd, nullptr);

    // A new instance after release starts empty.
    PlayWnd::releaseInstance();
    pw = PlayWnd::instance();
    EXPECT_EQ(pw->hWnd, nullptr);
    EXPECT_EQ(pw->logo, nullptr);
}

// --- the mouse ---

TEST_F(PlayWndTest, DoubleClickPostsTheApplicableFullScreenCommand)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    struct Case {
        const char* what;
        bool onSurface;
        BOOL fullScreen;
        WPARAM command;
    };
    const Case cases[] = {
        {"video dialog, windowed", false, FALSE, IDM_FULLSCREEN},
        {"video dialog, full screen", false, TRUE, IDM_LEAVE_FULLSCREEN},
        {"surface, windowed", true, FALSE, IDM_FULLSCREEN},
        {"surface, full screen", true, TRUE, IDM_LEAVE_FULLSCREEN},
    };
    for (const auto& c : cases) {
        commands.clear();
        appContext().fullScreen = c.fullScreen;
        SendMessageW(c.onSurface ? pw->hVideoWnd : pw->hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
        pumpMessages();
        ASSERT_EQ(commands.size(), 1u) << c.what;
        EXPECT_EQ(commands[0].wParam, c.command) << c.what;
        EXPECT_EQ(commands[0].lParam, 0) << c.what;
    }
}

TEST_F(PlayWndTest, ContextMenuResourceHasTheItemsInOrder)
{
    HMENU menu = LoadMenuW(self(), MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    ASSERT_NE(menu, nullptr);
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Popup");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);

    const std::pair<const wchar_t*, int> expected[] = {
        {L"Open\tCtrl+O", IDM_OPEN},
        {nullptr, 0},
        {L"Play", IDM_PLAY},
        {L"Pause\tSpace", IDM_PAUSE},
        {L"Stop", IDM_STOP},
        {L"Previous\tPageUp", IDM_PREVIOUS},
        {L"Next\tPageDown", IDM_NEXT},
        {nullptr, 0},
        {L"Full Screen\tF", IDM_FULLSCREEN},
        {L"Leave Full Screen\tESC", IDM_LEAVE_FULLSCREEN},
        {nullptr, 0},
        {L"E&xit", IDM_EXIT},
    };
    ASSERT_EQ(GetMenuItemCount(popup), int(std::size(expected)));
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        wchar_t item[64] = {};
        info.dwTypeData = item;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info)) << i;
        if (!expected[i].first) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_STREQ(item, expected[i].first) << i;
        EXPECT_EQ(int(info.wID), expected[i].second) << i;
    }
    DestroyMenu(menu);
}

TEST_F(PlayWndTest, ContextMenuShowsTheItemsThatApply)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    struct Case {
        const char* what;
        int state;              // 0: no player
        int files, current;
        BOOL fullScreen;
        std::vector<int> grayed;
        int removed;
    };
    const Case cases[] = {
        {"nothing opened", 0, 0, -1, FALSE, {IDM_PLAY, IDM_PAUSE, IDM_STOP, IDM_PREVIOUS, IDM_NEXT},
         IDM_LEAVE_FULLSCREEN},
        {"playing one of three", PlayerState::Playing, 3, 1, FALSE, {IDM_PLAY}, IDM_LEAVE_FULLSCREEN},
        {"paused, full screen", PlayerState::Paused, 1, 0, TRUE, {IDM_PAUSE, IDM_PREVIOUS, IDM_NEXT},
         IDM_FULLSCREEN},
        {"stopped with files", PlayerState::Stopped, 2, 0, FALSE, {IDM_PAUSE, IDM_STOP}, IDM_LEAVE_FULLSCREEN},
    };
    for (const auto& c : cases) {
        if (c.state)
            givePlayer(c.state);
        else
            delete logic().player.exchange(nullptr);
        setPlaylist(c.files, c.current);
        appContext().fullScreen = c.fullScreen;
        menuStates.clear();
        menuKeys.clear();
        menuSeen = false;
        commands.clear();

        SetTimer(main, 1, 5000, nullptr);
        SendMessageW(pw->hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pw->hWnd), MAKELPARAM(-1, -1));
        KillTimer(main, 1);
        pumpMessages();
        ASSERT_TRUE(menuSeen) << c.what;
        for (int id : kMenuCommands) {
            const int state = menuStates[id];
            if (id == c.removed) {
                EXPECT_EQ(state, -1) << c.what << ": " << id;
                continue;
            }
            ASSERT_NE(state, -1) << c.what << ": " << id;
            const bool shouldGray = std::find(c.grayed.begin(), c.grayed.end(), id) != c.grayed.end();
            EXPECT_EQ(grayed(state), shouldGray) << c.what << ": " << id;
        }
        EXPECT_TRUE(commands.empty()) << c.what << ": a dismissed menu posts nothing";
    }
}

TEST_F(PlayWndTest, ChosenMenuItemIsPostedToTheMainWindow)
{
    ASSERT_TRUE(pw->open(PlayerKind::Vlc, self()));
    placeDialog(672, 420);
    givePlayer(PlayerState::Playing);
    setPlaylist(1, 0);
    // Down to Open, Play (the separator is skipped), Pause; then choose it.
    menuKeys = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    SetTimer(main, 1, 5000, nullptr);
    SendMessageW(pw->hVideoWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pw->hVideoWnd), MAKELPARAM(-1, -1));
    KillTimer(main, 1);
    pumpMessages();
    ASSERT_TRUE(menuSeen);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, WPARAM(IDM_PAUSE));
    EXPECT_EQ(commands[0].lParam, 0);
}

// --- the cursor ---

int cursorCount()
{
    const int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

// Puts the cursor on a screen point and waits until the system reports it there.
bool moveCursor(POINT p)
{
    SetCursorPos(p.x, p.y);
    for (int i = 0; i < 100; ++i) {
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y)
            return true;
        Sleep(10);
        pumpMessages();
    }
    return false;
}

TEST_F(PlayWndTest, CursorHidesAfterRestOverThePlayingVideoAndReturnsOnMovement)
{
    placeDialog(672, 420);
    RECT video = {};
    GetWindowRect(pw->hWnd, &video);
    const POINT inside = {video.left + 300, video.top + 200};
    const POINT outside = {video.left + 300, video.bottom + 20};
    struct Case {
        const char* what;
        POINT at;
        int state;
        DWORD restedMs;
        bool hides;
    };
    const Case cases[] = {
        {"playing, rested 5 s over the video", inside, PlayerState::Playing, 5000, true},
        {"playing, rested a little less", inside, PlayerState::Playing, 4700, false},
        {"paused", inside, PlayerState::Paused, 6000, false},
        {"no player", inside, 0, 6000, false},
        {"below the video dialog", outside, PlayerState::Playing, 6000, false},
    };
    const int shown = cursorCount();
    for (const auto& c : cases) {
        ASSERT_TRUE(moveCursor(c.at)) << c.what;
        if (c.state)
            givePlayer(c.state);
        else
            delete logic().player.exchange(nullptr);
        pw->init();
        pw->cursorClock.lastMoveTick = GetTickCount() - c.restedMs;
        pw->updateCursor();
        EXPECT_EQ(cursorCount(), c.hides ? shown - 1 : shown) << c.what;
        pw->updateCursor();     // never hidden twice
        EXPECT_EQ(cursorCount(), c.hides ? shown - 1 : shown) << c.what;

        // Moving more than 5 pixels shows it again.
        ASSERT_TRUE(moveCursor({c.at.x + 6, c.at.y}));
        pw->updateCursor();
        EXPECT_EQ(cursorCount(), shown) << c.what;
    }
}

TEST_F(PlayWndTest, ReleasingTheWindowGivesBackAHiddenCursor)
{
    placeDialog(672, 420);
    RECT video = {};
    GetWindowRect(pw->hWnd, &video);
    ASSERT_TRUE(moveCursor({video.left + 100, video.top + 100}));
    givePlayer(PlayerState::Playing);
    const int shown = cursorCount();
    pw->init();
    pw->cursorClock.lastMoveTick = GetTickCount() - 6000;
    pw->updateCursor();
    ASSERT_EQ(cursorCount(), shown - 1);
    pw->destroyWindows();
    PlayWnd::releaseInstance();
    pw = nullptr;
    EXPECT_EQ(cursorCount(), shown);
}

} // namespace
