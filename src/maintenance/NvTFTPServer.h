#pragma once

#include "NvTFTPMsg.h"
#include "TFTPAnnouncedFiles.h"
#include "TFTPPacket.h"
#include "TFTPSession.h"
#include "TFTPSocket.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

// What a page shows, followed at once by the error's message, when the server cannot start.
inline const char kTFTPServiceInitError[] = "TFTP Service Init Error:";

// The TFTP server of a page that moves files to or from the device (RFC 1350, 512-byte blocks,
// no options). It listens for requests, runs each transfer as a TFTPSession with its own socket,
// and retransmits and cleans up on a housekeeping timer; everything runs on the event loop of
// the thread that owns it.
class NvTFTPServer : public QObject
{
    Q_OBJECT
public:
    using OnTFTPMessage = TFTPSession::OnTFTPMessage;
    using TickSource = std::function<qint64()>;

    // The template's server address is the first IPv4 address of the PC's host name.
    explicit NvTFTPServer(QObject* owner = nullptr);
    // Stops, then removes the sessions still alive without reporting them.
    ~NvTFTPServer() override;

    // The port the pages start on: 69 unless the environment moves it.
    static quint16 DefaultPort();

    // timeout: the wait for an answer in units of 10 ms, copied into each new session;
    // sendLimit: the most times one DATA block is sent.
    void SetTimeout(int timeout, int sendLimit);
    // Called at every status change of every session with the session's message; setting
    // cancel stops that session at its next accepted packet (-1114).
    void SetOnMessage(OnTFTPMessage handler);

    // Takes rootDirectory as the folder later requests are served from (a separator is appended
    // unless it is empty or ends in one) and, unless already listening, listens on port (0: a
    // port the platform picks). Throws NvError -1109 when the port cannot be bound.
    void Start(const QString& rootDirectory, quint16 port);
    // Stops listening, lets the sessions finish while processing events (at most the stop wait,
    // 10 s), then stops the housekeeping.
    void Stop();

    // Only announced files are served; before the first announcement every request is refused
    // (ERROR 2, -1103). A page announces the file it names to the device: a folder and bare
    // name, or the full local path when it gives the device that path.
    void AnnounceFile(const QString& folder, const QString& fileName);
    void AnnounceFile(const QString& localPath);
    // Every file below folder (the command-line server).
    void AnnounceFolder(const QString& folder);

    const NvTFTPMsg& Template() const { return m_template; }
    const QString& RootDirectory() const { return m_rootDirectory; }
    int SendLimit() const { return m_sendLimit; }
    bool IsListening() const { return m_listener.IsOpen(); }
    // The port actually bound, 0 when not listening.
    quint16 ListeningPort() const { return m_listener.LocalPort(); }
    int SessionCount() const { return static_cast<int>(m_sessions.size()); }
    // The live sessions in creation order.
    const TFTPSession& Session(int index) const { return *m_sessions.at(index); }

    // Timing, replaceable so that tests need not wait: the millisecond tick count deadlines are
    // taken from (never 0), the housekeeping period (20 ms) and the stop wait (10,000 ms).
    void SetTickSource(TickSource source);
    void SetHousekeepingPeriod(int milliseconds);
    void SetStopWaitLimit(int milliseconds);

    // One housekeeping tick: removes the first finished session, or retransmits and times out
    // the sessions whose deadline has passed. The timer runs it every period.
    void Housekeeping();

private:
    friend class TFTPSession;

    qint64 Now() const;
    bool IsBeingWritten(const QString& path, const TFTPSession* except) const;
    void OnRequest();
    void RemoveSession(size_t index, bool timedOut);

    int m_sendLimit = 3;
    NvTFTPMsg m_template;
    OnTFTPMessage m_handler;
    QString m_rootDirectory;
    TFTPAnnouncedFiles m_announced;
    TFTPSocket m_listener;
    std::vector<std::unique_ptr<TFTPSession>> m_sessions;
    QTimer m_timer;
    bool m_handlingRequest = false; // the lock around request handling
    bool m_inHousekeeping = false;
    std::array<char, TFTPPacket::kBufferSize> m_requestBuffer{};
    TickSource m_tickSource;
    QElapsedTimer m_clock;
    int m_stopWaitLimit = 10000;
};
