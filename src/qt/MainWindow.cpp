// The main window's life: start, timer, title, files, engine events and the close path.
#include "MainWindow.h"

#include "AdvertisementCall.h"
#include "Pictures.h"
#include "PlayBarWidget.h"
#include "QtPlaybackView.h"
#include "VideoWidget.h"

#include "libads/libads.h"
#include "platform/Platform.h"
#include "playback/PlayLogic.h"
#include "shell/logic/MainLayout.h"
#include "shell/logic/Product.h"
#include "shell/logic/WindowTitle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>

namespace qtfront {

namespace {

constexpr int kTimerPeriodMs = 260;

QString text(const wchar_t* value) { return QString::fromWCharArray(value); }

} // namespace

MainWindow::MainWindow(WindowSettings& settings) : settings(settings)
{
    setWindowTitle(text(product::kTitleAtCreation));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    timer.setInterval(kTimerPeriodMs);
    connect(&timer, &QTimer::timeout, this, &MainWindow::timerTick);
    advertisementFolder = QCoreApplication::applicationDirPath();
    // Keys reach the key table whichever of this window's widgets has the focus.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    if (!tornDown) {
        if (logic)
            logic->stop();
        destroyObjects();
    }
}

unsigned long MainWindow::nativeId() const { return static_cast<unsigned long>(winId()); }

bool MainWindow::initInstance()
{
    view = std::make_unique<QtPlaybackView>(*this);
    logic = new PlayLogic(*view);
    PlayLogic::setActive(logic);
    if (!createChildren())
        return false;
    bar->updateVolume();
    timer.start();

    if (settings.placementValid) {
        applyPlacement();
    } else {
        // The first size already, so that the window does not appear at another size first;
        // the first layout below centres it with its frame.
        const layout::Size first = layout::firstClientSize(bar->barHeight());
        resize(first.width, first.height);
    }
    show();
    bar->updateButtons();
    layoutReady = true;
    layoutWindows();
    return true;
}

bool MainWindow::createChildren()
{
    video = new VideoWidget(*this, this);
    bar = new PlayBarWidget(*this, this);
    return video && bar;
}

void MainWindow::timerTick()
{
    updateTitle();
    if (video)
        video->updateCursor();
    if (logic)
        logic->timerProc();
    if (bar)
        bar->autoHideTick();
}

void MainWindow::updateTitle()
{
    int state = 0;
    std::wstring fileName;
    if (logic) {
        if (MediaPlayer* player = logic->player.load())
            state = player->getState();
        fileName = logic->fileName;
    }
    setWindowTitle(QString::fromStdWString(::windowTitle(product::kDisplayName, state, fileName)));
}

void MainWindow::applyEngineEvent(int type)
{
    if (logic && !tornDown)
        logic->applyEvent(type);
}

void MainWindow::reportUnplayable()
{
    if (unplayablePosted)
        return;
    unplayablePosted = true;
    // Not from inside the timer tick that noticed it.
    QTimer::singleShot(0, this, [this] {
        unplayablePosted = false;
        if (!tornDown)
            showCouldNotLoad();
    });
}

void MainWindow::showCouldNotLoad()
{
    QMessageBox box(QMessageBox::Critical, text(product::kDisplayName), text(product::kCouldNotLoad),
        QMessageBox::Ok, this);
    box.exec();
}

bool MainWindow::loadFile(const std::wstring& path)
{
    if (!logic)
        return false;
    logic->stop();
    if (logic->playList.isSupported(path) && logic->open(path)) {
        logic->play();
        logic->playList.build(path);
        return true;
    }
    showCouldNotLoad();
    return false;
}

void MainWindow::onNewFile(const std::wstring& path)
{
    if (tornDown || !platform::canOpenForReading(path))
        return;
    if (!loadFile(path))
        return;
    raise();
    activateWindow();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    if (!isMinimized())
        layoutWindows();
    capturePlacement();
}

void MainWindow::moveEvent(QMoveEvent*) { capturePlacement(); }

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        capturePlacement();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (tornDown) {
        event->accept();
        return;
    }
    // The advertisement may run an event loop of its own; a second close meanwhile is ignored.
    if (closing) {
        event->ignore();
        return;
    }
    closing = true;
    if (callAdvertisement(advertisementFolder, nativeId()) == kLibadsKeepOpen) {
        closing = false;
        event->ignore();
        return;
    }
    capturePlacement();
    hide();
    if (logic)
        logic->stop();
    destroyObjects();
    event->accept();
}

void MainWindow::destroyObjects()
{
    timer.stop();
    // The engine goes first: once it is released no event can reach the widgets below.
    if (logic) {
        logic->destroyMediaPlayer();
        PlayLogic::setActive(nullptr);
        delete logic;
        logic = nullptr;
    }
    if (video) {
        video->destroySurface();
        delete video;
        video = nullptr;
    }
    delete bar;
    bar = nullptr;
    tornDown = true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    // Only the first file; the others are ignored.
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    const QString path = urls.first().toLocalFile();
    if (!path.isEmpty())
        loadFile(path.toStdWString());
}

} // namespace qtfront
