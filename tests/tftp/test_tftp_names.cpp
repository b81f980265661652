// Which files a request may reach: announced names only, confined to the root, UTF-8 names.
#include "NvTFTPServer.h"
#include "TFTPAnnouncedFiles.h"
#include "TFTPTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace TFTPTestPackets;

namespace {

constexpr quint16 RRQ = 1;
constexpr quint16 WRQ = 2;

void Touch(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("content");
}

} // namespace

class TestTFTPNames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void resolve_data();
    void resolve();
    void linkOutOfFolderIsRefused();
    void unannouncedRequestIsRefused_data();
    void unannouncedRequestIsRefused();
    void pageAnnouncesFolderAndBareName();
    void logPageAnnouncesFullPath();
    void utf8NamesBothWays();
    void nameThatIsNotUtf8IsRefused();

private:
    QTemporaryDir m_tree; // root/ with fw.bin, sub/a.bin; elsewhere/secret
};

void TestTFTPNames::init()
{
    QDir(m_tree.path()).mkpath("root/sub");
    QDir(m_tree.path()).mkpath("elsewhere");
    Touch(m_tree.filePath("root/fw.bin"));
    Touch(m_tree.filePath("root/sub/a.bin"));
    Touch(m_tree.filePath("elsewhere/secret"));
}

void TestTFTPNames::resolve_data()
{
    // In the texts, "T/" stands for the temporary tree.
    QTest::addColumn<QString>("announcedFolder");
    QTest::addColumn<QString>("announcedFile");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resolved"); // empty: refused

    const QString folder = "T/root";
    QTest::newRow("file in folder") << folder << ""
                                    << "T/root/"
                                    << "fw.bin"
                                    << "T/root/fw.bin";
    QTest::newRow("file in subfolder") << folder << ""
                                       << "T/root/"
                                       << "sub/a.bin"
                                       << "T/root/sub/a.bin";
    QTest::newRow("backslash as separator") << folder << ""
                                            << "T/root/"
                                            << "sub\\a.bin"
                                            << "T/root/sub/a.bin";
    QTest::newRow("new file for an upload") << folder << ""
                                            << "T/root/"
                                            << "new.dcf"
                                            << "T/root/new.dcf";
    QTest::newRow("three dots is a name") << folder << ""
                                          << "T/root/"
                                          << "..."
                                          << "T/root/...";
    QTest::newRow("parent step") << folder << ""
                                 << "T/root/"
                                 << "../elsewhere/secret"
                                 << "";
    QTest::newRow("parent step inside") << folder << ""
                                        << "T/root/"
                                        << "sub/../../x"
                                        << "";
    QTest::newRow("parent step with backslashes") << folder << ""
                                                  << "T/root/"
                                                  << "..\\elsewhere\\secret"
                                                  << "";
    QTest::newRow("parent step back into the root") << folder << ""
                                                    << "T/root/"
                                                    << "sub/../fw.bin"
                                                    << "";
    QTest::newRow("absolute path") << folder << ""
                                   << "T/root/"
                                   << "T/elsewhere/secret"
                                   << "";
    QTest::newRow("absolute path by backslash") << folder << ""
                                                << "T/root/"
                                                << "\\etc\\passwd"
                                                << "";
    QTest::newRow("drive letter") << folder << ""
                                  << "T/root/"
                                  << "C:\\boot.ini"
                                  << "";
    QTest::newRow("drive letter, relative") << folder << ""
                                            << "T/root/"
                                            << "c:fw.bin"
                                            << "";
    QTest::newRow("empty name") << folder << ""
                                << "T/root/"
                                << ""
                                << "";
    QTest::newRow("root without its folder announced") << "T/root/sub"
                                                       << ""
                                                       << "T/root/"
                                                       << "fw.bin"
                                                       << "";
    QTest::newRow("announced file") << ""
                                    << "T/root/fw.bin"
                                    << "T/root/"
                                    << "fw.bin"
                                    << "T/root/fw.bin";
    QTest::newRow("file beside an announced one") << ""
                                                  << "T/root/fw.bin"
                                                  << "T/root/"
                                                  << "sub/a.bin"
                                                  << "";
    QTest::newRow("empty root, announced full path") << ""
                                                     << "T/root/fw.bin"
                                                     << ""
                                                     << "T/root/fw.bin"
                                                     << "T/root/fw.bin";
    QTest::newRow("empty root, other full path") << ""
                                                 << "T/root/fw.bin"
                                                 << ""
                                                 << "T/elsewhere/secret"
                                                 << "";
    QTest::newRow("empty root, full path with parent step") << ""
                                                            << "T/root/fw.bin"
                                                            << ""
                                                            << "T/root/sub/../fw.bin"
                                                            << "";
    QTest::newRow("nothing announced") << ""
                                       << ""
                                       << "T/root/"
                                       << "fw.bin"
                                       << "";
}

void TestTFTPNames::resolve()
{
    QFETCH(QString, announcedFolder);
    QFETCH(QString, announcedFile);
    QFETCH(QString, root);
    QFETCH(QString, name);
    QFETCH(QString, resolved);
    const auto expand = [this](QString text) {
        return text.startsWith("T/") ? m_tree.path() + text.mid(1) : text;
    };
    TFTPAnnouncedFiles announced;
    if (!announcedFolder.isEmpty())
        announced.AnnounceFolder(expand(announcedFolder));
    if (!announcedFile.isEmpty())
        announced.AnnounceFile(expand(announcedFile));
    QCOMPARE(announced.Resolve(expand(root), expand(name)), expand(resolved));
}

