#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Keeps one editor per user: a later start hands its files to the editor that
// already runs, over a local socket, and ends.
class CInstanceServer : public QObject {
    Q_OBJECT

public:
    explicit CInstanceServer(QString serverName, QObject* parent = nullptr);
    ~CInstanceServer() override;

    // The socket of this user's editor on this display (see
    // FindInstanceSocketPath); empty when there can be none.
    static QString GetDefaultServerName();

    // Sends absolute paths to the editor listening under the name. False when
    // none answers, so the caller starts an editor of its own.
    static bool SendToRunningInstance(const QString& serverName, const QStringList& paths);

    // Starts listening. A name left behind by an editor that died is taken
    // over; one held by a live editor is not (false).
    bool Listen();
    bool IsListening() const;

signals:
    void FilesReceived(const QStringList& paths);

private:
    void AcceptConnection();
    void ReadRequest(QLocalSocket* socket);

    QString m_serverName;
    QLocalServer* m_server;
};
