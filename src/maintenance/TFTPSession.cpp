#include "TFTPSession.h"

#include "NvTFTPServer.h"

#include <QFileInfo>

namespace {

// RFC 1350 error codes sent to the client.
constexpr quint16 kNotDefined = 0;
constexpr quint16 kFileNotFound = 1;
constexpr quint16 kAccessViolation = 2;
constexpr quint16 kDiskFull = 3;

} // namespace

TFTPSession::TFTPSession(NvTFTPServer& server, const NvTFTPMsg& message, const TFTPEndpoint& peer,
                         OnTFTPMessage handler, QString rootDirectory, bool fileNameIsUtf8)
    : m_server(server), m_peer(peer), m_message(message), m_handler(std::move(handler)),
      m_rootDirectory(std::move(rootDirectory)), m_fileNameIsUtf8(fileNameIsUtf8)
{
    m_message.total = 0;
    m_message.lastBlockSize = -1;
    Report(1);
    if (!m_socket.Open(0)) {
        Report(-1109);
        return;
    }
    m_socket.SetReadHandler([this] { OnReadable(); });
}

TFTPSession::~TFTPSession()
{
    CloseTransfer();
    if (m_handler) {
        m_message.code = 0;
        m_message.text = TFTPStatusText(0);
        m_handler(m_message, m_cancel);
    }
}

void TFTPSession::Begin()
{
    if (m_state != Active)
        return;
    if (m_cancel) {
        Report(-1114);
        return;
    }
    m_path = m_server.m_announced.Resolve(m_rootDirectory, m_message.fileName, m_fileNameIsUtf8);
    if (m_path.isEmpty()) {
        Refuse(kAccessViolation, -1103);
        return;
    }
    if (m_message.type == 1)
        BeginRead();
    else
        BeginWrite();
}

void TFTPSession::BeginRead()
{
    m_source.setFileName(m_path);
    // Buffered reads and writes: one file call per 16 KiB rather than per block. The file keeps
    // its buffer from block to block, so a block costs no allocation.
    if (QFileInfo(m_path).isDir() || !m_source.open(QIODevice::ReadOnly)) {
        Refuse(kFileNotFound, -1102);
        return;
    }
    SendNextBlock(1);
}

void TFTPSession::BeginWrite()
{
    // Two uploads of one file would each be told success while only the later one is kept.
    if (QFileInfo(m_path).isDir() || m_server.IsBeingWritten(m_path, this)) {
        Refuse(kAccessViolation, -1103);
        return;
    }
    m_target.emplace(m_path);
    if (!m_target->Open()) {
        m_target.reset();
        Refuse(kAccessViolation, -1103);
        return;
    }
    m_sentBlock = 0;
    m_sendSize = TFTPPacket::WriteAck(m_sendBuffer.data(), 0);
    SendAndAwaitAnswer();
}

void TFTPSession::SendNextBlock(int block)
{
    char* payload = m_sendBuffer.data() + TFTPPacket::kHeaderSize;
    const qint64 count = m_source.read(payload, TFTPPacket::kBlockSize);
    if (count < 0) {
        // Sending the failure as a short block would end the transfer as complete.
        Refuse(kNotDefined, -1101);
        return;
    }
    m_message.lastBlockSize = static_cast<int>(count);
    m_message.total += static_cast<int>(count);
    // Past block 65535 the number on the wire wraps while the expected one does not: the
    // transfer stalls and times out, as files of 65535 blocks or more cannot be sent.
    m_sentBlock = block;
    m_sendSize =
        TFTPPacket::WriteDataHeader(m_sendBuffer.data(), static_cast<quint16>(block)) + count;
    m_message.sendCount = 1;
    SendAndAwaitAnswer();
}

void TFTPSession::OnReadable()
{
    // A handler that runs the event loop must not bring this session's next datagram in
    // underneath the one being handled.
    if (m_receiving)
        return;
    m_receiving = true;
    HandleDatagram();
    m_receiving = false;
}

