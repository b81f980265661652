#include "Value.h"

#include <arpa/inet.h>

namespace sim {

std::optional<quint32> parseDottedQuad(QStringView text)
{
    in_addr address{};
    if (inet_pton(AF_INET, text.trimmed().toLatin1().constData(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

QString dottedQuad(quint32 hostOrder)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(hostOrder >> 24)
        .arg((hostOrder >> 16) & 0xFF)
        .arg((hostOrder >> 8) & 0xFF)
        .arg(hostOrder & 0xFF);
}

Value Value::integer(qint64 number)
{
    Value v;
    v.type = ASN_INTEGER;
    v.number = static_cast<quint64>(number);
    return v;
}

Value Value::unsignedOf(u_char type, quint64 number)
{
    Value v;
    v.type = type;
    v.number = number;
    return v;
}

Value Value::octets(const QByteArray& bytes)
{
    Value v;
    v.type = ASN_OCTET_STR;
    v.bytes = bytes;
    return v;
}

Value Value::ipAddress(quint32 hostOrder)
{
    Value v;
    v.type = ASN_IPADDRESS;
    v.bytes.resize(4);
    for (int i = 0; i < 4; ++i)
        v.bytes[i] = static_cast<char>((hostOrder >> (24 - 8 * i)) & 0xFF);
    return v;
}

Value Value::objectIdentifier(const Oid& value)
{
    Value v;
    v.type = ASN_OBJECT_ID;
    v.objectId = value;
    return v;
}

quint32 Value::ipv4() const
{
    if (type != ASN_IPADDRESS || bytes.size() != 4)
        return 0;
    quint32 result = 0;
    for (int i = 0; i < 4; ++i)
        result = (result << 8) | static_cast<quint8>(bytes[i]);
    return result;
}

bool Value::operator==(const Value& other) const
{
    return type == other.type && number == other.number && bytes == other.bytes &&
           objectId == other.objectId;
}

Value Value::fromVarbind(const netsnmp_variable_list& varbind)
{
    Value v;
    v.type = varbind.type;
    switch (varbind.type) {
    case ASN_INTEGER:
        if (varbind.val.integer && varbind.val_len >= sizeof(long))
            v.number = static_cast<quint64>(static_cast<qint64>(*varbind.val.integer));
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
        if (varbind.val.integer && varbind.val_len >= sizeof(long))
            v.number = static_cast<quint64>(*varbind.val.integer) & 0xFFFFFFFFu;
        break;
    case ASN_COUNTER64:
        if (varbind.val.counter64 && varbind.val_len >= sizeof(counter64))
            v.number = (static_cast<quint64>(varbind.val.counter64->high) << 32) |
                       (varbind.val.counter64->low & 0xFFFFFFFFu);
        break;
    case ASN_OBJECT_ID:
        if (varbind.val.objid)
            v.objectId.assign(varbind.val.objid, varbind.val.objid + varbind.val_len / sizeof(oid));
        break;
    case ASN_NULL:
        break;
    default: // OCTET STRING, IpAddress, Opaque, BITS and whatever else a client sends
        if (varbind.val.string && varbind.val_len > 0)
            v.bytes = QByteArray(reinterpret_cast<const char*>(varbind.val.string),
                                 static_cast<int>(varbind.val_len));
        break;
    }
    return v;
}

void Value::storeInto(netsnmp_variable_list* varbind) const
{
    switch (type) {
    case ASN_INTEGER: {
        const long n = static_cast<long>(asInteger());
        snmp_set_var_typed_value(varbind, type, &n, sizeof n);
        break;
    }
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER: {
        const u_long n = static_cast<u_long>(number & 0xFFFFFFFFu);
        snmp_set_var_typed_value(varbind, type, &n, sizeof n);
        break;
    }
    case ASN_COUNTER64: {
        counter64 c;
        c.high = static_cast<u_long>(number >> 32);
        c.low = static_cast<u_long>(number & 0xFFFFFFFFu);
        snmp_set_var_typed_value(varbind, type, &c, sizeof c);
        break;
    }
    case ASN_OBJECT_ID:
        snmp_set_var_typed_value(varbind, type, objectId.data(), objectId.size() * sizeof(oid));
        break;
    case ASN_NULL:
        snmp_set_var_typed_value(varbind, type, nullptr, 0);
        break;
    default:
        snmp_set_var_typed_value(varbind, type, bytes.constData(),
                                 static_cast<size_t>(bytes.size()));
        break;
    }
}

QString Value::typeName() const
{
    switch (type) {
    case ASN_INTEGER:
        return QStringLiteral("INTEGER");
    case ASN_OCTET_STR:
        return QStringLiteral("OCTET STRING");
    case ASN_NULL:
        return QStringLiteral("NULL");
    case ASN_OBJECT_ID:
        return QStringLiteral("OBJECT IDENTIFIER");
    case ASN_IPADDRESS:
        return QStringLiteral("IpAddress");
    case ASN_COUNTER:
        return QStringLiteral("Counter32");
    case ASN_GAUGE:
        return QStringLiteral("Gauge32");
    case ASN_TIMETICKS:
        return QStringLiteral("TimeTicks");
    case ASN_OPAQUE:
        return QStringLiteral("Opaque");
    case ASN_COUNTER64:
        return QStringLiteral("Counter64");
    case ASN_BIT_STR:
        return QStringLiteral("BITS");
    default:
        return QStringLiteral("0x%1").arg(type, 2, 16, QLatin1Char('0'));
    }
}

QString Value::text() const
{
    switch (type) {
    case ASN_INTEGER:
        return QString::number(asInteger());
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
    case ASN_COUNTER64:
        return QString::number(number);
    case ASN_OBJECT_ID:
        return oidText(objectId);
    case ASN_NULL:
        return QString();
    case ASN_IPADDRESS:
        if (bytes.size() == 4)
            return dottedQuad(ipv4());
        return QString::fromLatin1(bytes.toHex());
    case ASN_OCTET_STR:
        return QString::fromUtf8(bytes);
    default:
        return QString::fromLatin1(bytes.toHex());
    }
}

QJsonObject Value::toJson() const
{
    QJsonObject object{{QStringLiteral("type"), typeName()}, {QStringLiteral("value"), text()}};
    if (type == ASN_OCTET_STR)
        object.insert(QStringLiteral("hex"), QString::fromLatin1(bytes.toHex()));
    return object;
}

namespace {

std::optional<quint64> parseUnsigned(QStringView text, quint64 max)
{
    bool ok = false;
    const qulonglong n = text.trimmed().toULongLong(&ok, 10);
    if (!ok || n > max)
        return std::nullopt;
    return n;
}

std::optional<QByteArray> parseHex(QStringView text)
{
    QByteArray digits;
    for (QChar c : text) {
        if (c.isSpace() || c == u':')
            continue;
        if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7F)
            return std::nullopt;
        digits += c.toLatin1();
    }
    if (digits.size() % 2 != 0)
        return std::nullopt;
    return QByteArray::fromHex(digits);
}

} // namespace

std::optional<Value> valueFromTag(int tag, bool hex, QStringView text, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<Value> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (hex) {
        const auto bytes = parseHex(text);
        if (!bytes)
            return fail(QStringLiteral("not a hex string: %1").arg(text));
        if (tag == 4 || tag == 64 || tag == 68) {
            Value v = Value::octets(*bytes);
            v.type = tag == 4 ? ASN_OCTET_STR : tag == 64 ? ASN_IPADDRESS : ASN_OPAQUE;
            if (v.type == ASN_IPADDRESS && v.bytes.size() != 4)
                return fail(QStringLiteral("an IpAddress has 4 octets: %1").arg(text));
            return v;
        }
        return fail(QStringLiteral("tag %1 has no hex form").arg(tag));
    }
    switch (tag) {
    case 2: {
        bool ok = false;
        const qlonglong n = text.trimmed().toLongLong(&ok, 10);
        if (!ok || n < -2147483648LL || n > 2147483647LL)
            return fail(QStringLiteral("not a 32-bit integer: %1").arg(text));
        return Value::integer(n);
    }
    case 4:
        return Value::octets(text.toUtf8());
    case 5:
        return Value();
    case 6: {
        auto parsed = parseOid(text);
        if (!parsed)
            return fail(QStringLiteral("not an OID: %1").arg(text));
        return Value::objectIdentifier(*parsed);
    }
    case 64: {
        const auto address = parseDottedQuad(text);
        if (!address)
            return fail(QStringLiteral("not an IPv4 address: %1").arg(text));
        return Value::ipAddress(*address);
    }
    case 65:
    case 66:
    case 67: {
        const auto n = parseUnsigned(text, 0xFFFFFFFFu);
        if (!n)
            return fail(QStringLiteral("not a 32-bit unsigned number: %1").arg(text));
        const u_char type = tag == 65 ? ASN_COUNTER : tag == 66 ? ASN_GAUGE : ASN_TIMETICKS;
        return Value::unsignedOf(type, *n);
    }
    case 68: {
        const auto bytes = parseHex(text);
        if (!bytes)
            return fail(QStringLiteral("an Opaque value is hex: %1").arg(text));
        Value v = Value::octets(*bytes);
        v.type = ASN_OPAQUE;
        return v;
    }
    case 70: {
        const auto n = parseUnsigned(text, ~quint64(0));
        if (!n)
            return fail(QStringLiteral("not a 64-bit unsigned number: %1").arg(text));
        return Value::unsignedOf(ASN_COUNTER64, *n);
    }
    default:
        return fail(QStringLiteral("unknown tag %1").arg(tag));
    }
}

std::optional<Value> valueFromKeyword(QStringView keywordAndValue, QString* error)
{
    const qsizetype colon = keywordAndValue.indexOf(u':');
    if (colon < 0) {
        if (error)
            *error = QStringLiteral("expected KEYWORD:VALUE, got %1").arg(keywordAndValue);
        return std::nullopt;
    }
    const QString keyword = keywordAndValue.left(colon).trimmed().toString().toLower();
    const QStringView text = keywordAndValue.mid(colon + 1);
    struct Keyword
    {
        const char* names;
        int tag;
        bool hex;
    };
    static const Keyword keywords[] = {
        {"integer,i,integer32", 2, false},
        {"string,s,octets", 4, false},
        {"hex,x", 4, true},
        {"oid,o,objectid", 6, false},
        {"ipaddress,a", 64, false},
        {"counter32,counter,c", 65, false},
        {"gauge32,gauge,unsigned,u", 66, false},
        {"timeticks,t", 67, false},
        {"opaque", 68, true},
        {"counter64", 70, false},
    };
    for (const Keyword& k : keywords) {
        if (QString::fromLatin1(k.names).split(u',').contains(keyword))
            return valueFromTag(k.tag, k.hex, text, error);
    }
    // The numeric snmprec tags work here too, so a line of a data file can be pasted.
    QString digits = keyword;
    const bool hex = digits.endsWith(u'x');
    if (hex)
        digits.chop(1);
    bool ok = false;
    const int tag = digits.toInt(&ok);
    if (ok)
        return valueFromTag(tag, hex, text, error);
    if (error)
        *error = QStringLiteral("unknown type keyword %1").arg(keyword);
    return std::nullopt;
}

} // namespace sim
