#include "PlayWnd.h"

#include "WindowToolkit.h"
#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/logic/ContextMenuState.h"
#include "ui/logic/VideoLayout.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstddef>

PlayWnd* PlayWnd::single = nullptr;
std::atomic<HWND> PlayWnd::liveDialog{nullptr};
std::atomic<HWND> PlayWnd::liveSurface{nullptr};
std::atomic<unsigned> PlayWnd::surfaceGeneration{0};

namespace {

MediaPlayer* currentPlayer()
{
    PlayLogic* logic = appContext().playLogic;
    return logic ? logic->player.load() : nullptr;
}

int playerState()
{
    MediaPlayer* player = currentPlayer();
    return player ? player->getState() : 0;
}

ui::Point toPoint(POINT p) { return {p.x, p.y}; }
ui::Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

} // namespace

// --- life of the single instance ---

PlayWnd* PlayWnd::instance()
{
    if (!single)
        single = new PlayWnd();
    return single;
}

PlayWnd* PlayWnd::existing() { return single; }

void PlayWnd::releaseInstance()
{
    // Forgotten first: the windows destroyed by the destructor must not find a half-gone object.
    PlayWnd* doomed = single;
    single = nullptr;
    delete doomed;
}

PlayWnd::~PlayWnd()
{
    delete logo;
    logo = nullptr;
    destroyWindows();
    // Give back a cursor this window hid.
    if (cursorClock.cursorHidden) {
        ShowCursor(TRUE);
        cursorClock.cursorHidden = false;
    }
}

bool PlayWnd::create(HINSTANCE instance, HWND mainWnd)
{
    if (IsWindow(hWnd))
        return true;
    hWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_VIDEO), mainWnd, dialogProc, 0);
    liveDialog.store(hWnd);
    return hWnd != nullptr;
}

bool PlayWnd::init()
{
    delete logo;
    logo = loadPngResource(appContext().hInstance, MAKEINTRESOURCEW(IDB_LOGO));
    POINT cursor = {};
    GetCursorPos(&cursor);
    cursorClock.reset(GetTickCount(), toPoint(cursor));
    return true;
}

bool PlayWnd::open(PlayerKind kind, HINSTANCE instance)
{
    PlayLogic* logic = appContext().playLogic;
    const PlayerKind current = logic ? logic->playerKind : PlayerKind::None;
    if (kind != current || !IsWindow(hVideoWnd)) {
        // A surface made for another kind is never reused; destroying it also keeps a stray
        // window from covering the video dialog.
        liveSurface.store(nullptr);
        if (IsWindow(hVideoWnd))
            DestroyWindow(hVideoWnd);
        hVideoWnd = nullptr;
        if (kind == PlayerKind::Vlc && IsWindow(hWnd))
            hVideoWnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_VIDEO_SURFACE), hWnd, videoDialogProc, 0);
        if (!hVideoWnd)
            return false;
        liveSurface.store(hVideoWnd);
    }
    // Show requests still on their way for the previous file no longer apply.
    surfaceGeneration.fetch_add(1);
    layout();
    ShowWindow(hVideoWnd, SW_HIDE);
    return true;
}

void PlayWnd::destroyWindows()
{
    // Other threads stop seeing the windows before they go.
    liveDialog.store(nullptr);
    liveSurface.store(nullptr);
    if (hLinkFont) {
        DeleteObject(hLinkFont);
        hLinkFont = nullptr;
    }
    if (IsWindow(hLinkWnd))
        DestroyWindow(hLinkWnd);
    hLinkWnd = nullptr;
    if (IsWindow(hVideoWnd))
        DestroyWindow(hVideoWnd);
    hVideoWnd = nullptr;
    if (IsWindow(hWnd))
        DestroyWindow(hWnd);
    hWnd = nullptr;
}

// --- showing the surface, from any thread ---

