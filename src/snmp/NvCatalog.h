#pragma once

#include <QString>
#include <QStringList>

// The catalogs of error and status texts. Each has built-in texts that a plain-text file with
// one message per line can replace at start-up (for translation or rewording).
enum class NvCatalogId
{
    AgentErrors, // "snmp.err"      code -100 - (n + 1)
    SnmpV3,      // "snmpv3.err"    code -201 - n
    SnmpUsm,     // "snmpusm.err"   code -301 - n
    SnmpClass,   // "snmpclass.err" code -401 - n
    NvSnmp,      // "nvsnmp.err"    code 0 for entry 0, else -500 - n
    Templates,   // "snmp.msg"      entry 0 after a read, 1 after a write
    Common,      // "common.err"    code -n
};

constexpr int kCatalogCount = 7;

// A catalog code with its text.
struct NvCodeText
{
    int code = 0;
    QString text;
};

namespace NvCatalog {

// The file name of a catalog ("snmp.err" ...).
QString FileName(NvCatalogId catalog);
// Number of entries of a catalog.
int EntryCount(NvCatalogId catalog);
// Current text of entry n; empty when n is out of range.
QString Entry(NvCatalogId catalog, int n);
// The built-in text of entry n.
QString BuiltInEntry(NvCatalogId catalog, int n);

// Replaces the catalog's texts by the file's non-blank lines, when the file opens and holds at
// least one; entries past the file's last line keep their texts. Returns whether it loaded.
bool LoadCatalog(NvCatalogId catalog, const QString& path);
// Parses catalog file content into its entries (lines longer than 1023 characters are pieces).
QStringList ParseCatalogText(const QByteArray& content);

// Restores every catalog's built-in texts.
void ResetToBuiltIn();

// Maps a result of the SNMP library (or an agent's error-status) to a catalog code and text.
NvCodeText MapResult(int result);

// The text of a catalog code: -1..-18 common, -101..-119 agent errors, -201..-217 SNMPv3,
// -301..-314 USM, -401..-423 library, 0 and -501..-528 request library. Any other code gives
// the text of -528.
QString TextOfCode(int code);

// Builds a status line from template 0 (after a read) or 1 (after a write): "[ERROR]" is the
// message, "[VARLIST]" the list's name, "[TIME]" the time text. Without a list name the text
// " Request:[VARLIST]" (from just after "[ERROR]" through "[VARLIST]") is cut first.
QString StatusLine(int templateIndex, const QString& message, const QString& listName,
                   const QString& time);

} // namespace NvCatalog
