#include "NvTFTPServer.h"

#include "NvError.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QHostInfo>

NvTFTPServer::NvTFTPServer(QObject* owner) : QObject(owner)
{
    m_clock.start();
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &NvTFTPServer::Housekeeping);
    const QHostInfo host = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress& address : host.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            m_template.serverAddress = address.toString();
            break;
        }
    }
}

NvTFTPServer::~NvTFTPServer()
{
    Stop();
    for (const std::unique_ptr<TFTPSession>& session : m_sessions)
        session->DropHandler();
    m_sessions.clear();
}

quint16 NvTFTPServer::DefaultPort()
{
    // QTR_TFTP_PORT moves the TFTP server off the privileged port 69 for runs without the right
    // to bind it (the demo, the tests, a user account); the device simulator honours the same
    // variable, so both ends agree. Unset or not a port number: 69.
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("QTR_TFTP_PORT", &ok);
    return ok && port > 0 && port <= 65535 ? static_cast<quint16>(port) : quint16(69);
}

void NvTFTPServer::SetTimeout(int timeout, int sendLimit)
{
    m_template.timeout = timeout;
    m_sendLimit = sendLimit;
}

void NvTFTPServer::SetOnMessage(OnTFTPMessage handler)
{
    m_handler = std::move(handler);
}

void NvTFTPServer::Start(const QString& rootDirectory, quint16 port)
{
    if (rootDirectory.isEmpty() || rootDirectory.endsWith(QLatin1Char('\\')) ||
        rootDirectory.endsWith(QLatin1Char('/')))
        m_rootDirectory = rootDirectory;
    else
        m_rootDirectory = rootDirectory + QDir::separator();
    m_template.port = port;
    if (m_listener.IsOpen())
        return;
    if (!m_listener.Open(port)) {
        Stop();
        throw NvError(-1109, TFTPStatusText(-1109));
    }
    m_listener.SetReadHandler([this] { OnRequest(); });
    m_timer.start();
}

void NvTFTPServer::Stop()
{
    m_listener.Close();
    if (!m_sessions.empty()) {
        // The limit timer also wakes the wait when no other event would.
        bool expired = false;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &limit, [&expired] { expired = true; });
        limit.start(m_stopWaitLimit);
        while (!m_sessions.empty() && !expired)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    m_timer.stop();
}

void NvTFTPServer::AnnounceFile(const QString& folder, const QString& fileName)
{
    m_announced.AnnounceFile(folder.isEmpty() ? fileName : folder + u'/' + fileName);
}

void NvTFTPServer::AnnounceFile(const QString& localPath)
{
    m_announced.AnnounceFile(localPath);
}

void NvTFTPServer::AnnounceFolder(const QString& folder)
{
    m_announced.AnnounceFolder(folder);
}

void NvTFTPServer::SetTickSource(TickSource source)
{
    m_tickSource = std::move(source);
}

void NvTFTPServer::SetHousekeepingPeriod(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void NvTFTPServer::SetStopWaitLimit(int milliseconds)
{
    m_stopWaitLimit = milliseconds;
}

qint64 NvTFTPServer::Now() const
{
    return m_tickSource ? m_tickSource() : m_clock.elapsed() + 1;
}

bool NvTFTPServer::IsBeingWritten(const QString& path, const TFTPSession* except) const
{
    for (const std::unique_ptr<TFTPSession>& session : m_sessions) {
        if (session.get() != except && session->IsWriting(path))
            return true;
    }
    return false;
}

void NvTFTPServer::OnRequest()
{
    // Handlers may process events (Stop does); a request must not start inside another.
    if (m_handlingRequest)
        return;
    TFTPEndpoint source;
    const qint64 size = m_listener.Receive(m_requestBuffer.data(), TFTPPacket::kBufferSize, source);
    if (size < TFTPPacket::kHeaderSize)
        return;
    m_handlingRequest = true;
    m_template.code = 1;
    m_template.text = TFTPStatusText(1);
    TFTPPacket::Request request;
    if (!TFTPPacket::ParseRequest(m_requestBuffer.data(), size, request)) {
        m_handlingRequest = false;
        return;
    }
    m_template.type = request.opcode;
    m_template.fileName = request.fileName;
    m_template.mode = request.mode;
    m_template.clientAddress = source.AddressText();
    m_template.clientPort = source.port;
    for (const std::unique_ptr<TFTPSession>& session : m_sessions) {
        if (session->IsRepeatOf(m_template)) {
            m_handlingRequest = false;
            return;
        }
    }
    m_template.sendCount = 0;
    ++m_template.sessionNumber;
    m_sessions.push_back(std::make_unique<TFTPSession>(*this, m_template, source, m_handler,
                                                       m_rootDirectory, request.fileNameIsUtf8));
    TFTPSession* session = m_sessions.back().get();
    m_handlingRequest = false;
    session->Begin();
}

void NvTFTPServer::Housekeeping()
{
    if (m_inHousekeeping)
        return;
    m_inHousekeeping = true;
    const qint64 now = Now();
    // Indexes, not iterators: a handler that processes events may append sessions meanwhile.
    for (size_t i = 0; i < m_sessions.size(); ++i) {
        TFTPSession& session = *m_sessions[i];
        if (session.IsReporting())
            continue;
        if (session.State() != TFTPSession::Active) {
            RemoveSession(i, false);
            break;
        }
        if (!session.DeadlinePassed(now))
            continue;
        // An upload is not retransmitted: the client repeats its DATA block itself.
        if (session.Message().type == 2 || session.Message().sendCount >= m_sendLimit) {
            RemoveSession(i, true);
            break;
        }
        session.Retransmit();
    }
    m_inHousekeeping = false;
}

void NvTFTPServer::RemoveSession(size_t index, bool timedOut)
{
    std::unique_ptr<TFTPSession> session = std::move(m_sessions[index]);
    m_sessions.erase(m_sessions.begin() + static_cast<std::ptrdiff_t>(index));
    if (timedOut)
        session->TimeOut();
}
