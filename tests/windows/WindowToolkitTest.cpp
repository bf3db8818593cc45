// The window toolkit on real windows: class registration, centring, client sizing, the link
// label and PNG pictures from this program's own resources.
#include "UiTestSupport.h"
#include "res/resource.h"
#include "ui/WindowToolkit.h"
#include "ui/logic/VideoLayout.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

HINSTANCE self() { return GetModuleHandleW(nullptr); }

RECT windowRect(HWND h)
{
    RECT r = {};
    GetWindowRect(h, &r);
    return r;
}

RECT clientRect(HWND h)
{
    RECT r = {};
    GetClientRect(h, &r);
    return r;
}

// Position of a child in its parent's client coordinates.
POINT childPosition(HWND child)
{
    RECT r = windowRect(child);
    POINT p = {r.left, r.top};
    ScreenToClient(GetParent(child), &p);
    return p;
}

// --- a parent window that forwards the link messages, as the video dialog does ---

LRESULT CALLBACK linkParentProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0)
            onLinkClicked(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = onLinkCtlColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    default:
        break;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

LRESULT CALLBACK plainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }
LRESULT CALLBACK otherProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

std::vector<std::pair<std::wstring, int>> opened;
void recordOpen(const wchar_t* target, int show) { opened.emplace_back(target, show); }

class WindowToolkit : public ::testing::Test {
protected:
    void SetUp() override
    {
        initWindowToolkit(self());
        opened.clear();
        setLinkOpener(recordOpen);
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = linkParentProc;
        wc.hInstance = self();
        wc.lpszClassName = L"UiTestLinkParent";
        RegisterClassExW(&wc);
    }

    void TearDown() override
    {
        for (HWND h : windows)
            if (IsWindow(h))
                DestroyWindow(h);
        UnregisterClassW(L"UiTestLinkParent", self());
        exitWindowToolkit(self());
        setLinkOpener(nullptr);
    }

    HWND track(HWND h)
    {
        windows.push_back(h);
        return h;
    }

    HWND topLevel(DWORD style, int x, int y, int w, int h, HWND owner = nullptr, DWORD exStyle = 0)
    {
        return track(CreateWindowExW(exStyle, L"UiTestLinkParent", L"ui test", style, x, y, w, h, owner, nullptr,
                                     self(), nullptr));
    }

    // A parent with the given client size for link labels.
    HWND linkParent(int cx, int cy)
    {
        HWND h = topLevel(WS_OVERLAPPEDWINDOW, 20, 20, 100, 100);
        setClientSize(h, cx, cy);
        return h;
    }

    std::vector<HWND> windows;
};

// --- classes ---

TEST_F(WindowToolkit, RegistersAClassWithTheUsualAttributesOnce)
{
    const ATOM atom = registerWindowClass(0, L"UiTestFresh", self(), plainProc);
    ASSERT_GT(atom, 1);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(self(), L"UiTestFresh", &wc));
    EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.lpfnWndProc, plainProc);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(16)));
    EXPECT_EQ(wc.lpszMenuName, nullptr);

    // Registered already: 1, and the class keeps its procedure.
    EXPECT_EQ(registerWindowClass(0, L"UiTestFresh", self(), otherProc), 1);
    ASSERT_TRUE(GetClassInfoExW(self(), L"UiTestFresh", &wc));
    EXPECT_EQ(wc.lpfnWndProc, plainProc);
    EXPECT_TRUE(UnregisterClassW(L"UiTestFresh", self()));
}

