#include "NvOptionList.h"
#include "NvSyntax.h"

#include <QTest>

namespace {

const NvOptionRow kEnable[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
const NvOptionRow kReversed[] = {{4, "Disable"}, {1, "Enable"}, {0, nullptr}};
const NvOptionRow kDuplicateValue[] = {{1, "First"}, {1, "Second"}, {2, "Third"}, {0, nullptr}};
const NvOptionTextRow kTextRows[] = {{"a", "Alpha"}, {"b", "Beta"}, {nullptr, nullptr}};
const NvOptionTextRow kPrefixRows[] = {
    {"ch", "Channel "}, {"if", "Interface "}, {nullptr, nullptr}};

} // namespace

class TestOptionList : public QObject
{
    Q_OBJECT

private slots:
    void numberList_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("valueToText");
        QTest::addColumn<QString>("textToValue");
        QTest::addColumn<int>("indexOfText");
        QTest::addColumn<int>("indexOfValue");

        QTest::newRow("value 1") << "1"
                                 << "Enable"
                                 << "1" << -1 << 1;
        QTest::newRow("value 0") << "0"
                                 << "Disable"
                                 << "0" << -1 << 0;
        QTest::newRow("unknown value") << "7"
                                       << "7"
                                       << "7" << -1 << -1;
        QTest::newRow("null value") << "(NULL)"
                                    << "(NULL)"
                                    << "(NULL)" << -1 << -1;
        QTest::newRow("text any case") << "enable"
                                       << "enable"
                                       << "1" << 1 << -1;
        QTest::newRow("exact text") << "Disable"
                                    << "Disable"
                                    << "0" << 0 << -1;
        QTest::newRow("not an integer") << "1x"
                                        << "1x"
                                        << "1x" << -1 << -1;
        QTest::newRow("prefix of a text is no match") << "Enab"
                                                      << "Enab"
                                                      << "Enab" << -1 << -1;
    }

    void numberList()
    {
        QFETCH(QString, input);
        const NvOptionList list(kEnable);
        QTEST(list.ValueToText(input), "valueToText");
        QTEST(list.TextToValue(input), "textToValue");
        QTEST(list.IndexOfText(input), "indexOfText");
        QTEST(list.IndexOfValue(input), "indexOfValue");
    }

    void declarationOrderIsItemOrder()
    {
        const NvOptionList list(kReversed);
        QCOMPARE(list.Texts(), (QStringList{"Disable", "Enable"}));
        QCOMPARE(list.IndexToSelect(QStringLiteral("4")), 0);
        QCOMPARE(list.IndexToSelect(QStringLiteral("Enable")), 1);
        QCOMPARE(list.IndexToSelect(QStringLiteral("1")), 1);
        QCOMPARE(list.IndexToSelect(QStringLiteral("3")), -1);
    }

    void firstMatchingEntryWins()
    {
        const NvOptionList list(kDuplicateValue);
        QCOMPARE(list.ValueToText(QStringLiteral("1")), QStringLiteral("First"));
        QCOMPARE(list.TextToValue(QStringLiteral("Second")), QStringLiteral("1"));
    }

    void caseSensitiveList()
    {
        const NvOptionList list(kEnable, OPT_NUMBER, true);
        QCOMPARE(list.IndexOfText(QStringLiteral("enable")), -1);
        QCOMPARE(list.IndexOfText(QStringLiteral("Enable")), 1);
    }

    void textList()
    {
        const NvOptionList list(kTextRows, OPT_TEXT);
        QCOMPARE(list.ValueToText(QStringLiteral("b")), QStringLiteral("Beta"));
        QCOMPARE(list.TextToValue(QStringLiteral("alpha")), QStringLiteral("a"));
        QCOMPARE(list.ValueToText(QStringLiteral("c")), QStringLiteral("c"));
        QCOMPARE(list.IndexOfValue(QStringLiteral("(NULL)")), -1);
    }

    void prefixList()
    {
        const NvOptionList list(kPrefixRows, OPT_PREFIX);
        QCOMPARE(list.ValueToText(QStringLiteral("ch11")), QStringLiteral("Channel 11"));
        QCOMPARE(list.TextToValue(QStringLiteral("Interface 2")), QStringLiteral("if2"));
        QCOMPARE(list.IndexOfText(QStringLiteral("Channel")), -1); // shorter than the prefix
        QCOMPARE(list.ValueToText(QStringLiteral("xx")), QStringLiteral("xx"));
    }

    void addAppendsRows()
    {
        NvOptionList list(kEnable);
        list.Add(kReversed);
        QCOMPARE(list.count(), 4);
        QCOMPARE(list.Entry(2).value, 4);
        QCOMPARE(list.ValueToText(QStringLiteral("4")), QStringLiteral("Disable"));
        NvOptionList empty(static_cast<const NvOptionRow*>(nullptr));
        QCOMPARE(empty.count(), 0);
    }

    void keywordLists()
    {
        QCOMPARE(SyntaxKeywords().count(), 25);
        QCOMPARE(SyntaxKeywords().TextToValue(QStringLiteral("displaystr")), QStringLiteral("76"));
        QCOMPARE(SyntaxKeywords().ValueToText(QStringLiteral("66")), QStringLiteral("guage"));
        QCOMPARE(SyntaxKeywords().TextToValue(QStringLiteral("UINT16")), QStringLiteral("198"));
        QCOMPARE(AccessKeywords().TextToValue(QStringLiteral("readwrite")), QStringLiteral("6"));
        QCOMPARE(AccessKeywords().ValueToText(QStringLiteral("32")), QStringLiteral("invalid"));
        QCOMPARE(ListKindKeyword(LIST_TABLE_ROWS), QStringLiteral("MVT_UMV"));
        QCOMPARE(ListKindOfKeyword(QStringLiteral("SVT_SV")), int(LIST_SCALAR));
        QCOMPARE(ListKindOfKeyword(QStringLiteral("nope")), -1);
        QCOMPARE(ListKindKeyword(4), QString());
    }
};

QTEST_GUILESS_MAIN(TestOptionList)
#include "test_optionlist.moc"
