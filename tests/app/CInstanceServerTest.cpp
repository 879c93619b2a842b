#include "app/CInstanceServer.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

QString UniqueServerName(const char* purpose) {
    return QStringLiteral("tolve-test-%1-%2").arg(purpose).arg(QCoreApplication::applicationPid());
}

TEST(CInstanceServer, ReceivesThePathsALaterStartSends) {
    CInstanceServer server(UniqueServerName("send"));
    ASSERT_TRUE(server.Listen());
    QSignalSpy received(&server, &CInstanceServer::FilesReceived);
    const QStringList paths = {QStringLiteral("/maps/e1m1.map"),
                               QStringLiteral("/maps/with space/ünïcode.map")};
    ASSERT_TRUE(CInstanceServer::SendToRunningInstance(UniqueServerName("send"), paths));
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received.at(0).at(0).toStringList(), paths);
}

TEST(CInstanceServer, NobodyListeningMeansStartNormally) {
    EXPECT_FALSE(CInstanceServer::SendToRunningInstance(UniqueServerName("nobody"),
                                                        {QStringLiteral("/a.map")}));
}

TEST(CInstanceServer, ALiveEditorKeepsItsName) {
    CInstanceServer first(UniqueServerName("twice"));
    ASSERT_TRUE(first.Listen());
    CInstanceServer second(UniqueServerName("twice"));
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(first.IsListening());
}

TEST(CInstanceServer, TheNameOfADeadEditorIsTakenOver) {
    // What a crashed editor leaves behind: the socket's file, nobody behind it.
    const QString name = UniqueServerName("stale");
    const QString socketFile = QDir::temp().filePath(name);
    WriteFileText(socketFile.toStdString(), "");
    CInstanceServer server(name);
    EXPECT_TRUE(server.Listen());
}

TEST(CInstanceServer, TheDefaultNameBelongsToTheUser) {
    const QString name = CInstanceServer::GetDefaultServerName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("tolve-")));
    EXPECT_GT(name.size(), 6);
}

} // namespace
