#pragma once

#include <QString>

// One IPv4 address of the PC as the interface list gives it. Only address and netmask are used
// to choose the address the device is told to use.
struct LocalInterface
{
    QString address;   // dotted IPv4
    QString broadcast; // dotted IPv4, "0.0.0.0" when the interface has none
    QString spare;
    QString netmask; // dotted IPv4
    bool up = false;
    bool broadcastCapable = false;
    bool loopback = false;
    bool pointToPoint = false;
    bool multicastCapable = false;
};
