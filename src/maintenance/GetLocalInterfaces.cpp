#include "GetLocalInterfaces.h"

#include <QNetworkInterface>

int GetLocalInterfaces(QVector<LocalInterface>& list)
{
    list.clear();
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        // The platform list has one entry per IPv4 address, not one per adapter.
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (list.size() == kMaxLocalInterfaces)
                return static_cast<int>(list.size());
            LocalInterface local;
            local.address = entry.ip().toString();
            local.broadcast = entry.broadcast().isNull() ? QStringLiteral("0.0.0.0")
                                                         : entry.broadcast().toString();
            local.netmask = entry.netmask().toString();
            local.up = flags.testFlag(QNetworkInterface::IsUp);
            local.broadcastCapable = flags.testFlag(QNetworkInterface::CanBroadcast);
            local.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
            local.pointToPoint = flags.testFlag(QNetworkInterface::IsPointToPoint);
            local.multicastCapable = flags.testFlag(QNetworkInterface::CanMulticast);
            list.append(local);
        }
    }
    return static_cast<int>(list.size());
}
