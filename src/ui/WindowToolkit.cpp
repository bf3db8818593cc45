#include "WindowToolkit.h"

#include "ui/logic/VideoLayout.h"
#include "ui/logic/WindowGeometry.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <map>
#include <new>
#include <string>

namespace {

const wchar_t kLinkClass[] = L"HYPERLINK";
const COLORREF kLinkColor = RGB(192, 192, 192);

void openWithShell(const wchar_t* target, int showCommand)
{
    ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, showCommand);
}

// The toolkit's process-wide state. The two tables keep a label's entries until the toolkit
// stops, also after the label is destroyed.
struct ToolkitState {
    HINSTANCE instance = nullptr;
    HDC measureDC = nullptr;
    std::map<HWND, COLORREF> linkColors;
    std::map<HWND, std::wstring> linkTargets;
    LinkOpener opener = openWithShell;
};

ToolkitState& toolkit()
{
    static ToolkitState state;
    return state;
}

HFONT fontOrDefault(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The pixel extent of the link text in the font, with no margin.
SIZE measureLinkText(HFONT font)
{
    SIZE extent = {};
    HDC dc = toolkit().measureDC;
    HDC screen = nullptr;
    if (!dc) {
        // Not started: measure on the screen rather than not at all.
        screen = GetDC(nullptr);
        dc = screen;
    }
    if (!dc)
        return extent;
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, ui::kLinkText, static_cast<int>(std::wcslen(ui::kLinkText)), &extent);
    if (previous && previous != HGDI_ERROR)
        SelectObject(dc, previous);
    if (screen)
        ReleaseDC(nullptr, screen);
    return extent;
}

RECT referenceArea(HWND window)
{
    RECT area = {};
    HWND parent = GetParent(window);
    if (parent && IsWindow(parent)) {
        // A child is placed in its parent's client coordinates; an owned window on the screen.
        if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)
            GetClientRect(parent, &area);
        else
            GetWindowRect(parent, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    return area;
}

} // namespace

void initWindowToolkit(HINSTANCE instance)
{
    ToolkitState& state = toolkit();
    state.instance = instance;
    HDC screen = GetDC(nullptr);
    if (!state.measureDC)
        state.measureDC = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, L"STATIC", &wc) && !GetClassInfoExW(nullptr, L"STATIC", &wc))
        return;     // no link labels then; the windows carry on without them
    wc.cbSize = sizeof(wc);
    wc.hInstance = instance;
    wc.lpszClassName = kLinkClass;
    wc.lpszMenuName = nullptr;
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    RegisterClassExW(&wc);
}

void exitWindowToolkit(HINSTANCE instance)
{
    ToolkitState& state = toolkit();
    UnregisterClassW(kLinkClass, instance);
    if (state.measureDC) {
        DeleteDC(state.measureDC);
        state.measureDC = nullptr;
    }
    state.linkColors.clear();
    state.linkTargets.clear();
    state.instance = nullptr;
}

ATOM registerWindowClass(UINT menu, const wchar_t* name, HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, name, &wc))
        return 1;
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszMenuName = menu ? MAKEINTRESOURCEW(menu) : nullptr;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc);
}

void centerWindow(HWND window)
{
    if (!IsWindow(window))
        return;
    RECT r = {};
    GetWindowRect(window, &r);
    const RECT a = referenceArea(window);
    const ui::Point at = ui::centerPosition({r.right - r.left, r.bottom - r.top}, {a.left, a.top, a.right, a.bottom});
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void setClientSize(HWND window, int cx, int cy)
{
    if (!IsWindow(window))
        return;
    RECT outer = {};
    RECT client = {};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client))
        return;
    const ui::Size size = ui::windowSizeForClient({outer.right - outer.left, outer.bottom - outer.top},
                                                  {client.right, client.bottom}, {cx, cy});
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

HWND createLinkLabel(int width, int height, HWND parent, int x, int y, HFONT font)
{
    font = fontOrDefault(font);
    if (width == 0 || height == 0) {
        const SIZE extent = measureLinkText(font);
        width = extent.cx;
        height = extent.cy;
    }
    if (x < 0 || y < 0) {
        RECT client = {};
        GetClientRect(parent, &client);
        const ui::Point at = ui::labelPosition(x, y, {width, height}, {client.right, client.bottom});
        x = at.x;
        y = at.y;
    }
    HWND label = CreateWindowExW(0, kLinkClass, ui::kLinkText, WS_CHILD | WS_VISIBLE | SS_NOTIFY, x, y, width,
                                 height, parent, nullptr, toolkit().instance, nullptr);
    if (!label)
        return nullptr;
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    toolkit().linkColors[label] = kLinkColor;
    return label;
}

HWND createPoweredByLink(HFONT font, HWND parent)
{
    font = fontOrDefault(font);
    const SIZE extent = measureLinkText(font);
    HWND label = createLinkLabel(extent.cx, extent.cy, parent, 0, 0, font);
    if (label)
        toolkit().linkTargets[label] = ui::kMakerSite;
    return label;
}

HBRUSH onLinkCtlColor(HWND control, HDC dc)
{
    const auto& colors = toolkit().linkColors;
    const auto it = colors.find(control);
    if (it == colors.end())
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, it->second);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

bool onLinkClicked(HWND control)
{
    const auto& targets = toolkit().linkTargets;
    const auto it = targets.find(control);
    if (it == targets.end())
        return false;
    // Opened visibly: a browser started hidden would leave the click without any answer.
    toolkit().opener(it->second.c_str(), SW_SHOWNORMAL);
    return true;
}

void setLinkOpener(LinkOpener opener) { toolkit().opener = opener ? opener : openWithShell; }

Gdiplus::Image* loadPngResource(HINSTANCE instance, const wchar_t* name)
{
    HRSRC found = FindResourceW(instance, name, L"PNG");
    if (!found)
        return nullptr;
    const DWORD size = SizeofResource(instance, found);
    if (size == 0)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return nullptr;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* copy = GlobalLock(block);
    if (!copy) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(copy, bytes, size);
    GlobalUnlock(block);

    // The stream owns the block and frees it on its last release.
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    // GDI+ images live in GDI+'s own memory (their delete frees it there). Its allocator gives
    // null rather than throwing, also when GDI+ is not running, so ask it first.
    void* memory = Gdiplus::DllExports::GdipAlloc(sizeof(Gdiplus::Image));
    Gdiplus::Image* image = memory ? ::new (memory) Gdiplus::Image(stream, FALSE) : nullptr;
    // GDI+ may read the stream as long as the image lives and holds its own reference to it,
    // so the image keeps the stream and its block alive; ours goes now.
    stream->Release();
    return image;
}
