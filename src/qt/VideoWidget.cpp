#include "VideoWidget.h"

#include "MainWindow.h"
#include "Pictures.h"

#include "platform/Platform.h"
#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "ui/logic/ContextMenuState.h"
#include "ui/logic/VideoLayout.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <cstdint>

namespace qtfront {

namespace {

// The menu's items in order; 0 stands for a separator.
struct MenuRow {
    int command;
    const char* text;
};
const MenuRow kMenuRows[] = {
    {IDM_OPEN, "Open\tCtrl+O"},
    {0, nullptr},
    {IDM_PLAY, "Play"},
    {IDM_PAUSE, "Pause\tSpace"},
    {IDM_STOP, "Stop"},
    {IDM_PREVIOUS, "Previous\tPageUp"},
    {IDM_NEXT, "Next\tPageDown"},
    {0, nullptr},
    {IDM_FULLSCREEN, "Full Screen\tF"},
    {IDM_LEAVE_FULLSCREEN, "Leave Full Screen\tESC"},
    {0, nullptr},
    {IDM_EXIT, "E&xit"},
};

QRect toQRect(const ui::Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

ui::Rect toUiRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

int playerState(const PlayLogic* logic)
{
    MediaPlayer* player = logic ? logic->player.load() : nullptr;
    return player ? player->getState() : 0;
}

} // namespace

// --- the link ---

LinkLabel::LinkLabel(QWidget* parent) : QLabel(QString::fromWCharArray(ui::kLinkText), parent)
{
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(192, 192, 192));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
    setTextFormat(Qt::PlainText);
    adjustSize();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (click)
        QDesktopServices::openUrl(QUrl(QString::fromWCharArray(ui::kMakerSite)));
}

// --- the surface ---

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent)
{
    // libvlc needs a real X11 window of its own to draw into.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
}

void VideoSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

// --- the video area ---

VideoWidget::VideoWidget(MainWindow& main, QWidget* parent) : QWidget(parent), main(main)
{
    // Native, so that the surface inside is a child X11 window clipped to this area.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    logo = loadPicture(L"logo");
    linkLabel = new LinkLabel(this);
    const QPoint now = QCursor::pos();
    cursorClock.reset(platform::tickCount(), {now.x(), now.y()});
    layoutChildren();
}

VideoWidget::~VideoWidget() { restoreCursor(); }

bool VideoWidget::open(PlayerKind kind)
{
    PlayLogic* logic = main.playLogic();
    const PlayerKind current = logic ? logic->playerKind : PlayerKind::None;
    if (!(kind == current && videoSurface)) {
        if (videoSurface) {
            MediaPlayer* player = logic ? logic->player.load() : nullptr;
            if (!player || player->kind() == PlayerKind::Vlc)
                delete videoSurface;
            videoSurface = nullptr;
        }
        if (kind == PlayerKind::Vlc) {
            videoSurface = new VideoSurface(this);
            videoSurface->winId();
        }
        if (!videoSurface)
            return false;
    }
    layoutChildren();
    videoSurface->hide();
    update();
    return true;
}

void VideoWidget::showVideo(bool show)
{
    if (!videoSurface)
        return;
    videoSurface->setVisible(show);
    update();
}

NativeWindow VideoWidget::surfaceWindow() const
{
    if (!videoSurface)
        return nullptr;
    return reinterpret_cast<NativeWindow>(static_cast<std::uintptr_t>(videoSurface->winId()));
}

bool VideoWidget::isSurfaceHidden() const { return videoSurface && videoSurface->isHidden(); }

QRect VideoWidget::logoArea() const
{
    const int state = playerState(main.playLogic());
    const bool videoOnScreen = videoSurface && !videoSurface->isHidden()
        && (state == PlayerState::Playing || state == PlayerState::Paused);
    if (videoOnScreen || logo.isNull())
        return QRect();
    return toQRect(ui::logoRect({width(), height()}, {logo.width(), logo.height()}));
}

void VideoWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect area = logoArea();
    if (!area.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(area, logo);
    }
}

void VideoWidget::resizeEvent(QResizeEvent*) { layoutChildren(); }

void VideoWidget::layoutChildren()
{
    const ui::Size client{width(), height()};
    int linkHeight = 0;
    if (linkLabel) {
        const QSize size = linkLabel->size();
        const ui::Point at = ui::linkPosition(client.width, {size.width(), size.height()});
        linkLabel->move(at.x, at.y);
        linkHeight = size.height();
    }
    if (videoSurface) {
        // The surface reaches past the bottom edge, where it is clipped away; clipped here
        // already, since the X server would otherwise let it cover the play bar.
        const QRect wanted = toQRect(ui::surfaceRect(client, linkHeight)).intersected(rect());
        videoSurface->setGeometry(wanted.isEmpty() ? QRect(0, 0, 0, 0) : wanted);
    }
}

void VideoWidget::updateCursor()
{
    const QPoint p = QCursor::pos();
    const int state = playerState(main.playLogic());
    const QRect area(mapToGlobal(QPoint(0, 0)), size());
    const ui::CursorAction action = cursorClock.tick(platform::tickCount(), {p.x(), p.y()},
        state == PlayerState::Playing, isVisible() ? toUiRect(area) : ui::Rect{});
    if (action == ui::CursorAction::Hide)
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    else if (action == ui::CursorAction::Show)
        QGuiApplication::restoreOverrideCursor();
}

void VideoWidget::restoreCursor()
{
    if (cursorClock.cursorHidden) {
        cursorClock.cursorHidden = false;
        QGuiApplication::restoreOverrideCursor();
    }
}

void VideoWidget::destroySurface()
{
    restoreCursor();
    delete videoSurface;
    videoSurface = nullptr;
}

QMenu* VideoWidget::buildContextMenu()
{
    PlayLogic* logic = main.playLogic();
    MediaPlayer* player = logic ? logic->player.load() : nullptr;
    ui::ContextMenuInputs in;
    in.hasPlayer = player != nullptr;
    in.playing = player && player->isPlaying();
    in.state = player ? player->getState() : 0;
    in.playlistCount = logic ? logic->playList.count() : 0;
    in.currentIndex = logic ? logic->playList.currentIndex() : -1;
    in.fullScreen = main.isFullScreenMode();
    const ui::ContextMenuItems items = ui::contextMenuItems(in);

    auto* menu = new QMenu(this);
    for (const MenuRow& row : kMenuRows) {
        if (row.command == 0) {
            menu->addSeparator();
            continue;
        }
        bool shown = true;
        bool enabled = true;
        for (const ui::ContextMenuItem& item : items) {
            if (item.command == row.command) {
                shown = item.shown;
                enabled = item.enabled;
            }
        }
        if (!shown)
            continue;
        QAction* action = menu->addAction(QString::fromLatin1(row.text));
        action->setData(row.command);
        action->setEnabled(enabled);
    }
    return menu;
}

void VideoWidget::showContextMenu()
{
    if (menuOpen)
        return;
    menuOpen = true;
    QMenu* menu = buildContextMenu();
    QAction* chosen = menu->exec(QCursor::pos());
    const int command = chosen ? chosen->data().toInt() : 0;
    delete menu;
    menuOpen = false;
    if (command > 0)
        main.postCommand(command);
}

void VideoWidget::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    showContextMenu();
}

void VideoWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    main.postCommand(ui::fullScreenToggleCommand(main.isFullScreenMode()));
}

} // namespace qtfront
