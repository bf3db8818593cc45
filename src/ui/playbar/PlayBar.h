// The play bar beneath the video: a child dialog of the main window whose buttons, sliders and
// time read-out are all drawn by the bar from its PNG pictures.
//
// The bar decides nothing about playback: a button posts its command to the main window, and
// what the bar shows follows the play logic whenever the shell or the play logic asks for an
// update. Geometry, time text, button states and the auto-hide clock come from the window-free
// logic in logic/; this class gathers the inputs and applies the results.
//
// Threads: everything runs on the user-interface thread except updateButtons and updateTime,
// which the engine's event thread may call. updateButtons then hands itself over to the bar's
// thread (posted); updateTime draws under drawLock and copies to the window with plain GDI
// calls, so neither waits for the user-interface thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace Gdiplus {
class Bitmap;
class Image;
}

// A 32-bit DIB section selected into a memory DC. All zero when empty.
struct BarBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;

    bool exists() const { return dc && bitmap; }
};

class PlayBar {
public:
    // The single instance, made on first request; null only if it cannot be allocated.
    static PlayBar* instance();
    // Deletes the single instance (after destroyWindows).
    static void releaseInstance();

    virtual ~PlayBar();

    // --- structure, buttons and commands ---

    // The bar window (dialog 134) and its tooltip window; true when both exist.
    bool create(HINSTANCE hInstance, HWND parent);
    bool initTooltipsAndFont();
    bool addTooltips();
    // Button set from the player's state, the playlist and full screen. Any thread.
    void updateButtons();
    void showControl(int id, bool on);
    // After a stop: capture released, auto-hide started over in full screen (off when
    // windowed), length 0, time redrawn.
    void resetAfterStop();
    // The tooltip window, then the bar window, each only if it still exists.
    void destroyWindows();

    Gdiplus::Image* imageFor(int id) const;
    // A control's rectangle in the bar's client coordinates; false when it does not exist.
    bool controlRect(int id, RECT& rect) const;
    void drawButton(const DRAWITEMSTRUCT& item);
    void copyBackgroundToItem(const DRAWITEMSTRUCT& item);

    // --- painting, sliders and time display ---

    void paint(HDC dc);
    void restoreBackground(int slider, HDC dc);
    void drawVolumeSlider(HDC dc);
    void drawTimeSlider(HDC dc);
    static std::wstring formatTime(std::int64_t value, int kind);
    // Copies both slider columns from composeBuffer; dc null: onto the window itself.
    void flushSliders(HDC dc);
    // Time slider and text from the player. Any thread.
    void updateTime();
    // Volume slider from the play logic's volume and mute.
    void updateVolume();
    void beginDrag(LPARAM lParam);
    void dragTo(LPARAM lParam);
    void endDrag();

    // --- layout, back buffers and auto-hide ---

    // Height in pixels: 0 without a bar window.
    int height() const;
    void layout();
    void ensureBuffers();
    // Frees one buffer; null frees composeBuffer and then backgroundBuffer.
    void freeBuffer(BarBuffer* buffer);
    void drawTiled(HDC dc, Gdiplus::Image* image, int x, int y, int width);
    void startAutoHide();
    void stopAutoHide();
    void autoHideTick();

    static INT_PTR CALLBACK dialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

    // The bar's private message: a button update asked for on another thread.
    static constexpr UINT WM_BAR_UPDATE_BUTTONS = WM_APP + 40;

    HWND hWnd = nullptr;
    std::map<int, Gdiplus::Image*> images;
    HBRUSH hBackgroundBrush = nullptr;
    Gdiplus::Image* backgroundImage = nullptr;
    Gdiplus::Image* volumeBallImage = nullptr;
    Gdiplus::Image* timeFillImage = nullptr;
    Gdiplus::Image* timeBallImage = nullptr;
    BarBuffer composeBuffer;
    BarBuffer backgroundBuffer;
    // Written by the engine's thread (updateTime) as well as the user-interface thread.
    std::atomic<int> shownVolume{100};
    std::atomic<std::int64_t> shownTime{0};
    std::atomic<std::int64_t> shownLength{0};
    int dragControl = 0;
    POINT lastCursorPos = {0, 0};
    DWORD lastMoveTick = 0;
    std::atomic<bool> slidersDrawn{false};
    // Auto-reset event, created signalled: a plain, non-recursive lock around all drawing into
    // the back buffers and onto the window.
    HANDLE drawLock = nullptr;
    HWND hTooltipWnd = nullptr;
    HFONT hTimeFont = nullptr;

    // Knob widths, measured once from their pictures (0 without one).
    int timeKnobWidth = 0;
    int volumeKnobWidth = 0;

    // Takes of drawLock by a thread that held it already. Such a take would hang the bar for
    // good, so it is refused and counted instead; it must stay 0.
    std::atomic<int> drawLockReentries{0};

private:
    PlayBar();
    PlayBar(const PlayBar&) = delete;
    PlayBar& operator=(const PlayBar&) = delete;

    friend class DrawLockHold;

    // True on the thread that made the bar window, and anywhere before there is one.
    bool onBarThread() const;
    void applyButtons();
    void applyPostedButtons();
    void refreshTime();

    // The whole picture squeezed into a last, partial tile, by picture and width; made once
    // and kept, so that redraws allocate nothing. Used under drawLock.
    Gdiplus::Bitmap* squeezedTile(Gdiplus::Image* image, int width);
    std::map<std::pair<Gdiplus::Image*, int>, Gdiplus::Bitmap*> squeezedTiles;

    HINSTANCE hInstance = nullptr;
    std::atomic<DWORD> barThreadId{0};
    std::atomic<DWORD> drawLockOwner{0};
    // A button update is on its way to the bar's thread.
    std::atomic<bool> buttonsPosted{false};
    // Calls from another thread against the windows going away: once the windows are being
    // destroyed no such call touches them.
    std::mutex foreignCalls;
    bool windowsClosing = false;
};

// Holds drawLock for a scope. A thread that holds the lock already does not wait again.
class DrawLockHold {
public:
    explicit DrawLockHold(PlayBar& bar);
    ~DrawLockHold();
    DrawLockHold(const DrawLockHold&) = delete;
    DrawLockHold& operator=(const DrawLockHold&) = delete;

private:
    PlayBar& bar;
    bool held = false;
};
