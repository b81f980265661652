// Downloads and uploads with real TFTP clients: tftp-hpa's tftp, atftp and curl.
#include "TFTPTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

QByteArray Checksum(const QByteArray& content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The command line of one client transfer.
QStringList Command(const QString& client, bool download, quint16 port, const QString& remote,
                    const QString& local)
{
    const QString host = QStringLiteral("127.0.0.1");
    const QString portText = QString::number(port);
    if (client == "tftp-hpa")
        return {"tftp",
                "-m",
                "octet",
                host,
                portText,
                "-c",
                download ? "get" : "put",
                download ? remote : local,
                download ? local : remote};
    if (client == "atftp")
        return {"atftp", download ? "-g" : "-p", "-r", remote, "-l", local, host, portText};
    const QString url = QStringLiteral("tftp://%1:%2/%3").arg(host, portText, remote);
    return download ? QStringList{"curl", "-sS", "-o", local, url}
                    : QStringList{"curl", "-sS", "-T", local, url};
}

} // namespace

class TestTFTPInterop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void transfer_data();
    void transfer();
};

void TestTFTPInterop::initTestCase()
{
    QStringList missing;
    for (const char* program : {"tftp", "atftp", "curl"}) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing.append(program);
    }
    if (!missing.isEmpty())
        QFAIL(
            qPrintable("clients missing (scripts/bootstrap installs them): " + missing.join(", ")));
}

void TestTFTPInterop::transfer_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<bool>("download");
    QTest::addColumn<int>("size");
    for (const char* client : {"tftp-hpa", "atftp", "curl"}) {
        for (const bool download : {true, false}) {
            for (const int size : {0, 1, 511, 512, 513, 1024, 1024 * 1024}) {
                QTest::addRow("%s %s %d bytes", client, download ? "download" : "upload", size)
                    << QString::fromLatin1(client) << download << size;
            }
        }
    }
}

void TestTFTPInterop::transfer()
{
    QFETCH(QString, client);
    QFETCH(bool, download);
    QFETCH(int, size);
    TFTPTestServer fixture(TFTPTestServer::Clock::Real);
    fixture.server.SetTimeout(300, 3);
    QTemporaryDir local;
    const QByteArray content = RandomBytes(size, static_cast<quint32>(size) + 11);
    const QString remoteName = QStringLiteral("file-%1.bin").arg(size);
    const QString localPath = local.filePath("local.bin");
    if (download) {
        fixture.WriteFile(remoteName, content);
    } else {
        QFile file(localPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QStringList command = Command(client, download, fixture.Port(), remoteName, localPath);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(command.takeFirst(), command);
    // The server runs on this thread: wait on the signal so that its events are processed.
    QVERIFY(finished.wait(60000));
    const QByteArray output = process.readAll();
    QVERIFY2(process.exitCode() == 0, output.constData());
    QVERIFY(fixture.log.WaitFor(3));

    const QByteArray received = download ? ReadAll(localPath) : fixture.ReadFile(remoteName);
    QCOMPARE(received.size(), size);
    QCOMPARE(Checksum(received), Checksum(content));
    QCOMPARE(fixture.log.Messages().last().total, size);
}

QTEST_GUILESS_MAIN(TestTFTPInterop)
#include "test_tftp_interop.moc"
