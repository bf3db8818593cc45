// The video area and the bar driven in-process: the context menu, double-clicks, dropping,
// the Open dialog, the sliders, the cursor's rest and the bar's auto-hide in full screen.
#include "FrontEndFixture.h"

#include "res/resource.h"

#include <QCursor>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <map>

using namespace qttest;

namespace {

// Each shown command of the menu with whether it is enabled; separators and texts apart.
std::map<int, bool> menuState(QMenu& menu)
{
    std::map<int, bool> out;
    for (QAction* a : menu.actions())
        if (!a->isSeparator())
            out[a->data().toInt()] = a->isEnabled();
    return out;
}

} // namespace

TEST_F(FrontEnd, TheContextMenuShowsAndGraysItsItemsForTheState)
{
    std::unique_ptr<QMenu> menu(video().buildContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Open\tCtrl+O"), QStringLiteral("-"), QStringLiteral("Play"),
                         QStringLiteral("Pause\tSpace"), QStringLiteral("Stop"), QStringLiteral("Previous\tPageUp"),
                         QStringLiteral("Next\tPageDown"), QStringLiteral("-"), QStringLiteral("Full Screen\tF"),
                         QStringLiteral("-"), QStringLiteral("E&xit")}));
    // Nothing opened: only Open, Full Screen and Exit can be chosen.
    EXPECT_EQ(menuState(*menu), (std::map<int, bool>{{IDM_OPEN, true}, {IDM_PLAY, false}, {IDM_PAUSE, false},
                                    {IDM_STOP, false}, {IDM_PREVIOUS, false}, {IDM_NEXT, false},
                                    {IDM_FULLSCREEN, true}, {IDM_EXIT, true}}));

    // Playing one file of a folder of several.
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitUntilPlayingOn());
    menu.reset(video().buildContextMenu());
    EXPECT_EQ(menuState(*menu), (std::map<int, bool>{{IDM_OPEN, true}, {IDM_PLAY, false}, {IDM_PAUSE, true},
                                    {IDM_STOP, true}, {IDM_PREVIOUS, true}, {IDM_NEXT, true},
                                    {IDM_FULLSCREEN, true}, {IDM_EXIT, true}}));

    // Paused, in full screen: Play instead of Pause, and Leave Full Screen instead of Full Screen.
    window->onCommand(IDM_PAUSE);
    window->onCommand(IDM_FULLSCREEN);
    menu.reset(video().buildContextMenu());
    EXPECT_EQ(menuState(*menu), (std::map<int, bool>{{IDM_OPEN, true}, {IDM_PLAY, true}, {IDM_PAUSE, false},
                                    {IDM_STOP, true}, {IDM_PREVIOUS, true}, {IDM_NEXT, true},
                                    {IDM_LEAVE_FULLSCREEN, true}, {IDM_EXIT, true}}));
}

TEST_F(FrontEnd, AChosenMenuItemIsCarriedOutAndADismissedMenuDoesNothing)
{
    // Right-click on the video area, choose "Full Screen".
    QTimer::singleShot(100, [] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        for (QAction* a : popup->actions())
            if (a->data().toInt() == IDM_FULLSCREEN)
                popup->setActiveAction(a);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(100, 100), video().mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(&video(), &press);
    EXPECT_TRUE(waitFor([&] { return window->isFullScreenMode(); }, 2000));

    // Escape closes the menu without a command.
    QTimer::singleShot(100, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            QTest::keyClick(popup, Qt::Key_Escape);
    });
    QApplication::sendEvent(&video(), &press);
    pump(300);
    EXPECT_TRUE(window->isFullScreenMode());
}

TEST_F(FrontEnd, ADoubleClickOnTheVideoTogglesFullScreen)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitFor([&] { return video().surface() && video().surface()->isVisible(); }));
    QTest::mouseDClick(&video(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(waitFor([&] { return window->isFullScreenMode(); }, 2000));
    // On the surface the engine draws into as well.
    QTest::mouseDClick(video().surface(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(waitFor([&] { return !window->isFullScreenMode(); }, 2000));
}

TEST_F(FrontEnd, OfSeveralDroppedFilesOnlyTheFirstIsOpened)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(clip(QStringLiteral("clip-3s.m2ts"))),
        QUrl::fromLocalFile(clip(QStringLiteral("clip-2s.m2ts"))),
        QUrl::fromLocalFile(clip(QStringLiteral("sample.m2ts")))});
    const QPointF at(200, 200);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(logic().fileName, std::wstring(L"clip-3s.m2ts"));
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - clip-3s.m2ts")));
}

