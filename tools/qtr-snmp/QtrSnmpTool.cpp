#include "QtrSnmpTool.h"

#include "NvError.h"
#include "NvOptionList.h"
#include "NvSNMPRequest.h"
#include "NvSNMPValueCodec.h"
#include "NvSyntax.h"

#include <QDir>
#include <QStandardPaths>
#include <optional>

namespace QtrSnmpTool {

namespace {

const char kUsage[] =
    "usage: qtr-snmp [-v 1|2c|3] [-c read-community] [-w write-community] [-u user]\n"
    "                [-l noAuthNoPriv|authNoPriv|authPriv] [-a "
    "MD5|SHA|SHA-224|SHA-256|SHA-384|SHA-512]\n"
    "                [-A pass] [-x DES|AES] [-X pass] [-p port] [-t timeout-centiseconds]\n"
    "                [-r retries] HOST get OID...\n"
    "       ... HOST walk OID                 every instance below OID, by GET-NEXT\n"
    "       ... HOST set OID:KEYWORD=VALUE... KEYWORD: integer, displaystr, ipaddress, objectid,\n"
    "                                         timeticks, octetstr, counter, guage, uinteger ...\n";

struct Options
{
    NvSNMPSecurity security;
    std::optional<QString> readCommunity;
    std::optional<QString> writeCommunity;
    std::optional<int> level;
    std::optional<int> port;
    std::optional<int> timeout;
    std::optional<int> retries;
    QString host;
    QString command;
    QStringList operands;
};

// Shows a binding by its own wire type: the tool knows nothing of the variables it reads.
class ToolRequest : public NvSNMPRequest
{
public:
    void ValueFromVb(int i, const NvSNMPVb& vb) override
    {
        list.Item(i).syntax = syntaxOf(vb);
        NvSNMPRequest::ValueFromVb(i, vb);
    }

private:
    static bool isText(const QByteArray& octets)
    {
        bool ascii = true;
        for (const char c : octets) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= 0x80)
                ascii = false;
            else if (u < 0x20 && c != '\n' && c != '\r' && c != '\t')
                return false;
        }
        if (ascii)
            return true;
        const QString text = QString::fromUtf8(octets);
        if (text.toUtf8() != octets)
            return false;
        for (const QChar c : text) {
            if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\r') &&
                c != QLatin1Char('\t'))
                return false;
        }
        return true;
    }

    static uint32_t syntaxOf(const NvSNMPVb& vb)
    {
        switch (vb.type) {
        case VB_INTEGER:
            return SYN_INTEGER;
        case VB_OCTETS:
            return isText(vb.octets) ? SYN_DISPLAYSTRING : SYN_OCTETS;
        case VB_OID:
            return SYN_OID;
        case VB_IPADDRESS:
            return SYN_IPADDRESS;
        case VB_COUNTER32:
            return SYN_COUNTER32;
        case VB_GAUGE32:
            return SYN_GAUGE32;
        case VB_TIMETICKS:
            return SYN_TIMETICKS;
        case VB_OPAQUE:
            return SYN_OPAQUE;
        case VB_COUNTER64:
            return SYN_COUNTER64;
        case VB_UINTEGER32:
            return SYN_UINTEGER32;
        default:
            return SYN_NULL;
        }
    }
};

bool parseNumber(const QString& text, int low, int high, std::optional<int>& value)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return false;
    value = n;
    return true;
}

bool parseLevel(const QString& text, std::optional<int>& level)
{
    const QStringList names{QStringLiteral("noauthnopriv"), QStringLiteral("authnopriv"),
                            QStringLiteral("authpriv")};
    const int index = int(names.indexOf(text.toLower()));
    if (index < 0)
        return false;
    level = index + 1;
    return true;
}

bool parseAuth(const QString& text, int32_t& protocol)
{
    const QStringList names{QStringLiteral("MD5"),     QStringLiteral("SHA"),
                            QStringLiteral("SHA-224"), QStringLiteral("SHA-256"),
                            QStringLiteral("SHA-384"), QStringLiteral("SHA-512")};
    const int index = int(names.indexOf(text.toUpper()));
    if (index < 0)
        return false;
    protocol = AUTH_PROTOCOL_MD5 + index;
    return true;
}

