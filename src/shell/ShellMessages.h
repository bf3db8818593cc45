// Private messages of the main window.
#pragma once

#include <windows.h>

// An engine event (wParam: libvlc's event type), handed over from the engine's thread.
constexpr UINT WM_SHELL_ENGINE_EVENT = WM_APP + 1;
// Tell the user that a file could not be played.
constexpr UINT WM_SHELL_UNPLAYABLE = WM_APP + 2;

// From a second instance (see HandOff.h).
constexpr UINT WM_PLAYER_PING = WM_APP + 503;
constexpr UINT WM_PLAYER_NEWFILE = WM_APP + 504;
