#include "ValueImage.h"

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

const QString kNullText = QStringLiteral("(NULL)");

constexpr int kBadSyntax = -511;
constexpr int kShortImage = -518;
constexpr int kPartOutOfRange = -519;

[[noreturn]] void raise(int code)
{
    throw NvError::FromCode(code);
}

void requireKnown(uint32_t syntax)
{
    if (!IsImageSyntax(syntax))
        raise(kBadSyntax);
}

// --- little- and big-endian fields -------------------------------------------------------------

uint64_t readLittle(const ValueImage& image, int offset, int bytes)
{
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(image[offset + i]);
    return value;
}

void appendLittle(ValueImage& image, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        image.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint16_t readBig16(const ValueImage& image)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(image[0]) << 8 |
                                 static_cast<uint8_t>(image[1]));
}

ValueImage big16(uint32_t value)
{
    ValueImage image;
    image.append(static_cast<char>((value >> 8) & 0xFF));
    image.append(static_cast<char>(value & 0xFF));
    return image;
}

ValueImage little(uint64_t value, int bytes)
{
    ValueImage image;
    appendLittle(image, value, bytes);
    return image;
}

double readDouble(const ValueImage& image)
{
    const uint64_t bits = readLittle(image, 0, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

ValueImage doubleImage(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return little(bits, 8);
}

// --- numbers from texts ------------------------------------------------------------------------

// The leading integer of a text as the 32 bits the image keeps. Numbers beyond what 32 bits of
// either sign can hold saturate, so "-1" and "4294967295" both give all ones.
uint32_t leadingInteger32(const QString& text)
{
    const int64_t value = LeadingInteger(text);
    const int64_t lo = std::numeric_limits<int32_t>::min();
    const int64_t hi = std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(value < lo ? lo : (value > hi ? hi : value));
}

// Counter64 texts are read as reals, but a double holds only 53 bits: the leading digits of a
// plain integer are taken exactly, so every 64-bit counter survives a read and a write back.
uint64_t textToCounter64(const QString& text)
{
    static const QRegularExpression leading(
        QStringLiteral("^\\s*([+-]?)(\\d*)(\\.\\d*)?([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.captured(4).isEmpty()) {
        const double real = TextToReal(text);
        if (!(real > 0))
            return 0;
        if (real >= 18446744073709551616.0)
            return std::numeric_limits<uint64_t>::max();
        return static_cast<uint64_t>(real);
    }
    if (match.captured(1) == QLatin1String("-"))
        return 0;
    uint64_t value = 0;
    for (const QChar c : match.captured(2)) {
        const uint64_t digit = c.unicode() - '0';
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10)
            return std::numeric_limits<uint64_t>::max();
        value = value * 10 + digit;
    }
    return value;
}

// The arcs of a dotted OID text. One leading "." is allowed; each arc is its leading digits
// (0 when there are none), saturated to 32 bits.
QVector<uint32_t> textToArcs(const QString& text)
{
    QString body = text.trimmed();
    if (body.startsWith(QLatin1Char('.')))
        body.remove(0, 1);
    QVector<uint32_t> arcs;
    if (body.isEmpty())
        return arcs;
    for (const QString& piece : body.split(QLatin1Char('.'))) {
        const int64_t value = LeadingInteger(piece);
        arcs.append(value < 0 ? 0u
                              : (value > std::numeric_limits<uint32_t>::max()
                                     ? std::numeric_limits<uint32_t>::max()
                                     : static_cast<uint32_t>(value)));
    }
    return arcs;
}

// --- the real date-time form: days since 30 December 1899, fraction = time of day ------------

constexpr int64_t kMsPerDay = 86400000;

qint64 baseJulianDay()
{
    return QDate(1899, 12, 30).toJulianDay();
}

// Beyond these day counts no date of the years 1 to 9999 can come out.
constexpr double kFirstDay = -693594.0; // 0001-01-01 is -693593
constexpr double kLastDay = 2958466.0;  // 9999-12-31 is 2958465

// A negative day count holds the time of day as a positive fraction: -1.25 is 29 December 1899,
// 6 am. So the date is the whole part and the time is the fraction's absolute value.
QString realDateTimeToText(double dayCount)
{
    if (!std::isfinite(dayCount) || dayCount < kFirstDay || dayCount > kLastDay)
        raise(kShortImage);
    const double whole = std::trunc(dayCount);
    qint64 days = static_cast<qint64>(whole);
    int64_t ms = std::llround(std::fabs(dayCount - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++days;
    }
    const QDate date = QDate::fromJulianDay(baseJulianDay() + days);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        raise(kShortImage);
    return DayAndTimeText(date, static_cast<int>(ms / 1000));
}

// Accepts the written form "yyyy/mm/dd hh:nn:ss am/pm" and its plain relatives: "-" between the
// date fields, no seconds, a 24-hour clock without "am"/"pm", or the date alone. A text that is
// none of these (or no real date) gives 0, as an unreadable number does.
double textToRealDateTime(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,4})[/-](\\d{1,2})[/-](\\d{1,2})"
                       "(?:[ T]+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*([AaPp][Mm])?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return 0.0;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid() || date.year() < 1)
        return 0.0;
    int hour = m.captured(4).toInt();
    const int minutes = m.captured(5).toInt();
    const int seconds = m.captured(6).toInt();
    const QString half = m.captured(7).toLower();
    if (!half.isEmpty()) {
        if (hour > 12)
            return 0.0;
        hour = hour % 12 + (half == QLatin1String("pm") ? 12 : 0);
    }
    if (hour > 23 || minutes > 59 || seconds > 59)
        return 0.0;
    const double days = static_cast<double>(date.toJulianDay() - baseJulianDay());
    const double fraction = (hour * 3600 + minutes * 60 + seconds) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

bool IsImageSyntax(uint32_t syntax)
{
    switch (syntax) {
    case SYN_BOOLEAN:
    case SYN_INTEGER:
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_NULL:
    case SYN_OID:
    case SYN_IPADDRESS:
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_TIMETICKS:
    case SYN_OPAQUE:
    case SYN_NSAP:
    case SYN_COUNTER64:
    case SYN_UINTEGER32:
    case SYN_DOUBLE:
    case SYN_MACADDRESS:
    case SYN_DATEANDTIME:
    case SYN_DATETIME_REAL:
    case SYN_DISPLAYSTRING:
    case SYN_BOOL8:
    case SYN_INT8:
    case SYN_UINT8:
    case SYN_BOOL16:
    case SYN_INT16:
    case SYN_UINT16:
        return true;
    default:
        return false;
    }
}

int PartWidth(uint32_t syntax)
{
    switch (syntax) {
    case SYN_BOOLEAN:
    case SYN_INTEGER:
    case SYN_IPADDRESS:
    case SYN_NSAP:
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
    case SYN_TIMETICKS:
        return 4;
    case SYN_COUNTER64:
    case SYN_DOUBLE:
    case SYN_DATETIME_REAL:
        return 8;
    case SYN_MACADDRESS:
        return 6;
    case SYN_DATEANDTIME:
        return NvDateTime::kOctets;
    case SYN_BOOL8:
    case SYN_INT8:
    case SYN_UINT8:
        return 1;
    case SYN_BOOL16:
    case SYN_INT16:
    case SYN_UINT16:
        return 2;
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OID:
    case SYN_OPAQUE:
    case SYN_DISPLAYSTRING:
        return kRestOfImage;
    case SYN_NULL:
        return 0;
    default:
        raise(kBadSyntax);
    }
}

ValueImage TextToImage(const QString& text, uint32_t syntax)
{
    requireKnown(syntax);
    if (syntax == SYN_NULL || text == kNullText)
        return ValueImage();
    switch (syntax) {
    case SYN_BOOLEAN:
        return little(text == QLatin1String("true") ? 1 : 0, 4);
    case SYN_BOOL8:
        return little(text == QLatin1String("true") ? 1 : 0, 1);
    case SYN_BOOL16:
        return big16(text == QLatin1String("true") ? 1 : 0);
    case SYN_INTEGER:
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        return little(leadingInteger32(text), 4);
    case SYN_INT8:
    case SYN_UINT8:
        return little(leadingInteger32(text) & 0xFF, 1);
    case SYN_INT16:
    case SYN_UINT16:
        return big16(leadingInteger32(text) & 0xFFFF);
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_MACADDRESS:
        return HexToOctets(text);
    case SYN_OID: {
        ValueImage image;
        for (const uint32_t arc : textToArcs(text))
            appendLittle(image, arc, 4);
        return image;
    }
    case SYN_IPADDRESS:
    case SYN_NSAP: {
        ValueImage image;
        for (const uint32_t arc : textToArcs(text))
            image.append(static_cast<char>(arc & 0xFF));
        return image;
    }
    case SYN_TIMETICKS:
        return little(TextToTimeTicks(text), 4);
    case SYN_COUNTER64:
        return little(textToCounter64(text), 8);
    case SYN_DOUBLE:
        return doubleImage(TextToReal(text));
    case SYN_DATEANDTIME: {
        NvDateTime value;
        value.Parse(text);
        return value.ToOctets();
    }
    case SYN_DATETIME_REAL:
        return doubleImage(textToRealDateTime(text));
    case SYN_DISPLAYSTRING:
        return text.toUtf8();
    default:
        raise(kBadSyntax);
    }
}

QString ImageToText(const ValueImage& image, uint32_t syntax)
{
    requireKnown(syntax);
    if (syntax == SYN_NULL)
        return kNullText;
    if (image.isEmpty())
        return syntax == SYN_DISPLAYSTRING ? QString() : kNullText;
    if (image.size() < PartWidth(syntax))
        raise(kShortImage);
    switch (syntax) {
    case SYN_BOOLEAN:
        return booleanText(readLittle(image, 0, 4) != 0);
    case SYN_BOOL8:
        return booleanText(image[0] != 0);
    case SYN_BOOL16:
        return booleanText(readBig16(image) != 0);
    case SYN_INTEGER:
        return QString::number(static_cast<int32_t>(readLittle(image, 0, 4)));
    case SYN_COUNTER32:
    case SYN_GAUGE32:
    case SYN_UINTEGER32:
        return QString::number(static_cast<uint32_t>(readLittle(image, 0, 4)));
    case SYN_INT8:
        return QString::number(static_cast<int8_t>(image[0]));
    case SYN_UINT8:
        return QString::number(static_cast<uint8_t>(image[0]));
    case SYN_INT16: // shown unsigned like SYN_UINT16: that is the form the pages know
    case SYN_UINT16:
        return QString::number(readBig16(image));
    case SYN_BITS:
    case SYN_OCTETS:
    case SYN_OPAQUE:
    case SYN_MACADDRESS:
        return OctetsToHex(image);
    case SYN_OID: {
        // A last group of fewer than 4 bytes is read as a short number, so no byte goes unseen.
        QStringList arcs;
        for (int offset = 0; offset < image.size(); offset += 4)
            arcs.append(QString::number(
                readLittle(image, offset, std::min(4, int(image.size()) - offset))));
        return arcs.join(QLatin1Char('.'));
    }
    case SYN_IPADDRESS:
    case SYN_NSAP:
        return QStringLiteral("%1.%2.%3.%4")
            .arg(static_cast<uint8_t>(image[0]))
            .arg(static_cast<uint8_t>(image[1]))
            .arg(static_cast<uint8_t>(image[2]))
            .arg(static_cast<uint8_t>(image[3]));
    case SYN_TIMETICKS:
        return TimeTicksToText(static_cast<uint32_t>(readLittle(image, 0, 4)));
    case SYN_COUNTER64:
        return QString::number(static_cast<qulonglong>(readLittle(image, 0, 8)));
    case SYN_DOUBLE:
        return RealToText(readDouble(image));
    case SYN_DATEANDTIME:
        return NvDateTime::FromOctets(image).Format();
    case SYN_DATETIME_REAL:
        return realDateTimeToText(readDouble(image));
    case SYN_DISPLAYSTRING: {
        const int end = image.indexOf('\0');
        return QString::fromUtf8(end < 0 ? image : image.left(end));
    }
    default:
        raise(kBadSyntax);
    }
}

ValueImage ExtractPart(const ValueImage& image, int byteOffset, uint32_t syntax)
{
    const int width = PartWidth(syntax);
    if (image.isEmpty())
        return ValueImage();
    const int64_t size = image.size();
    const int64_t end = width == kRestOfImage ? size : int64_t(byteOffset) + width;
    if (byteOffset < 0 || end > size || byteOffset > size)
        raise(kPartOutOfRange);
    return image.mid(byteOffset, static_cast<int>(end - byteOffset));
}