void PlayWnd::showVideo(bool show)
{
    HWND dialog = liveDialog.load();
    if (!dialog)
        return;
    if (GetWindowThreadProcessId(dialog, nullptr) == GetCurrentThreadId())
        applyShowVideo(show);
    else
        PostMessageW(dialog, WM_PLAYWND_SHOWVIDEO, show ? 1 : 0, static_cast<LPARAM>(surfaceGeneration.load()));
}

HWND PlayWnd::videoSurface() { return liveSurface.load(); }

bool PlayWnd::isVideoSurfaceHidden()
{
    HWND surface = liveSurface.load();
    return surface && IsWindow(surface) && !(GetWindowLongW(surface, GWL_STYLE) & WS_VISIBLE);
}

void PlayWnd::applyShowVideo(bool show)
{
    HWND surface = liveSurface.load();
    if (IsWindow(surface))
        ShowWindow(surface, show ? SW_SHOW : SW_HIDE);
}

void PlayWnd::onShowVideoRequest(WPARAM show, LPARAM generation)
{
    if (static_cast<unsigned>(generation) == surfaceGeneration.load())
        applyShowVideo(show != 0);
}

// --- layout and painting ---

void PlayWnd::layout()
{
    if (!IsWindow(hWnd))
        return;
    RECT client = {};
    GetClientRect(hWnd, &client);
    int linkHeight = 0;
    if (IsWindow(hLinkWnd)) {
        RECT r = {};
        GetWindowRect(hLinkWnd, &r);
        const ui::Size link{r.right - r.left, r.bottom - r.top};
        const ui::Point at = ui::linkPosition(client.right, link);
        MoveWindow(hLinkWnd, at.x, at.y, link.width, link.height, TRUE);
        linkHeight = link.height;
    }
    if (IsWindow(hVideoWnd)) {
        const ui::Rect r = ui::surfaceRect({client.right, client.bottom}, linkHeight);
        MoveWindow(hVideoWnd, r.left, r.top, r.width(), r.height(), TRUE);
    }
}

void PlayWnd::paint(HDC dc, bool surface)
{
    RECT client = {};
    if (IsWindow(hWnd))
        GetClientRect(hWnd, &client);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &client, black);
    DeleteObject(black);

    const int state = playerState();
    const bool surfaceVisible = IsWindow(hVideoWnd) && (GetWindowLongW(hVideoWnd, GWL_STYLE) & WS_VISIBLE);
    if (surfaceVisible && (state == PlayerState::Playing || state == PlayerState::Paused))
        return;
    if (surface || !logo)
        return;
    const ui::Size logoSize{static_cast<int>(logo->GetWidth()), static_cast<int>(logo->GetHeight())};
    const ui::Rect at = ui::logoRect({client.right, client.bottom}, logoSize);
    if (at.isEmpty())
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(logo, at.left, at.top, at.width(), at.height());
}

// --- the context menu and the mouse ---

