#include "Device.h"

#include <algorithm>

namespace sim {

namespace {

// RowStatus (RFC 2579).
enum RowStatus : qint64
{
    Active = 1,
    NotInService = 2,
    NotReady = 3,
    CreateAndGo = 4,
    CreateAndWait = 5,
    Destroy = 6,
};

Oid columnOid(const TableDef& table, unsigned column)
{
    Oid result = table.entry;
    result.push_back(column);
    return result;
}

Oid rowIndex(const VariableDef& column, const Oid& instance)
{
    return Oid(instance.begin() + static_cast<std::ptrdiff_t>(column.oid.size()), instance.end());
}

Oid cell(const Oid& column, const Oid& index)
{
    Oid result = column;
    result.insert(result.end(), index.begin(), index.end());
    return result;
}

Value emptyValueOf(u_char type)
{
    Value v;
    v.type = type;
    if (type == ASN_IPADDRESS)
        v.bytes = QByteArray(4, '\0');
    return v;
}

} // namespace

Device::Device(const Model& model) : m_model(model) {}

QStringList Device::setDefaults(const std::map<Oid, Value>& values)
{
    QStringList warnings;
    m_defaults.clear();
    for (const auto& [oid, value] : values) {
        const VariableDef* def = m_model.find(oid);
        if (def && def->type != value.type) {
            warnings << QStringLiteral("%1 (%2) is a %3 here, the data file has a %4: served "
                                       "read-only as recorded")
                            .arg(oidText(oid), QString::fromLatin1(def->name),
                                 emptyValueOf(def->type).typeName(), value.typeName());
            def = nullptr;
        }
        m_defaults[oid] = Slot{value, def};
    }
    m_running = m_defaults;
    m_saved = configurationOf(m_running);
    static const Oid saveActivate = oidFromLiteral("privateRoot.4.5.1.0");
    m_hasSaveAndActivate = m_running.count(saveActivate) > 0;
    return warnings;
}

Value Device::read(const Slot& slot) const
{
    if (slot.def && slot.def->read)
        return slot.def->read(*this);
    return slot.value;
}

std::optional<Value> Device::value(const Oid& instance) const
{
    auto it = m_running.find(instance);
    if (it == m_running.end())
        return std::nullopt;
    return read(it->second);
}

void Device::store(const Oid& instance, const Value& value)
{
    Slot& slot = m_running[instance];
    slot.value = value;
    if (!slot.def)
        slot.def = m_model.find(instance);
}

SetOutcome Device::check(const std::vector<SetRequest>& requests) const
{
    for (size_t i = 0; i < requests.size(); ++i) {
        const SetOutcome outcome = checkOne(requests, i);
        if (outcome.status != SNMP_ERR_NOERROR)
            return outcome;
    }
    return {};
}

SetOutcome Device::checkOne(const std::vector<SetRequest>& requests, size_t position) const
{
    const SetRequest& request = requests[position];
    const int index = static_cast<int>(position) + 1;
    const VariableDef* def = m_model.find(request.oid);
    const auto slot = m_running.find(request.oid);
    if (slot != m_running.end() && slot->second.def == nullptr)
        def = nullptr; // recorded data the model does not know, or recorded with another type
    if (!def)
        return {slot == m_running.end() ? SNMP_ERR_NOCREATION : SNMP_ERR_NOTWRITABLE, index};
    if (!def->writable())
        return {SNMP_ERR_NOTWRITABLE, index};
    // A variable of the model that this device (its data file or variant) does not have.
    if (!def->table && slot == m_running.end())
        return {SNMP_ERR_NOCREATION, index};
    if (request.value.type != def->type)
        return {SNMP_ERR_WRONGTYPE, index};
    const Value& value = request.value;
    if (value.type == ASN_OCTET_STR || value.type == ASN_OPAQUE) {
        if (def->hasRange && (value.bytes.size() < def->low || value.bytes.size() > def->high))
            return {SNMP_ERR_WRONGLENGTH, index};
    } else if (value.type == ASN_INTEGER) {
        const qint64 n = value.asInteger();
        if (!def->accepted.empty() &&
            std::find(def->accepted.begin(), def->accepted.end(), n) == def->accepted.end())
            return {SNMP_ERR_WRONGVALUE, index};
        if (def->hasRange && (n < def->low || n > def->high))
            return {SNMP_ERR_WRONGVALUE, index};
    }
    if (def->table) {
        const int status = checkRow(requests, position, *def);
        if (status != SNMP_ERR_NOERROR)
            return {status, index};
    }
    if (def->validation) {
        const int status = def->validation(*this, request.oid, value);
        if (status != SNMP_ERR_NOERROR)
            return {status, index};
    }
    return {};
}

int Device::checkRow(const std::vector<SetRequest>& requests, size_t position,
                     const VariableDef& def) const
{
    const TableDef& table = *def.table;
    const Oid index = rowIndex(def, requests[position].oid);
    const unsigned column = static_cast<unsigned>(def.oid.back());
    const bool exists = rowExists(table, index);
    const qint64 n = requests[position].value.asInteger();
    // Rows have one integer index, the value of the index column.
    if (!exists && (index.size() != 1 || index[0] == 0 || index[0] > 2147483647u))
        return SNMP_ERR_NOCREATION;
    if (table.statusColumn != 0 && column == table.statusColumn) {
        switch (n) {
        case Active:
        case NotInService:
            return exists ? SNMP_ERR_NOERROR : SNMP_ERR_INCONSISTENTVALUE;
        case CreateAndGo:
        case CreateAndWait:
            return exists ? SNMP_ERR_INCONSISTENTVALUE : SNMP_ERR_NOERROR;
        case Destroy:
            return SNMP_ERR_NOERROR;
        default:
            return SNMP_ERR_WRONGVALUE;
        }
    }
    if (table.indexColumn != 0 && column == table.indexColumn &&
        (index.size() != 1 || static_cast<qint64>(index[0]) != n))
        return SNMP_ERR_INCONSISTENTVALUE;
    if (exists)
        return SNMP_ERR_NOERROR;
    // A new row needs its creation in the same request.
    if (table.statusColumn != 0) {
        const Oid status = cell(columnOid(table, table.statusColumn), index);
        for (const SetRequest& other : requests) {
            if (other.oid == status && (other.value.asInteger() == CreateAndGo ||
                                        other.value.asInteger() == CreateAndWait))
                return SNMP_ERR_NOERROR;
        }
    }
    return SNMP_ERR_NOCREATION;
}

bool Device::rowExists(const TableDef& table, const Oid& index) const
{
    for (const VariableDef* column : m_model.columns(table)) {
        if (m_running.count(cell(column->oid, index)))
            return true;
    }
    return false;
}

void Device::createRow(const TableDef& table, const Oid& index, qint64 status)
{
    for (const VariableDef* column : m_model.columns(table)) {
        Value value = emptyValueOf(column->type);
        const unsigned number = static_cast<unsigned>(column->oid.back());
        if (number == table.indexColumn && index.size() == 1)
            value = Value::integer(static_cast<qint64>(index[0]));
        else if (number == table.statusColumn)
            value = Value::integer(status == CreateAndGo ? Active : NotInService);
        m_running[cell(column->oid, index)] = Slot{value, column};
    }
}

void Device::destroyRow(const TableDef& table, const Oid& index)
{
    for (const VariableDef* column : m_model.columns(table))
        m_running.erase(cell(column->oid, index));
}

void Device::commit(const std::vector<SetRequest>& requests)
{
    // Rows are created first so that the other cells of the request land in them, and destroyed
    // last so that a request that both fills and destroys a row leaves no trace of it.
    std::vector<std::pair<const TableDef*, Oid>> destroyed;
    for (const SetRequest& request : requests) {
        const VariableDef* def = m_model.find(request.oid);
        if (def && def->table && def->table->statusColumn == def->oid.back()) {
            const qint64 n = request.value.asInteger();
            if (n == CreateAndGo || n == CreateAndWait)
                createRow(*def->table, rowIndex(*def, request.oid), n);
        }
    }
    for (const SetRequest& request : requests) {
        const VariableDef* def = m_model.find(request.oid);
        if (def->kind == Kind::Command)
            continue;
        if (def->table && def->table->statusColumn == def->oid.back()) {
            const qint64 n = request.value.asInteger();
            if (n == Destroy)
                destroyed.emplace_back(def->table, rowIndex(*def, request.oid));
            if (n != Active && n != NotInService)
                continue;
        }
        m_running[request.oid] = Slot{request.value, def};
    }
    for (const auto& [table, index] : destroyed)
        destroyRow(*table, index);
    for (const SetRequest& request : requests) {
        const VariableDef* def = m_model.find(request.oid);
        if (def->action)
            def->action(*this, request.oid, request.value);
    }
    if (!m_hasSaveAndActivate)
        m_saved = configurationOf(m_running);
}

std::map<Oid, Value> Device::configurationOf(const State& state) const
{
    std::map<Oid, Value> result;
    for (const auto& [oid, slot] : state) {
        if (slot.def && slot.def->kind == Kind::Config)
            result.emplace_hint(result.end(), oid, slot.value);
    }
    return result;
}

void Device::replaceConfiguration(const std::map<Oid, Value>& configuration)
{
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (it->second.def && it->second.def->kind == Kind::Config)
            it = m_running.erase(it);
        else
            ++it;
    }
    for (const auto& [oid, value] : configuration)
        m_running[oid] = Slot{value, m_model.find(oid)};
}

