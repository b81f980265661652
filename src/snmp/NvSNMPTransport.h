#pragma once

#include "NvSNMPTypes.h"

#include <QVector>
#include <functional>

// The engine's only contact with net-snmp (NvSNMPTransport.cpp). Requests hand it finished
// targets and bindings and get back library result numbers (NvSNMPResults.h) and bindings.
//
// Sessions. net-snmp binds a session to one peer, version and set of credentials, so the one
// process-wide session of the engine is a cache of net-snmp sessions keyed by everything a
// session fixes (address, port, version, time-out, retries, community or user and keys). Each
// key has two independent sessions:
// - blocking calls use a single-session handle (snmp_sess_open / snmp_sess_synch_response).
//   Its wait loop reads only that handle's socket, so a blocking request never reads the
//   answer of an outstanding asynchronous request and never runs its completion;
// - asynchronous calls use a session of net-snmp's session list (snmp_open / snmp_async_send),
//   which only the event pump reads.
// net-snmp invokes its callbacks only from inside the pump's snmp_read / snmp_timeout. The
// callback trampoline merely records the outcome (it catches everything, so no exception ever
// crosses net-snmp's C frames); the completions run after net-snmp has returned, one at a time,
// so a completion may send, pump or destroy its request freely.
//
// SNMPv3 keys. A password's key (Ku, a megabyte of hashing) is derived once per protocol and
// password; net-snmp localises it once per engine when a session discovers the engine. net-snmp
// keeps one USM user per (engine ID, user name) for the whole process and never updates one
// that has keys, so a session with other passwords would silently use the first ones. The
// transport therefore remembers whose keys the user entry holds and, when a session with other
// credentials for the same user and engine is about to send, removes the entry and lets that
// session create it anew.
//
// Engine discovery. A blocking session discovers its agent's engine when it opens (it blocks
// anyway). An asynchronous session must never block the window thread, also not for an agent
// that does not answer: it sends a discovery request of its own through the event pump and
// holds its requests until the report names the engine; its user entry is then claimed before
// anything authenticated goes out.
namespace NvSNMPTransport {

struct Target
{
    QString address; // dotted IPv4, already resolved
    uint16_t port = 161;
    int version = 0;   // the request's version code
    int timeout = 100; // hundredths of a second
    int retries = 1;
    QString community;
    int securityModel = 3;
    int securityLevel = 1;
    QString securityName;
    int authProtocol = 1;
    QString authPassword;
    int privProtocol = 1;
    QString privPassword;
    QString contextName;
    QByteArray contextEngineId;
};

enum class Command
{
    Get,
    GetNext,
    Set
};

struct Outcome
{
    int result = 0;         // library result number for NvCatalog::MapResult
    bool responded = false; // a response PDU arrived: vbs and errorIndex are the agent's
    bool sessionClosed = false;
    int errorIndex = 0;
    QVector<NvSNMPVb> vbs;
    NvSNMPDevice peer;
};

using Completion = std::function<void(const Outcome&)>;

struct StartOptions
{
    QString persistentDir;
    QByteArray engineId;
    uint32_t boots = 0;
};

// Initialises net-snmp the first time (no MIB files, no configuration files, persistent files
// in persistentDir), sets the local engine ID and boots, and checks that a UDP socket can be
// opened; false when it cannot.
bool Start(const StartOptions& options);
// Closes every session (outstanding completions are told the session is gone). net-snmp itself
// stays initialised until the process ends.
void Stop();
bool IsStarted();

// A dotted IPv4 address or a host name to a dotted address; false when it is neither. Texts of
// digits and dots must be valid dotted addresses and are never looked up as names.
bool ResolveIPv4(const QString& address, QString& dotted);

Outcome SendBlocking(const Target& target, Command command, const QVector<NvSNMPVb>& vbs);

// Sends and returns 0, or returns the library result of a failed send. Either way done runs
// exactly once, later, from Pump: with the answer, the time-out, the send failure, or
// sessionClosed when Stop comes first.
int SendAsync(const Target& target, Command command, const QVector<NvSNMPVb>& vbs, Completion done);
// Runs done with outcome from the next Pump.
void Defer(Completion done, const Outcome& outcome);

// Reads what has arrived (waiting up to waitMs for the first datagram), handles time-outs and
// retransmissions, then runs the finished completions.
void Pump(int waitMs);
// Asynchronous operations whose completion has not run yet.
int Outstanding();

} // namespace NvSNMPTransport
