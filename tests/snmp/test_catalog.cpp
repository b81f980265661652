#include "NvCatalog.h"
#include "NvError.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestCatalog : public QObject
{
    Q_OBJECT

private slots:
    void init() { NvCatalog::ResetToBuiltIn(); }
    void cleanupTestCase() { NvCatalog::ResetToBuiltIn(); }

    void catalogSizes()
    {
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::AgentErrors), 19);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::SnmpV3), 17);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::SnmpUsm), 14);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::SnmpClass), 23);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::NvSnmp), 29);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::Templates), 2);
        QCOMPARE(NvCatalog::EntryCount(NvCatalogId::Common), 19);
        QCOMPARE(NvCatalog::FileName(NvCatalogId::SnmpClass), QStringLiteral("snmpclass.err"));
        QCOMPARE(NvCatalog::FileName(NvCatalogId::Templates), QStringLiteral("snmp.msg"));
    }

    void mapResult_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");

        QTest::newRow("success 0") << 0 << 0 << "(NvSNMP++) Ok!";
        QTest::newRow("success 1400") << 1400 << 0 << "(NvSNMP++) Ok!";
        QTest::newRow("success -1401") << -1401 << 0 << "(NvSNMP++) Ok!";
        QTest::newRow("tooBig") << 1 << -101 << "(SNMP) Response PDU Too Big!";
        QTest::newRow("noSuchName") << 2 << -102 << "(SNMP) Variable does not exist!";
        QTest::newRow("inconsistentName")
            << 18 << -118 << "(SNMP) Cannot create variable, Inconsistent Name!";
        QTest::newRow("status 19 unknown") << 19 << -528 << "(NvSNMP++) Unknown error code!";
        QTest::newRow("usm first") << 1401 << -301 << "(SNMPv3USM) error!";
        QTest::newRow("usm auth failure") << 1408 << -308 << "(SNMPv3USM) Authentication failure!";
        QTest::newRow("usm last") << 1414 << -314 << "(SNMPv3USM) Address error!";
        QTest::newRow("usm past last") << 1415 << -528 << "(NvSNMP++) Unknown error code!";
        QTest::newRow("v3 first") << -1402 << -201 << "(SNMPv3) Unsupported Security Model!";
        QTest::newRow("v3 unknown user") << -1412 << -211 << "(SNMPv3) Unknown UserName!";
        QTest::newRow("v3 last") << -1418 << -217 << "(SNMPv3) Report sent!";
        QTest::newRow("library first") << -1 << -401 << "(SNMPClass) Operation failed!";
        QTest::newRow("time-out") << -5 << -405 << "(SNMPClass) SNMP request timed out!";
        QTest::newRow("transport, odd spacing kept")
            << -20 << -420 << "(SNMP Class) Transport is not supported!";
        QTest::newRow("library last") << -23 << -423 << "(SNMPClass) Blocked Mode Shutdown!";
        QTest::newRow("library past last") << -24 << -528 << "(NvSNMP++) Unknown error code!";
        QTest::newRow("between families") << 500 << -528 << "(NvSNMP++) Unknown error code!";
    }

    void mapResult()
    {
        QFETCH(int, result);
        const NvCodeText mapped = NvCatalog::MapResult(result);
        QTEST(mapped.code, "code");
        QTEST(mapped.text, "text");
        // Lookup by code agrees with the mapping.
        QCOMPARE(NvCatalog::TextOfCode(mapped.code), mapped.text);
    }

    void textOfCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");

        QTest::newRow("common -3") << -3 << "(NvCommon) Empty value is not allowed!";
        QTest::newRow("common -18")
            << -18 << "(NvCommon) Fail to read option data from file([FILENAME])!";
        QTest::newRow("19th agent entry") << -119 << "(SNMP) Cannot download the overdue firmware!";
        QTest::newRow("session") << -506 << "(NvSNMP++) Cannot create the global NvSNMP++ session!";
        QTest::newRow("bad address") << -509 << "(NvSNMP++) Invalid IP Address or DNS name!";
        QTest::newRow("unused entry keeps place")
            << -524
            << "(NvSNMP++) Count of the value items for the chart's history data is not enough!";
        QTest::newRow("unknown code") << -999 << "(NvSNMP++) Unknown error code!";
    }

    void textOfCode()
    {
        QFETCH(int, code);
        QTEST(NvCatalog::TextOfCode(code), "text");
        QCOMPARE(NvError::FromCode(code).code(), code);
        QTEST(NvError::FromCode(code).message(), "text");
    }

    void delimitedNumberMessagesHaveLineBreak()
    {
        const QString text = NvCatalog::TextOfCode(-11);
        QCOMPARE(text,
                 QStringLiteral("(NvCommon) Please enter a delimited number string with delimiter "
                                "'[DELIMITER]'.\nHere,each number is between [MIN] and [MAX]!"));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("blank lines skipped")
            << QByteArray("one\n\n   \n\t\ntwo\n") << QStringList{"one", "two"};
        QTest::newRow("CR LF like LF")
            << QByteArray("one\r\n\r\ntwo\r\n") << QStringList{"one", "two"};
        QTest::newRow("no final line end") << QByteArray("one\ntwo") << QStringList{"one", "two"};
        QTest::newRow("blanks inside kept")
            << QByteArray("  padded  \n") << QStringList{"  padded  "};
        QTest::newRow("control-only line skipped")
            << QByteArray("\x01\x02\nx\n") << QStringList{"x"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("long line in pieces")
            << (QByteArray(1023, 'a') + QByteArray(5, 'b') + "\nend\n")
            << QStringList{QString(1023, QLatin1Char('a')), QString(5, QLatin1Char('b')), "end"};
        QTest::newRow("exactly 1023 characters")
            << (QByteArray(1023, 'a') + "\n") << QStringList{QString(1023, QLatin1Char('a'))};
        QTest::newRow("UTF-8 text") << QByteArray("(SNMP) Zeitüberschreitung!\n")
                                    << QStringList{QString::fromUtf8("(SNMP) Zeitüberschreitung!")};
    }

    void parse()
    {
        QFETCH(QByteArray, content);
        QTEST(NvCatalog::ParseCatalogText(content), "entries");
    }

    void loadReplacesTexts()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "snmp.err", "(SNMP) big\n\n(SNMP) gone!\r\n");
        QVERIFY(NvCatalog::LoadCatalog(NvCatalogId::AgentErrors, path));
        QCOMPARE(NvCatalog::MapResult(2).text, QStringLiteral("(SNMP) gone!"));
        QCOMPARE(NvCatalog::MapResult(2).code, -102);
        // Entries past the file's end keep their texts.
        QCOMPARE(NvCatalog::MapResult(3).text,
                 QStringLiteral("(SNMP) Cannot modify variable: Bad Value!"));
        QCOMPARE(NvCatalog::BuiltInEntry(NvCatalogId::AgentErrors, 1),
                 QStringLiteral("(SNMP) Variable does not exist!"));
    }

    void missingOrBlankFileKeepsTexts()
    {
        QTemporaryDir dir;
        QVERIFY(!NvCatalog::LoadCatalog(NvCatalogId::SnmpClass, dir.filePath("absent.err")));
        const QString blank = writeFile(dir, "blank.err", "\n  \r\n\t\n");
        QVERIFY(!NvCatalog::LoadCatalog(NvCatalogId::SnmpClass, blank));
        QCOMPARE(NvCatalog::MapResult(-5).text,
                 QStringLiteral("(SNMPClass) SNMP request timed out!"));
    }

    void laterLoadWins()
    {
        QTemporaryDir dir;
        QVERIFY(NvCatalog::LoadCatalog(NvCatalogId::SnmpClass, writeFile(dir, "a", "first\n")));
        QVERIFY(NvCatalog::LoadCatalog(NvCatalogId::SnmpClass, writeFile(dir, "b", "second\n")));
        QCOMPARE(NvCatalog::Entry(NvCatalogId::SnmpClass, 0), QStringLiteral("second"));
    }

    void statusLine_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("line");

        QTest::newRow("read, no list name") << 0 << ""
                                            << "Get: (NvSNMP++) Ok!. Receive at 10:05:00 AM.";
        QTest::newRow("write, no list name") << 1 << ""
                                             << "Set: (NvSNMP++) Ok!. Receive at 10:05:00 AM.";
        QTest::newRow("read, named list")
            << 0 << "Wireless"
            << "Get: (NvSNMP++) Ok! Request:Wireless. Receive at 10:05:00 AM.";
    }

    void statusLine()
    {
        QFETCH(int, entry);
        QFETCH(QString, listName);
        QTEST(NvCatalog::StatusLine(entry, QStringLiteral("(NvSNMP++) Ok!"), listName,
                                    QStringLiteral("10:05:00 AM")),
              "line");
    }

    void statusLineFromLoadedTemplate()
    {
        QTemporaryDir dir;
        QVERIFY(NvCatalog::LoadCatalog(
            NvCatalogId::Templates,
            writeFile(
                dir, "snmp.msg",
                "Lesen: [ERROR] um [TIME]\nSchreiben: [ERROR] Request:[VARLIST] um [TIME]\n")));
        // A template without the list mark is left whole.
        QCOMPARE(NvCatalog::StatusLine(0, "E", "", "T"), QStringLiteral("Lesen: E um T"));
        QCOMPARE(NvCatalog::StatusLine(1, "E", "", "T"), QStringLiteral("Schreiben: E um T"));
        // Brackets inside the message are not taken for placeholders.
        QCOMPARE(NvCatalog::StatusLine(1, "[TIME]", "L", "T"),
                 QStringLiteral("Schreiben: [TIME] Request:L um T"));
    }
};

QTEST_GUILESS_MAIN(TestCatalog)
#include "test_catalog.moc"
