#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QTemporaryDir;

namespace qtr::test {

// An event of the simulator's log (one JSON object per line, see sim/README.md).
using EventPredicate = std::function<bool(const QJsonObject& event)>;

// The device simulator (build/bin/qtr9000kx-sim) as a child process of a test: started on
// 127.0.0.1 and a free port with a fresh temporary folder for its event log and SNMP engine
// files, ready once it has printed "ready", stopped with SIGTERM.
//
//     SimulatorProcess sim;
//     QVERIFY2(sim.start({"--variant", "no-save"}), qPrintable(sim.errorString()));
//     ... talk to sim.host():sim.port() ...
//     const auto set = sim.waitForEvent(SimulatorProcess::isSetOf(privateOid("4.5.1.0")));
//     QVERIFY(set);
//
// Restarts of the simulated device are kept short (300 ms unless setRestartSilence says
// otherwise); pass "--restart-seconds" in the arguments to override it for one start.
class SimulatorProcess
{
public:
    SimulatorProcess();
    ~SimulatorProcess(); // stops a running simulator
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The simulator executable of this build.
    static QString executable();

    // How long a restart of the device keeps it silent; takes effect at the next start.
    void setRestartSilence(std::chrono::milliseconds silence);
    std::chrono::milliseconds restartSilence() const { return m_restartSilence; }

    // Starts the simulator with extra arguments (any option of qtr9000kx-sim except --listen,
    // --event-log and --engine-dir, which this class sets) and waits until it answers. A
    // running simulator is stopped first; every start gets a new folder and a new port. On
    // failure errorString() says why.
    bool start(const QStringList& arguments = {},
               std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends SIGTERM and waits; true when the simulator exited with status 0.
    bool stop(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool isRunning() const;
    // The process id of the running simulator, 0 when none runs.
    qint64 processId() const;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 port() const { return m_port; }
    // "127.0.0.1:PORT", the agent address of net-snmp's command-line tools.
    QString address() const;
    // The temporary folder of the current (or last) run; removed at the next start and on
    // destruction.
    QString dataDir() const;
    QString eventLogPath() const;
    // What the simulator wrote to standard error so far (warnings, start-up errors).
    QString standardError() const;
    QString errorString() const { return m_error; }

    // The events logged so far, in order.
    QList<QJsonObject> events() const;
    int eventCount() const { return static_cast<int>(events().size()); }
    // The OIDs of the reads (get and getnext events, --log-reads) from position from on.
    QSet<QString> readOids(int from = 0) const;
    // Waits until an event at position from or later matches, processing Qt events meanwhile;
    // returns it, or nothing after timeout.
    std::optional<QJsonObject>
    waitForEvent(const EventPredicate& predicate,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10), int from = 0) const;

    // Predicates for waitForEvent.
    static EventPredicate isEvent(const QString& name);
    // A "set" event whose varbinds include oid (dotted, without a leading dot).
    static EventPredicate isSetOf(const QString& oid);
    // A "get" or "getnext" event (started with --log-reads) whose oids include oid.
    static EventPredicate isReadOf(const QString& oid);

private:
    bool startOnce(const QStringList& arguments, std::chrono::milliseconds timeout,
                   bool* portTaken);

    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::chrono::milliseconds m_restartSilence{300};
    quint16 m_port = 0;
    QString m_error;
};

// The dotted OID of privateRoot followed by rest, e.g. privateOid("4.5.1.0"); the root itself
// for an empty rest.
QString privateOid(const QString& rest);

} // namespace qtr::test
