#include "NvCatalog.h"

#include <QFile>
#include <array>

namespace {

const char* const kAgentErrors[] = {
    "(SNMP) Response PDU Too Big!",
    "(SNMP) Variable does not exist!",
    "(SNMP) Cannot modify variable: Bad Value!",
    "(SNMP) Cannot modify object, Read Only!",
    "(SNMP) Cannot perform operation, General Error!",
    "(SNMP) Cannot access variable, No Access!",
    "(SNMP) Cannot create/modify variable, Wrong Type!",
    "(SNMP) Cannot create/set variable, Wrong Length!",
    "(SNMP) Cannot create/set variable, Wrong Encoding!",
    "(SNMP) Cannot create/set variable, Wrong Value!",
    "(SNMP) Cannot create variable, Creation Not Allowed!",
    "(SNMP) Cannot create/set variable, Inconsistent Value!",
    "(SNMP) Cannot create/set variable, Resource Unavailable!",
    "(SNMP) Cannot create/set variable, Commit Failed!",
    "(SNMP) Cannot create/set variable, Undo Failed!",
    "(SNMP) Cannot perform operation, Authorization Error!",
    "(SNMP) Cannot create/set variable, Not Writable!",
    "(SNMP) Cannot create variable, Inconsistent Name!",
    "(SNMP) Cannot download the overdue firmware!",
};

const char* const kSnmpV3[] = {
    "(SNMPv3) Unsupported Security Model!",
    "(SNMPv3) Message not in Time Window!",
    "(SNMPv3) Received same Message twice!",
    "(SNMPv3) Invalid Message!",
    "(SNMPv3) Invalid EngineID!",
    "(SNMPv3) v3MP not initialized!",
    "(SNMPv3) Parse Error!",
    "(SNMPv3) Received Message with unknown MsgID!",
    "(SNMPv3) Message does not match known message!",
    "(SNMPv3) Community format error!",
    "(SNMPv3) Unknown UserName!",
    "(SNMPv3) Build error!",
    "(SNMPv3) USM: error!",
    "(SNMPv3) Unknown pdu handlers!",
    "(SNMPv3) Unavailable Context!",
    "(SNMPv3) Unknown Context!",
    "(SNMPv3) Report sent!",
};

const char* const kSnmpUsm[] = {
    "(SNMPv3USM) error!",
    "(SNMPv3USM) Configfile write error!",
    "(SNMPv3USM) Unsupported SecurityLevel!",
    "(SNMPv3USM) Unknown SecurityName!",
    "(SNMPv3USM) Encryption error!",
    "(SNMPv3USM) Decryption error!",
    "(SNMPv3USM) Authentication error!",
    "(SNMPv3USM) Authentication failure!",
    "(SNMPv3USM) Parse error!",
    "(SNMPv3USM) Unknown EngineID!",
    "(SNMPv3USM) Message not in TimeWindow!",
    "(SNMPv3USM) Unsupported AuthProtocol!",
    "(SNMPv3USM) Unsupported PrivProtocol!",
    "(SNMPv3USM) Address error!",
};

const char* const kSnmpClass[] = {
    "(SNMPClass) Operation failed!",
    "(SNMPClass) Resource unavailable!",
    "(SNMPClass) Internal error!",
    "(SNMPClass) Unsupported function!",
    "(SNMPClass) SNMP request timed out!",
    "(SNMPClass) Received SNMP Response!",
    "(SNMPClass) Received SNMP Notification (trap or inform)!",
    "(SNMPClass) Closing session with outstanding requests!",
    "(SNMPClass)Unknown error code!",
    "(SNMPClass) Class not valid!",
    "(SNMPClass) Invalid Pdu!",
    "(SNMPClass) Invalid Target!",
    "(SNMPClass) Invalid (null) Callback Function!",
    "(SNMPClass) Invalid Request Id!",
    "(SNMPClass) Invalid Notification Id!",
    "(SNMPClass) SNMP Operation not supported on specified Target!",
    "(SNMPClass) Invalid Object Identifier!",
    "(SNMPClass) Invalid Address!",
    "(SNMPClass) Agent indicates error in SNMP request!",
    "(SNMP Class) Transport is not supported!",
    "(SNMPClass) Transport is in use!",
    "(SNMPClass) Transport operation failed!",
    "(SNMPClass) Blocked Mode Shutdown!",
};

const char* const kNvSnmp[] = {
    "(NvSNMP++) Ok!",
    "(NvSNMP++) Fail to read SNMP variables from file([FILENAME])!",
    "(NvSNMP++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!",
    "(NvSNMP++) Bad item type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(NvSNMP++) Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!",
    "(NvSNMP++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(NvSNMP++) Cannot create the global NvSNMP++ session!",
    "(NvSNMP++) Error when loading SNMP engine boots counter!",
    "(NvSNMP++) Error when saving SNMP engine boots counter!",
    "(NvSNMP++) Invalid IP Address or DNS name!",
    "(NvSNMP++) Can't send get-next command for a SNMP variable list with single value!",
    "(NvSNMP++) Bad SNMP syntax!",
    "(NvSNMP++) Null value in the expression!",
    "(NvSNMP++) Bad SNMP syntax in the expression!",
    "(NvSNMP++) Bad key count of SNMP variable list!",
    "(NvSNMP++) Bad item type of SNMP variable list!",
    "(NvSNMP++) Bad item type of associated SNMP variable list!",
    "(NvSNMP++) Bad syntax of the associated SNMP variable's (partial) data!",
    "(NvSNMP++) Bad value of the associated SNMP variable's (partial) data!",
    "(NvSNMP++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) "
    "data!",
    "(NvSNMP++) No reference option list for a SNMP variable's (partial) data associating with a "
    "optional visual control!",
    "(NvSNMP++) Bad type of the associated visual control!",
    "(NvSNMP++) Count of the associated visual controls is not enough!",
    "(NvSNMP++) No system start time for the time whose data source is the SNMP variable's "
    "(partial) data with syntax timeticks!",
    "(NvSNMP++) Count of the value items for the chart's history data is not enough!",
    "(NvSNMP++) Log database is not connected!",
    "(NvSNMP++) Log database field not found!",
    "(NvSNMP++) Bad syntax for the history chart of log!",
    "(NvSNMP++) Unknown error code!",
};

const char* const kTemplates[] = {
    "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].",
    "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].",
};

const char* const kCommon[] = {
    "(NvCommon) Ok!",
    "(NvCommon) Bad logic operand!",
    "(NvCommon) Bad format specifier of edit's constraint!",
    "(NvCommon) Empty value is not allowed!",
    "(NvCommon) Please enter a string whose length is less than [MAXLEN]!",
    "(NvCommon) Please enter a string whose length is [LEN]!",
    "(NvCommon) Please enter a hex string whose length is less than [MAXLEN]!",
    "(NvCommon) Please enter a hex string whose length is [LEN]!",
    "(NvCommon) Please enter a number between [MIN] and [MAX]!",
    "(NvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\n"
    "Here,the count of the number is less than [MAXCOUNT]!",
    "(NvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\n"
    "Here,the count of the number is equal to [COUNT]!",
    "(NvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\n"
    "Here,each number is between [MIN] and [MAX]!",
    "(NvCommon) Out of range at index of array or list!",
    "(NvCommon) Destination buffer is undersize!",
    "(NvCommon) The source to dncrypt is not encrypted!",
    "(NvCommon) Fail to read data from file([FILENAME])!",
    "(NvCommon) Fail to write data to file([FILENAME])!",
    "(NvCommon) Fail to write value in ini file([FILENAME])!",
    "(NvCommon) Fail to read option data from file([FILENAME])!",
};

struct BuiltIn
{
    const char* fileName;
    const char* const* texts;
    int count;
};

template <size_t N> constexpr BuiltIn builtIn(const char* fileName, const char* const (&texts)[N])
{
    return {fileName, texts, static_cast<int>(N)};
}

const std::array<BuiltIn, kCatalogCount> kBuiltIn = {
    builtIn("snmp.err", kAgentErrors), builtIn("snmpv3.err", kSnmpV3),
    builtIn("snmpusm.err", kSnmpUsm),  builtIn("snmpclass.err", kSnmpClass),
    builtIn("nvsnmp.err", kNvSnmp),    builtIn("snmp.msg", kTemplates),
    builtIn("common.err", kCommon),
};

const BuiltIn& builtInOf(NvCatalogId catalog)
{
    return kBuiltIn[static_cast<size_t>(catalog)];
}

QStringList builtInTexts(NvCatalogId catalog)
{
    const BuiltIn& b = builtInOf(catalog);
    QStringList texts;
    for (int i = 0; i < b.count; ++i)
        texts.append(QString::fromUtf8(b.texts[i]));
    return texts;
}

std::array<QStringList, kCatalogCount>& catalogs()
{
    static std::array<QStringList, kCatalogCount> texts = [] {
        std::array<QStringList, kCatalogCount> all;
        for (int i = 0; i < kCatalogCount; ++i)
            all[i] = builtInTexts(static_cast<NvCatalogId>(i));
        return all;
    }();
    return texts;
}

QStringList& textsOf(NvCatalogId catalog)
{
    return catalogs()[static_cast<size_t>(catalog)];
}

bool isBlankPiece(const QString& piece)
{
    for (const QChar c : piece) {
        if (c.unicode() > ' ')
            return false;
    }
    return true;
}

constexpr int kPieceLength = 1023;

} // namespace

