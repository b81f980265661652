#include "SnmpTool.h"

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>

namespace qtr::test {

namespace {

QString unquote(const QString& text)
{
    QString inner = text.mid(1, text.size() - 2);
    inner.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    inner.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return inner;
}

ToolVarbind parseVarbind(const QString& oid, const QString& rest)
{
    ToolVarbind varbind;
    varbind.oid = oid;
    if (rest.startsWith(u'"')) {
        varbind.type = QStringLiteral("STRING");
        varbind.value = unquote(rest);
        varbind.hex = QString::fromLatin1(varbind.value.toUtf8().toHex());
        return varbind;
    }
    static const QRegularExpression typed(QStringLiteral("^([A-Za-z][A-Za-z0-9-]*): (.*)$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const auto match = typed.match(rest);
    if (!match.hasMatch()) {
        varbind.value = rest; // an exception: "No Such Object available on this agent ..."
        return varbind;
    }
    varbind.type = match.captured(1);
    varbind.value = match.captured(2);
    if (varbind.type == QLatin1String("Hex-STRING")) {
        // -Ox prints every octet string in hex; the value is its UTF-8 text.
        const QByteArray octets = QByteArray::fromHex(varbind.value.toLatin1());
        varbind.type = QStringLiteral("STRING");
        varbind.value = QString::fromUtf8(octets);
        varbind.hex = QString::fromLatin1(octets.toHex());
    } else if (varbind.type == QLatin1String("STRING") && varbind.value.startsWith(u'"')) {
        varbind.value = unquote(varbind.value);
        varbind.hex = QString::fromLatin1(varbind.value.toUtf8().toHex());
    } else if (varbind.type == QLatin1String("Timeticks")) {
        static const QRegularExpression ticks(QStringLiteral("^\\((\\d+)\\)"));
        varbind.value = ticks.match(varbind.value).captured(1);
    } else if (varbind.type == QLatin1String("OID") && varbind.value.startsWith(u'.')) {
        varbind.value.remove(0, 1);
    }
    return varbind;
}

QList<ToolVarbind> parseOutput(const QString& output)
{
    // One varbind per line, except that long hex strings continue on further lines.
    QStringList entries;
    for (const QString& line : output.split(u'\n')) {
        if (line.startsWith(u'.') && line.size() > 1 && line[1].isDigit())
            entries << line;
        else if (!entries.isEmpty() && !line.isEmpty())
            entries.last() +=
                (entries.last().contains(QLatin1String("Hex-STRING: ")) ? u' ' : u'\n') + line;
    }
    QList<ToolVarbind> result;
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1String(" = "));
        if (equals < 0)
            continue;
        result << parseVarbind(entry.mid(1, equals - 1), entry.mid(equals + 3).trimmed());
    }
    return result;
}

QString parseErrorStatus(const QString& error)
{
    static const QRegularExpression reason(QStringLiteral("Reason: \\(?([A-Za-z]+)"));
    const auto match = reason.match(error);
    if (!match.hasMatch())
        return QString();
    const QString status = match.captured(1);
    return status == QLatin1String("genError") ? QStringLiteral("genErr") : status;
}

} // namespace

QString ToolResult::value(const QString& oid) const
{
    for (const ToolVarbind& varbind : varbinds) {
        if (varbind.oid == oid)
            return varbind.type.isEmpty() ? QString() : varbind.value;
    }
    return QString();
}

SnmpTool::SnmpTool(const QString& address, const QStringList& security)
    : m_address(address), m_security(security)
{}

void SnmpTool::setTimeout(double seconds, int retries)
{
    m_timeout = seconds;
    m_retries = retries;
}

ToolResult SnmpTool::get(const QStringList& oids) const
{
    return run(QStringLiteral("snmpget"), oids);
}

ToolResult SnmpTool::walk(const QString& oid) const
{
    return run(QStringLiteral("snmpwalk"), oid.isEmpty() ? QStringList() : QStringList{oid});
}

ToolResult SnmpTool::set(const QList<Assignment>& assignments) const
{
    QStringList arguments;
    for (const Assignment& assignment : assignments)
        arguments << assignment.oid << assignment.type << assignment.value;
    return run(QStringLiteral("snmpset"), arguments);
}

ToolResult SnmpTool::run(const QString& tool, const QStringList& arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIBS"), QString()); // numeric OIDs, no MIB warnings
    process.setProcessEnvironment(environment);
    QStringList all = m_security;
    all << QStringLiteral("-On") << QStringLiteral("-Ox") << QStringLiteral("-t")
        << QString::number(m_timeout) << QStringLiteral("-r") << QString::number(m_retries)
        << m_address << arguments;
    process.start(tool, all);
    ToolResult result;
    const int limit = static_cast<int>(m_timeout * 1000 * (m_retries + 1)) + 10000;
    if (!process.waitForStarted() || !process.waitForFinished(limit)) {
        process.kill();
        process.waitForFinished();
        result.error = QStringLiteral("%1 did not finish: %2").arg(tool, process.errorString());
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    result.error = QString::fromUtf8(process.readAllStandardError());
    // "Timeout: No Response from ..." for a request, "snmpget: Timeout" for the SNMPv3 discovery.
    static const QRegularExpression timeout(
        QStringLiteral("^(Timeout: No Response|\\S+: Timeout$)"),
        QRegularExpression::MultilineOption);
    result.timedOut = result.error.contains(timeout);
    result.errorStatus = parseErrorStatus(result.error);
    result.varbinds = parseOutput(result.output);
    return result;
}

} // namespace qtr::test