bool parsePriv(const QString& text, int32_t& protocol)
{
    if (text.compare(QLatin1String("DES"), Qt::CaseInsensitive) == 0)
        protocol = PRIV_PROTOCOL_DES;
    else if (text.compare(QLatin1String("AES"), Qt::CaseInsensitive) == 0)
        protocol = PRIV_PROTOCOL_AES;
    else
        return false;
    return true;
}

bool parseVersion(const QString& text, uint8_t& version)
{
    if (text == QLatin1String("1"))
        version = SNMP_VERSION_CODE_1;
    else if (text == QLatin1String("2c"))
        version = SNMP_VERSION_CODE_2C;
    else if (text == QLatin1String("3"))
        version = SNMP_VERSION_CODE_3;
    else
        return false;
    return true;
}

// Fills options from the arguments (program name first); false for anything malformed.
bool parseArguments(const QStringList& arguments, Options& o)
{
    QStringList positional;
    bool haveAuthPass = false;
    bool havePrivPass = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!positional.isEmpty() || arg.size() != 2 || !arg.startsWith(QLatin1Char('-'))) {
            positional.append(arg);
            continue;
        }
        if (i + 1 >= arguments.size())
            return false;
        const QString value = arguments[++i];
        bool ok = true;
        switch (arg[1].unicode()) {
        case 'v':
            ok = parseVersion(value, o.security.version);
            break;
        case 'c':
            o.readCommunity = value;
            break;
        case 'w':
            o.writeCommunity = value;
            break;
        case 'u':
            o.security.securityName = value;
            break;
        case 'l':
            ok = parseLevel(value, o.level);
            break;
        case 'a':
            ok = parseAuth(value, o.security.authProtocol);
            break;
        case 'A':
            o.security.authPassword = value;
            haveAuthPass = true;
            break;
        case 'x':
            ok = parsePriv(value, o.security.privProtocol);
            break;
        case 'X':
            o.security.privPassword = value;
            havePrivPass = true;
            break;
        case 'p':
            ok = parseNumber(value, 1, 65535, o.port);
            break;
        case 't':
            ok = parseNumber(value, 1, 360000, o.timeout);
            break;
        case 'r':
            ok = parseNumber(value, 0, 100, o.retries);
            break;
        default:
            ok = false;
        }
        if (!ok)
            return false;
    }
    if (positional.size() < 3)
        return false;
    o.host = positional.takeFirst();
    o.command = positional.takeFirst();
    o.operands = positional;
    if (o.command == QLatin1String("walk") && o.operands.size() != 1)
        return false;
    if (o.command != QLatin1String("set")) {
        std::vector<uint32_t> arcs;
        for (const QString& oid : o.operands) {
            if (!NvSNMPValueCodec::ParseOid(oid, arcs))
                return false;
        }
    }
    if (o.command != QLatin1String("get") && o.command != QLatin1String("walk") &&
        o.command != QLatin1String("set"))
        return false;
    if (o.security.version == SNMP_VERSION_CODE_3) {
        o.security.securityModel = SECURITY_MODEL_USM;
        if (o.security.authProtocol == AUTH_PROTOCOL_NONE && haveAuthPass)
            o.security.authProtocol = AUTH_PROTOCOL_MD5;
        if (o.security.privProtocol == PRIV_PROTOCOL_NONE && havePrivPass)
            o.security.privProtocol = PRIV_PROTOCOL_DES;
        o.security.securityLevel =
            o.level.value_or(havePrivPass ? SECURITY_LEVEL_AUTH_PRIV
                                          : (haveAuthPass ? SECURITY_LEVEL_AUTH_NOPRIV
                                                          : SECURITY_LEVEL_NOAUTH_NOPRIV));
    }
    return true;
}

void addItem(NvSNMPVarList& list, const QString& oid, uint32_t syntax, uint32_t flags)
{
    const QByteArray oidText = oid.toLatin1();
    const NvSNMPVarRecord table[] = {
        {oidText.constData(), "", syntax, flags, nullptr, nullptr, nullptr, nullptr, nullptr,
         nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    list.AppendTable(table);
}

void printItem(const NvSNMPVarItem& item, FILE* out)
{
    const QByteArray line = (item.instanceOid + QStringLiteral(" = ") + item.value).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), out);
    std::fputc('\n', out);
}