void TFTPSession::HandleDatagram()
{
    TFTPEndpoint source;
    const qint64 size = m_socket.Receive(m_receiveBuffer.data(), TFTPPacket::kBufferSize, source);
    if (size < TFTPPacket::kHeaderSize || m_state != Active)
        return;
    // Replies go to whoever sent the datagram just received.
    m_peer = source;
    const char* packet = m_receiveBuffer.data();
    const quint16 opcode = TFTPPacket::OpcodeOf(packet);
    const int block = TFTPPacket::BlockOf(packet);
    // Only the one block that continues the transfer is taken: a duplicate or stale packet gets
    // no answer, and a number further on (never sent by a working client) would skip data.
    const bool expected = m_message.type == 1
                              ? opcode == TFTPPacket::ACK && block == m_sentBlock
                              : opcode == TFTPPacket::DATA && block == m_sentBlock + 1;
    if (!expected)
        return;
    m_deadline = 0;
    m_message.clientPort = source.port;
    m_lastBlock = block;
    if (m_cancel)
        Report(-1114);
    else if (m_message.type == 1)
        AcceptAck();
    else
        AcceptData(packet + TFTPPacket::kHeaderSize, size - TFTPPacket::kHeaderSize, block);
}

void TFTPSession::AcceptAck()
{
    // A short block was the last one: the client has the whole file.
    if (m_message.lastBlockSize < TFTPPacket::kBlockSize) {
        Report(3);
        return;
    }
    SendNextBlock(m_lastBlock + 1);
}

void TFTPSession::AcceptData(const char* payload, qint64 size, int block)
{
    const qint64 written = size > 0 ? m_target->Write(payload, size) : 0;
    if (written != size) {
        // A block that did not reach the disk is a failed transfer, not a complete one.
        Refuse(kDiskFull, -1104);
        return;
    }
    m_message.lastBlockSize = static_cast<int>(written);
    m_message.total += static_cast<int>(written);
    m_sentBlock = block;
    const bool last = size < TFTPPacket::kBlockSize;
    // The old file is replaced only now, and the client is told success only once it has been.
    if (last && !m_target->Commit()) {
        Refuse(kDiskFull, -1104);
        return;
    }
    m_sendSize = TFTPPacket::WriteAck(m_sendBuffer.data(), static_cast<quint16>(block));
    if (!last)
        SendAndAwaitAnswer();
    else
        Report(SendBuffered() ? 3 : -1110);
}

void TFTPSession::Refuse(quint16 errorCode, int status)
{
    m_sendSize = TFTPPacket::WriteError(m_sendBuffer.data(), errorCode);
    Report(SendBuffered() ? status : -1110);
}

void TFTPSession::SendAndAwaitAnswer()
{
    if (!SendBuffered()) {
        Report(-1110);
        return;
    }
    ArmDeadline();
    Report(2);
}

bool TFTPSession::SendBuffered()
{
    return m_socket.Send(m_sendBuffer.data(), m_sendSize, m_peer);
}

void TFTPSession::ArmDeadline()
{
    m_deadline = m_server.Now() + static_cast<qint64>(m_message.timeout) * 10;
}

bool TFTPSession::IsRepeatOf(const NvTFTPMsg& request) const
{
    return m_message.type == request.type && m_message.mode == request.mode &&
           m_message.clientAddress == request.clientAddress &&
           m_message.clientPort == request.clientPort && m_message.fileName == request.fileName;
}

bool TFTPSession::IsWriting(const QString& path) const
{
    return m_target && m_path == path;
}

bool TFTPSession::DeadlinePassed(qint64 now) const
{
    return m_state == Active && m_deadline != 0 && now >= m_deadline;
}

void TFTPSession::Retransmit()
{
    ++m_message.sendCount;
    SendAndAwaitAnswer();
}

void TFTPSession::TimeOut()
{
    Report(-1113);
}

void TFTPSession::Report(int code)
{
    m_message.code = code;
    m_message.text = TFTPStatusText(code);
    if (m_handler) {
        m_reporting = true;
        m_handler(m_message, m_cancel);
        m_reporting = false;
    }
    if (code == 3) {
        CloseTransfer();
        m_state = Done;
    } else if (code < 0) {
        CloseTransfer();
        m_state = Failed;
    } else {
        m_state = Active;
    }
}

void TFTPSession::CloseTransfer()
{
    m_source.close();
    // An upload that did not reach its last block leaves the old file as it was.
    m_target.reset();
    // The socket of a finished transfer has nothing more to do; giving it back at once keeps a
    // burst of refused requests from holding a descriptor each until its removal.
    m_socket.Close();
}
