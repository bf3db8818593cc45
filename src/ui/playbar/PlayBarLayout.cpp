// The bar's geometry, its two back buffers and the full-screen auto-hide.
#include "PlayBar.h"

#include "PlayBarGdiplus.h"

#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/playbar/logic/AutoHideClock.h"
#include "ui/playbar/logic/BarControls.h"
#include "ui/playbar/logic/BarGeometry.h"

#include <cstring>

namespace {

playbar::Point toPoint(POINT p) { return {p.x, p.y}; }

} // namespace

int PlayBar::height() const
{
    if (!hWnd || !IsWindow(hWnd))
        return 0;
    std::optional<playbar::Size> background;
    if (backgroundImage)
        background = playbar::Size{playbar_gdi::widthOf(backgroundImage), playbar_gdi::heightOf(backgroundImage)};
    return playbar::barHeight(true, background);
}

void PlayBar::layout()
{
    DrawLockHold hold(*this);
    RECT client = {};
    GetClientRect(hWnd, &client);
    // The row is worked out from the pictures' sizes by the window-free layout; here the
    // controls that exist and have a picture are only moved.
    playbar::ControlSizes sizes;
    for (const auto& control : playbar::barControls) {
        Gdiplus::Image* image = imageFor(control.id);
        if (image && GetDlgItem(hWnd, control.id))
            sizes[control.id] = playbar::Size{playbar_gdi::widthOf(image), playbar_gdi::heightOf(image)};
    }
    for (const playbar::PlacedControl& placed : playbar::layoutBar(client.right, height(), sizes)) {
        const playbar::Rect& r = placed.rect;
        MoveWindow(GetDlgItem(hWnd, placed.id), r.left, r.top, r.width(), r.height(), FALSE);
    }

    InvalidateRect(hWnd, nullptr, FALSE);
    ensureBuffers();
    if (composeBuffer.exists()) {
        BitBlt(composeBuffer.dc, 0, 0, composeBuffer.width, composeBuffer.height, backgroundBuffer.dc, 0, 0,
            SRCCOPY);
        drawVolumeSlider(composeBuffer.dc);
        drawTimeSlider(composeBuffer.dc);
    }
}

void PlayBar::ensureBuffers()
{
    RECT client = {};
    GetClientRect(hWnd, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    // Never shrunk: a narrower bar keeps using the larger buffers.
    if (composeBuffer.exists() && composeBuffer.width >= w && composeBuffer.height >= h)
        return;
    freeBuffer(&composeBuffer);
    freeBuffer(&backgroundBuffer);

    const HDC windowDc = GetDC(hWnd);
    for (BarBuffer* buffer : {&composeBuffer, &backgroundBuffer}) {
        const HDC dc = CreateCompatibleDC(windowDc);
        if (!dc)
            continue;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;  // bottom-up rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = static_cast<DWORD>(w) * 4 * static_cast<DWORD>(h);
        void* bits = nullptr;
        const HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap || !bits) {
            if (bitmap)
                DeleteObject(bitmap);
            DeleteDC(dc);
            continue;
        }
        std::memset(bits, 0, static_cast<size_t>(w) * 4 * static_cast<size_t>(h));
        SelectObject(dc, bitmap);
        *buffer = {dc, bitmap, w, h};
    }

    if (backgroundBuffer.exists()) {
        if (backgroundImage) {
            if (w != 0)
                drawTiled(backgroundBuffer.dc, backgroundImage, 0, 0, w);
        } else {
            FillRect(backgroundBuffer.dc, &client, hBackgroundBrush);
        }
    }
    if (windowDc)
        ReleaseDC(hWnd, windowDc);
}

void PlayBar::freeBuffer(BarBuffer* buffer)
{
    if (!buffer) {
        freeBuffer(&composeBuffer);
        freeBuffer(&backgroundBuffer);
        return;
    }
    if (buffer->dc)
        DeleteDC(buffer->dc);
    if (buffer->bitmap)
        DeleteObject(buffer->bitmap);
    *buffer = {};
}

