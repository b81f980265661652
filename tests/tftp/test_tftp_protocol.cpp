// The server's protocol, driven packet by packet from a scripted client, with the tick count in
// the test's hand.
#include "NvError.h"
#include "NvTFTPServer.h"
#include "TFTPTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <sys/resource.h>

using namespace TFTPTestPackets;

namespace {

constexpr quint16 RRQ = 1;
constexpr quint16 WRQ = 2;

// The exact 5-byte ERROR packet this server sends.
QByteArray ErrorPacket(quint16 code)
{
    return Error(code);
}

} // namespace

class TestTFTPProtocol : public QObject
{
    Q_OBJECT

private slots:
    void downloadSendsBlocks_data();
    void downloadSendsBlocks();
    void uploadReceivesBlocks_data();
    void uploadReceivesBlocks();
    void repeatedRequest();
    void oneRemovalPerTick();
    void packetsOutOfTurnAreIgnored_data();
    void packetsOutOfTurnAreIgnored();
    void repliesGoToTheLastSender();
    void errorFromClientEndsByTimeout();
    void retransmissionSchedule();
    void uploadFailsOneTimeoutAfterLastAck();
    void interruptedUploadKeepsOldFile_data();
    void interruptedUploadKeepsOldFile();
    void uploadKeepsPermissions_data();
    void uploadKeepsPermissions();
    void diskFullFailsTheUpload();
    void readFailureIsNotSuccess();
    void secondUploadOfOneFileIsRefused();
    void cancelBeforeFirstPacket();
    void startNormalisesRoot_data();
    void startNormalisesRoot();
    void startAgainOnlyChangesRoot();
    void heldPortGivesInitError();
    void stopWaitsForTransfers();
    void stopGivesUpAtItsLimit();
};

void TestTFTPProtocol::downloadSendsBlocks_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("blockSizes");
    QTest::newRow("empty file: one empty block") << 0 << QList<int>{0};
    QTest::newRow("1 byte") << 1 << QList<int>{1};
    QTest::newRow("511 bytes") << 511 << QList<int>{511};
    QTest::newRow("512 bytes: then an empty block") << 512 << QList<int>{512, 0};
    QTest::newRow("1024 bytes: 512, 512, empty") << 1024 << QList<int>{512, 512, 0};
    QTest::newRow("1025 bytes") << 1025 << QList<int>{512, 512, 1};
}

void TestTFTPProtocol::downloadSendsBlocks()
{
    QFETCH(int, size);
    QFETCH(QList<int>, blockSizes);
    TFTPTestServer fixture;
    const QByteArray content = RandomBytes(size);
    fixture.WriteFile("image.bin", content);
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "image.bin");

    int offset = 0;
    for (int block = 1; block <= blockSizes.size(); ++block) {
        const int length = blockSizes.at(block - 1);
        QCOMPARE(client.Receive(), Data(block, content.mid(offset, length)));
        QVERIFY(fixture.log.Codes().endsWith(2));
        offset += length;
        client.Send(Ack(block));
    }
    QVERIFY(fixture.log.WaitFor(3));
    QCOMPARE(fixture.log.Messages().last().total, size);
    QVERIFY(fixture.RemoveFinishedSessions());
    const QVector<int> codes = fixture.log.Codes();
    QCOMPARE(codes.first(), 1);
    QCOMPARE(codes.mid(codes.size() - 2), (QVector<int>{3, 0}));
    QCOMPARE(codes.count(2), blockSizes.size());
}

void TestTFTPProtocol::uploadReceivesBlocks_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("511 bytes") << 511;
    QTest::newRow("512 bytes") << 512;
    QTest::newRow("1024 bytes") << 1024;
    QTest::newRow("1300 bytes") << 1300;
}

