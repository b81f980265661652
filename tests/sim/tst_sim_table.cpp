// The test table under privateRoot.99: walked by columns, rows added and removed through its
// RowStatus column, cells checked like scalars.

#include "SimTest.h"

#include <QtTest>

using namespace qtr::test;
using oids::testColumn;

namespace {

enum Column
{
    Index = 1,
    Name = 2,
    Address = 3,
    Number = 4,
    Status = 5,
};

} // namespace

class SimTableTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void walkGoesColumnByColumn();
    void createAndGoWithValues();
    void createAndWaitThenActivate();
    void destroyRemovesTheRow();
    void refusals_data();
    void refusals();

private:
    QString valueOf(const QString& oid) const { return v2c(m_sim).get({oid}).value(oid); }

    SimulatorProcess m_sim;
};

void SimTableTest::init()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
}

void SimTableTest::cleanup()
{
    QVERIFY2(m_sim.stop(), qPrintable(m_sim.errorString()));
}

void SimTableTest::walkGoesColumnByColumn()
{
    const ToolResult walk = v2c(m_sim).walk(privateOid(QStringLiteral("99.1")));
    QVERIFY2(walk.ok(), qPrintable(walk.error));
    QStringList cells;
    for (const ToolVarbind& varbind : walk.varbinds) {
        if (varbind.type.isEmpty())
            continue; // the end of the tree, which the table is at
        cells << varbind.oid.mid(privateOid(QStringLiteral("99.1.1.")).size()) + u'=' +
                     varbind.type + u':' + varbind.value;
    }
    QCOMPARE(cells,
             (QStringList{"1.1=INTEGER:1", "1.2=INTEGER:2", "2.1=STRING:alpha", "2.2=STRING:beta",
                          "3.1=IpAddress:10.0.0.1", "3.2=IpAddress:10.0.0.2", "4.1=INTEGER:100",
                          "4.2=INTEGER:200", "5.1=INTEGER:1", "5.2=INTEGER:1"}));
}

void SimTableTest::createAndGoWithValues()
{
    // As a table panel adds a row: the key, the creating status and the edited columns at once.
    const ToolResult add = writer(m_sim).set({{testColumn(Index, 7), "i", "7"},
                                              {testColumn(Status, 7), "i", "4"},
                                              {testColumn(Name, 7), "s", "gamma"},
                                              {testColumn(Address, 7), "a", "192.0.2.1"}});
    QVERIFY2(add.ok(), qPrintable(add.error));
    const ToolResult row =
        v2c(m_sim).get({testColumn(Index, 7), testColumn(Name, 7), testColumn(Address, 7),
                        testColumn(Number, 7), testColumn(Status, 7)});
    QCOMPARE(row.value(testColumn(Index, 7)), QStringLiteral("7"));
    QCOMPARE(row.value(testColumn(Name, 7)), QStringLiteral("gamma"));
    QCOMPARE(row.value(testColumn(Address, 7)), QStringLiteral("192.0.2.1"));
    QCOMPARE(row.value(testColumn(Number, 7)), QStringLiteral("0")); // not written: the default
    QCOMPARE(row.value(testColumn(Status, 7)), QStringLiteral("1")); // active
    // The new row walks after the old ones in each column.
    const ToolResult names = v2c(m_sim).walk(privateOid(QStringLiteral("99.1.1.2")));
    QCOMPARE(names.varbinds.size(), 3);
    QCOMPARE(names.varbinds.last().oid, testColumn(Name, 7));
}

void SimTableTest::createAndWaitThenActivate()
{
    QVERIFY(writer(m_sim).set({{testColumn(Status, 3), "i", "5"}}).ok());
    QCOMPARE(valueOf(testColumn(Status, 3)), QStringLiteral("2")); // notInService
    QVERIFY(writer(m_sim).set({{testColumn(Number, 3), "i", "65535"}}).ok());
    QVERIFY(writer(m_sim).set({{testColumn(Status, 3), "i", "1"}}).ok());
    QCOMPARE(valueOf(testColumn(Status, 3)), QStringLiteral("1"));
    QCOMPARE(valueOf(testColumn(Number, 3)), QStringLiteral("65535"));
}

void SimTableTest::destroyRemovesTheRow()
{
    // As a table panel deletes a row: the key and the deleting status.
    QVERIFY(writer(m_sim)
                .set({{testColumn(Index, 1), "i", "1"}, {testColumn(Status, 1), "i", "6"}})
                .ok());
    const ToolResult walk = v2c(m_sim).walk(privateOid(QStringLiteral("99.1.1.1")));
    QCOMPARE(walk.varbinds.size(), 1);
    QCOMPARE(walk.varbinds[0].oid, testColumn(Index, 2));
    QVERIFY(valueOf(testColumn(Name, 1)).isNull());
    // Destroying a row that is not there is no error (RFC 2579).
    QVERIFY(writer(m_sim).set({{testColumn(Status, 1), "i", "6"}}).ok());
}

void SimTableTest::refusals_data()
{
    QTest::addColumn<QString>("oid");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("status");
    QTest::newRow("cell of a missing row") << testColumn(Name, 9) << "s"
                                           << "x"
                                           << "noCreation";
    QTest::newRow("create an existing row") << testColumn(Status, 1) << "i"
                                            << "4"
                                            << "inconsistentValue";
    QTest::newRow("activate a missing row") << testColumn(Status, 9) << "i"
                                            << "1"
                                            << "inconsistentValue";
    QTest::newRow("notReady is not writable") << testColumn(Status, 1) << "i"
                                              << "3"
                                              << "wrongValue";
    QTest::newRow("status out of range") << testColumn(Status, 1) << "i"
                                         << "7"
                                         << "wrongValue";
    QTest::newRow("index that is not the row's") << testColumn(Index, 1) << "i"
                                                 << "2"
                                                 << "inconsistentValue";
    QTest::newRow("name too long")
        << testColumn(Name, 1) << "s" << QString(33, u'n') << "wrongLength";
    QTest::newRow("number out of range") << testColumn(Number, 1) << "i"
                                         << "65536"
                                         << "wrongValue";
    QTest::newRow("address as a string") << testColumn(Address, 1) << "s"
                                         << "10.0.0.9"
                                         << "wrongType";
    QTest::newRow("row index 0") << testColumn(Status, 0) << "i"
                                 << "4"
                                 << "noCreation";
}

void SimTableTest::refusals()
{
    QFETCH(QString, oid);
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, status);
    const QString before = v2c(m_sim).walk(privateOid(QStringLiteral("99"))).output;
    const ToolResult result = writer(m_sim).set({{oid, type, value}});
    QCOMPARE(result.errorStatus, status);
    QCOMPARE(v2c(m_sim).walk(privateOid(QStringLiteral("99"))).output, before);
}

QTEST_GUILESS_MAIN(SimTableTest)
#include "tst_sim_table.moc"
