#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

// The command line of qtr-snmp, a small client over NvSNMPRequest:
//   qtr-snmp [-v 1|2c|3] [-c read-community] [-w write-community] [-u user]
//            [-l noAuthNoPriv|authNoPriv|authPriv] [-a MD5|SHA|SHA-224|SHA-256|SHA-384|SHA-512]
//            [-A pass] [-x DES|AES] [-X pass] [-p port] [-t timeout-centiseconds] [-r retries]
//            HOST get OID... | HOST walk OID | HOST set OID:KEYWORD=VALUE...
// Prints "OID = value-text" per variable; a failure prints the catalog message to standard
// error and gives 1; bad arguments give a usage message and 2. The SNMPv3 boots file and
// net-snmp's files live in $QTR_SNMP_STATE_DIR, or the per-user data folder.
namespace QtrSnmpTool {

enum ExitCode
{
    Success = 0,
    Failure = 1,
    Usage = 2
};

int Run(const QStringList& arguments, FILE* out, FILE* err);

} // namespace QtrSnmpTool
