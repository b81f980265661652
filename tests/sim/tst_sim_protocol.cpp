// The simulator as an SNMP agent, checked with net-snmp's command-line tools: versions and
// credentials, the walk, errors of reads, and writes with their refusals and event log lines.

#include "SimTest.h"

#include <QtTest>

using namespace qtr::test;

namespace {

const QStringList v3Users{
    QStringLiteral("--v3-user"), QStringLiteral("md5user:MD5:md5password"),
    QStringLiteral("--v3-user"), QStringLiteral("desuser:SHA:shapassword:DES:despassword"),
    QStringLiteral("--v3-user"), QStringLiteral("aesuser:SHA:shapassword:AES:aespassword"),
    QStringLiteral("--v3-user"), QStringLiteral("sha256user:SHA-256:sha256password"),
    QStringLiteral("--v3-user"), QStringLiteral("plainuser"),
};

QStringList security(const QString& text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

// A walk's output with the CPU and memory figures, which change from one moment to the next,
// written as "load"; empty when the walk does not show both as integers.
QString withoutLoad(QString output)
{
    for (const QString& oid : {oids::cpuUtilization, oids::memUtilization}) {
        const QRegularExpression figure(
            QStringLiteral("^(\\.%1 = INTEGER: )\\d+$").arg(QRegularExpression::escape(oid)),
            QRegularExpression::MultilineOption);
        if (!output.contains(figure))
            return QString();
        output.replace(figure, QStringLiteral("\\1load"));
    }
    return output;
}

} // namespace

class SimProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void listensOnlyOnItsAddress();
    void reads_data();
    void reads();
    void refusedCredentials_data();
    void refusedCredentials();
    void walkIsTheDeviceInOrder();
    void bulkWalkMatchesWalk();
    void capabilityVariables_data();
    void capabilityVariables();
    void missingVariables_data();
    void missingVariables();
    void writeAndReadBack_data();
    void writeAndReadBack();
    void setRefusals_data();
    void setRefusals();
    void setIsAllOrNothing();
    void setEventRecordsTheRequest();

private:
    SimulatorProcess m_sim;
};

void SimProtocolTest::initTestCase()
{
    QVERIFY2(m_sim.start(v3Users), qPrintable(m_sim.errorString()));
}

void SimProtocolTest::cleanupTestCase()
{
    QVERIFY2(m_sim.stop(), qPrintable(m_sim.errorString()));
}

void SimProtocolTest::listensOnlyOnItsAddress()
{
    // The process's sockets, by inode, and the kernel's tables of IPv4 and IPv6 sockets.
    QSet<QString> inodes;
    const QString fds = QStringLiteral("/proc/%1/fd").arg(m_sim.processId());
    for (const QFileInfo& fd : QDir(fds).entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget().section(u'/', -1);
        if (target.startsWith(QLatin1String("socket:[")))
            inodes << target.mid(8).chopped(1);
    }
    QVERIFY(!inodes.isEmpty());
    QStringList listening;
    for (const char* table : {"tcp", "tcp6", "udp", "udp6"}) {
        QFile file(QStringLiteral("/proc/net/") + QLatin1String(table));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& line : file.readAll().split('\n').mid(1)) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 9 && inodes.contains(QString::fromLatin1(fields[9])))
                listening << QLatin1String(table) + u' ' + QString::fromLatin1(fields[1]);
        }
    }
    // 127.0.0.1 and the port, as the kernel writes them.
    const QString local = QStringLiteral("udp 0100007F:") +
                          QStringLiteral("%1").arg(m_sim.port(), 4, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(listening, QStringList{local});
}

