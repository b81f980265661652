#include "FakeMainWindow.h"
#include "NvDialogs.h"
#include "TFM_Waiting.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using qtr::test::FakeMainWindow;

namespace {

QLabel* label(const QWidget& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QString::fromLatin1(name));
}

const QString kTimedOut = QStringLiteral("SNMP request timed out!");

} // namespace

class TestWaiting : public QObject
{
    Q_OBJECT

    FakeMainWindow m_main; // the dialog asks it only for its status text

private slots:
    void init()
    {
        SetMainWindow(&m_main);
        m_main.status = QStringLiteral("Get: (NvSNMP++) Ok!. Receive at 10:05:00 AM.");
        // A device with Save and Active never gets the restart command: no device needed here.
        NvDeviceState::saveActivateSupported = true;
    }

    void cleanup() { SetMainWindow(nullptr); }

    void defaultsAndGlobalReference()
    {
        {
            TFM_Waiting dialog;
            QCOMPARE(FM_Waiting, &dialog);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Please wait"));
            QCOMPARE(dialog.countdown, 25);
            QCOMPARE(dialog.rebootDelay, 2);
            QVERIFY(dialog.sendReboot);
            QCOMPARE(dialog.Timer1.interval(), 1200);
            QVERIFY(dialog.Timer1.isActive());
            QCOMPARE(label(dialog, "Label3")->text(), QStringLiteral("The device is restarting."));
            QVERIFY(dialog.findChild<QLineEdit*>("Ed_Reboot")->isHidden());
        }
        QCOMPARE(FM_Waiting, nullptr);
    }

    void answeringDeviceClosesWhenCountdownRunsOut()
    {
        TFM_Waiting dialog;
        dialog.countdown = 5;
        dialog.show();
        QStringList shown;
        for (int tick = 1; tick <= 5; ++tick) {
            QVERIFY2(dialog.isVisible(), qPrintable(QString("closed before tick %1").arg(tick)));
            dialog.Tick();
            shown << label(dialog, "La_Time")->text();
        }
        QCOMPARE(shown, (QStringList{"4", "3", "2", "1", "0"}));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.Timer1.isActive());
    }

    void silentDeviceHoldsAtOneForSixTicks()
    {
        m_main.status = kTimedOut;
        TFM_Waiting dialog;
        dialog.show();
        int ticks = 0;
        while (dialog.isVisible() && ticks < 100) {
            dialog.Tick();
            ++ticks;
        }
        QCOMPARE(ticks, 30); // 24 down to 1, then 6 held
        QCOMPARE(label(dialog, "La_Time")->text(), QStringLiteral("1"));
        QCOMPARE(dialog.timedOutTicks, 6);
    }

    void userCloseRefusedUntilHeldLongEnough()
    {
        m_main.status = kTimedOut;
        TFM_Waiting dialog;
        dialog.show();
        for (int i = 0; i < 3; ++i)
            dialog.Tick();
        dialog.close();
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        while (dialog.countdown > 1)
            dialog.Tick();
        for (int held = 0; held < 3; ++held)
            dialog.Tick();
        QCOMPARE(dialog.timedOutTicks, 3);
        dialog.close();
        QVERIFY(!dialog.isVisible());
    }

    void deviceBackDuringHoldCloses()
    {
        m_main.status = kTimedOut;
        TFM_Waiting dialog;
        dialog.countdown = 3;
        dialog.show();
        dialog.Tick();
        dialog.Tick();
        dialog.Tick(); // held at 1
        QVERIFY(dialog.isVisible());
        m_main.status = QStringLiteral("Get: (NvSNMP++) Ok!. Receive at 10:05:02 AM.");
        dialog.Tick();
        QCOMPARE(label(dialog, "La_Time")->text(), QStringLiteral("0"));
        QVERIFY(!dialog.isVisible());
    }

    void saveAndActiveDeviceNeverGetsTheRestartCommand()
    {
        TFM_Waiting dialog;
        dialog.show();
        for (int i = 0; i < 5; ++i)
            dialog.Tick();
        QVERIFY(dialog.rebootPending);
        QCOMPARE(dialog.findChild<QLineEdit*>("Ed_Reboot")->text(), QString());
    }
};

QTEST_MAIN(TestWaiting)
#include "test_waiting.moc"
