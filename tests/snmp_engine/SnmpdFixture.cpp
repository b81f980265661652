#include "SnmpdFixture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int boundUdpSocket(uint16_t& port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

uint16_t FreeUdpPort()
{
    uint16_t port = 0;
    const int fd = boundUdpSocket(port);
    if (fd >= 0)
        close(fd);
    return port;
}

SnmpdFixture::~SnmpdFixture()
{
    Stop();
}

bool SnmpdFixture::Start(QString* error)
{
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    m_port = FreeUdpPort();
    const QString dir = m_dir.path();
    const QString config = QStringLiteral(R"(agentaddress udp:127.0.0.1:%1
agentxsocket %2/agentx.sock
dontLogTCPWrappersConnects yes
view all included .1
view sysview included .1.3.6.1.2.1.1
view writable included .1.3.6.1.2.1.1.4
view writable included .1.3.6.1.2.1.1.5
view writable included .1.3.6.1.2.1.1.6
view notify included .1.3.6.1.6.3.13.1.1
rocommunity public 127.0.0.1 -V all
rocommunity sysonly 127.0.0.1 -V sysview
rwcommunity private 127.0.0.1 -V writable
rwcommunity tables 127.0.0.1 -V notify
createUser md5user MD5 %3
createUser desuser SHA %4 DES %5
createUser aesuser SHA %4 AES %6
createUser sha256user SHA-256 %7 AES %6
rouser md5user auth -V all
rwuser desuser priv -V all
rwuser aesuser priv -V all
rwuser sha256user priv -V all
)")
                               .arg(m_port)
                               .arg(dir, QLatin1String(kMd5Password), QLatin1String(kAuthPassword),
                                    QLatin1String(kDesPassword), QLatin1String(kAesPassword),
                                    QLatin1String(kSha256Password));
    QFile file(dir + QStringLiteral("/snmpd.conf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        *error = QStringLiteral("cannot write snmpd.conf");
        return false;
    }
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), dir + QStringLiteral("/persist"));
    environment.insert(QStringLiteral("MIBS"), QString());
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // -f foreground, -Lo log to standard output, -C no configuration but ours, -r do not
    // insist on root-only files; running as root it keeps its privileges.
    m_process.start(QStringLiteral("snmpd"),
                    {QStringLiteral("-f"), QStringLiteral("-Lo"), QStringLiteral("-C"),
                     QStringLiteral("-r"), QStringLiteral("-c"), file.fileName(),
                     QStringLiteral("-p"), dir + QStringLiteral("/snmpd.pid")});
    if (!m_process.waitForStarted(5000)) {
        *error = QStringLiteral("snmpd does not start: ") + m_process.errorString();
        return false;
    }
    // snmpd announces its version once it listens.
    QByteArray output;
    const QDeadlineTimer deadline(15000);
    while (!output.contains("NET-SNMP version")) {
        if (m_process.state() != QProcess::Running || deadline.hasExpired()) {
            *error = QStringLiteral("snmpd is not ready: ") + QString::fromLocal8Bit(output);
            return false;
        }
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        output += m_process.readAll();
    }
    return true;
}

void SnmpdFixture::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString SnmpdFixture::RunTool(const QString& tool, const QStringList& options,
                              const QStringList& oids) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIBS"), QString());
    environment.insert(QStringLiteral("SNMP_PERSISTENT_DIR"),
                       m_dir.path() + QStringLiteral("/tools"));
    process.setProcessEnvironment(environment);
    process.start(tool, options + QStringList{QStringLiteral("127.0.0.1:%1").arg(m_port)} + oids);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

NvSNMPSecurity SnmpdFixture::Community(uint8_t version, const QString& community)
{
    NvSNMPSecurity security;
    security.version = version;
    security.readCommunity = community;
    security.writeCommunity = community;
    return security;
}

NvSNMPSecurity SnmpdFixture::User(const QString& name, int auth, const QString& authPassword,
                                  int priv, const QString& privPassword, int level)
{
    NvSNMPSecurity security;
    security.version = SNMP_VERSION_CODE_3;
    security.securityModel = SECURITY_MODEL_USM;
    security.securityLevel = level;
    security.securityName = name;
    security.authProtocol = auth;
    security.authPassword = authPassword;
    security.privProtocol = priv;
    security.privPassword = privPassword;
    return security;
}

SilentPeer::SilentPeer()
{
    m_fd = boundUdpSocket(m_port);
}

SilentPeer::~SilentPeer()
{
    if (m_fd >= 0)
        close(m_fd);
}

int SilentPeer::TakeReceived()
{
    int count = 0;
    char buffer[4096];
    while (recv(m_fd, buffer, sizeof(buffer), MSG_DONTWAIT) >= 0)
        ++count;
    return count;
}
