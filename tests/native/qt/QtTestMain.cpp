// The front end's tests run against the real widgets on the test's X display (xcb).
#include "EnginePlugins.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <X11/Xlib.h>

#include <cstring>
#include <memory>

#include <dlfcn.h>

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            listing = true;
    ::testing::InitGoogleTest(&argc, argv);
    if (listing)
        return RUN_ALL_TESTS();

    XInitThreads();
    // The engine's GL output loads Mesa's software driver for each video and unloads it again;
    // kept loaded, the leak checker can still name what the driver holds (lsan.supp).
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"})
        if (dlopen(driver, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE))
            break;
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Settings and the instance socket of this test process stay private to it.
    QTemporaryDir privateHome;
    const QString config = QDir(privateHome.path()).filePath(QStringLiteral("config"));
    const QString runtime = QDir(privateHome.path()).filePath(QStringLiteral("runtime"));
    QDir().mkpath(config);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());

    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    return RUN_ALL_TESTS();
}
