#include "TFM_DevInfo.h"

#include "NvEditDisplay.h"
#include "NvError.h"
#include "NvMainWindowApi.h"
#include "NvOptionList.h"
#include "NvSNMPRequest2Edits.h"
#include "ui_TFM_DevInfo.h"

#include <QLineEdit>

#define PR QTR_PRIVATE_ROOT

namespace {

const NvOptionRow kSuperModeRows[] = {
    {1, "Super G without Turbo"},
    {2, "Super G with Static Turbo"},
    {3, "Super G with Dynamic Turbo"},
    {4, "Disabled"},
    {0, nullptr},
};
const NvOptionList kSuperModeOptions(kSuperModeRows);

const NvOptionRow kGetIpFromRows[] = {{1, "Manual"}, {2, "Dynamic"}, {0, nullptr}};
const NvOptionList kGetIpFromOptions(kGetIpFromRows);

// The wireless status table, first radio (instance 1 in the OIDs).
const NvSNMPVarRecord kWirelessStatusTable[] = {
    NvVar(PR ".4.4.2.1.1.1", "stSSID", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.2.1", "stChannel", SYN_INTEGER, 0x02),
    NvVar(PR ".4.4.2.1.3.1", "stSuperMode", SYN_INTEGER, 0x02, &kSuperModeOptions),
    NvVar(PR ".4.4.2.1.4.1", "stDataRate", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.5.1", "stSecLevelAuth", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.6.1", "stSecLevelPriv", SYN_DISPLAYSTRING, 0x02),
    kNvVarEnd,
};

// The same table, second radio (instance 2).
const NvSNMPVarRecord kSecondRadioStatusTable[] = {
    NvVar(PR ".4.4.2.1.1.2", "stSSID", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.2.2", "stChannel", SYN_INTEGER, 0x02),
    NvVar(PR ".4.4.2.1.3.2", "stSuperMode", SYN_INTEGER, 0x02, &kSuperModeOptions),
    NvVar(PR ".4.4.2.1.4.2", "stDataRate", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.5.2", "stSecLevelAuth", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.2.1.6.2", "stSecLevelPriv", SYN_DISPLAYSTRING, 0x02),
    kNvVarEnd,
};

const NvSNMPVarRecord kDeviceInformationTable[] = {
    NvVar(PR ".4.4.1.1.1", "Firmware Version", SYN_DISPLAYSTRING, 0x02),
    NvVar(PR ".4.4.1.1.2", "MAC Address", SYN_MACADDRESS, 0x02),
    NvVar(PR ".4.4.1.1.3", "Get IP From", SYN_INTEGER, 0x02, &kGetIpFromOptions),
    NvVar(PR ".4.4.1.1.4", "IP Address", SYN_IPADDRESS, 0x02),
    NvVar(PR ".4.4.1.1.5", "Subnet Mask", SYN_IPADDRESS, 0x02),
    NvVar(PR ".4.4.1.1.6", "Default Gateway", SYN_IPADDRESS, 0x02),
    kNvVarEnd,
};

const NvSNMPVarRecord kApStatusCapabilityTable[] = {
    NvVar(PR ".4.99.1.1.43", "apStatusSupported", SYN_INTEGER, 0x02),
    kNvVarEnd,
};

const NvSNMPVarRecord kApStatusTable[] = {
    NvVar(PR ".4.4.1.2.1", "deviceInformationCpuUtilization", SYN_INTEGER, 0x02),
    NvVar(PR ".4.4.1.2.2", "deviceInformationMemUtilization", SYN_INTEGER, 0x02),
    kNvVarEnd,
};

// Without the AP status group the two other groups move down by this much, which centres
// them in the column the three share.
constexpr int kGroupShiftWithoutApStatus = 40;

// A binding over one of the tables above with every edit bound as "%s", item i to edits[i]. It
// reports failures in a message box until the page gives it a status target.
std::unique_ptr<NvSNMPRequest2Edits> makeBinding(QWidget* form, const NvSNMPVarRecord* table,
                                                 uint8_t kind, bool blocking,
                                                 const QList<QLineEdit*>& edits)
{
    auto binding = std::make_unique<NvSNMPRequest2Edits>(form);
    binding->request.list = NvSNMPVarList(table, kind, 0);
    binding->async = !blocking;
    binding->ReportStatusThroughCallback();
    for (int i = 0; i < edits.size(); ++i)
        binding->BindFormat(i, QStringLiteral("%s"), edits[i]);
    return binding;
}

} // namespace

TFM_DevInfo::TFM_DevInfo(QWidget* owner) : QDialog(owner), m_ui(std::make_unique<Ui::TFM_DevInfo>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        SetReadOnly(edit, true);
    // The second radio's sheet is part of the design but not offered on this device.
    m_ui->PC_WirlessTraffic->setTabVisible(m_ui->PC_WirlessTraffic->indexOf(m_ui->TabSheetG),
                                           false);
    connect(m_ui->Bt_Refa, &QPushButton::clicked, this, &TFM_DevInfo::Refresh);
    connect(m_ui->Bt_Refg, &QPushButton::clicked, this, [this] {
        try {
            readSecondRadio();
        } catch (const NvError& error) {
            m_ui->StatusBar->showMessage(error.message());
        }
    });
    Create();
}

TFM_DevInfo::~TFM_DevInfo() = default;

void TFM_DevInfo::Create()
{
    try {
        m_ui->PC_WirlessTraffic->setTabText(m_ui->PC_WirlessTraffic->indexOf(m_ui->TabSheetA),
                                            QStringLiteral("IEEE 802.11g"));
        readWireless();
        if (secondRadioShown())
            readSecondRadio();
        showSuperMode();
        readDevice();
        showSecondaryMacs();
        readApStatus();
    } catch (const NvError& error) {
        m_ui->StatusBar->showMessage(error.message());
    }
}

void TFM_DevInfo::readWireless()
{
    m_wireless = makeBinding(this, kWirelessStatusTable, LIST_INSTANCE, true,
                             {m_ui->Ed_SSIDa, m_ui->Ed_Channela, m_ui->Ed_SupModa, m_ui->Ed_DatRata,
                              m_ui->Ed_SecLevAutha, m_ui->Ed_SecLevPria});
    m_wireless->SetStatusTarget(m_ui->StatusBar);
    m_wireless->Read();
}

QString TFM_DevInfo::SuperModeText(const QString& turboModes, const QString& channel,
                                   const QString& superMode)
{
    // Nothing read, nothing to derive: "Enabled" or a turbo mode would be made up.
    if (superMode.isEmpty())
        return QString();
    const QString disabled = QStringLiteral("Disabled");
    if (turboModes == QLatin1String("0"))
        return superMode == disabled ? disabled : QStringLiteral("Enabled");
    if (channel != QLatin1String("6") && superMode != disabled)
        return QStringLiteral("Super G without Turbo");
    return superMode;
}

void TFM_DevInfo::showSuperMode()
{
    const NvMainWindowApi* main = MainWindow();
    const QString turboModes =
        main ? main->CapabilityText(QStringLiteral("ED_Turbomode")) : QString();
    ShowText(m_ui->Ed_SupModusa,
             SuperModeText(turboModes, m_ui->Ed_Channela->text(), m_ui->Ed_SupModa->text()));
}

void TFM_DevInfo::readDevice()
{
    m_device = makeBinding(this, kDeviceInformationTable, LIST_SCALAR, true,
                           {m_ui->Ed_Firmware, m_ui->Ed_Mac, m_ui->Ed_GetIP, m_ui->Ed_IPaddr,
                            m_ui->Ed_SubMask, m_ui->Ed_Gate});
    m_device->Read();
}

QString TFM_DevInfo::SecondaryMac(const QString& primaryMac, QChar digit)
{
    // An unread primary address gives no secondary ones rather than a fragment like "041".
    if (primaryMac.isEmpty())
        return QString();
    return QStringLiteral("04") + primaryMac.mid(2, 1) + digit + primaryMac.mid(4);
}

void TFM_DevInfo::showSecondaryMacs()
{
    const QString primary = m_ui->Ed_Mac->text();
    ShowText(m_ui->Ed_SecFirstMac, SecondaryMac(primary, QLatin1Char('1')));
    ShowText(m_ui->Ed_SecSecMac, SecondaryMac(primary, QLatin1Char('7')));
}

void TFM_DevInfo::readApStatus()
{
    m_capability =
        makeBinding(this, kApStatusCapabilityTable, LIST_SCALAR, true, {m_ui->Ed_ApStatusSupport});
    m_capability->Read();
    if (apStatusSupported()) {
        m_ui->GB_AP->show();
        m_apStatus =
            makeBinding(this, kApStatusTable, LIST_SCALAR, false, {m_ui->Ed_Cpu, m_ui->Ed_Memory});
        m_apStatus->Read();
    } else {
        m_ui->GB_AP->hide();
        for (QWidget* group :
             {static_cast<QWidget*>(m_ui->GroupBox2), static_cast<QWidget*>(m_ui->GroupBox1)})
            group->move(group->pos() + QPoint(0, kGroupShiftWithoutApStatus));
    }
}

bool TFM_DevInfo::apStatusSupported() const
{
    return NumericValue(m_ui->Ed_ApStatusSupport->text()) == 1;
}

void TFM_DevInfo::Refresh()
{
    try {
        // A read still under way fills the group when it arrives; a second one adds nothing.
        if (apStatusSupported() && m_apStatus && !m_apStatus->busy)
            m_apStatus->Read();
        if (m_wireless)
            m_wireless->Read();
    } catch (const NvError& error) {
        m_ui->StatusBar->showMessage(error.message());
    }
}

bool TFM_DevInfo::secondRadioShown() const
{
    return m_ui->PC_WirlessTraffic->isTabVisible(m_ui->PC_WirlessTraffic->indexOf(m_ui->TabSheetG));
}

void TFM_DevInfo::readSecondRadio()
{
    if (!m_secondRadio) {
        m_secondRadio = makeBinding(this, kSecondRadioStatusTable, LIST_INSTANCE, true,
                                    {m_ui->Ed_SSIDg, m_ui->Ed_Channelg, m_ui->Ed_SupModg,
                                     m_ui->Ed_DatRatg, m_ui->Ed_SecLevAuthg, m_ui->Ed_SecLevPrig});
        m_secondRadio->SetStatusTarget(m_ui->StatusBar);
    }
    m_secondRadio->Read();
}
