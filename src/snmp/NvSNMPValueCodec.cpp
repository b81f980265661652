#include "NvSNMPValueCodec.h"

#include "NvDateTime.h"
#include "NvError.h"
#include "NvSyntax.h"
#include "NvValueText.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QString kNull = QStringLiteral("(NULL)");
constexpr size_t kMaxOidArcs = 128;

[[noreturn]] void badSyntax()
{
    throw NvError::FromCode(-511);
}

uint32_t clampUnsigned32(int64_t value)
{
    if (value < 0)
        return 0;
    return value > int64_t(std::numeric_limits<uint32_t>::max())
               ? std::numeric_limits<uint32_t>::max()
               : static_cast<uint32_t>(value);
}

int32_t clampSigned32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

uint64_t realToUnsigned64(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= 18446744073709551615.0)
        return std::numeric_limits<uint64_t>::max();
    return static_cast<uint64_t>(value);
}

QByteArray doubleOctets(double value)
{
    QByteArray octets(sizeof(double), '\0');
    std::memcpy(octets.data(), &value, sizeof(double));
    return octets;
}

bool octetsDouble(const QByteArray& octets, double& value)
{
    if (octets.size() < int(sizeof(double)))
        return false;
    std::memcpy(&value, octets.constData(), sizeof(double));
    return true;
}

uint64_t doubleBits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

double bitsDouble(uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof(bits));
    return value;
}

// Octets of a binding whatever its type, for the octet syntaxes.
QByteArray octetsOf(const NvSNMPVb& vb)
{
    return vb.octets;
}

bool isNumericType(uint8_t type)
{
    return type == VB_INTEGER || type == VB_COUNTER32 || type == VB_GAUGE32 ||
           type == VB_TIMETICKS || type == VB_UINTEGER32 || type == VB_COUNTER64;
}

// The number a binding carries, as the widest signed value; integers of INTEGER stay signed.
int64_t numberOf(const NvSNMPVb& vb)
{
    if (vb.type == VB_COUNTER64)
        return vb.counter64 > uint64_t(std::numeric_limits<int64_t>::max())
                   ? std::numeric_limits<int64_t>::max()
                   : int64_t(vb.counter64);
    return vb.integer;
}

QString unsignedText(const NvSNMPVb& vb)
{
    if (vb.type == VB_COUNTER64)
        return QString::number(vb.counter64);
    if (vb.type == VB_INTEGER)
        return QString::number(static_cast<uint32_t>(vb.integer));
    return QString::number(clampUnsigned32(vb.integer));
}

QString rawValueText(uint32_t syntax, const NvSNMPVb& vb)
{
    switch (syntax) {
    case SYN_BOOLEAN:
        return numberOf(vb) != 0 ? QStringLiteral("true") : QStringLiteral("false");
    case SYN_INTEGER:
        // A counter, gauge or time-ticks value read into an integer item stays unsigned, so
        // that values above 2^31 do not turn negative.
        if (vb.IsUnsigned32() || vb.type == VB_COUNTER64)
            return unsignedText(vb);
        return isNumericType(vb.type) ? QString::number(vb.integer) : kNull;
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_MACADDRESS:
        return OctetsToHex(octetsOf(vb));
    case SYN_NULL:
        return kNull;
    case SYN_OID:
        return vb.type == VB_OID ? vb.objectId : kNull;
    case SYN_IPADDRESS:
    case SYN_NSAP:
        return vb.octets.size() == 4 ? NvSNMPValueCodec::DottedQuad(vb.octets) : kNull;
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
    case SYN_COUNTER64:
        return isNumericType(vb.type) ? unsignedText(vb) : kNull;
    case SYN_TIMETICKS:
        return isNumericType(vb.type) ? TimeTicksToText(static_cast<uint32_t>(vb.integer)) : kNull;
    case SYN_DOUBLE: {
        double value = 0;
        return octetsDouble(vb.octets, value) ? RealToText(value) : kNull;
    }
    case SYN_DATEANDTIME:
        return vb.type == VB_OCTETS && !vb.octets.isEmpty()
                   ? NvDateTime::FromOctets(vb.octets).Format()
                   : kNull;
    case SYN_DATETIME_REAL: {
        double value = 0;
        return octetsDouble(vb.octets, value) ? NvSNMPValueCodec::DayCountToText(value) : kNull;
    }
    case SYN_DISPLAYSTRING: {
        if (vb.type != VB_OCTETS && vb.type != VB_OPAQUE)
            return vb.PrintableValue();
        const int nul = vb.octets.indexOf('\0');
        return QString::fromUtf8(nul < 0 ? vb.octets : vb.octets.left(nul));
    }
    default:
        badSyntax();
    }
}