void TestTFTPNames::linkOutOfFolderIsRefused()
{
    QVERIFY(QFile::link(m_tree.filePath("elsewhere"), m_tree.filePath("root/out")));
    TFTPAnnouncedFiles announced;
    announced.AnnounceFolder(m_tree.filePath("root"));
    const QString root = m_tree.filePath("root") + "/";
    QCOMPARE(announced.Resolve(root, "out/secret"), QString());
    QCOMPARE(announced.Resolve(root, "out/new-upload"), QString());
    QCOMPARE(announced.Resolve(root, "sub/a.bin"), m_tree.filePath("root/sub/a.bin"));
}

void TestTFTPNames::unannouncedRequestIsRefused_data()
{
    QTest::addColumn<quint16>("opcode");
    QTest::addColumn<bool>("announceAnother");
    QTest::newRow("read, nothing announced yet") << RRQ << false;
    QTest::newRow("write, nothing announced yet") << WRQ << false;
    QTest::newRow("read, another file announced") << RRQ << true;
    QTest::newRow("write, another file announced") << WRQ << true;
}

void TestTFTPNames::unannouncedRequestIsRefused()
{
    QFETCH(quint16, opcode);
    QFETCH(bool, announceAnother);
    QTemporaryDir folder;
    Touch(folder.filePath("config.dcf"));
    TFTPTestServer fixture(TFTPTestServer::Clock::Test, folder.path());
    // The fixture announces its whole folder; a page's server starts with nothing announced.
    NvTFTPServer server;
    server.SetStopWaitLimit(0);
    server.SetOnMessage([&](const NvTFTPMsg& message, bool&) { fixture.log.Record(message); });
    server.Start(folder.path(), 0);
    if (announceAnother)
        server.AnnounceFile(folder.path(), "firmware.bin");
    ScriptedClient client(server.ListeningPort());
    client.SendRequest(opcode, "config.dcf");
    QCOMPARE(client.Receive(), Error(2));
    QVERIFY(fixture.log.WaitFor(-1103));
    QCOMPARE(fixture.log.Codes().mid(0, 2), (QVector<int>{1, -1103}));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.dcf"});
}

void TestTFTPNames::pageAnnouncesFolderAndBareName()
{
    NvTFTPServer server;
    server.SetStopWaitLimit(0); // the client leaves sessions unfinished
    server.Start(QString(), 0);
    // What a firmware page does once the user has chosen a file.
    server.Start(m_tree.filePath("root"), 0);
    server.AnnounceFile(m_tree.filePath("root"), "fw.bin");
    ScriptedClient client(server.ListeningPort());
    client.SendRequest(RRQ, "fw.bin");
    QCOMPARE(client.Receive(), Data(1, "content"));
    ScriptedClient other(server.ListeningPort());
    other.SendRequest(RRQ, "sub/a.bin");
    QCOMPARE(other.Receive(), Error(2));
}

void TestTFTPNames::logPageAnnouncesFullPath()
{
    // The log page gives the device the full local path and serves from an empty root.
    const QString logPath = m_tree.filePath("elsewhere/LogFile.RD");
    NvTFTPServer server;
    server.SetStopWaitLimit(0); // the client leaves sessions unfinished
    server.Start(QString(), 0);
    server.AnnounceFile(logPath);
    ScriptedClient client(server.ListeningPort());
    client.SendRequest(WRQ, logPath.toUtf8());
    QCOMPARE(client.Receive(), Ack(0));
    client.Send(Data(1, "Jan 1 00:00:00 boot"));
    QCOMPARE(client.Receive(), Ack(1));
    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("Jan 1 00:00:00 boot"));
}

void TestTFTPNames::utf8NamesBothWays()
{
    TFTPTestServer fixture;
    const QString readName = QStringLiteral("Konfiguration Büro €.dcf");
    const QString writeName = QStringLiteral("журнал.RD");
    fixture.WriteFile(readName, "saved");
    ScriptedClient client(fixture.Port());
    client.SendRequest(RRQ, readName.toUtf8());
    QCOMPARE(client.Receive(), Data(1, "saved"));
    QCOMPARE(fixture.log.Messages().last().fileName, readName);

    ScriptedClient writer(fixture.Port());
    writer.SendRequest(WRQ, writeName.toUtf8());
    QCOMPARE(writer.Receive(), Ack(0));
    writer.Send(Data(1, "log"));
    QCOMPARE(writer.Receive(), Ack(1));
    QCOMPARE(fixture.ReadFile(writeName), QByteArray("log"));
}

void TestTFTPNames::nameThatIsNotUtf8IsRefused()
{
    TFTPTestServer fixture;
    ScriptedClient client(fixture.Port());
    client.SendRequest(WRQ, "B\xfc"
                            "ro.dcf"); // Latin-1, not UTF-8
    QCOMPARE(client.Receive(), Error(2));
    QVERIFY(fixture.log.WaitFor(-1103));
    QVERIFY(fixture.FilesInRoot().isEmpty());
}

QTEST_GUILESS_MAIN(TestTFTPNames)
#include "test_tftp_names.moc"
