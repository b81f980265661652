// The device information page against the simulator: what it shows for a known device state,
// the values it derives (super mode, secondary MAC addresses), the AP status group, Refresh,
// and a device that does not answer.
#include "FakeMainWindow.h"
#include "NvDialogs.h"
#include "NvSNMPRequest.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "PageControls.h"
#include "SimulatorProcess.h"
#include "TFM_DevInfo.h"

#include <QGroupBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using qtr::test::control;
using qtr::test::edit;
using qtr::test::FakeMainWindow;
using qtr::test::privateOid;
using qtr::test::SimulatorProcess;
using qtr::test::statusText;
using qtr::test::text;

namespace {

// --set arguments of the simulator for privateRoot OIDs.
QStringList deviceSettings(const QList<QPair<QString, QString>>& settings)
{
    QStringList arguments;
    for (const auto& [oid, value] : settings)
        arguments << QStringLiteral("--set") << privateOid(oid) + QLatin1Char('=') + value;
    return arguments;
}

QSet<QString> privateOids(const QStringList& rests)
{
    QSet<QString> oids;
    for (const QString& rest : rests)
        oids.insert(privateOid(rest));
    return oids;
}

const QStringList kFirstRadioOids = {"4.4.2.1.1.1", "4.4.2.1.2.1", "4.4.2.1.3.1",
                                     "4.4.2.1.4.1", "4.4.2.1.5.1", "4.4.2.1.6.1"};
const QStringList kApStatusOids = {"4.4.1.2.1.0", "4.4.1.2.2.0"};

bool isPercentage(const QString& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= 0 && number <= 100;
}

} // namespace