QStringList splitArcs(const QString& suffix)
{
    return suffix.isEmpty() ? QStringList() : suffix.split(QLatin1Char('.'));
}

uint32_t arcValue(const QString& arc)
{
    return clampUnsigned32(LeadingInteger(arc));
}

QString joinArcs(const QVector<uint64_t>& arcs)
{
    QStringList parts;
    parts.reserve(arcs.size());
    for (const uint64_t arc : arcs)
        parts.append(QString::number(arc));
    return parts.join(QLatin1Char('.'));
}

QString octetArcs(const QByteArray& octets, bool withLength)
{
    QVector<uint64_t> arcs;
    if (withLength)
        arcs.append(uint64_t(octets.size()));
    for (const char c : octets)
        arcs.append(static_cast<uint8_t>(c));
    return joinArcs(arcs);
}

QByteArray octetsFromArcs(const QStringList& arcs, int from, int count)
{
    QByteArray octets;
    for (int i = from; i < from + count && i < arcs.size(); ++i)
        octets.append(static_cast<char>(arcValue(arcs[i]) & 0xFF));
    return octets;
}

QString restAfter(const QStringList& arcs, int used)
{
    return used >= arcs.size() ? QString() : arcs.mid(used).join(QLatin1Char('.'));
}

} // namespace

