// The main window driven in-process: first size, title, real video, full screen, keys,
// the playlist, the minimum size and the message for a file that cannot be played.
#include "FrontEndFixture.h"

#include "res/resource.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <vlc/vlc.h>

#include <thread>

using namespace qttest;

namespace {

QRect centredIn(const QRect& area, QSize size)
{
    return QRect(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
        size.width(), size.height());
}

} // namespace

TEST_F(FrontEnd, StartsWithoutFileAtItsFirstSizeCentredAndNamedMediaPlayer)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Media Player"));
    EXPECT_EQ(window->size(), QSize(672, 420 + 36));
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry(), centredIn(work, window->frameGeometry().size()));
    EXPECT_EQ(video().geometry(), QRect(0, 0, 672, 420));
    EXPECT_EQ(bar().geometry(), QRect(0, 420, 672, 36));
    // The logo in the middle of the black area, the link at the top right.
    EXPECT_EQ(video().logoArea(), QRect(178, 132, 316, 155));
    EXPECT_EQ(video().link()->geometry().topRight(), QPoint(672 - 5 - 1, 5));
    EXPECT_EQ(video().link()->text(), QStringLiteral("Powered by Kadrowin"));
    // The first tick names the window after the product.
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine"), 1000));
    EXPECT_EQ(window->mainTimer().interval(), 260);
}

TEST_F(FrontEnd, OpensAClipAndShowsItsRealVideo)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("clip-3s.m2ts"))));
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - clip-3s.m2ts")));
    ASSERT_TRUE(waitFor([&] { return video().surface() && video().surface()->isVisible(); }));
    // The engine draws into the surface: the screen over the video area is no longer black.
    EXPECT_TRUE(waitFor([&] { return litShare(screenOf(*video().surface())) > 0.3; }))
        << "lit share " << litShare(screenOf(*video().surface()));
    EXPECT_TRUE(video().logoArea().isEmpty());
    // Playing: Stop and Pause instead of Open and Play.
    EXPECT_TRUE(waitFor([&] { return bar().button(IDC_STOP)->isVisible() && bar().button(IDC_PAUSE)->isVisible(); }));
    EXPECT_FALSE(bar().button(IDC_OPEN)->isVisible());
    EXPECT_FALSE(bar().button(IDC_PLAY)->isVisible());
    EXPECT_TRUE(waitFor([&] { return bar().shownLengthMs() > 2500 && bar().shownTimeMs() > 0; }));
}

TEST_F(FrontEnd, TheTitleNamesTheFileWhilePausedAndOnlyTheProductAfterStop)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitUntilPlayingOn());
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(state(), PlayerState::Paused);
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - sample.m2ts"), 1000));
    EXPECT_TRUE(waitFor([&] { return bar().button(IDC_PLAY)->isVisible() && bar().button(IDC_STOP)->isVisible(); }));
    // Space again resumes.
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_TRUE(waitFor([&] { return state() == PlayerState::Playing; }));
    window->onCommand(IDM_STOP);
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine"), 1000));
    EXPECT_TRUE(waitFor([&] { return bar().button(IDC_OPEN)->isVisible() && bar().button(IDC_PLAY)->isVisible(); }));
    EXPECT_EQ(bar().shownLengthMs(), 0);
}

TEST_F(FrontEnd, FAndEscapeSwitchFullScreenBothWays)
{
    const QRect windowed = window->geometry();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    QTest::keyClick(window.get(), Qt::Key_F);
    EXPECT_TRUE(window->isFullScreenMode());
    EXPECT_TRUE(waitFor([&] { return window->geometry() == screen; })) << "at " << window->geometry().x();
    EXPECT_TRUE(waitFor([&] { return bar().geometry() == QRect(0, screen.height() - 36, screen.width(), 36); }));
    EXPECT_TRUE(bar().button(IDC_LEAVE_FULLSCREEN)->isVisible());
    EXPECT_FALSE(bar().button(IDC_FULLSCREEN)->isVisible());

    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreenMode());
    EXPECT_TRUE(waitFor([&] { return window->geometry() == windowed; }));
    EXPECT_TRUE(bar().button(IDC_FULLSCREEN)->isVisible());
    EXPECT_FALSE(bar().button(IDC_LEAVE_FULLSCREEN)->isVisible());
    // The stored placement is the windowed one.
    EXPECT_EQ(settings.placement.normal, windowed);

    // Esc when windowed and F with a modifier do nothing.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ShiftModifier);
    EXPECT_FALSE(window->isFullScreenMode());
    // F toggles back as well.
    QTest::keyClick(window.get(), Qt::Key_F);
    EXPECT_TRUE(window->isFullScreenMode());
    QTest::keyClick(window.get(), Qt::Key_F);
    EXPECT_FALSE(window->isFullScreenMode());
}

