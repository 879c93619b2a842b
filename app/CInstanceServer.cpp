#include "app/CInstanceServer.h"

#include "app/InstanceSocketPath.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 3000;
// A request is a handful of paths; anything longer is not from an editor.
constexpr qint64 kMaxRequestBytes = 1 << 20;
// Set on a connection whose request has been read or refused.
const char* const kHandled = "tolveHandled";

bool IsServerAlive(const QString& serverName) {
    QLocalSocket probe;
    probe.connectToServer(serverName);
    bool alive = probe.waitForConnected(kConnectTimeoutMs);
    probe.abort();
    return alive;
}

} // namespace

CInstanceServer::CInstanceServer(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName)), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::AcceptConnection);
}

CInstanceServer::~CInstanceServer() = default;

QString CInstanceServer::GetDefaultServerName() {
    return FindInstanceSocketPath();
}

bool CInstanceServer::SendToRunningInstance(const QString& serverName, const QStringList& paths) {
    // Another user's socket in this one's place would take the paths.
    if (serverName.isEmpty() || !IsOwnSocket(serverName))
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    // One path per line, UTF-8; the end of the connection ends the request.
    socket.write(paths.join(QLatin1Char('\n')).toUtf8() + '\n');
    bool sent = socket.waitForBytesWritten(kWriteTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteTimeoutMs);
    return sent;
}

bool CInstanceServer::Listen() {
    if (m_serverName.isEmpty())
        return false;
    // Listening would quietly replace the socket of a live editor, so ask first.
    if (IsOwnSocket(m_serverName) && IsServerAlive(m_serverName))
        return false;
    if (m_server->listen(m_serverName))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalServer::removeServer(m_serverName);
    return m_server->listen(m_serverName);
}

bool CInstanceServer::IsListening() const {
    return m_server->isListening();
}

void CInstanceServer::AcceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [socket] {
            if (socket->bytesAvailable() <= kMaxRequestBytes)
                return;
            socket->setProperty(kHandled, true);
            socket->abort();
            socket->deleteLater();
        });
        if (socket->state() != QLocalSocket::ConnectedState)
            ReadRequest(socket);
    }
}

void CInstanceServer::ReadRequest(QLocalSocket* socket) {
    if (socket->property(kHandled).toBool())
        return;
    socket->setProperty(kHandled, true);
    const QByteArray request = socket->readAll();
    socket->deleteLater();
    QStringList paths;
    for (const QByteArray& line : request.split('\n')) {
        if (!line.isEmpty())
            paths.append(QString::fromUtf8(line));
    }
    if (!paths.isEmpty())
        emit FilesReceived(paths);
}