class TestDevInfo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_session;
    SimulatorProcess m_sim;
    FakeMainWindow m_main;

    bool startDevice(const QStringList& arguments)
    {
        if (!m_sim.start(QStringList{QStringLiteral("--log-reads")} + arguments)) {
            qWarning("%s", qPrintable(m_sim.errorString()));
            return false;
        }
        defaultDevice.address = m_sim.host();
        defaultDevice.port = m_sim.port();
        return true;
    }

    // Waits for the page's utilisation read, when it started one.
    static bool apStatusSettled(const TFM_DevInfo& page)
    {
        return !page.apStatusBinding() || !page.apStatusBinding()->busy;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_session.isValid());
        StartSession(m_session.path());
        NvSNMPRequest::destroyWaitMs = 3000;
        defaultSecurity.version = 1;
        defaultSecurity.readCommunity = QStringLiteral("public");
        defaultSecurity.writeCommunity = QStringLiteral("private");
    }

    void init()
    {
        NvDialogs::SetTestMode();
        m_main.capabilities.clear();
        m_main.capabilities.insert(QStringLiteral("ED_Turbomode"), QStringLiteral("1"));
        defaultTimeout = 100;
    }

    void cleanup() { NvDialogs::LeaveTestMode(); }

    void showsTheDeviceState()
    {
        QVERIFY(startDevice(deviceSettings({
            {"4.4.2.1.1.1", "string:Lobby AP"},
            {"4.4.2.1.2.1", "integer:11"},
            {"4.4.2.1.3.1", "integer:3"},
            {"4.4.2.1.4.1", "string:36 Mbps"},
            {"4.4.2.1.5.1", "string:WPA2-PSK"},
            {"4.4.2.1.6.1", "string:AES"},
            {"4.4.1.1.1.0", "string:v2.07"},
            {"4.4.1.1.2.0", "hex:02001e112233"},
            {"4.1.2.1.0", "integer:2"},
            {"4.1.2.2.0", "ipaddress:10.1.2.3"},
            {"4.1.2.3.0", "ipaddress:255.255.0.0"},
            {"4.1.2.4.0", "ipaddress:10.1.0.1"},
        })));
        TFM_DevInfo page;
        page.show();
        QTRY_VERIFY(apStatusSettled(page));

        QCOMPARE(page.windowTitle(), QStringLiteral("Status \\ Device Info"));
        const struct
        {
            const char* edit;
            const char* text;
        } shown[] = {
            {"Ed_SSIDa", "Lobby AP"},
            {"Ed_Channela", "11"},
            {"Ed_SupModa", "Super G with Dynamic Turbo"},
            {"Ed_SupModusa", "Super G without Turbo"},
            {"Ed_DatRata", "36 Mbps"},
            {"Ed_SecLevAutha", "WPA2-PSK"},
            {"Ed_SecLevPria", "AES"},
            {"Ed_Firmware", "v2.07"},
            {"Ed_Mac", "02001E112233"},
            {"Ed_SecFirstMac", "04011E112233"},
            {"Ed_SecSecMac", "04071E112233"},
            {"Ed_GetIP", "Dynamic"},
            {"Ed_IPaddr", "10.1.2.3"},
            {"Ed_SubMask", "255.255.0.0"},
            {"Ed_Gate", "10.1.0.1"},
            {"Ed_ApStatusSupport", "1"},
        };
        for (const auto& row : shown)
            QCOMPARE(text(page, row.edit), QString::fromUtf8(row.text));
        QVERIFY2(isPercentage(text(page, "Ed_Cpu")), qPrintable(text(page, "Ed_Cpu")));
        QVERIFY2(isPercentage(text(page, "Ed_Memory")), qPrintable(text(page, "Ed_Memory")));

        // The page takes no input and shows no second radio; the carriers stay hidden.
        for (const QLineEdit* field : page.findChildren<QLineEdit*>())
            QVERIFY2(field->isReadOnly(), qPrintable(field->objectName()));
        QVERIFY(edit(page, "Ed_SupModa")->isHidden());
        QVERIFY(edit(page, "Ed_ApStatusSupport")->isHidden());
        QVERIFY(!edit(page, "Ed_SupModusa")->isHidden());
        auto* tabs = control<QTabWidget>(page, "PC_WirlessTraffic");
        QCOMPARE(tabs->tabText(tabs->indexOf(control(page, "TabSheetA"))),
                 QStringLiteral("IEEE 802.11g"));
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(control(page, "TabSheetG"))));
        QVERIFY(!m_sim.readOids().contains(privateOid("4.4.2.1.1.2")));

        QVERIFY2(statusText(page).startsWith(QStringLiteral("Get: (NvSNMP++) Ok!. Receive at ")),
                 qPrintable(statusText(page)));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
    }

    void secondRadioIsReadOnlyWhenItsSheetIsShown()
    {
        QVERIFY(startDevice(deviceSettings(
            {{"4.4.2.1.1.2", "string:Second radio"}, {"4.4.2.1.3.2", "integer:2"}})));
        TFM_DevInfo page;
        QTRY_VERIFY(apStatusSettled(page));
        QVERIFY(!m_sim.readOids().contains(privateOid("4.4.2.1.1.2")));
        QCOMPARE(text(page, "Ed_SSIDg"), QString());

        // Were the sheet offered, its own Refresh would read the second instance.
        auto* tabs = control<QTabWidget>(page, "PC_WirlessTraffic");
        tabs->setTabVisible(tabs->indexOf(control(page, "TabSheetG")), true);
        tabs->setCurrentWidget(control(page, "TabSheetG"));
        page.show();
        const int before = m_sim.eventCount();
        QTest::mouseClick(control<QPushButton>(page, "Bt_Refg"), Qt::LeftButton);
        QCOMPARE(m_sim.readOids(before),
                 privateOids({"4.4.2.1.1.2", "4.4.2.1.2.2", "4.4.2.1.3.2", "4.4.2.1.4.2",
                              "4.4.2.1.5.2", "4.4.2.1.6.2"}));
        QCOMPARE(text(page, "Ed_SSIDg"), QStringLiteral("Second radio"));
        QCOMPARE(text(page, "Ed_SupModg"), QStringLiteral("Super G with Static Turbo"));
        QCOMPARE(text(page, "Ed_SSIDa"), QStringLiteral("QTR-9000KX"));
    }

    void superModeRule_data()
    {
        QTest::addColumn<QString>("turboModes");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("superMode");
        QTest::addColumn<QString>("shown");

        QTest::newRow("no turbo, static turbo") << "0" << 6 << 2 << "Enabled";
        QTest::newRow("no turbo, without turbo") << "0" << 11 << 1 << "Enabled";
        QTest::newRow("no turbo, disabled") << "0" << 6 << 4 << "Disabled";
        QTest::newRow("turbo, channel 6, static") << "1" << 6 << 2 << "Super G with Static Turbo";
        QTest::newRow("turbo, channel 6, dynamic") << "1" << 6 << 3 << "Super G with Dynamic Turbo";
        QTest::newRow("turbo, channel 11, dynamic") << "1" << 11 << 3 << "Super G without Turbo";
        QTest::newRow("turbo, channel 11, disabled") << "1" << 11 << 4 << "Disabled";
        QTest::newRow("turbo, channel 6, disabled") << "1" << 6 << 4 << "Disabled";
        // A capability never received reads as the field's own name: not "0", so turbo rules.
        QTest::newRow("turbo unknown, channel 1, static")
            << "ED_Turbomode" << 1 << 2 << "Super G without Turbo";
    }

    void superModeRule()
    {
        QFETCH(QString, turboModes);
        QFETCH(int, channel);
        QFETCH(int, superMode);
        m_main.capabilities.insert(QStringLiteral("ED_Turbomode"), turboModes);
        QVERIFY(startDevice(deviceSettings({
            {"4.4.2.1.2.1", QStringLiteral("integer:%1").arg(channel)},
            {"4.4.2.1.3.1", QStringLiteral("integer:%1").arg(superMode)},
        })));
        TFM_DevInfo page;
        QTRY_VERIFY(apStatusSettled(page));
        QTEST(text(page, "Ed_SupModusa"), "shown");
    }

    void secondaryMacs_data()
    {
        QTest::addColumn<QString>("macHex");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        QTest::newRow("12 characters") << "02001e112233"
                                       << "04011E112233"
                                       << "04071E112233";
        QTest::newRow("device's own") << "0290004b5801"
                                      << "0491004B5801"
                                      << "0497004B5801";
        // Longer values are shown whole; the rule still takes the third character and the
        // rest from the fifth on.
        QTest::newRow("14 characters") << "a1b2c3d4e5f607"
                                       << "04B1C3D4E5F607"
                                       << "04B7C3D4E5F607";
    }

    void secondaryMacs()
    {
        QFETCH(QString, macHex);
        QVERIFY(startDevice(deviceSettings({{"4.4.1.1.2.0", QStringLiteral("hex:") + macHex}})));
        TFM_DevInfo page;
        QTRY_VERIFY(apStatusSettled(page));
        QCOMPARE(text(page, "Ed_Mac"), macHex.toUpper());
        QTEST(text(page, "Ed_SecFirstMac"), "first");
        QTEST(text(page, "Ed_SecSecMac"), "second");
    }

    void secondaryMacRule_data()
    {
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("first");

        QTest::newRow("12 characters") << "02001E112233"
                                       << "04011E112233";
        QTest::newRow("10 characters") << "0290004B58"
                                       << "0491004B58";
        QTest::newRow("4 characters") << "ABCD"
                                      << "04C1";
        QTest::newRow("2 characters") << "AB"
                                      << "041";
        QTest::newRow("empty: nothing read") << ""
                                             << "";
    }

    void secondaryMacRule()
    {
        QFETCH(QString, primary);
        QTEST(TFM_DevInfo::SecondaryMac(primary, QLatin1Char('1')), "first");
    }

    void apStatusGroup_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("supported") << QStringList() << true << QStringList();
        QTest::newRow("not supported")
            << deviceSettings({{"4.99.1.1.43.0", "integer:0"}}) << false << QStringList();
        QTest::newRow("unreadable") << QStringList{"--unset", privateOid("4.99.1.1.43.0")} << false
                                    << QStringList{"(SNMP) Variable does not exist!"};
    }

    void apStatusGroup()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, shown);
        QVERIFY(startDevice(arguments));
        TFM_DevInfo page;
        QTRY_VERIFY(apStatusSettled(page));

        QCOMPARE(!control(page, "GB_AP")->isHidden(), shown);
        QCOMPARE(m_sim.readOids().contains(privateOids(kApStatusOids)), shown);
        QCOMPARE(!text(page, "Ed_Cpu").isEmpty(), shown);
        QStringList messages;
        for (const NvDialogs::MessageRecord& record : NvDialogs::RecordedMessages())
            messages << record.text;
        QTEST(messages, "messages");

        // The device and Ethernet groups keep their spacing; without the AP status group they
        // move down by 40 pixels, into the middle of the column beside the radio status.
        const QRect tabs = control(page, "PC_WirlessTraffic")->geometry();
        const QRect device = control(page, "GroupBox2")->geometry();
        const QRect ethernet = control(page, "GroupBox1")->geometry();
        QCOMPARE(device.top() - tabs.top(), shown ? 0 : 40);
        QCOMPARE(ethernet.top() - (device.top() + device.height()), 8);
        if (shown)
            QCOMPARE(control(page, "GB_AP")->geometry().bottom(), tabs.bottom());
        else
            QCOMPARE(tabs.bottom() - ethernet.bottom(), 40);
    }

    void refreshReadsRadioAndUtilisationOnly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("reread");

        QTest::newRow("utilisation supported") << QStringList() << kFirstRadioOids + kApStatusOids;
        QTest::newRow("utilisation not supported")
            << deviceSettings({{"4.99.1.1.43.0", "integer:0"}}) << kFirstRadioOids;
    }

    void refreshReadsRadioAndUtilisationOnly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, reread);
        QVERIFY(startDevice(arguments + deviceSettings({{"4.4.2.1.1.1", "string:Lobby AP"}})));
        TFM_DevInfo page;
        page.show();
        QTRY_VERIFY(apStatusSettled(page));
        const int before = m_sim.eventCount();
        const char* touched[] = {"Ed_SSIDa",     "Ed_SupModusa", "Ed_Firmware", "Ed_SecFirstMac",
                                 "Ed_SecSecMac", "Ed_IPaddr",    "Ed_Cpu"};
        for (const char* name : touched)
            edit(page, name)->setText(QStringLiteral("stale"));

        QTest::mouseClick(control<QPushButton>(page, "Bt_Refa"), Qt::LeftButton);
        QTRY_VERIFY(apStatusSettled(page));

        QCOMPARE(m_sim.readOids(before), privateOids(reread));
        QCOMPARE(text(page, "Ed_SSIDa"), QStringLiteral("Lobby AP"));
        QCOMPARE(text(page, "Ed_Cpu") != QLatin1String("stale"), reread.contains("4.4.1.2.1.0"));
        // What the page derived at creation, and the device group, stay as they were.
        for (const char* name :
             {"Ed_SupModusa", "Ed_Firmware", "Ed_SecFirstMac", "Ed_SecSecMac", "Ed_IPaddr"})
            QCOMPARE(text(page, name), QStringLiteral("stale"));
    }

    void raisedErrorEndsTheOpeningInTheStatusBar()
    {
        // An address that cannot be sent to raises before anything goes out: the message goes
        // to the status bar and nothing after the first read is attempted.
        QVERIFY(startDevice({}));
        defaultDevice.address = QStringLiteral("999.1.1.1");
        TFM_DevInfo page;
        defaultDevice.address = m_sim.host();
        QCOMPARE(statusText(page), QStringLiteral("(NvSNMP++) Invalid IP Address or DNS name!"));
        QVERIFY(NvDialogs::RecordedMessages().isEmpty());
        QVERIFY(m_sim.readOids().isEmpty());
        QCOMPARE(text(page, "Ed_Firmware"), QString());
        QVERIFY(!page.apStatusBinding());
        // Refresh reports the same way instead of letting the error escape.
        control<QStatusBar>(page, "StatusBar")->clearMessage();
        QTest::mouseClick(control<QPushButton>(page, "Bt_Refa"), Qt::LeftButton);
        QCOMPARE(statusText(page), QStringLiteral("(NvSNMP++) Invalid IP Address or DNS name!"));
    }

    void silentDevice()
    {
        QVERIFY(startDevice({QStringLiteral("--silent")}));
        defaultTimeout = 10;
        TFM_DevInfo page;
        const QString timedOut = QStringLiteral("(SNMPClass) SNMP request timed out!");

        QVERIFY2(statusText(page).startsWith(QStringLiteral("Get: ") + timedOut +
                                             QStringLiteral(". Receive at ")),
                 qPrintable(statusText(page)));
        const QVector<NvDialogs::MessageRecord> messages = NvDialogs::RecordedMessages();
        QCOMPARE(messages.size(), 2); // the device information and the capability
        for (const NvDialogs::MessageRecord& message : messages) {
            QCOMPARE(message.text, timedOut);
            QCOMPARE(message.caption, NvDialogs::ExecutableFileName());
            QCOMPARE(message.owner, &page);
        }
        QVERIFY(control(page, "GB_AP")->isHidden());
        QVERIFY(!page.apStatusBinding());
        // Nothing was read, so nothing is derived: no super mode, no made-up MAC addresses.
        for (const char* name :
             {"Ed_SSIDa", "Ed_SupModusa", "Ed_Mac", "Ed_SecFirstMac", "Ed_SecSecMac"})
            QCOMPARE(text(page, name), QString());
    }
};

QTEST_MAIN(TestDevInfo)
#include "test_devinfo.moc"