void TestTFTPProtocol::uploadReceivesBlocks()
{
    QFETCH(int, size);
    TFTPTestServer fixture;
    const QByteArray content = RandomBytes(size, 7);
    ScriptedClient client(fixture.Port());
    client.SendRequest(WRQ, "backup.dcf");
    QCOMPARE(client.Receive(), Ack(0));
    for (int block = 1, offset = 0;; ++block, offset += 512) {
        const QByteArray payload = content.mid(offset, 512);
        client.Send(Data(block, payload));
        QCOMPARE(client.Receive(), Ack(block));
        if (payload.size() < 512)
            break;
    }
    QVERIFY(fixture.log.WaitFor(3));
    QCOMPARE(fixture.ReadFile("backup.dcf"), content);
    QCOMPARE(fixture.log.Messages().last().total, size);
    QCOMPARE(fixture.log.Messages().last().type, 2);
    QCOMPARE(fixture.FilesInRoot(), QStringList{"backup.dcf"});
}

void TestTFTPProtocol::repeatedRequest()
{
    TFTPTestServer fixture;
    fixture.WriteFile("fw.bin", RandomBytes(600));
    ScriptedClient first(fixture.Port());
    ScriptedClient other(fixture.Port());
    first.SendRequest(RRQ, "fw.bin");
    QCOMPARE(first.Receive().left(4), Data(1, {}));
    // The same request again from the same port while its session lives is a repeat.
    first.SendRequest(RRQ, "fw.bin");
    // From another port it is a new transfer; its answer also shows the repeat was handled.
    other.SendRequest(RRQ, "fw.bin");
    QCOMPARE(other.Receive().left(4), Data(1, {}));
    QCOMPARE(fixture.server.SessionCount(), 2);
    QVERIFY(!first.HasPending());
    QCOMPARE(fixture.log.Codes(1).first(), 1);
    QVERIFY(fixture.log.Codes(2).isEmpty());
}

void TestTFTPProtocol::oneRemovalPerTick()
{
    TFTPTestServer fixture;
    ScriptedClient first(fixture.Port());
    ScriptedClient second(fixture.Port());
    first.SendRequest(RRQ, "missing.bin");
    second.SendRequest(RRQ, "missing.bin");
    QCOMPARE(first.Receive(), ErrorPacket(1));
    QCOMPARE(second.Receive(), ErrorPacket(1));
    QCOMPARE(fixture.server.SessionCount(), 2);
    fixture.server.Housekeeping();
    QCOMPARE(fixture.server.SessionCount(), 1);
    QCOMPARE(fixture.log.Codes(0), (QVector<int>{1, -1102, 0}));
    QCOMPARE(fixture.log.Codes(1), (QVector<int>{1, -1102}));
    fixture.server.Housekeeping();
    QCOMPARE(fixture.server.SessionCount(), 0);
}

void TestTFTPProtocol::packetsOutOfTurnAreIgnored_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("stray");
    QTest::newRow("download: repeated ACK 1") << 1 << Ack(1);
    QTest::newRow("download: ACK 0") << 1 << Ack(0);
    QTest::newRow("download: ACK of a block not sent yet") << 1 << Ack(7);
    QTest::newRow("download: DATA") << 1 << Data(2, "xyz");
    QTest::newRow("download: 3-byte runt") << 1 << QByteArray("\0\4\0", 3);
    QTest::newRow("upload: repeated DATA 1") << 2 << Data(1, RandomBytes(512, 3));
    QTest::newRow("upload: DATA with a gap") << 2 << Data(3, "gap");
    QTest::newRow("upload: DATA 0") << 2 << Data(0, "zero");
    QTest::newRow("upload: ACK") << 2 << Ack(2);
    QTest::newRow("upload: unknown opcode") << 2 << QByteArray("\0\x09\0\2", 4);
}

