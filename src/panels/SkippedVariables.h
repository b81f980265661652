#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class NvSNMPVarList;

// Variables a write leaves out (VAR_SKIP) for as long as this object lives; their flags come
// back as they were, also when the write raises.
class SkippedVariables
{
public:
    explicit SkippedVariables(NvSNMPVarList& list) : m_list(list) {}
    ~SkippedVariables();
    SkippedVariables(const SkippedVariables&) = delete;
    SkippedVariables& operator=(const SkippedVariables&) = delete;

    void Skip(int index);

private:
    NvSNMPVarList& m_list;
    std::vector<std::pair<int, uint32_t>> m_saved;
};
