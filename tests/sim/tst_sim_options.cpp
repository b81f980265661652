// The simulator's options: capability variants and overrides, data files recorded from other
// agents, fault injection, and the refusal of bad arguments.

#include "SimTest.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qtr::test;

namespace {

const QString noSuchObject = QStringLiteral("No Such Object available on this agent at this OID");

// A recording of some other agent: every snmprec tag, a variation-module line and an OID outside
// the tree the agent serves, which the simulator skips with a warning.
const char* const recording = "1.3.6.1.2.1.1.1.0|4|Other agent\n"
                              "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.8072.3.2.10\n"
                              "1.3.6.1.2.1.1.3.0|67|123456\n"
                              "1.3.6.1.2.1.1.5.0|4|recorded-name\n"
                              "1.3.6.1.2.1.2.2.1.6.1|4x|00163e5e6c00\n"
                              "1.3.6.1.2.1.2.2.1.10.1|65|4000000000\n"
                              "1.3.6.1.2.1.2.2.1.5.1|66|100000000\n"
                              "1.3.6.1.2.1.4.20.1.1.10.0.0.1|64|10.0.0.1\n"
                              "1.3.6.1.2.1.31.1.1.1.6.1|70|18446744073709551615\n"
                              "1.3.6.1.2.1.2.2.1.8.1|2:numeric|min=1,max=2\n"
                              "2.9.9.0|2|5\n";

} // namespace

class SimOptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void variants_data();
    void variants();
    void setAndUnset();
    void recordedDataLoads();
    void faults_data();
    void faults();
    void silentDevice();
    void delayedAnswers();
    void badArguments_data();
    void badArguments();

private:
    SimulatorProcess m_sim;
};

void SimOptionsTest::cleanup()
{
    QVERIFY2(m_sim.stop(), qPrintable(m_sim.errorString()));
}

void SimOptionsTest::variants_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("value"); // empty: the device does not have the variable
    QTest::newRow("default has Save and Active") << QStringList() << oids::saveActivate << "0";
    QTest::newRow("no-save") << QStringList{"--variant", "no-save"} << oids::discardChanges << "";
    QTest::newRow("no-ssl") << QStringList{"--variant", "no-ssl"} << oids::sslSupported << "0";
    QTest::newRow("table-mssid") << QStringList{"--variant", "table-mssid"} << oids::multiSsidTable
                                 << "1";
    QTest::newRow("basic firmware")
        << QStringList{"--variant", "basic"} << oids::firmware << "v1.20";
    QTest::newRow("basic has no Save and Active")
        << QStringList{"--variant", "basic"} << oids::saveActivate << "";
    QTest::newRow("two variants, first")
        << QStringList{"--variant", "no-ssl,table-mssid"} << oids::sslSupported << "0";
    QTest::newRow("two variants, second")
        << QStringList{"--variant", "no-ssl", "--variant", "table-mssid"} << oids::multiSsidTable
        << "1";
    QTest::newRow("--set after a variant")
        << QStringList{"--variant", "no-ssl", "--set", "privateRoot.4.99.1.1.37.0=integer:1"}
        << oids::sslSupported << "1";
}

void SimOptionsTest::variants()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, oid);
    QFETCH(QString, value);
    QVERIFY2(m_sim.start(arguments), qPrintable(m_sim.errorString()));
    const ToolResult result = v2c(m_sim).get({oid});
    QCOMPARE(result.varbinds.size(), 1);
    QCOMPARE(result.varbinds[0].value, value.isEmpty() ? noSuchObject : value);
}

