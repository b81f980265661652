#include "Options.h"

#include "ErrorStatus.h"
#include "Variants.h"

#include <QCommandLineParser>
#include <cmath>
#include <cstdio>

namespace sim {

QString V3User::securityLevel() const
{
    if (authProtocol.isEmpty())
        return QStringLiteral("noauth");
    return privProtocol.isEmpty() ? QStringLiteral("auth") : QStringLiteral("priv");
}

namespace {

// net-snmp refuses shorter pass phrases when it derives the keys.
constexpr int minimumPassword = 8;

bool isPlainWord(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c.isSpace() || c == u'"' || c == u'\'' || c == u'#' || c == u'\\')
            return false;
    }
    return true;
}

std::optional<V3User> parseUser(const QString& text, QString* error)
{
    // NAME[:AUTH:AUTHPASS[:PRIV:PRIVPASS]]; the privacy pass phrase may itself hold colons.
    const QStringList parts = text.split(u':');
    V3User user;
    user.name = parts.value(0);
    if (!isPlainWord(user.name)) {
        *error = QStringLiteral("--v3-user %1: a user name without blanks or quotes").arg(text);
        return std::nullopt;
    }
    if (parts.size() == 1)
        return user;
    if (parts.size() == 2 || parts.size() == 4) {
        *error = QStringLiteral("--v3-user %1: NAME:MD5|SHA:AUTHPASS[:DES|AES:PRIVPASS]").arg(text);
        return std::nullopt;
    }
    static const QStringList authProtocols{"MD5",     "SHA",     "SHA-224",
                                           "SHA-256", "SHA-384", "SHA-512"};
    static const QStringList privProtocols{"DES", "AES"};
    user.authProtocol = parts[1].toUpper();
    user.authPassword = parts[2];
    if (!authProtocols.contains(user.authProtocol)) {
        *error = QStringLiteral("--v3-user %1: authentication %2 is not one of %3")
                     .arg(text, parts[1], authProtocols.join(u'|'));
        return std::nullopt;
    }
    if (parts.size() > 3) {
        user.privProtocol = parts[3].toUpper();
        user.privPassword = parts.mid(4).join(u':');
        if (!privProtocols.contains(user.privProtocol)) {
            *error = QStringLiteral("--v3-user %1: privacy %2 is not one of %3")
                         .arg(text, parts[3], privProtocols.join(u'|'));
            return std::nullopt;
        }
    }
    for (const QString& password : {user.authPassword, user.privPassword}) {
        if (password.isNull())
            continue;
        if (password.size() < minimumPassword || !isPlainWord(password)) {
            *error = QStringLiteral("--v3-user %1: pass phrases have at least %2 characters, "
                                    "no blanks or quotes")
                         .arg(text)
                         .arg(minimumPassword);
            return std::nullopt;
        }
    }
    return user;
}

bool parseListen(const QString& text, Options& options)
{
    QString host = text;
    QString port;
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon >= 0) {
        host = text.left(colon);
        port = text.mid(colon + 1);
    } else if (!text.contains(u'.') && !text.isEmpty() && text.front().isDigit()) {
        host.clear();
        port = text;
    }
    if (host == QLatin1String("localhost"))
        host = QStringLiteral("127.0.0.1");
    if (!host.isEmpty()) {
        if (!parseDottedQuad(host))
            return false;
        options.listenHost = host;
    }
    if (!port.isEmpty()) {
        bool ok = false;
        const uint number = port.toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return false;
        options.listenPort = static_cast<quint16>(number);
    }
    return true;
}

void printVariants()
{
    for (const Variant& variant : variants())
        std::printf("%-12s %s\n", variant.name, variant.description);
}

} // namespace

