#include "NvSNMPResults.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace NvSNMPResults {

namespace {

constexpr int kUsmError = 1401;
constexpr int kUsmUnsupportedSecurityLevel = 1403;
constexpr int kUsmUnknownSecurityName = 1404;
constexpr int kUsmDecryptionError = 1406;
constexpr int kUsmAuthenticationFailure = 1408;
constexpr int kUsmParseError = 1409;
constexpr int kUsmUnknownEngineId = 1410;
constexpr int kUsmNotInTimeWindow = 1411;

struct Translation
{
    int netSnmp;
    int library;
};

// Every net-snmp outcome, to the catalog entry nearest in meaning. A wrong password comes back
// as a report to the request or as a failed send, depending on what net-snmp has cached: both
// forms land on the same entry, and so do unknown users and unknown engines.
const Translation kTable[] = {
    {SNMPERR_SUCCESS, kSuccess},
    {SNMPERR_GENERR, kOperationFailed},
    {SNMPERR_BAD_LOCPORT, -22}, // transport operation failed
    {SNMPERR_BAD_ADDRESS, kInvalidAddress},
    {SNMPERR_BAD_SESSION, kInternalError},
    {SNMPERR_TOO_LONG, kInvalidPdu},
    {SNMPERR_NO_SOCKET, -22},
    {SNMPERR_V2_IN_V1, -16}, // operation not supported on the target
    {SNMPERR_V1_IN_V2, -16},
    {SNMPERR_BAD_REPEATERS, kInvalidPdu},
    {SNMPERR_BAD_REPETITIONS, kInvalidPdu},
    {SNMPERR_BAD_ASN1_BUILD, kInvalidPdu},
    {SNMPERR_BAD_SENDTO, -22},
    {SNMPERR_BAD_PARSE, kInvalidPdu},
    {SNMPERR_BAD_VERSION, -16},
    {SNMPERR_BAD_SRC_PARTY, -12}, // invalid target
    {SNMPERR_BAD_DST_PARTY, -12},
    {SNMPERR_BAD_CONTEXT, -1417},   // unknown context
    {SNMPERR_BAD_COMMUNITY, -1411}, // community format error
    {SNMPERR_NOAUTH_DESPRIV, kUsmUnsupportedSecurityLevel},
    {SNMPERR_BAD_ACL, -12},
    {SNMPERR_BAD_PARTY, -12},
    {SNMPERR_ABORT, kOperationFailed},
    {SNMPERR_UNKNOWN_PDU, kInvalidPdu},
    {SNMPERR_TIMEOUT, kTimeout},
    {SNMPERR_BAD_RECVFROM, -22},
    {SNMPERR_BAD_ENG_ID, -1406}, // invalid engine ID
    {SNMPERR_BAD_SEC_NAME, kUsmUnknownSecurityName},
    {SNMPERR_BAD_SEC_LEVEL, kUsmUnsupportedSecurityLevel},
    {SNMPERR_ASN_PARSE_ERR, -1408}, // parse error
    {SNMPERR_UNKNOWN_SEC_MODEL, kUnsupportedSecurityModel},
    {SNMPERR_INVALID_MSG, -1405}, // invalid message
    {SNMPERR_UNKNOWN_ENG_ID, kUsmUnknownEngineId},
    {SNMPERR_UNKNOWN_USER_NAME, kUsmUnknownSecurityName},
    {SNMPERR_UNSUPPORTED_SEC_LEVEL, kUsmUnsupportedSecurityLevel},
    {SNMPERR_AUTHENTICATION_FAILURE, kUsmAuthenticationFailure},
    {SNMPERR_NOT_IN_TIME_WINDOW, kUsmNotInTimeWindow},
    {SNMPERR_DECRYPTION_ERR, kUsmDecryptionError},
    {SNMPERR_SC_GENERAL_FAILURE, kUsmError},
    {SNMPERR_SC_NOT_CONFIGURED, kUsmError},
    {SNMPERR_KT_NOT_AVAILABLE, kUsmError},
    {SNMPERR_UNKNOWN_REPORT, -1414}, // USM error
    {SNMPERR_USM_GENERICERROR, kUsmError},
    {SNMPERR_USM_UNKNOWNSECURITYNAME, kUsmUnknownSecurityName},
    {SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL, kUsmUnsupportedSecurityLevel},
    {SNMPERR_USM_ENCRYPTIONERROR, kUsmEncryptionError},
    {SNMPERR_USM_AUTHENTICATIONFAILURE, kUsmAuthenticationFailure},
    {SNMPERR_USM_PARSEERROR, kUsmParseError},
    {SNMPERR_USM_UNKNOWNENGINEID, kUsmUnknownEngineId},
    {SNMPERR_USM_NOTINTIMEWINDOW, kUsmNotInTimeWindow},
    {SNMPERR_USM_DECRYPTIONERROR, kUsmDecryptionError},
    {SNMPERR_NOMIB, kInvalidOid},
    {SNMPERR_RANGE, kInvalidPdu},
    {SNMPERR_MAX_SUBID, kInvalidOid},
    {SNMPERR_BAD_SUBID, kInvalidOid},
    {SNMPERR_LONG_OID, kInvalidOid},
    {SNMPERR_BAD_NAME, kInvalidOid},
    {SNMPERR_VALUE, kInvalidPdu},
    {SNMPERR_UNKNOWN_OBJID, kInvalidOid},
    {SNMPERR_NULL_PDU, kInvalidPdu},
    {SNMPERR_NO_VARS, kInvalidPdu},
    {SNMPERR_VAR_TYPE, kInvalidPdu},
    {SNMPERR_MALLOC, -2}, // resource unavailable
    {SNMPERR_KRB5, kUnsupportedSecurityModel},
    {SNMPERR_PROTOCOL, kOperationFailed},
    {SNMPERR_OID_NONINCREASING, kOperationFailed},
    {SNMPERR_JUST_A_CONTEXT_PROBE, kOperationFailed},
    {SNMPERR_TRANSPORT_NO_CONFIG, -20}, // transport not supported
    {SNMPERR_TRANSPORT_CONFIG_ERROR, -20},
    {SNMPERR_TLS_NO_CERTIFICATE, -20},
};

// A number that MapResult turns into "(NvSNMP++) Unknown error code!".
constexpr int kUnmapped = -100000;

} // namespace

int OfLibraryError(int snmpErrno)
{
    for (const Translation& t : kTable) {
        if (t.netSnmp == snmpErrno)
            return t.library;
    }
    return kUnmapped;
}

int OfStatus(int status, int snmpErrno, long errorStatus)
{
    switch (status) {
    case STAT_SUCCESS:
        // Error-statuses beyond RFC 3416's eighteen would collide with the library's own
        // numbers (1400 means success there): they map to "unknown".
        return errorStatus >= 0 && errorStatus <= 18 ? int(errorStatus) : kUnmapped;
    case STAT_TIMEOUT:
        return kTimeout;
    default:
        return snmpErrno == SNMPERR_SUCCESS ? kOperationFailed : OfLibraryError(snmpErrno);
    }
}

bool NeedsRediscovery(int libraryResult)
{
    return libraryResult == kUsmUnknownEngineId || libraryResult == -1406;
}

} // namespace NvSNMPResults
