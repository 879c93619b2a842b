#include "app/CInstanceServer.h"
#include "app/InstanceSocketPath.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <gmock/gmock.h>

#include <unistd.h>

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

// The socket lies in a folder only the user may enter, named after the
// display; a folder anyone else owns or may enter is never used.
TEST(InstanceSocketPath, IsTheUsersOwnPerDisplay) {
    CTempDir dir;
    const QString runtime = QString::fromStdString(dir.Path("runtime").string());
    const QString temp = QString::fromStdString(dir.Root().string());
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(FindInstanceSocketPath(runtime, temp, QStringLiteral(":1")),
              runtime + QStringLiteral("/tolve-_1"));
    EXPECT_NE(FindInstanceSocketPath(runtime, temp, QStringLiteral(":0")),
              FindInstanceSocketPath(runtime, temp, QStringLiteral(":1")));

    // A runtime folder others may enter gives way to the user's own folder in
    // the temporary folder, made private.
    QFile::setPermissions(runtime, QFile::permissions(runtime) | QFile::ExeOther);
    const QString own = FindInstanceSocketPath(runtime, temp, QStringLiteral(":1"));
    EXPECT_TRUE(own.startsWith(temp + QStringLiteral("/tolve-"))) << own.toStdString();
    EXPECT_TRUE(IsPrivateFolder(QFileInfo(own).path()));

    // One put there first by someone else is not the user's: no socket at all.
    if (::geteuid() != 0)
        return; // only root can hand a folder to another user
    const QString squatted = QFileInfo(own).path();
    ASSERT_EQ(::chown(QFile::encodeName(squatted).constData(), 65534, 65534), 0);
    EXPECT_EQ(FindInstanceSocketPath(runtime, temp, QStringLiteral(":1")), QString());
}

TEST(CInstanceServer, NothingIsSentToASocketOfAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a socket another user's";
    const QString name = UniqueServerName("other");
    CInstanceServer squatter(name);
    ASSERT_TRUE(squatter.Listen());
    const QString socket = QDir::temp().filePath(name);
    ASSERT_EQ(::chown(QFile::encodeName(socket).constData(), 65534, 65534), 0);
    EXPECT_FALSE(CInstanceServer::SendToRunningInstance(name, {QStringLiteral("/a.map")}));
}

} // namespace
