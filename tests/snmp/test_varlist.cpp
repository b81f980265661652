#include "NvNumList.h"
#include "NvOptionList.h"
#include "NvSNMPVarList.h"

#include <QTest>

namespace {

const NvSNMPVarRecord kSystemGroup[] = {
    {"1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.1.2", "System Object ID", SYN_OID, 0x02, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
    {"1.3.6.1.2.1.1.3", "System Uptime", SYN_TIMETICKS, 0x02, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
    {"1.3.6.1.2.1.1.4", "System Contact", SYN_DISPLAYSTRING, 0x06, nullptr, nullptr, nullptr,
     "spare", "initial", "1.3.6.1.2.1.1.4.0"},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

const NvSNMPVarRecord kEmpty[] = {
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// A two-key table as the multi-SSID pages use it.
const NvSNMPVarRecord kTwoKeyTable[] = {
    {" ", "ifIndex", SYN_INTEGER, 0x01, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9000.4.2.9.2.1.1", "adMSSIDIndex", SYN_INTEGER, 0x01, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.4.1.32473.9000.4.2.9.2.1.3", "adMSSIDSSID", SYN_DISPLAYSTRING, 0x06, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

} // namespace

class TestVarList : public QObject
{
    Q_OBJECT

private slots:
    void buildsItemsFromTable()
    {
        NvSNMPVarList list(kSystemGroup, LIST_SCALAR, 0);
        QCOMPARE(list.Count(), 4);
        QCOMPARE(list.Item(0).oid, QStringLiteral("1.3.6.1.2.1.1.1"));
        QCOMPARE(list.Item(1).syntax, uint32_t(SYN_OID));
        QVERIFY(!list.Item(0).spareText.has_value());
        QCOMPARE(list.Item(0).value, QString());
        QCOMPARE(*list.Item(3).spareText, QStringLiteral("spare"));
        QCOMPARE(list.Item(3).value, QStringLiteral("initial"));
        QCOMPARE(list.Item(3).instanceOid, QStringLiteral("1.3.6.1.2.1.1.4.0"));
    }

    void emptyTableGivesEmptyList()
    {
        NvSNMPVarList list(kEmpty, LIST_SCALAR, 0);
        QCOMPARE(list.Count(), 0);
        list.AppendTable(nullptr);
        QCOMPARE(list.Count(), 0);
    }

    void appendKeepsExistingItems()
    {
        NvSNMPVarList list(kSystemGroup, LIST_SCALAR, 0);
        list.Item(0).value = QStringLiteral("kept");
        list.AppendTable(kSystemGroup);
        QCOMPARE(list.Count(), 8);
        QCOMPARE(list.Item(0).value, QStringLiteral("kept"));
        QCOMPARE(list.Item(4).value, QString());
    }

    void assignCopiesStateButNotInstance()
    {
        NvSNMPVarList source(kTwoKeyTable, LIST_TABLE_ROWS, 2);
        source.instance = QStringLiteral("7");
        source.name = QStringLiteral("SSIDs");
        source.Item(2).flags = VAR_SKIP;
        source.Item(2).value = QStringLiteral("guest");
        source.Item(2).instanceOid = QStringLiteral("1.2.3");

        NvSNMPVarList target(kSystemGroup, LIST_SCALAR, 0);
        target.instance = QStringLiteral("own");
        target.Assign(source);
        QCOMPARE(target.instance, QStringLiteral("own"));
        QCOMPARE(target.kind, uint8_t(LIST_TABLE_ROWS));
        QCOMPARE(target.keyCount, 2);
        QCOMPARE(target.name, QStringLiteral("SSIDs"));
        QCOMPARE(target.Count(), 3);
        QCOMPARE(target.Item(2).flags, uint32_t(VAR_SKIP));
        QCOMPARE(target.Item(2).value, QStringLiteral("guest"));
        QCOMPARE(target.Item(2).instanceOid, QStringLiteral("1.2.3"));

        // The copy is independent of its source.
        source.Item(2).value = QStringLiteral("changed");
        QCOMPARE(target.Item(2).value, QStringLiteral("guest"));

        const NvSNMPVarList copy(source);
        QCOMPARE(copy.instance, QString());
        QCOMPARE(copy.Item(2).value, QStringLiteral("changed"));
    }

    void ownedOptionListsOutliveTheirFirstOwner()
    {
        static const NvOptionRow rows[] = {{0, "Off"}, {1, "On"}, {0, nullptr}};
        NvSNMPVarList copy;
        {
            NvSNMPVarList owner(kSystemGroup, LIST_SCALAR, 0);
            auto options = std::make_unique<NvOptionList>(rows);
            owner.Item(0).options = options.get();
            owner.AdoptOptionList(std::move(options));
            copy.Assign(owner);
        }
        QCOMPARE(copy.Item(0).options->ValueToText(QStringLiteral("1")), QStringLiteral("On"));
    }

    void predicates_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("keyCount");
        QTest::addColumn<int>("index");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("hidden");

        QTest::newRow("read-only scalar") << 0 << 0 << 0 << 0x02u << true << false << true << false;
        QTest::newRow("read-write scalar") << 0 << 0 << 0 << 0x06u << true << true << true << false;
        QTest::newRow("write-only is a hidden column")
            << 0 << 0 << 0 << 0x04u << false << true << false << true;
        QTest::newRow("skipped read-write")
            << 0 << 0 << 0 << 0x26u << false << false << false << true;
        QTest::newRow("key item inside keyCount")
            << 2 << 1 << 0 << 0x01u << false << true << true << false;
        QTest::newRow("key flags past keyCount")
            << 2 << 1 << 1 << 0x01u << false << false << true << false;
        QTest::newRow("key in scalar list")
            << 0 << 1 << 0 << 0x01u << false << false << true << false;
        QTest::newRow("key in table rows list")
            << 3 << 2 << 1 << 0x01u << false << true << true << false;
        QTest::newRow("derived column") << 2 << 0 << 0 << 0x08u << false << false << true << false;
        QTest::newRow("hidden readable column")
            << 2 << 0 << 0 << 0x12u << true << false << false << true;
        QTest::newRow("no flags") << 2 << 0 << 0 << 0x00u << false << false << false << false;
    }

    void predicates()
    {
        QFETCH(int, kind);
        QFETCH(int, keyCount);
        QFETCH(int, index);
        QFETCH(uint, flags);
        NvSNMPVarList list(kTwoKeyTable, static_cast<uint8_t>(kind), keyCount);
        list.Item(index).flags = flags;
        QTEST(list.IsReadable(index), "readable");
        QTEST(list.IsWritable(index), "writable");
        QTEST(list.IsShownColumn(index), "shown");
        QTEST(list.IsHiddenColumn(index), "hidden");
    }

    void columnCounts()
    {
        NvSNMPVarList list(kTwoKeyTable, LIST_TABLE_ROWS, 2);
        QCOMPARE(list.ShownCount(), 3);
        QCOMPARE(list.HiddenCount(), 0);
        list.Item(2).flags = VAR_SKIP;
        list.Item(1).flags = VAR_WRITE;
        QCOMPARE(list.ShownCount(), 1);
        QCOMPARE(list.HiddenCount(), 2);
        QVERIFY(!list.IsImplied(1));
        list.Item(1).flags |= VAR_IMPLIED;
        QVERIFY(list.IsImplied(1));
    }

    void numList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QVector<int>>("values");

        QTest::newRow("three numbers") << "3,0,12"
                                       << "," << QVector<int>{3, 0, 12};
        QTest::newRow("empty text") << ""
                                    << "," << QVector<int>{};
        QTest::newRow("trailing delimiter") << "4,"
                                            << "," << QVector<int>{4, 0};
        QTest::newRow("fraction truncated") << "2.5"
                                            << "," << QVector<int>{2};
        QTest::newRow("fraction then next value") << "2.9,7"
                                                  << "," << QVector<int>{2, 7};
        QTest::newRow("other characters ignored") << "1a2, 3"
                                                  << "," << QVector<int>{12, 3};
        QTest::newRow("dotted with dot delimiter") << "10.0.0.1"
                                                   << "." << QVector<int>{10, 0, 0, 1};
        QTest::newRow("lone delimiter") << ","
                                        << "," << QVector<int>{0, 0};
        QTest::newRow("long digit run saturates") << "99999999999999999999,1"
                                                  << "," << QVector<int>{2147483647, 1};
    }

    void numList()
    {
        QFETCH(QString, text);
        QFETCH(QString, delimiter);
        QFETCH(QVector<int>, values);
        NvNumList<int> list(delimiter.at(0));
        list.Parse(QStringLiteral("9,9,9,9,9")); // the old values must go
        list.Parse(text);
        QCOMPARE(list.values, values);
        QCOMPARE(list.count(), values.size());
    }

    void numListIndexOf()
    {
        NvNumList<int> list(QLatin1Char(','));
        list.Parse(QStringLiteral("5,3,5"));
        QCOMPARE(list.IndexOf(5), 0);
        QCOMPARE(list.IndexOf(3), 1);
        QCOMPARE(list.IndexOf(4), -1);
        QCOMPARE(NvNumList<int>().delimiter, QLatin1Char('.'));
    }
};

QTEST_GUILESS_MAIN(TestVarList)
#include "test_varlist.moc"