void SimOptionsTest::setAndUnset()
{
    const QString country = privateOid(QStringLiteral("4.99.1.1.6.0"));
    const QString ethernet = privateOid(QStringLiteral("4.99.1.1.47.0"));
    const QString foreign = QStringLiteral("1.3.6.1.4.1.99999.1.0");
    QVERIFY2(
        m_sim.start({"--set", country + "=s:EU", "--set", oids::sysName + "=string:lab-ap", "--set",
                     foreign + "=a:192.0.2.9", "--set", oids::testColumn(2, 1) + "=4x:c3a9",
                     "--unset", ethernet, "--unset", privateOid(QStringLiteral("99.1.1.3"))}),
        qPrintable(m_sim.errorString()));
    const ToolResult read = v2c(m_sim).get({country, oids::sysName, foreign, oids::testColumn(2, 1),
                                            ethernet, oids::testColumn(3, 1)});
    QCOMPARE(read.value(country), QStringLiteral("EU"));
    QCOMPARE(read.value(oids::sysName), QStringLiteral("lab-ap"));
    QCOMPARE(read.value(foreign), QStringLiteral("192.0.2.9"));
    QCOMPARE(read.value(oids::testColumn(2, 1)), QStringLiteral("\u00e9"));
    QVERIFY(read.value(ethernet).isNull());
    QVERIFY(read.value(oids::testColumn(3, 1)).isNull()); // --unset removes a whole column
    // A variable the model does not know is read-only; a known one keeps its access.
    QCOMPARE(writer(m_sim).set({{foreign, "a", "192.0.2.10"}}).errorStatus,
             QStringLiteral("notWritable"));
    QVERIFY(writer(m_sim).set({{oids::sysName, "s", "renamed"}}).ok());
}

void SimOptionsTest::recordedDataLoads()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("other.snmprec")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(recording);
    file.close();
    QVERIFY2(m_sim.start({"--data", file.fileName()}), qPrintable(m_sim.errorString()));

    const ToolResult walk = v2c(m_sim).walk(QStringLiteral(".1"));
    QVERIFY2(walk.ok(), qPrintable(walk.error));
    QStringList cells;
    for (const ToolVarbind& varbind : walk.varbinds) {
        if (varbind.type.isEmpty() || varbind.oid == oids::sysUpTime)
            continue;
        const bool binary = varbind.oid.startsWith(QLatin1String("1.3.6.1.2.1.2.2.1.6."));
        cells << varbind.oid + u'=' + varbind.type + u':' + (binary ? varbind.hex : varbind.value);
    }
    QCOMPARE(cells, (QStringList{
                        "1.3.6.1.2.1.1.1.0=STRING:Other agent",
                        "1.3.6.1.2.1.1.2.0=OID:1.3.6.1.4.1.8072.3.2.10",
                        "1.3.6.1.2.1.1.5.0=STRING:recorded-name",
                        "1.3.6.1.2.1.2.2.1.5.1=Gauge32:100000000",
                        "1.3.6.1.2.1.2.2.1.6.1=STRING:00163e5e6c00",
                        "1.3.6.1.2.1.2.2.1.10.1=Counter32:4000000000",
                        "1.3.6.1.2.1.4.20.1.1.10.0.0.1=IpAddress:10.0.0.1",
                        "1.3.6.1.2.1.31.1.1.1.6.1=Counter64:18446744073709551615",
                    }));
    QVERIFY(m_sim.standardError().contains(QLatin1String("variation modules")));
    QVERIFY(m_sim.standardError().contains(QLatin1String("2.9.9.0")));
    // The model still knows sysName; everything it does not know is read-only.
    QVERIFY(writer(m_sim).set({{oids::sysName, "s", "renamed"}}).ok());
    QCOMPARE(writer(m_sim).set({{"1.3.6.1.2.1.2.2.1.5.1", "u", "1"}}).errorStatus,
             QStringLiteral("notWritable"));
    // The recorded uptime is replaced by the device's own.
    QVERIFY(v2c(m_sim).get({oids::sysUpTime}).value(oids::sysUpTime).toInt() < 123456);
}

