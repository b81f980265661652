#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qtr::test {

// One variable as net-snmp's tools print it with -On: ".1.3.6.1.2.1.1.5.0 = STRING: "x"".
struct ToolVarbind
{
    QString oid;   // dotted, without the leading dot
    QString type;  // "INTEGER", "STRING", "IpAddress", "Hex-STRING", "Timeticks", ...; empty
                   // for an exception
    QString value; // strings without their quotes; Timeticks as the number of hundredths;
                   // the tool's text for an exception ("No Such Object available ...")
    QString hex;   // for a STRING, its octets in lower-case hex
};

struct ToolResult
{
    int exitCode = -1;
    bool timedOut = false; // the agent did not answer
    QString errorStatus;   // of an error response: "notWritable", "noSuchName", "genErr", ...
    QList<ToolVarbind> varbinds;
    QString output;
    QString error;

    bool ok() const { return exitCode == 0 && !timedOut && errorStatus.isEmpty(); }
    // The value of oid in the varbinds; a null string when it is not among them or the agent
    // answered with an exception (noSuchObject, noSuchInstance, endOfMibView).
    QString value(const QString& oid) const;
};

// net-snmp's command-line tools (snmpget, snmpset, snmpwalk, package snmp) as an independent
// SNMP client, so that tests check an agent with somebody else's implementation of the protocol.
class SnmpTool
{
public:
    // address: "HOST:PORT". The security arguments default to SNMPv2c with community "public".
    explicit SnmpTool(const QString& address,
                      const QStringList& security = {QStringLiteral("-v2c"), QStringLiteral("-c"),
                                                     QStringLiteral("public")});

    // Request time-out in seconds and retries (defaults 2 and 1).
    void setTimeout(double seconds, int retries);

    ToolResult get(const QStringList& oids) const;
    ToolResult walk(const QString& oid = QString()) const;
    // Each assignment is OID, net-snmp's type letter (i, u, s, x, a, o, t) and the value.
    struct Assignment
    {
        QString oid;
        QString type;
        QString value;
    };
    ToolResult set(const QList<Assignment>& assignments) const;
    // Any tool with the common arguments (security, -On, time-out) and the address added.
    ToolResult run(const QString& tool, const QStringList& arguments) const;

private:
    QString m_address;
    QStringList m_security;
    double m_timeout = 2;
    int m_retries = 1;
};

} // namespace qtr::test
