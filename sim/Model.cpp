#include "Model.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

Model::Model()
    : m_groups{&systemGroup(), &capabilityGroup(), &lanGroup(), &maintenanceGroup(),
               &testTableGroup()}
{
    for (const VariableGroup* group : m_groups) {
        for (const VariableSpec& spec : group->variables) {
            auto& index = spec.table ? m_columns : m_scalars;
            if (!index.emplace(spec.oid, &spec).second) {
                std::fprintf(stderr, "qtr9000kx-sim: %s is in the model twice\n",
                             qPrintable(oidText(spec.oid)));
                std::abort();
            }
        }
    }
}

const VariableSpec* Model::find(const Oid& instance) const
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

std::vector<const VariableSpec*> Model::columns(const TableSpec& table) const
{
    std::vector<const VariableSpec*> result;
    for (auto it = m_columns.lower_bound(table.entry);
         it != m_columns.end() && hasPrefix(it->first, table.entry); ++it) {
        if (it->second->table == &table)
            result.push_back(it->second);
    }
    return result;
}

} // namespace sim
