// One run of the real vesperine program in a private home (settings, instance socket), on the
// test's display, found and closed through its X11 window.
#pragma once

#include "QtTestSupport.h"
#include "X11Windows.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace qttest {

class ProcessRun {
public:
    explicit ProcessRun(const QString& home) : home(home) {}

    QString configDir() const { return QDir(home).filePath(QStringLiteral("config")); }
    QString runtimeDir() const { return QDir(home).filePath(QStringLiteral("runtime")); }
    QString socketPath() const
    {
        return QDir(runtimeDir()).filePath(QStringLiteral("vesperine-%1.socket").arg(getuid()));
    }

    void start(const QStringList& arguments, const QString& program = QStringLiteral(VESPERINE_EXE),
        const QString& workingFolder = QString(), const QProcessEnvironment& extra = {})
    {
        QDir().mkpath(configDir());
        QDir().mkpath(runtimeDir());
        QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // Under the address sanitizer: the program releases its only libvlc instance at the end,
        // which unloads the engine's plugins before the leak check, so what they still hold cannot
        // be told apart any more. The in-process tests, which keep the plugins loaded, check ours.
        const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"), asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
        for (const QString& key : extra.keys())
            env.insert(key, extra.value(key));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        if (!workingFolder.isEmpty())
            process.setWorkingDirectory(workingFolder);
        process.start(program, arguments);
        process.waitForStarted(5000);
    }

    // The program's main window once its title matches; 0 when none came.
    unsigned long waitForWindow(const QRegularExpression& title, int timeoutMs = 20000)
    {
        unsigned long found = 0;
        waitFor([&] {
            for (unsigned long w : x11test::windowsOf(process.processId()))
                if (title.match(x11test::titleOf(w)).hasMatch())
                    found = w;
            return found != 0 || process.state() == QProcess::NotRunning;
        }, timeoutMs);
        return found;
    }

    bool waitForExit(int timeoutMs = 15000)
    {
        return waitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    }

    // Asks the window to close, as a window manager would, and waits for the end.
    bool closeAndWait(unsigned long window, int timeoutMs = 15000)
    {
        x11test::requestClose(window);
        return waitForExit(timeoutMs);
    }

    ~ProcessRun()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    QString home;
    QProcess process;
};

inline QRegularExpression exactTitle(const QString& title)
{
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(title) + QStringLiteral("$"));
}

} // namespace qttest