namespace NvCatalog {

QString FileName(NvCatalogId catalog)
{
    return QString::fromLatin1(builtInOf(catalog).fileName);
}

int EntryCount(NvCatalogId catalog)
{
    return builtInOf(catalog).count;
}

QString Entry(NvCatalogId catalog, int n)
{
    const QStringList& texts = textsOf(catalog);
    return n >= 0 && n < texts.size() ? texts.at(n) : QString();
}

QString BuiltInEntry(NvCatalogId catalog, int n)
{
    const BuiltIn& b = builtInOf(catalog);
    return n >= 0 && n < b.count ? QString::fromUtf8(b.texts[n]) : QString();
}

QStringList ParseCatalogText(const QByteArray& content)
{
    QStringList entries;
    const QString text = QString::fromUtf8(content);
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        const bool lastLine = end < 0;
        if (lastLine)
            end = text.size();
        QString line = text.mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // A long line is read in pieces, each counting as a line of its own. A piece never
        // splits a surrogate pair.
        int pos = 0;
        do {
            int length = qMin(kPieceLength, int(line.size() - pos));
            if (length == kPieceLength && pos + length < line.size() &&
                line[pos + length - 1].isHighSurrogate())
                --length;
            const QString piece = line.mid(pos, length);
            if (!isBlankPiece(piece))
                entries.append(piece);
            pos += length;
        } while (pos < line.size());
        start = end + 1;
    }
    return entries;
}

