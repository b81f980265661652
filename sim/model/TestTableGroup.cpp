// A small table under a test subtree of the private root, for the module's table panels and
// their tests: integer, DisplayString and IpAddress columns, rows added and removed through a
// RowStatus column. A real QTR-9000KX has no such table.
#include "Model.h"

namespace sim {

namespace {

const TableDef& testTable()
{
    static const TableDef table{oidFromLiteral("privateRoot.99.1.1"), 1, 5};
    return table;
}

} // namespace

const VariableGroup& testTableGroup()
{
    const TableDef& table = testTable();
    static const VariableGroup group{
        "testTable",
        {
            VariableDef("privateRoot.99.1.1.1", "qtrTestIndex", ASN_INTEGER)
                .column(table)
                .range(1, 2147483647),
            VariableDef("privateRoot.99.1.1.2", "qtrTestName", ASN_OCTET_STR)
                .column(table)
                .size(0, 32),
            VariableDef("privateRoot.99.1.1.3", "qtrTestAddress", ASN_IPADDRESS).column(table),
            VariableDef("privateRoot.99.1.1.4", "qtrTestValue", ASN_INTEGER)
                .column(table)
                .range(0, 65535),
            VariableDef("privateRoot.99.1.1.5", "qtrTestStatus", ASN_INTEGER).column(table),
        },
    };
    return group;
}

} // namespace sim
