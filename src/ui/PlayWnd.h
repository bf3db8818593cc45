// The video window: the black area above the play bar. A video dialog (resource 169, a child
// of the main window) paints black, shows the logo while no video is on screen, carries the
// "Powered by Kadrowin" link and opens the context menu; inside it the video surface (resource
// 170) is the window the engine draws into. One instance per process.
#pragma once

#include "playback/PlayerKind.h"
#include "ui/logic/CursorRestClock.h"

#include <windows.h>

#include <atomic>

namespace Gdiplus {
class Image;
}

class PlayWnd {
public:
    // The single instance, created on first use; releaseInstance deletes it (after
    // destroyWindows) so that a later instance() would make a new one.
    static PlayWnd* instance();
    static void releaseInstance();

    virtual ~PlayWnd();
    PlayWnd(const PlayWnd&) = delete;
    PlayWnd& operator=(const PlayWnd&) = delete;

    // --- user-interface thread only ---

    // Creates the video dialog (hidden) as a child of the main window; true when it exists.
    bool create(HINSTANCE instance, HWND mainWnd);
    // Loads the logo and starts the cursor-rest clock. Always true.
    bool init();
    // Prepares a hidden video surface for a file of this kind: kept when the kind stays the
    // same, otherwise made anew. False for any kind but Vlc and when the surface cannot be made.
    bool open(PlayerKind kind, HINSTANCE instance);
    // Every main-window timer tick: hides the cursor after 5 s of rest over the playing video,
    // shows it again on movement.
    void updateCursor();
    // Destroys the link font, the link, the surface and the video dialog; handles become null.
    void destroyWindows();

    // --- any thread, the engine's event thread included ---
    // None of these waits for the user-interface thread, and all are safe to call before
    // create and after destroyWindows or releaseInstance (they then do nothing or report no
    // surface). They do not need the object: call them as PlayWnd::showVideo(...).

    // Shows or hides the video surface. On the user-interface thread at once; from any other
    // thread it is posted to the video dialog and applied there, unless the surface has been
    // prepared for another file in the meantime (a late request of the previous file is dropped).
    static void showVideo(bool show);
    // The current video surface, or null.
    static HWND videoSurface();
    // The surface exists and is not visible.
    static bool isVideoSurfaceHidden();

    HWND hWnd = nullptr;              // the video dialog
    HWND hVideoWnd = nullptr;         // the video surface; null while no libvlc file is prepared
    HFONT hLinkFont = nullptr;        // owned
    HWND hLinkWnd = nullptr;          // the "Powered by Kadrowin" link
    Gdiplus::Image* logo = nullptr;   // owned; null when the picture does not load
    ui::CursorRestClock cursorClock;  // lastMoveTick, lastCursorPos, cursorHidden

    // The private message that carries a show request from another thread to the video
    // dialog: wParam show (0 or 1), lParam the surface generation it was asked for.
    static constexpr UINT WM_PLAYWND_SHOWVIDEO = WM_APP + 169;

private:
    PlayWnd() = default;

    void layout();
    void paint(HDC dc, bool surface);
    void showContextMenu(HMENU menu);

    // Handlers of the two dialog procedures.
    void onInitDialog(HWND dialog);
    void onPaint(HWND window, bool surface);
    void onContextMenu();
    void onDoubleClick();
    void onShowVideoRequest(WPARAM show, LPARAM generation);
    void onNcDestroy(HWND window);

    static PlayWnd* existing();
    static void applyShowVideo(bool show);
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK videoDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

    static PlayWnd* single;
    // What other threads may see of the windows: the live video dialog and surface, and a
    // count bumped each time the surface is prepared for a file.
    static std::atomic<HWND> liveDialog;
    static std::atomic<HWND> liveSurface;
    static std::atomic<unsigned> surfaceGeneration;
};
