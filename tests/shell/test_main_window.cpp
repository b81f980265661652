// The main window against the device simulator: the probe, the status poll, the capability
// refresh, Save and Active and Discard Changes.
#include "NvCatalog.h"
#include "NvDialogs.h"
#include "NvMenuRows.h"
#include "NvSNMPRequest.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "SimulatorProcess.h"
#include "SnmpTool.h"
#include "TAboutForm.h"
#include "TFM_Waiting.h"
#include "TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using qtr::test::privateOid;
using qtr::test::SimulatorProcess;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

int setEventsOf(const SimulatorProcess& sim, const QString& oid)
{
    int count = 0;
    for (const QJsonObject& event : sim.events())
        count += SimulatorProcess::isSetOf(oid)(event) ? 1 : 0;
    return count;
}

int setEvents(const SimulatorProcess& sim)
{
    int count = 0;
    for (const QJsonObject& event : sim.events())
        count += SimulatorProcess::isEvent("set")(event) ? 1 : 0;
    return count;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_savedCwd;
    SimulatorProcess m_sim;

    // A main window for the simulator, created as the platform starts the module.
    std::unique_ptr<TMainForm> createFor(const SimulatorProcess& sim,
                                         const QString& address = "127.0.0.1")
    {
        writeFile(m_dir.filePath("registry.ini"),
                  "[SOFTWARE\\Norvane\\Tavrin5.1\\MibFile]\nPath=" + m_dir.path().toUtf8() + "/\n");
        writeFile(
            m_dir.filePath(address + ".cfg"),
            "[Program Information]\nAgentPort=" + QByteArray::number(sim.port()) +
                "\nVersion=1\nSecurityModel=1\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
        auto form = std::make_unique<TMainForm>();
        if (!form->Create({"/I" + address, "/Rpublic", "/Wprivate"}))
            return nullptr;
        form->ProbeDevice();
        return form;
    }

private slots:
    void initTestCase()
    {
        m_savedCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("QTR_REGISTRY_FILE", m_dir.filePath("registry.ini").toUtf8());
        // The one-module-per-device lock lives in the runtime folder: a private one keeps a
        // module running for 127.0.0.1 elsewhere on this machine (a demo, another test run)
        // from refusing the windows these tests create.
        const QString runtime = m_dir.filePath("runtime");
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        NvSNMPRequest::destroyWaitMs = 3000;
        QVERIFY2(m_sim.start(), qPrintable(m_sim.errorString()));
    }

    void cleanupTestCase() { QDir::setCurrent(m_savedCwd); }

    void init()
    {
        NvDialogs::SetTestMode();
        NvCatalog::ResetToBuiltIn();
    }

    void cleanup() { NvDialogs::LeaveTestMode(); }

    void probeFillsTheFields()
    {
        auto form = createFor(m_sim);
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("QTR-9000KX : 127.0.0.1"));
        // The blocking rows are there at once, the asynchronous ones arrive through the pump.
        QCOMPARE(form->FieldText("Ed_SSLSupport"), QStringLiteral("1"));
        QTRY_COMPARE(form->FieldText("Ed_FwVer"), QStringLiteral("v1.45"));
        QTRY_COMPARE(form->FieldText("Ed_Countrycode"), QStringLiteral("NA"));
        QTRY_COMPARE(form->FieldText("IPAddressEdit"), m_sim.host());
        QTRY_VERIFY(!form->FieldText("SubMaskEdit").isEmpty());
        QCOMPARE(form->CapabilityText("Ed_FwVer"), QStringLiteral("v1.45"));
        QVERIFY(NvDeviceState::saveActivateSupported);
        QVERIFY(form->Action("Configration1")->isVisible());
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
        // The probe only reads.
        QCOMPARE(setEvents(m_sim), 0);
    }

    void probeAndPollOverSnmpV3()
    {
        // The probe's and the poll's asynchronous requests discover the agent's engine
        // themselves; the fields and the status line arrive as over SNMPv1.
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--v3-user", "ops:SHA:auth-pass-1:DES:priv-pass-1"}),
                 qPrintable(sim.errorString()));
        writeFile(m_dir.filePath("registry.ini"),
                  "[SOFTWARE\\Norvane\\Tavrin5.1\\MibFile]\nPath=" + m_dir.path().toUtf8() + "/\n");
        writeFile(m_dir.filePath("127.0.0.1.cfg"),
                  "[Program Information]\nAgentPort=" + QByteArray::number(sim.port()) +
                      "\nVersion=3\nSecurityModel=3\nSecurityLevel=2\nAuthProtocol=2\n"
                      "PrivProtocol=1\nSecurityName=ops\n");
        auto form = std::make_unique<TMainForm>();
        QVERIFY(form->Create({"/I127.0.0.1", "/Aauth-pass-1", "/Ppriv-pass-1"}));
        form->ProbeDevice();
        QTRY_COMPARE(form->FieldText("Ed_FwVer"), QStringLiteral("v1.45"));
        QTRY_VERIFY2(form->StatusText().startsWith("Get: (NvSNMP++) Ok!. Receive at "),
                     qPrintable(form->StatusText()));
        QCOMPARE(form->FieldText("Ed_SSLSupport"), QStringLiteral("1"));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void everyMenuIsReachableInTheNarrowWindow()
    {
        // The window is as wide as the device's front; the menus wrap onto further rows
        // instead of disappearing behind an extension button.
        auto form = createFor(m_sim);
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->width(), 236);
        for (const char* name : {"home1", "advanced2", "tools2", "status2", "help1"}) {
            QAction* action = form->Menu(name)->menuAction();
            QMenuBar* row = form->MenuRows()->RowOf(action);
            QVERIFY2(row && row->isVisible(), name);
            const QRect place = row->actionGeometry(action);
            QVERIFY2(place.isValid() && place.left() >= 0 && place.right() < row->width(), name);
        }
        QCOMPARE(form->MenuRows()->Row(0)->objectName(), QStringLiteral("MainMenu"));
        // The picture keeps its full height below the rows.
        const QWidget* picture = form->findChild<QWidget*>("Image1");
        QCOMPARE(form->centralWidget()->height(), picture->height());
    }

    void statusLineAfterAGoodPoll()
    {
        auto form = createFor(m_sim);
        QVERIFY(form);
        QTRY_VERIFY2(form->StatusText().startsWith("Get: (NvSNMP++) Ok!. Receive at "),
                     qPrintable(form->StatusText()));
        QVERIFY(QRegularExpression("Receive at \\d\\d:\\d\\d:\\d\\d [AP]M\\.$")
                    .match(form->StatusText())
                    .hasMatch());
        QCOMPARE(form->lastStatusText, form->StatusText());
        QVERIFY(form->findChild<QLabel*>("LED_Power")->isHidden());
    }

    void restartSilencesThePollAndItComesBack()
    {
        SimulatorProcess sim;
        sim.setRestartSilence(std::chrono::milliseconds(4000));
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        auto form = createFor(sim, "127.0.0.1");
        QVERIFY(form);
        QTRY_VERIFY(form->StatusText().startsWith("Get: (NvSNMP++) Ok!"));
        const qtr::test::SnmpTool tool(sim.address(), {"-v2c", "-c", "private"});
        const auto reboot = tool.set({{privateOid("4.3.3.5.0"), "i", "4"}});
        QVERIFY2(reboot.ok(), qPrintable(reboot.output + reboot.error));
        QTRY_COMPARE_WITH_TIMEOUT(form->StatusText(),
                                  QStringLiteral("(SNMPClass) SNMP request timed out!"), 10000);
        QVERIFY(!form->findChild<QLabel*>("LED_Power")->isHidden());
        QVERIFY(form->findChild<QLabel*>("LED_Lan")->isHidden());
        QVERIFY(form->findChild<QLabel*>("LED_WLan")->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(form->StatusText().startsWith("Get: (NvSNMP++) Ok!"), 15000);
    }

    void refreshClearsTwelveFieldsOnTheEighthTick()
    {
        auto form = createFor(m_sim);
        QVERIFY(form);
        form->Timer1.stop();
        QTRY_COMPARE(form->FieldText("Ed_FwVer"), QStringLiteral("v1.45"));
        for (int tick = 1; tick <= 7; ++tick) {
            form->CapabilityRefresh();
            QCOMPARE(form->FieldText("Ed_FwVer"), QStringLiteral("v1.45"));
        }
        form->CapabilityRefresh();
        for (const char* field :
             {"Ed_FwVer", "Ed_Countrycode", "ED_Turbomode", "APModeSupport", "ifMultiSSID_Edit",
              "Ed_Rogue", "IPAddressEdit", "SubMaskEdit", "NewMultiSupport", "SyslogSupport",
              "Ed_ClientAddSSID", "Ed_KeyTypeSup"})
            QVERIFY2(form->FieldText(field).isEmpty(), field);
        QCOMPARE(form->FieldText("Ed_spWDSSite"), form->CapabilityText("Ed_spWDSSite"));
        // Pages and page choices see the last value meanwhile.
        QCOMPARE(form->CapabilityText("Ed_FwVer"), QStringLiteral("v1.45"));
        QCOMPARE(form->CapabilityText("NewMultiSupport"), QStringLiteral("0"));
        QTRY_COMPARE(form->FieldText("Ed_FwVer"), QStringLiteral("v1.45"));
    }

    void statusMenuReadsClientInfoSupport_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("clientInfo");
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("stats");
        QTest::newRow("supported") << QStringList{} << true << true << true;
        QTest::newRow("basic firmware")
            << QStringList{"--variant", "basic"} << false << false << false;
        // Unreadable: this model decides by the firmware, whose second character ("v1.45") is 1.
        QTest::newRow("not readable")
            << QStringList{"--unset", privateOid("4.99.1.1.7.0")} << true << true << true;
        QTest::newRow("not readable, firmware 2.x")
            << QStringList{"--unset", privateOid("4.99.1.1.7.0"), "--set",
                           privateOid("4.4.1.1.1.0") + "=string:v2.10"}
            << false << true << true;
    }

    void statusMenuReadsClientInfoSupport()
    {
        QFETCH(QStringList, arguments);
        SimulatorProcess sim;
        QVERIFY2(sim.start(arguments), qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        QTRY_VERIFY(form->StatusText().startsWith("Get: (NvSNMP++) Ok!"));
        QTRY_VERIFY(!form->FieldText("SyslogSupport").startsWith("Syslog"));
        form->StatusMenuRules();
        QTEST(form->Action("Client1")->isVisible(), "clientInfo");
        QTEST(form->Action("SystemLog")->isVisible(), "log");
        QTEST(form->Action("stStats1")->isVisible(), "stats");
    }

    void withoutSaveAndActiveTheConfigurationMenuStaysHidden()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--variant", "no-save"}), qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        QVERIFY(!NvDeviceState::saveActivateSupported);
        QVERIFY(!form->Action("Configration1")->isVisible());
    }

    void saveAndActiveSendsOneSetAndShowsTheWait()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        const int before = setEvents(sim);
        form->Action("cfgSave1")->trigger();
        const auto set = sim.waitForEvent(SimulatorProcess::isSetOf(privateOid("4.5.1.0")));
        QVERIFY(set);
        QCOMPARE(set->value("varbinds").toArray().size(), 1);
        QCOMPARE(set->value("varbinds").toArray()[0].toObject().value("value").toString(),
                 QStringLiteral("1"));
        QCOMPARE(setEvents(sim), before + 1);
        QVERIFY(FM_Waiting);
        QVERIFY(FM_Waiting->isVisible());
        QVERIFY(!FM_Waiting->isModal());
        QVERIFY(!NvDeviceState::showWaitAfterWrite);
        FM_Waiting->countdown = 0;
        FM_Waiting->close();
        QTRY_VERIFY(!FM_Waiting);
    }

    void discardAsksFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }

    void discardAsksFirst()
    {
        QFETCH(bool, confirm);
        SimulatorProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        NvDialogs::SetTestMode([confirm](const NvDialogs::MessageRecord&) {
            return confirm ? NvDialogs::Answer::Ok : NvDialogs::Answer::Cancel;
        });
        form->Action("cfgDiscard1")->trigger();
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("All of your changes will be discarded! continue?"));
        QCOMPARE(NvDialogs::RecordedMessages()[0].caption, QStringLiteral("Warning"));
        if (confirm) {
            const auto set = sim.waitForEvent(SimulatorProcess::isSetOf(privateOid("4.5.2.0")));
            QVERIFY(set);
            QCOMPARE(set->value("varbinds").toArray().size(), 1);
        } else {
            QTest::qWait(200);
        }
        QCOMPARE(setEvents(sim), confirm ? 1 : 0);
        QCOMPARE(setEventsOf(sim, privateOid("4.5.1.0")), 0);
        QVERIFY(!FM_Waiting);
    }

    void informationPageOpensModallyAndIsDestroyed()
    {
        auto form = createFor(m_sim);
        QVERIFY(form);
        QVERIFY(form->Action("Information1")->isEnabled());
        QPointer<QDialog> page;
        QString title;
        QString name;
        QTimer::singleShot(0, this, [&] {
            page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(page);
            title = page->windowTitle();
            auto findName = [&] {
                for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
                    if (edit->text().startsWith("QTR-9000KX Wireless Access Point"))
                        name = edit->text();
                }
                return !name.isEmpty();
            };
            (void)QTest::qWaitFor(findName, 5000);
            page->reject();
        });
        form->Action("Information1")->trigger();
        QCOMPARE(title, QStringLiteral("Home \\ Information"));
        QVERIFY2(name.startsWith("QTR-9000KX Wireless Access Point"), qPrintable(name));
        QVERIFY(page.isNull());
    }

    void deviceInfoPageSeesTheMainWindowsTurboCapability()
    {
        // An early firmware without turbo modes: the page shows the super mode as
        // "Enabled"/"Disabled", which it can only know from the main window's probe.
        SimulatorProcess sim;
        QVERIFY2(
            sim.start({"--variant", "basic", "--set", privateOid("4.4.2.1.3.1") + "=integer:2"}),
            qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        QVERIFY(form->Action("stDeviceInfo2")->isEnabled());
        QTRY_COMPARE(form->CapabilityText("ED_Turbomode"), QStringLiteral("0"));
        QPointer<QDialog> page;
        QString title;
        QString superMode;
        QTimer::singleShot(0, this, [&] {
            page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(page);
            title = page->windowTitle();
            superMode = page->findChild<QLineEdit*>("Ed_SupModusa")->text();
            page->reject();
        });
        form->Action("stDeviceInfo2")->trigger();
        QCOMPARE(title, QStringLiteral("Status \\ Device Info"));
        QCOMPARE(superMode, QStringLiteral("Enabled"));
        QVERIFY(page.isNull());
    }

    void aboutShowsTheBuildTagOnShiftAltF3()
    {
        TAboutForm about(QStringLiteral("QTR-9000KX"));
        about.show();
        auto* ok = about.findChild<QPushButton*>("BT_Ok");
        auto* tag = about.findChild<QLabel*>("Label4");
        QCOMPARE(about.windowTitle(), QStringLiteral("Help\\About"));
        QCOMPARE(about.findChild<QLabel*>("Label1")->text(),
                 QStringLiteral("QTR-9000KX Management Module"));
        QVERIFY(tag->isHidden());
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_F3, Qt::AltModifier);
        QVERIFY(tag->isHidden());
        QTest::keyClick(ok, Qt::Key_F3, Qt::ShiftModifier | Qt::AltModifier);
        QVERIFY(!tag->isHidden());
    }

    void invalidAddressShowsItsErrorOnce()
    {
        writeFile(m_dir.filePath("registry.ini"), "");
        auto form = std::make_unique<TMainForm>();
        QVERIFY(form->Create({"/I999.1.1.1", "/Rpublic"}));
        form->ProbeDevice();
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
        QCOMPARE(NvDialogs::RecordedMessages()[0].text,
                 QStringLiteral("(NvSNMP++) Invalid IP Address or DNS name!"));
        QCOMPARE(form->StatusText(), QStringLiteral("(NvSNMP++) Invalid IP Address or DNS name!"));
        for (int i = 0; i < 4; ++i)
            form->CapabilityRefresh();
        QCOMPARE(NvDialogs::RecordedMessages().size(), 1);
    }

    void restartDialogWritesTheRestartCommandOnce()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--variant", "no-save"}), qPrintable(sim.errorString()));
        auto form = createFor(sim);
        QVERIFY(form);
        QVERIFY(!NvDeviceState::saveActivateSupported);
        TFM_Waiting dialog;
        dialog.Timer1.stop();
        dialog.rebootDelay = 5;
        for (int tick = 1; tick <= 4; ++tick)
            dialog.Tick();
        QTest::qWait(300);
        QCOMPARE(setEventsOf(sim, privateOid("4.3.3.5.0")), 0);
        dialog.Tick();
        const auto set = sim.waitForEvent(SimulatorProcess::isSetOf(privateOid("4.3.3.5.0")));
        QVERIFY(set);
        QCOMPARE(set->value("varbinds").toArray()[0].toObject().value("value").toString(),
                 QStringLiteral("4"));
        for (int tick = 0; tick < 5; ++tick)
            dialog.Tick();
        QTest::qWait(300);
        QCOMPARE(setEventsOf(sim, privateOid("4.3.3.5.0")), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
