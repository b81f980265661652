#include "NvAddressChecks.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace {

// The four decimal parts of a dotted text; false unless there are exactly four, all numbers.
bool dottedParts(const QString& text, std::array<int, 4>& parts)
{
    if (text.startsWith(QLatin1Char('.')) || text.count(QLatin1Char('.')) != 3)
        return false;
    const QStringList texts = text.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        const QString& part = texts[i];
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        parts[i] = part.toInt();
    }
    return true;
}

} // namespace

bool IsValidHostAddress(const QString& text)
{
    std::array<int, 4> p{};
    if (!dottedParts(text, p))
        return false;
    return p[0] >= 1 && p[0] <= 223 && p[1] <= 255 && p[2] <= 255 && p[3] >= 1 && p[3] <= 254;
}

bool IsValidSubnetMask(const QString& text)
{
    std::array<int, 4> p{};
    if (!dottedParts(text, p))
        return false;
    if (p[0] < 1 || p[0] > 255 || p[1] > 255 || p[2] > 255 || p[3] > 255)
        return false;
    for (const int part : p) {
        if (part == 1)
            return false;
    }
    const uint32_t mask =
        uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    const uint32_t inverted = ~mask;
    const bool contiguous = (inverted & (inverted + 1)) == 0;
    const bool secondBitSet = mask & 0x40000000u;
    const bool lastBitClear = !(mask & 1u);
    return contiguous && secondBitSet && lastBitClear;
}
