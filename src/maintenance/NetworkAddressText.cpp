#include "NetworkAddressText.h"

#include <QStringList>

namespace {

int OctetValue(const QStringList& octets, int index)
{
    if (index >= octets.size())
        return 0;
    bool ok = false;
    const int value = octets.at(index).toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

QString NetworkAddressText(const QString& address, const QString& mask)
{
    const QStringList addressOctets = address.split(QLatin1Char('.'));
    const QStringList maskOctets = mask.split(QLatin1Char('.'));
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts.append(QString::number(OctetValue(addressOctets, i) & OctetValue(maskOctets, i)));
    return parts.join(QLatin1Char('.'));
}
