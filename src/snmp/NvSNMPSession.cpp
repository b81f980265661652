#include "NvSNMPSession.h"

#include "NvBootCounter.h"
#include "NvError.h"
#include "NvSNMPTransport.h"

#include <QCoreApplication>
#include <QStandardPaths>

// What StartSession set up; its existence is what "the session exists" means.
class NvSNMPSessionState
{
public:
    QString folder;
};

NvSNMPSessionState* snmpSession = nullptr;
NvSNMPDevice defaultDevice{QStringLiteral("127.0.0.1"), 161};
NvSNMPScope defaultScope;
NvSNMPSecurity defaultSecurity;
int32_t defaultTimeout = 100;
SnmpEventProcessor* eventPump = nullptr;

namespace {

const QByteArray kEngineId = QByteArrayLiteral("NvSNMP_PP_Application");

NvSNMPSecurity startDefaults()
{
    NvSNMPSecurity security;
    security.version = SNMP_VERSION_CODE_1;
    security.readCommunity = QStringLiteral("vqlmzr");
    security.writeCommunity = QStringLiteral("kdwstne");
    security.securityModel = 1;
    security.securityLevel = SECURITY_LEVEL_NOAUTH_NOPRIV;
    security.authProtocol = AUTH_PROTOCOL_NONE;
    security.privProtocol = PRIV_PROTOCOL_NONE;
    return security;
}

QString persistentDirFor(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + QStringLiteral("net-snmp");
    if (!folder.isEmpty())
        return folder + QStringLiteral("/net-snmp");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/net-snmp");
}

} // namespace

SnmpEventProcessor::SnmpEventProcessor(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kPeriodMs);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SnmpEventProcessor::tick);
}

void SnmpEventProcessor::Start()
{
    m_timer.start();
}

void SnmpEventProcessor::Stop()
{
    m_timer.stop();
}

void SnmpEventProcessor::ProcessPendingEvents(int waitMs)
{
    if (snmpSession)
        NvSNMPTransport::Pump(waitMs);
}

void SnmpEventProcessor::Wake()
{
    // Inside a tick the tick itself decides when to look again.
    if (!m_inTick && !m_timer.isActive())
        m_timer.start();
}

void SnmpEventProcessor::tick()
{
    // The timer is single-shot: it stays stopped while completions run, so a completion that
    // waits for events cannot re-enter the pump through it. With nothing outstanding it stays
    // stopped until the next asynchronous send wakes it: an idle module does not wake 50 times
    // a second for nothing.
    m_inTick = true;
    ProcessPendingEvents(0);
    m_inTick = false;
    if (snmpSession && eventPump == this && NvSNMPTransport::Outstanding() > 0)
        m_timer.start();
}

void StartSession(const QString& folder)
{
    if (snmpSession)
        return;
    NvSNMPTransport::StartOptions options;
    options.persistentDir = persistentDirFor(folder);
    options.engineId = kEngineId;

    const QString bootsFile = NvBootCounter::FilePath(folder);
    uint32_t boots = 0;
    if (!NvBootCounter::Load(bootsFile, kEngineId, boots))
        throw NvError::FromCode(-507);
    if (boots < 2147483647u)
        ++boots;
    if (!NvBootCounter::Save(bootsFile, kEngineId, boots))
        throw NvError::FromCode(-508);
    options.boots = boots;

    if (!NvSNMPTransport::Start(options))
        throw NvError::FromCode(-506);

    snmpSession = new NvSNMPSessionState{folder};
    defaultDevice = NvSNMPDevice{QStringLiteral("127.0.0.1"), 161};
    defaultScope = NvSNMPScope();
    defaultSecurity = startDefaults();
    defaultTimeout = 100;
    eventPump = new SnmpEventProcessor();
    eventPump->Start();
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        qAddPostRoutine(StopSession);
        cleanupRegistered = true;
    }
}

void StopSession()
{
    if (!snmpSession)
        return;
    delete eventPump;
    eventPump = nullptr;
    NvSNMPTransport::Stop();
    delete snmpSession;
    snmpSession = nullptr;
}

int NvSNMPOutstandingCount()
{
    return NvSNMPTransport::Outstanding();
}
