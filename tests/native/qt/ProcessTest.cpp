// Whole processes: the command line, the hand-off between instances, the stored placement
// and the close path with its advertisement library, each in a private home.
#include "FrontEndFixture.h"
#include "ProcessRun.h"

#include "qt/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSettings>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace qttest;

namespace {

QString title(const char* file) { return QStringLiteral("Vesperine - ") + QString::fromUtf8(file); }

QRect firstPlace()
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    return QRect(work.left() + (work.width() - 672) / 2, work.top() + (work.height() - 456) / 2, 672, 456);
}

// A socket file nobody listens on any more, as a crashed instance leaves it.
bool makeStaleSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        close(fd);
    return bound && QFileInfo::exists(path);
}

// The program copied into a folder of its own, with or without a test advertisement library.
QString programIn(const QString& folder, bool withFakeAds)
{
    const QString exe = QDir(folder).filePath(QStringLiteral("vesperine"));
    QFile::copy(QStringLiteral(VESPERINE_EXE), exe);
    QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (withFakeAds)
        QFile::copy(QStringLiteral(FAKE_LIBADS_DIR "/libads.so"), QDir(folder).filePath(QStringLiteral("libads.so")));
    return exe;
}

class Processes : public ::testing::Test {
protected:
    QTemporaryDir home;
};

} // namespace

TEST_F(Processes, AStartWithAFileOpensItCentredAtTheFirstSizeAndClosesWithZero)
{
    ProcessRun run(home.path());
    run.start({clip(QStringLiteral("clip-3s.m2ts"))});
    const unsigned long w = run.waitForWindow(exactTitle(title("clip-3s.m2ts")));
    ASSERT_NE(w, 0u);
    EXPECT_EQ(x11test::geometryOf(w), firstPlace());
    ASSERT_TRUE(run.closeAndWait(w));
    EXPECT_EQ(run.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process.exitCode(), 0);
}

TEST_F(Processes, TheWholeCommandLineIsOnePathMadeAbsolute)
{
    struct Case {
        QStringList arguments;
        const char* file;
    };
    const Case cases[] = {
        // An unquoted name with blanks arrives in pieces.
        {{QStringLiteral("Nachtfahrt"), QStringLiteral("über"), QStringLiteral("die"), QStringLiteral("Brücke.m2ts")},
            "Nachtfahrt über die Brücke.m2ts"},
        {{QStringLiteral("./夜の街 – clip.m2ts")}, "夜の街 – clip.m2ts"},
        {{QStringLiteral("../media/./clip-2s.m2ts")}, "clip-2s.m2ts"},
    };
    for (const Case& c : cases) {
        QTemporaryDir caseHome;
        ProcessRun run(caseHome.path());
        run.start(c.arguments, QStringLiteral(VESPERINE_EXE), mediaDir());
        const unsigned long w = run.waitForWindow(exactTitle(title(c.file)));
        EXPECT_NE(w, 0u) << c.file;
        if (w) {
            EXPECT_TRUE(run.closeAndWait(w));
        }
    }
}

TEST_F(Processes, AMissingFileStartsAnEmptyPlayerWithoutAMessage)
{
    ProcessRun run(home.path());
    run.start({QStringLiteral("/no/such/clip.m2ts")});
    const unsigned long w = run.waitForWindow(exactTitle(QStringLiteral("Vesperine")));
    ASSERT_NE(w, 0u);
    // Only the main window: no message box beside it.
    pump(500);
    EXPECT_EQ(x11test::windowsOf(run.process.processId()).size(), 1u);
    EXPECT_TRUE(run.closeAndWait(w));
}

TEST_F(Processes, ASecondStartWithAFileHandsItToTheRunningInstanceAndEndsWithZero)
{
    // The running instance is this process's own window.
    qtfront::WindowSettings settings;
    QTemporaryDir noAds;
    qtfront::MainWindow window(settings);
    window.setAdvertisementFolder(noAds.path());
    ASSERT_TRUE(window.initInstance());
    qtfront::InstanceServer server;
    QObject::connect(&server, &qtfront::InstanceServer::fileReceived, &window, &qtfront::MainWindow::onNewFile);
    ProcessRun second(home.path());
    QDir().mkpath(second.runtimeDir());
    ASSERT_TRUE(server.listen(second.socketPath()));

    second.start({clip(QStringLiteral("clip-3s.m2ts"))});
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return window.windowTitle() == title("clip-3s.m2ts"); }, 15000));
    EXPECT_EQ(window.playLogic()->filePath, clipW(QStringLiteral("clip-3s.m2ts")));
}

TEST_F(Processes, AStaleSocketDoesNotStopANewInstanceWhichThenTakesTheFiles)
{
    ProcessRun run(home.path());
    QDir().mkpath(run.runtimeDir());
    ASSERT_TRUE(makeStaleSocket(run.socketPath()));
    run.start({clip(QStringLiteral("clip-2s.m2ts"))});
    const unsigned long w = run.waitForWindow(exactTitle(title("clip-2s.m2ts")));
    ASSERT_NE(w, 0u);
    // It listens in the stale socket's place now: a hand-off reaches it.
    EXPECT_TRUE(waitFor([&] { return qtfront::handOffFile(run.socketPath(), clipW(QStringLiteral("clip-3s.m2ts"))); }, 5000));
    EXPECT_TRUE(waitFor([&] { return x11test::titleOf(w) == title("clip-3s.m2ts"); }, 15000));
    EXPECT_TRUE(run.closeAndWait(w));
    EXPECT_EQ(run.process.exitCode(), 0);
    // Its socket goes with it.
    EXPECT_FALSE(QFileInfo::exists(run.socketPath()));
}

