#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

namespace Ui {
class TFM_Waiting;
}
class NvSNMPRequest2Edits;

// Counts down while the device restarts, tells it to restart after a short delay, and stays
// open until the main window's status poll sees the device answer again or a limit is reached.
// It never polls itself: the main window's status text is its only view of the device.
class TFM_Waiting : public QDialog
{
    Q_OBJECT

public:
    explicit TFM_Waiting(QWidget* owner = nullptr);
    ~TFM_Waiting() override;

    int countdown = 25;     // ticks left, shown in La_Time
    int rebootDelay = 2;    // ticks before the restart command is written
    bool sendReboot = true; // whether the restart command is written at all
    bool rebootPending = true;
    int timedOutTicks = 0; // ticks held at 1 while the device did not answer

    QTimer Timer1;

    Ui::TFM_Waiting* ui() const { return m_ui.get(); }

    // One timer tick; public so that tests can step the dialog.
    void Tick();

    // The status text that means the device did not answer the last poll.
    static const QString& TimedOutText();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool deviceSilent() const;
    bool closeAllowed();
    void writeRestartCommand();

    std::unique_ptr<Ui::TFM_Waiting> m_ui;
    std::unique_ptr<NvSNMPRequest2Edits> m_reboot;
};

// The one restart wait dialog, while it exists.
extern TFM_Waiting* FM_Waiting;
