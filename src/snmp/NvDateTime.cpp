#include "NvDateTime.h"

#include "NvValueText.h"

#include <array>

namespace {

// Matches text against a pattern in which 'd' stands for a scanf "%d" and every other character
// must appear literally. Stores each number as it is matched and returns how many matched.
int scanNumbers(const QString& text, const char* pattern, std::array<int, 9>& numbers)
{
    int pos = 0;
    int matched = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p == 'd') {
            int value = 0;
            const int used = ScanDecimalInt(text, pos, value);
            if (used == 0)
                return matched;
            pos += used;
            numbers[matched++] = value;
        } else {
            if (pos >= text.size() || text[pos] != QLatin1Char(*p))
                return matched;
            ++pos;
        }
    }
    return matched;
}

} // namespace

void NvDateTime::Parse(const QString& text)
{
    std::array<int, 9> numbers{};
    char dir = '+';
    if (scanNumbers(text, "d-d-d,d:d:d.d,+d:d", numbers) == 9) {
        dir = '+';
    } else if (scanNumbers(text, "d-d-d,d:d:d.d,-d:d", numbers) == 9) {
        dir = '-';
    } else {
        // The plain form: the offset fields keep what an earlier attempt stored, or 0.
        scanNumbers(text, "d-d-d,d:d:d.d", numbers);
    }
    year = static_cast<uint16_t>(numbers[0]);
    month = static_cast<uint8_t>(numbers[1]);
    day = static_cast<uint8_t>(numbers[2]);
    hour = static_cast<uint8_t>(numbers[3]);
    minutes = static_cast<uint8_t>(numbers[4]);
    seconds = static_cast<uint8_t>(numbers[5]);
    deciSeconds = static_cast<uint8_t>(numbers[6]);
    direction = dir;
    utcHours = static_cast<uint8_t>(numbers[7]);
    utcMinutes = static_cast<uint8_t>(numbers[8]);
}

QString NvDateTime::Format() const
{
    QString text = QStringLiteral("%1-%2-%3,%4:%5:%6.%7")
                       .arg(year)
                       .arg(month)
                       .arg(day)
                       .arg(hour)
                       .arg(minutes)
                       .arg(seconds)
                       .arg(deciSeconds);
    if ((utcHours != 0 || utcMinutes != 0) && (direction == '+' || direction == '-'))
        text +=
            QStringLiteral(",%1%2:%3").arg(QLatin1Char(direction)).arg(utcHours).arg(utcMinutes);
    return text;
}

NvDateTime NvDateTime::FromOctets(const QByteArray& octets)
{
    std::array<uint8_t, kOctets> o{};
    for (int i = 0; i < kOctets && i < octets.size(); ++i)
        o[i] = static_cast<uint8_t>(octets[i]);
    NvDateTime value;
    value.year = static_cast<uint16_t>((o[0] << 8) | o[1]);
    value.month = o[2];
    value.day = o[3];
    value.hour = o[4];
    value.minutes = o[5];
    value.seconds = o[6];
    value.deciSeconds = o[7];
    value.direction = octets.size() > 8 ? static_cast<char>(o[8]) : '+';
    value.utcHours = o[9];
    value.utcMinutes = o[10];
    return value;
}

QByteArray NvDateTime::ToOctets() const
{
    QByteArray octets(kOctets, '\0');
    octets[0] = static_cast<char>(year >> 8);
    octets[1] = static_cast<char>(year & 0xFF);
    octets[2] = static_cast<char>(month);
    octets[3] = static_cast<char>(day);
    octets[4] = static_cast<char>(hour);
    octets[5] = static_cast<char>(minutes);
    octets[6] = static_cast<char>(seconds);
    octets[7] = static_cast<char>(deciSeconds);
    octets[8] = direction;
    octets[9] = static_cast<char>(utcHours);
    octets[10] = static_cast<char>(utcMinutes);
    return octets;
}

bool NvDateTime::operator==(const NvDateTime& other) const
{
    return ToOctets() == other.ToOctets();
}
