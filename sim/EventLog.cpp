#include "EventLog.h"

#include <QDateTime>
#include <QJsonDocument>

namespace sim {

bool EventLog::open(const QString& path)
{
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

void EventLog::write(const QString& event, QJsonObject fields)
{
    if (!m_file.isOpen())
        return;
    fields.insert(QStringLiteral("time"),
                  QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    fields.insert(QStringLiteral("event"), event);
    // One write per line: a reader never sees half an event.
    m_file.write(QJsonDocument(fields).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace sim
