// The main window's layout, its placement and full screen.
#include "MainWindow.h"

#include "PlayBarWidget.h"
#include "VideoWidget.h"

#include "shell/logic/MainLayout.h"
#include "ui/logic/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace qtfront {

namespace {

layout::Size clientSize(const QWidget& w) { return {w.width(), w.height()}; }

QRect toQRect(const layout::Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

ui::Rect toUiRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QScreen* primaryScreen() { return QGuiApplication::primaryScreen(); }

} // namespace

void MainWindow::postLayout()
{
    if (layoutPosted)
        return;
    layoutPosted = true;
    QMetaObject::invokeMethod(this, [this] {
        layoutPosted = false;
        layoutWindows();
    }, Qt::QueuedConnection);
}

void MainWindow::setMinimumForBar(int reserved)
{
    const layout::Size least = layout::minimumClientSize({0, 0}, reserved);
    if (minimumSize() != QSize(least.width, least.height))
        setMinimumSize(least.width, least.height);
}

void MainWindow::layoutWindows()
{
    if (!layoutReady || tornDown || layingOut)
        return;
    // A minimised window's size says nothing: laid out again when it comes back.
    if (isMinimized())
        return;
    layingOut = true;

    const bool barVisible = bar && !bar->isHidden();
    const int barHeight = bar ? bar->barHeight() : 0;
    const int reserved = layout::reservedBarHeight(barVisible, fullScreen, barHeight);

    if (!firstLayoutDone) {
        firstLayoutDone = true;
        if (!settings.placementValid) {
            const layout::Size first = layout::firstClientSize(reserved);
            resize(first.width, first.height);
            if (QScreen* screen = primaryScreen()) {
                // The whole window, frame included, in the middle of the screen's work area.
                const QSize outer = frameGeometry().size() - size() + QSize(first.width, first.height);
                const ui::Point at = ui::centerPosition({outer.width(), outer.height()},
                    toUiRect(screen->availableGeometry()));
                move(at.x, at.y);
            }
        }
    }

    // The window never gets smaller than the minimum; one made smaller springs back.
    setMinimumForBar(reserved);
    layout::Size client = clientSize(*this);
    const layout::Size wanted = layout::minimumClientSize(client, reserved);
    if (wanted != client) {
        resize(wanted.width, wanted.height);
        client = clientSize(*this);
    }

    if (video) {
        video->setGeometry(toQRect(layout::videoRect(client, reserved)));
        video->show();
    }
    if (bar) {
        bar->setGeometry(toQRect(layout::barRect(client, barHeight)));
        if (barVisible || !fullScreen)
            bar->show();
        if (fullScreen)
            bar->startAutoHide();
        else
            bar->stopAutoHide();
    }
    layingOut = false;
}

void MainWindow::capturePlacement()
{
    if (fullScreen || !layoutReady || tornDown || (windowState() & Qt::WindowFullScreen) || !isVisible())
        return;
    const QRect normal = normalGeometry();
    if (!normal.isValid())
        return;
    settings.placement.normal = normal;
    settings.placement.maximized = windowState() & Qt::WindowMaximized;
    settings.placementValid = true;
}

void MainWindow::applyPlacement()
{
    setGeometry(settings.placement.normal);
    if (settings.placement.maximized)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void MainWindow::enterFullScreen()
{
    if (fullScreen || tornDown)
        return;
    fullScreen = true;
    // The size and move events of the switch neither lay out nor touch the placement.
    layoutReady = false;
    QScreen* screen = primaryScreen();
    setWindowState((windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized)) | Qt::WindowFullScreen);
    // Also placed by hand: without a window manager nobody else would cover the screen.
    if (screen)
        setGeometry(screen->geometry());
    layoutReady = true;
    layoutWindows();
}

void MainWindow::leaveFullScreen()
{
    if (!fullScreen || tornDown)
        return;
    fullScreen = false;
    layoutReady = false;
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    // Back to the last windowed place, maximised included; without one it stays where it is.
    if (settings.placementValid)
        applyPlacement();
    layoutReady = true;
    layoutWindows();
}

} // namespace qtfront
