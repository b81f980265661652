#include "TFTPSocket.h"

#include <QSocketNotifier>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TFTPSocket::TFTPSocket() = default;

TFTPSocket::~TFTPSocket()
{
    Close();
}

bool TFTPSocket::Open(quint16 port)
{
    Close();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        if (m_readHandler)
            m_readHandler();
    });
    return true;
}

void TFTPSocket::Close()
{
    // The notifier must go before its descriptor is closed and perhaps reused.
    m_notifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

quint16 TFTPSocket::LocalPort() const
{
    if (m_fd < 0)
        return 0;
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

void TFTPSocket::SetReadHandler(std::function<void()> handler)
{
    m_readHandler = std::move(handler);
}

qint64 TFTPSocket::Receive(char* buffer, qint64 size, TFTPEndpoint& from)
{
    if (m_fd < 0)
        return -1;
    sockaddr_in source{};
    socklen_t length = sizeof source;
    ssize_t received;
    do {
        received = ::recvfrom(m_fd, buffer, static_cast<size_t>(size), 0,
                              reinterpret_cast<sockaddr*>(&source), &length);
    } while (received < 0 && errno == EINTR);
    if (received < 0 || source.sin_family != AF_INET)
        return -1;
    from.address = ntohl(source.sin_addr.s_addr);
    from.port = ntohs(source.sin_port);
    return received;
}

bool TFTPSocket::Send(const char* data, qint64 size, const TFTPEndpoint& to)
{
    if (m_fd < 0)
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(to.address);
    target.sin_port = htons(to.port);
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, data, static_cast<size_t>(size), 0,
                        reinterpret_cast<const sockaddr*>(&target), sizeof target);
    } while (sent < 0 && errno == EINTR);
    return sent == size;
}
