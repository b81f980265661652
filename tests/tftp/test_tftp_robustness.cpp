// Random datagrams at the listener and at a live session: the server keeps serving.
#include "TFTPTestSupport.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace TFTPTestPackets;

namespace {

constexpr int kDatagrams = 10000;

// Mostly the opcodes the server knows, so that the parsers behind them get the datagrams.
QByteArray RandomDatagram(QRandomGenerator& random)
{
    const int lengthKind = random.bounded(10);
    const int length = lengthKind == 0   ? random.bounded(5)          // runts
                       : lengthKind == 1 ? 2040 + random.bounded(100) // past the buffer
                                         : random.bounded(600);
    QByteArray datagram(length, Qt::Uninitialized);
    for (char& byte : datagram)
        byte = static_cast<char>(random.bounded(256));
    if (length >= 2) {
        const quint16 opcode = static_cast<quint16>(random.bounded(8));
        qToBigEndian(opcode, datagram.data());
    }
    // Requests with sensible terminators now and then, so that some reach session creation.
    if (length >= 8 && random.bounded(4) == 0) {
        datagram[length / 2] = '\0';
        datagram[length - 1] = '\0';
    }
    return datagram;
}

// Keeps the event loop turning while datagrams go out, so that the receiving queue does not
// overflow: each readiness event takes one datagram.
void Flood(ScriptedClient& sender, quint16 port, quint32 seed,
           const std::function<bool(const QByteArray&)>& skip = {})
{
    QRandomGenerator random(seed);
    for (int sent = 0; sent < kDatagrams;) {
        const QByteArray datagram = RandomDatagram(random);
        if (skip && skip(datagram))
            continue;
        sender.SendTo(port, datagram);
        ++sent;
        QCoreApplication::processEvents();
    }
    for (int round = 0; round < 200; ++round)
        QCoreApplication::processEvents();
}

} // namespace

class TestTFTPRobustness : public QObject
{
    Q_OBJECT

private slots:
    void randomDatagramsAtListener();
    void randomDatagramsAtSession_data();
    void randomDatagramsAtSession();
};

void TestTFTPRobustness::randomDatagramsAtListener()
{
    QTemporaryDir folder;
    TFTPTestServer fixture(TFTPTestServer::Clock::Real, folder.path());
    const QByteArray content = RandomBytes(1300);
    fixture.WriteFile("fw.bin", content);
    // A page's server: one file announced, so requests with random names are all refused.
    NvTFTPServer server;
    server.SetStopWaitLimit(0);
    server.SetHousekeepingPeriod(1);
    int refused = 0;
    server.SetOnMessage([&](const NvTFTPMsg& message, bool&) {
        refused += message.code == -1103;
        fixture.log.Record(message);
    });
    server.Start(folder.path(), 0);
    server.AnnounceFile(folder.path(), "fw.bin");
    ScriptedClient noise(server.ListeningPort());
    Flood(noise, server.ListeningPort(), 42);
    QVERIFY2(refused > 100, "the flood should have reached session creation");

    ScriptedClient client(server.ListeningPort());
    client.SendRequest(1, "fw.bin");
    QCOMPARE(client.Receive(), Data(1, content.left(512)));
    client.Send(Ack(1));
    QCOMPARE(client.Receive(), Data(2, content.mid(512, 512)));
    client.Send(Ack(2));
    QCOMPARE(client.Receive(), Data(3, content.mid(1024)));
    client.Send(Ack(3));
    int session = -1;
    for (const NvTFTPMsg& message : fixture.log.Messages()) {
        if (message.fileName == "fw.bin")
            session = message.sessionNumber;
    }
    QVERIFY(fixture.log.WaitFor(3, session));
    QCOMPARE(fixture.FilesInRoot(), QStringList{"fw.bin"});
}

void TestTFTPRobustness::randomDatagramsAtSession_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("download session") << 1;
    QTest::newRow("upload session") << 2;
}

void TestTFTPRobustness::randomDatagramsAtSession()
{
    QFETCH(int, type);
    TFTPTestServer fixture;
    const QByteArray content = RandomBytes(1000, 5);
    ScriptedClient client(fixture.Port());
    ScriptedClient noise(fixture.Port());
    if (type == 1) {
        fixture.WriteFile("f.bin", content);
        client.SendRequest(1, "f.bin");
        QCOMPARE(client.Receive(), Data(1, content.left(512)));
    } else {
        client.SendRequest(2, "f.bin");
        QCOMPARE(client.Receive(), Ack(0));
        client.Send(Data(1, content.left(512)));
        QCOMPARE(client.Receive(), Ack(1));
    }
    // Left out: the one packet the session rightly takes next, which would end this transfer.
    const quint16 nextOpcode = type == 1 ? 4 : 3;
    const quint16 nextBlock = type == 1 ? 1 : 2;
    Flood(noise, client.SessionPort(), 7, [&](const QByteArray& datagram) {
        return datagram.size() >= 4 &&
               qFromBigEndian<quint16>(datagram.constData()) == nextOpcode &&
               qFromBigEndian<quint16>(datagram.constData() + 2) == nextBlock;
    });

    // The session is still there for its client and finishes the transfer whole.
    if (type == 1) {
        client.Send(Ack(1));
        QCOMPARE(client.Receive(), Data(2, content.mid(512)));
        client.Send(Ack(2));
    } else {
        client.Send(Data(2, content.mid(512)));
        QCOMPARE(client.Receive(), Ack(2));
        QCOMPARE(fixture.ReadFile("f.bin"), content);
    }
    QVERIFY(fixture.log.WaitFor(3));
    QCOMPARE(fixture.log.Messages().last().total, content.size());
}

QTEST_GUILESS_MAIN(TestTFTPRobustness)
#include "test_tftp_robustness.moc"
