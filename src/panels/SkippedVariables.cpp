#include "SkippedVariables.h"

#include "NvSNMPVarList.h"

SkippedVariables::~SkippedVariables()
{
    for (const auto& [index, flags] : m_saved)
        m_list.Item(index).flags = flags;
}

void SkippedVariables::Skip(int index)
{
    m_saved.emplace_back(index, m_list.Item(index).flags);
    m_list.Item(index).flags |= VAR_SKIP;
}
