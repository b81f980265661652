#include "NvIni.h"

#include <QTemporaryDir>
#include <QTest>

class TestIni : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath("10.90.90.91.cfg");
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; written by the platform\r\n"
                   "[Other]\r\n"
                   "AgentPort=9\r\n"
                   "[Program Information]\r\n"
                   "  AgentPort =  1161  \r\n"
                   "Version=3\r\n"
                   "SecurityName=\t admin \t\r\n"
                   "Empty=\r\n"
                   "; AuthPassword=commented\r\n"
                   "Equals=a=b\r\n"
                   "Long=" +
                   QByteArray(5000, 'x') +
                   "\r\n"
                   "[program information]\r\n"
                   "Version=1\r\n"
                   "Late=second section of the same name\r\n");
    }

    void readString_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("trimmed value and key") << "Program Information"
                                               << "AgentPort"
                                               << "1161";
        QTest::newRow("section and key without case") << "PROGRAM information"
                                                      << "version"
                                                      << "3";
        QTest::newRow("blanks and tabs removed") << "Program Information"
                                                 << "SecurityName"
                                                 << "admin";
        QTest::newRow("empty value gives default") << "Program Information"
                                                   << "Empty"
                                                   << "default";
        QTest::newRow("missing key gives default") << "Program Information"
                                                   << "PrivPassword"
                                                   << "default";
        QTest::newRow("comment is no key") << "Program Information"
                                           << "AuthPassword"
                                           << "default";
        QTest::newRow("missing section gives default") << "Nothing"
                                                       << "AgentPort"
                                                       << "default";
        QTest::newRow("other section") << "Other"
                                       << "AgentPort"
                                       << "9";
        QTest::newRow("value keeps later equals") << "Program Information"
                                                  << "Equals"
                                                  << "a=b";
        QTest::newRow("first section of a name counts") << "Program Information"
                                                        << "Late"
                                                        << "default";
    }

    void readString()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QTEST(NvIni(m_path).ReadString(section, key, "default"), "value");
    }

    void longValueIsCut()
    {
        QCOMPARE(NvIni(m_path).ReadString("Program Information", "Long").size(), 4095);
    }

    void missingFile()
    {
        QCOMPARE(
            NvIni(m_dir.filePath("absent.cfg")).ReadString("Program Information", "Version", "d"),
            QStringLiteral("d"));
        QVERIFY(!NvIni(m_dir.filePath("absent.cfg")).SectionExists("Program Information"));
        QVERIFY(NvIni(m_path).SectionExists("other"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "test_ini.moc"
