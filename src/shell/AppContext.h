// The shell's process-wide state: one instance, everything zero at start.
#pragma once

#include <windows.h>

class PlayLogic;
class PlayWnd;
class PlayBar;
class ShellView;

// The abstract application class and the product's own; neither holds data.
class MediaPlayerApp {
public:
    virtual ~MediaPlayerApp() = default;
};

class Vesperine : public MediaPlayerApp {
public:
    ~Vesperine() override = default;
};

struct AppContext {
    HINSTANCE hInstance = nullptr;
    HWND hMainWnd = nullptr;
    PlayLogic* playLogic = nullptr;     // owned
    PlayWnd* playWnd = nullptr;         // the video window's single instance, not owned
    PlayBar* playBar = nullptr;         // the play bar's single instance, not owned
    UINT_PTR timerId = 0;
    BOOL placementValid = FALSE;
    WINDOWPLACEMENT placement = {};
    BOOL fullScreen = FALSE;
    BOOL layoutReady = FALSE;
    MediaPlayerApp* app = nullptr;      // owned
    ShellView* view = nullptr;          // owned: the play logic's way to the windows
    ULONG_PTR gdiplusToken = 0;         // from GDI+ start-up to its shutdown
    BOOL firstLayoutDone = FALSE;       // the first layout (first size) has run
    BOOL closing = FALSE;               // a close is under way: further close requests are ignored
};

// The one process-wide record; every window reaches the others through it.
AppContext& appContext();
