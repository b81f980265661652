// The device's own address: the IP table the LAN page writes, and the device information group
// that reports the firmware, the MAC address and the address settings in effect.
#include "Device.h"
#include "Model.h"

namespace sim {

namespace {

// A new address takes effect when the device restarts, so the information group shows the
// settings of the last boot while the IP table already holds the written ones.
void reportActiveAddress(Device& device)
{
    static const struct
    {
        Oid configured;
        Oid reported;
    } pairs[] = {
        {oidFromLiteral("privateRoot.4.1.2.1.0"), oidFromLiteral("privateRoot.4.4.1.1.3.0")},
        {oidFromLiteral("privateRoot.4.1.2.2.0"), oidFromLiteral("privateRoot.4.4.1.1.4.0")},
        {oidFromLiteral("privateRoot.4.1.2.3.0"), oidFromLiteral("privateRoot.4.4.1.1.5.0")},
        {oidFromLiteral("privateRoot.4.1.2.4.0"), oidFromLiteral("privateRoot.4.4.1.1.6.0")},
    };
    for (const auto& pair : pairs) {
        const auto configured = device.value(pair.configured);
        if (configured && device.value(pair.reported))
            device.store(pair.reported, *configured);
    }
}

} // namespace

void useListenAddress(std::map<Oid, Value>& defaults, quint32 address)
{
    constexpr quint32 mask = 0xFF000000u;
    const struct
    {
        Oid oid;
        quint32 value;
    } settings[] = {
        {oidFromLiteral("privateRoot.4.1.2.2.0"), address},
        {oidFromLiteral("privateRoot.4.1.2.3.0"), mask},
        {oidFromLiteral("privateRoot.4.1.2.4.0"), (address & mask) | 254u},
    };
    for (const auto& setting : settings) {
        if (defaults.count(setting.oid))
            defaults[setting.oid] = Value::ipAddress(setting.value);
    }
}

const VariableGroup& lanGroup()
{
    static const VariableGroup group{
        "lan",
        {
            VariableDef("privateRoot.4.1.2.1.0", "hGetIPFrom", ASN_INTEGER)
                .readWrite()
                .values({1, 2}),
            VariableDef("privateRoot.4.1.2.2.0", "hIPAddress", ASN_IPADDRESS).readWrite(),
            VariableDef("privateRoot.4.1.2.3.0", "hSubnetMask", ASN_IPADDRESS).readWrite(),
            VariableDef("privateRoot.4.1.2.4.0", "hDefaultGateway", ASN_IPADDRESS).readWrite(),
            VariableDef("privateRoot.4.4.1.1.1.0", "stFirmwareVersion", ASN_OCTET_STR),
            VariableDef("privateRoot.4.4.1.1.2.0", "MAC Address", ASN_OCTET_STR),
            VariableDef("privateRoot.4.4.1.1.3.0", "Get IP From", ASN_INTEGER),
            VariableDef("privateRoot.4.4.1.1.4.0", "IP Address", ASN_IPADDRESS),
            VariableDef("privateRoot.4.4.1.1.5.0", "Subnet Mask", ASN_IPADDRESS),
            VariableDef("privateRoot.4.4.1.1.6.0", "Default Gateway", ASN_IPADDRESS),
        },
        reportActiveAddress,
    };
    return group;
}

} // namespace sim