void SimProtocolTest::reads_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::newRow("v1 read community") << "-v1 -c public";
    QTest::newRow("v2c read community") << "-v2c -c public";
    QTest::newRow("v2c write community reads too") << "-v2c -c private";
    QTest::newRow("v1 module read community") << "-v1 -c vqlmzr";
    QTest::newRow("v2c module write community") << "-v2c -c kdwstne";
    QTest::newRow("v3 MD5") << "-v3 -u md5user -l authNoPriv -a MD5 -A md5password";
    QTest::newRow("v3 SHA DES")
        << "-v3 -u desuser -l authPriv -a SHA -A shapassword -x DES -X despassword";
    QTest::newRow("v3 SHA AES")
        << "-v3 -u aesuser -l authPriv -a SHA -A shapassword -x AES -X aespassword";
    QTest::newRow("v3 SHA-256") << "-v3 -u sha256user -l authNoPriv -a SHA-256 -A sha256password";
    QTest::newRow("v3 noAuthNoPriv") << "-v3 -u plainuser -l noAuthNoPriv";
}

void SimProtocolTest::reads()
{
    QFETCH(QString, credentials);
    const SnmpTool tool(m_sim.address(), security(credentials));
    const ToolResult result = tool.get({oids::sysDescr, oids::firmware});
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.value(oids::sysDescr),
             QStringLiteral("QTR-9000KX Wireless Access Point, firmware v1.45"));
    QCOMPARE(result.value(oids::firmware), QStringLiteral("v1.45"));
}

void SimProtocolTest::refusedCredentials_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("expected"); // in the tool's error text; empty: no answer at all
    // An agent drops a request with an unknown community without a word.
    QTest::newRow("v1 unknown community") << "-v1 -c secret"
                                          << "";
    QTest::newRow("v2c unknown community") << "-v2c -c secret"
                                           << "";
    QTest::newRow("v3 unknown user") << "-v3 -u nobody -l noAuthNoPriv"
                                     << "Unknown user name";
    QTest::newRow("v3 wrong pass phrase") << "-v3 -u md5user -l authNoPriv -a MD5 -A wrongpassword"
                                          << "Authentication failure";
    QTest::newRow("v3 wrong protocol") << "-v3 -u md5user -l authNoPriv -a SHA -A md5password"
                                       << "Authentication failure";
    QTest::newRow("v3 privacy user without privacy")
        << "-v3 -u aesuser -l authNoPriv -a SHA -A shapassword"
        << "authorizationError";
}

void SimProtocolTest::refusedCredentials()
{
    QFETCH(QString, credentials);
    QFETCH(QString, expected);
    SnmpTool tool(m_sim.address(), security(credentials));
    tool.setTimeout(0.3, 0);
    const ToolResult result = tool.get({oids::sysDescr});
    QVERIFY(!result.ok());
    QVERIFY(result.varbinds.isEmpty());
    if (expected.isEmpty())
        QVERIFY2(result.timedOut, qPrintable(result.error));
    else
        QVERIFY2(result.error.contains(expected), qPrintable(result.error));
}

void SimProtocolTest::walkIsTheDeviceInOrder()
{
    const ToolResult v2 = v2c(m_sim).walk(QStringLiteral(".1"));
    QVERIFY2(v2.ok(), qPrintable(v2.error));
    // The last line of a walk past the end of the tree is the endOfMibView exception.
    QList<ToolVarbind> values = v2.varbinds;
    QVERIFY(!values.isEmpty() && values.last().type.isEmpty());
    values.removeLast();
    QVERIFY(values.size() > 50);
    QStringList walked;
    for (const ToolVarbind& varbind : values) {
        walked << varbind.oid;
        // Only the device's own variables: no net-snmp MIB module answers.
        QVERIFY2(varbind.oid.startsWith(QLatin1String("1.3.6.1.2.1.1.")) ||
                     varbind.oid.startsWith(privateOid(QString()) + u'.'),
                 qPrintable(varbind.oid));
    }
    QStringList sorted = walked;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        const QStringList x = a.split(u'.');
        const QStringList y = b.split(u'.');
        for (qsizetype i = 0; i < std::min(x.size(), y.size()); ++i) {
            if (x[i].toULongLong() != y[i].toULongLong())
                return x[i].toULongLong() < y[i].toULongLong();
        }
        return x.size() < y.size();
    });
    QCOMPARE(walked, sorted);
    QCOMPARE(walked.removeDuplicates(), 0);
    QVERIFY(walked.contains(oids::saveActivate));
    QVERIFY(walked.contains(oids::testColumn(5, 2)));

    // An SNMPv1 walk ends on noSuchName and sees the same variables.
    const ToolResult old = v1(m_sim).walk(QStringLiteral(".1"));
    QVERIFY2(old.ok(), qPrintable(old.error));
    QStringList walkedV1;
    for (const ToolVarbind& varbind : old.varbinds)
        walkedV1 << varbind.oid;
    QCOMPARE(walkedV1, walked);
}

