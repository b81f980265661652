#pragma once

#include "TFTPEndpoint.h"

#include <QtGlobal>
#include <functional>
#include <memory>

class QSocketNotifier;

// A UDP socket on the event loop of the thread that opens it. It works on the platform socket
// directly: the transfer path receives into and sends from the caller's fixed buffers, so a
// datagram costs no allocation (QUdpSocket builds address objects for every datagram).
class TFTPSocket
{
public:
    TFTPSocket();
    ~TFTPSocket();
    TFTPSocket(const TFTPSocket&) = delete;
    TFTPSocket& operator=(const TFTPSocket&) = delete;

    // Binds to any local IPv4 address at port (0: a port the platform picks). The address is
    // not shared: a port that another socket holds fails here instead of splitting datagrams
    // between two servers.
    bool Open(quint16 port);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    quint16 LocalPort() const;

    // Called on the event loop whenever a datagram waits.
    void SetReadHandler(std::function<void()> handler);

    // One datagram into buffer; its length, or -1 when nothing could be received.
    qint64 Receive(char* buffer, qint64 size, TFTPEndpoint& from);
    // Sends one datagram; false unless all of it went out.
    bool Send(const char* data, qint64 size, const TFTPEndpoint& to);

private:
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_readHandler;
};