std::optional<Options> parseOptions(const QStringList& arguments, int* exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The QTR-9000KX access point as an SNMP agent, for tests and demos."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listen(
        "listen", "UDP address and port to answer on (default 127.0.0.1:1161).", "ADDR:PORT");
    const QCommandLineOption readCommunity(
        "read-community", "Read community (default public; vqlmzr always works).", "NAME");
    const QCommandLineOption writeCommunity(
        "write-community", "Write community (default private; kdwstne always works).", "NAME");
    const QCommandLineOption v3User("v3-user",
                                    "SNMPv3 user, repeatable: "
                                    "NAME[:MD5|SHA:AUTHPASS[:DES|AES:PRIVPASS]].",
                                    "USER");
    const QCommandLineOption restartSeconds(
        "restart-seconds", "How long a restart keeps the device silent (default 10).", "N");
    const QCommandLineOption data("data", "Data file (.snmprec) instead of the built-in one.",
                                  "FILE");
    const QCommandLineOption eventLog("event-log", "Append one JSON line per event to FILE.",
                                      "FILE");
    const QCommandLineOption logReads(
        "log-reads", "Log every GET and GET-NEXT request as well (with --event-log).");
    const QCommandLineOption variant("variant", "Capability set, repeatable (--list-variants).",
                                     "NAME");
    const QCommandLineOption listVariants("list-variants", "List the capability sets and exit.");
    const QCommandLineOption set("set", "Set a default value, repeatable.", "OID=KEYWORD:VALUE");
    const QCommandLineOption unset("unset", "Remove a variable or subtree, repeatable.", "OID");
    const QCommandLineOption silent("silent", "Never answer (the device is unreachable).");
    const QCommandLineOption delay("delay-ms", "Answer every request N ms after it arrived.", "N");
    const QCommandLineOption fail("fail",
                                  "Answer requests for OID (and below) with an error "
                                  "status, repeatable.",
                                  "OID=ERRORSTATUS");
    const QCommandLineOption engineDir(
        "engine-dir",
        "Folder for the SNMP engine's configuration and persistent files (default: a temporary "
        "one, removed at exit).",
        "DIR");
    parser.addOptions({listen, readCommunity, writeCommunity, v3User, restartSeconds, data,
                       eventLog, logReads, variant, listVariants, set, unset, silent, delay, fail,
                       engineDir});

    auto failWith = [exitCode](const QString& message) -> std::optional<Options> {
        std::fprintf(stderr, "qtr9000kx-sim: %s\n", qPrintable(message));
        *exitCode = 2;
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return failWith(parser.errorText());
    *exitCode = 0;
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("qtr9000kx-sim %s\n", QTR_VERSION);
        return std::nullopt;
    }
    if (parser.isSet(listVariants)) {
        printVariants();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty())
        return failWith(
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    Options options;
    if (parser.isSet(listen) && !parseListen(parser.value(listen), options))
        return failWith(
            QStringLiteral("--listen %1: expected IPv4-ADDR:PORT").arg(parser.value(listen)));
    options.readCommunities = {parser.isSet(readCommunity) ? parser.value(readCommunity)
                                                           : QStringLiteral("public"),
                               QString::fromLatin1(moduleReadCommunity)};
    options.writeCommunities = {parser.isSet(writeCommunity) ? parser.value(writeCommunity)
                                                             : QStringLiteral("private"),
                                QString::fromLatin1(moduleWriteCommunity)};
    for (const QString& community : options.readCommunities + options.writeCommunities) {
        if (!isPlainWord(community))
            return failWith(QStringLiteral("community \"%1\": no blanks or quotes").arg(community));
    }
    for (const QString& text : parser.values(v3User)) {
        QString error;
        auto user = parseUser(text, &error);
        if (!user)
            return failWith(error);
        options.users.push_back(*user);
    }
    if (parser.isSet(restartSeconds)) {
        bool ok = false;
        options.restartSeconds = parser.value(restartSeconds).toDouble(&ok);
        if (!ok || !std::isfinite(options.restartSeconds) || options.restartSeconds < 0 ||
            options.restartSeconds > 86400)
            return failWith(QStringLiteral("--restart-seconds: a number of seconds, 0 to 86400"));
    }
    options.dataFile = parser.value(data);
    options.eventLog = parser.value(eventLog);
    options.logReads = parser.isSet(logReads);
    for (const QString& list : parser.values(variant)) {
        for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
            if (!findVariant(name.trimmed()))
                return failWith(
                    QStringLiteral("--variant %1: unknown (see --list-variants)").arg(name));
            options.variants << name.trimmed();
        }
    }
    for (const QString& text : parser.values(set)) {
        const qsizetype equals = text.indexOf(u'=');
        const auto oid = equals < 0 ? std::nullopt : parseOid(QStringView(text).left(equals));
        QString error;
        const auto value =
            oid ? valueFromKeyword(QStringView(text).mid(equals + 1), &error) : std::nullopt;
        if (!oid)
            return failWith(QStringLiteral("--set %1: expected OID=KEYWORD:VALUE").arg(text));
        if (!value)
            return failWith(QStringLiteral("--set %1: %2").arg(text, error));
        options.sets.emplace_back(*oid, *value);
    }
    for (const QString& text : parser.values(unset)) {
        const auto oid = parseOid(text);
        if (!oid)
            return failWith(QStringLiteral("--unset %1: not an OID").arg(text));
        options.unsets.push_back(*oid);
    }
    options.silent = parser.isSet(silent);
    if (parser.isSet(delay)) {
        bool ok = false;
        options.delayMs = parser.value(delay).toInt(&ok);
        if (!ok || options.delayMs < 0 || options.delayMs > 600000)
            return failWith(QStringLiteral("--delay-ms: 0 to 600000"));
    }
    for (const QString& text : parser.values(fail)) {
        const qsizetype equals = text.indexOf(u'=');
        const auto oid = equals < 0 ? std::nullopt : parseOid(QStringView(text).left(equals));
        const auto status =
            oid ? errorStatusFromText(text.mid(equals + 1).trimmed()) : std::nullopt;
        if (!oid || !status || *status == SNMP_ERR_NOERROR)
            return failWith(
                QStringLiteral("--fail %1: expected OID=ERRORSTATUS (genErr, noAccess, ...)")
                    .arg(text));
        options.faults.push_back(Fault{*oid, *status});
    }
    options.engineDir = parser.value(engineDir);
    return options;
}

} // namespace sim