// After block 1 the stray packet comes, then the packet that continues the transfer: the first
// answer must be the one to the latter, and the file must come out whole.
void TestTFTPProtocol::packetsOutOfTurnAreIgnored()
{
    QFETCH(int, type);
    QFETCH(QByteArray, stray);
    TFTPTestServer fixture;
    const QByteArray content = RandomBytes(700, 3);
    ScriptedClient client(fixture.Port());
    if (type == 1) {
        fixture.WriteFile("f.bin", content);
        client.SendRequest(RRQ, "f.bin");
        QCOMPARE(client.Receive(), Data(1, content.left(512)));
        client.Send(Ack(1));
        QCOMPARE(client.Receive(), Data(2, content.mid(512)));
        client.Send(stray);
        client.Send(Ack(2));
    } else {
        client.SendRequest(WRQ, "f.bin");
        QCOMPARE(client.Receive(), Ack(0));
        client.Send(Data(1, content.left(512)));
        QCOMPARE(client.Receive(), Ack(1));
        client.Send(stray);
        client.Send(Data(2, content.mid(512)));
        QCOMPARE(client.Receive(), Ack(2));
    }
    QVERIFY(fixture.log.WaitFor(3));
    QVERIFY(!client.HasPending());
    QCOMPARE(fixture.log.Messages().last().total, 700);
    if (type == 2)
        QCOMPARE(fixture.ReadFile("f.bin"), content);
}

void TestTFTPProtocol::repliesGoToTheLastSender()
{
    TFTPTestServer fixture;
    fixture.WriteFile("f.bin", RandomBytes(1500));
    ScriptedClient client(fixture.Port());
    ScriptedClient elsewhere(fixture.Port());
    client.SendRequest(RRQ, "f.bin");
    QCOMPARE(client.Receive().left(4), Data(1, {}));
    elsewhere.SendTo(client.SessionPort(), Ack(1));
    QCOMPARE(elsewhere.Receive().left(4), Data(2, {}));
    QCOMPARE(fixture.log.Messages().last().clientPort, elsewhere.LocalPort());
}

void TestTFTPProtocol::errorFromClientEndsByTimeout()
{
    TFTPTestServer fixture;
    fixture.server.SetTimeout(300, 3);
    fixture.WriteFile("f.bin", RandomBytes(2000));
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "f.bin");
    QCOMPARE(client.Receive().left(4), Data(1, {}));
    client.Send(Error(0, "client gives up"));
    // Still served: the ERROR neither ended nor disturbed the session.
    client.Send(Ack(1));
    QCOMPARE(client.Receive().left(4), Data(2, {}));
    for (int wait = 0; wait < 3; ++wait) {
        fixture.now += 3000;
        fixture.server.Housekeeping();
    }
    QCOMPARE(fixture.log.Codes().mid(fixture.log.Codes().size() - 2), (QVector<int>{-1113, 0}));
}

void TestTFTPProtocol::retransmissionSchedule()
{
    TFTPTestServer fixture;
    fixture.server.SetTimeout(300, 3);
    fixture.WriteFile("f.bin", RandomBytes(100));
    const qint64 start = fixture.now;
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "f.bin");
    const QByteArray first = client.Receive();
    QCOMPARE(first.left(4), Data(1, {}));

    struct Tick
    {
        qint64 at;
        int sends; // sends of the block after this tick, 0: the session has failed
    };
    const Tick ticks[] = {{2999, 1}, {3000, 2}, {5999, 2}, {6000, 3}, {8999, 3}, {9000, 0}};
    for (const Tick& tick : ticks) {
        fixture.now = start + tick.at;
        fixture.server.Housekeeping();
        if (tick.sends == 0)
            break;
        QCOMPARE(fixture.log.Messages().last().sendCount, tick.sends);
        if (tick.at % 3000 == 0) {
            QCOMPARE(client.Receive(), first);
            QCOMPARE(fixture.log.Codes().last(), 2);
        }
    }
    const QVector<int> codes = fixture.log.Codes();
    QCOMPARE(codes.mid(codes.size() - 2), (QVector<int>{-1113, 0}));
    QCOMPARE(fixture.log.Messages().at(fixture.log.Messages().size() - 2).text,
             QStringLiteral("(NvTFTP) Timeout!"));
    QCOMPARE(fixture.server.SessionCount(), 0);
    QVERIFY(!client.HasPending());
}

