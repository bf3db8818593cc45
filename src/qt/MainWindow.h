// The main window of the Linux front end: the video area above the play bar, the one 260 ms
// timer, the commands, the layout and full screen, and the close path. It owns the play logic
// and is the one place the other widgets reach each other through.
#pragma once

#include "WindowSettings.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

class PlayLogic;

namespace qtfront {

class PlayBarWidget;
class QtPlaybackView;
class VideoWidget;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // settings: the stored placement, applied at start and refreshed while windowed.
    explicit MainWindow(WindowSettings& settings);
    ~MainWindow() override;

    // Creates the play logic and the children, starts the timer, applies the stored placement,
    // shows the window and lays it out. False when something could not be made.
    bool initInstance();

    // Stops, checks and opens a media file, and starts it; otherwise tells the user.
    bool loadFile(const std::wstring& path);
    // A file handed over by a second instance: opened when it can be read; a window that
    // opened it comes to the front.
    void onNewFile(const std::wstring& path);

    // The command table (command identifiers of res/resource.h); false for an unknown one.
    bool onCommand(int command);
    // Queues a command for the event loop, as a posted message would.
    void postCommand(int command);
    // The key table: the command of a key press, or 0.
    static int commandForKey(int key, Qt::KeyboardModifiers modifiers);

    void layoutWindows();
    void enterFullScreen();
    void leaveFullScreen();
    // Lays out again later from the event loop (the bar's auto-hide asks for it).
    void postLayout();

    // One tick of the 260 ms timer: title, cursor, play logic, the bar's auto-hide.
    void timerTick();
    void updateTitle();

    // The engine event, now on this thread.
    void applyEngineEvent(int type);
    // A file the engine could not play; told once, from the event loop.
    void reportUnplayable();

    // Where libads.so is looked for (the program's own folder unless set).
    void setAdvertisementFolder(const QString& folder) { advertisementFolder = folder; }

    PlayLogic* playLogic() const { return logic; }
    VideoWidget* videoWidget() const { return video; }
    PlayBarWidget* playBar() const { return bar; }
    bool isFullScreenMode() const { return fullScreen; }
    bool isTornDown() const { return tornDown; }
    const QTimer& mainTimer() const { return timer; }
    // The X11 window id of the main window.
    unsigned long nativeId() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool createChildren();
    void capturePlacement();
    void applyPlacement();
    void destroyObjects();
    void showAboutBox();
    void openFileDialog();
    void closeFile();
    void showCouldNotLoad();
    void updateBarButtons();
    void toggleFullScreen();
    void leaveFullScreenCommand();
    void playOrPause();
    void setMinimumForBar(int reserved);

    WindowSettings& settings;
    std::unique_ptr<QtPlaybackView> view;
    PlayLogic* logic = nullptr;         // owned
    VideoWidget* video = nullptr;       // child widget
    PlayBarWidget* bar = nullptr;       // child widget
    QTimer timer;
    QString advertisementFolder;
    bool fullScreen = false;
    bool layoutReady = false;
    bool firstLayoutDone = false;
    bool layingOut = false;
    bool layoutPosted = false;
    bool closing = false;
    bool tornDown = false;
    bool unplayablePosted = false;
};

} // namespace qtfront
