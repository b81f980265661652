#pragma once

#include <QFile>
#include <QJsonObject>
#include <QString>

namespace sim {

// One JSON object per line, written through at once so that a test reading the file while the
// simulator runs sees every event that has happened. Without a file, events go nowhere.
class EventLog
{
public:
    bool open(const QString& path);
    QString errorString() const { return m_file.errorString(); }
    // Adds "time" (UTC, ISO 8601 with milliseconds) and "event".
    void write(const QString& event, QJsonObject fields);

private:
    QFile m_file;
};

} // namespace sim