void TestTFTPProtocol::uploadFailsOneTimeoutAfterLastAck()
{
    TFTPTestServer fixture;
    fixture.server.SetTimeout(300, 3);
    fixture.WriteFile("cfg.dcf", "old configuration");
    ScriptedClient client(fixture.Port());
    client.SendRequest(WRQ, "cfg.dcf");
    QCOMPARE(client.Receive(), Ack(0));
    fixture.now += 1000;
    client.Send(Data(1, RandomBytes(512)));
    QCOMPARE(client.Receive(), Ack(1));
    const qint64 lastAck = fixture.now;
    fixture.now = lastAck + 2999;
    fixture.server.Housekeeping();
    QCOMPARE(fixture.log.Codes().last(), 2);
    fixture.now = lastAck + 3000;
    fixture.server.Housekeeping();
    QCOMPARE(fixture.log.Codes().mid(fixture.log.Codes().size() - 2), (QVector<int>{-1113, 0}));
    QVERIFY(!client.HasPending()); // an upload is never retransmitted
    QCOMPARE(fixture.ReadFile("cfg.dcf"), QByteArray("old configuration"));
    QCOMPARE(fixture.FilesInRoot(), QStringList{"cfg.dcf"});
}

void TestTFTPProtocol::interruptedUploadKeepsOldFile_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::addColumn<int>("code");
    QTest::newRow("time-out") << "time-out" << -1113;
    QTest::newRow("cancelled by the handler") << "cancel" << -1114;
    QTest::newRow("server destroyed") << "destroy" << 0;
}

void TestTFTPProtocol::interruptedUploadKeepsOldFile()
{
    QFETCH(QString, interruption);
    QFETCH(int, code);
    QTemporaryDir folder;
    const QString root = folder.path();
    auto fixture = std::make_unique<TFTPTestServer>(TFTPTestServer::Clock::Test, root);
    fixture->WriteFile("cfg.dcf", "old configuration");
    QVector<int> codes;
    StatusLog& log = fixture->log;
    fixture->server.SetOnMessage([&](const NvTFTPMsg& message, bool& cancel) {
        codes.append(message.code);
        log.Record(message);
        // The page's answer to the report of the first block.
        if (interruption == "cancel" && message.code == 2 && message.total == 512)
            cancel = true;
    });
    ScriptedClient client(fixture->Port());
    client.SendRequest(WRQ, "cfg.dcf");
    QCOMPARE(client.Receive(), Ack(0));
    client.Send(Data(1, RandomBytes(512)));
    QCOMPARE(client.Receive(), Ack(1));
    if (interruption == "time-out") {
        fixture->now += 10000;
        fixture->server.Housekeeping();
    } else if (interruption == "cancel") {
        client.Send(Data(2, RandomBytes(512)));
        QVERIFY(log.WaitFor(-1114));
        QVERIFY(!client.HasPending()); // nothing more is sent to a cancelled client
    } else {
        fixture->server.SetOnMessage({});
        fixture.reset();
    }
    if (fixture)
        QVERIFY(codes.contains(code));
    QFile old(root + "/cfg.dcf");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old configuration"));
    QCOMPARE(QDir(root).entryList(QDir::Files | QDir::Hidden), QStringList{"cfg.dcf"});
}

void TestTFTPProtocol::uploadKeepsPermissions_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("permissions");
    const int ownerReadWrite = QFile::ReadOwner | QFile::WriteOwner;
    QTest::newRow("replaced file keeps its mode") << true << (ownerReadWrite | QFile::ReadGroup);
    QTest::newRow("new file is readable by all")
        << false << (ownerReadWrite | QFile::ReadGroup | QFile::ReadOther);
}

