#pragma once

#include <QString>

class QWidget;

// What a page may ask of the main window. Pages hold no pointer to the main window itself and
// include nothing of the shell: the main window registers itself here when it is created.
class NvMainWindowApi
{
public:
    virtual ~NvMainWindowApi() = default;

    // The text a capability field last received from the device, or its initial text while
    // nothing has arrived. A refresh that is clearing the field to read it again does not show
    // through: pages and page choices always see the last value.
    virtual QString CapabilityText(const QString& fieldName) const = 0;
    // The field's text as a decimal number; 0 when it is not one.
    int CapabilityNumber(const QString& fieldName) const;

    // The device address given on the command line.
    virtual QString DeviceAddressText() const = 0;
    // The device's own address and mask as it reports them (IPAddressEdit, SubMaskEdit).
    virtual QString DeviceIPAddress() const = 0;
    virtual QString DeviceSubnetMask() const = 0;

    // The status text of the main window's status bar (the last status poll's outcome).
    virtual QString StatusText() const = 0;

    // The window, as owner of dialogs that should be centred on it.
    virtual QWidget* Window() = 0;
};

// The main window, or null before it exists and after it is gone.
NvMainWindowApi* MainWindow();
void SetMainWindow(NvMainWindowApi* window);

// The decimal number of a text as the capability rules read it: 0 when it is not a number.
int NumericValue(const QString& text);

// Process-wide flags of the device's capabilities and of the write in progress.
namespace NvDeviceState {
// The device offers "Save and Active" (the start-up probe of cSaveActivate succeeded).
extern bool saveActivateSupported;
// "Save and Active" is being written: show the restart wait dialog after the write.
extern bool showWaitAfterWrite;
} // namespace NvDeviceState
