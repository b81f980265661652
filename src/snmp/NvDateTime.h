#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// An SNMP DateAndTime value (RFC 2579). The year is held in host order; on the wire it is the
// first two of the 11 octets, high byte first.
struct NvDateTime
{
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t deciSeconds = 0;
    char direction = '+'; // from UTC: '+' or '-'
    uint8_t utcHours = 0;
    uint8_t utcMinutes = 0;

    static constexpr int kOctets = 11;

    // "2008-11-13,10:5:0.0" or "2008-11-13,10:5:0.0,+8:0"; numbers not matched become 0.
    void Parse(const QString& text);
    QString Format() const;

    // The 11 wire octets; a shorter input leaves the missing fields 0.
    static NvDateTime FromOctets(const QByteArray& octets);
    QByteArray ToOctets() const;

    bool operator==(const NvDateTime& other) const;
};