void TestTFTPProtocol::uploadKeepsPermissions()
{
    QFETCH(bool, existing);
    QFETCH(int, permissions);
    const auto mode = [](QFile::Permissions all) {
        return static_cast<int>(all & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    };
    TFTPTestServer fixture;
    if (existing) {
        fixture.WriteFile("cfg.dcf", "old");
        QVERIFY(QFile::setPermissions(fixture.PathOf("cfg.dcf"), QFile::Permissions(permissions)));
    }
    ScriptedClient client(fixture.Port());
    client.SendRequest(WRQ, "cfg.dcf");
    QCOMPARE(client.Receive(), Ack(0));
    client.Send(Data(1, "new"));
    QCOMPARE(client.Receive(), Ack(1));
    QCOMPARE(fixture.ReadFile("cfg.dcf"), QByteArray("new"));
    QCOMPARE(mode(QFileInfo(fixture.PathOf("cfg.dcf")).permissions()), permissions);
}

void TestTFTPProtocol::diskFullFailsTheUpload()
{
    TFTPTestServer fixture;
    fixture.WriteFile("cfg.dcf", "old configuration");
    // A file-size limit makes writing fail as a full disk would; the file is written in
    // buffered pieces, so the failure shows at some block before the last, or at the end.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedClient client(fixture.Port());
    client.SendRequest(WRQ, "cfg.dcf");
    QByteArray answer = client.Receive();
    int block = 0;
    while (answer == Ack(block) && block < 100) {
        ++block;
        client.Send(Data(block, RandomBytes(block < 100 ? 512 : 100, block)));
        answer = client.Receive();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    QCOMPARE(answer, ErrorPacket(3));
    QVERIFY(fixture.log.WaitFor(-1104));
    QCOMPARE(fixture.log.Messages().last().text, QStringLiteral("(NvTFTP) Disk full!"));
    QVERIFY(!fixture.log.Codes().contains(3));
    QCOMPARE(fixture.ReadFile("cfg.dcf"), QByteArray("old configuration"));
    QCOMPARE(fixture.FilesInRoot(), QStringList{"cfg.dcf"});
}

void TestTFTPProtocol::readFailureIsNotSuccess()
{
    TFTPTestServer fixture;
    // Reading this process's memory from address 0 fails, as a failing disk would.
    fixture.server.AnnounceFile(QStringLiteral("/proc/self"), QStringLiteral("mem"));
    fixture.server.Start(QStringLiteral("/proc/self"), 0);
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "mem");
    QCOMPARE(client.Receive(), ErrorPacket(0));
    QVERIFY(fixture.log.WaitFor(-1101));
    QVERIFY(!fixture.log.Codes().contains(3));
}

void TestTFTPProtocol::secondUploadOfOneFileIsRefused()
{
    TFTPTestServer fixture;
    ScriptedClient first(fixture.Port());
    ScriptedClient second(fixture.Port());
    first.SendRequest(WRQ, "cfg.dcf");
    QCOMPARE(first.Receive(), Ack(0));
    second.SendRequest(WRQ, "cfg.dcf");
    QCOMPARE(second.Receive(), ErrorPacket(2));
    QCOMPARE(fixture.log.Codes(1), (QVector<int>{1, -1103}));
    first.Send(Data(1, "the first upload"));
    QCOMPARE(first.Receive(), Ack(1));
    QCOMPARE(fixture.ReadFile("cfg.dcf"), QByteArray("the first upload"));
}

void TestTFTPProtocol::cancelBeforeFirstPacket()
{
    TFTPTestServer fixture;
    fixture.WriteFile("f.bin", "data");
    QVector<int> codes;
    fixture.server.SetOnMessage([&](const NvTFTPMsg& message, bool& cancel) {
        codes.append(message.code);
        fixture.log.Record(message);
        cancel = true;
    });
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "f.bin");
    QVERIFY(fixture.log.WaitFor(-1114));
    QCOMPARE(codes, (QVector<int>{1, -1114}));
    QVERIFY(fixture.RemoveFinishedSessions());
    QVERIFY(!client.HasPending());
}

