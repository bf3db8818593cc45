// Window routines that the main window, the video window and the play bar share: class
// registration, centring and client sizing, the "Powered by" link label, and PNG pictures
// from the program's resources. User-interface thread only.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Image;
}

// Starts the toolkit: the text-measuring DC and the "HYPERLINK" window class. Call after the
// instance is known and before any window that carries a link label is created.
void initWindowToolkit(HINSTANCE instance);
// Stops it: unregisters "HYPERLINK", frees the DC and forgets every link label.
void exitWindowToolkit(HINSTANCE instance);

// Registers a class with the program's usual attributes. Returns 1 when a class of that name
// exists already (left as it is), otherwise what RegisterClassExW returns (0 on failure).
ATOM registerWindowClass(UINT menu, const wchar_t* name, HINSTANCE instance, WNDPROC proc);

// Centres the window over its parent's rectangle, or in the screen's work area when it has
// no parent, keeping it inside that area.
void centerWindow(HWND window);
// Resizes the window so that its client area is cx by cy pixels; position and Z order stay.
void setClientSize(HWND window, int cx, int cy);

// A link label: a static text with a hand cursor, drawn in light grey over its parent. A width
// or height of 0 means the text's own extent; a negative x or y counts from the parent's right
// or bottom edge. No font: DEFAULT_GUI_FONT. Returns the label or null.
HWND createLinkLabel(int width, int height, HWND parent, int x, int y, HFONT font);
// The "Powered by Kadrowin" label at the parent's top-left corner; a click opens the maker's site.
HWND createPoweredByLink(HFONT font, HWND parent);
// From the parent's WM_CTLCOLORSTATIC: colours a link label's text and returns a hollow brush;
// null for any other control.
HBRUSH onLinkCtlColor(HWND control, HDC dc);
// From the parent's WM_COMMAND with notification code 0 (STN_CLICKED): opens the label's
// target and returns true; false for any other control.
bool onLinkClicked(HWND control);

// What a click on a link does with its target. The default opens it with the shell's "open"
// verb; tests put a recorder in its place. Null restores the default.
using LinkOpener = void (*)(const wchar_t* target, int showCommand);
void setLinkOpener(LinkOpener opener);

// A new GDI+ image from a resource of type "PNG" (name or MAKEINTRESOURCE identifier); the
// caller deletes it before GDI+ shuts down. Null when the resource is missing or nothing could
// be allocated; bytes that do not decode give an image of 0 x 0 that draws nothing.
Gdiplus::Image* loadPngResource(HINSTANCE instance, const wchar_t* name);
