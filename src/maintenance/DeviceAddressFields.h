#pragma once

#include <QString>

// The main window's fields that hold the device's own address and mask as the device reports
// them (IPAddressEdit, SubMaskEdit). The pages pass them in, so that this layer needs no window.
struct DeviceAddressFields
{
    QString IPAddressEdit;
    QString SubMaskEdit;
};
