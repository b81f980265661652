#include "TFM_Waiting.h"

#include "NvError.h"
#include "NvMainWindowApi.h"
#include "NvOptionList.h"
#include "NvSNMPRequest2Edits.h"
#include "ui_TFM_Waiting.h"

#include <QCloseEvent>

TFM_Waiting* FM_Waiting = nullptr;

namespace {

const NvOptionRow kUpgradeCommandRows[] = {
    {1, "Firmwareupdate"}, {2, "Configsetting"}, {3, "Configsave"}, {4, "Reboot"},
    {5, "Factoryreset"},   {6, "Nothing"},       {0, nullptr},
};
const NvOptionList kUpgradeCommandOptions(kUpgradeCommandRows);

const NvSNMPVarRecord kRestartTable[] = {
    NvVar(QTR_PRIVATE_ROOT ".4.3.3.5", "upgradesettingcommand", SYN_INTEGER, 0x06,
          &kUpgradeCommandOptions),
    kNvVarEnd,
};

constexpr int kTickMs = 1200;
constexpr int kHeldTicksLimit = 6;

} // namespace

TFM_Waiting::TFM_Waiting(QWidget* owner) : QDialog(owner), m_ui(std::make_unique<Ui::TFM_Waiting>())
{
    m_ui->setupUi(this);
    setFixedSize(sizeHint());
    FM_Waiting = this;
    Timer1.setInterval(kTickMs);
    connect(&Timer1, &QTimer::timeout, this, &TFM_Waiting::Tick);
    Timer1.start();
}

TFM_Waiting::~TFM_Waiting()
{
    if (FM_Waiting == this)
        FM_Waiting = nullptr;
}

const QString& TFM_Waiting::TimedOutText()
{
    static const QString text = QStringLiteral("SNMP request timed out!");
    return text;
}

bool TFM_Waiting::deviceSilent() const
{
    const NvMainWindowApi* main = MainWindow();
    return main && main->StatusText() == TimedOutText();
}

void TFM_Waiting::Tick()
{
    const bool silent = deviceSilent();
    if (countdown != 1 || !silent) {
        --countdown;
        m_ui->La_Time->setText(QString::number(countdown));
    } else {
        ++timedOutTicks;
    }
    --rebootDelay;
    if ((countdown <= 0 && !silent) || timedOutTicks >= kHeldTicksLimit) {
        close(); // an accepted close stops the timer
    }
    if (!NvDeviceState::saveActivateSupported && rebootPending && rebootDelay <= 0) {
        if (sendReboot)
            writeRestartCommand();
        rebootPending = false;
    }
}

void TFM_Waiting::writeRestartCommand()
{
    try {
        m_reboot = std::make_unique<NvSNMPRequest2Edits>(this);
        m_reboot->request.list = NvSNMPVarList(kRestartTable, LIST_SCALAR, 0);
        m_reboot->BindFormat(0, QStringLiteral("%s"), m_ui->Ed_Reboot);
        m_ui->Ed_Reboot->setText(QStringLiteral("Reboot"));
        m_reboot->Write();
    } catch (const NvError& error) {
        // The binding reports what goes wrong once it is sent; a write that cannot even be
        // built (an invalid address) is shown as the binding would show it.
        if (m_reboot)
            m_reboot->ReportMessage(error.message());
    }
}

bool TFM_Waiting::closeAllowed()
{
    if (timedOutTicks > 2)
        countdown = 0;
    return countdown <= 0;
}

void TFM_Waiting::closeEvent(QCloseEvent* event)
{
    if (!closeAllowed()) {
        event->ignore();
        return;
    }
    Timer1.stop();
    QDialog::closeEvent(event);
}

void TFM_Waiting::reject()
{
    if (closeAllowed()) {
        Timer1.stop();
        QDialog::reject();
    }
}
