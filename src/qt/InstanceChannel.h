// Handing a file to the running instance of the same user, over a local socket.
//
// The running instance listens at a per-user path. A second start with a readable file
// connects, asks the ping question and expects the player's answer, sends the path and waits
// for the receipt; then it ends. Every wait is bounded: an instance that does not answer, or
// answers something else, or a socket that nobody listens on any more, makes the new process
// an instance of its own, which takes the path over (the last one started gets the files).
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <string>
#include <sys/types.h>

namespace qtfront {

namespace handoff {
// The question and the answer: the answer is the number the Windows program's ping returns.
inline constexpr char kPing[] = "VESPERINE PING\n";
inline constexpr char kPingAnswer[] = "33271\n";
// "NEWFILE <byte count>\n" followed by the path in UTF-8, answered by kReceipt.
inline constexpr char kNewFile[] = "NEWFILE ";
inline constexpr char kReceipt[] = "OK\n";
// Longer paths than this are not taken (Linux paths end at 4096 bytes).
inline constexpr int kMaxPathBytes = 65536;
// How long a second instance waits for each answer.
inline constexpr int kAnswerWaitMs = 3000;
} // namespace handoff

// The path this user's running instance listens at: in $XDG_RUNTIME_DIR when there is one,
// otherwise in the temporary folder; the name carries the user id.
QString instanceSocketPath();

// The second instance: true when a running instance took the file.
bool handOffFile(const QString& socketPath, const std::wstring& path, int waitMs = handoff::kAnswerWaitMs);

// The running instance's end of the channel.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;

    // Listens at socketPath, replacing whatever is there (a stale socket, or an older
    // instance's). False when the socket cannot be made; the program then runs without.
    bool listen(const QString& socketPath);
    bool isListening() const;
    // Stops listening; the path is removed only while it is still this instance's.
    void close();

signals:
    // A second instance handed this path over (absolute, as it sent it).
    void fileReceived(const std::wstring& path);

private:
    void onNewConnection();

    QLocalServer server;
    QString listenPath;
    dev_t socketDevice = 0;
    ino_t socketInode = 0;
};

} // namespace qtfront
