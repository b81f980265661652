// The capability variables the main window probes at start: firmware text, country code and the
// "supported" flags that decide which menus and pages the module offers. All read-only; the
// variants and --set change them.
#include "Model.h"

namespace sim {

const VariableGroup& capabilityGroup()
{
    static const VariableGroup group{
        "capabilities",
        {
            VariableDef("privateRoot.4.99.1.1.1.0", "apmodes", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.2.0", "turbomodes", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.6.0", "countrycode", ASN_OCTET_STR),
            VariableDef("privateRoot.4.99.1.1.7.0", "clientinfosupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.9.0", "mssidsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.10.0", "rogueapsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.11.0", "syslogsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.13.0", "mssidisolatedsecurity", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.14.0", "mssidindication", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.15.0", "keytypeselection", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.20.0", "mSSIDSuppress", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.24.0", "wdssitesurvey", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.25.0", "sntp", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.26.0", "accounting", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.31.0", "mSSIDWmmSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.32.0", "sMTPSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.34.0", "groupingsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.35.0", "wdsclientinfonotsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.36.0", "packetStatisticnotsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.37.0", "sslsupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.39.0", "ethernetLinkNotSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.43.0", "apStatusSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.47.0", "ethernetpacketSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.49.0", "mssidAndWdssupport", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.53.0", "wmmOverWDSSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.54.0", "dynamicVlanSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.55.0", "ipRangeSupported", ASN_INTEGER),
            VariableDef("privateRoot.4.99.1.1.56.0", "prioritybySSIDSupported", ASN_INTEGER),
        },
    };
    return group;
}

} // namespace sim
