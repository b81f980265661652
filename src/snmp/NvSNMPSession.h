#pragma once

#include "NvSNMPTypes.h"

#include <QObject>
#include <QTimer>
#include <cstdint>

class NvSNMPSessionState;

// The event pump: every 20 ms it reads what the agents have answered, handles time-outs and
// runs the completions of asynchronous requests. It is the only place completions run from.
class SnmpEventProcessor : public QObject
{
    Q_OBJECT

public:
    explicit SnmpEventProcessor(QObject* parent = nullptr);

    void Start();
    void Stop();
    // Makes sure the pump looks for answers soon: called for every asynchronous send.
    void Wake();
    bool IsActive() const { return m_timer.isActive(); }

    // One round of the pump, waiting up to waitMs for the first answer. Requests waiting for
    // their outstanding operations call it directly, so that a wait started from inside a
    // completion (where the timer is stopped) still gets its answers.
    static void ProcessPendingEvents(int waitMs = 0);

    static constexpr int kPeriodMs = 20;

private:
    void tick();

    QTimer m_timer;
    bool m_inTick = false;
};

// The session globals: set by StartSession and copied into every NvSNMPRequest when it is
// constructed (later changes do not reach existing requests). The main window changes them
// after StartSession from the command line and the profile.
extern NvSNMPSessionState* snmpSession; // non-null between StartSession and StopSession
extern NvSNMPDevice defaultDevice;      // "127.0.0.1", port 161
extern NvSNMPScope defaultScope;        // both texts empty
extern NvSNMPSecurity defaultSecurity;  // SNMPv1, "vqlmzr" / "kdwstne", model 1, level 1 ...
extern int32_t defaultTimeout;          // hundredths of a second: 100
extern SnmpEventProcessor* eventPump;   // started by StartSession

// Creates the process-wide SNMP session and the SNMPv3 engine state, sets the defaults and
// starts the event pump. The local engine ID is "NvSNMP_PP_Application"; its boots count lives
// in folder's "NvSNMP_PP_BootCounter" (an empty folder: the current directory) and rises by one
// at every start. net-snmp's own persistent files go to folder + "/net-snmp", or for an empty
// folder to the per-user application data folder; no MIB file and no net-snmp configuration
// file is read. Raises NvError -506 (no session), -507 (boots file unreadable or malformed),
// -508 (boots file not writable); nothing stays started after an error. A call while the
// session runs does nothing. Needs a QCoreApplication.
void StartSession(const QString& folder);

// Ends the session: outstanding asynchronous operations complete as "session destroyed"
// (their requests' pending counts drop, their callbacks do not run) and every net-snmp session
// closes. Also run when the application object goes away.
void StopSession();

// Asynchronous operations whose completion has not run yet, across all requests (also those of
// requests already destroyed, whose late answers are dropped).
int NvSNMPOutstandingCount();