void SimProtocolTest::bulkWalkMatchesWalk()
{
    const ToolResult walk = v2c(m_sim).walk(privateOid(QString()));
    const ToolResult bulk = v2c(m_sim).run(QStringLiteral("snmpbulkwalk"),
                                           {QStringLiteral("-Cr7"), privateOid(QString())});
    QVERIFY2(walk.ok() && bulk.ok(), qPrintable(walk.error + bulk.error));
    // The utilisation figures may move between the two walks; everything else may not.
    const QString walked = withoutLoad(walk.output);
    const QString bulkWalked = withoutLoad(bulk.output);
    QVERIFY(!walked.isEmpty() && !bulkWalked.isEmpty());
    QCOMPARE(bulkWalked, walked);
}

void SimProtocolTest::capabilityVariables_data()
{
    // The variables the module's main window probes at start, by the OIDs it uses.
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value"); // empty: any
    const struct
    {
        const char* name;
        const char* arc;
        const char* type;
        const char* value;
    } rows[] = {
        {"stFirmwareVersion", "4.4.1.1.1", "STRING", "v1.45"},
        {"countrycode", "4.99.1.1.6", "STRING", ""},
        {"turbomodes", "4.99.1.1.2", "INTEGER", ""},
        {"apmodes", "4.99.1.1.1", "INTEGER", "123"},
        {"mssidsupported", "4.99.1.1.9", "INTEGER", "1"},
        {"rogueapsupported", "4.99.1.1.10", "INTEGER", "1"},
        {"hGetIPFrom", "4.1.2.1", "INTEGER", "1"},
        {"hIPAddress", "4.1.2.2", "IpAddress", "127.0.0.1"},
        {"hSubnetMask", "4.1.2.3", "IpAddress", "255.0.0.0"},
        {"hDefaultGateway", "4.1.2.4", "IpAddress", "127.0.0.254"},
        {"sysRestart", "4.3.2.1", "INTEGER", "0"},
        {"mssidisolatedsecurity", "4.99.1.1.13", "INTEGER", "0"},
        {"syslogsupported", "4.99.1.1.11", "INTEGER", ""},
        {"mssidindication", "4.99.1.1.14", "INTEGER", ""},
        {"keytypeselection", "4.99.1.1.15", "INTEGER", ""},
        {"wdssitesurvey", "4.99.1.1.24", "INTEGER", ""},
        {"accounting", "4.99.1.1.26", "INTEGER", ""},
        {"sntp", "4.99.1.1.25", "INTEGER", ""},
        {"sMTPSupported", "4.99.1.1.32", "INTEGER", ""},
        {"mSSIDSuppress", "4.99.1.1.20", "INTEGER", ""},
        {"mSSIDWmmSupported", "4.99.1.1.31", "INTEGER", ""},
        {"groupingsupported", "4.99.1.1.34", "INTEGER", ""},
        {"cSaveActivate", "4.5.1", "INTEGER", "0"},
        {"cDiscardChanges", "4.5.2", "INTEGER", "0"},
        {"wdsclientinfonotsupported", "4.99.1.1.35", "INTEGER", "0"},
        {"sslsupported", "4.99.1.1.37", "INTEGER", "1"},
        {"packetStatisticnotsupported", "4.99.1.1.36", "INTEGER", "0"},
        {"ethernetpacketSupported", "4.99.1.1.47", "INTEGER", ""},
        {"ethernetLinkNotSupported", "4.99.1.1.39", "INTEGER", ""},
        {"dynamicVlanSupported", "4.99.1.1.54", "INTEGER", ""},
        {"mssidAndWdssupport", "4.99.1.1.49", "INTEGER", ""},
        {"wmmOverWDSSupported", "4.99.1.1.53", "INTEGER", ""},
        {"prioritybySSIDSupported", "4.99.1.1.56", "INTEGER", ""},
        {"ipRangeSupported", "4.99.1.1.55", "INTEGER", ""},
        {"clientinfosupported", "4.99.1.1.7", "INTEGER", "1"},
        {"upgradesettingcommand", "4.3.3.5", "INTEGER", "6"},
        {"FactoryDefault", "4.3.2.2", "INTEGER", "2"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << privateOid(QLatin1String(row.arc) + QStringLiteral(".0"))
                                << row.type << row.value;
}

void SimProtocolTest::capabilityVariables()
{
    QFETCH(QString, oid);
    QFETCH(QString, type);
    QFETCH(QString, value);
    const ToolResult result = v2c(m_sim).get({oid});
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.varbinds.size(), 1);
    QCOMPARE(result.varbinds[0].type, type);
    if (!value.isEmpty())
        QCOMPARE(result.varbinds[0].value, value);
}

void SimProtocolTest::missingVariables_data()
{
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("v2Text");
    QTest::newRow("unknown object") << privateOid(QStringLiteral("4.98.1.0"))
                                    << "No Such Object available on this agent at this OID";
    QTest::newRow("scalar without .0") << privateOid(QStringLiteral("4.5.1"))
                                       << "No Such Object available on this agent at this OID";
    QTest::newRow("scalar with .1")
        << privateOid(QStringLiteral("4.5.1.1")) << "No Such Instance currently exists at this OID";
    QTest::newRow("table row that is not there")
        << oids::testColumn(2, 9) << "No Such Instance currently exists at this OID";
}

void SimProtocolTest::missingVariables()
{
    QFETCH(QString, oid);
    QFETCH(QString, v2Text);
    const ToolResult v2 = v2c(m_sim).get({oid});
    QCOMPARE(v2.exitCode, 0); // v2c: a response without error, the varbind an exception
    QCOMPARE(v2.varbinds.size(), 1);
    QVERIFY(v2.varbinds[0].type.isEmpty());
    QCOMPARE(v2.varbinds[0].value, v2Text);
    const ToolResult old = v1(m_sim).get({oids::sysName, oid});
    QCOMPARE(old.errorStatus, QStringLiteral("noSuchName"));
    QVERIFY(old.error.contains(QLatin1String("Failed object: .") + oid));
}

void SimProtocolTest::writeAndReadBack_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("logged"); // "community" or "user"
    QTest::newRow("v1 sysName") << "-v1 -c private" << oids::sysName << "s"
                                << "ap-lobby"
                                << "community";
    QTest::newRow("v2c sysContact UTF-8") << "-v2c -c private" << oids::sysContact << "s"
                                          << QStringLiteral("J\u00f6rg Admin") << "community";
    QTest::newRow("v2c module community") << "-v2c -c kdwstne" << oids::sysLocation << "s"
                                          << "Floor 3"
                                          << "community";
    QTest::newRow("v2c empty string") << "-v2c -c private" << oids::sysLocation << "s"
                                      << ""
                                      << "community";
    QTest::newRow("v2c IpAddress") << "-v2c -c private" << oids::testColumn(3, 1) << "a"
                                   << "192.0.2.7"
                                   << "community";
    QTest::newRow("v3 AES INTEGER")
        << "-v3 -u aesuser -l authPriv -a SHA -A shapassword -x AES -X aespassword"
        << oids::testColumn(4, 1) << "i"
        << "4711"
        << "user";
    QTest::newRow("v3 noAuthNoPriv") << "-v3 -u plainuser -l noAuthNoPriv" << oids::sysName << "s"
                                     << "plain"
                                     << "user";
}

