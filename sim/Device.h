#pragma once

#include "Model.h"

#include <QElapsedTimer>
#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace sim {

struct SetRequest
{
    Oid oid;
    Value value;
};

struct SetOutcome
{
    int status = SNMP_ERR_NOERROR;
    int index = 0; // 1-based position of the varbind at fault
};

// A restart the device has been told to make; the agent carries it out after the response.
struct RestartRequest
{
    QString reason; // "restart", "saveAndActivate" or "factoryReset"
    Oid trigger;    // the variable whose write asked for it
    bool factoryReset = false;
};

// The device's variables and what writes do to them. The running state is what the agent serves;
// the saved configuration is what a restart returns to. On a device that offers "Save and Active"
// (it has the variable cSaveActivate) a write changes only the running state until it is saved;
// on one without it every write is saved at once, so changes survive a restart.
class Device
{
public:
    struct Slot
    {
        Value value;
        const VariableDef* def = nullptr; // nullptr: a variable the model does not know
    };
    using State = std::map<Oid, Slot>;

    explicit Device(const Model& model);

    // The power-on state; also what a factory reset returns to. Returns warnings.
    QStringList setDefaults(const std::map<Oid, Value>& values);

    const Model& model() const { return m_model; }
    const State& running() const { return m_running; }
    Value read(const Slot& slot) const;
    std::optional<Value> value(const Oid& instance) const;
    // For the groups' boot hooks: writes the running state directly, no checks, no actions.
    void store(const Oid& instance, const Value& value);

    SetOutcome check(const std::vector<SetRequest>& requests) const;
    void commit(const std::vector<SetRequest>& requests);

    // The actions that writes start.
    bool hasSaveAndActivate() const { return m_hasSaveAndActivate; }
    void saveAndActivate(const Oid& trigger);
    void discardChanges();
    void restart(const QString& reason, const Oid& trigger);
    void factoryReset(const Oid& trigger);

    // Restarts, driven by the agent: take the request once the response is out, stay silent,
    // then boot.
    bool restartPending() const { return m_pendingRestart.has_value(); }
    RestartRequest takeRestart();
    void boot();
    int bootCount() const { return m_bootCount; }
    quint32 uptimeTicks() const;

private:
    std::map<Oid, Value> configurationOf(const State& state) const;
    void replaceConfiguration(const std::map<Oid, Value>& configuration);
    SetOutcome checkOne(const std::vector<SetRequest>& requests, size_t position) const;
    int checkRow(const std::vector<SetRequest>& requests, size_t position,
                 const VariableDef& def) const;
    bool rowExists(const TableDef& table, const Oid& index) const;
    void createRow(const TableDef& table, const Oid& index, qint64 status);
    void destroyRow(const TableDef& table, const Oid& index);

    const Model& m_model;
    State m_defaults;
    State m_running;
    std::map<Oid, Value> m_saved;
    bool m_hasSaveAndActivate = false;
    std::optional<RestartRequest> m_pendingRestart;
    QElapsedTimer m_sinceBoot;
    int m_bootCount = 0;
};

} // namespace sim
