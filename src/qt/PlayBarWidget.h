// The play bar beneath the video: image buttons, the time slider with its read-out and the
// volume slider, all drawn by the bar from the program's PNG pictures. Its geometry, button
// states, slider arithmetic and auto-hide come from the play bar's window-free logic; this
// class gathers the inputs and applies the results. Every call runs on the user-interface
// thread (engine events arrive here queued).
#pragma once

#include "ui/playbar/logic/AutoHideClock.h"
#include "ui/playbar/logic/BarGeometry.h"

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>

namespace qtfront {

class MainWindow;

// An image button: the picture at its natural size over the bar's background, shifted one
// pixel right and down while pressed. No hover, disabled or focus look.
class BarButton : public QAbstractButton {
    Q_OBJECT
public:
    BarButton(int controlId, const QImage& image, QWidget* parent);
    int controlId() const { return id; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int id;
    QImage image;
};

class PlayBarWidget : public QWidget {
    Q_OBJECT
public:
    PlayBarWidget(MainWindow& main, QWidget* parent);

    // 0 without the bar, 27 without a background picture, otherwise the picture's height.
    int barHeight() const;

    // Which buttons are shown and enabled, from the player's state, the playlist and the mode.
    void updateButtons();
    // The time slider and its text from the player (while it plays or is paused).
    void updateTime();
    // The volume slider from the play logic's volume and mute.
    void updateVolume();
    // After a stop: no drag, the auto-hide clock off (or started over in full screen), no length.
    void resetAfterStop();

    void startAutoHide();
    void stopAutoHide();
    // Every timer tick: in full screen, hides the bar after the cursor rested outside it and
    // shows it again when the cursor moves; the main window then lays out again.
    void autoHideTick();

    BarButton* button(int controlId) const;
    // A slider frame (IDC_TIME_SLIDER, IDC_VOLUME_SLIDER) in the bar's coordinates.
    std::optional<playbar::Rect> frame(int controlId) const;
    std::int64_t shownTimeMs() const { return shownTime; }
    std::int64_t shownLengthMs() const { return shownLength; }
    int shownVolumeValue() const { return shownVolume; }
    const playbar::AutoHideClock& autoHideClock() const { return clock; }
    int dragging() const { return dragControl; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutControls();
    void dragTo(int x);
    void drawTiled(QPainter& painter, const QImage& image, int x, int y, int width) const;
    void drawTimeSlider(QPainter& painter) const;
    void drawVolumeSlider(QPainter& painter) const;
    void repaintSlider(int controlId);
    QRect column(int controlId) const;

    MainWindow& main;
    std::map<int, QImage> images;     // the picture of each control that has one
    std::map<int, BarButton*> buttons;
    QImage backgroundImage;
    QImage volumeBallImage;
    QImage timeFillImage;
    QImage timeBallImage;
    std::map<int, playbar::Rect> frames;
    QFont timeFont;
    int shownVolume = 100;
    std::int64_t shownTime = 0;
    std::int64_t shownLength = 0;
    int dragControl = 0;
    playbar::AutoHideClock clock;
};

} // namespace qtfront
