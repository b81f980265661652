#pragma once

#include "NvTFTPMsg.h"
#include "TFTPEndpoint.h"
#include "TFTPPacket.h"
#include "TFTPSocket.h"
#include "TFTPTargetFile.h"

#include <QFile>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class NvTFTPServer;

// One transfer: its own socket (the server's transfer identifier for the client), its file and
// a copy of the request's message. Created and removed by NvTFTPServer.
class TFTPSession
{
public:
    enum SessionState
    {
        Failed = 0,
        Active = 1,
        Done = 2
    };
    using OnTFTPMessage = std::function<void(const NvTFTPMsg& message, bool& cancel)>;

    // Reports 1, then opens the session socket (-1109 when it cannot).
    TFTPSession(NvTFTPServer& server, const NvTFTPMsg& message, const TFTPEndpoint& peer,
                OnTFTPMessage handler, QString rootDirectory, bool fileNameIsUtf8);
    // Closes the socket, drops an unfinished upload and reports 0.
    ~TFTPSession();
    TFTPSession(const TFTPSession&) = delete;
    TFTPSession& operator=(const TFTPSession&) = delete;

    // Opens the file and sends the first DATA block or ACK 0, or refuses the request.
    void Begin();

    SessionState State() const { return m_state; }
    const NvTFTPMsg& Message() const { return m_message; }
    quint16 LocalPort() const { return m_socket.LocalPort(); }

    // For the server's housekeeping.
    bool IsRepeatOf(const NvTFTPMsg& request) const;
    bool IsWriting(const QString& path) const;
    bool IsReporting() const { return m_reporting; }
    bool DeadlinePassed(qint64 now) const;
    void Retransmit();
    void TimeOut();
    // Destruction then reports nothing: the handler's owner is going away.
    void DropHandler() { m_handler = nullptr; }

private:
    void OnReadable();
    void HandleDatagram();
    void BeginRead();
    void BeginWrite();
    void SendNextBlock(int block);
    void AcceptAck();
    void AcceptData(const char* payload, qint64 size, int block);
    void Refuse(quint16 errorCode, int status);
    // Sends the send buffer and waits for the answer (2), or fails (-1110).
    void SendAndAwaitAnswer();
    bool SendBuffered();
    void ArmDeadline();
    void Report(int code);
    void CloseTransfer();

    NvTFTPServer& m_server;
    SessionState m_state = Active;
    qint64 m_deadline = 0; // tick count, 0 = none
    TFTPEndpoint m_peer;
    NvTFTPMsg m_message;
    OnTFTPMessage m_handler;
    QString m_rootDirectory;
    bool m_fileNameIsUtf8;
    bool m_cancel = false;
    bool m_reporting = false;
    bool m_receiving = false;
    std::array<char, TFTPPacket::kBufferSize> m_sendBuffer{};
    std::array<char, TFTPPacket::kBufferSize> m_receiveBuffer{};
    qint64 m_sendSize = 0;
    TFTPSocket m_socket;
    QString m_path;
    QFile m_source;                         // read requests
    std::optional<TFTPTargetFile> m_target; // write requests
    int m_lastBlock = -1;                   // last accepted block number
    int m_sentBlock = 0;                    // block number of the last DATA or ACK sent
};