void PlayWnd::showContextMenu(HMENU menu)
{
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        PlayLogic* logic = appContext().playLogic;
        MediaPlayer* player = currentPlayer();
        ui::ContextMenuInputs in;
        in.hasPlayer = player != nullptr;
        in.playing = player && player->isPlaying();
        in.state = player ? player->getState() : 0;
        in.playlistCount = logic ? logic->playList.count() : 0;
        in.currentIndex = logic ? logic->playList.currentIndex() : -1;
        in.fullScreen = appContext().fullScreen != FALSE;
        for (const ui::ContextMenuItem& item : ui::contextMenuItems(in)) {
            if (!item.shown)
                RemoveMenu(popup, item.command, MF_BYCOMMAND);
            else
                EnableMenuItem(popup, item.command,
                               MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
        }
        // At the cursor, whatever position the message carried (a key gives none).
        POINT at = {};
        GetCursorPos(&at);
        HWND owner = appContext().hMainWnd;
        if (!IsWindow(owner))
            owner = hWnd;
        const int command = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
        if (command > 0 && IsWindow(appContext().hMainWnd))
            PostMessageW(appContext().hMainWnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }
    DestroyMenu(menu);
}

void PlayWnd::onContextMenu()
{
    HMENU menu = LoadMenuW(appContext().hInstance, MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    if (menu)
        showContextMenu(menu);
}

void PlayWnd::onDoubleClick()
{
    const int command = ui::fullScreenToggleCommand(appContext().fullScreen != FALSE);
    PostMessageW(appContext().hMainWnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void PlayWnd::updateCursor()
{
    POINT cursor = {};
    if (!GetCursorPos(&cursor))
        return;
    RECT video = {};
    if (IsWindow(hWnd))
        GetWindowRect(hWnd, &video);
    const bool playing = playerState() == PlayerState::Playing;
    switch (cursorClock.tick(GetTickCount(), toPoint(cursor), playing, toRect(video))) {
    case ui::CursorAction::Hide: ShowCursor(FALSE); break;
    case ui::CursorAction::Show: ShowCursor(TRUE); break;
    case ui::CursorAction::None: break;
    }
}

// --- the two dialog procedures ---

void PlayWnd::onInitDialog(HWND dialog)
{
    // The message font as Windows before Vista laid the record out: every version accepts it.
    NONCLIENTMETRICSW metrics = {};
    const UINT size = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    metrics.cbSize = size;
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfUnderline = TRUE;
    if (hLinkFont)
        DeleteObject(hLinkFont);
    hLinkFont = CreateFontIndirectW(&font);
    hLinkWnd = createPoweredByLink(hLinkFont, dialog);
}

void PlayWnd::onPaint(HWND window, bool surface)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc)
        paint(dc, surface);
    EndPaint(window, &ps);
}

void PlayWnd::onNcDestroy(HWND window)
{
    // Destroyed along with the main window, without destroyWindows: forget the handles.
    if (window == hVideoWnd) {
        liveSurface.store(nullptr);
        hVideoWnd = nullptr;
    }
    if (window == hWnd) {
        liveDialog.store(nullptr);
        hWnd = nullptr;
    }
}

INT_PTR CALLBACK PlayWnd::dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        instance()->onInitDialog(dialog);
        return FALSE;     // nothing to focus: the keyboard focus stays where it is
    }
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(onLinkCtlColor(reinterpret_cast<HWND>(lParam), dc));
    }
    PlayWnd* self = existing();
    if (!self)
        return FALSE;
    switch (msg) {
    case WM_SIZE: self->layout(); InvalidateRect(dialog, nullptr, FALSE); return TRUE;
    case WM_ERASEBKGND: return TRUE;     // paint fills everything black
    case WM_PAINT: self->onPaint(dialog, false); return TRUE;
    case WM_PRINTCLIENT: self->paint(reinterpret_cast<HDC>(wParam), false); return TRUE;
    case WM_CONTEXTMENU: self->onContextMenu(); return TRUE;
    case WM_COMMAND: if (HIWORD(wParam) == 0) onLinkClicked(reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_LBUTTONDBLCLK: self->onDoubleClick(); return TRUE;
    case WM_PLAYWND_SHOWVIDEO: self->onShowVideoRequest(wParam, lParam); return TRUE;
    case WM_NCDESTROY: self->onNcDestroy(dialog); return FALSE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK PlayWnd::videoDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM /*lParam*/)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    PlayWnd* self = existing();
    if (!self)
        return FALSE;
    switch (msg) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: self->onPaint(dialog, true); return TRUE;
    case WM_PRINTCLIENT: self->paint(reinterpret_cast<HDC>(wParam), true); return TRUE;
    case WM_CONTEXTMENU: self->onContextMenu(); return TRUE;
    case WM_LBUTTONDBLCLK: self->onDoubleClick(); return TRUE;
    case WM_NCDESTROY: self->onNcDestroy(dialog); return FALSE;
    default: return FALSE;
    }
}