TEST_F(Processes, AnInstanceThatIsSilentOrAnswersWronglyIsNotHandedTheFile)
{
    enum class Peer { Silent, WrongAnswer };
    for (Peer peer : {Peer::Silent, Peer::WrongAnswer}) {
        QTemporaryDir caseHome;
        ProcessRun run(caseHome.path());
        QDir().mkpath(run.runtimeDir());
        QLocalServer impostor;
        ASSERT_TRUE(impostor.listen(run.socketPath()));
        QList<QLocalSocket*> held;
        QObject::connect(&impostor, &QLocalServer::newConnection, [&] {
            while (QLocalSocket* s = impostor.nextPendingConnection()) {
                held << s;
                if (peer == Peer::WrongAnswer)
                    QObject::connect(s, &QLocalSocket::readyRead, s, [s] { s->readAll(); s->write("33272\n"); });
            }
        });
        QElapsedTimer clock;
        clock.start();
        run.start({clip(QStringLiteral("clip-2s.m2ts"))});
        const unsigned long w = run.waitForWindow(exactTitle(title("clip-2s.m2ts")), 40000);
        EXPECT_NE(w, 0u) << (peer == Peer::Silent ? "silent" : "wrong answer");
        // A bounded wait: a few seconds, not forever (the start itself takes long under the sanitizers).
        EXPECT_LT(clock.elapsed(), 25000);
        if (w) {
            EXPECT_TRUE(run.closeAndWait(w));
        }
    }
}

TEST_F(Processes, TheWindowedPlacementIsRestoredAtTheNextStart)
{
    const QRect moved(100, 120, 700, 500);
    {
        ProcessRun run(home.path());
        run.start({});
        const unsigned long w = run.waitForWindow(exactTitle(QStringLiteral("Vesperine")));
        ASSERT_NE(w, 0u);
        EXPECT_EQ(x11test::geometryOf(w), firstPlace());
        x11test::moveResize(w, moved);
        ASSERT_TRUE(waitFor([&] { return x11test::geometryOf(w) == moved; }, 5000));
        pump(300);
        ASSERT_TRUE(run.closeAndWait(w));
    }
    {
        ProcessRun run(home.path());
        run.start({});
        const unsigned long w = run.waitForWindow(exactTitle(QStringLiteral("Vesperine")));
        ASSERT_NE(w, 0u);
        EXPECT_EQ(x11test::geometryOf(w), moved);
        ASSERT_TRUE(run.closeAndWait(w));
    }
}

TEST_F(Processes, ADamagedStoredPlacementCountsAsAbsent)
{
    ProcessRun run(home.path());
    {
        QSettings store(QDir(run.configDir()).filePath(QStringLiteral("Kadrowin/Vesperine.conf")), QSettings::IniFormat);
        store.setValue(QStringLiteral("MainWindow/geometry"), QStringLiteral("not a place"));
        store.setValue(QStringLiteral("MainWindow/maximized"), true);
    }
    run.start({});
    const unsigned long w = run.waitForWindow(exactTitle(QStringLiteral("Vesperine")));
    ASSERT_NE(w, 0u);
    EXPECT_EQ(x11test::geometryOf(w), firstPlace());
    ASSERT_TRUE(run.closeAndWait(w));
    // Overwritten with a good one at the end.
    QSettings store(QDir(run.configDir()).filePath(QStringLiteral("Kadrowin/Vesperine.conf")), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("MainWindow/geometry")).toRect(), firstPlace());
}

TEST_F(Processes, CloseCallsTheAdvertisementLibraryBesideTheProgramAndTwoKeepsItOpen)
{
    QTemporaryDir folder;
    const QString exe = programIn(folder.path(), true);
    const QString log = QDir(folder.path()).filePath(QStringLiteral("ads.log"));
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("VESPERINE_FAKE_ADS_LOG"), log);
    extra.insert(QStringLiteral("VESPERINE_FAKE_ADS_ANSWERS"), QStringLiteral("2,0"));
    ProcessRun run(home.path());
    run.start({clip(QStringLiteral("sample.m2ts"))}, exe, QString(), extra);
    const unsigned long w = run.waitForWindow(exactTitle(title("sample.m2ts")));
    ASSERT_NE(w, 0u);

    auto lines = [&] {
        QFile f(log);
        if (!f.open(QIODevice::ReadOnly))
            return QStringList();
        QStringList l = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        l.removeAll(QString());
        return l;
    };
    x11test::requestClose(w);
    ASSERT_TRUE(waitFor([&] { return lines().size() == 1; }, 5000));
    pump(1000);
    EXPECT_EQ(run.process.state(), QProcess::Running);
    EXPECT_EQ(x11test::titleOf(w), title("sample.m2ts"));
    const QString expected = QString::number(w, 16) + QStringLiteral("\tVesperine\thttp://ads.kadrowin.com/ads/vesperine/ads.php");
    EXPECT_EQ(lines(), QStringList{expected});

    ASSERT_TRUE(run.closeAndWait(w));
    EXPECT_EQ(run.process.exitCode(), 0);
    EXPECT_EQ(lines(), (QStringList{expected, expected}));
}

TEST_F(Processes, WithoutAnAdvertisementLibraryTheProgramStillCloses)
{
    QTemporaryDir folder;
    const QString exe = programIn(folder.path(), false);
    ProcessRun run(home.path());
    run.start({clip(QStringLiteral("clip-2s.m2ts"))}, exe);
    const unsigned long w = run.waitForWindow(exactTitle(title("clip-2s.m2ts")));
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(run.closeAndWait(w));
    EXPECT_EQ(run.process.exitCode(), 0);
}