TEST_F(FrontEnd, CtrlOAsksForAFileWithTheOpenDialogAndPlaysIt)
{
    QString title;
    QStringList filters;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->selectFile(clip(QStringLiteral("clip-2s.m2ts")));
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(title, QStringLiteral("Select File"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Media Files (*.m2ts)")});
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - clip-2s.m2ts")));

    // Cancelled: nothing changes.
    onNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    window->onCommand(IDM_OPEN);
    EXPECT_EQ(logic().fileName, std::wstring(L"clip-2s.m2ts"));
}

TEST_F(FrontEnd, TheButtonsPostTheirCommands)
{
    // The idle bar: Open and Play, Play disabled with nothing to play.
    EXPECT_TRUE(bar().button(IDC_OPEN)->isVisible());
    EXPECT_TRUE(bar().button(IDC_PLAY)->isVisible());
    EXPECT_FALSE(bar().button(IDC_PLAY)->isEnabled());
    EXPECT_FALSE(bar().button(IDC_PREV)->isEnabled());
    EXPECT_EQ(bar().button(IDC_MUTE)->toolTip(), QStringLiteral("Mute On/Off"));
    EXPECT_EQ(bar().button(IDC_OPEN)->toolTip(), QStringLiteral("Open"));

    QTest::mouseClick(bar().button(IDC_FULLSCREEN), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return window->isFullScreenMode(); }, 2000));
    // The button shown in full screen sends the same toggle.
    ASSERT_TRUE(waitFor([&] { return bar().button(IDC_LEAVE_FULLSCREEN)->isVisible(); }, 2000));
    QTest::mouseClick(bar().button(IDC_LEAVE_FULLSCREEN), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return !window->isFullScreenMode(); }, 2000));

    QTest::mouseClick(bar().button(IDC_MUTE), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return logic().muted.load(); }, 2000));
}

TEST_F(FrontEnd, PressingTheSlidersSeeksAndSetsTheVolume)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitUntilPlayingOn());
    ASSERT_TRUE(waitFor([&] { return bar().shownLengthMs() > 15000; }));
    const auto volume = bar().frame(IDC_VOLUME_SLIDER);
    const auto time = bar().frame(IDC_TIME_SLIDER);
    ASSERT_TRUE(volume && time);

    // The volume knob is 16 wide: its centre at left + 34 is the middle of its travel.
    QTest::mouseClick(&bar(), Qt::LeftButton, Qt::NoModifier, QPoint(volume->left + 34, volume->top + 5));
    EXPECT_EQ(logic().volume.load(), 50);
    QTest::mouseClick(&bar(), Qt::LeftButton, Qt::NoModifier, QPoint(volume->left + 8, volume->top + 5));
    EXPECT_EQ(logic().volume.load(), 0);
    EXPECT_EQ(bar().shownVolumeValue(), 0);

    // Dragging the time knob to the middle of the track seeks to the middle of the file.
    const int middle = (time->left + time->right) / 2;
    QTest::mousePress(&bar(), Qt::LeftButton, Qt::NoModifier, QPoint(time->left + 6, time->top + 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(middle, time->top + 5), bar().mapToGlobal(QPointF(middle, time->top + 5)),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar(), &move);
    QTest::mouseRelease(&bar(), Qt::LeftButton, Qt::NoModifier, QPoint(middle, time->top + 5));
    const std::int64_t length = bar().shownLengthMs();
    EXPECT_TRUE(waitFor([&] {
        const std::int64_t t = logic().player.load()->getTime();
        return t > length * 4 / 10 && t < length * 7 / 10;
    }, 5000)) << logic().player.load()->getTime() << " of " << length;
    // A press on the time text above the track starts nothing.
    const std::int64_t before = logic().player.load()->getTime();
    QTest::mouseClick(&bar(), Qt::LeftButton, Qt::NoModifier, QPoint(time->left + 6, 2));
    EXPECT_EQ(bar().dragging(), 0);
    EXPECT_LT(std::llabs(logic().player.load()->getTime() - before), 3000);
}

TEST_F(FrontEnd, TheCursorHidesAfterRestingOverThePlayingVideoAndComesBackWhenMoved)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitUntilPlayingOn());
    const QPoint inside = video().mapToGlobal(QPoint(200, 200));
    QCursor::setPos(inside);
    EXPECT_TRUE(waitFor([&] { return QCursor::pos() == inside; }, 2000));
    pump(4000);
    EXPECT_FALSE(video().isCursorHidden());
    EXPECT_TRUE(waitFor([&] { return video().isCursorHidden(); }, 3000));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    QCursor::setPos(inside + QPoint(6, 0));
    EXPECT_TRUE(waitFor([&] { return !video().isCursorHidden(); }, 1000));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FrontEnd, InFullScreenTheBarHidesAfterRestAndComesBackOnMovement)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->onCommand(IDM_FULLSCREEN);
    ASSERT_TRUE(waitFor([&] { return window->geometry() == screen; }));
    const QPoint rest = screen.center();
    QCursor::setPos(rest);
    // Laid out again with the cursor where it rests, so the 5 s start now.
    window->layoutWindows();
    pump(4000);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_TRUE(waitFor([&] { return bar().isHidden(); }, 3000));
    // The video takes the whole screen.
    EXPECT_TRUE(waitFor([&] { return video().geometry() == QRect(QPoint(0, 0), screen.size()); }, 1000));
    QCursor::setPos(rest + QPoint(0, 5));
    EXPECT_TRUE(waitFor([&] { return bar().isVisible(); }, 1000));
    EXPECT_TRUE(waitFor([&] { return video().height() == screen.height() - 36; }, 1000));
    // Windowed, the clock is off.
    window->onCommand(IDM_FULLSCREEN);
    EXPECT_FALSE(bar().autoHideClock().armed());
}
