// Process entry of the Linux front end: the hand-off to a running instance, the main window,
// the event loop and the stored placement.
#include "InstanceChannel.h"
#include "MainWindow.h"
#include "StartArguments.h"
#include "WindowSettings.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QCoreApplication>

#include <X11/Xlib.h>

#include <cerrno>

#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::wstring currentFolder()
{
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
    return platform::fromUtf8(buffer.data());
}

} // namespace

int main(int argc, char** argv)
{
    // libvlc draws from threads of its own through Xlib; it asks its host to do this first.
    XInitThreads();
    // The X11 front end, whatever the session would pick.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // Everything after the program's name is the one path; none of it is taken as an option.
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(platform::fromUtf8(argv[i]));
    const std::wstring file = qtfront::startFile(arguments, currentFolder());
    const bool readable = !file.empty() && platform::canOpenForReading(file);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    const QString socketPath = qtfront::instanceSocketPath();
    if (readable) {
        // No window and no display are needed to hand the file over.
        QCoreApplication handOff(qtArgc, qtArgv);
        if (qtfront::handOffFile(socketPath, file))
            return 0;
    }

    QApplication app(qtArgc, qtArgv);
    qtfront::WindowSettings settings;
    settings.load();
    qtfront::MainWindow window(settings);
    if (!window.initInstance())
        return 0;
    if (!file.empty() && platform::canOpenForReading(file))
        window.loadFile(file);

    // Later starts with a file hand it to this instance.
    qtfront::InstanceServer server;
    QObject::connect(&server, &qtfront::InstanceServer::fileReceived, &window, &qtfront::MainWindow::onNewFile);
    server.listen(socketPath);

    app.exec();
    server.close();
    settings.save();
    // The exit code is always 0.
    return 0;
}