void SimProtocolTest::writeAndReadBack()
{
    QFETCH(QString, credentials);
    QFETCH(QString, oid);
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, logged);
    const SnmpTool tool(m_sim.address(), security(credentials));
    const int before = m_sim.eventCount();
    const ToolResult set = tool.set({{oid, type, value}});
    QVERIFY2(set.ok(), qPrintable(set.error));
    const ToolResult get = v2c(m_sim).get({oid});
    QCOMPARE(get.value(oid), value);

    const auto event =
        m_sim.waitForEvent(SimulatorProcess::isSetOf(oid), std::chrono::seconds(5), before);
    QVERIFY(event);
    QCOMPARE(event->value(QStringLiteral("errorStatus")).toString(), QStringLiteral("noError"));
    QCOMPARE(setVarbinds(*event), QStringList{oid + u'=' + value});
    // The third word of the credentials is the community or the user name.
    QCOMPARE(event->value(logged).toString(), security(credentials).at(2));
}

void SimProtocolTest::setRefusals_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("status");
    const QString longName(256, u'x');
    const QString capability = privateOid(QStringLiteral("4.99.1.1.9.0"));
    const QString unknown = privateOid(QStringLiteral("4.98.1.0"));
    // SNMPv2c statuses, and what an SNMPv1 agent answers instead (RFC 2576).
    QTest::newRow("v2c read-only") << "-v2c -c private" << oids::sysDescr << "s"
                                   << "x"
                                   << "notWritable";
    QTest::newRow("v1 read-only") << "-v1 -c private" << oids::sysDescr << "s"
                                  << "x"
                                  << "noSuchName";
    QTest::newRow("v2c capability") << "-v2c -c private" << capability << "i"
                                    << "0"
                                    << "notWritable";
    QTest::newRow("v2c wrong type") << "-v2c -c private" << oids::sysName << "i"
                                    << "5"
                                    << "wrongType";
    QTest::newRow("v1 wrong type") << "-v1 -c private" << oids::sysName << "i"
                                   << "5"
                                   << "badValue";
    QTest::newRow("v2c address as string") << "-v2c -c private" << oids::ipAddress << "s"
                                           << "10.0.0.1"
                                           << "wrongType";
    QTest::newRow("v2c too long") << "-v2c -c private" << oids::sysName << "s" << longName
                                  << "wrongLength";
    QTest::newRow("v2c value not offered") << "-v2c -c private" << oids::getIpFrom << "i"
                                           << "3"
                                           << "wrongValue";
    QTest::newRow("v1 value not offered") << "-v1 -c private" << oids::getIpFrom << "i"
                                          << "3"
                                          << "badValue";
    QTest::newRow("v2c read community") << "-v2c -c public" << oids::sysName << "s"
                                        << "x"
                                        << "noAccess";
    QTest::newRow("v1 read community") << "-v1 -c vqlmzr" << oids::sysName << "s"
                                       << "x"
                                       << "noSuchName";
    QTest::newRow("v2c unknown variable") << "-v2c -c private" << unknown << "i"
                                          << "1"
                                          << "noCreation";
    QTest::newRow("v1 unknown variable") << "-v1 -c private" << unknown << "i"
                                         << "1"
                                         << "noSuchName";
    QTest::newRow("v2c firmware command without file")
        << "-v2c -c private" << oids::upgradeCommand << "i"
        << "1"
        << "inconsistentValue";
}

