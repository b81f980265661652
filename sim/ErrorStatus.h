#pragma once

#include <QString>
#include <optional>

namespace sim {

// SNMP error-status names as RFC 3416 spells them ("noError", "notWritable", ...).
QString errorStatusName(int status);
// A name (any case) or a number 0 to 18.
std::optional<int> errorStatusFromText(const QString& text);
// The status an SNMPv1 response carries for a v2 status, as the agent converts it (RFC 2576).
int errorStatusForVersion1(int status);

} // namespace sim
