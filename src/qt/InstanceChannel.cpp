#include "InstanceChannel.h"

#include "platform/Platform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qtfront {

namespace {

// A connection that has not finished its exchange by then is dropped.
constexpr int kIdleMs = 5000;

// Only a process of the same user may talk to us, or be talked to.
bool peerIsSameUser(qintptr fd)
{
    ucred cred{};
    socklen_t size = sizeof(cred);
    if (getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return false;
    return cred.uid == getuid();
}

// Reads one line (with its '\n') within the deadline; empty when none came.
QByteArray readLine(QLocalSocket& socket, const QDeadlineTimer& deadline, int maxLength)
{
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > maxLength || deadline.hasExpired())
            return QByteArray();
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return QByteArray();
    }
    return socket.readLine(maxLength + 1);
}

bool sameFile(const QString& path, dev_t device, ino_t inode)
{
    struct stat info;
    return stat(QFile::encodeName(path).constData(), &info) == 0 && info.st_dev == device
        && info.st_ino == inode;
}

// One second instance talking to us: ping, answer, path, receipt.
class Conversation : public QObject {
public:
    Conversation(QLocalSocket* socket, InstanceServer& server) : QObject(&server), socket(socket), server(server)
    {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, &Conversation::onReadyRead);
        connect(socket, &QLocalSocket::disconnected, this, &Conversation::finish);
        QTimer::singleShot(kIdleMs, this, &Conversation::finish);
    }

private:
    void onReadyRead()
    {
        buffer += socket->readAll();
        if (!pinged) {
            const int end = buffer.indexOf('\n');
            if (end < 0) {
                if (buffer.size() > 64)
                    finish();
                return;
            }
            if (buffer.left(end + 1) != handoff::kPing) {
                finish();
                return;
            }
            buffer.remove(0, end + 1);
            pinged = true;
            socket->write(handoff::kPingAnswer);
            socket->flush();
        }
        if (expected < 0) {
            const int end = buffer.indexOf('\n');
            if (end < 0) {
                if (buffer.size() > 64)
                    finish();
                return;
            }
            const QByteArray header = buffer.left(end);
            buffer.remove(0, end + 1);
            const QByteArray prefix(handoff::kNewFile);
            bool ok = false;
            const int count = header.startsWith(prefix) ? header.mid(prefix.size()).toInt(&ok) : -1;
            if (!ok || count <= 0 || count > handoff::kMaxPathBytes) {
                finish();
                return;
            }
            expected = count;
        }
        if (buffer.size() < expected)
            return;
        if (buffer.size() > expected) {
            finish();
            return;
        }
        const std::wstring path = platform::fromUtf8(buffer.toStdString());
        socket->write(handoff::kReceipt);
        socket->flush();
        // Opened later, from the event loop: the sender does not wait for the file to open.
        QPointer<InstanceServer> target(&server);
        QTimer::singleShot(0, &server, [target, path] {
            if (target)
                emit target->fileReceived(path);
        });
        finish();
    }

    void finish()
    {
        if (done)
            return;
        done = true;
        socket->disconnectFromServer();
        deleteLater();
    }

    QLocalSocket* socket;
    InstanceServer& server;
    QByteArray buffer;
    bool pinged = false;
    int expected = -1;
    bool done = false;
};

} // namespace

QString instanceSocketPath()
{
    const QString name = QStringLiteral("vesperine-%1.socket").arg(getuid());
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isAbsolute() || !info.isDir())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name);
}

bool handOffFile(const QString& socketPath, const std::wstring& path, int waitMs)
{
    const std::string utf8 = platform::toUtf8(path);
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(handoff::kMaxPathBytes))
        return false;
    const QDeadlineTimer deadline(waitMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(waitMs))
        return false;
    if (!peerIsSameUser(socket.socketDescriptor()))
        return false;

    socket.write(handoff::kPing);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())) && socket.bytesToWrite() > 0)
        return false;
    if (readLine(socket, deadline, 64) != handoff::kPingAnswer)
        return false;

    QByteArray message(handoff::kNewFile);
    message += QByteArray::number(static_cast<qulonglong>(utf8.size()));
    message += '\n';
    message += QByteArray(utf8.data(), static_cast<int>(utf8.size()));
    socket.write(message);
    const QDeadlineTimer receiptDeadline(waitMs);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(receiptDeadline.remainingTime())))
            return false;
    return readLine(socket, receiptDeadline, 64) == handoff::kReceipt;
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent)
{
    connect(&server, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
}

InstanceServer::~InstanceServer() { close(); }

bool InstanceServer::listen(const QString& socketPath)
{
    close();
    // Bound under a name of our own first and then renamed onto the shared path: the rename
    // replaces a stale socket or an older instance's in one step, and the older instance,
    // when it ends, sees that the path is no longer its own and leaves it alone.
    const QString folder = QFileInfo(socketPath).absolutePath();
    const QString ownPath = QDir(folder).filePath(QStringLiteral(".vesperine-%1-%2-%3.socket")
        .arg(getuid()).arg(getpid()).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    const QByteArray ownName = QFile::encodeName(ownPath);
    const QByteArray sharedName = QFile::encodeName(socketPath);
    sockaddr_un address{};
    if (static_cast<std::size_t>(ownName.size()) >= sizeof(address.sun_path)
        || static_cast<std::size_t>(sharedName.size()) >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, ownName.constData(), static_cast<std::size_t>(ownName.size()));

    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ok = ok && chmod(ownName.constData(), S_IRUSR | S_IWUSR) == 0;
    ok = ok && ::listen(fd, 16) == 0;
    ok = ok && rename(ownName.constData(), sharedName.constData()) == 0;
    struct stat info;
    ok = ok && stat(sharedName.constData(), &info) == 0;
    if (!ok || !server.listen(fd)) {
        ::close(fd);
        unlink(ownName.constData());
        return false;
    }
    listenPath = socketPath;
    socketDevice = info.st_dev;
    socketInode = info.st_ino;
    return true;
}

bool InstanceServer::isListening() const { return server.isListening(); }

void InstanceServer::close()
{
    if (!server.isListening())
        return;
    if (sameFile(listenPath, socketDevice, socketInode))
        QFile::remove(listenPath);
    server.close();
    listenPath.clear();
}

void InstanceServer::onNewConnection()
{
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        if (!peerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        new Conversation(socket, *this);
    }
}

} // namespace qtfront
