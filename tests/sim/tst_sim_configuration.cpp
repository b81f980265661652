// Running and saved configuration: restarts keep the device silent and reset its uptime, "Save
// and Active" keeps changes, "Discard Changes" and restarts drop unsaved ones, a factory reset
// returns to the defaults; a device without "Save and Active" keeps every write.

#include "SimTest.h"

#include <QtTest>

using namespace qtr::test;

namespace {

constexpr std::chrono::milliseconds silence{1500};
constexpr std::chrono::seconds eventWait{10};

} // namespace

class SimConfigurationTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void restartCommands_data();
    void restartCommands();
    void unsavedChangesAtRestart_data();
    void unsavedChangesAtRestart();
    void discardReturnsToSavedState();
    void factoryResetRestoresDefaults_data();
    void factoryResetRestoresDefaults();
    void newAddressIsReportedAfterRestart();
    void deviceWithoutSaveAndActive();

private:
    // Sets, checks the response, and returns the position of the events that followed.
    int write(const QList<SnmpTool::Assignment>& assignments);
    bool waitUntilUp(int from);
    QString valueOf(const QString& oid) const;

    SimulatorProcess m_sim;
};

void SimConfigurationTest::init()
{
    m_sim.setRestartSilence(silence);
}

void SimConfigurationTest::cleanup()
{
    QVERIFY2(m_sim.stop(), qPrintable(m_sim.errorString()));
}

int SimConfigurationTest::write(const QList<SnmpTool::Assignment>& assignments)
{
    const int before = m_sim.eventCount();
    const ToolResult result = writer(m_sim).set(assignments);
    if (!result.ok())
        qWarning("set failed: %s", qPrintable(result.error));
    return result.ok() ? before : -1;
}

bool SimConfigurationTest::waitUntilUp(int from)
{
    return m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("up")), eventWait, from)
        .has_value();
}

QString SimConfigurationTest::valueOf(const QString& oid) const
{
    return v2c(m_sim).get({oid}).value(oid);
}

void SimConfigurationTest::restartCommands_data()
{
    QTest::addColumn<QString>("oid");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("idle"); // what the command reads back afterwards
    QTest::newRow("Restart True") << oids::restart << 1 << "restart"
                                  << "0";
    QTest::newRow("upgradesettingcommand Reboot") << oids::upgradeCommand << 4 << "restart"
                                                  << "6";
    QTest::newRow("cSaveActivate Activate") << oids::saveActivate << 1 << "saveAndActivate"
                                            << "0";
    QTest::newRow("FactoryDefault True") << oids::factoryDefault << 1 << "factoryReset"
                                         << "2";
    QTest::newRow("upgradesettingcommand Factoryreset")
        << oids::upgradeCommand << 5 << "factoryReset"
        << "6";
}

void SimConfigurationTest::restartCommands()
{
    QFETCH(QString, oid);
    QFETCH(int, value);
    QFETCH(QString, reason);
    QFETCH(QString, idle);
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    const int from = write({{oid, "i", QString::number(value)}});
    QVERIFY(from >= 0);

    const auto restart =
        m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("restart")), eventWait, from);
    QVERIFY(restart);
    QCOMPARE(restart->value(QStringLiteral("reason")).toString(), reason);
    QCOMPARE(restart->value(QStringLiteral("oid")).toString(), oid);
    // While it restarts, the device answers nothing.
    QVERIFY(impatient(m_sim).get({oids::sysUpTime}).timedOut);

    QVERIFY(waitUntilUp(from));
    const ToolResult after = v2c(m_sim).get({oids::sysUpTime, oid});
    QVERIFY2(after.ok(), qPrintable(after.error));
    // Counted from the end of the silence: without the reset it would exceed the silence.
    QVERIFY2(after.value(oids::sysUpTime).toInt() < silence.count() / 10,
             qPrintable(after.value(oids::sysUpTime)));
    QCOMPARE(after.value(oid), idle);
}

void SimConfigurationTest::unsavedChangesAtRestart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("location"); // after the restart
    QTest::newRow("restart drops unsaved changes")
        << QStringList() << oids::restart << "Wiring closet";
    QTest::newRow("Save and Active keeps them")
        << QStringList() << oids::saveActivate << "Server room";
    QTest::newRow("without Save and Active they survive")
        << QStringList{"--variant", "no-save"} << oids::restart << "Server room";
}

