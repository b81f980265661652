// The value-text parsers read texts typed by users and sent by devices.
#include "NvDateTime.h"
#include "NvNumList.h"
#include "NvValueText.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    NvDateTime dateTime;
    dateTime.Parse(text);
    // A formatted value parses back to itself.
    NvDateTime again;
    again.Parse(dateTime.Format());
    // (A zero offset is written without its direction, so "-0:0" comes back as "+".)
    const bool zeroOffset = dateTime.utcHours == 0 && dateTime.utcMinutes == 0;
    if (!(again == dateTime) && !zeroOffset)
        __builtin_trap();
    if (!(NvDateTime::FromOctets(dateTime.ToOctets()) == dateTime))
        __builtin_trap();

    NvNumList<int> numbers(QLatin1Char(','));
    numbers.Parse(text);
    NvNumList<unsigned int> dotted;
    dotted.Parse(text);

    const uint32_t ticks = TextToTimeTicks(text);
    if (TextToTimeTicks(TimeTicksToText(ticks)) != ticks)
        __builtin_trap();

    const QByteArray octets = HexToOctets(text);
    if (HexToOctets(OctetsToHex(octets)) != octets)
        __builtin_trap();

    (void)TextToReal(text);
    (void)LeadingInteger(text);
    return 0;
}
