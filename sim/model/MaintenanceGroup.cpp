// The commands that save, discard, restart and reset the device. Each reads back its idle value.
#include "Device.h"
#include "Model.h"

namespace sim {

namespace {

void saveAndActivate(Device& device, const Oid& instance, const Value& value)
{
    if (value.asInteger() == 1)
        device.saveAndActivate(instance);
}

void discardChanges(Device& device, const Oid&, const Value& value)
{
    if (value.asInteger() == 1)
        device.discardChanges();
}

// The same variable serves the system page (1 "True", 2 "False") and the LAN page (0 "nothing",
// 1 "reboot"), which writes back whatever it read: only 1 restarts.
void restartOnTrue(Device& device, const Oid& instance, const Value& value)
{
    if (value.asInteger() == 1)
        device.restart(QStringLiteral("restart"), instance);
}

void factoryResetOnTrue(Device& device, const Oid& instance, const Value& value)
{
    if (value.asInteger() == 1)
        device.factoryReset(instance);
}

enum UpgradeCommand : qint64
{
    FirmwareUpdate = 1,
    ConfigSetting = 2,
    ConfigSave = 3,
    Reboot = 4,
    FactoryReset = 5,
    Nothing = 6,
};

// Installing firmware or storing a configuration needs a file the device fetched first; this
// device has not fetched any, so it refuses those commands as inconsistent with its state.
int upgradeNeedsFile(const Device&, const Oid&, const Value& value)
{
    const qint64 n = value.asInteger();
    if (n == FirmwareUpdate || n == ConfigSetting || n == ConfigSave)
        return SNMP_ERR_INCONSISTENTVALUE;
    return SNMP_ERR_NOERROR;
}

void upgradeCommand(Device& device, const Oid& instance, const Value& value)
{
    if (value.asInteger() == Reboot)
        device.restart(QStringLiteral("restart"), instance);
    else if (value.asInteger() == FactoryReset)
        device.factoryReset(instance);
}

} // namespace

const VariableGroup& maintenanceGroup()
{
    static const VariableGroup group{
        "maintenance",
        {
            VariableDef("privateRoot.4.3.2.1.0", "Restart", ASN_INTEGER)
                .command({0, 1, 2}, restartOnTrue),
            VariableDef("privateRoot.4.3.2.2.0", "FactoryDefault", ASN_INTEGER)
                .command({0, 1, 2}, factoryResetOnTrue),
            VariableDef("privateRoot.4.3.3.5.0", "upgradesettingcommand", ASN_INTEGER)
                .command({FirmwareUpdate, ConfigSetting, ConfigSave, Reboot, FactoryReset, Nothing},
                         upgradeCommand)
                .validate(upgradeNeedsFile),
            VariableDef("privateRoot.4.5.1.0", "cSaveActivate", ASN_INTEGER)
                .command({0, 1}, saveAndActivate),
            VariableDef("privateRoot.4.5.2.0", "cDiscardChanges", ASN_INTEGER)
                .command({0, 1}, discardChanges),
        },
    };
    return group;
}

} // namespace sim