namespace NvSNMPValueCodec {

uint8_t WireTypeOf(uint32_t syntax)
{
    switch (syntax) {
    case SYN_BOOLEAN:
    case SYN_INTEGER:
        return VB_INTEGER;
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_DOUBLE:
    case SYN_MACADDRESS:
    case SYN_DATEANDTIME:
    case SYN_DATETIME_REAL:
    case SYN_DISPLAYSTRING:
        return VB_OCTETS;
    case SYN_NULL:
        return VB_NULL;
    case SYN_OID:
        return VB_OID;
    case SYN_IPADDRESS:
    case SYN_NSAP:
        return VB_IPADDRESS;
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        return VB_GAUGE32;
    case SYN_TIMETICKS:
        return VB_TIMETICKS;
    case SYN_COUNTER64:
        return VB_COUNTER64;
    default:
        badSyntax();
    }
}

QString ValueText(uint32_t syntax, const NvSNMPVb& vb)
{
    const QString text = rawValueText(syntax, vb);
    if (IsHexSyntax(syntax) || !vb.IsPrintableEmpty())
        return text;
    return syntax == SYN_DISPLAYSTRING ? QString() : kNull;
}

void FillVb(uint32_t syntax, const QString& text, NvSNMPVb& vb)
{
    vb.type = WireTypeOf(syntax); // raises -511 for what cannot be written
    vb.integer = 0;
    vb.counter64 = 0;
    vb.octets.clear();
    vb.objectId.clear();
    if (text == kNull) {
        vb.type = VB_NULL;
        return;
    }
    switch (syntax) {
    case SYN_BOOLEAN:
        vb.integer = text == QLatin1String("true") ? 1 : 0;
        break;
    case SYN_INTEGER:
        vb.integer = clampSigned32(LeadingInteger(text));
        break;
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_MACADDRESS:
        vb.octets = HexToOctets(text);
        break;
    case SYN_OID: {
        std::vector<uint32_t> arcs;
        if (!ParseOid(text, arcs) || arcs.size() < 2)
            badSyntax();
        vb.objectId = OidText(arcs.data(), arcs.size());
        break;
    }
    case SYN_IPADDRESS:
    case SYN_NSAP:
        if (!ParseDottedQuad(text, vb.octets))
            badSyntax();
        break;
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        vb.integer = clampUnsigned32(LeadingInteger(text));
        break;
    case SYN_TIMETICKS:
        vb.integer = TextToTimeTicks(text);
        break;
    case SYN_COUNTER64:
        vb.counter64 = realToUnsigned64(TextToReal(text));
        break;
    case SYN_DOUBLE:
        vb.octets = doubleOctets(TextToReal(text));
        break;
    case SYN_DATEANDTIME: {
        NvDateTime value;
        value.Parse(text);
        vb.octets = value.ToOctets();
        break;
    }
    case SYN_DATETIME_REAL:
        vb.octets = doubleOctets(TextToDayCount(text));
        break;
    case SYN_DISPLAYSTRING:
        vb.octets = text.toUtf8();
        break;
    default:
        badSyntax();
    }
}

QString EncodeIndex(uint32_t syntax, const QString& value, bool lastImplied)
{
    switch (syntax) {
    case SYN_BOOLEAN:
        return value == QLatin1String("true") ? QStringLiteral("1") : QStringLiteral("0");
    case SYN_INTEGER:
        return QString::number(static_cast<uint32_t>(clampSigned32(LeadingInteger(value))));
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        return QString::number(clampUnsigned32(LeadingInteger(value)));
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
        return octetArcs(HexToOctets(value), !lastImplied);
    case SYN_DISPLAYSTRING:
        return octetArcs(value.toUtf8(), !lastImplied);
    case SYN_NULL:
        return QString();
    case SYN_OID: {
        std::vector<uint32_t> arcs;
        if (!ParseOid(value, arcs))
            arcs.clear();
        const QString dotted = OidText(arcs.data(), arcs.size());
        if (lastImplied)
            return dotted;
        return arcs.empty() ? QStringLiteral("0")
                            : QString::number(arcs.size()) + QLatin1Char('.') + dotted;
    }
    case SYN_IPADDRESS:
    case SYN_NSAP: {
        QByteArray octets;
        if (!ParseDottedQuad(value, octets))
            octets = QByteArray(4, '\0');
        return octetArcs(octets, false);
    }
    case SYN_TIMETICKS:
        return QString::number(TextToTimeTicks(value));
    case SYN_COUNTER64: {
        const uint64_t v = realToUnsigned64(TextToReal(value));
        return joinArcs({v >> 32, v & 0xFFFFFFFFu});
    }
    case SYN_DOUBLE:
    case SYN_DATETIME_REAL: {
        const double real = syntax == SYN_DOUBLE ? TextToReal(value) : TextToDayCount(value);
        const uint64_t bits = doubleBits(real);
        return joinArcs({bits & 0xFFFFFFFFu, bits >> 32});
    }
    case SYN_MACADDRESS: {
        const QByteArray octets = HexToOctets(value);
        return octets.size() < 6 ? QString() : octetArcs(octets.left(6), false);
    }
    case SYN_DATEANDTIME: {
        NvDateTime dt;
        dt.Parse(value);
        return octetArcs(dt.ToOctets(), false);
    }
    default:
        badSyntax();
    }
}

QString DecodeIndex(uint32_t syntax, const QString& suffix, bool lastImplied, QString& value)
{
    const QStringList arcs = splitArcs(suffix);
    auto first = [&] { return arcs.isEmpty() ? 0u : arcValue(arcs[0]); };
    switch (syntax) {
    case SYN_BOOLEAN:
        value = first() != 0 ? QStringLiteral("true") : QStringLiteral("false");
        return restAfter(arcs, 1);
    case SYN_INTEGER:
        value = QString::number(static_cast<int32_t>(first()));
        return restAfter(arcs, 1);
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        value = QString::number(first());
        return restAfter(arcs, 1);
    case SYN_TIMETICKS:
        value = TimeTicksToText(first());
        return restAfter(arcs, 1);
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_DISPLAYSTRING: {
        const int from = lastImplied ? 0 : 1;
        const int count = lastImplied ? int(arcs.size()) : int(first());
        const QByteArray octets = octetsFromArcs(arcs, from, count);
        if (syntax == SYN_DISPLAYSTRING) {
            const int nul = octets.indexOf('\0');
            value = QString::fromUtf8(nul < 0 ? octets : octets.left(nul));
        } else {
            value = OctetsToHex(octets);
        }
        return restAfter(arcs, from + count);
    }
    case SYN_NULL:
        value = kNull;
        return suffix;
    case SYN_OID: {
        const int from = lastImplied ? 0 : 1;
        const int count = lastImplied ? int(arcs.size()) : int(first());
        value = arcs.mid(from, count).join(QLatin1Char('.'));
        return restAfter(arcs, from + count);
    }
    case SYN_IPADDRESS:
    case SYN_NSAP:
        value = DottedQuad(octetsFromArcs(arcs, 0, 4).leftJustified(4, '\0'));
        return restAfter(arcs, 4);
    case SYN_COUNTER64: {
        const uint64_t high = first();
        const uint64_t low = arcs.size() > 1 ? arcValue(arcs[1]) : 0;
        value = QString::number(high << 32 | low);
        return restAfter(arcs, 2);
    }
    case SYN_DOUBLE:
    case SYN_DATETIME_REAL: {
        const uint64_t low = first();
        const uint64_t high = arcs.size() > 1 ? arcValue(arcs[1]) : 0;
        const double real = bitsDouble(high << 32 | low);
        value = syntax == SYN_DOUBLE ? RealToText(real) : DayCountToText(real);
        return restAfter(arcs, 2);
    }
    case SYN_MACADDRESS:
        value = OctetsToHex(octetsFromArcs(arcs, 0, 6));
        return restAfter(arcs, 6);
    case SYN_DATEANDTIME:
        value = NvDateTime::FromOctets(octetsFromArcs(arcs, 0, NvDateTime::kOctets)).Format();
        return restAfter(arcs, NvDateTime::kOctets);
    default:
        badSyntax();
    }
}

QString DayCountToText(double dayCount)
{
    if (!std::isfinite(dayCount) || std::fabs(dayCount) > 3.0e6)
        return kNull;
    const double whole = std::trunc(dayCount);
    int64_t msecs = std::llround(std::fabs(dayCount - whole) * 86400000.0);
    if (msecs >= 86400000)
        msecs = 86399999;
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    return DayAndTimeText(date, int(msecs / 1000));
}

double TextToDayCount(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        "^\\s*(\\d{1,4})/(\\d{1,2})/(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?"
        "(?:\\s*([aApP][mM]))?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        badSyntax();
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    int hour = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    const int second = m.captured(6).toInt();
    const QString half = m.captured(7).toLower();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            badSyntax();
        hour = hour % 12 + (half == QLatin1String("pm") ? 12 : 0);
    }
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        badSyntax();
    const double days = double(QDate(1899, 12, 30).daysTo(date));
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

bool ParseOid(const QString& text, uint32_t* arcs, size_t capacity, size_t& count)
{
    count = 0;
    int pos = text.startsWith(QLatin1Char('.')) ? 1 : 0;
    if (pos >= text.size())
        return false;
    while (pos < text.size()) {
        uint64_t arc = 0;
        const int start = pos;
        for (; pos < text.size() && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9');
             ++pos) {
            arc = arc * 10 + (text[pos].unicode() - '0');
            if (arc > std::numeric_limits<uint32_t>::max())
                return false;
        }
        if (pos == start || count >= capacity)
            return false;
        arcs[count++] = static_cast<uint32_t>(arc);
        if (pos < text.size() && (text[pos] != QLatin1Char('.') || ++pos == text.size()))
            return false;
    }
    return true;
}

bool ParseOid(const QString& text, std::vector<uint32_t>& arcs)
{
    arcs.resize(kMaxOidArcs);
    size_t count = 0;
    const bool ok = ParseOid(text, arcs.data(), arcs.size(), count);
    arcs.resize(ok ? count : 0);
    return ok;
}

QString OidText(const uint32_t* arcs, size_t count)
{
    QString text;
    text.reserve(int(count) * 4);
    for (size_t i = 0; i < count; ++i) {
        if (i)
            text += QLatin1Char('.');
        text += QString::number(arcs[i]);
    }
    return text;
}

bool ParseDottedQuad(const QString& text, QByteArray& octets)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    QByteArray result;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok);
        if (!ok || value > 255 || part.isEmpty() || part.size() > 3)
            return false;
        result.append(static_cast<char>(value));
    }
    octets = result;
    return true;
}