TEST_F(WindowToolkit, ClassMenuComesFromTheResources)
{
    ASSERT_GT(registerWindowClass(IDR_CONTEXT_MENU, L"UiTestWithMenu", self(), plainProc), 1);
    HWND h = track(CreateWindowExW(0, L"UiTestWithMenu", L"menu", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                   nullptr, self(), nullptr));
    ASSERT_NE(h, nullptr);
    HMENU bar = GetMenu(h);
    ASSERT_NE(bar, nullptr);
    wchar_t text[32] = {};
    GetMenuStringW(bar, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Popup");
    DestroyWindow(h);
    EXPECT_TRUE(UnregisterClassW(L"UiTestWithMenu", self()));
}

// --- centring and sizing ---

TEST_F(WindowToolkit, CentresATopLevelWindowInTheWorkArea)
{
    RECT area = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    HWND h = topLevel(WS_POPUP, 3, 7, 688, 520);
    centerWindow(h);
    const RECT r = windowRect(h);
    EXPECT_EQ(r.right - r.left, 688);
    EXPECT_EQ(r.bottom - r.top, 520);
    EXPECT_LE(std::abs((r.left - area.left) - (area.right - r.right)), 1);
    EXPECT_LE(std::abs((r.top - area.top) - (area.bottom - r.bottom)), 1);
}

TEST_F(WindowToolkit, WindowWiderThanTheWorkAreaStartsAtItsLeftEdge)
{
    RECT area = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    const int width = (area.right - area.left) + 400;
    HWND h = topLevel(WS_POPUP, 50, 50, width, 200);
    centerWindow(h);
    const RECT r = windowRect(h);
    EXPECT_EQ(r.left, area.left);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_LE(std::abs((r.top - area.top) - (area.bottom - r.bottom)), 1);
}

TEST_F(WindowToolkit, CentresAChildInItsParentsClientArea)
{
    HWND parent = linkParent(400, 300);
    HWND child = track(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 3, 3, 100, 50, parent, nullptr, self(), nullptr));
    centerWindow(child);
    const POINT p = childPosition(child);
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 125);
}

TEST_F(WindowToolkit, CentresAnOwnedWindowOverItsOwner)
{
    HWND owner = topLevel(WS_POPUP, 500, 300, 400, 300);
    HWND popup = topLevel(WS_POPUP, 0, 0, 200, 100, owner);
    ASSERT_EQ(GetParent(popup), owner);
    centerWindow(popup);
    const RECT r = windowRect(popup);
    EXPECT_EQ(r.left, 600);
    EXPECT_EQ(r.top, 400);
    EXPECT_EQ(r.right - r.left, 200);
}

