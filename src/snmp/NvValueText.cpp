#include "NvValueText.h"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return 0;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits from pos on as an unsigned number, saturated; pos moves past them.
uint64_t readDigits(const QString& text, int& pos, bool& any)
{
    uint64_t value = 0;
    any = false;
    while (pos < text.size() && isDigit(text[pos])) {
        any = true;
        const uint64_t digit = text[pos].unicode() - '0';
        value = value > (std::numeric_limits<uint64_t>::max() - digit) / 10
                    ? std::numeric_limits<uint64_t>::max()
                    : value * 10 + digit;
        ++pos;
    }
    return value;
}

// The number before the first occurrence of stop in text[from, end); 0 when there is none.
uint64_t leadingUnsigned(const QString& text, int from)
{
    int pos = from;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (pos < text.size() && text[pos] == QLatin1Char('+'))
        ++pos;
    bool any = false;
    return readDigits(text, pos, any);
}

} // namespace

QString OctetsToHex(const QByteArray& octets)
{
    return QString::fromLatin1(octets.toHex().toUpper());
}

QByteArray HexToOctets(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (!isBlank(c))
            digits.append(c);
    }
    QByteArray octets;
    octets.reserve(digits.size() / 2 + 1);
    int pos = 0;
    if (digits.size() % 2 == 1) {
        octets.append(static_cast<char>(hexDigit(digits[0])));
        pos = 1;
    }
    for (; pos + 1 < digits.size(); pos += 2)
        octets.append(static_cast<char>(hexDigit(digits[pos]) << 4 | hexDigit(digits[pos + 1])));
    return octets;
}

QString TimeTicksToText(uint32_t ticks)
{
    const uint32_t days = ticks / 8640000u;
    const uint32_t hours = (ticks % 8640000u) / 360000u;
    const uint32_t minutes = (ticks % 360000u) / 6000u;
    const uint32_t seconds = (ticks % 6000u) / 100u;
    const uint32_t hundredths = ticks % 100u;
    const QString clock = QStringLiteral("%1:%2:%3.%4")
                              .arg(hours)
                              .arg(minutes, 2, 10, QLatin1Char('0'))
                              .arg(seconds, 2, 10, QLatin1Char('0'))
                              .arg(hundredths, 2, 10, QLatin1Char('0'));
    if (days == 0)
        return clock;
    if (days == 1)
        return QStringLiteral("1 day ") + clock;
    return QStringLiteral("%1 days, ").arg(days) + clock;
}

uint32_t TextToTimeTicks(const QString& text)
{
    uint64_t total = 0;
    int pos = 0;
    int word = text.indexOf(QLatin1String("days"));
    int wordLength = 4;
    if (word < 0) {
        word = text.indexOf(QLatin1String("day"));
        wordLength = 3;
    }
    if (word >= 0) {
        total += leadingUnsigned(text, 0) * 8640000u;
        pos = word + wordLength;
    }
    int next = pos;
    while (next < text.size() && text[next].isSpace())
        ++next;
    if (next < text.size() && text[next] == QLatin1Char(','))
        pos = next + 1;
    const int firstColon = text.indexOf(QLatin1Char(':'), pos);
    if (firstColon >= 0) {
        total += leadingUnsigned(text, pos) * 360000u;
        pos = firstColon + 1;
        const int secondColon = text.indexOf(QLatin1Char(':'), pos);
        if (secondColon >= 0) {
            total += leadingUnsigned(text, pos) * 6000u;
            pos = secondColon + 1;
            const int dot = text.indexOf(QLatin1Char('.'), pos);
            if (dot >= 0) {
                total += leadingUnsigned(text, pos) * 100u;
                total += leadingUnsigned(text, dot + 1);
            }
        }
    }
    return static_cast<uint32_t>(total);
}

QString RealToText(double value)
{
    return QString::number(value, 'g', 15);
}

double TextToReal(const QString& text)
{
    // The C locale's form whatever the user's locale: the device's texts use a '.'.
    static const QRegularExpression leadingReal(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch match = leadingReal.match(text);
    if (!match.hasMatch())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(match.captured(0).trimmed(), &ok);
    // An overflow gives the infinity of its sign, as strtod does: a huge number must not read as 0.
    return ok || std::isinf(value) ? value : 0.0;
}

int64_t LeadingInteger(const QString& text)
{
    int pos = 0;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    bool any = false;
    const uint64_t magnitude = readDigits(text, pos, any);
    constexpr uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (negative)
        return magnitude > limit ? std::numeric_limits<int64_t>::min()
                                 : -static_cast<int64_t>(magnitude);
    return magnitude > limit ? std::numeric_limits<int64_t>::max()
                             : static_cast<int64_t>(magnitude);
}

int ScanDecimalInt(const QString& text, int pos, int& value)
{
    const int start = pos;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    bool any = false;
    const uint64_t magnitude = readDigits(text, pos, any);
    if (!any)
        return 0;
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    const int64_t clamped =
        magnitude > static_cast<uint64_t>(limit) ? limit : static_cast<int64_t>(magnitude);
    value = static_cast<int>(negative ? -clamped : clamped);
    return pos - start;
}

QString DayAndTimeText(const QDate& date, int secondsOfDay)
{
    const int hour = secondsOfDay / 3600;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1/%2/%3 %4:%5:%6 %7")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(secondsOfDay / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(secondsOfDay % 60, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QLatin1String("am") : QLatin1String("pm"));
}