QString DottedQuad(const QByteArray& octets)
{
    QStringList parts;
    for (int i = 0; i < 4 && i < octets.size(); ++i)
        parts.append(QString::number(static_cast<uint8_t>(octets[i])));
    return parts.join(QLatin1Char('.'));
}

} // namespace NvSNMPValueCodec

bool NvSNMPVb::IsPrintableEmpty() const
{
    switch (type) {
    case VB_OCTETS:
    case VB_OPAQUE:
        return octets.isEmpty();
    case VB_INTEGER:
    case VB_COUNTER32:
    case VB_GAUGE32:
    case VB_TIMETICKS:
    case VB_UINTEGER32:
    case VB_COUNTER64:
    case VB_IPADDRESS:
        return false;
    case VB_OID:
        return objectId.isEmpty();
    default:
        return true; // null, exceptions, unknown types
    }
}

QString NvSNMPVb::PrintableValue() const
{
    switch (type) {
    case VB_INTEGER:
        return QString::number(integer);
    case VB_COUNTER32:
    case VB_GAUGE32:
    case VB_TIMETICKS:
    case VB_UINTEGER32:
        return QString::number(static_cast<uint32_t>(integer));
    case VB_COUNTER64:
        return QString::number(counter64);
    case VB_OCTETS:
    case VB_OPAQUE:
        return QString::fromUtf8(octets);
    case VB_IPADDRESS:
        return NvSNMPValueCodec::DottedQuad(octets);
    case VB_OID:
        return objectId;
    default:
        return QString();
    }
}
