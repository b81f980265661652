#include "TMainForm.h"

#include "NvCatalog.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvJpegImage.h"
#include "NvMenuRows.h"
#include "NvOptionList.h"
#include "NvSNMPRequest.h"
#include "NvSNMPRequest2Edits.h"
#include "NvSNMPSession.h"
#include "TAboutForm.h"
#include "TConfigForm.h"
#include "TFM_DevInfo.h"
#include "TFM_Waiting.h"
#include "TSNMPEditorPanel.h"
#include "ui_TMainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <cstdio>
#include <unistd.h>

namespace {

#define PR QTR_PRIVATE_ROOT

enum class ReadMode
{
    AsyncRefreshed,
    Async,
    BlockingOnce
};

struct CapabilityRow
{
    const char* field;
    const char* initialText; // null: the field's own name
    const char* variable;
    const char* oid;
    uint32_t syntax;
    const char* format;
    ReadMode mode;
};

// The capability fields in probe order. Note the pairings of Ed_spSNTP with .26 and of
// Ed_spAccounting with .25, and of Ed_ManagerIP with the grouping variable: the device's
// firmware reports them so.
const CapabilityRow kCapabilities[] = {
    {"Ed_FwVer", nullptr, "stFirmwareVersion", PR ".4.4.1.1.1", SYN_DISPLAYSTRING, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_Countrycode", nullptr, "countrycode", PR ".4.99.1.1.6", SYN_DISPLAYSTRING, "%s",
     ReadMode::AsyncRefreshed},
    {"ED_Turbomode", nullptr, "turbomodes", PR ".4.99.1.1.2", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"APModeSupport", nullptr, "apmodes", PR ".4.99.1.1.1", SYN_INTEGER, "%u",
     ReadMode::AsyncRefreshed},
    {"ifMultiSSID_Edit", nullptr, "mssidsupported", PR ".4.99.1.1.9", SYN_INTEGER, "%u",
     ReadMode::AsyncRefreshed},
    {"Ed_Rogue", "ifRogueAPsupport", "rogueapsupported", PR ".4.99.1.1.10", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"IPAddressEdit", nullptr, nullptr, nullptr, SYN_IPADDRESS, "%s",
     ReadMode::AsyncRefreshed}, // the IP table
    {"NewMultiSupport", nullptr, "mssidisolatedsecurity", PR ".4.99.1.1.13", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"SyslogSupport", nullptr, "syslogsupported", PR ".4.99.1.1.11", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_ClientAddSSID", nullptr, "mssidindication", PR ".4.99.1.1.14", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_KeyTypeSup", nullptr, "keytypeselection", PR ".4.99.1.1.15", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_spWDSSite", nullptr, "wdssitesurvey", PR ".4.99.1.1.24", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_spSNTP", nullptr, "accounting", PR ".4.99.1.1.26", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_spAccounting", "Ed_spAcnt", "sntp", PR ".4.99.1.1.25", SYN_INTEGER, "%s",
     ReadMode::AsyncRefreshed},
    {"Ed_SpSmtp", nullptr, "sMTPSupported", PR ".4.99.1.1.32", SYN_INTEGER, "%s", ReadMode::Async},
    {"Ed_Suppress", nullptr, "mSSIDSuppress", PR ".4.99.1.1.20", SYN_INTEGER, "%s",
     ReadMode::Async},
    {"Ed_WMM", nullptr, "mSSIDWmmSupported", PR ".4.99.1.1.31", SYN_INTEGER, "%s", ReadMode::Async},
    {"Ed_Grouping", nullptr, "groupingsupported", PR ".4.99.1.1.34", SYN_INTEGER, "%s",
     ReadMode::Async},
    {"Ed_ManagerIP", nullptr, "groupingsupported", PR ".4.99.1.1.34", SYN_INTEGER, "%s",
     ReadMode::Async},
    {"Ed_WDSInfoNotSupport", nullptr, "wdsclientinfonotsupported", PR ".4.99.1.1.35", SYN_INTEGER,
     "%s", ReadMode::BlockingOnce},
    {"Ed_SSLSupport", nullptr, "sslsupported", PR ".4.99.1.1.37", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
    {"Ed_PacketStatNotSupport", nullptr, "packetStatisticnotsupported", PR ".4.99.1.1.36",
     SYN_INTEGER, "%s", ReadMode::BlockingOnce},
    {"Ed_Ethernet", nullptr, "ethernetpacketSupported", PR ".4.99.1.1.47", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
    {"Ed_LinkStatusNotSupport", nullptr, "ethernetLinkNotSupported", PR ".4.99.1.1.39", SYN_INTEGER,
     "%s", ReadMode::BlockingOnce},
    {"Ed_DyvlanSupport", nullptr, "dynamicVlanSupported", PR ".4.99.1.1.54", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
    {"Ed_MssidAndWdssupport", nullptr, "mssidAndWdssupport", PR ".4.99.1.1.49", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
    {"Ed_wmmOverWDSSupported", nullptr, "wmmOverWDSSupported", PR ".4.99.1.1.53", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
    {"Ed_prioritybySSIDSupported", nullptr, "prioritybySSIDSupported", PR ".4.99.1.1.56",
     SYN_INTEGER, "%s", ReadMode::BlockingOnce},
    {"Ed_ipRangeSupported", nullptr, "ipRangeSupported", PR ".4.99.1.1.55", SYN_INTEGER, "%s",
     ReadMode::BlockingOnce},
};

constexpr int kRefreshedBindings = 14;

const NvOptionRow kGetIpFromRows[] = {{1, "Static (Manual)"}, {2, "Dynamic (DHCP)"}, {0, nullptr}};
const NvOptionRow kSysRestartRows[] = {{0, "nothing"}, {1, "reboot"}, {0, nullptr}};
const NvOptionList kGetIpFromOptions(kGetIpFromRows);
const NvOptionList kSysRestartOptions(kSysRestartRows);

const NvSNMPVarRecord kIpTable[] = {
    NvVar(PR ".4.1.2.1", "hGetIPFrom", SYN_INTEGER, 0x06, &kGetIpFromOptions),
    NvVar(PR ".4.1.2.2", "hIPAddress", SYN_IPADDRESS, 0x06),
    NvVar(PR ".4.1.2.3", "hSubnetMask", SYN_IPADDRESS, 0x06),
    NvVar(PR ".4.1.2.4", "hDefaultGateway", SYN_IPADDRESS, 0x06),
    NvVar(PR ".4.3.2.1", "sysRestart", SYN_INTEGER, 0x06, &kSysRestartOptions),
    kNvVarEnd,
};

const NvOptionRow kActivateRows[] = {{0, "Nothing"}, {1, "Activate"}, {0, nullptr}};
const NvOptionRow kDiscardRows[] = {{0, "Nothing"}, {1, "Discard"}, {0, nullptr}};
const NvOptionList kActivateOptions(kActivateRows);
const NvOptionList kDiscardOptions(kDiscardRows);

const NvSNMPVarRecord kSaveDiscardTable[] = {
    NvVar(PR ".4.5.1", "cSaveActivate", SYN_INTEGER, 0x06, &kActivateOptions),
    NvVar(PR ".4.5.2", "cDiscardChanges", SYN_INTEGER, 0x06, &kDiscardOptions),
    kNvVarEnd,
};

const NvSNMPVarRecord kSysDescrTable[] = {
    NvVar("1.3.6.1.2.1.1.1", "sysDescr", SYN_DISPLAYSTRING, 0x02),
    kNvVarEnd,
};

// A one-variable scalar list of a capability row.
NvSNMPVarList capabilityList(const CapabilityRow& row)
{
    const NvSNMPVarRecord table[] = {
        NvVar(row.oid, row.variable, row.syntax, 0x02),
        kNvVarEnd,
    };
    return NvSNMPVarList(table, LIST_SCALAR, 0);
}

const CapabilityRow kClientInfoRow = {"Ifclientinfosupported", nullptr,     "clientinfosupported",
                                      PR ".4.99.1.1.7",        SYN_INTEGER, "%u",
                                      ReadMode::BlockingOnce};

// The fields the capability refresh clears before reading them again.
const char* const kClearedFields[] = {
    "Ed_FwVer",         "Ed_Countrycode", "ED_Turbomode",     "APModeSupport",
    "ifMultiSSID_Edit", "Ed_Rogue",       "IPAddressEdit",    "SubMaskEdit",
    "NewMultiSupport",  "SyslogSupport",  "Ed_ClientAddSSID", "Ed_KeyTypeSup",
};

struct MenuRow
{
    const char* parent; // objectName of the menu it sits in; null: the menu bar
    const char* caption;
    const char* objectName;
    bool submenu;
};

const MenuRow kMenus[] = {
    {nullptr, "Home", "home1", true},
    {"home1", "Information", "Information1", false},
    {"home1", "Wireless", "hWirelessBand1", false},
    {"home1", "LAN", "hLan1", false},
    {nullptr, "Advanced", "advanced2", true},
    {"advanced2", "Mode", "adMode1", false},
    {"advanced2", "Performance", "adPerformance1", false},
    {"advanced2", "Filter", "adFilter1", true},
    {"adFilter1", "Wireless MAC ACL", "WirelessMACACL1", false},
    {"adFilter1", "WLAN Partition", "WirelessPatrition1", false},
    {"advanced2", "Encryption", "adEncryption2", false},
    {"advanced2", "Grouping", "adGrouping2", false},
    {"advanced2", "DHCP Server", "adDHCPServer2", false},
    {"advanced2", "Multi-SSID", "Ad_MultiSSID", false},
    {"advanced2", "Rogue AP", "RogueAP", false},
    {nullptr, "Tools", "tools2", true},
    {"tools2", "Admin", "tAdmin2", false},
    {"tools2", "System", "tSystem2", false},
    {"tools2", "Firmware", "Firmware1", false},
    {"tools2", "Configuration File", "tUpdate2", false},
    {"tools2", "Miscellaneous", "tMisc1", false},
    {"tools2", "SNTP", "SNTP1", false},
    {nullptr, "Status", "status2", true},
    {"status2", "Device Info", "stDeviceInfo2", false},
    {"status2", "Stats", "stStats1", true},
    {"stStats1", "Ethernet", "Ethernet1", false},
    {"stStats1", "WLAN 802.11G", "WLAN80211G1", false},
    {"status2", "Client Info", "Client1", false},
    {"status2", "Log", "SystemLog", true},
    {"SystemLog", "View Log", "stViewLog1", false},
    {"SystemLog", "Log Setting", "stLogSetting1", false},
    {"status2", "Configuration", "Configration1", true},
    {"Configration1", "Save and Active", "cfgSave1", false},
    {"Configration1", "Discard Changes", "cfgDiscard1", false},
    {nullptr, "Help", "help1", true},
    {"help1", "About", "About1", false},
};

// The MIB-II system group of the "Home \ Information" page.
const NvSNMPVarRecord kSystemGroup[] = {
    NvVar("1.3.6.1.2.1.1.1", "System Description", SYN_DISPLAYSTRING, 0x02),
    NvVar("1.3.6.1.2.1.1.2", "System Object ID", SYN_OID, 0x02),
    NvVar("1.3.6.1.2.1.1.3", "System Uptime", SYN_TIMETICKS, 0x02),
    NvVar("1.3.6.1.2.1.1.4", "System Contact", SYN_DISPLAYSTRING, 0x06),
    NvVar("1.3.6.1.2.1.1.5", "System Name", SYN_DISPLAYSTRING, 0x06),
    NvVar("1.3.6.1.2.1.1.6", "System Location", SYN_DISPLAYSTRING, 0x06),
    kNvVarEnd,
};

// "Home \ Information": the generic configuration window with one editor page over the system
// group, requests of 30 s, editors 180 pixels wide.
QDialog* informationPage(QWidget* owner)
{
    auto form = std::make_unique<TConfigForm>(owner);
    form->setObjectName(QStringLiteral("InformationPage"));
    form->setWindowTitle(QStringLiteral("Home \\ Information"));
    auto binding = std::make_unique<NvSNMPRequest2Edits>(form.get());
    binding->request.list = NvSNMPVarList(kSystemGroup, LIST_SCALAR, 0);
    binding->request.timeout = 3000;
    TSNMPEditorPanel* panel = form->AddEditorPage(std::move(binding));
    panel->SetEditWidth(180);
    return form.release();
}

// Characters first..last (counted from 1) of a text.
QString characters(const QString& text, int first, int last)
{
    return text.mid(first - 1, last - first + 1);
}

NvSessionParameters parametersOfDefaults()
{
    NvSessionParameters p;
    p.address = defaultDevice.address;
    p.port = defaultDevice.port;
    p.version = defaultSecurity.version;
    p.readCommunity = defaultSecurity.readCommunity;
    p.writeCommunity = defaultSecurity.writeCommunity;
    p.contextName = defaultScope.contextName;
    p.contextEngineId = defaultScope.contextEngineId;
    p.securityModel = defaultSecurity.securityModel;
    p.securityLevel = defaultSecurity.securityLevel;
    p.securityName = defaultSecurity.securityName;
    p.authPassword = defaultSecurity.authPassword;
    p.privPassword = defaultSecurity.privPassword;
    p.authProtocol = defaultSecurity.authProtocol;
    p.privProtocol = defaultSecurity.privProtocol;
    return p;
}

void applyToDefaults(const NvSessionParameters& p)
{
    defaultDevice.address = p.address;
    defaultDevice.port = p.port;
    defaultSecurity.version = static_cast<uint8_t>(p.version);
    defaultSecurity.readCommunity = p.readCommunity;
    defaultSecurity.writeCommunity = p.writeCommunity;
    defaultScope.contextName = p.contextName;
    defaultScope.contextEngineId = p.contextEngineId;
    defaultSecurity.securityModel = p.securityModel;
    defaultSecurity.securityLevel = p.securityLevel;
    defaultSecurity.securityName = p.securityName;
    defaultSecurity.authPassword = p.authPassword;
    defaultSecurity.privPassword = p.privPassword;
    defaultSecurity.authProtocol = p.authProtocol;
    defaultSecurity.privProtocol = p.privProtocol;
}

#undef PR

// The process's start time in ms since the epoch, from /proc (Linux); now when unknown.
qint64 processStartMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return QDateTime::currentMSecsSinceEpoch();
    const QByteArray statText = stat.readAll();
    const QList<QByteArray> fields = statText.mid(statText.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22: start time in clock ticks
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    const double ageSeconds = upSeconds - startTicks / double(sysconf(_SC_CLK_TCK));
    return QDateTime::currentMSecsSinceEpoch() - qint64(ageSeconds * 1000);
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::TMainForm>())
{
    NvStartupCatalogs::LoadBesideExecutable(QCoreApplication::applicationDirPath());
    m_ui->setupUi(this);
    setWindowTitle(modelName);

    QFile picture(QStringLiteral(":/device-front.jpg"));
    if (picture.open(QIODevice::ReadOnly))
        m_ui->Image1->setPixmap(QPixmap::fromImage(DecodeJpeg(picture.readAll())));
    m_ui->LED_Power->setPixmap(QPixmap(QStringLiteral(":/led-power.png")));
    m_ui->LED_Lan->setPixmap(QPixmap(QStringLiteral(":/led-lan.png")));
    m_ui->LED_WLan->setPixmap(QPixmap(QStringLiteral(":/led-wlan.png")));

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("MainStatusPanel"));
    m_ui->MainStatusBar->addWidget(m_statusPanel, 1);

    buildCapabilityFields();
    m_menuRows = new NvMenuRows(this);
    setMenuWidget(m_menuRows);
    buildMenus();

    LedStatus.setInterval(2000);
    LedBlink.setInterval(30);
    Timer1.setInterval(2000);
    connect(&LedStatus, &QTimer::timeout, this, &TMainForm::StatusPoll);
    connect(&LedBlink, &QTimer::timeout, this, &TMainForm::BlinkStep);
    connect(&Timer1, &QTimer::timeout, this, &TMainForm::CapabilityRefresh);
    m_pollWatchdog.setSingleShot(true);
    connect(&m_pollWatchdog, &QTimer::timeout, this, [this] {
        // A poll whose completion never came: poll again rather than freeze the indicators.
        if (!LedStatus.isActive())
            LedStatus.start();
    });
    ledBlinkTag = 0;
    LedStatus.start();
    LedBlink.start();
    Timer1.start();
    SetMainWindow(this);
}

TMainForm::~TMainForm()
{
    if (MainWindow() == this)
        SetMainWindow(nullptr);
    releaseProbeBindings();
}

void TMainForm::buildCapabilityFields()
{
    auto addField = [this](const QString& name, const QString& initial) {
        auto* edit = new QLineEdit(initial, centralWidget());
        edit->setObjectName(name);
        edit->hide();
        m_fields.insert(name, edit);
        m_lastReceived.insert(name, initial);
    };
    for (const CapabilityRow& row : kCapabilities) {
        const QString name = QString::fromLatin1(row.field);
        addField(name, row.initialText ? QString::fromLatin1(row.initialText) : name);
    }
    addField(QStringLiteral("SubMaskEdit"), QStringLiteral("SubMaskEdit"));
    addField(QString::fromLatin1(kClientInfoRow.field), QString::fromLatin1(kClientInfoRow.field));
    CB_Active = new QComboBox(centralWidget());
    CB_Active->setObjectName(QStringLiteral("CB_Active"));
    CB_Active->hide();
    CB_Discard = new QComboBox(centralWidget());
    CB_Discard->setObjectName(QStringLiteral("CB_Discard"));
    CB_Discard->hide();
}

void TMainForm::buildMenus()
{
    for (const MenuRow& row : kMenus) {
        const QString name = QString::fromLatin1(row.objectName);
        QMenu* parentMenu = row.parent ? m_menus.value(QString::fromLatin1(row.parent)) : nullptr;
        QAction* action = nullptr;
        if (row.submenu) {
            QMenu* menu = nullptr;
            if (parentMenu) {
                menu = parentMenu->addMenu(QString::fromUtf8(row.caption));
            } else {
                menu = new QMenu(QString::fromUtf8(row.caption), this);
                m_menuRows->AddMenu(menu);
            }
            menu->setObjectName(name);
            m_menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            action = parentMenu->addAction(QString::fromUtf8(row.caption));
            // Pages join the menus as they are built; until then their items stay disabled.
            action->setEnabled(false);
        }
        action->setObjectName(name);
        m_actions.insert(name, action);
    }
    m_actions.value(QStringLiteral("Ad_MultiSSID"))->setVisible(false);
    m_actions.value(QStringLiteral("Configration1"))->setVisible(false);
    auto command = [this](const char* name, void (TMainForm::*handler)()) {
        QAction* action = Action(QString::fromLatin1(name));
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    command("cfgSave1", &TMainForm::SaveAndActive);
    command("cfgDiscard1", &TMainForm::DiscardChanges);
    command("About1", &TMainForm::ShowAbout);
    SetPage(QStringLiteral("Information1"), informationPage);
    SetPage(QStringLiteral("stDeviceInfo2"), [](QWidget* owner) { return new TFM_DevInfo(owner); });
    connect(Menu(QStringLiteral("advanced2")), &QMenu::aboutToShow, this,
            &TMainForm::AdvancedMenuRules);
    connect(Menu(QStringLiteral("tools2")), &QMenu::aboutToShow, this, &TMainForm::ToolsMenuRules);
    connect(Menu(QStringLiteral("status2")), &QMenu::aboutToShow, this,
            &TMainForm::StatusMenuRules);
    connect(Menu(QStringLiteral("stStats1")), &QMenu::aboutToShow, this,
            &TMainForm::StatsMenuRules);
}

QAction* TMainForm::Action(const QString& objectName) const
{
    return m_actions.value(objectName);
}

QMenu* TMainForm::Menu(const QString& objectName) const
{
    return m_menus.value(objectName);
}

QLineEdit* TMainForm::Field(const QString& fieldName) const
{
    return m_fields.value(fieldName);
}

QString TMainForm::FieldText(const QString& fieldName) const
{
    const QLineEdit* field = Field(fieldName);
    return field ? field->text() : QString();
}

QString TMainForm::CapabilityText(const QString& fieldName) const
{
    return m_lastReceived.value(fieldName);
}

QString TMainForm::DeviceAddressText() const
{
    return m_startup.deviceAddressText();
}

QString TMainForm::DeviceIPAddress() const
{
    return CapabilityText(QStringLiteral("IPAddressEdit"));
}

QString TMainForm::DeviceSubnetMask() const
{
    return CapabilityText(QStringLiteral("SubMaskEdit"));
}

QString TMainForm::StatusText() const
{
    return m_statusPanel->text();
}

void TMainForm::StopCapabilityTimer()
{
    Timer1.stop();
}

QString TMainForm::Caption() const
{
    return windowTitle();
}

void TMainForm::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

// --- creation ---

bool TMainForm::Create(const QStringList& arguments)
{
    // Fixed single border, no maximise button: the window is the size of the device's front.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // The menus wrap onto as many rows as they need; the window grows by them, as a native
    // window grows by a wrapped menu bar, and keeps its client area.
    const int width = m_ui->Image1->width() + 16;
    m_menuRows->onArranged = [this, width] {
        m_menuRows->layout()->invalidate();
        setFixedSize(width, m_ui->Image1->height() + m_ui->MainStatusBar->sizeHint().height() +
                                m_menuRows->sizeHint().height());
    };
    m_menuRows->SetRowWidth(width);

    const auto outcome = m_startup.Run(*this, arguments, [] {
        StartSession(QString());
        return parametersOfDefaults();
    });
    if (outcome != NvStartupSequence::Outcome::Continue)
        return false;
    applyToDefaults(m_startup.parameters());
    return true;
}

void TMainForm::ProbeDevice()
{
    // The window is on the screen before the blocking probe reads start: against a silent
    // device they take several seconds each.
    if (isVisible())
        QCoreApplication::processEvents();
    probeDevice();
}

bool TMainForm::probeDevice()
{
    m_statusRequest = std::make_unique<NvSNMPRequest>();
    m_statusRequest->list = NvSNMPVarList(kSysDescrTable, LIST_SCALAR, 0);
    StatusPoll();
    Timer1.start();

    try {
        for (const CapabilityRow& row : kCapabilities) {
            if (row.mode == ReadMode::BlockingOnce)
                continue;
            auto binding = std::make_unique<NvSNMPRequest2Edits>(this);
            QStringList fields;
            if (row.oid) {
                binding->request.list = capabilityList(row);
                binding->BindFormat(0, QString::fromLatin1(row.format),
                                    Field(QString::fromLatin1(row.field)));
                fields << QString::fromLatin1(row.field);
            } else {
                binding->request.list = NvSNMPVarList(kIpTable, LIST_SCALAR, 0);
                binding->BindFormat(1, QStringLiteral("%s"),
                                    Field(QStringLiteral("IPAddressEdit")));
                binding->BindFormat(2, QStringLiteral("%s"), Field(QStringLiteral("SubMaskEdit")));
                fields << QStringLiteral("IPAddressEdit") << QStringLiteral("SubMaskEdit");
            }
            binding->onAfterRead = [this, fields] { recordReceived(fields); };
            NvSNMPRequest2Edits* raw = binding.get();
            m_probeBindings.push_back(std::move(binding));
            raw->Read();
        }

        m_saveDiscard = std::make_unique<NvSNMPRequest2Edits>(this);
        m_saveDiscard->request.list = NvSNMPVarList(kSaveDiscardTable, LIST_SCALAR, 0);
        m_saveDiscard->async = false;
        m_saveDiscard->Bind(0, CB_Active);
        m_saveDiscard->Bind(1, CB_Discard);
        m_saveDiscard->onAfterWrite = [this] { afterSaveAndActive(); };
        NvDeviceState::saveActivateSupported = m_saveDiscard->Read();
        NvDeviceState::showWaitAfterWrite = false;
        Action(QStringLiteral("Configration1"))->setVisible(NvDeviceState::saveActivateSupported);

        for (const CapabilityRow& row : kCapabilities) {
            if (row.mode != ReadMode::BlockingOnce)
                continue;
            auto binding = std::make_unique<NvSNMPRequest2Edits>(this);
            binding->async = false;
            binding->request.list = capabilityList(row);
            const QString field = QString::fromLatin1(row.field);
            binding->BindFormat(0, QString::fromLatin1(row.format), Field(field));
            binding->onAfterRead = [this, field] { recordReceived({field}); };
            NvSNMPRequest2Edits* raw = binding.get();
            m_onceBindings.push_back(std::move(binding));
            raw->Read();
        }
    } catch (const NvError& error) {
        NvDialogs::Message(this, error.message(), QCoreApplication::applicationName(),
                           NvDialogs::Buttons::Ok, NvDialogs::Icon::Error);
        m_refreshErrorShown = error.message();
        return false;
    }
    m_probeComplete = true;
    return true;
}

void TMainForm::recordReceived(const QStringList& fields)
{
    for (const QString& field : fields)
        m_lastReceived.insert(field, FieldText(field));
}

// --- status poll and indicators ---

void TMainForm::StatusPoll()
{
    LedStatus.stop();
    if (!m_statusRequest)
        return;
    try {
        m_statusRequest->GetAsync(
            [this](void*, const NvSNMPError& error, NvSNMPVarList&) { statusPollDone(error); },
            this, true);
        const int wait = m_statusRequest->timeout * 10 * (m_statusRequest->retries + 1) + 2000;
        m_pollWatchdog.start(wait);
    } catch (const NvError& error) {
        showIndicatorsSilent();
        setStatusText(error.message());
        LedStatus.start();
    }
}

void TMainForm::statusPollDone(const NvSNMPError& error)
{
    m_pollWatchdog.stop();
    // For the start-up benchmark: how long the process took to its first completed poll.
    static bool firstPollReported = false;
    if (!firstPollReported && qEnvironmentVariableIsSet("QTR_REPORT_FIRST_POLL")) {
        firstPollReported = true;
        std::fprintf(
            stderr, "first status poll completed %lld ms after process start\n",
            static_cast<long long>(QDateTime::currentMSecsSinceEpoch() - processStartMs()));
    }
    QString text;
    if (error.code != 0) {
        showIndicatorsSilent();
        text = error.message;
    } else {
        text = NvCatalog::StatusLine(0, error.message, QString(),
                                     NvSNMPRequest2Controls::StatusTime());
        BlinkStep();
    }
    setStatusText(text);
    LedStatus.start();
}

void TMainForm::showIndicatorsSilent()
{
    m_ui->LED_Power->setVisible(true);
    m_ui->LED_Lan->setVisible(false);
    m_ui->LED_WLan->setVisible(false);
}

void TMainForm::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
    // The window is only as wide as the device's front: the whole line is in the tool tip.
    m_statusPanel->setToolTip(text);
    lastStatusText = text;
}

void TMainForm::BlinkStep()
{
    if (!LedBlink.isActive()) {
        ledBlinkTag = 0;
        LedBlink.start();
    }
    m_ui->LED_Power->setVisible(false);
    m_ui->LED_Lan->setVisible(m_ui->LED_Lan->isHidden());
    if (ledBlinkTag % 4 == 0)
        m_ui->LED_WLan->setVisible(m_ui->LED_WLan->isHidden());
    ++ledBlinkTag;
    if (ledBlinkTag >= 100)
        LedBlink.stop();
}

// --- capability refresh ---

void TMainForm::CapabilityRefresh()
{
    if (refreshTick == 7) {
        for (const char* field : kClearedFields)
            Field(QString::fromLatin1(field))->clear();
        refreshTick = 0;
    }
    try {
        for (size_t i = 0; i < m_probeBindings.size() && i < size_t(kRefreshedBindings); ++i)
            m_probeBindings[i]->Read();
        m_refreshErrorShown.clear();
    } catch (const NvError& error) {
        // An error that cannot even be sent (an address that is not valid) would come back every
        // 2 s: show it once while it lasts; the status bar keeps showing it meanwhile.
        if (m_refreshErrorShown != error.message()) {
            m_refreshErrorShown = error.message();
            NvDialogs::Message(this, error.message(), QCoreApplication::applicationName(),
                               NvDialogs::Buttons::Ok, NvDialogs::Icon::Error);
        }
    }
    ++refreshTick;
}

// --- menu rules ---

void TMainForm::AdvancedMenuRules()
{
    const QString firmware = FieldText(QStringLiteral("Ed_FwVer"));
    const QString country = FieldText(QStringLiteral("Ed_Countrycode"));
    const bool sibling = characters(modelName, 5, 8) == QLatin1String("7000") &&
                         characters(firmware, 2, 5) == QLatin1String("2.10") &&
                         (country == QLatin1String("EU") || country == QLatin1String("NA") ||
                          country == QLatin1String("GB"));
    const bool multiSsid =
        sibling || (characters(modelName, 5, 8) == QLatin1String("9000") &&
                    FieldText(QStringLiteral("ifMultiSSID_Edit")) == QLatin1String("1"));
    Action(QStringLiteral("adMode1"))->setVisible(!multiSsid);
    Action(QStringLiteral("adEncryption2"))->setVisible(!multiSsid);
    Action(QStringLiteral("Ad_MultiSSID"))->setVisible(multiSsid);
    auto byFlag = [this](const char* action, const char* field) {
        const int value = NumericValue(FieldText(QString::fromLatin1(field)));
        if (value == 0 || value == 1)
            Action(QString::fromLatin1(action))->setVisible(value == 1);
    };
    byFlag("RogueAP", "Ed_Rogue");
    byFlag("adGrouping2", "Ed_Grouping");
}

void TMainForm::ToolsMenuRules()
{
    Action(QStringLiteral("SNTP1"))
        ->setVisible(NumericValue(FieldText(QStringLiteral("Ed_spSNTP"))) != 0);
    Action(QStringLiteral("tMisc1"))
        ->setVisible(NumericValue(FieldText(QStringLiteral("Ed_ManagerIP"))) == 0);
}

void TMainForm::StatusMenuRules()
{
    QAction* client = Action(QStringLiteral("Client1"));
    if (lastStatusText == TFM_Waiting::TimedOutText()) {
        client->setVisible(false);
        return;
    }
    bool readOk = false;
    try {
        m_clientInfoBinding = std::make_unique<NvSNMPRequest2Edits>(this);
        m_clientInfoBinding->async = false;
        m_clientInfoBinding->request.list = capabilityList(kClientInfoRow);
        m_clientInfoBinding->BindFormat(0, QString::fromLatin1(kClientInfoRow.format),
                                        Field(QString::fromLatin1(kClientInfoRow.field)));
        readOk = m_clientInfoBinding->Read();
    } catch (const NvError&) {
        readOk = false;
    }
    if (readOk) {
        client->setVisible(FieldText(QString::fromLatin1(kClientInfoRow.field)) ==
                           QLatin1String("1"));
    } else if (lastStatusText == TFM_Waiting::TimedOutText()) {
        client->setVisible(false);
        return;
    } else {
        const QString model = characters(modelName, 5, 8);
        const QString digit = characters(FieldText(QStringLiteral("Ed_FwVer")), 2, 2);
        if (model == QLatin1String("9000"))
            client->setVisible(digit == QLatin1String("1"));
        else if (model == QLatin1String("7000"))
            client->setVisible(digit == QLatin1String("2"));
        else
            client->setVisible(false);
    }
    const int syslog = NumericValue(FieldText(QStringLiteral("SyslogSupport")));
    if (syslog == 0 || syslog == 1)
        Action(QStringLiteral("SystemLog"))->setVisible(syslog == 1);
    Action(QStringLiteral("stStats1"))
        ->setVisible(NumericValue(FieldText(QStringLiteral("Ed_PacketStatNotSupport"))) != 1);
}

void TMainForm::StatsMenuRules()
{
    Action(QStringLiteral("Ethernet1"))
        ->setVisible(NumericValue(FieldText(QStringLiteral("Ed_Ethernet"))) == 1);
}

// --- navigation ---

void TMainForm::SetPage(const QString& actionName, PageFactory factory)
{
    QAction* action = Action(actionName);
    if (!action)
        return;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, factory] { OpenPage(factory); });
}

void TMainForm::OpenPage(const PageFactory& factory)
{
    std::unique_ptr<QDialog> page;
    try {
        page.reset(factory(this));
    } catch (const NvError& error) {
        NvDialogs::Message(this, error.message(), NvDialogs::ExecutableFileName());
        return;
    }
    if (!page)
        return;
    // Centred on the main window, which is narrower than most pages, but kept on the screen.
    QRect frame(QPoint(), page->size());
    frame.moveCenter(frameGeometry().center());
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(qBound(available.left(), frame.left(),
                              qMax(available.left(), available.right() - frame.width())));
        frame.moveTop(qBound(available.top(), frame.top(),
                             qMax(available.top(), available.bottom() - frame.height())));
    }
    page->move(frame.topLeft());
    page->exec();
}

QString TMainForm::MultiSsidPage(const QString& newMultiSupport)
{
    switch (NumericValue(newMultiSupport)) {
    case 0:
        return QStringLiteral("TFM_MultiSSIDForm");
    case 1:
        return QStringLiteral("TFM_MultiSSIDNewForm");
    default:
        return QString();
    }
}

QString TMainForm::AdminPage(const QString& managerIp)
{
    return NumericValue(managerIp) != 0 ? QStringLiteral("TFM_Admin2")
                                        : QStringLiteral("TFM_Admin");
}

QString TMainForm::FirmwarePage(const QString& sslSupport)
{
    return NumericValue(sslSupport) == 1 ? QStringLiteral("TFM_FirewareSSL")
                                         : QStringLiteral("TFM_Firmware");
}

void TMainForm::ShowAbout()
{
    TAboutForm about(modelName, this);
    about.exec();
}

// --- Save and Active, Discard Changes ---

void TMainForm::SaveAndActive()
{
    if (!m_saveDiscard)
        return;
    NvSNMPVarList& list = m_saveDiscard->request.list;
    list.Item(0).flags = VAR_READWRITE;
    list.Item(1).flags = VAR_SKIP;
    CB_Active->setCurrentIndex(1);
    NvDeviceState::showWaitAfterWrite = true;
    try {
        m_saveDiscard->Write(true, true);
    } catch (const NvError& error) {
        // SNMP errors go to the request's status callback, which this binding has none of; what
        // cannot even be sent is shown.
        NvDeviceState::showWaitAfterWrite = false;
        NvDialogs::Message(this, error.message(), NvDialogs::ExecutableFileName());
    }
}

void TMainForm::DiscardChanges()
{
    if (!m_saveDiscard)
        return;
    const auto answer = NvDialogs::Message(
        this, QStringLiteral("All of your changes will be discarded! continue?"),
        QStringLiteral("Warning"), NvDialogs::Buttons::OkCancel, NvDialogs::Icon::Warning);
    if (answer != NvDialogs::Answer::Ok)
        return;
    NvSNMPVarList& list = m_saveDiscard->request.list;
    list.Item(1).flags = VAR_READWRITE;
    list.Item(0).flags = VAR_SKIP;
    CB_Discard->setCurrentIndex(1);
    try {
        m_saveDiscard->Write(true, true);
    } catch (const NvError& error) {
        NvDialogs::Message(this, error.message(), NvDialogs::ExecutableFileName());
    }
}

// --- after Save and Active ---

void TMainForm::afterSaveAndActive()
{
    if (!NvDeviceState::showWaitAfterWrite)
        return;
    if (FM_Waiting) {
        FM_Waiting->Timer1.stop();
        delete FM_Waiting; // its destructor clears the global reference
    }
    auto* waiting = new TFM_Waiting(this);
    waiting->setAttribute(Qt::WA_DeleteOnClose);
    waiting->show();
    NvDeviceState::showWaitAfterWrite = false;
}

// --- closing ---

void TMainForm::releaseProbeBindings()
{
    // The refreshed bindings first, then the status request (which waits for a poll still out),
    // then the rest.
    for (size_t i = 0; i < m_probeBindings.size() && i < 7; ++i)
        m_probeBindings[i].reset();
    m_statusRequest.reset();
    m_clientInfoBinding.reset();
    m_probeBindings.clear();
    m_onceBindings.clear();
    m_saveDiscard.reset();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    Timer1.stop();
    LedStatus.stop();
    LedBlink.stop();
    m_pollWatchdog.stop();
    releaseProbeBindings();
    QMainWindow::closeEvent(event);
}
