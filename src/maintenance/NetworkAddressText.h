#pragma once

#include <QString>

// The network part of a dotted address under a dotted mask, octet by octet ("192.168.0.50" and
// "255.255.255.0" give "192.168.0.0"). An octet that is missing or not a number counts as 0.
QString NetworkAddressText(const QString& address, const QString& mask);
