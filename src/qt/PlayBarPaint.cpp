// The bar's drawing: background, the two sliders and the time read-out; the updates of time
// and volume, and dragging on the sliders.
#include "PlayBarWidget.h"

#include "MainWindow.h"

#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "ui/playbar/logic/TimeText.h"

#include <QMouseEvent>
#include <QPainter>

namespace qtfront {

namespace {

MediaPlayer* currentPlayer(const MainWindow& main)
{
    PlayLogic* logic = main.playLogic();
    return logic ? logic->player.load() : nullptr;
}

} // namespace

void PlayBarWidget::drawTiled(QPainter& painter, const QImage& image, int x, int y, int width) const
{
    if (image.isNull())
        return;
    for (const playbar::Tile& tile : playbar::tilePlan(width, image.width()))
        painter.drawImage(QRect(x + tile.x, y, tile.width, image.height()), image);
}

void PlayBarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(28, 28, 28));
    if (width() != 0)
        drawTiled(painter, backgroundImage, 0, 0, width());
    drawVolumeSlider(painter);
    drawTimeSlider(painter);
}

void PlayBarWidget::drawVolumeSlider(QPainter& painter) const
{
    const auto it = images.find(IDC_VOLUME_SLIDER);
    const auto r = frame(IDC_VOLUME_SLIDER);
    if (it == images.end() || !r)
        return;
    const QImage& track = it->second;
    painter.drawImage(QPoint(r->left, r->top), track);
    if (!volumeBallImage.isNull()) {
        const int x = playbar::volumeKnobX(r->left, shownVolume, track.width(), volumeBallImage.width());
        const int y = playbar::knobTop(r->top, r->bottom, volumeBallImage.height());
        painter.drawImage(QPoint(x, y), volumeBallImage);
    }
}

void PlayBarWidget::drawTimeSlider(QPainter& painter) const
{
    const auto it = images.find(IDC_TIME_SLIDER);
    const auto r = frame(IDC_TIME_SLIDER);
    if (it == images.end() || !r)
        return;
    const int kw = timeBallImage.isNull() ? 0 : timeBallImage.width();
    const int tw = r->width();
    const int fill = playbar::timeFill(shownTime, shownLength, tw, kw);
    if (tw != 0)
        drawTiled(painter, it->second, r->left, r->top, tw);
    // The played part ends where the knob begins.
    if (fill != 0)
        drawTiled(painter, timeFillImage, r->left, r->top, fill);
    if (!timeBallImage.isNull())
        painter.drawImage(QPoint(r->left + fill, playbar::knobTop(r->top, r->bottom, timeBallImage.height())),
            timeBallImage);

    MediaPlayer* player = currentPlayer(main);
    const int kind = player ? static_cast<int>(player->kind()) : 1;
    const QString text = QString::fromStdWString(playbar::timeText(shownLength, shownTime, kind));
    painter.setFont(timeFont);
    painter.setPen(QColor(32, 32, 32));
    painter.drawText(QRect(r->left, 0, r->width(), r->top), Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
        text);
}

QRect PlayBarWidget::column(int controlId) const
{
    const auto r = frame(controlId);
    return r ? QRect(r->left, 0, r->width(), height()) : QRect();
}

void PlayBarWidget::repaintSlider(int controlId)
{
    const QRect area = column(controlId);
    if (!area.isEmpty())
        update(area);
}

void PlayBarWidget::updateTime()
{
    if (MediaPlayer* player = currentPlayer(main)) {
        const int state = player->getState();
        if (state == PlayerState::Playing || state == PlayerState::Paused) {
            shownTime = player->getTime();
            shownLength = player->getLength();
        }
    }
    if (shownTime > shownLength)
        shownTime = shownLength;
    if (shownTime < 0)
        shownTime = 0;
    repaintSlider(IDC_TIME_SLIDER);
    updateVolume();
}

void PlayBarWidget::updateVolume()
{
    PlayLogic* logic = main.playLogic();
    const int v = !logic ? shownVolume : (logic->muted.load() ? 0 : logic->volume.load());
    if (v == shownVolume)
        return;
    shownVolume = v;
    repaintSlider(IDC_VOLUME_SLIDER);
}

void PlayBarWidget::mousePressEvent(QMouseEvent* event)
{
    dragControl = 0;
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint p = event->position().toPoint();
    dragControl = playbar::dragTargetAt({p.x(), p.y()}, frame(IDC_TIME_SLIDER), frame(IDC_VOLUME_SLIDER));
    if (dragControl != 0)
        dragTo(p.x());
}

void PlayBarWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (dragControl != 0 && (event->buttons() & Qt::LeftButton))
        dragTo(event->position().toPoint().x());
}

void PlayBarWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragControl = 0;
}

void PlayBarWidget::dragTo(int x)
{
    const int id = dragControl;
    const auto r = frame(id);
    if (!r)
        return;
    const int knob = id == IDC_TIME_SLIDER ? timeBallImage.width() : volumeBallImage.width();
    const auto ratio = playbar::dragRatio(x, *r, knob);
    // A frame that leaves the knob no room gives no position: nothing is sent.
    if (!ratio)
        return;
    if (id == IDC_TIME_SLIDER) {
        // Straight to the player, as the drag goes; the time events that follow redraw again.
        if (MediaPlayer* player = currentPlayer(main))
            if (const auto target = playbar::seekTarget(*ratio, shownLength))
                player->setTime(*target);
        updateTime();
    } else if (PlayLogic* logic = main.playLogic()) {
        logic->setVolume(playbar::volumeForRatio(*ratio));
    }
}

} // namespace qtfront