// Builds the list of a set: "OID:KEYWORD=VALUE" each; false for a malformed operand.
bool buildSetList(const QStringList& operands, NvSNMPVarList& list, QStringList& values)
{
    for (const QString& operand : operands) {
        const int colon = int(operand.indexOf(QLatin1Char(':')));
        const int equals = int(operand.indexOf(QLatin1Char('='), colon + 1));
        if (colon <= 0 || equals < 0)
            return false;
        const QString keyword = operand.mid(colon + 1, equals - colon - 1);
        const int index = SyntaxKeywords().IndexOfText(keyword);
        std::vector<uint32_t> arcs;
        if (index < 0 || !NvSNMPValueCodec::ParseOid(operand.left(colon), arcs))
            return false;
        addItem(list, operand.left(colon), uint32_t(SyntaxKeywords().Entry(index).value),
                VAR_READWRITE);
        values.append(operand.mid(equals + 1));
    }
    return true;
}

QString stateFolder()
{
    const QByteArray fromEnvironment = qgetenv("QTR_SNMP_STATE_DIR");
    const QString folder = !fromEnvironment.isEmpty()
                               ? QString::fromLocal8Bit(fromEnvironment)
                               : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

int execute(const Options& o, FILE* out)
{
    ToolRequest request;
    QString failure;
    request.statusCallback = [&failure](const NvSNMPError& error) {
        if (failure.isEmpty())
            failure = error.message;
    };
    request.device.address = o.host;
    if (o.port)
        request.device.port = uint16_t(*o.port);
    if (o.timeout)
        request.timeout = *o.timeout;
    if (o.retries)
        request.retries = *o.retries;
    request.security = o.security;
    // One community given: it serves for writes too, as with the usual command-line tools.
    request.security.readCommunity = o.readCommunity.value_or(defaultSecurity.readCommunity);
    request.security.writeCommunity =
        o.writeCommunity.value_or(o.readCommunity.value_or(defaultSecurity.writeCommunity));

    bool ok = true;
    if (o.command == QLatin1String("get")) {
        request.list.kind = LIST_INSTANCE;
        for (const QString& oid : o.operands)
            addItem(request.list, oid, SYN_NULL, VAR_READ);
        request.Get(true, ok);
        for (int i = 0; ok && i < request.list.Count(); ++i)
            printItem(request.list.Item(i), out);
    } else if (o.command == QLatin1String("walk")) {
        request.list.kind = LIST_TABLE;
        addItem(request.list, o.operands.first(), SYN_NULL, VAR_READ);
        for (bool row = request.Get(true, ok); row && ok; row = request.Get(false, ok))
            printItem(request.list.Item(0), out);
    } else {
        request.list.kind = LIST_INSTANCE;
        QStringList values;
        if (!buildSetList(o.operands, request.list, values))
            return Usage;
        QString selection;
        for (int i = 0; i < values.size(); ++i)
            selection += (i ? QStringLiteral(",") : QString()) + QString::number(i);
        // The answer, which echoes what the agent took, is decoded into the restored list.
        request.Set(ok, true, selection, values);
        for (int i = 0; ok && i < request.list.Count(); ++i)
            printItem(request.list.Item(i), out);
    }
    std::fflush(out);
    if (!ok)
        throw NvError(-1, failure);
    return Success;
}

} // namespace

int Run(const QStringList& arguments, FILE* out, FILE* err)
{
    Options options;
    if (!parseArguments(arguments, options)) {
        std::fputs(kUsage, err);
        return Usage;
    }
    try {
        StartSession(stateFolder());
        const int code = execute(options, out);
        if (code == Usage)
            std::fputs(kUsage, err);
        StopSession();
        return code;
    } catch (const NvError& e) {
        std::fprintf(err, "%s\n", e.message().toUtf8().constData());
        StopSession();
        return Failure;
    }
}

} // namespace QtrSnmpTool
