// Starting the session: the SNMPv3 boots file, its errors, the defaults, and where net-snmp's
// own files go.

#include "NvBootCounter.h"
#include "NvError.h"
#include "NvSNMPRequest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

const QByteArray kEngineHex = QByteArray("NvSNMP_PP_Application").toHex().toUpper();

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestSnmpSession : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void bootsRisePerStart();
    void bootsFileKeepsOtherEngines();
    void bootsFileErrors_data();
    void bootsFileErrors();
    void bootsFilePath_data();
    void bootsFilePath();
    void defaultsAreCopiedAtConstruction();
    void netSnmpFilesStayInTheSessionFolder();
};

void TestSnmpSession::cleanup()
{
    StopSession();
}

void TestSnmpSession::bootsRisePerStart()
{
    QTemporaryDir dir;
    const QString file = NvBootCounter::FilePath(dir.path());
    for (int start = 1; start <= 3; ++start) {
        StartSession(dir.path());
        StartSession(dir.path()); // a second call while running is not a start
        QCOMPARE(readFile(file), kEngineHex + ' ' + QByteArray::number(start) + '\n');
        // The count and the engine ID are what net-snmp's engine runs with.
        QCOMPARE(snmpv3_local_snmpEngineBoots(), u_long(start));
        u_char engineId[64];
        const size_t length = snmpv3_get_engineID(engineId, sizeof(engineId));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(engineId), int(length)),
                 QByteArray("NvSNMP_PP_Application"));
        StopSession();
    }
}

void TestSnmpSession::bootsFileKeepsOtherEngines()
{
    QTemporaryDir dir;
    const QString file = NvBootCounter::FilePath(dir.path());
    QVERIFY(writeFile(file, "0102030405 77\n\n" + kEngineHex + " 41\n"));
    StartSession(dir.path());
    QCOMPARE(readFile(file), "0102030405 77\n" + kEngineHex + " 42\n");
}

void TestSnmpSession::bootsFileErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("code");
    QTest::newRow("unreadable") << "directory" << -507;
    QTest::newRow("malformed") << "garbage" << -507;
    QTest::newRow("cannot be saved") << "folder is a file" << -508;
}

void TestSnmpSession::bootsFileErrors()
{
    QFETCH(QString, kind);
    QFETCH(int, code);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir(folder).mkdir(QStringLiteral("NvSNMP_PP_BootCounter")));
    else if (kind == QLatin1String("garbage"))
        QVERIFY(writeFile(NvBootCounter::FilePath(folder), "engine boots\n"));
    else
        QVERIFY(writeFile(folder += QStringLiteral("/plain-file"), "x"));
    try {
        StartSession(folder);
        QFAIL("no error raised");
    } catch (const NvError& e) {
        QCOMPARE(e.code(), code);
    }
    QVERIFY(!snmpSession);
    QVERIFY(!eventPump);
    // Nothing half-started stands in the way of a good start.
    QTemporaryDir good;
    StartSession(good.path());
    QVERIFY(snmpSession);
}

void TestSnmpSession::bootsFilePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("current directory") << ""
                                       << "NvSNMP_PP_BootCounter";
    QTest::newRow("folder") << "/var/x"
                            << "/var/x/NvSNMP_PP_BootCounter";
    QTest::newRow("with slash") << "/var/x/"
                                << "/var/x/NvSNMP_PP_BootCounter";
    QTest::newRow("with backslash") << "C:\\x\\"
                                    << "C:\\x\\NvSNMP_PP_BootCounter";
}

void TestSnmpSession::bootsFilePath()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(NvBootCounter::FilePath(folder), path);
}

void TestSnmpSession::defaultsAreCopiedAtConstruction()
{
    QTemporaryDir dir;
    StartSession(dir.path());
    QVERIFY(eventPump && eventPump->IsActive());
    QCOMPARE(defaultDevice.address, QStringLiteral("127.0.0.1"));
    QCOMPARE(defaultDevice.port, 161);
    QCOMPARE(defaultSecurity.readCommunity, QStringLiteral("vqlmzr"));
    QCOMPARE(defaultSecurity.writeCommunity, QStringLiteral("kdwstne"));
    QCOMPARE(defaultTimeout, 100);

    defaultDevice.address = QStringLiteral("10.0.0.9");
    defaultTimeout = 1000;
    NvSNMPRequest request;
    defaultDevice.address = QStringLiteral("10.0.0.10");
    QCOMPARE(request.device.address, QStringLiteral("10.0.0.9"));
    QCOMPARE(request.timeout, 1000);
    QCOMPARE(request.retries, 1);
    QVERIFY(request.alive);
}

void TestSnmpSession::netSnmpFilesStayInTheSessionFolder()
{
    QTemporaryDir dir;
    StartSession(dir.path());
    StopSession();
    // net-snmp creates its index folders in its persistent directory, which must be ours.
    QVERIFY(QDir(dir.path() + QStringLiteral("/net-snmp")).exists());
    QVERIFY(qgetenv("MIBS").isEmpty());
}

QTEST_GUILESS_MAIN(TestSnmpSession)
#include "test_snmp_session.moc"
