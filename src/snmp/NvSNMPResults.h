#pragma once

// Library result numbers as NvCatalog::MapResult expects them, and the one table that
// translates net-snmp's outcomes into them (NvSNMPResults.cpp). Agent error-statuses 1..18 are
// results of their own and pass unchanged.
namespace NvSNMPResults {

constexpr int kSuccess = 0;
constexpr int kOperationFailed = -1;
constexpr int kInternalError = -3;
constexpr int kTimeout = -5;
constexpr int kSessionDestroyed = -8;
constexpr int kInvalidPdu = -11;
constexpr int kInvalidOid = -17;
constexpr int kInvalidAddress = -18;
constexpr int kUnsupportedSecurityModel = -1402;
constexpr int kUsmAuthenticationError = 1407;
constexpr int kUsmEncryptionError = 1405;
constexpr int kUsmUnsupportedAuthProtocol = 1412;
constexpr int kUsmUnsupportedPrivProtocol = 1413;

// A net-snmp error number (SNMPERR_*, including the report types of snmpv3_get_report_type).
int OfLibraryError(int snmpErrno);

// The result of a blocking net-snmp request: its STAT_* status with the session's error number
// and, for STAT_SUCCESS, the response's error-status.
int OfStatus(int status, int snmpErrno, long errorStatus);

// True for the outcomes after which a cached SNMPv3 session must discover the engine again.
bool NeedsRediscovery(int libraryResult);

} // namespace NvSNMPResults
