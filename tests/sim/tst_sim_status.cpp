// What the device information page reads: the wireless status table of both radios, CPU and
// memory utilisation with the capability that says whether the device has them, and the read
// events of --log-reads that the page's tests check its requests with.

#include "SimTest.h"

#include <QDeadlineTimer>
#include <QtTest>
#include <algorithm>

using namespace qtr::test;
using oids::wirelessStatus;

namespace {

enum Column
{
    Ssid = 1,
    Channel = 2,
    SuperMode = 3,
    DataRate = 4,
    SecLevelAuth = 5,
    SecLevelPriv = 6,
};

const QString noSuchObject = QStringLiteral("No Such Object available on this agent at this OID");
const QString noSuchInstance = QStringLiteral("No Such Instance currently exists at this OID");

// The six cells of one radio, in the order the page asks for them.
QStringList radioCells(int radio)
{
    QStringList result;
    for (int column = Ssid; column <= SecLevelPriv; ++column)
        result << wirelessStatus(column, radio);
    return result;
}

// "TYPE:value" of each varbind, exceptions as their text.
QStringList typedValues(const ToolResult& result)
{
    QStringList values;
    for (const ToolVarbind& varbind : result.varbinds)
        values << (varbind.type.isEmpty() ? varbind.value : varbind.type + u':' + varbind.value);
    return values;
}

bool isRead(const QJsonObject& event)
{
    const QString name = event.value(QStringLiteral("event")).toString();
    return name == QLatin1String("get") || name == QLatin1String("getnext");
}

QStringList oidsOf(const QJsonObject& event)
{
    QStringList result;
    for (const QJsonValue& oid : event.value(QStringLiteral("oids")).toArray())
        result << oid.toString();
    return result;
}

} // namespace

class SimStatusTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void radiosReadBack_data();
    void radiosReadBack();
    void absentCells_data();
    void absentCells();
    void walkGoesColumnByColumn();
    void statusIsReadOnly_data();
    void statusIsReadOnly();
    void utilisationMoves();
    void apStatusCapability_data();
    void apStatusCapability();
    void readsAreLogged_data();
    void readsAreLogged();
    void walkLogsEveryStep();
    void readsAreNotLoggedWithoutTheOption();
    void readsDuringARestartAreNotLogged();

private:
    // The read events at position from or later.
    QList<QJsonObject> readEvents(int from) const;

    SimulatorProcess m_sim;
};

void SimStatusTest::cleanup()
{
    QVERIFY2(m_sim.stop(), qPrintable(m_sim.errorString()));
}

QList<QJsonObject> SimStatusTest::readEvents(int from) const
{
    QList<QJsonObject> result;
    const QList<QJsonObject> all = m_sim.events();
    for (qsizetype i = from; i < all.size(); ++i) {
        if (isRead(all[i]))
            result << all[i];
    }
    return result;
}

void SimStatusTest::radiosReadBack_data()
{
    QTest::addColumn<int>("radio");
    QTest::addColumn<QStringList>("expected"); // SSID, channel, super mode, rate, auth, privacy
    QTest::newRow("first radio") << 1 << QStringList{"STRING:QTR-9000KX",  "INTEGER:6",
                                                     "INTEGER:4",          "STRING:54 Mbps",
                                                     "STRING:Open System", "STRING:None"};
    QTest::newRow("second radio") << 2 << QStringList{"STRING:QTR-9000KX-g", "INTEGER:11",
                                                      "INTEGER:1",           "STRING:108 Mbps",
                                                      "STRING:WPA-PSK",      "STRING:TKIP"};
}

void SimStatusTest::radiosReadBack()
{
    QFETCH(int, radio);
    QFETCH(QStringList, expected);
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    // As the page reads a radio: one GET of the six instances.
    const ToolResult result = v2c(m_sim).get(radioCells(radio));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(typedValues(result), expected);
}

void SimStatusTest::absentCells_data()
{
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("exception");
    QTest::newRow("a third radio") << wirelessStatus(Ssid, 3) << noSuchInstance;
    QTest::newRow("a scalar instance .0") << wirelessStatus(Channel, 0) << noSuchInstance;
    QTest::newRow("a column the table lacks") << wirelessStatus(7, 1) << noSuchObject;
}

void SimStatusTest::absentCells()
{
    QFETCH(QString, oid);
    QFETCH(QString, exception);
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    const ToolResult result = v2c(m_sim).get({oid});
    QCOMPARE(result.varbinds.size(), 1);
    QCOMPARE(result.varbinds[0].type, QString());
    QCOMPARE(result.varbinds[0].value, exception);
}