TEST_F(FrontEnd, KeysReachTheKeyTableWhicheverWidgetHasTheFocus)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int command;
    };
    const Case cases[] = {
        {Qt::Key_F, Qt::NoModifier, IDM_FULLSCREEN},
        {Qt::Key_O, Qt::ControlModifier, IDM_OPEN},
        {Qt::Key_Left, Qt::NoModifier, IDM_BACKWARD},
        {Qt::Key_Right, Qt::KeypadModifier, IDM_FORWARD},
        {Qt::Key_M, Qt::NoModifier, IDM_MUTE},
        {Qt::Key_PageDown, Qt::NoModifier, IDM_NEXT},
        {Qt::Key_PageUp, Qt::NoModifier, IDM_PREVIOUS},
        {Qt::Key_Space, Qt::NoModifier, IDM_PLAY},
        {Qt::Key_Up, Qt::NoModifier, IDM_VOLUME_UP},
        {Qt::Key_Down, Qt::NoModifier, IDM_VOLUME_DOWN},
        {Qt::Key_Escape, Qt::NoModifier, IDM_LEAVE_FULLSCREEN},
        {Qt::Key_Slash, Qt::AltModifier, IDM_ABOUT},
        {Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, IDM_ABOUT},
        {Qt::Key_O, Qt::NoModifier, 0},
        {Qt::Key_F, Qt::ControlModifier, 0},
        {Qt::Key_Slash, Qt::NoModifier, 0},
        {Qt::Key_Space, Qt::ShiftModifier, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtfront::MainWindow::commandForKey(c.key, c.modifiers), c.command) << "key " << c.key;

    // Delivered to a child widget, the key still acts: Up raises the volume by 10 from 50.
    logic().setVolume(50);
    QTest::keyClick(&video(), Qt::Key_Up);
    EXPECT_EQ(logic().volume.load(), 60);
    QTest::keyClick(bar().button(IDC_PLAY), Qt::Key_Down);
    EXPECT_EQ(logic().volume.load(), 50);
    // M mutes: the volume slider shows 0; M again shows the volume.
    QTest::keyClick(window.get(), Qt::Key_M);
    EXPECT_TRUE(logic().muted.load());
    EXPECT_EQ(bar().shownVolumeValue(), 0);
    QTest::keyClick(window.get(), Qt::Key_M);
    EXPECT_EQ(bar().shownVolumeValue(), 50);
}