void SimConfigurationTest::unsavedChangesAtRestart()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, command);
    QFETCH(QString, location);
    QVERIFY2(m_sim.start(arguments), qPrintable(m_sim.errorString()));
    QVERIFY(write({{oids::sysLocation, "s", "Server room"},
                   {oids::testColumn(5, 3), "i", "4"},
                   {oids::testColumn(2, 3), "s", "gamma"}}) >= 0);
    const int from = write({{command, "i", "1"}});
    QVERIFY(from >= 0);
    QVERIFY(waitUntilUp(from));
    QCOMPARE(valueOf(oids::sysLocation), location);
    // A row added through the table is configuration like any other variable.
    QCOMPARE(valueOf(oids::testColumn(2, 3)).isNull(), location == QLatin1String("Wiring closet"));
}

void SimConfigurationTest::discardReturnsToSavedState()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    int from = write({{oids::sysName, "s", "saved-name"}, {oids::saveActivate, "i", "1"}});
    QVERIFY(from >= 0);
    QVERIFY(waitUntilUp(from));

    QVERIFY(write({{oids::sysName, "s", "unsaved-name"},
                   {oids::testColumn(5, 1), "i", "6"},
                   {oids::testColumn(5, 4), "i", "4"}}) >= 0);
    QCOMPARE(valueOf(oids::sysName), QStringLiteral("unsaved-name"));
    QVERIFY(valueOf(oids::testColumn(2, 1)).isNull());

    from = write({{oids::discardChanges, "i", "1"}});
    QVERIFY(from >= 0);
    QCOMPARE(valueOf(oids::sysName), QStringLiteral("saved-name"));
    QCOMPARE(valueOf(oids::testColumn(2, 1)), QStringLiteral("alpha"));
    QVERIFY(valueOf(oids::testColumn(5, 4)).isNull());
    QCOMPARE(valueOf(oids::discardChanges), QStringLiteral("0"));
    // Discarding needs no restart: the device answered at once and logged none.
    QVERIFY(!m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("restart")),
                                std::chrono::milliseconds(0), from));
}

void SimConfigurationTest::factoryResetRestoresDefaults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("with Save and Active") << QStringList();
    QTest::newRow("without Save and Active") << QStringList{"--variant", "no-save"};
}

void SimConfigurationTest::factoryResetRestoresDefaults()
{
    QFETCH(QStringList, arguments);
    QVERIFY2(m_sim.start(arguments), qPrintable(m_sim.errorString()));
    QVERIFY(write({{oids::sysName, "s", "renamed"}, {oids::testColumn(5, 2), "i", "6"}}) >= 0);
    if (arguments.isEmpty()) {
        const int saved = write({{oids::saveActivate, "i", "1"}});
        QVERIFY(saved >= 0);
        QVERIFY(waitUntilUp(saved));
    }
    QCOMPARE(valueOf(oids::sysName), QStringLiteral("renamed"));
    const int from = write({{oids::factoryDefault, "i", "1"}});
    QVERIFY(from >= 0);
    QVERIFY(waitUntilUp(from));
    QCOMPARE(valueOf(oids::sysName), QStringLiteral("QTR-9000KX"));
    QCOMPARE(valueOf(oids::testColumn(2, 2)), QStringLiteral("beta"));
}

void SimConfigurationTest::newAddressIsReportedAfterRestart()
{
    QVERIFY2(m_sim.start({"--variant", "no-save"}), qPrintable(m_sim.errorString()));
    QVERIFY(write({{oids::ipAddress, "a", "10.20.30.40"}}) >= 0);
    QCOMPARE(valueOf(oids::ipAddress), QStringLiteral("10.20.30.40"));
    // The address in use changes only when the device starts again.
    QCOMPARE(valueOf(oids::reportedAddress), QStringLiteral("127.0.0.1"));
    const int from = write({{oids::restart, "i", "1"}});
    QVERIFY(from >= 0);
    QVERIFY(waitUntilUp(from));
    QCOMPARE(valueOf(oids::reportedAddress), QStringLiteral("10.20.30.40"));
}

void SimConfigurationTest::deviceWithoutSaveAndActive()
{
    QVERIFY2(m_sim.start({"--variant", "no-save"}), qPrintable(m_sim.errorString()));
    const ToolResult read = v2c(m_sim).get({oids::saveActivate, oids::discardChanges});
    QCOMPARE(read.varbinds.size(), 2);
    for (const ToolVarbind& varbind : read.varbinds)
        QCOMPARE(varbind.value,
                 QStringLiteral("No Such Object available on this agent at this OID"));
    const ToolResult save = writer(m_sim).set({{oids::saveActivate, "i", "1"}});
    QCOMPARE(save.errorStatus, QStringLiteral("noCreation"));
    const auto start = m_sim.waitForEvent(SimulatorProcess::isEvent(QStringLiteral("start")));
    QVERIFY(start);
    QCOMPARE(start->value(QStringLiteral("saveAndActivate")).toBool(), false);
}

QTEST_GUILESS_MAIN(SimConfigurationTest)
#include "tst_sim_configuration.moc"
