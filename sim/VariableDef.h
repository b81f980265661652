#pragma once

#include "Value.h"

#include <initializer_list>
#include <vector>

namespace sim {

class Device;

enum class Access
{
    ReadOnly,
    ReadWrite,
    ReadCreate, // a table column: rows come and go through the table's RowStatus
};

// What a successful write means to the device.
enum class Kind
{
    Status,  // the device's own state, never part of the saved configuration
    Config,  // configuration: the running value until saved, dropped by a discard
    Command, // a write starts an action; the variable always reads back its idle value
};

// A conceptual table whose rows have one integer index.
struct TableDef
{
    Oid entry;
    unsigned indexColumn = 0;  // the column holding the index (its value must equal it), 0 none
    unsigned statusColumn = 0; // the RowStatus column, 0 when SNMP cannot add or remove rows
};

using CommitAction = void (*)(Device& device, const Oid& instance, const Value& value);
using DynamicRead = Value (*)(const Device& device);
// Returns an SNMP error status for a value the device refuses beyond type, size and range.
using Validation = int (*)(const Device& device, const Oid& instance, const Value& value);

// One variable of the device: a scalar instance (its OID ends in .0) or a table column (its OID
// without the index). The defaults come from the data file; this is what the file cannot say.
struct VariableDef
{
    VariableDef(const char* oidText, const char* variableName, u_char asnType);

    // A writable configuration variable.
    VariableDef& readWrite();
    // A writable variable that starts an action; accepted integer values.
    VariableDef& command(std::initializer_list<qint64> accepted, CommitAction action);
    // A read-create column of table.
    VariableDef& column(const TableDef& table);
    // A read-only column of table: the device's own rows, as many as the data file has.
    VariableDef& readOnlyColumn(const TableDef& table);
    // Accepted integers: a list of values, or a range; for octet strings the length range.
    VariableDef& values(std::initializer_list<qint64> accepted);
    VariableDef& range(qint64 low, qint64 high);
    VariableDef& size(qint64 low, qint64 high) { return range(low, high); }
    VariableDef& dynamic(DynamicRead read);
    VariableDef& validate(Validation check);
    VariableDef& onCommit(CommitAction action);

    bool writable() const { return access != Access::ReadOnly; }

    Oid oid;
    const char* name;
    u_char type;
    Access access = Access::ReadOnly;
    Kind kind = Kind::Status;
    std::vector<qint64> accepted;
    bool hasRange = false;
    qint64 low = 0;
    qint64 high = 0;
    DynamicRead read = nullptr;
    Validation validation = nullptr;
    CommitAction action = nullptr;
    const TableDef* table = nullptr;
};

// The variables of one part of the device, and what the group does when the device boots.
struct VariableGroup
{
    const char* name;
    std::vector<VariableDef> variables;
    void (*onBoot)(Device& device) = nullptr;
};

} // namespace sim