TEST_F(FrontEnd, AltSlashAndAltQuestionMarkOpenTheAboutBox)
{
    using Key = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    for (const Key& key : {Key{Qt::Key_Slash, Qt::AltModifier}, Key{Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier}}) {
        QString title, text;
        onNextModal([&](QWidget* modal) {
            title = modal->windowTitle();
            if (auto* line = modal->findChild<QLabel*>(QStringLiteral("versionText")))
                text = line->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::keyClick(window.get(), key.first, key.second);
        EXPECT_EQ(title, QStringLiteral("About"));
        EXPECT_EQ(text, QStringLiteral("Vesperine, Version 1.0"));
    }
}

TEST_F(FrontEnd, AFileThatCannotBePlayedIsReportedAndNothingPlays)
{
    QTemporaryDir dir;
    const QString notMedia = QDir(dir.path()).filePath(QStringLiteral("notes.txt"));
    QFile f(notMedia);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a clip");
    f.close();

    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    EXPECT_FALSE(window->loadFile(notMedia.toStdWString()));
    EXPECT_EQ(caption, QStringLiteral("Vesperine"));
    EXPECT_EQ(text, QStringLiteral("Could not load the file"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(state(), 0);
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine"), 1000));
}

TEST_F(FrontEnd, NextAndPreviousStepThroughTheFolderAndWrapAround)
{
    QTemporaryDir dir;
    for (const char* name : {"a.m2ts", "b.m2ts", "c.m2ts"})
        ASSERT_TRUE(QFile::copy(clip(QStringLiteral("sample.m2ts")), QDir(dir.path()).filePath(QLatin1String(name))));
    ASSERT_TRUE(window->loadFile(QDir(dir.path()).filePath(QStringLiteral("b.m2ts")).toStdWString()));
    ASSERT_EQ(logic().playList.count(), 3);

    struct Step {
        Qt::Key key;
        const char* expected;
    };
    for (const Step& step : {Step{Qt::Key_PageDown, "c.m2ts"}, Step{Qt::Key_PageDown, "a.m2ts"},
             Step{Qt::Key_PageUp, "c.m2ts"}, Step{Qt::Key_PageUp, "b.m2ts"}}) {
        ASSERT_TRUE(waitUntilPlayingOn());
        QTest::keyClick(window.get(), step.key);
        EXPECT_EQ(logic().fileName, QString::fromLatin1(step.expected).toStdWString());
        EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - ") + QLatin1String(step.expected)));
    }
    // With several files of which one is current, Prev and Next are enabled.
    EXPECT_TRUE(bar().button(IDC_PREV)->isEnabled());
    EXPECT_TRUE(bar().button(IDC_NEXT)->isEnabled());
}

TEST_F(FrontEnd, AtTheEndOfAFileTheNextOneOfTheFolderPlays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(clip(QStringLiteral("clip-2s.m2ts")), QDir(dir.path()).filePath(QStringLiteral("1.m2ts"))));
    ASSERT_TRUE(QFile::copy(clip(QStringLiteral("clip-3s.m2ts")), QDir(dir.path()).filePath(QStringLiteral("2.m2ts"))));
    ASSERT_TRUE(window->loadFile(QDir(dir.path()).filePath(QStringLiteral("1.m2ts")).toStdWString()));
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine - 2.m2ts"), 20000));
    // The last file ends and nothing follows.
    EXPECT_TRUE(waitFor([&] { return state() != PlayerState::Playing; }, 20000));
    EXPECT_TRUE(waitForTitle(QStringLiteral("Vesperine"), 2000));
    EXPECT_EQ(logic().fileName, std::wstring(L"2.m2ts"));
}

TEST_F(FrontEnd, TheBarAtTheMinimumWidthIsPlacedAsTheLogicSays)
{
    window->resize(300, 200);
    ASSERT_TRUE(waitFor([&] { return window->size() == QSize(480, 336); })) << window->width() << "x" << window->height();
    ASSERT_TRUE(waitFor([&] { return bar().width() == 480; }));
    const auto time = bar().frame(IDC_TIME_SLIDER);
    const auto volume = bar().frame(IDC_VOLUME_SLIDER);
    ASSERT_TRUE(time && volume);
    EXPECT_EQ(QRect(time->left, time->top, time->width(), time->height()), QRect(149, 16, 199, 12));
    EXPECT_EQ(QRect(volume->left, volume->top, volume->width(), volume->height()), QRect(349, 15, 68, 12));
    struct Case {
        int id;
        QRect rect;
    };
    for (const Case& c : {Case{IDC_OPEN, {1, 2, 36, 32}}, Case{IDC_STOP, {1, 2, 36, 32}},
             Case{IDC_PLAY, {38, 2, 36, 32}}, Case{IDC_PAUSE, {38, 2, 36, 32}}, Case{IDC_PREV, {75, 2, 36, 32}},
             Case{IDC_NEXT, {112, 2, 36, 32}}, Case{IDC_MUTE, {418, 9, 28, 24}},
             Case{IDC_FULLSCREEN, {447, 5, 32, 26}}, Case{IDC_LEAVE_FULLSCREEN, {447, 5, 32, 26}}})
        EXPECT_EQ(bar().button(c.id)->geometry(), c.rect) << "control " << c.id;
    EXPECT_EQ(video().geometry(), QRect(0, 0, 480, 300));
}

TEST_F(FrontEnd, EngineEventsAreAppliedOnTheUserInterfaceThreadWithoutWaitingForIt)
{
    // Idle: Open and Play are the buttons to show. Hide Play, then let an engine thread report
    // a stop while this thread runs no events at all.
    bar().button(IDC_PLAY)->hide();
    libvlc_event_t event = {};
    event.type = libvlc_MediaPlayerStopped;
    std::thread engine([&] { PlayLogic::handleProc(&event, nullptr); });
    engine.join();     // returned although this thread did not answer
    EXPECT_TRUE(bar().button(IDC_PLAY)->isHidden());
    EXPECT_TRUE(waitFor([&] { return !bar().button(IDC_PLAY)->isHidden(); }, 2000));
}
