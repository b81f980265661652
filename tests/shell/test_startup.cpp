#include "NvCatalog.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvStartupSequence.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

class FakeHost : public NvStartupHost
{
public:
    void StopCapabilityTimer() override { ++timerStops; }
    QString Caption() const override { return caption; }
    void SetCaption(const QString& text) override { caption = text; }
    QWidget* MessageOwner() override { return nullptr; }

    QString caption = QStringLiteral("QTR-9000KX");
    int timerStops = 0;
};

NvSessionParameters startedSession()
{
    NvSessionParameters p;
    p.readCommunity = QStringLiteral("vqlmzr");
    p.writeCommunity = QStringLiteral("kdwstne");
    p.version = 1; // the sequence sets the version code to 0 itself
    return p;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

QString uniqueAddress(const char* tag)
{
    return QStringLiteral("192.0.2.%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(tag));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_savedCwd;

private slots:
    void init()
    {
        NvCatalog::ResetToBuiltIn();
        NvDialogs::SetTestMode();
        m_savedCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("QTR_REGISTRY_FILE", m_dir.filePath("registry.ini").toUtf8());
        QFile::remove(m_dir.filePath("registry.ini"));
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCwd);
        NvDialogs::LeaveTestMode();
        NvCatalog::ResetToBuiltIn();
    }

    void noArgumentsEndsTheApplication()
    {
        FakeHost host;
        NvStartupSequence startup;
        QCOMPARE(startup.Run(host, {}, startedSession), NvStartupSequence::Outcome::EndApplication);
        QCOMPARE(host.timerStops, 1);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("This module is only used in the Tavrin or HP-Openview."));
    }

    void sessionStartErrorIsShownAndEnds()
    {
        FakeHost host;
        NvStartupSequence startup;
        const auto failing = []() -> NvSessionParameters { throw NvError::FromCode(-507); };
        QCOMPARE(startup.Run(host, {"/I10.0.0.1"}, failing),
                 NvStartupSequence::Outcome::EndApplication);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("(NvSNMP++) Error when loading SNMP engine boots counter!"));
    }

    void missingRegistryKeysUseTheCurrentDirectory()
    {
        writeFile(m_dir.filePath("10.0.0.5.cfg"),
                  "[Program Information]\nAgentPort=1161\nVersion=1\n"
                  "SecurityModel=1\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
        FakeHost host;
        NvStartupSequence startup;
        QCOMPARE(startup.Run(host, {"/I10.0.0.5", "/Rr"}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        QCOMPARE(startup.moduleFolder(), QString());
        QCOMPARE(startup.profileFolder(), QString());
        QCOMPARE(startup.parameters().port, uint16_t(1161));
        QCOMPARE(startup.parameters().version, 1);
        QCOMPARE(startup.parameters().writeCommunity, QStringLiteral("kdwstne"));
        QCOMPARE(host.caption, QStringLiteral("QTR-9000KX : 10.0.0.5"));
        QCOMPARE(startup.deviceAddressText(), QStringLiteral("10.0.0.5"));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
        // The help path key is created when it is missing.
        QVERIFY(QFile(m_dir.filePath("registry.ini")).exists());
    }

    void versionCodeStartsAtZero()
    {
        FakeHost host;
        NvStartupSequence startup;
        QCOMPARE(startup.Run(host, {"/I10.0.0.6"}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        QCOMPARE(startup.parameters().version, 0);
        QCOMPARE(startup.parameters().readCommunity, QStringLiteral("vqlmzr"));
    }

    void registryFoldersAndCatalogReload()
    {
        const QString module = m_dir.filePath("Module");
        writeFile(module + "/ErrMsg/SnmpClass.ERR",
                  "one\ntwo\nthree\nfour\nSNMP request timed out!\n");
        writeFile(m_dir.filePath("registry.ini"),
                  "[SOFTWARE\\Norvane\\Modules\\HelpPath]\n" +
                      NvStartupSequence::HelpPathValueName().toUtf8() + "=" + module.toUtf8() +
                      "/QTR9000K.HLP\n"
                      "[SOFTWARE\\Norvane\\Tavrin5.1\\ExePath]\nPath=/opt/tavrin/bin/\n");
        FakeHost host;
        NvStartupSequence startup;
        QCOMPARE(startup.Run(host, {"/I10.0.0.7"}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        QCOMPARE(startup.moduleFolder(), module + "/");
        QCOMPARE(startup.profileFolder(), QStringLiteral("/opt/tavrin/bin/../Conf/MBF/"));
        QCOMPARE(NvCatalog::MapResult(-5).text, QStringLiteral("SNMP request timed out!"));

        // The profile folder of "MibFile" replaces the one of "ExePath".
        writeFile(m_dir.filePath("registry.ini"),
                  "[SOFTWARE\\Norvane\\Tavrin5.1\\ExePath]\nPath=/opt/tavrin/bin/\n"
                  "[SOFTWARE\\Norvane\\Tavrin5.1\\MibFile]\nPath=" +
                      m_dir.path().toUtf8() + "/profiles/\n");
        writeFile(m_dir.filePath("profiles/10.0.0.8.cfg"),
                  "[Program Information]\nAgentPort=2161\nVersion=1\n"
                  "SecurityModel=1\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
        NvStartupSequence second;
        QCOMPARE(second.Run(host, {"/I10.0.0.8", "/Rr"}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        QCOMPARE(second.profileFolder(), m_dir.path() + "/profiles/");
        QCOMPARE(second.parameters().port, uint16_t(2161));
    }

    void moduleFolderCutsTheHelpFileName()
    {
        QCOMPARE(NvStartupSequence::ModuleFolderOf("C:\\Tavrin\\QTR\\QTR9000K.HLP"),
                 QStringLiteral("C:\\Tavrin\\QTR\\"));
        QCOMPARE(NvStartupSequence::ModuleFolderOf("short"), QString());
        QCOMPARE(NvStartupSequence::HelpPathValueName(),
                 QStringLiteral("1.3.6.1.4.1.32473.9000.20"));
    }

    void catalogsBesideTheExecutableWhateverTheCase()
    {
        writeFile(m_dir.filePath("bin/ERRMSG/snmp.msg"), "Lesen: [ERROR]\nSchreiben: [ERROR]\n");
        NvStartupCatalogs::LoadBesideExecutable(m_dir.filePath("bin"));
        QCOMPARE(NvCatalog::StatusLine(1, "x", "", ""), QStringLiteral("Schreiben: x"));
    }

    void unusableNumbersAreShownOnce()
    {
        writeFile(m_dir.filePath("10.0.0.9.cfg"),
                  "[Program Information]\nAgentPort=x\nVersion=1\n"
                  "SecurityModel=1\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
        FakeHost host;
        NvStartupSequence startup;
        QCOMPARE(startup.Run(host, {"/I10.0.0.9", "/Ra", "/Wb"}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].caption, QStringLiteral("Warning"));
        QVERIFY(NvDialogs::RecordedMessages()[0].text.contains("\"AgentPort\" \"x\""));
        QCOMPARE(startup.parameters().port, uint16_t(161));
    }

    void secondInstanceInProcessIsRefused()
    {
        const QString address = uniqueAddress("a");
        FakeHost first;
        NvStartupSequence running;
        QCOMPARE(running.Run(first, {"/I" + address}, startedSession),
                 NvStartupSequence::Outcome::Continue);
        FakeHost second;
        NvStartupSequence refused;
        QCOMPARE(refused.Run(second, {"/I" + address}, startedSession),
                 NvStartupSequence::Outcome::EndApplication);
        QCOMPARE(second.timerStops, 1);
        QCOMPARE(NvDialogs::RecordedMessages().last().text,
                 QStringLiteral("Another QTR9000KX module is running!"));
        QCOMPARE(NvDialogs::RecordedMessages().last().caption, QStringLiteral("Warning"));
    }

    void modulesAsSeparateProcesses()
    {
        const QString probe = qEnvironmentVariable("QTR_BUILD_DIR") + "/tests/startup_probe";
        auto start = [&](const QString& address) {
            auto* process = new QProcess(this);
            process->setWorkingDirectory(m_dir.path());
            process->start(probe, {"/I" + address});
            process->waitForStarted();
            return process;
        };
        auto firstLine = [](QProcess* process) {
            while (!process->canReadLine() && process->state() != QProcess::NotRunning)
                process->waitForReadyRead(5000);
            QString all = QString::fromUtf8(process->readAll());
            return all.trimmed().split('\n').last();
        };
        const QString address = uniqueAddress("p");
        QProcess* first = start(address);
        QCOMPARE(firstLine(first), QStringLiteral("started"));
        QProcess* other = start(address + "0");
        QCOMPARE(firstLine(other), QStringLiteral("started"));
        QProcess* second = start(address);
        QVERIFY(second->waitForFinished(10000));
        const QString output = QString::fromUtf8(second->readAll());
        QVERIFY2(output.contains("message: Another QTR9000KX module is running!"),
                 qPrintable(output));
        QVERIFY(output.trimmed().endsWith("refused"));

        // The first module is not disturbed; once it ends the address is free again.
        QCOMPARE(first->state(), QProcess::Running);
        for (QProcess* p : {first, other}) {
            p->closeWriteChannel();
            QVERIFY(p->waitForFinished(10000));
            QCOMPARE(p->exitCode(), 0);
        }
        QProcess* again = start(address);
        QCOMPARE(firstLine(again), QStringLiteral("started"));
        again->closeWriteChannel();
        QVERIFY(again->waitForFinished(10000));
    }

    void shippedCatalogFilesMatchTheBuiltInTexts()
    {
        const QString folder = qEnvironmentVariable("QTR_SOURCE_DIR") + "/assets/errMSg/";
        for (int c = 0; c < kCatalogCount; ++c) {
            const auto catalog = static_cast<NvCatalogId>(c);
            QFile file(folder + NvCatalog::FileName(catalog));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QStringList entries = NvCatalog::ParseCatalogText(file.readAll());
            QCOMPARE(entries.size(), NvCatalog::EntryCount(catalog));
            for (int n = 0; n < entries.size(); ++n) {
                QString builtIn = NvCatalog::BuiltInEntry(catalog, n).replace('\n', ' ');
                if (catalog == NvCatalogId::SnmpClass && n == 4)
                    builtIn = QStringLiteral("SNMP request timed out!");
                QCOMPARE(entries[n], builtIn);
            }
        }
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