void SimProtocolTest::setRefusals()
{
    QFETCH(QString, credentials);
    QFETCH(QString, oid);
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, status);
    const QString before = v2c(m_sim).get({oid}).output;
    const int events = m_sim.eventCount();
    const SnmpTool tool(m_sim.address(), security(credentials));
    const ToolResult result = tool.set({{oid, type, value}});
    QCOMPARE(result.errorStatus, status);
    QCOMPARE(v2c(m_sim).get({oid}).output, before);
    const auto event =
        m_sim.waitForEvent(SimulatorProcess::isSetOf(oid), std::chrono::seconds(5), events);
    QVERIFY(event);
    QCOMPARE(event->value(QStringLiteral("errorStatus")).toString(), status);
    QCOMPARE(event->value(QStringLiteral("errorIndex")).toInt(), 1);
    QVERIFY(m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("restart")),
                               std::chrono::milliseconds(0), events) == std::nullopt);
}

void SimProtocolTest::setIsAllOrNothing()
{
    const int events = m_sim.eventCount();
    const QString before = v2c(m_sim).get({oids::sysContact}).value(oids::sysContact);
    const ToolResult result =
        writer(m_sim).set({{oids::sysContact, "s", "never stored"}, {oids::sysDescr, "s", "x"}});
    QCOMPARE(result.errorStatus, QStringLiteral("notWritable"));
    QVERIFY2(result.error.contains(QLatin1String("Failed object: .") + oids::sysDescr),
             qPrintable(result.error));
    QCOMPARE(v2c(m_sim).get({oids::sysContact}).value(oids::sysContact), before);
    const auto event = m_sim.waitForEvent(SimulatorProcess::isSetOf(oids::sysDescr),
                                          std::chrono::seconds(5), events);
    QVERIFY(event);
    QCOMPARE(event->value(QStringLiteral("errorStatus")).toString(), QStringLiteral("notWritable"));
    QCOMPARE(event->value(QStringLiteral("errorIndex")).toInt(), 2);
}

