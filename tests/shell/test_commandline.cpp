#include "NvCommandLine.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

NvSessionParameters sessionDefaults()
{
    NvSessionParameters p;
    p.readCommunity = QStringLiteral("vqlmzr");
    p.writeCommunity = QStringLiteral("kdwstne");
    return p;
}

} // namespace

Q_DECLARE_METATYPE(NvSessionParameters)

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profiles;

    void writeProfile(const QString& address, const QByteArray& body)
    {
        QFile file(m_profiles.filePath(address + ".cfg"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Program Information]\r\n" + body);
    }

private slots:
    void initTestCase()
    {
        writeProfile("10.1.1.3",
                     "AgentPort=1161\nVersion=3\nContextName=ctx\nContextEngineID=\n"
                     "SecurityModel=3\nSecurityLevel=1\nSecurityName=admin\nAuthProtocol=2\n"
                     "PrivProtocol=1\nAuthPassword=authpass\nPrivPassword=privpass\n");
        writeProfile("10.1.1.1", "AgentPort=1161\nVersion=1\nContextName=\nContextEngineID=\n"
                                 "SecurityModel=1\nSecurityLevel=0\nSecurityName=\nAuthProtocol=0\n"
                                 "PrivProtocol=0\n");
        writeProfile("10.1.1.9",
                     "AgentPort=16x\nVersion=3\nContextEngineID=\n"
                     "SecurityModel=3\nSecurityLevel=0\nSecurityName=u\nAuthProtocol=0\n"
                     "PrivProtocol=0\n");
        // Looked up under an empty address when "/I" comes late.
        writeProfile("", "AgentPort=2000\nVersion=1\nContextEngineID=\nSecurityModel=1\n"
                         "SecurityLevel=0\nSecurityName=\nAuthProtocol=0\nPrivProtocol=0\n");
    }

    void interpret_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<NvSessionParameters>("expected");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("problems");

        NvSessionParameters p = sessionDefaults();
        p.address = "10.90.90.91";
        p.readCommunity = "pub";
        p.writeCommunity = "priv";
        QTest::newRow("address and communities, no profile")
            << QStringList{"/I10.90.90.91", "/Rpub", "/Wpriv"} << p << "10.90.90.91" << 0;

        p = sessionDefaults();
        p.address = "10.90.90.91";
        p.version = 2;
        QTest::newRow("/v2 gives version code 2")
            << QStringList{"/I10.90.90.91", "/v2"} << p << "10.90.90.91" << 0;

        p = sessionDefaults();
        p.address = "10.90.90.91";
        p.readCommunity = "a/Wb";
        QTest::newRow("first switch in order wins, value to the end")
            << QStringList{"/I10.90.90.91", "x/Ra/Wb"} << p << "10.90.90.91" << 0;

        p = sessionDefaults();
        p.address = "10.90.90.91";
        QTest::newRow("v3 switches ignored outside v3 mode")
            << QStringList{"/I10.90.90.91", "/t1161", "/nadmin", "/l2"} << p << "10.90.90.91" << 0;

        p = sessionDefaults();
        p.address = "10.1.1.3";
        p.port = 1161;
        p.version = 3;
        p.contextName = "ctx";
        p.securityModel = 3;
        p.securityLevel = 2;
        p.securityName = "admin";
        p.authProtocol = 3;
        p.privProtocol = 2;
        p.authPassword = "authpass";
        p.privPassword = "privpass";
        p.readCommunity = "r";
        QTest::newRow("v3 profile read for every argument")
            << QStringList{"/I10.1.1.3", "/Rr"} << p << "10.1.1.3" << 0;

        p.securityName = "other";
        QTest::newRow("v3 name from switch")
            << QStringList{"/I10.1.1.3", "/Rr", "/nother"} << p << "10.1.1.3" << 0;

        // The profile is read again before each switch, so only the last switch's effect shows.
        p.securityName = "admin";
        p.authProtocol = 2;
        QTest::newRow("profile version 3: /a1 adds one")
            << QStringList{"/I10.1.1.3", "/Rr", "/a1"} << p << "10.1.1.3" << 0;
        p.authProtocol = 3;
        p.securityLevel = 3;
        QTest::newRow("profile version 3: /l2 adds one")
            << QStringList{"/I10.1.1.3", "/Rr", "/a1", "/l2"} << p << "10.1.1.3" << 0;

        p = sessionDefaults();
        p.address = "10.1.1.1";
        p.port = 1161;
        p.version = 1;
        QTest::newRow("profile version 1: /t changes nothing")
            << QStringList{"/I10.1.1.1", "/t9999"} << p << "10.1.1.1" << 0;

        p = sessionDefaults();
        p.address = "10.90.90.91";
        p.port = 2000;
        p.version = 1;
        p.readCommunity = "pub";
        QTest::newRow("late /I: profile under empty address")
            << QStringList{"/Rpub", "/I10.90.90.91"} << p << "10.90.90.91" << 0;

        p = sessionDefaults();
        p.address = "10.1.1.9";
        p.version = 3;
        p.securityModel = 3;
        p.securityName = "u";
        QTest::newRow("bad numbers keep defaults, reported once")
            << QStringList{"/I10.1.1.9", "/tabc", "/t", "/t70000", "/tabc"} << p << "10.1.1.9" << 4;
    }

    void interpret()
    {
        QFETCH(QStringList, arguments);
        QFETCH(NvSessionParameters, expected);
        QFETCH(int, problems);
        NvCommandLine commandLine(m_profiles.path());
        NvSessionParameters parameters = sessionDefaults();
        commandLine.Interpret(arguments, parameters);
        QTEST(commandLine.deviceAddressText(), "address");
        QCOMPARE(parameters.address, expected.address);
        QCOMPARE(parameters.port, expected.port);
        QCOMPARE(parameters.version, expected.version);
        QCOMPARE(parameters.readCommunity, expected.readCommunity);
        QCOMPARE(parameters.writeCommunity, expected.writeCommunity);
        QCOMPARE(parameters.contextName, expected.contextName);
        QCOMPARE(parameters.securityModel, expected.securityModel);
        QCOMPARE(parameters.securityLevel, expected.securityLevel);
        QCOMPARE(parameters.securityName, expected.securityName);
        QCOMPARE(parameters.authProtocol, expected.authProtocol);
        QCOMPARE(parameters.privProtocol, expected.privProtocol);
        QCOMPARE(parameters.authPassword, expected.authPassword);
        QCOMPARE(parameters.privPassword, expected.privPassword);
        QVERIFY(parameters == expected);
        QCOMPARE(commandLine.problems().size(), problems);
    }

    void problemMessagesNameTheSwitchAndValue()
    {
        NvCommandLine commandLine(m_profiles.path());
        NvSessionParameters parameters = sessionDefaults();
        commandLine.Interpret({"/I10.1.1.9", "/l2x"}, parameters);
        const QString all = commandLine.problems().join('\n');
        QVERIFY2(all.contains("Profile key \"AgentPort\" \"16x\" is not a decimal number"),
                 qPrintable(all));
        QVERIFY2(all.contains("Switch \"/l\" \"2x\" is not a decimal number"), qPrintable(all));
        QCOMPARE(parameters.securityLevel, 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
