// An in-process front end: the real main window with the real engine, on the test's display.
#pragma once

#include "QtTestSupport.h"

#include "qt/MainWindow.h"
#include "qt/PlayBarWidget.h"
#include "qt/VideoWidget.h"
#include "qt/WindowSettings.h"

#include "playback/PlayLogic.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>

namespace qttest {

class FrontEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No advertisement library unless a test puts one there.
        ASSERT_TRUE(noAds.isValid());
        start();
    }

    void TearDown() override { window.reset(); }

    void start()
    {
        window = std::make_unique<qtfront::MainWindow>(settings);
        window->setAdvertisementFolder(noAds.path());
        ASSERT_TRUE(window->initInstance());
        ASSERT_TRUE(waitFor([&] { return window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed(); }));
    }

    PlayLogic& logic() { return *window->playLogic(); }
    qtfront::PlayBarWidget& bar() { return *window->playBar(); }
    qtfront::VideoWidget& video() { return *window->videoWidget(); }

    int state()
    {
        MediaPlayer* p = logic().player.load();
        return p ? p->getState() : 0;
    }

    bool waitForTitle(const QString& title, int timeoutMs = 15000)
    {
        return waitFor([&] { return window->windowTitle() == title; }, timeoutMs);
    }

    // Playing and the player's clock has moved (steps are refused at time 0).
    bool waitUntilPlayingOn(int timeoutMs = 15000)
    {
        return waitFor([&] {
            MediaPlayer* p = logic().player.load();
            return p && p->getState() == PlayerState::Playing && p->getTime() > 0;
        }, timeoutMs);
    }

    // What the screen shows over a widget (the engine's video included, unlike QWidget::grab).
    static QImage screenOf(const QWidget& w)
    {
        const QPoint at = w.mapToGlobal(QPoint(0, 0));
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen->grabWindow(0, at.x(), at.y(), w.width(), w.height()).toImage();
    }

    // Share of the pixels that are clearly not black.
    static double litShare(const QImage& image)
    {
        if (image.isNull() || image.width() == 0 || image.height() == 0)
            return 0;
        long long lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qMax(qRed(c), qMax(qGreen(c), qBlue(c))) > 64)
                    ++lit;
            }
        return double(lit) / (double(image.width()) * image.height());
    }

    // Calls handler with the next modal dialog that opens, from inside its own event loop.
    static void onNextModal(std::function<void(QWidget*)> handler)
    {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, handler] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                handler(modal);
            }
        });
        poll->start(20);
    }

    QTemporaryDir noAds;
    qtfront::WindowSettings settings;
    std::unique_ptr<qtfront::MainWindow> window;
};

} // namespace qttest
