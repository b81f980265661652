#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>
#include <map>

namespace sim {

// Named capability sets: each changes or removes a few variables of the defaults, so a test can
// pick a device with or without "Save and Active", SSL, the table-based Multi-SSID page and so on.
// Several apply in the order given.
struct Variant
{
    const char* name;
    const char* description;
    // OID and "KEYWORD:VALUE"; a null value removes the variable.
    std::vector<std::pair<const char*, const char*>> changes;
};

const std::vector<Variant>& variants();
const Variant* findVariant(const QString& name);
// Applies the variant to values; returns an explanation when a change is malformed.
QString applyVariant(const Variant& variant, std::map<Oid, Value>& values);

} // namespace sim