void SimProtocolTest::setEventRecordsTheRequest()
{
    const int before = m_sim.eventCount();
    const SnmpTool tool(m_sim.address(),
                        security(QStringLiteral("-v3 -u desuser -l authPriv -a SHA -A shapassword "
                                                "-x DES -X despassword")));
    QVERIFY(tool.set({{oids::sysName, "s", "ap-1"},
                      {oids::gateway, "a", "127.0.0.1"},
                      {oids::getIpFrom, "i", "1"}})
                .ok());
    const auto event = m_sim.waitForEvent(SimulatorProcess::isSetOf(oids::sysName),
                                          std::chrono::seconds(5), before);
    QVERIFY(event);
    QCOMPARE(event->value(QStringLiteral("version")).toString(), QStringLiteral("3"));
    QCOMPARE(event->value(QStringLiteral("user")).toString(), QStringLiteral("desuser"));
    QCOMPARE(event->value(QStringLiteral("securityLevel")).toString(), QStringLiteral("authPriv"));
    QVERIFY(!event->contains(QStringLiteral("community")));
    QVERIFY(
        event->value(QStringLiteral("peer")).toString().startsWith(QLatin1String("127.0.0.1:")));
    QVERIFY(event->contains(QStringLiteral("requestId")));
    QVERIFY(!event->value(QStringLiteral("time")).toString().isEmpty());
    const QJsonArray varbinds = event->value(QStringLiteral("varbinds")).toArray();
    QCOMPARE(varbinds.size(), 3);
    const QJsonObject name = varbinds[0].toObject();
    QCOMPARE(name.value(QStringLiteral("name")).toString(), QStringLiteral("sysName"));
    QCOMPARE(name.value(QStringLiteral("type")).toString(), QStringLiteral("OCTET STRING"));
    QCOMPARE(name.value(QStringLiteral("value")).toString(), QStringLiteral("ap-1"));
    QCOMPARE(name.value(QStringLiteral("hex")).toString(), QStringLiteral("61702d31"));
    const QJsonObject address = varbinds[1].toObject();
    QCOMPARE(address.value(QStringLiteral("name")).toString(), QStringLiteral("hDefaultGateway"));
    QCOMPARE(address.value(QStringLiteral("type")).toString(), QStringLiteral("IpAddress"));
    QCOMPARE(address.value(QStringLiteral("value")).toString(), QStringLiteral("127.0.0.1"));
    const QJsonObject number = varbinds[2].toObject();
    QCOMPARE(number.value(QStringLiteral("type")).toString(), QStringLiteral("INTEGER"));
    QCOMPARE(number.value(QStringLiteral("value")).toString(), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(SimProtocolTest)
#include "tst_sim_protocol.moc"
