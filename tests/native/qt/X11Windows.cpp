#include "X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>

namespace x11test {

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { if (d) XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr openDisplay() { return DisplayPtr(XOpenDisplay(nullptr)); }

bool cardinalProperty(Display* d, Window w, Atom property, long& value)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) != Success)
        return false;
    const bool ok = data && format == 32 && count == 1;
    if (ok)
        value = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return ok;
}

void collect(Display* d, Window w, Atom pidAtom, long long pid, std::vector<unsigned long>& out, int depth)
{
    long value = 0;
    XWindowAttributes attributes;
    if (cardinalProperty(d, w, pidAtom, value) && value == pid && XGetWindowAttributes(d, w, &attributes)
        && attributes.map_state == IsViewable) {
        out.push_back(w);
        return;
    }
    if (depth > 2)
        return;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        collect(d, children[i], pidAtom, pid, out, depth + 1);
    if (children)
        XFree(children);
}

} // namespace

std::vector<unsigned long> windowsOf(long long pid)
{
    std::vector<unsigned long> out;
    DisplayPtr d = openDisplay();
    if (!d)
        return out;
    const Atom pidAtom = XInternAtom(d.get(), "_NET_WM_PID", False);
    collect(d.get(), DefaultRootWindow(d.get()), pidAtom, pid, out, 0);
    return out;
}

QString titleOf(unsigned long window)
{
    DisplayPtr d = openDisplay();
    if (!d)
        return QString();
    const Atom netName = XInternAtom(d.get(), "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d.get(), "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(d.get(), window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            == Success && data && format == 8) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
    }
    if (data)
        XFree(data);
    return title;
}

QRect geometryOf(unsigned long window)
{
    DisplayPtr d = openDisplay();
    XWindowAttributes attributes;
    if (!d || !XGetWindowAttributes(d.get(), window, &attributes))
        return QRect();
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d.get(), window, DefaultRootWindow(d.get()), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

void moveResize(unsigned long window, const QRect& area)
{
    DisplayPtr d = openDisplay();
    if (!d)
        return;
    XMoveResizeWindow(d.get(), window, area.x(), area.y(), static_cast<unsigned>(area.width()),
        static_cast<unsigned>(area.height()));
    XFlush(d.get());
}

void requestClose(unsigned long window)
{
    DisplayPtr d = openDisplay();
    if (!d)
        return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d.get(), window, False, NoEventMask, &event);
    XFlush(d.get());
}

} // namespace x11test
