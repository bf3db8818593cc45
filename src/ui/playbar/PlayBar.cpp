// The bar's object, windows, buttons and commands.
#include "PlayBar.h"

#include "PlayBarGdiplus.h"

#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/WindowToolkit.h"
#include "ui/playbar/logic/BarControls.h"

#include <commctrl.h>

#include <cstddef>
#include <new>

namespace {

PlayBar* theInstance = nullptr;

int playerState()
{
    PlayLogic* logic = appContext().playLogic;
    MediaPlayer* player = logic ? logic->player.load() : nullptr;
    return player ? player->getState() : 0;
}

} // namespace

// --- drawLock ---

DrawLockHold::DrawLockHold(PlayBar& b) : bar(b)
{
    const DWORD self = GetCurrentThreadId();
    if (bar.drawLockOwner.load() == self) {
        // Waiting again on the auto-reset event would never return.
        ++bar.drawLockReentries;
        return;
    }
    WaitForSingleObject(bar.drawLock, INFINITE);
    bar.drawLockOwner.store(self);
    held = true;
}

DrawLockHold::~DrawLockHold()
{
    if (!held)
        return;
    bar.drawLockOwner.store(0);
    SetEvent(bar.drawLock);
}

// --- the single instance ---

PlayBar* PlayBar::instance()
{
    if (!theInstance)
        theInstance = new (std::nothrow) PlayBar();
    return theInstance;
}

void PlayBar::releaseInstance()
{
    delete theInstance;
    theInstance = nullptr;
}

PlayBar::PlayBar() : hInstance(appContext().hInstance)
{
    for (const auto& control : playbar::barControls) {
        if (Gdiplus::Image* image = loadPngResource(hInstance, control.imageName))
            images[control.id] = image;
    }
    hBackgroundBrush = CreateSolidBrush(RGB(28, 28, 28));
    backgroundImage = loadPngResource(hInstance, L"IDB_BAR_BKG");
    volumeBallImage = loadPngResource(hInstance, L"IDB_VOLUME_BALL");
    timeFillImage = loadPngResource(hInstance, L"IDB_TIME_FORG");
    timeBallImage = loadPngResource(hInstance, L"IDB_TIME_BALL");
    drawLock = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    // Measured once, here, so that both threads read them without touching the pictures.
    timeKnobWidth = playbar_gdi::widthOf(timeBallImage);
    volumeKnobWidth = playbar_gdi::widthOf(volumeBallImage);
}

PlayBar::~PlayBar()
{
    destroyWindows();
    for (auto& entry : images)
        delete entry.second;
    images.clear();
    if (hBackgroundBrush)
        DeleteObject(hBackgroundBrush);
    delete volumeBallImage;
    delete timeFillImage;
    delete timeBallImage;
    delete backgroundImage;
    freeBuffer(&composeBuffer);
    freeBuffer(&backgroundBuffer);
    for (auto& entry : squeezedTiles)
        delete entry.second;
    squeezedTiles.clear();
    if (hTimeFont)
        DeleteObject(hTimeFont);
    if (drawLock)
        CloseHandle(drawLock);
}

bool PlayBar::onBarThread() const
{
    const DWORD owner = barThreadId.load();
    return owner == 0 || owner == GetCurrentThreadId();
}

// --- windows ---

