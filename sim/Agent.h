#pragma once

#include "Device.h"
#include "EventLog.h"
#include "Options.h"

#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <memory>
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <optional>

namespace sim {

// The device's SNMP agent: net-snmp's master agent on the listen address only, with net-snmp's
// own access control (communities, USM users) and one handler for the whole iso.org tree that
// answers from the Device. No MIB module of net-snmp is registered, so a walk shows exactly the
// device's variables.
class Agent
{
public:
    Agent(const Options& options, Device& device, EventLog& events);
    ~Agent();
    Agent(const Agent&) = delete;
    Agent& operator=(const Agent&) = delete;

    // Configures net-snmp, binds the listen address and logs the start.
    bool start(QString* error);
    // Serves until SIGTERM or SIGINT.
    void run();

private:
    using Clock = std::chrono::steady_clock;

    struct PendingSet
    {
        std::vector<SetRequest> requests;
        SetOutcome outcome;
    };

    static int dispatch(netsnmp_mib_handler* handler, netsnmp_handler_registration* registration,
                        netsnmp_agent_request_info* info, netsnmp_request_info* requests);
    void answerGet(netsnmp_agent_request_info* info, netsnmp_request_info* requests);
    void answerGetNext(netsnmp_agent_request_info* info, netsnmp_request_info* requests);
    void reserve(netsnmp_agent_request_info* info, netsnmp_request_info* requests);
    void finishSet(netsnmp_agent_request_info* info, bool committed);
    int faultFor(const Oid& oid) const;
    bool objectIsPresent(const Oid& instance) const;
    bool mayWrite(const netsnmp_pdu& pdu) const;
    void logSet(const netsnmp_pdu& pdu, const PendingSet& set, int status, int index);
    void logRead(netsnmp_agent_request_info* info);

    bool writeConfiguration(const QString& folder, QString* error) const;
    bool silent() const;
    void beginRestart();
    void endRestart();
    // The wait until the next datagram of fd is due, or nothing when it may be read now.
    std::optional<Clock::duration> delayOf(int fd) const;

    const Options& m_options;
    Device& m_device;
    EventLog& m_events;
    std::unique_ptr<QTemporaryDir> m_temporaryEngineDir;
    netsnmp_handler_registration* m_registration = nullptr;
    std::map<netsnmp_agent_session*, PendingSet> m_pendingSets;
    std::optional<Clock::time_point> m_silentUntil;
    bool m_started = false;
};

} // namespace sim
