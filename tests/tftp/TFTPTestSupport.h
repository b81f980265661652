#pragma once

#include "NvTFTPServer.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QVector>

// Packets as a client sends them.
namespace TFTPTestPackets {
QByteArray Request(quint16 opcode, const QByteArray& name, const QByteArray& mode = "octet");
QByteArray Data(quint16 block, const QByteArray& payload);
QByteArray Ack(quint16 block);
QByteArray Error(quint16 code, const QByteArray& message = QByteArray());
} // namespace TFTPTestPackets

// Every message the server's handler received, and a signal per message to wait on.
class StatusLog : public QObject
{
    Q_OBJECT
public:
    void Record(const NvTFTPMsg& message);
    // The codes of one session in the order reported.
    QVector<int> Codes(int session = 0) const;
    const QVector<NvTFTPMsg>& Messages() const { return m_messages; }
    // Waits (processing events) until the session has reported code; false after 10 s.
    bool WaitFor(int code, int session = 0);

signals:
    void reported();

private:
    QVector<NvTFTPMsg> m_messages;
};

// A server on a free loopback port serving a temporary folder, with its tick count in the
// test's hand: time passes only when the test moves `now`, and housekeeping runs only when the
// test calls it (the period is set out of reach).
class TFTPTestServer
{
public:
    enum class Clock
    {
        Test,
        Real
    };
    // Serves root, or a temporary folder of its own when root is empty.
    explicit TFTPTestServer(Clock clock = Clock::Test, const QString& root = QString());

    QString Root() const { return m_root; }
    QString PathOf(const QString& name) const;
    void WriteFile(const QString& name, const QByteArray& content) const;
    QByteArray ReadFile(const QString& name) const;
    // Names of the files in the root folder, hidden ones included.
    QStringList FilesInRoot() const;
    quint16 Port() const { return server.ListeningPort(); }
    // Runs housekeeping ticks until every session is removed; false if any stays.
    bool RemoveFinishedSessions();

    QTemporaryDir m_folder;
    QString m_root;
    qint64 now = 1000;
    StatusLog log;
    NvTFTPServer server;
};

// A client that scripts the protocol packet by packet from one UDP socket.
class ScriptedClient
{
public:
    explicit ScriptedClient(quint16 serverPort);

    void SendRequest(quint16 opcode, const QByteArray& name, const QByteArray& mode = "octet");
    // To the session that sent the last packet received.
    void Send(const QByteArray& packet);
    void SendTo(quint16 port, const QByteArray& packet);
    // The next datagram (waiting up to 10 s, processing events), or a null array.
    QByteArray Receive();
    bool HasPending() { return m_socket.hasPendingDatagrams(); }
    quint16 LocalPort() const { return m_socket.localPort(); }
    quint16 SessionPort() const { return m_sessionPort; }

private:
    QUdpSocket m_socket;
    quint16 m_serverPort;
    quint16 m_sessionPort = 0;
};

// Random content of a given size.
QByteArray RandomBytes(int size, quint32 seed = 1);
