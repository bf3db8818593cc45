// Looking at other processes' windows on the test's X display: the top-level windows of a
// process, their titles and places, and a polite close request (as a window manager sends).
#pragma once

#include <QRect>
#include <QString>

#include <vector>

namespace x11test {

// The mapped top-level windows whose _NET_WM_PID is pid.
std::vector<unsigned long> windowsOf(long long pid);
// _NET_WM_NAME (or WM_NAME) of a window.
QString titleOf(unsigned long window);
// The window's area in root coordinates.
QRect geometryOf(unsigned long window);
// Moves and sizes a window, as a user dragging it with a window manager would.
void moveResize(unsigned long window, const QRect& area);
// Sends WM_DELETE_WINDOW, as the close box of a window manager does.
void requestClose(unsigned long window);

} // namespace x11test
