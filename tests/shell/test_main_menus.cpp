// The main window's menu rules and page choices, from field values to what is offered.
#include "NvDialogs.h"
#include "TMainForm.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace {
using Fields = QHash<QString, QString>;
}

Q_DECLARE_METATYPE(Fields)

class TestMainMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainForm> m_form;

    void setFields(const Fields& fields)
    {
        for (auto it = fields.begin(); it != fields.end(); ++it)
            m_form->Field(it.key())->setText(it.value());
    }
    bool visible(const char* action) const
    {
        return m_form->Action(QString::fromLatin1(action))->isVisible();
    }

private slots:
    void init()
    {
        NvDialogs::SetTestMode();
        m_form = std::make_unique<TMainForm>();
        // No device here: the timers would poll one.
        m_form->LedStatus.stop();
        m_form->Timer1.stop();
        m_form->LedBlink.stop();
    }

    void cleanup()
    {
        m_form.reset();
        NvDialogs::LeaveTestMode();
    }

    void initialFieldTexts()
    {
        QCOMPARE(m_form->FieldText("Ed_Rogue"), QStringLiteral("ifRogueAPsupport"));
        QCOMPARE(m_form->FieldText("Ed_spAccounting"), QStringLiteral("Ed_spAcnt"));
        QCOMPARE(m_form->FieldText("Ed_FwVer"), QStringLiteral("Ed_FwVer"));
        QCOMPARE(m_form->CapabilityText("Ed_ManagerIP"), QStringLiteral("Ed_ManagerIP"));
        QVERIFY(!visible("Ad_MultiSSID"));
        QVERIFY(!visible("Configration1"));
        QCOMPARE(m_form->windowTitle(), QStringLiteral("QTR-9000KX"));
    }

    void advancedMenu_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<bool>("rogueBefore");
        QTest::addColumn<bool>("modeAndEncryption");
        QTest::addColumn<bool>("multiSsid");
        QTest::addColumn<bool>("rogue");
        QTest::addColumn<bool>("grouping");

        QTest::newRow("initial texts: rogue hidden")
            << "QTR-9000KX" << Fields{} << true << true << false << false << false;
        QTest::newRow("this model with multi-SSID")
            << "QTR-9000KX"
            << Fields{{"ifMultiSSID_Edit", "1"}, {"Ed_Rogue", "1"}, {"Ed_Grouping", "1"}} << false
            << false << true << true << true;
        QTest::newRow("sibling model, firmware 2.10, NA")
            << "QTR-7000KX"
            << Fields{{
                          "Ed_FwVer",
                          "v2.10",
                      },
                      {"Ed_Countrycode", "NA"},
                      {"ifMultiSSID_Edit", "0"}}
            << true << false << true << false << false;
        QTest::newRow("sibling model, other country")
            << "QTR-7000KX"
            << Fields{{"Ed_FwVer", "v2.10"}, {"Ed_Countrycode", "JP"}, {"ifMultiSSID_Edit", "1"}}
            << true << true << false << false << false;
        QTest::newRow("values other than 0 and 1 keep visibility")
            << "QTR-9000KX" << Fields{{"Ed_Rogue", "2"}, {"Ed_Grouping", "2"}} << true << true
            << false << true << false;
        QTest::newRow("cleared fields read as 0")
            << "QTR-9000KX" << Fields{{"Ed_Rogue", ""}, {"Ed_Grouping", ""}} << true << true
            << false << false << false;
    }

    void advancedMenu()
    {
        QFETCH(QString, model);
        QFETCH(Fields, fields);
        QFETCH(bool, rogueBefore);
        m_form->modelName = model;
        m_form->Action("RogueAP")->setVisible(rogueBefore);
        m_form->Action("adGrouping2")->setVisible(false);
        setFields(fields);
        m_form->AdvancedMenuRules();
        QTEST(visible("adMode1"), "modeAndEncryption");
        QTEST(visible("adEncryption2"), "modeAndEncryption");
        QTEST(visible("Ad_MultiSSID"), "multiSsid");
        QTEST(visible("RogueAP"), "rogue");
        QTEST(visible("adGrouping2"), "grouping");
    }

    void toolsMenu_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<bool>("sntp");
        QTest::addColumn<bool>("misc");
        QTest::newRow("initial texts") << Fields{} << false << true;
        QTest::newRow("sntp supported, manager")
            << Fields{{"Ed_spSNTP", "1"}, {"Ed_ManagerIP", "1"}} << true << false;
        QTest::newRow("other numbers")
            << Fields{{"Ed_spSNTP", "5"}, {"Ed_ManagerIP", "0"}} << true << true;
    }

    void toolsMenu()
    {
        QFETCH(Fields, fields);
        setFields(fields);
        m_form->ToolsMenuRules();
        QTEST(visible("SNTP1"), "sntp");
        QTEST(visible("tMisc1"), "misc");
    }

    void statusMenuAfterTimedOutPoll()
    {
        m_form->lastStatusText = QStringLiteral("SNMP request timed out!");
        m_form->Action("SystemLog")->setVisible(false);
        m_form->Action("stStats1")->setVisible(false);
        setFields({{"SyslogSupport", "1"}, {"Ed_PacketStatNotSupport", "0"}});
        m_form->StatusMenuRules();
        QVERIFY(!visible("Client1"));
        // Nothing else changes.
        QVERIFY(!visible("SystemLog"));
        QVERIFY(!visible("stStats1"));
    }

    void statsMenu()
    {
        setFields({{"Ed_Ethernet", "1"}});
        m_form->StatsMenuRules();
        QVERIFY(visible("Ethernet1"));
        setFields({{"Ed_Ethernet", "0"}});
        m_form->StatsMenuRules();
        QVERIFY(!visible("Ethernet1"));
    }

    void pageChoices_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("multiSsid");
        QTest::addColumn<QString>("admin");
        QTest::addColumn<QString>("firmware");
        QTest::newRow("initial text") << "Ed_ManagerIP"
                                      << "TFM_MultiSSIDForm"
                                      << "TFM_Admin"
                                      << "TFM_Firmware";
        QTest::newRow("0") << "0"
                           << "TFM_MultiSSIDForm"
                           << "TFM_Admin"
                           << "TFM_Firmware";
        QTest::newRow("1") << "1"
                           << "TFM_MultiSSIDNewForm"
                           << "TFM_Admin2"
                           << "TFM_FirewareSSL";
        QTest::newRow("2") << "2"
                           << ""
                           << "TFM_Admin2"
                           << "TFM_Firmware";
    }

    void pageChoices()
    {
        QFETCH(QString, value);
        QTEST(TMainForm::MultiSsidPage(value), "multiSsid");
        QTEST(TMainForm::AdminPage(value), "admin");
        QTEST(TMainForm::FirmwarePage(value), "firmware");
    }

    void menuTreeCarriesTheControlNames()
    {
        for (const char* name : {"Information1",
                                 "hWirelessBand1",
                                 "hLan1",
                                 "adMode1",
                                 "adPerformance1",
                                 "WirelessMACACL1",
                                 "WirelessPatrition1",
                                 "adEncryption2",
                                 "adGrouping2",
                                 "adDHCPServer2",
                                 "Ad_MultiSSID",
                                 "RogueAP",
                                 "tAdmin2",
                                 "tSystem2",
                                 "Firmware1",
                                 "tUpdate2",
                                 "tMisc1",
                                 "SNTP1",
                                 "stDeviceInfo2",
                                 "Ethernet1",
                                 "WLAN80211G1",
                                 "Client1",
                                 "stViewLog1",
                                 "stLogSetting1",
                                 "cfgSave1",
                                 "cfgDiscard1",
                                 "About1"})
            QVERIFY2(m_form->Action(QString::fromLatin1(name)), name);
        for (const char* name :
             {"advanced2", "tools2", "status2", "stStats1", "SystemLog", "Configration1"})
            QVERIFY2(m_form->Menu(QString::fromLatin1(name)), name);
    }
};

QTEST_MAIN(TestMainMenus)
#include "test_main_menus.moc"
