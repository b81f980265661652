#pragma once

#include <QString>

// The address checks pages use on texts entered as addresses.

// A unicast host address: four decimal parts, the first 1..223, the next two 0..255, the last
// 1..254 (so network, broadcast, multicast and class E addresses fail).
bool IsValidHostAddress(const QString& text);

// A subnet mask of prefix length 2 to 31: four decimal parts forming a run of ones followed
// only by zeros, none of the four numbers being 1.
bool IsValidSubnetMask(const QString& text);
