#pragma once

#include "Oid.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <optional>

namespace sim {

// One SNMP value as the device holds it. The ASN.1 tag says which member counts: number for
// INTEGER (two's complement), Counter32, Gauge32, TimeTicks and Counter64; bytes for OCTET STRING,
// IpAddress (4 octets, network order) and Opaque; objectId for OBJECT IDENTIFIER.
struct Value
{
    u_char type = ASN_NULL;
    quint64 number = 0;
    QByteArray bytes;
    Oid objectId;

    static Value integer(qint64 number);
    static Value unsignedOf(u_char type, quint64 number);
    static Value octets(const QByteArray& bytes);
    static Value ipAddress(quint32 hostOrder);
    static Value objectIdentifier(const Oid& value);

    qint64 asInteger() const { return static_cast<qint64>(number); }
    quint32 ipv4() const; // host order; 0 unless a 4-octet IpAddress

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

    static Value fromVarbind(const netsnmp_variable_list& varbind);
    void storeInto(netsnmp_variable_list* varbind) const;

    // "INTEGER", "OCTET STRING", "IpAddress", ... as the event log names them.
    QString typeName() const;
    // The value in the form the event log and the tools show: decimal numbers, dotted
    // addresses and OIDs, the text of an octet string (decoded as UTF-8).
    QString text() const;
    // {"type": ..., "value": ...} plus "hex" for octet strings.
    QJsonObject toJson() const;
};

// IPv4 addresses in dotted form (host order numbers).
std::optional<quint32> parseDottedQuad(QStringView text);
QString dottedQuad(quint32 hostOrder);

// The snmprec tags: 2 INTEGER, 4 OCTET STRING, 5 NULL, 6 OID, 64 IpAddress, 65 Counter32,
// 66 Gauge32, 67 TimeTicks, 68 Opaque, 70 Counter64. With hex set, text is the hex form of the
// octets. Returns nothing and an explanation for a tag or value it cannot take.
std::optional<Value> valueFromTag(int tag, bool hex, QStringView text, QString* error);

// "KEYWORD:VALUE" of --set: integer|i, unsigned|gauge32|u, counter32, counter64, timeticks|t,
// string|s, hex|x, oid|o, ipaddress|a, opaque, or a numeric snmprec tag such as 4x.
std::optional<Value> valueFromKeyword(QStringView keywordAndValue, QString* error);

} // namespace sim
