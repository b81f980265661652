#pragma once

#include <QHostAddress>
#include <QString>
#include <QtGlobal>

// An IPv4 socket address: the source of a datagram or where a reply goes.
struct TFTPEndpoint
{
    quint32 address = 0; // host byte order
    quint16 port = 0;

    QString AddressText() const { return QHostAddress(address).toString(); }
};
