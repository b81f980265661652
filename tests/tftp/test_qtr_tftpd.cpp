// The qtr-tftpd command-line server as administrators run it.
#include "TFTPTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

namespace {

QString ToolPath()
{
    return qEnvironmentVariable("QTR_BUILD_DIR") + QStringLiteral("/bin/qtr-tftpd");
}

// Waits until the process has printed a line on standard error matching pattern, or ended.
QRegularExpressionMatch WaitForError(QProcess& process, QByteArray& seen,
                                     const QRegularExpression& pattern)
{
    QSignalSpy output(&process, &QProcess::readyReadStandardError);
    for (int round = 0; round < 100; ++round) {
        seen += process.readAllStandardError();
        const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(seen));
        if (match.hasMatch() || process.state() == QProcess::NotRunning)
            return match;
        output.wait(10000);
    }
    return {};
}

bool WaitForEnd(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return true;
    QSignalSpy finished(&process, &QProcess::finished);
    return finished.wait(30000);
}

// A port nobody holds at the moment.
quint16 FreePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::Any, 0);
    return probe.localPort();
}

const QRegularExpression kServing(QStringLiteral("on UDP port (\\d+)\\n"));

} // namespace

class TestQtrTftpd : public QObject
{
    Q_OBJECT

private slots:
    void servesAndReportsEachStatusChange();
    void environmentMovesDefaultPort();
    void heldPortGivesInitError();
    void badArguments_data();
    void badArguments();
};

void TestQtrTftpd::servesAndReportsEachStatusChange()
{
    QTemporaryDir root;
    const QByteArray content = RandomBytes(5000);
    QFile file(root.filePath("fw.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    QProcess server;
    server.start(ToolPath(), {"--root", root.path(), "--port", "0", "--timeout", "300"});
    QByteArray errors;
    const QRegularExpressionMatch serving = WaitForError(server, errors, kServing);
    QVERIFY2(serving.hasMatch(), errors.constData());

    QTemporaryDir local;
    QProcess client;
    client.start("tftp", {"-m", "octet", "127.0.0.1", serving.captured(1), "-c", "get", "fw.bin",
                          local.filePath("fw.bin")});
    QVERIFY(WaitForEnd(client));
    QFile received(local.filePath("fw.bin"));
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(received.readAll(), content);

    server.terminate(); // SIGTERM
    QVERIFY(WaitForEnd(server));
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);
    const QList<QByteArray> lines = server.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lines, (QList<QByteArray>{
                        "0\t1\t(NvTFTP) A TFTP session is connected...\tfw.bin\t0",
                        "0\t2\t(NvTFTP) File is transferring...\tfw.bin\t512",
                        "0\t3\t(NvTFTP) Success to transfer file.\tfw.bin\t5000",
                        "0\t0\t(NvTFTP) A TFTP session is disconnected...\tfw.bin\t5000",
                    }));
}

void TestQtrTftpd::environmentMovesDefaultPort()
{
    QTemporaryDir root;
    const QString port = QString::number(FreePort());
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QTR_TFTP_PORT", port);
    server.setProcessEnvironment(environment);
    server.start(ToolPath(), {"--root", root.path()});
    QByteArray errors;
    const QRegularExpressionMatch serving = WaitForError(server, errors, kServing);
    QVERIFY2(serving.hasMatch(), errors.constData());
    QCOMPARE(serving.captured(1), port);
    server.terminate();
    QVERIFY(WaitForEnd(server));
}

void TestQtrTftpd::heldPortGivesInitError()
{
    QTemporaryDir root;
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::Any, 0));
    QProcess server;
    server.start(ToolPath(),
                 {"--root", root.path(), "--port", QString::number(holder.localPort())});
    QVERIFY(WaitForEnd(server));
    QCOMPARE(server.exitCode(), 1);
    QCOMPARE(server.readAllStandardError(),
             QByteArray("TFTP Service Init Error:(NvTFTP) Fail to open socket!Please check if the "
                        "network is ready.\n"));
}

void TestQtrTftpd::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no root") << QStringList{"--port", "0"};
    QTest::newRow("root not a folder") << QStringList{"--root", "/nonexistent/folder"};
    QTest::newRow("port out of range") << QStringList{"--root", ".", "--port", "70000"};
    QTest::newRow("timeout not a number") << QStringList{"--root", ".", "--timeout", "soon"};
    QTest::newRow("send limit 0") << QStringList{"--root", ".", "--send-limit", "0"};
    QTest::newRow("unknown option") << QStringList{"--root", ".", "--verbose"};
}

void TestQtrTftpd::badArguments()
{
    QFETCH(QStringList, arguments);
    QProcess server;
    server.start(ToolPath(), arguments);
    QVERIFY(WaitForEnd(server));
    QCOMPARE(server.exitCode(), 2);
    QVERIFY(server.readAllStandardError().contains("Usage:"));
}

QTEST_GUILESS_MAIN(TestQtrTftpd)
#include "test_qtr_tftpd.moc"
