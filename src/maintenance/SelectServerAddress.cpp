#include "SelectServerAddress.h"

#include "GetLocalInterfaces.h"
#include "NetworkAddressText.h"

bool SelectServerAddress(QString& edit, const DeviceAddressFields& device, const ShowWarning& warn)
{
    QVector<LocalInterface> interfaces;
    GetLocalInterfaces(interfaces);
    return SelectServerAddress(edit, device, interfaces, warn);
}

bool SelectServerAddress(QString& edit, const DeviceAddressFields& device,
                         const QVector<LocalInterface>& interfaces, const ShowWarning& warn)
{
    const QString deviceNetwork = NetworkAddressText(device.IPAddressEdit, device.SubMaskEdit);
    for (const LocalInterface& local : interfaces) {
        if (NetworkAddressText(local.address, local.netmask) == deviceNetwork) {
            edit = local.address;
            break;
        }
    }
    if (edit.isEmpty()) {
        if (warn)
            warn(QString::fromLatin1(kInvalidServerAddressText));
        return false;
    }
    return true;
}