void PlayBar::drawTiled(HDC dc, Gdiplus::Image* image, int x, int y, int width)
{
    if (!image)
        return;
    Gdiplus::Graphics g(dc);
    playbar_gdi::prepare(g);
    const int iw = playbar_gdi::widthOf(image);
    const int h = playbar_gdi::heightOf(image);
    // The last, partial tile is the whole picture squeezed into what remains.
    for (const playbar::Tile& t : playbar::tilePlan(width, iw)) {
        if (t.width == iw) {
            playbar_gdi::drawImage(g, image, x + t.x, y, iw, h);
        } else if (Gdiplus::Bitmap* squeezed = squeezedTile(image, t.width)) {
            playbar_gdi::drawImage(g, squeezed, x + t.x, y, t.width, h);
        }
    }
}

Gdiplus::Bitmap* PlayBar::squeezedTile(Gdiplus::Image* image, int width)
{
    const auto key = std::make_pair(image, width);
    auto it = squeezedTiles.find(key);
    if (it != squeezedTiles.end())
        return it->second;
    // Squeezed at the origin of a bitmap of its own and then copied pixel for pixel: scaling
    // straight into the bar far from the origin can lose the tile's first column.
    const int h = playbar_gdi::heightOf(image);
    // GDI+ objects come from its own allocator, which answers null when out of memory.
    auto* tile = new Gdiplus::Bitmap(width, h, PixelFormat32bppARGB);
    if (!tile)
        return nullptr;
    if (tile->GetLastStatus() != Gdiplus::Ok) {
        delete tile;
        return nullptr;
    }
    {
        Gdiplus::Graphics g(tile);
        playbar_gdi::prepare(g);
        playbar_gdi::drawImage(g, image, 0, 0, width, h);
    }
    squeezedTiles[key] = tile;
    return tile;
}

// --- auto-hide ---

namespace {

playbar::AutoHideClock clockOf(const PlayBar& bar)
{
    playbar::AutoHideClock clock;
    clock.lastMoveTick = bar.lastMoveTick;
    clock.lastCursorPos = toPoint(bar.lastCursorPos);
    return clock;
}

void storeClock(PlayBar& bar, const playbar::AutoHideClock& clock)
{
    bar.lastMoveTick = clock.lastMoveTick;
    bar.lastCursorPos = {clock.lastCursorPos.x, clock.lastCursorPos.y};
}

POINT cursorPos()
{
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p;
}

} // namespace

void PlayBar::startAutoHide()
{
    playbar::AutoHideClock clock;
    playbar::startAutoHide(clock, GetTickCount(), toPoint(cursorPos()));
    storeClock(*this, clock);
}

void PlayBar::stopAutoHide()
{
    lastMoveTick = 0;
}

void PlayBar::autoHideTick()
{
    if (lastMoveTick == 0 || !hWnd || !IsWindow(hWnd))
        return;
    const DWORD now = GetTickCount();
    const bool visible = (GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    RECT r = {};
    GetWindowRect(hWnd, &r);
    playbar::AutoHideClock clock = clockOf(*this);
    const auto action = playbar::autoHideTick(clock, now, toPoint(cursorPos()),
        {r.left, r.top, r.right, r.bottom}, visible);
    switch (action) {
    case playbar::AutoHideAction::None:
        return;
    case playbar::AutoHideAction::Hide:
        ShowWindow(hWnd, SW_HIDE);
        // The main window's layout gives the video the bar's room.
        PostMessageW(appContext().hMainWnd, WM_SIZE, 0, 0);
        return;
    case playbar::AutoHideAction::Show:
        ShowWindow(hWnd, SW_SHOW);
        PostMessageW(appContext().hMainWnd, WM_SIZE, 0, 0);
        break;
    case playbar::AutoHideAction::Moved:
        break;
    }
    // The clock starts over where the cursor is now.
    clock.lastCursorPos = toPoint(cursorPos());
    storeClock(*this, clock);
}
