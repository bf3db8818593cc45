// The bar's structure: pictures, buttons and their states, layout and auto-hide.
#include "PlayBarWidget.h"

#include "MainWindow.h"
#include "Pictures.h"

#include "platform/Platform.h"
#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "ui/playbar/logic/BarControls.h"

#include <QCursor>
#include <QPainter>

namespace qtfront {

namespace {

bool isSlider(int id) { return id == IDC_TIME_SLIDER || id == IDC_VOLUME_SLIDER; }

playbar::Point cursorPoint()
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

} // namespace

// --- the buttons ---

BarButton::BarButton(int controlId, const QImage& image, QWidget* parent)
    : QAbstractButton(parent), id(controlId), image(image)
{
    // Keys belong to the main window's key table, never to a focused button.
    setFocusPolicy(Qt::NoFocus);
    resize(image.size());
}

void BarButton::paintEvent(QPaintEvent*)
{
    // The bar's own background shows through around the picture.
    QPainter painter(this);
    const int offset = isDown() ? 1 : 0;
    painter.drawImage(QPoint(offset, offset), image);
}

// --- the bar ---

PlayBarWidget::PlayBarWidget(MainWindow& main, QWidget* parent) : QWidget(parent), main(main)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const playbar::BarControl& row : playbar::barControls) {
        const QImage image = loadPicture(row.imageName);
        if (image.isNull())
            continue;
        images[row.id] = image;
        if (isSlider(row.id))
            continue;
        auto* b = new BarButton(row.id, image, this);
        if (row.tooltip && *row.tooltip)
            b->setToolTip(QString::fromWCharArray(row.tooltip));
        const int id = row.id;
        connect(b, &QAbstractButton::clicked, this, [this, id] {
            if (const auto command = playbar::commandFor(id))
                this->main.postCommand(*command);
        });
        buttons[row.id] = b;
    }
    backgroundImage = loadPicture(L"IDB_BAR_BKG");
    volumeBallImage = loadPicture(L"IDB_VOLUME_BALL");
    timeFillImage = loadPicture(L"IDB_TIME_FORG");
    timeBallImage = loadPicture(L"IDB_TIME_BALL");
    // The message font at a character height of 11 pixels.
    timeFont = font();
    timeFont.setPixelSize(11);
}

int PlayBarWidget::barHeight() const
{
    std::optional<playbar::Size> background;
    if (!backgroundImage.isNull())
        background = playbar::Size{backgroundImage.width(), backgroundImage.height()};
    return playbar::barHeight(true, background);
}

BarButton* PlayBarWidget::button(int controlId) const
{
    const auto it = buttons.find(controlId);
    return it == buttons.end() ? nullptr : it->second;
}

std::optional<playbar::Rect> PlayBarWidget::frame(int controlId) const
{
    const auto it = frames.find(controlId);
    if (it == frames.end())
        return std::nullopt;
    return it->second;
}

void PlayBarWidget::resizeEvent(QResizeEvent*) { layoutControls(); }

void PlayBarWidget::layoutControls()
{
    playbar::ControlSizes sizes;
    for (const auto& [id, image] : images)
        sizes[id] = {image.width(), image.height()};
    for (const playbar::PlacedControl& placed : playbar::layoutBar(width(), barHeight(), sizes)) {
        if (isSlider(placed.id))
            frames[placed.id] = placed.rect;
        else if (BarButton* b = button(placed.id))
            b->setGeometry(placed.rect.left, placed.rect.top, placed.rect.width(), placed.rect.height());
    }
    update();
}

void PlayBarWidget::updateButtons()
{
    PlayLogic* logic = main.playLogic();
    MediaPlayer* player = logic ? logic->player.load() : nullptr;
    const int state = player ? player->getState() : 0;
    const playbar::ButtonPlan plan = playbar::planButtons(state, logic && logic->canStep(),
        logic && logic->hasFiles(), main.isFullScreenMode());
    for (const playbar::ButtonChange& change : plan.changes) {
        if (BarButton* b = button(change.id)) {
            b->setEnabled(change.enable);
            b->setVisible(change.show);
        }
    }
    // Shown again at the next redraw of the time slider.
    if (plan.clearShownTime)
        shownTime = 0;
}

void PlayBarWidget::resetAfterStop()
{
    dragControl = 0;
    playbar::resetAutoHideAfterStop(clock, main.isFullScreenMode(), platform::tickCount(), cursorPoint());
    shownLength = 0;
    updateTime();
}

void PlayBarWidget::startAutoHide() { playbar::startAutoHide(clock, platform::tickCount(), cursorPoint()); }

void PlayBarWidget::stopAutoHide() { playbar::stopAutoHide(clock); }

void PlayBarWidget::autoHideTick()
{
    if (!clock.armed())
        return;
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    const playbar::Rect area = playbar::rectAt(topLeft.x(), topLeft.y(), width(), height());
    const playbar::AutoHideAction action =
        playbar::autoHideTick(clock, platform::tickCount(), cursorPoint(), area, !isHidden());
    if (action == playbar::AutoHideAction::Hide) {
        hide();
        main.postLayout();
    } else if (action == playbar::AutoHideAction::Show) {
        show();
        main.postLayout();
    }
}

} // namespace qtfront
