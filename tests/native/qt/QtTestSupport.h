// Shared by the front end's tests: the clips, private folders, and waiting while the event
// loop runs (the engine's events reach the widgets through it).
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <string>

namespace qttest {

inline QString mediaDir() { return QStringLiteral(VESPERINE_MEDIA_DIR); }
inline QString clip(const QString& name) { return QDir(mediaDir()).filePath(name); }
inline std::wstring clipW(const QString& name) { return clip(name).toStdWString(); }

// Runs the event loop until condition holds or the time is up; returns the condition.
template <typename Condition>
bool waitFor(Condition condition, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Runs the event loop for a while.
inline void pump(int ms)
{
    waitFor([] { return false; }, ms);
}

} // namespace qttest