void SimOptionsTest::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("request"); // get, set or walk
    QTest::addColumn<QString>("status");
    const QString capabilities = privateOid(QStringLiteral("4.99"));
    QTest::newRow("genErr on a subtree, v2c get") << capabilities + "=genErr"
                                                  << "-v2c -c public"
                                                  << "get"
                                                  << "genErr";
    QTest::newRow("genErr on a subtree, v1 get") << capabilities + "=genErr"
                                                 << "-v1 -c public"
                                                 << "get"
                                                 << "genErr";
    QTest::newRow("number, walk into it") << capabilities + "=5"
                                          << "-v2c -c public"
                                          << "walk"
                                          << "genErr";
    QTest::newRow("readOnly on a set, v1") << oids::sysName + "=readOnly"
                                           << "-v1 -c private"
                                           << "set"
                                           << "readOnly";
    QTest::newRow("resourceUnavailable on a set") << oids::sysName + "=resourceUnavailable"
                                                  << "-v2c -c private"
                                                  << "set"
                                                  << "resourceUnavailable";
}

void SimOptionsTest::faults()
{
    QFETCH(QString, fault);
    QFETCH(QString, credentials);
    QFETCH(QString, request);
    QFETCH(QString, status);
    QVERIFY2(m_sim.start({"--fail", fault}), qPrintable(m_sim.errorString()));
    const SnmpTool tool(m_sim.address(), credentials.split(u' '));
    ToolResult result;
    if (request == QLatin1String("get"))
        result = tool.get({oids::sysName, privateOid(QStringLiteral("4.99.1.1.9.0"))});
    else if (request == QLatin1String("set"))
        result = tool.set({{oids::sysName, "s", "x"}});
    else
        result = tool.walk(privateOid(QStringLiteral("4.5")));
    QCOMPARE(result.errorStatus, status);
    // Other variables are not affected.
    QVERIFY(v2c(m_sim).get({oids::firmware}).ok());
}

void SimOptionsTest::silentDevice()
{
    QVERIFY2(m_sim.start({"--silent"}), qPrintable(m_sim.errorString()));
    QVERIFY(impatient(m_sim).get({oids::sysDescr}).timedOut);
    SnmpTool v3(m_sim.address(), {"-v3", "-u", "nobody", "-l", "noAuthNoPriv"});
    v3.setTimeout(0.3, 0);
    QVERIFY(v3.get({oids::sysDescr}).timedOut); // not even the engine discovery is answered
}

void SimOptionsTest::delayedAnswers()
{
    // Far apart on purpose: the check is that answers come late, not how late.
    QVERIFY2(m_sim.start({"--delay-ms", "1500"}), qPrintable(m_sim.errorString()));
    QVERIFY(impatient(m_sim).get({oids::sysDescr}).timedOut);
    SnmpTool patient = v2c(m_sim);
    patient.setTimeout(10, 0);
    QVERIFY(patient.get({oids::sysDescr}).ok());
}

void SimOptionsTest::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "frobnicate";
    QTest::newRow("unknown variant") << QStringList{"--variant", "deluxe"} << "deluxe";
    QTest::newRow("short pass phrase") << QStringList{"--v3-user", "u:SHA:short"} << "8 characters";
    QTest::newRow("unknown privacy")
        << QStringList{"--v3-user", "u:SHA:longenough:RC4:longenough"} << "RC4";
    QTest::newRow("set without type")
        << QStringList{"--set", "1.3.6.1.2.1.1.5.0=x"} << "KEYWORD:VALUE";
    QTest::newRow("set of a bad address")
        << QStringList{"--set", "1.3.6.1.2.1.1.5.0=a:1.2.3"} << "IPv4";
    QTest::newRow("fail with unknown status")
        << QStringList{"--fail", "1.3.6=sometimes"} << "ERRORSTATUS";
    QTest::newRow("negative restart")
        << QStringList{"--restart-seconds", "-1"} << "restart-seconds";
    QTest::newRow("listen on a name") << QStringList{"--listen", "example.org:161"} << "listen";
    QTest::newRow("missing data file")
        << QStringList{"--data", "/nonexistent/x.snmprec"} << "/nonexistent/x.snmprec";
}

void SimOptionsTest::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess process;
    process.start(SimulatorProcess::executable(), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty()); // no "ready"
    const QString error = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(error.contains(message), qPrintable(error));
}

QTEST_GUILESS_MAIN(SimOptionsTest)
#include "tst_sim_options.moc"
