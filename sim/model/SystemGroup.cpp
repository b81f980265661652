// MIB-II system group (RFC 1213): what "Home \ Information" shows and edits.
#include "Device.h"
#include "Model.h"

namespace sim {

namespace {

Value upTime(const Device& device)
{
    return Value::unsignedOf(ASN_TIMETICKS, device.uptimeTicks());
}

} // namespace

const VariableGroup& systemGroup()
{
    static const VariableGroup group{
        "system",
        {
            VariableDef("1.3.6.1.2.1.1.1.0", "sysDescr", ASN_OCTET_STR),
            VariableDef("1.3.6.1.2.1.1.2.0", "sysObjectID", ASN_OBJECT_ID),
            VariableDef("1.3.6.1.2.1.1.3.0", "sysUpTime", ASN_TIMETICKS).dynamic(upTime),
            VariableDef("1.3.6.1.2.1.1.4.0", "sysContact", ASN_OCTET_STR).readWrite().size(0, 255),
            VariableDef("1.3.6.1.2.1.1.5.0", "sysName", ASN_OCTET_STR).readWrite().size(0, 255),
            VariableDef("1.3.6.1.2.1.1.6.0", "sysLocation", ASN_OCTET_STR)
                .readWrite()
                .size(0, 255),
            VariableDef("1.3.6.1.2.1.1.7.0", "sysServices", ASN_INTEGER),
        },
    };
    return group;
}

} // namespace sim