void Device::saveAndActivate(const Oid& trigger)
{
    m_saved = configurationOf(m_running);
    if (!m_pendingRestart)
        m_pendingRestart = RestartRequest{QStringLiteral("saveAndActivate"), trigger, false};
}

void Device::discardChanges()
{
    replaceConfiguration(m_saved);
}

void Device::restart(const QString& reason, const Oid& trigger)
{
    if (!m_pendingRestart)
        m_pendingRestart = RestartRequest{reason, trigger, false};
}

void Device::factoryReset(const Oid& trigger)
{
    m_pendingRestart = RestartRequest{QStringLiteral("factoryReset"), trigger, true};
}

RestartRequest Device::takeRestart()
{
    RestartRequest request = m_pendingRestart.value_or(RestartRequest{});
    m_pendingRestart.reset();
    if (request.factoryReset) {
        m_running = m_defaults;
        m_saved = configurationOf(m_running);
    } else {
        replaceConfiguration(m_saved);
    }
    return request;
}

void Device::boot()
{
    ++m_bootCount;
    m_sinceBoot.start();
    for (const VariableGroup* group : m_model.groups()) {
        if (group->onBoot)
            group->onBoot(*this);
    }
}

quint32 Device::uptimeTicks() const
{
    if (!m_sinceBoot.isValid())
        return 0;
    return static_cast<quint32>((m_sinceBoot.elapsed() / 10) & 0xFFFFFFFFu);
}

} // namespace sim