TEST_F(WindowToolkit, StaleHandlesAreIgnored)
{
    HWND h = topLevel(WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(h);
    centerWindow(h);
    setClientSize(h, 100, 100);
    centerWindow(nullptr);
    setClientSize(nullptr, 100, 100);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowToolkit, ClientSizeIsExactForEveryFrame)
{
    struct Case {
        const char* what;
        DWORD style;
        DWORD exStyle;
    };
    const Case cases[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, 0},
        {"thick frame only", WS_POPUP | WS_THICKFRAME, 0},
        {"no frame", WS_POPUP, 0},
        {"tool window", WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
    };
    for (const auto& c : cases) {
        HWND h = topLevel(c.style, 40, 30, 200, 150, nullptr, c.exStyle);
        ASSERT_NE(h, nullptr) << c.what;
        const RECT before = windowRect(h);
        setClientSize(h, 333, 217);
        RECT client = clientRect(h);
        EXPECT_EQ(client.right, 333) << c.what;
        EXPECT_EQ(client.bottom, 217) << c.what;
        const RECT after = windowRect(h);
        EXPECT_EQ(after.left, before.left) << c.what;
        EXPECT_EQ(after.top, before.top) << c.what;

        // The present size again: nothing changes.
        setClientSize(h, 333, 217);
        const RECT again = windowRect(h);
        EXPECT_TRUE(EqualRect(&again, &after)) << c.what;
    }
}

// --- the link label ---

SIZE textExtent(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s = {};
    GetTextExtentPoint32W(dc, ui::kLinkText, static_cast<int>(std::wcslen(ui::kLinkText)), &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return s;
}

TEST_F(WindowToolkit, LinkClassIsAStaticWithAHandCursorUntilTheToolkitStops)
{
    WNDCLASSEXW link = {};
    link.cbSize = sizeof(link);
    ASSERT_TRUE(GetClassInfoExW(self(), L"HYPERLINK", &link));
    WNDCLASSEXW stat = {};
    stat.cbSize = sizeof(stat);
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"STATIC", &stat));
    EXPECT_EQ(link.hCursor, LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(link.cbWndExtra, stat.cbWndExtra);
    EXPECT_EQ(link.style, stat.style);

    exitWindowToolkit(self());
    EXPECT_FALSE(GetClassInfoExW(self(), L"HYPERLINK", &link));
    HWND parent = linkParent(640, 100);
    EXPECT_EQ(createPoweredByLink(nullptr, parent), nullptr);
}

TEST_F(WindowToolkit, PoweredByLinkIsTheTextsOwnSizeAtTheTopLeft)
{
    HWND parent = linkParent(640, 100);
    HFONT big = CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, TRUE, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    struct Case {
        const char* what;
        HFONT given;
        HFONT used;
    };
    const Case cases[] = {
        {"default font", nullptr, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))},
        {"caller's font", big, big},
    };
    for (const auto& c : cases) {
        HWND link = track(createPoweredByLink(c.given, parent));
        ASSERT_NE(link, nullptr) << c.what;
        wchar_t text[64] = {};
        GetWindowTextW(link, text, 64);
        EXPECT_STREQ(text, L"Powered by Kadrowin") << c.what;
        wchar_t cls[32] = {};
        GetClassNameW(link, cls, 32);
        EXPECT_STREQ(cls, L"HYPERLINK") << c.what;
        const LONG style = GetWindowLongW(link, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | SS_NOTIFY), LONG(WS_CHILD | WS_VISIBLE | SS_NOTIFY)) << c.what;
        EXPECT_EQ(GetWindowLongW(link, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0) << c.what;
        EXPECT_EQ(GetDlgCtrlID(link), 0) << c.what;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)), c.used) << c.what;
        const SIZE extent = textExtent(c.used);
        const RECT r = windowRect(link);
        EXPECT_EQ(r.right - r.left, extent.cx) << c.what;
        EXPECT_EQ(r.bottom - r.top, extent.cy) << c.what;
        const POINT at = childPosition(link);
        EXPECT_EQ(at.x, 0) << c.what;
        EXPECT_EQ(at.y, 0) << c.what;
    }
    DeleteObject(big);
}

TEST_F(WindowToolkit, LinkLabelPlacedFromTheRightEdge)
{
    HWND parent = linkParent(640, 100);
    HWND label = track(createLinkLabel(120, 13, parent, -5, 5, nullptr));
    ASSERT_NE(label, nullptr);
    const POINT at = childPosition(label);
    EXPECT_EQ(at.x, 515);
    EXPECT_EQ(at.y, 5);
    const RECT r = windowRect(label);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 13);

    HWND measured = track(createLinkLabel(0, 0, parent, 10, -2, nullptr));
    const SIZE extent = textExtent(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(childPosition(measured).y, 100 - extent.cy - 2);
}

TEST_F(WindowToolkit, OnlyLinkLabelsAreColouredAndOpenTheirTarget)
{
    HWND parent = linkParent(640, 100);
    HWND link = track(createPoweredByLink(nullptr, parent));
    HWND plain = track(CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD | SS_NOTIFY, 0, 40, 50, 13, parent, nullptr,
                                       self(), nullptr));
    HWND noTarget = track(createLinkLabel(120, 13, parent, 0, 60, nullptr));
    ASSERT_TRUE(link && plain && noTarget);

    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    EXPECT_EQ(onLinkCtlColor(plain, dc), nullptr);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(onLinkCtlColor(link, dc), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetTextColor(dc), RGB(192, 192, 192));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(onLinkCtlColor(noTarget, dc), GetStockObject(NULL_BRUSH));

    EXPECT_FALSE(onLinkClicked(plain));
    EXPECT_FALSE(onLinkClicked(noTarget));
    EXPECT_FALSE(onLinkClicked(nullptr));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(onLinkClicked(link));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, ui::kMakerSite);
    EXPECT_EQ(opened[0].second, SW_SHOWNORMAL);

    // The toolkit stopped: the tables are empty.
    exitWindowToolkit(self());
    EXPECT_EQ(onLinkCtlColor(link, dc), nullptr);
    EXPECT_FALSE(onLinkClicked(link));
    EXPECT_EQ(opened.size(), 1u);
    DeleteDC(dc);
}

