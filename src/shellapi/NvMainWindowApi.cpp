#include "NvMainWindowApi.h"

namespace {
NvMainWindowApi* g_mainWindow = nullptr;
} // namespace

int NvMainWindowApi::CapabilityNumber(const QString& fieldName) const
{
    return NumericValue(CapabilityText(fieldName));
}

NvMainWindowApi* MainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(NvMainWindowApi* window)
{
    g_mainWindow = window;
}

int NumericValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

namespace NvDeviceState {
bool saveActivateSupported = false;
bool showWaitAfterWrite = false;
} // namespace NvDeviceState
