#include "ErrorStatus.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace sim {

namespace {

const char* const names[] = {
    "noError",
    "tooBig",
    "noSuchName",
    "badValue",
    "readOnly",
    "genErr",
    "noAccess",
    "wrongType",
    "wrongLength",
    "wrongEncoding",
    "wrongValue",
    "noCreation",
    "inconsistentValue",
    "resourceUnavailable",
    "commitFailed",
    "undoFailed",
    "authorizationError",
    "notWritable",
    "inconsistentName",
};

constexpr int nameCount = static_cast<int>(sizeof names / sizeof names[0]);

} // namespace

QString errorStatusName(int status)
{
    if (status >= 0 && status < nameCount)
        return QString::fromLatin1(names[status]);
    return QString::number(status);
}

std::optional<int> errorStatusFromText(const QString& text)
{
    for (int i = 0; i < nameCount; ++i) {
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok && number >= 0 && number < nameCount)
        return number;
    return std::nullopt;
}

int errorStatusForVersion1(int status)
{
    switch (status) {
    case SNMP_ERR_WRONGVALUE:
    case SNMP_ERR_WRONGENCODING:
    case SNMP_ERR_WRONGTYPE:
    case SNMP_ERR_WRONGLENGTH:
    case SNMP_ERR_INCONSISTENTVALUE:
        return SNMP_ERR_BADVALUE;
    case SNMP_ERR_NOACCESS:
    case SNMP_ERR_NOTWRITABLE:
    case SNMP_ERR_NOCREATION:
    case SNMP_ERR_INCONSISTENTNAME:
    case SNMP_ERR_AUTHORIZATIONERROR:
        return SNMP_ERR_NOSUCHNAME;
    case SNMP_ERR_RESOURCEUNAVAILABLE:
    case SNMP_ERR_COMMITFAILED:
    case SNMP_ERR_UNDOFAILED:
        return SNMP_ERR_GENERR;
    default:
        return status;
    }
}

} // namespace sim
