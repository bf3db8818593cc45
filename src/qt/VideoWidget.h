// The video area: black, with the logo in the middle while no video is on screen and the
// "Powered by Kadrowin" link at its top right. Below the link lies the video surface, a native
// X11 child window that libvlc draws into; it is made for the first file and hidden until the
// file turns out to have video. Right-click opens the context menu, a double-click toggles
// full screen, and the cursor hides after resting over the playing video.
#pragma once

#include "playback/PlayerKind.h"
#include "playback/MediaPlayer.h"
#include "ui/logic/CursorRestClock.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

class QMenu;

namespace qtfront {

class MainWindow;

// The link label: light grey underlined text with a hand cursor; a click opens the maker's site.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed = false;
};

// The surface libvlc draws into: a native window of its own, painted black under the video.
class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class VideoWidget : public QWidget {
    Q_OBJECT
public:
    VideoWidget(MainWindow& main, QWidget* parent);
    ~VideoWidget() override;

    // Makes sure a hidden surface is ready for a file of this kind; false for a kind without
    // one (only libvlc files have a surface).
    bool open(PlayerKind kind);
    void showVideo(bool show);
    // The surface's X11 window as the engine takes it, or null without a surface.
    NativeWindow surfaceWindow() const;
    bool isSurfaceHidden() const;
    VideoSurface* surface() const { return videoSurface; }
    LinkLabel* link() const { return linkLabel; }
    // Where the logo is drawn now (empty while it is not drawn).
    QRect logoArea() const;

    // Every timer tick: hides the cursor after 5 s of rest over the playing video and shows
    // it again on the first movement.
    void updateCursor();
    bool isCursorHidden() const { return cursorClock.cursorHidden; }
    void destroySurface();

    // The context menu with its items shown and grayed for the present state; the chosen
    // command is posted to the main window. Shown at the cursor.
    void showContextMenu();
    // The menu as showContextMenu fills it (the caller owns it).
    QMenu* buildContextMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void layoutChildren();
    void restoreCursor();

    MainWindow& main;
    QImage logo;
    LinkLabel* linkLabel = nullptr;
    VideoSurface* videoSurface = nullptr;
    ui::CursorRestClock cursorClock;
    bool menuOpen = false;
};

} // namespace qtfront
