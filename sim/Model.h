#pragma once

#include "VariableDef.h"

#include <map>
#include <vector>

namespace sim {

// Every variable the simulator knows, gathered from the groups under model/. A page that needs
// more of the device adds a group there (and its defaults to the data file); nothing else changes.
class Model
{
public:
    Model();

    // The variable an instance belongs to: a scalar by its full OID, a table cell by its column.
    const VariableDef* find(const Oid& instance) const;
    // The columns of a table in column order.
    std::vector<const VariableDef*> columns(const TableDef& table) const;
    const std::vector<const VariableGroup*>& groups() const { return m_groups; }

private:
    std::vector<const VariableGroup*> m_groups;
    std::map<Oid, const VariableDef*> m_scalars;
    std::map<Oid, const VariableDef*> m_columns;
};

// The groups, one function each (model/*.cpp).
const VariableGroup& systemGroup();
const VariableGroup& capabilityGroup();
const VariableGroup& lanGroup();
const VariableGroup& apStatusGroup();
const VariableGroup& wirelessStatusGroup();
const VariableGroup& maintenanceGroup();
const VariableGroup& testTableGroup();

// The device reports the address it answers on, with mask 255.0.0.0, so that a module on the
// same machine finds its own interface on the device's subnet (model/LanGroup.cpp).
void useListenAddress(std::map<Oid, Value>& defaults, quint32 address);

} // namespace sim
