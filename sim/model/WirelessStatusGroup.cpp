// The radios' current state as the device information page shows it: one row per radio (1 the
// first, 2 the second), all read-only. The device fills the rows itself, so SNMP can neither add
// nor remove one.
#include "Model.h"

namespace sim {

namespace {

const TableDef& wirelessStatusTable()
{
    static const TableDef table{oidFromLiteral("privateRoot.4.4.2.1"), 0, 0};
    return table;
}

} // namespace

const VariableGroup& wirelessStatusGroup()
{
    const TableDef& table = wirelessStatusTable();
    static const VariableGroup group{
        "wirelessStatus",
        {
            VariableDef("privateRoot.4.4.2.1.1", "stSSID", ASN_OCTET_STR).readOnlyColumn(table),
            VariableDef("privateRoot.4.4.2.1.2", "stChannel", ASN_INTEGER).readOnlyColumn(table),
            // 1 Super G without Turbo, 2 with Static Turbo, 3 with Dynamic Turbo, 4 Disabled
            VariableDef("privateRoot.4.4.2.1.3", "stSuperMode", ASN_INTEGER).readOnlyColumn(table),
            VariableDef("privateRoot.4.4.2.1.4", "stDataRate", ASN_OCTET_STR).readOnlyColumn(table),
            VariableDef("privateRoot.4.4.2.1.5", "stSecLevelAuth", ASN_OCTET_STR)
                .readOnlyColumn(table),
            VariableDef("privateRoot.4.4.2.1.6", "stSecLevelPriv", ASN_OCTET_STR)
                .readOnlyColumn(table),
        },
    };
    return group;
}

} // namespace sim
