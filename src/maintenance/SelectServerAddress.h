#pragma once

#include "DeviceAddressFields.h"
#include "LocalInterface.h"

#include <QString>
#include <QVector>
#include <functional>

// Shown when no address of the PC lies in the device's network.
inline const char kInvalidServerAddressText[] = "Invalid Server IP Address or SNMP timed out!";

// Shows a warning text to the user (the page's message box).
using ShowWarning = std::function<void(const QString& text)>;

// Writes into edit (which the caller has cleared) the address of the first local interface in
// the device's network, the address the device is told to fetch from and send to. When edit is
// still empty afterwards, warns with kInvalidServerAddressText and returns false.
bool SelectServerAddress(QString& edit, const DeviceAddressFields& device, const ShowWarning& warn);

// The same over a given interface list.
bool SelectServerAddress(QString& edit, const DeviceAddressFields& device,
                         const QVector<LocalInterface>& interfaces, const ShowWarning& warn);