TEST_F(WindowToolkit, ClickOnTheLabelReachesTheParentAndOpensTheSite)
{
    HWND parent = linkParent(640, 100);
    HWND link = track(createPoweredByLink(nullptr, parent));
    ASSERT_NE(link, nullptr);
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, ui::kMakerSite);
}

TEST_F(WindowToolkit, DestroyedLabelKeepsItsEntryUntilTheToolkitStops)
{
    HWND parent = linkParent(640, 100);
    HWND link = createPoweredByLink(nullptr, parent);
    ASSERT_NE(link, nullptr);
    DestroyWindow(link);
    EXPECT_TRUE(onLinkClicked(link));
    exitWindowToolkit(self());
    EXPECT_FALSE(onLinkClicked(link));
}

// --- PNG pictures ---

class PngResource : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus = new GdiplusSession(); }
    static void TearDownTestSuite()
    {
        delete gdiplus;
        gdiplus = nullptr;
    }
    static GdiplusSession* gdiplus;
};
GdiplusSession* PngResource::gdiplus = nullptr;

// Draws the image into a cleared 32-bit buffer and counts the pixels it covered.
int coveredPixels(Gdiplus::Image* image, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    {
        Gdiplus::Graphics g(dc);
        g.DrawImage(image, 0, 0, width, height);
    }
    GdiFlush();
    int covered = 0;
    const auto* px = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        covered += (px[i] & 0x00FFFFFF) != 0;
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return covered;
}

TEST_F(PngResource, LoadsByNumberOrNameAndReportsWhatItFound)
{
    struct Case {
        const char* what;
        const wchar_t* name;
        bool image;
        UINT width, height;
    };
    const Case cases[] = {
        {"the logo", MAKEINTRESOURCEW(IDB_LOGO), true, 316, 155},
        {"bytes that are no picture", L"NOT_A_PICTURE", true, 0, 0},
        {"no such number", MAKEINTRESOURCEW(4242), false, 0, 0},
        {"no such name", L"IDB_PLAY", false, 0, 0},
        {"a dialog, not of type PNG", MAKEINTRESOURCEW(IDD_VIDEO), false, 0, 0},
    };
    for (const auto& c : cases) {
        std::unique_ptr<Gdiplus::Image> image(loadPngResource(self(), c.name));
        ASSERT_EQ(image != nullptr, c.image) << c.what;
        if (!image)
            continue;
        EXPECT_EQ(image->GetWidth(), c.width) << c.what;
        EXPECT_EQ(image->GetHeight(), c.height) << c.what;
    }
}

TEST_F(PngResource, PictureStaysReadableAfterLoading)
{
    // Decoding may happen at the first draw, long after the loader has returned.
    std::unique_ptr<Gdiplus::Image> logo(loadPngResource(self(), MAKEINTRESOURCEW(IDB_LOGO)));
    ASSERT_NE(logo, nullptr);
    std::unique_ptr<Gdiplus::Image> other(loadPngResource(self(), MAKEINTRESOURCEW(IDB_LOGO)));
    other.reset();
    const int covered = coveredPixels(logo.get(), 316, 155);
    EXPECT_GT(covered, 316 * 155 / 20);
    EXPECT_LT(covered, 316 * 155);

    std::unique_ptr<Gdiplus::Image> broken(loadPngResource(self(), L"NOT_A_PICTURE"));
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(coveredPixels(broken.get(), 64, 64), 0);
}

} // namespace
