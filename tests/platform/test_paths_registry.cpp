#include "NvInstanceLock.h"
#include "NvPaths.h"
#include "NvRegistry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestPathsRegistry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void writeFile(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void resolvesWhateverTheCase_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");

        QTest::newRow("exact") << "Module/errMSg/snmp.err"
                               << "Module/errMSg/snmp.err";
        QTest::newRow("folder case differs") << "Module/errmsg/snmp.err"
                                             << "Module/errMSg/snmp.err";
        QTest::newRow("file case differs") << "module/ERRMSG/SNMP.ERR"
                                           << "Module/errMSg/snmp.err";
        QTest::newRow("backslashes") << "Module\\errmsg\\snmp.err"
                                     << "Module/errMSg/snmp.err";
        QTest::newRow("missing stays as asked") << "Module/errmsg/absent.err"
                                                << "Module/errmsg/absent.err";
    }

    void resolvesWhateverTheCase()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        writeFile(m_dir.filePath("Module/errMSg/snmp.err"), "x\n");
        QCOMPARE(NvPaths::ResolveIgnoringCase(m_dir.filePath(asked)), m_dir.filePath(found));
    }

    void relativeToCurrentDirectory()
    {
        writeFile(m_dir.filePath("errMSg/common.err"), "x\n");
        const QString saved = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        const QString resolved =
            NvPaths::ResolveIgnoringCase(NvPaths::Join("", "errmsg\\common.err"));
        QDir::setCurrent(saved);
        QCOMPARE(resolved, QStringLiteral("errMSg/common.err"));
    }

    void join_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("joined");

        QTest::newRow("empty folder") << ""
                                      << "errmsg\\snmp.err"
                                      << "errmsg/snmp.err";
        QTest::newRow("folder without separator") << "/opt/m"
                                                  << "a.cfg"
                                                  << "/opt/m/a.cfg";
        QTest::newRow("folder with backslash") << "C:\\Tavrin\\"
                                               << "..\\Conf\\MBF\\"
                                               << "C:/Tavrin/../Conf/MBF/";
    }

    void join()
    {
        QFETCH(QString, folder);
        QFETCH(QString, relative);
        QTEST(NvPaths::Join(folder, relative), "joined");
    }

    void registryKeysAndValues()
    {
        const QString file = m_dir.filePath("registry.ini");
        writeFile(file, "[SOFTWARE\\Norvane\\Tavrin5.1\\ExePath]\nPath=/opt/tavrin/bin/\n"
                        "[SOFTWARE\\Norvane\\Tavrin5.1\\MibFile]\nPath=\n");
        qputenv("QTR_REGISTRY_FILE", file.toUtf8());
        QString data;
        QVERIFY(NvRegistry::ReadValue("\\SOFTWARE\\Norvane\\Tavrin5.1\\ExePath", "Path", data));
        QCOMPARE(data, QStringLiteral("/opt/tavrin/bin/"));
        QVERIFY(NvRegistry::KeyExists("\\software\\norvane\\tavrin5.1\\mibfile"));
        QVERIFY(!NvRegistry::ReadValue("\\SOFTWARE\\Norvane\\Tavrin5.1\\ExePath", "Other", data));
        QVERIFY(!NvRegistry::KeyExists("\\SOFTWARE\\Norvane\\Modules\\HelpPath"));
        NvRegistry::CreateKey("\\SOFTWARE\\Norvane\\Modules\\HelpPath");
        QVERIFY(NvRegistry::KeyExists("\\SOFTWARE\\Norvane\\Modules\\HelpPath"));
        // The existing keys are untouched by the creation.
        QVERIFY(NvRegistry::ReadValue("\\SOFTWARE\\Norvane\\Tavrin5.1\\ExePath", "Path", data));
        QCOMPARE(data, QStringLiteral("/opt/tavrin/bin/"));

        qputenv("QTR_REGISTRY_FILE", m_dir.filePath("unreadable/none.ini").toUtf8());
        QVERIFY(!NvRegistry::KeyExists("\\SOFTWARE\\Norvane\\Tavrin5.1\\ExePath"));
        qunsetenv("QTR_REGISTRY_FILE");
    }

    void lockRefusesSecondHolderAndSeparatesNames()
    {
        const QString name =
            QStringLiteral("QTR-9000KX : test-%1").arg(QCoreApplication::applicationPid());
        NvInstanceLock first;
        QVERIFY(first.Acquire(name));
        NvInstanceLock second;
        QVERIFY(!second.Acquire(name));
        NvInstanceLock other;
        QVERIFY(other.Acquire(name + "/x"));
        QVERIFY(NvInstanceLock::LockFilePath("a:b") != NvInstanceLock::LockFilePath("a_b"));
    }

    void staleLockOfDeadOwnerIsTakenOver()
    {
        const QString name =
            QStringLiteral("QTR-9000KX : stale-%1").arg(QCoreApplication::applicationPid());
        const QString path = NvInstanceLock::LockFilePath(name);
        // A lock file as a process that no longer exists would have left it.
        writeFile(path, "999999999\nqtr9000kx\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        NvInstanceLock lock;
        QVERIFY(lock.Acquire(name));
    }
};

QTEST_GUILESS_MAIN(TestPathsRegistry)
#include "test_paths_registry.moc"
