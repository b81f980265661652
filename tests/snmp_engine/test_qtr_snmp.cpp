// The qtr-snmp command-line tool against snmpd, next to net-snmp's own tools.

#include "SnmpdFixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class TestQtrSnmp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void getPrintsOneLinePerVariable();
    void walkMatchesSnmpwalk_data();
    void walkMatchesSnmpwalk();
    void setWritesAndEchoes();
    void failures_data();
    void failures();
    void badArguments_data();
    void badArguments();
    void everyStartCountsABoot();

private:
    Run run(const QStringList& arguments, const QString& stateDir = QString()) const;
    QStringList agent(const QStringList& options) const;

    SnmpdFixture m_snmpd;
    QTemporaryDir m_state;
    QString m_tool;
};

void TestQtrSnmp::initTestCase()
{
    m_tool = qEnvironmentVariable("QTR_BUILD_DIR") + QStringLiteral("/bin/qtr-snmp");
    QVERIFY2(QFile::exists(m_tool), qPrintable(m_tool));
    QString error;
    QVERIFY2(m_snmpd.Start(&error), qPrintable(error));
}

void TestQtrSnmp::cleanupTestCase()
{
    m_snmpd.Stop();
}

Run TestQtrSnmp::run(const QStringList& arguments, const QString& stateDir) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QTR_SNMP_STATE_DIR"),
                       stateDir.isEmpty() ? m_state.path() : stateDir);
    // The tool must not depend on the caller's MIB settings.
    environment.remove(QStringLiteral("MIBS"));
    process.setProcessEnvironment(environment);
    process.start(m_tool, arguments);
    Run result;
    if (!process.waitForFinished(30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QStringList TestQtrSnmp::agent(const QStringList& options) const
{
    return options + QStringList{QStringLiteral("-p"), QString::number(m_snmpd.port()),
                                 QStringLiteral("127.0.0.1")};
}

void TestQtrSnmp::getPrintsOneLinePerVariable()
{
    const Run r = run(agent({"-v", "2c", "-c", "public"}) +
                      QStringList{"get", "1.3.6.1.2.1.1.5.0", ".1.3.6.1.2.1.1.2.0"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString()); // no MIB warnings or anything else on start-up
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QLatin1String("1.3.6.1.2.1.1.5.0 = ")));
    QVERIFY2(lines[1].startsWith(QLatin1String("1.3.6.1.2.1.1.2.0 = 1.3.6.1.4.1.")),
             qPrintable(lines[1]));
}

void TestQtrSnmp::walkMatchesSnmpwalk_data()
{
    QTest::addColumn<QStringList>("ours");
    QTest::addColumn<QStringList>("theirs");
    QTest::newRow("v1") << QStringList{"-v", "1", "-c", "public"} << QStringList{"-v1", "-cpublic"};
    QTest::newRow("v2c") << QStringList{"-v", "2c", "-c", "public"}
                         << QStringList{"-v2c", "-cpublic"};
    QTest::newRow("v3 SHA+AES") << QStringList{"-v", "3",
                                               "-u", "aesuser",
                                               "-l", "authPriv",
                                               "-a", "SHA",
                                               "-A", SnmpdFixture::kAuthPassword,
                                               "-x", "AES",
                                               "-X", SnmpdFixture::kAesPassword}
                                << QStringList{"-v3",   "-uaesuser", "-lauthPriv",
                                               "-aSHA", "-A",        SnmpdFixture::kAuthPassword,
                                               "-xAES", "-X",        SnmpdFixture::kAesPassword};
}

void TestQtrSnmp::walkMatchesSnmpwalk()
{
    QFETCH(QStringList, ours);
    QFETCH(QStringList, theirs);
    // The interfaces group: numbers, octet strings, OIDs, gauges and counters.
    const char subtree[] = "1.3.6.1.2.1.2";
    const Run r = run(agent(ours) + QStringList{"walk", subtree});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QStringList oids;
    for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        oids.append(line.section(QLatin1Char(' '), 0, 0));
    QStringList expected;
    const QString peer =
        m_snmpd.RunTool(QStringLiteral("snmpwalk"), theirs + QStringList{"-On", "-Oqx"}, {subtree});
    for (const QString& line : peer.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        expected.append(line.section(QLatin1Char(' '), 0, 0).mid(1));
    QVERIFY(expected.size() > 10);
    QCOMPARE(oids, expected);
}

void TestQtrSnmp::setWritesAndEchoes()
{
    const Run r = run(agent({"-v", "2c", "-c", "private"}) +
                      QStringList{"set", "1.3.6.1.2.1.1.6.0:displaystr=lab 3",
                                  "1.3.6.1.2.1.1.4.0:displaystr=ops"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("1.3.6.1.2.1.1.6.0 = lab 3\n1.3.6.1.2.1.1.4.0 = ops\n"));
    QCOMPARE(
        m_snmpd
            .RunTool(QStringLiteral("snmpget"), {"-v2c", "-cpublic", "-Oqv"}, {"1.3.6.1.2.1.1.6.0"})
            .trimmed(),
        QStringLiteral("\"lab 3\""));
}

void TestQtrSnmp::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString port = QString::number(m_snmpd.port());
    QTest::newRow("time-out") << QStringList{"-t",        "10",  "-r",
                                             "0",         "-p",  QString::number(FreeUdpPort()),
                                             "127.0.0.1", "get", "1.3.6.1.2.1.1.5.0"}
                              << "(SNMPClass) SNMP request timed out!";
    QTest::newRow("invalid address") << QStringList{"999.1.1.1", "get", "1.3.6.1.2.1.1.5.0"}
                                     << "(NvSNMP++) Invalid IP Address or DNS name!";
    QTest::newRow("missing variable") << QStringList{"-v",        "2c",  "-c",
                                                     "public",    "-p",  port,
                                                     "127.0.0.1", "get", "1.3.6.1.2.1.1.99.0"}
                                      << "(SNMP) Variable does not exist!";
    QTest::newRow("read-only variable")
        << QStringList{"-v",        "2c",  "-c",
                       "private",   "-p",  port,
                       "127.0.0.1", "set", "1.3.6.1.2.1.1.1.0:displaystr=x"}
        << "(SNMP) Cannot access variable, No Access!";
    QTest::newRow("wrong password") << QStringList{"-v",
                                                   "3",
                                                   "-u",
                                                   "aesuser",
                                                   "-a",
                                                   "SHA",
                                                   "-A",
                                                   "wrong password",
                                                   "-x",
                                                   "AES",
                                                   "-X",
                                                   SnmpdFixture::kAesPassword,
                                                   "-p",
                                                   port,
                                                   "127.0.0.1",
                                                   "get",
                                                   "1.3.6.1.2.1.1.5.0"}
                                    << "(SNMPv3USM) Authentication failure!";
}

void TestQtrSnmp::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, message + QLatin1Char('\n'));
    QCOMPARE(r.out, QString());
}

