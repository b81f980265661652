#include "TFTPStatusText.h"

QString TFTPStatusText(int code)
{
    // Literals keep the texts in static data: a status change on the transfer path allocates
    // nothing.
    switch (code) {
    case 3:
        return QStringLiteral("(NvTFTP) Success to transfer file.");
    case 2:
        return QStringLiteral("(NvTFTP) File is transferring...");
    case 1:
        return QStringLiteral("(NvTFTP) A TFTP session is connected...");
    case 0:
        return QStringLiteral("(NvTFTP) A TFTP session is disconnected...");
    case -1101:
        return QStringLiteral("(NvTFTP) Undefined error:");
    case -1102:
        return QStringLiteral("(NvTFTP) File not found!");
    case -1103:
        return QStringLiteral("(NvTFTP) Access violation!");
    case -1104:
        return QStringLiteral("(NvTFTP) Disk full!");
    case -1105:
        return QStringLiteral("(NvTFTP) Bad operation!");
    case -1106:
        return QStringLiteral("(NvTFTP) Unknown port!");
    case -1107:
        return QStringLiteral("(NvTFTP) File already exist!");
    case -1108:
        return QStringLiteral("(NvTFTP) No such user!");
    case -1109:
        return QStringLiteral("(NvTFTP) Fail to open socket!Please check if the network is ready.");
    case -1110:
        return QStringLiteral("(NvTFTP) Fail to send or receive socket packet!");
    case -1111:
        return QStringLiteral("(NvTFTP) Socket is not ready!");
    case -1112:
        return QStringLiteral("(NvTFTP) Bad packet!");
    case -1113:
        return QStringLiteral("(NvTFTP) Timeout!");
    case -1114:
        return QStringLiteral("(NvTFTP) Transfer has been canceled.");
    default:
        return QString();
    }
}