void TestTFTPProtocol::startNormalisesRoot_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("no separator: one appended") << "/srv/files"
                                                << "/srv/files/";
    QTest::newRow("ending in slash") << "/srv/files/"
                                     << "/srv/files/";
    QTest::newRow("ending in backslash") << "C:\\files\\"
                                         << "C:\\files\\";
}

void TestTFTPProtocol::startNormalisesRoot()
{
    QFETCH(QString, root);
    QFETCH(QString, stored);
    NvTFTPServer server;
    server.Start(root, 0);
    QCOMPARE(server.RootDirectory(), stored);
    QVERIFY(server.IsListening());
}

void TestTFTPProtocol::startAgainOnlyChangesRoot()
{
    TFTPTestServer fixture;
    QTemporaryDir other;
    fixture.server.AnnounceFolder(other.path());
    QFile file(other.filePath("fw.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("firmware");
    file.close();
    const quint16 port = fixture.Port();
    fixture.server.Start(other.path(), port == 40000 ? 40001 : 40000);
    QCOMPARE(fixture.Port(), port);
    QCOMPARE(fixture.server.RootDirectory(), other.path() + "/");
    ScriptedClient client(port);
    client.SendRequest(RRQ, "fw.bin");
    QCOMPARE(client.Receive(), Data(1, "firmware"));
}

void TestTFTPProtocol::heldPortGivesInitError()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::Any, 0));
    NvTFTPServer server;
    try {
        server.Start(QString(), holder.localPort());
        QFAIL("Start bound a port another socket holds");
    } catch (const NvError& error) {
        QCOMPARE(error.code(), -1109);
        QCOMPARE(
            error.message(),
            QStringLiteral("(NvTFTP) Fail to open socket!Please check if the network is ready."));
    }
    QVERIFY(!server.IsListening());

    // Nor can a second server share the port of a first one.
    NvTFTPServer first;
    first.Start(QString(), 0);
    NvTFTPServer second;
    QVERIFY_THROWS_EXCEPTION(NvError, second.Start(QString(), first.ListeningPort()));
}

void TestTFTPProtocol::stopWaitsForTransfers()
{
    TFTPTestServer fixture(TFTPTestServer::Clock::Real);
    fixture.server.SetHousekeepingPeriod(1);
    fixture.server.SetStopWaitLimit(60000);
    const QByteArray content = RandomBytes(256 * 1024);
    fixture.WriteFile("big.bin", content);
    QTemporaryDir out;
    QProcess tftp;
    tftp.start("tftp", {"-m", "octet", "127.0.0.1", QString::number(fixture.Port()), "-c", "get",
                        "big.bin", out.filePath("big.bin")});
    QVERIFY(tftp.waitForStarted());
    QVERIFY(fixture.log.WaitFor(2));
    fixture.server.Stop();
    QVERIFY(!fixture.server.IsListening());
    QCOMPARE(fixture.server.SessionCount(), 0);
    QVERIFY(fixture.log.Codes().contains(3));
    QSignalSpy finished(&tftp, &QProcess::finished);
    QVERIFY(tftp.state() == QProcess::NotRunning || finished.wait(30000));
    QFile file(out.filePath("big.bin"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestTFTPProtocol::stopGivesUpAtItsLimit()
{
    TFTPTestServer fixture;
    fixture.server.SetStopWaitLimit(50);
    fixture.WriteFile("f.bin", RandomBytes(2000));
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, "f.bin");
    QCOMPARE(client.Receive().left(4), Data(1, {}));
    // The client never answers and the test's clock never moves: the session cannot end.
    fixture.server.Stop();
    QVERIFY(!fixture.server.IsListening());
    QCOMPARE(fixture.server.SessionCount(), 1);
}

QTEST_GUILESS_MAIN(TestTFTPProtocol)
#include "test_tftp_protocol.moc"
