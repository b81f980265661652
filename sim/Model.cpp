#include "Model.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

Model::Model()
    : m_groups{&systemGroup(),         &capabilityGroup(),  &lanGroup(),      &apStatusGroup(),
               &wirelessStatusGroup(), &maintenanceGroup(), &testTableGroup()}
{
    for (const VariableGroup* group : m_groups) {
        for (const VariableDef& def : group->variables) {
            auto& index = def.table ? m_columns : m_scalars;
            if (!index.emplace(def.oid, &def).second) {
                std::fprintf(stderr, "qtr9000kx-sim: %s is in the model twice\n",
                             qPrintable(oidText(def.oid)));
                std::abort();
            }
        }
    }
}

const VariableDef* Model::find(const Oid& instance) const
{
    if (auto it = m_scalars.find(instance); it != m_scalars.end())
        return it->second;
    // A cell is its column's OID followed by the row index.
    if (m_columns.empty() || instance.size() < 2)
        return nullptr;
    auto it = m_columns.upper_bound(instance);
    if (it == m_columns.begin())
        return nullptr;
    --it;
    if (hasPrefix(instance, it->first) && instance.size() > it->first.size())
        return it->second;
    return nullptr;
}

std::vector<const VariableDef*> Model::columns(const TableDef& table) const
{
    std::vector<const VariableDef*> result;
    for (auto it = m_columns.lower_bound(table.entry);
         it != m_columns.end() && hasPrefix(it->first, table.entry); ++it) {
        if (it->second->table == &table)
            result.push_back(it->second);
    }
    return result;
}

} // namespace sim
