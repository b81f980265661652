#include "VariableSpec.h"

namespace sim {

VariableSpec::VariableSpec(const char* oidText, const char* variableName, u_char asnType)
    : oid(oidFromLiteral(oidText)), name(variableName), type(asnType)
{}

VariableSpec& VariableSpec::readWrite()
{
    access = Access::ReadWrite;
    kind = Kind::Config;
    return *this;
}

VariableSpec& VariableSpec::command(std::initializer_list<qint64> values, CommitAction commit)
{
    access = Access::ReadWrite;
    kind = Kind::Command;
    accepted = values;
    action = commit;
    return *this;
}

VariableSpec& VariableSpec::column(const TableSpec& owner)
{
    access = Access::ReadCreate;
    kind = Kind::Config;
    table = &owner;
    return *this;
}

VariableSpec& VariableSpec::values(std::initializer_list<qint64> values)
{
    accepted = values;
    return *this;
}

VariableSpec& VariableSpec::range(qint64 from, qint64 to)
{
    hasRange = true;
    low = from;
    high = to;
    return *this;
}

VariableSpec& VariableSpec::dynamic(DynamicRead function)
{
    read = function;
    return *this;
}

VariableSpec& VariableSpec::validate(Validation check)
{
    validation = check;
    return *this;
}

VariableSpec& VariableSpec::onCommit(CommitAction commit)
{
    action = commit;
    return *this;
}

} // namespace sim
