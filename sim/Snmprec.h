#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>
#include <map>

namespace sim {

// The variables of a data file in snmpsim's .snmprec form: one "OID|TAG|VALUE" per line, where a
// tag ending in "x" means the value is written in hex. Lines that use snmpsim's variation modules
// ("TAG:module") or tags this device cannot serve are skipped with a warning, so a recording of
// any agent loads; a line that is not of that form at all makes the whole file fail.
class Snmprec
{
public:
    bool load(const QString& path);
    bool parse(const QByteArray& text, const QString& sourceName);

    const std::map<Oid, Value>& values() const { return m_values; }
    const QStringList& warnings() const { return m_warnings; }
    const QString& errorString() const { return m_error; }

private:
    std::map<Oid, Value> m_values;
    QStringList m_warnings;
    QString m_error;
};

} // namespace sim
