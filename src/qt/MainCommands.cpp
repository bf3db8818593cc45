// The main window's commands: the key table, the command table, the About box and the Open
// dialog.
#include "MainWindow.h"

#include "Pictures.h"
#include "PlayBarWidget.h"

#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "shell/logic/Product.h"
#include "shell/logic/WindowTitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qtfront {

namespace {

struct KeyRow {
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

// As the Windows key table: each key with exactly these modifiers.
const KeyRow kKeys[] = {
    {Qt::Key_F, Qt::NoModifier, IDM_FULLSCREEN},
    {Qt::Key_O, Qt::ControlModifier, IDM_OPEN},
    {Qt::Key_Left, Qt::NoModifier, IDM_BACKWARD},
    {Qt::Key_Right, Qt::NoModifier, IDM_FORWARD},
    {Qt::Key_M, Qt::NoModifier, IDM_MUTE},
    {Qt::Key_PageDown, Qt::NoModifier, IDM_NEXT},
    {Qt::Key_Space, Qt::NoModifier, IDM_PLAY},
    {Qt::Key_PageUp, Qt::NoModifier, IDM_PREVIOUS},
    {Qt::Key_Down, Qt::NoModifier, IDM_VOLUME_DOWN},
    {Qt::Key_Up, Qt::NoModifier, IDM_VOLUME_UP},
    {Qt::Key_Escape, Qt::NoModifier, IDM_LEAVE_FULLSCREEN},
};

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

QString text(const wchar_t* value) { return QString::fromWCharArray(value); }

} // namespace

int MainWindow::commandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & kModifierKeys;
    // Alt with the characters "/" and "?": whatever Shift it takes to type them.
    if ((key == Qt::Key_Slash || key == Qt::Key_Question) && (held & ~Qt::ShiftModifier) == Qt::AltModifier)
        return IDM_ABOUT;
    for (const KeyRow& row : kKeys)
        if (row.key == key && row.modifiers == held)
            return row.command;
    return 0;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    // A menu or a dialog of ours has the keys to itself.
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const int command = commandForKey(key->key(), key->modifiers());
    if (command == 0)
        return false;
    onCommand(command);
    return true;
}

void MainWindow::postCommand(int command)
{
    QMetaObject::invokeMethod(this, [this, command] { onCommand(command); }, Qt::QueuedConnection);
}

bool MainWindow::onCommand(int command)
{
    switch (command) {
    case IDM_ABOUT: showAboutBox(); return true;
    case IDM_OPEN: openFileDialog(); return true;
    case IDM_EXIT: QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); return true;
    case IDM_FULLSCREEN: toggleFullScreen(); return true;
    case IDM_LEAVE_FULLSCREEN: leaveFullScreenCommand(); return true;
    case IDM_PLAY: playOrPause(); return true;
    case IDM_PAUSE: if (logic) logic->pause(); return true;
    case IDM_STOP: if (logic) logic->stop(); return true;
    case IDM_CLOSE: closeFile(); return true;
    case IDM_MUTE: if (logic) logic->toggleMute(); return true;
    case IDM_FORWARD: if (logic) logic->seek(+1); return true;
    case IDM_PREVIOUS: if (logic) logic->stepPlaylist(-1); return true;
    case IDM_NEXT: if (logic) logic->stepPlaylist(+1); return true;
    case IDM_BACKWARD: if (logic) logic->seek(-1); return true;
    case IDM_VOLUME_UP: if (logic) logic->stepVolume(+1); return true;
    case IDM_VOLUME_DOWN: if (logic) logic->stepVolume(-1); return true;
    default: return false;
    }
}

void MainWindow::updateBarButtons()
{
    if (bar)
        bar->updateButtons();
}

void MainWindow::toggleFullScreen()
{
    if (fullScreen)
        leaveFullScreen();
    else
        enterFullScreen();
    updateBarButtons();
}

void MainWindow::leaveFullScreenCommand()
{
    leaveFullScreen();
    updateBarButtons();
}

void MainWindow::playOrPause()
{
    if (!logic)
        return;
    if (logic->isPlaying())
        logic->pause();
    else
        logic->play();
}

void MainWindow::closeFile()
{
    if (!logic)
        return;
    MediaPlayer* player = logic->player.load();
    if (player && player->isPlaying())
        logic->stop();
}

void MainWindow::showAboutBox()
{
    // As the Windows About box: the icon, the version line, a notice and OK.
    QDialog box(this);
    box.setWindowTitle(QStringLiteral("About"));
    auto* icon = new QLabel(&box);
    icon->setPixmap(programIcon().pixmap(32, 32));
    auto* version = new QLabel(QString::fromStdWString(aboutText(product::kDisplayName, product::kVersion)), &box);
    version->setObjectName(QStringLiteral("versionText"));
    version->setTextFormat(Qt::PlainText);
    auto* notice = new QLabel(QStringLiteral("Copyright (C) ") + text(product::kMakerName), &box);
    notice->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    auto* grid = new QGridLayout(&box);
    grid->setContentsMargins(20, 20, 20, 14);
    grid->setHorizontalSpacing(14);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(notice, 1, 1);
    grid->addWidget(ok, 2, 1, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    box.exec();
}

void MainWindow::openFileDialog()
{
    QFileDialog dialog(this, QStringLiteral("Select File"), QString(), QStringLiteral("Media Files (*.m2ts)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty() && !files.first().isEmpty())
        loadFile(files.first().toStdWString());
}

} // namespace qtfront
