#pragma once

#include "NvSNMPTypes.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>

// net-snmp's snmpd on 127.0.0.1 and a free port, configured from a temporary folder that also
// holds its persistent files. Communities: "public" (read, whole MIB), "sysonly" (read, system
// group only: walks of sysORTable run into the end of the view), "private" (write sysContact,
// sysName, sysLocation), "tables" (read and write snmpNotifyTable, 1.3.6.1.6.3.13.1.1: a table
// whose rows SNMP creates and destroys through its RowStatus column, IMPLIED name index). SNMPv3
// users: "md5user" (MD5, authNoPriv), "desuser" (SHA + DES), "aesuser" (SHA + AES), "sha256user"
// (SHA-256 + AES), all authPriv-capable with read-write access except md5user (read).
class SnmpdFixture
{
public:
    ~SnmpdFixture();

    // Starts snmpd and waits until it listens; false (with a reason) when it does not.
    bool Start(QString* error);
    void Stop();

    uint16_t port() const { return m_port; }
    NvSNMPDevice device() const { return NvSNMPDevice{QStringLiteral("127.0.0.1"), m_port}; }

    // Runs one of net-snmp's command-line tools against the agent: options, the agent's
    // address, then the OIDs. Returns its standard output.
    QString RunTool(const QString& tool, const QStringList& options, const QStringList& oids) const;

    static NvSNMPSecurity Community(uint8_t version, const QString& community);
    static NvSNMPSecurity User(const QString& name, int auth, const QString& authPassword, int priv,
                               const QString& privPassword, int level);

    static constexpr const char* kAuthPassword = "shapassword";
    static constexpr const char* kMd5Password = "md5password";
    static constexpr const char* kDesPassword = "despassword";
    static constexpr const char* kAesPassword = "aespassword";
    static constexpr const char* kSha256Password = "sha256password";

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    uint16_t m_port = 0;
};

// A UDP socket on 127.0.0.1 that never answers and counts what it receives.
class SilentPeer
{
public:
    SilentPeer();
    ~SilentPeer();
    SilentPeer(const SilentPeer&) = delete;
    SilentPeer& operator=(const SilentPeer&) = delete;

    uint16_t port() const { return m_port; }
    NvSNMPDevice device() const { return NvSNMPDevice{QStringLiteral("127.0.0.1"), m_port}; }
    // Datagrams received since the last call.
    int TakeReceived();

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};

// A free UDP port on 127.0.0.1 (bound and released).
uint16_t FreeUdpPort();
