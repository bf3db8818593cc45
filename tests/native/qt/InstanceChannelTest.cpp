// The hand-off channel itself: what the running instance accepts, what it refuses, and who
// owns the shared socket path when instances come and go.
#include "QtTestSupport.h"

#include "qt/InstanceChannel.h"
#include "qt/StartArguments.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLocalSocket>

#include <atomic>
#include <future>
#include <string>
#include <vector>

using namespace qttest;
namespace handoff = qtfront::handoff;

namespace {

class Channel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = QDir(dir.path()).filePath(QStringLiteral("vesperine-test.socket"));
    }

    // A second instance on a thread of its own; this thread keeps the server's events going.
    bool handOffFromAnotherThread(const std::wstring& file, int waitMs = 3000)
    {
        auto result = std::async(std::launch::async, [&] { return qtfront::handOffFile(path, file, waitMs); });
        waitFor([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, waitMs * 3);
        return result.get();
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(Channel, TheRunningInstanceReceivesThePathAsSent)
{
    qtfront::InstanceServer server;
    std::vector<std::wstring> received;
    QObject::connect(&server, &qtfront::InstanceServer::fileReceived, [&](const std::wstring& p) { received.push_back(p); });
    ASSERT_TRUE(server.listen(path));
    const std::wstring file = L"/media/Nachtfahrt über die Brücke\n2.m2ts";
    EXPECT_TRUE(handOffFromAnotherThread(file));
    EXPECT_TRUE(waitFor([&] { return !received.empty(); }, 2000));
    EXPECT_EQ(received, std::vector<std::wstring>{file});
    // The socket is for this user only.
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup
                  | QFileDevice::WriteGroup), QFileDevice::Permissions());
}

TEST_F(Channel, NothingListeningMeansNoHandOff)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(qtfront::handOffFile(path, L"/tmp/a.m2ts"));
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(Channel, WrongQuestionsAndOversizedPathsAreDroppedAndTheServerGoesOn)
{
    qtfront::InstanceServer server;
    int received = 0;
    QObject::connect(&server, &qtfront::InstanceServer::fileReceived, [&](const std::wstring&) { ++received; });
    ASSERT_TRUE(server.listen(path));

    const QByteArray bad[] = {
        QByteArray("HELLO\n"),
        QByteArray(handoff::kPing) + "NEWFILE -5\n",
        QByteArray(handoff::kPing) + "NEWFILE 999999999\n",
        QByteArray(handoff::kPing) + "NEWFILE x\n",
        QByteArray(handoff::kPing) + "NEWFILE 3\nabcdef",
        QByteArray(100, 'x'),
    };
    for (const QByteArray& message : bad) {
        QLocalSocket client;
        client.connectToServer(path);
        ASSERT_TRUE(client.waitForConnected(1000));
        client.write(message);
        client.flush();
        // The server ends the conversation.
        EXPECT_TRUE(waitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }, 3000))
            << message.constData();
    }
    pump(100);
    EXPECT_EQ(received, 0);
    EXPECT_TRUE(handOffFromAnotherThread(L"/tmp/good.m2ts"));
    EXPECT_TRUE(waitFor([&] { return received == 1; }, 2000));
}

TEST_F(Channel, TheLastInstanceToListenGetsTheFilesAndKeepsThePathWhenAnOlderOneEnds)
{
    auto older = std::make_unique<qtfront::InstanceServer>();
    qtfront::InstanceServer newer;
    int olderGot = 0, newerGot = 0;
    QObject::connect(older.get(), &qtfront::InstanceServer::fileReceived, [&](const std::wstring&) { ++olderGot; });
    QObject::connect(&newer, &qtfront::InstanceServer::fileReceived, [&](const std::wstring&) { ++newerGot; });
    ASSERT_TRUE(older->listen(path));
    ASSERT_TRUE(newer.listen(path));
    older.reset();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(handOffFromAnotherThread(L"/tmp/a.m2ts"));
    EXPECT_TRUE(waitFor([&] { return newerGot == 1; }, 2000));
    EXPECT_EQ(olderGot, 0);
    newer.close();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(StartArguments, EveryArgumentBelongsToTheOnePathMadeAbsolute)
{
    struct Case {
        std::vector<std::wstring> arguments;
        std::wstring expected;
    };
    const Case cases[] = {
        {{}, L""},
        {{L"clip.m2ts"}, L"/home/u/clip.m2ts"},
        {{L"My", L"Holiday", L"Film.m2ts"}, L"/home/u/My Holiday Film.m2ts"},
        {{L"../v/./a.m2ts"}, L"/home/v/a.m2ts"},
        {{L"/abs//b.m2ts"}, L"/abs/b.m2ts"},
        {{L"\"quoted.m2ts\""}, L"/home/u/\"quoted.m2ts\""},   // the shell has removed real quotes
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtfront::startFile(c.arguments, L"/home/u"), c.expected);
}
