#include "VariableDef.h"

namespace sim {

VariableDef::VariableDef(const char* oidText, const char* variableName, u_char asnType)
    : oid(oidFromLiteral(oidText)), name(variableName), type(asnType)
{}

VariableDef& VariableDef::readWrite()
{
    access = Access::ReadWrite;
    kind = Kind::Config;
    return *this;
}

VariableDef& VariableDef::command(std::initializer_list<qint64> values, CommitAction commit)
{
    access = Access::ReadWrite;
    kind = Kind::Command;
    accepted = values;
    action = commit;
    return *this;
}

VariableDef& VariableDef::column(const TableDef& owner)
{
    access = Access::ReadCreate;
    kind = Kind::Config;
    table = &owner;
    return *this;
}

VariableDef& VariableDef::readOnlyColumn(const TableDef& owner)
{
    table = &owner;
    return *this;
}

VariableDef& VariableDef::values(std::initializer_list<qint64> values)
{
    accepted = values;
    return *this;
}

VariableDef& VariableDef::range(qint64 from, qint64 to)
{
    hasRange = true;
    low = from;
    high = to;
    return *this;
}

VariableDef& VariableDef::dynamic(DynamicRead function)
{
    read = function;
    return *this;
}

VariableDef& VariableDef::validate(Validation check)
{
    validation = check;
    return *this;
}

VariableDef& VariableDef::onCommit(CommitAction commit)
{
    action = commit;
    return *this;
}

} // namespace sim