bool LoadCatalog(NvCatalogId catalog, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QStringList entries = ParseCatalogText(file.readAll());
    if (entries.isEmpty())
        return false;
    QStringList& texts = textsOf(catalog);
    // A file shorter than its catalog replaces the entries it has; the rest keep their texts.
    for (int i = 0; i < entries.size() && i < texts.size(); ++i)
        texts[i] = entries[i];
    return true;
}

void ResetToBuiltIn()
{
    for (int i = 0; i < kCatalogCount; ++i)
        catalogs()[i] = builtInTexts(static_cast<NvCatalogId>(i));
}

NvCodeText MapResult(int result)
{
    if (result == 0 || result == 1400 || result == -1401)
        return {0, Entry(NvCatalogId::NvSnmp, 0)};
    if (result >= 1 && result <= 18)
        return {-100 - result, Entry(NvCatalogId::AgentErrors, result - 1)};
    if (result >= 1401 && result <= 1414)
        return {1100 - result, Entry(NvCatalogId::SnmpUsm, result - 1401)};
    if (result >= -1418 && result <= -1402)
        return {result + 1201, Entry(NvCatalogId::SnmpV3, -1402 - result)};
    if (result >= -23 && result <= -1)
        return {result - 400, Entry(NvCatalogId::SnmpClass, -1 - result)};
    return {-528, Entry(NvCatalogId::NvSnmp, 28)};
}

QString TextOfCode(int code)
{
    if (code == 0)
        return Entry(NvCatalogId::NvSnmp, 0);
    if (code >= -18 && code <= -1)
        return Entry(NvCatalogId::Common, -code);
    if (code >= -119 && code <= -101)
        return Entry(NvCatalogId::AgentErrors, -101 - code);
    if (code >= -217 && code <= -201)
        return Entry(NvCatalogId::SnmpV3, -201 - code);
    if (code >= -314 && code <= -301)
        return Entry(NvCatalogId::SnmpUsm, -301 - code);
    if (code >= -423 && code <= -401)
        return Entry(NvCatalogId::SnmpClass, -401 - code);
    if (code >= -528 && code <= -501)
        return Entry(NvCatalogId::NvSnmp, -500 - code);
    return Entry(NvCatalogId::NvSnmp, 28);
}

QString StatusLine(int templateIndex, const QString& message, const QString& listName,
                   const QString& time)
{
    QString line = Entry(NvCatalogId::Templates, templateIndex);
    const QLatin1String errorMark("[ERROR]");
    const QLatin1String listMark("[VARLIST]");
    if (listName.isEmpty()) {
        const int error = line.indexOf(errorMark);
        const int list = error >= 0 ? line.indexOf(listMark, error + errorMark.size()) : -1;
        if (list >= 0) {
            const int from = error + errorMark.size();
            line.remove(from, list + listMark.size() - from);
        }
    }
    // The message last, so that brackets in an agent's or catalog's text stay as they are.
    line.replace(QLatin1String("[TIME]"), time);
    line.replace(listMark, listName);
    line.replace(errorMark, message);
    return line;
}

} // namespace NvCatalog
