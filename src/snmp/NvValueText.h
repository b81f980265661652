#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>

// The text forms shared by every layer that turns SNMP values into texts and back.

// Hexadecimal octets: two upper-case digits per octet, no separators.
QString OctetsToHex(const QByteArray& octets);
// Blanks are removed first; with an odd number of digits the first digit alone is the first
// octet; a character that is not a hexadecimal digit counts as 0.
QByteArray HexToOctets(const QString& text);

// Time-ticks (hundredths of a second): "1:02:03.04", "1 day 0:00:00.00", "2 days, 0:00:00.01".
QString TimeTicksToText(uint32_t ticks);
// The reverse; missing parts add nothing, seconds count only when a "." follows them.
uint32_t TextToTimeTicks(const QString& text);

// A day and a time of day as the real date-time kinds show them: "2024/03/05 01:02:03 pm".
QString DayAndTimeText(const QDate& date, int secondsOfDay);

// Real numbers: shortest general form with up to 15 significant digits.
QString RealToText(double value);
// The leading real number of a text (rest ignored); 0 when there is none.
double TextToReal(const QString& text);

// The leading decimal integer of a text, as strtol reads it (optional white space and sign);
// 0 when there is none. Values beyond the range saturate.
int64_t LeadingInteger(const QString& text);

// Reads a scanf "%d" at pos: optional white space, optional sign, digits. Returns the number of
// characters used (0 when no digit follows) and stores the value, saturated to the int range.
int ScanDecimalInt(const QString& text, int pos, int& value);