void SimStatusTest::walkGoesColumnByColumn()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    const ToolResult walk = v2c(m_sim).walk(privateOid(QStringLiteral("4.4.2.1")));
    QVERIFY2(walk.ok(), qPrintable(walk.error));
    QStringList cells;
    for (const ToolVarbind& varbind : walk.varbinds)
        cells << varbind.oid.mid(privateOid(QStringLiteral("4.4.2.1.")).size()) + u'=' +
                     varbind.type + u':' + varbind.value;
    QCOMPARE(cells,
             (QStringList{"1.1=STRING:QTR-9000KX", "1.2=STRING:QTR-9000KX-g", "2.1=INTEGER:6",
                          "2.2=INTEGER:11", "3.1=INTEGER:4", "3.2=INTEGER:1", "4.1=STRING:54 Mbps",
                          "4.2=STRING:108 Mbps", "5.1=STRING:Open System", "5.2=STRING:WPA-PSK",
                          "6.1=STRING:None", "6.2=STRING:TKIP"}));
}

void SimStatusTest::statusIsReadOnly_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("status");
    QTest::newRow("SSID of the first radio") << "-v2c -c private" << wirelessStatus(Ssid, 1) << "s"
                                             << "renamed"
                                             << "notWritable";
    QTest::newRow("channel of the second radio")
        << "-v2c -c private" << wirelessStatus(Channel, 2) << "i"
        << "1"
        << "notWritable";
    QTest::newRow("super mode, a mode it offers")
        << "-v2c -c private" << wirelessStatus(SuperMode, 1) << "i"
        << "2"
        << "notWritable";
    QTest::newRow("data rate over SNMPv1") << "-v1 -c private" << wirelessStatus(DataRate, 2) << "s"
                                           << "11 Mbps"
                                           << "noSuchName";
    QTest::newRow("a radio that is not there")
        << "-v2c -c private" << wirelessStatus(SecLevelAuth, 3) << "s"
        << "WEP"
        << "notWritable";
}

void SimStatusTest::statusIsReadOnly()
{
    QFETCH(QString, credentials);
    QFETCH(QString, oid);
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, status);
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    const QString before = v2c(m_sim).walk(privateOid(QStringLiteral("4.4.2"))).output;
    const SnmpTool tool(m_sim.address(), credentials.split(u' '));
    QCOMPARE(tool.set({{oid, type, value}}).errorStatus, status);
    QCOMPARE(v2c(m_sim).walk(privateOid(QStringLiteral("4.4.2"))).output, before);
}

void SimStatusTest::utilisationMoves()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    QSet<int> cpu;
    QSet<int> memory;
    const QDeadlineTimer deadline(std::chrono::seconds(6));
    // Each poll starts a process, which paces the loop.
    while ((cpu.size() < 2 || memory.size() < 2) && !deadline.hasExpired()) {
        const ToolResult result = v2c(m_sim).get({oids::cpuUtilization, oids::memUtilization});
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.varbinds.size(), 2);
        for (const ToolVarbind& varbind : result.varbinds) {
            QCOMPARE(varbind.type, QStringLiteral("INTEGER"));
            bool number = false;
            const int percent = varbind.value.toInt(&number);
            QVERIFY2(number && percent >= 0 && percent <= 100, qPrintable(varbind.value));
            (varbind.oid == oids::cpuUtilization ? cpu : memory) << percent;
        }
    }
    QVERIFY2(cpu.size() >= 2, "the CPU utilisation never changed");
    QVERIFY2(memory.size() >= 2, "the memory utilisation never changed");
    // Memory drifts; it does not jump about like the CPU load.
    const auto [lowest, highest] = std::minmax_element(memory.begin(), memory.end());
    QVERIFY2(*highest - *lowest <= 10,
             qPrintable(QStringLiteral("%1..%2").arg(*lowest).arg(*highest)));
    QCOMPARE(writer(m_sim).set({{oids::cpuUtilization, "i", "50"}}).errorStatus,
             QStringLiteral("notWritable"));
}

void SimStatusTest::apStatusCapability_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("supported");
    QTest::addColumn<bool>("hasUtilisation");
    QTest::newRow("default") << QStringList() << "1" << true;
    QTest::newRow("basic firmware") << QStringList{"--variant", "basic"} << "0" << false;
}

void SimStatusTest::apStatusCapability()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, supported);
    QFETCH(bool, hasUtilisation);
    QVERIFY2(m_sim.start(arguments), qPrintable(m_sim.errorString()));
    const ToolResult result =
        v2c(m_sim).get({oids::apStatusSupported, oids::cpuUtilization, oids::memUtilization});
    QCOMPARE(result.varbinds.size(), 3);
    QCOMPARE(result.varbinds[0].type + u':' + result.varbinds[0].value, "INTEGER:" + supported);
    for (const ToolVarbind& utilisation : result.varbinds.mid(1)) {
        if (hasUtilisation)
            QCOMPARE(utilisation.type, QStringLiteral("INTEGER"));
        else
            QCOMPARE(utilisation.value, noSuchObject);
    }
}