bool PlayBar::create(HINSTANCE instance, HWND parent)
{
    if (hWnd)
        return true;
    hInstance = instance;
    hWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_PLAYBAR), parent, dialogProc, 0);
    if (!hWnd)
        return false;
    {
        std::lock_guard<std::mutex> guard(foreignCalls);
        windowsClosing = false;
    }
    barThreadId.store(GetCurrentThreadId());

    // Pure black becomes transparent and the rest is drawn at half strength. Where the system
    // does not honour layered child windows this changes nothing and the bar shows opaque.
    SetWindowLongW(hWnd, GWL_EXSTYLE, GetWindowLongW(hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hWnd, RGB(0, 0, 0), 128, LWA_COLORKEY | LWA_ALPHA);

    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExW(&version);
#pragma GCC diagnostic pop
    if (known && version.dwMajorVersion >= 6) {
        // The system double-buffers the bar and its buttons: no flicker while they repaint.
        SetWindowLongW(hWnd, GWL_EXSTYLE, GetWindowLongW(hWnd, GWL_EXSTYLE) | WS_EX_COMPOSITED);
    }

    hTooltipWnd = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd, nullptr, instance, nullptr);
    if (!hTooltipWnd)
        return false;

    // Showing may deliver the first WM_SIZE: a layout before the font and the tooltips exist.
    ShowWindow(hWnd, SW_SHOW);
    return true;
}

bool PlayBar::initTooltipsAndFont()
{
    addTooltips();
    NONCLIENTMETRICSW metrics = {};
    // The record without its last field: the size every system version accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -11;
    if (hTimeFont)
        DeleteObject(hTimeFont);
    hTimeFont = CreateFontIndirectW(&font);
    return true;
}

