#pragma once

#include "NvMainWindowApi.h"

#include <QHash>
#include <QString>

namespace qtr::test {

// The main window as a page sees it, with capability texts and addresses a test sets. It
// registers itself as the main window while it exists.
//
//     FakeMainWindow main;
//     main.capabilities["ED_Turbomode"] = "0";
//     TFM_DevInfo page;
class FakeMainWindow : public NvMainWindowApi
{
public:
    FakeMainWindow() { SetMainWindow(this); }
    ~FakeMainWindow() override
    {
        if (MainWindow() == this)
            SetMainWindow(nullptr);
    }
    FakeMainWindow(const FakeMainWindow&) = delete;
    FakeMainWindow& operator=(const FakeMainWindow&) = delete;

    // A field nobody set reads as its own name, as the main window's fields do before the
    // device has answered.
    QString CapabilityText(const QString& fieldName) const override
    {
        return capabilities.value(fieldName, fieldName);
    }
    QString DeviceAddressText() const override { return deviceAddress; }
    QString DeviceIPAddress() const override { return deviceIPAddress; }
    QString DeviceSubnetMask() const override { return deviceSubnetMask; }
    QString StatusText() const override { return status; }
    QWidget* Window() override { return nullptr; }

    QHash<QString, QString> capabilities;
    QString deviceAddress = QStringLiteral("127.0.0.1");
    QString deviceIPAddress = QStringLiteral("127.0.0.1");
    QString deviceSubnetMask = QStringLiteral("255.0.0.0");
    QString status;
};

} // namespace qtr::test