void TestQtrSnmp::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("no command") << QStringList{"127.0.0.1"};
    QTest::newRow("unknown command") << QStringList{"127.0.0.1", "bulk", "1.3"};
    QTest::newRow("unknown version") << QStringList{"-v", "4", "127.0.0.1", "get", "1.3"};
    QTest::newRow("port out of range") << QStringList{"-p", "70000", "127.0.0.1", "get", "1.3"};
    QTest::newRow("walk of two subtrees") << QStringList{"127.0.0.1", "walk", "1.3", "1.4"};
    QTest::newRow("set without keyword") << QStringList{"127.0.0.1", "set", "1.3.6.1.2.1.1.6.0=x"};
    QTest::newRow("set with unknown keyword")
        << QStringList{"127.0.0.1", "set", "1.3.6.1.2.1.1.6.0:text=x"};
    QTest::newRow("option without value") << QStringList{"-c"};
    QTest::newRow("malformed OID") << QStringList{"127.0.0.1", "get", "1.3", "-c"};
}

void TestQtrSnmp::badArguments()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir state;
    const Run r = run(arguments, state.path());
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.startsWith(QLatin1String("usage: qtr-snmp")), qPrintable(r.err));
}

void TestQtrSnmp::everyStartCountsABoot()
{
    QTemporaryDir state;
    const QStringList args =
        agent({"-v", "2c", "-c", "public"}) + QStringList{"get", "1.3.6.1.2.1.1.5.0"};
    QCOMPARE(run(args, state.path()).exitCode, 0);
    QCOMPARE(run(args, state.path()).exitCode, 0);
    QFile file(state.path() + QStringLiteral("/NvSNMP_PP_BootCounter"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("NvSNMP_PP_Application").toHex().toUpper() + " 2\n");
}

QTEST_GUILESS_MAIN(TestQtrSnmp)
#include "test_qtr_snmp.moc"
