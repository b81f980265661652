#pragma once

#include <QString>
#include <QStringView>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>
#include <optional>
#include <vector>

namespace sim {

// Object identifiers compare as SNMP orders them (arc by arc, a prefix first), which is exactly
// std::vector's lexicographic order, so a std::map keyed by Oid walks in GET-NEXT order.
using Oid = std::vector<oid>;

// The root of the device's private MIB, from the build.
const Oid& privateRoot();

// Accepts "1.3.6.1", ".1.3.6.1" and "privateRoot.4.5.1.0" (the private root spelled out).
std::optional<Oid> parseOid(QStringView text);

// Like parseOid for texts compiled into the model: a bad one is a programming error.
Oid oidFromLiteral(const char* text);

QString oidText(const Oid& value);

bool hasPrefix(const Oid& value, const Oid& prefix);

} // namespace sim
