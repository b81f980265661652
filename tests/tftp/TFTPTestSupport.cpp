#include "TFTPTestSupport.h"

#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtEndian>

namespace TFTPTestPackets {

namespace {
QByteArray Header(quint16 opcode, quint16 field)
{
    QByteArray packet(4, '\0');
    qToBigEndian(opcode, packet.data());
    qToBigEndian(field, packet.data() + 2);
    return packet;
}
} // namespace

QByteArray Request(quint16 opcode, const QByteArray& name, const QByteArray& mode)
{
    QByteArray packet(2, '\0');
    qToBigEndian(opcode, packet.data());
    return packet + name + '\0' + mode + '\0';
}

QByteArray Data(quint16 block, const QByteArray& payload)
{
    return Header(3, block) + payload;
}

QByteArray Ack(quint16 block)
{
    return Header(4, block);
}

QByteArray Error(quint16 code, const QByteArray& message)
{
    return Header(5, code) + message + '\0';
}

} // namespace TFTPTestPackets

void StatusLog::Record(const NvTFTPMsg& message)
{
    m_messages.append(message);
    emit reported();
}

QVector<int> StatusLog::Codes(int session) const
{
    QVector<int> codes;
    for (const NvTFTPMsg& message : m_messages) {
        if (message.sessionNumber == session)
            codes.append(message.code);
    }
    return codes;
}

bool StatusLog::WaitFor(int code, int session)
{
    QSignalSpy spy(this, &StatusLog::reported);
    for (int round = 0; round < 1000; ++round) {
        if (Codes(session).contains(code))
            return true;
        if (!spy.wait(10000))
            return false;
    }
    return false;
}

TFTPTestServer::TFTPTestServer(Clock clock, const QString& root)
    : m_root(root.isEmpty() ? m_folder.path() : root)
{
    if (clock == Clock::Test) {
        server.SetTickSource([this] { return now; });
        server.SetHousekeepingPeriod(24 * 3600 * 1000);
    }
    server.SetStopWaitLimit(0);
    server.SetOnMessage([this](const NvTFTPMsg& message, bool&) { log.Record(message); });
    server.Start(Root(), 0);
    server.AnnounceFolder(Root());
}

QString TFTPTestServer::PathOf(const QString& name) const
{
    return QDir(m_root).filePath(name);
}

void TFTPTestServer::WriteFile(const QString& name, const QByteArray& content) const
{
    QFile file(PathOf(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray TFTPTestServer::ReadFile(const QString& name) const
{
    QFile file(PathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TFTPTestServer::FilesInRoot() const
{
    return QDir(Root()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool TFTPTestServer::RemoveFinishedSessions()
{
    for (int tick = 0; tick < 100000 && server.SessionCount() > 0; ++tick)
        server.Housekeeping();
    return server.SessionCount() == 0;
}

ScriptedClient::ScriptedClient(quint16 serverPort) : m_serverPort(serverPort)
{
    m_socket.bind(QHostAddress::LocalHost, 0);
}

void ScriptedClient::SendRequest(quint16 opcode, const QByteArray& name, const QByteArray& mode)
{
    SendTo(m_serverPort, TFTPTestPackets::Request(opcode, name, mode));
}

void ScriptedClient::Send(const QByteArray& packet)
{
    SendTo(m_sessionPort, packet);
}

void ScriptedClient::SendTo(quint16 port, const QByteArray& packet)
{
    m_socket.writeDatagram(packet, QHostAddress::LocalHost, port);
}

QByteArray ScriptedClient::Receive()
{
    if (!m_socket.hasPendingDatagrams()) {
        QSignalSpy spy(&m_socket, &QUdpSocket::readyRead);
        if (!m_socket.hasPendingDatagrams() && !spy.wait(10000))
            return QByteArray();
    }
    const QNetworkDatagram datagram = m_socket.receiveDatagram();
    m_sessionPort = static_cast<quint16>(datagram.senderPort());
    return datagram.data();
}

QByteArray RandomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}