bool PlayBar::addTooltips()
{
    if (!hTooltipWnd || !IsWindow(hTooltipWnd))
        return false;
    for (const auto& control : playbar::barControls) {
        if (!control.tooltip[0])
            continue;
        const HWND item = hWnd ? GetDlgItem(hWnd, control.id) : nullptr;
        if (!item)
            continue;
        TOOLINFOW info = {};
        info.cbSize = sizeof(TOOLINFOW);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hWnd;
        info.uId = reinterpret_cast<UINT_PTR>(item);
        info.lpszText = const_cast<wchar_t*>(control.tooltip);
        SendMessageW(hTooltipWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    return true;
}

void PlayBar::destroyWindows()
{
    {
        // From here on no call from another thread touches the windows.
        std::lock_guard<std::mutex> guard(foreignCalls);
        windowsClosing = true;
    }
    if (hTooltipWnd && IsWindow(hTooltipWnd))
        DestroyWindow(hTooltipWnd);
    hTooltipWnd = nullptr;
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
    hWnd = nullptr;
}

// --- controls ---

Gdiplus::Image* PlayBar::imageFor(int id) const
{
    auto it = images.find(id);
    return it == images.end() ? nullptr : it->second;
}

bool PlayBar::controlRect(int id, RECT& rect) const
{
    const HWND item = hWnd ? GetDlgItem(hWnd, id) : nullptr;
    if (!item || !GetWindowRect(item, &rect))
        return false;
    MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

void PlayBar::showControl(int id, bool on)
{
    const HWND item = hWnd ? GetDlgItem(hWnd, id) : nullptr;
    if (!item)
        return;
    EnableWindow(item, on);
    ShowWindow(item, on ? SW_SHOW : SW_HIDE);
}

void PlayBar::copyBackgroundToItem(const DRAWITEMSTRUCT& item)
{
    RECT r;
    if (!backgroundBuffer.exists() || !controlRect(static_cast<int>(item.CtlID), r))
        return;
    BitBlt(item.hDC, 0, 0, r.right - r.left, r.bottom - r.top, backgroundBuffer.dc, r.left, r.top,
        SRCCOPY);
}

void PlayBar::drawButton(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_BUTTON)
        return;
    Gdiplus::Image* image = imageFor(static_cast<int>(item.CtlID));
    if (!image)
        return;
    // Pressed: one pixel right and down. There is no hover, disabled or focus look.
    const int offset = ((item.itemAction & ODA_SELECT) || (item.itemState & ODS_SELECTED)) ? 1 : 0;
    copyBackgroundToItem(item);
    Gdiplus::Graphics g(item.hDC);
    playbar_gdi::prepare(g);
    playbar_gdi::drawImage(g, image, item.rcItem.left + offset, item.rcItem.top + offset,
        playbar_gdi::widthOf(image), playbar_gdi::heightOf(image));
}

// --- button states ---

void PlayBar::updateButtons()
{
    if (!onBarThread()) {
        // Showing and enabling another thread's windows would wait for that thread, which may
        // itself be waiting for the engine: hand the update over instead.
        std::lock_guard<std::mutex> guard(foreignCalls);
        if (windowsClosing || !hWnd)
            return;
        if (!buttonsPosted.exchange(true) && !PostMessageW(hWnd, WM_BAR_UPDATE_BUTTONS, 0, 0))
            buttonsPosted.store(false);
        return;
    }
    applyButtons();
}

void PlayBar::applyPostedButtons()
{
    // Cleared first: a request arriving meanwhile posts again and is not lost.
    buttonsPosted.store(false);
    applyButtons();
}

void PlayBar::applyButtons()
{
    AppContext& ctx = appContext();
    PlayLogic* logic = ctx.playLogic;
    const playbar::ButtonPlan plan = playbar::planButtons(playerState(),
        logic && logic->canStep(), logic && logic->hasFiles(), ctx.fullScreen != FALSE);
    for (const auto& change : plan.changes) {
        const HWND item = hWnd ? GetDlgItem(hWnd, change.id) : nullptr;
        if (!item)
            continue;
        EnableWindow(item, change.enable);
        ShowWindow(item, change.show ? SW_SHOW : SW_HIDE);
    }
    // Redrawn by the next update of the time slider.
    if (plan.clearShownTime)
        shownTime.store(0);
}

void PlayBar::resetAfterStop()
{
    if (hWnd && GetCapture() == hWnd)
        ReleaseCapture();
    // In full screen the clock starts over rather than stopping: a bar hidden before the stop
    // (or before the advance to the next file) must still come back when the cursor moves.
    if (appContext().fullScreen)
        startAutoHide();
    else
        stopAutoHide();
    shownLength.store(0);
    updateTime();
}

// --- the window procedure ---

namespace {

INT_PTR onCommand(PlayBar& bar, WPARAM wParam)
{
    (void)bar;
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL)
        return TRUE;
    const auto command = playbar::commandFor(id);
    if (!command)
        return FALSE;
    PostMessageW(appContext().hMainWnd, WM_COMMAND, static_cast<WPARAM>(*command), 0);
    return TRUE;
}

INT_PTR onPaint(PlayBar& bar, HWND hDlg)
{
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(hDlg, &ps)) {
        bar.paint(dc);
        EndPaint(hDlg, &ps);
    }
    return FALSE;
}

INT_PTR onDrawItem(PlayBar& bar, LPARAM lParam)
{
    if (lParam)
        bar.drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

INT_PTR onMouseMove(PlayBar& bar, HWND hDlg, LPARAM lParam)
{
    if (GetCapture() == hDlg)
        bar.dragTo(lParam);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK PlayBar::dialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    // The bar that exists; a late message never makes a new one.
    PlayBar* bar = theInstance;
    if (!bar)
        return FALSE;
    // Messages sent while CreateDialogParamW runs come before hWnd is known.
    if (!bar->hWnd)
        bar->hWnd = hDlg;
    switch (msg) {
    case WM_SIZE: bar->layout(); return TRUE;
    case WM_PAINT: return onPaint(*bar, hDlg);
    case WM_DRAWITEM: return onDrawItem(*bar, lParam);
    case WM_COMMAND: return onCommand(*bar, wParam);
    case WM_LBUTTONDOWN: bar->beginDrag(lParam); return TRUE;
    case WM_MOUSEMOVE: return onMouseMove(*bar, hDlg, lParam);
    case WM_LBUTTONUP: bar->endDrag(); return TRUE;
    case WM_BAR_UPDATE_BUTTONS: bar->applyPostedButtons(); return TRUE;
    default: return FALSE;
    }
}