void SimStatusTest::readsAreLogged_data()
{
    QTest::addColumn<QString>("credentials");
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("oids");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("sender"); // the field that names who asked, with the third word
    QTest::newRow("v2c get of a radio") << "-v2c -c public"
                                        << "snmpget" << radioCells(1) << "get"
                                        << "2c"
                                        << "community";
    QTest::newRow("v1 get") << "-v1 -c vqlmzr"
                            << "snmpget" << QStringList{oids::firmware, oids::cpuUtilization}
                            << "get"
                            << "1"
                            << "community";
    QTest::newRow("v3 get") << "-v3 -u reader -l authNoPriv -a SHA -A readerpass"
                            << "snmpget" << QStringList{oids::apStatusSupported} << "get"
                            << "3"
                            << "user";
    QTest::newRow("v2c getnext") << "-v2c -c private"
                                 << "snmpgetnext" << QStringList{wirelessStatus(Ssid, 2)}
                                 << "getnext"
                                 << "2c"
                                 << "community";
    // Past the end and before 1.3: net-snmp hands the request to the device twice.
    QTest::newRow("getnext in two passes")
        << "-v2c -c public"
        << "snmpgetnext" << QStringList{oids::testColumn(5, 2), QStringLiteral("0.1")} << "getnext"
        << "2c"
        << "community";
}

void SimStatusTest::readsAreLogged()
{
    QFETCH(QString, credentials);
    QFETCH(QString, tool);
    QFETCH(QStringList, oids);
    QFETCH(QString, event);
    QFETCH(QString, version);
    QFETCH(QString, sender);
    QVERIFY2(m_sim.start({"--log-reads", "--v3-user", "reader:SHA:readerpass"}),
             qPrintable(m_sim.errorString()));
    const int before = m_sim.eventCount();
    const QStringList security = credentials.split(u' ');
    const ToolResult result = SnmpTool(m_sim.address(), security).run(tool, oids);
    QVERIFY2(result.exitCode == 0 && !result.timedOut, qPrintable(result.error));

    const auto logged = m_sim.waitForEvent(SimulatorProcess::isReadOf(oids.first()),
                                           std::chrono::seconds(5), before);
    QVERIFY(logged);
    QCOMPARE(logged->value(QStringLiteral("event")).toString(), event);
    QCOMPARE(oidsOf(*logged), oids);
    QCOMPARE(logged->value(QStringLiteral("version")).toString(), version);
    QCOMPARE(logged->value(sender).toString(), security.at(2));
    QVERIFY(
        logged->value(QStringLiteral("peer")).toString().startsWith(QLatin1String("127.0.0.1:")));
    QVERIFY(logged->contains(QStringLiteral("requestId")));
    // The event is written before the answer goes out, so a second one would be there by now.
    QCOMPARE(readEvents(before).size(), 1);
}

void SimStatusTest::walkLogsEveryStep()
{
    QVERIFY2(m_sim.start({"--log-reads"}), qPrintable(m_sim.errorString()));
    const int before = m_sim.eventCount();
    const QString table = privateOid(QStringLiteral("4.4.2.1"));
    QVERIFY(v2c(m_sim).walk(table).ok());
    // The table's OID, then each cell (the last step finds the variable after the table).
    QStringList expected{table};
    for (int column = Ssid; column <= SecLevelPriv; ++column)
        expected << wirelessStatus(column, 1) << wirelessStatus(column, 2);
    QStringList asked;
    for (const QJsonObject& event : readEvents(before)) {
        QCOMPARE(event.value(QStringLiteral("event")).toString(), QStringLiteral("getnext"));
        asked << oidsOf(event);
    }
    QCOMPARE(asked, expected);
}

void SimStatusTest::readsAreNotLoggedWithoutTheOption()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    QVERIFY(v2c(m_sim).get(radioCells(1)).ok());
    QVERIFY(v2c(m_sim).run(QStringLiteral("snmpgetnext"), {oids::sysName}).ok());
    QVERIFY(writer(m_sim).set({{oids::sysName, "s", "ap-1"}}).ok());
    // Events are written in the order the requests came, so the reads would be before the set.
    QVERIFY(m_sim.waitForEvent(SimulatorProcess::isSetOf(oids::sysName)));
    QStringList names;
    for (const QJsonObject& event : m_sim.events())
        names << event.value(QStringLiteral("event")).toString();
    QCOMPARE(names, (QStringList{"start", "set"}));
}

void SimStatusTest::readsDuringARestartAreNotLogged()
{
    m_sim.setRestartSilence(std::chrono::milliseconds(1500));
    QVERIFY2(m_sim.start({"--log-reads"}), qPrintable(m_sim.errorString()));
    QVERIFY(writer(m_sim).set({{oids::restart, "i", "1"}}).ok());
    const auto restart = m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("restart")));
    QVERIFY(restart);
    const int restarted = m_sim.eventCount();
    QVERIFY(impatient(m_sim).get(radioCells(1)).timedOut);
    QVERIFY(m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("up")),
                               std::chrono::seconds(10), restarted));
    QVERIFY(readEvents(restarted).isEmpty());
    // Once the device is up again, its reads are logged again.
    QVERIFY(v2c(m_sim).get(radioCells(1)).ok());
    QVERIFY(m_sim.waitForEvent(SimulatorProcess::isReadOf(wirelessStatus(Ssid, 1)),
                               std::chrono::seconds(5), restarted));
}

QTEST_GUILESS_MAIN(SimStatusTest)
#include "tst_sim_status.moc"
