#include "NvBootCounter.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cstdio>

namespace {

struct Entry
{
    QByteArray engineId;
    uint32_t boots = 0;
};

// Reads every entry; false when the file exists but cannot be read or is malformed.
bool readEntries(const QString& path, QList<Entry>& entries)
{
    entries.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() != 2)
            return false;
        const QByteArray id = QByteArray::fromHex(fields[0]);
        bool ok = false;
        const uint boots = fields[1].toUInt(&ok);
        if (!ok || id.isEmpty() || id.toHex().toUpper() != fields[0].toUpper())
            return false;
        entries.append({id, boots});
    }
    return true;
}

} // namespace

namespace NvBootCounter {

QString FilePath(const QString& folder)
{
    const QString name = QStringLiteral("NvSNMP_PP_BootCounter");
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool Load(const QString& path, const QByteArray& engineId, uint32_t& boots)
{
    boots = 0;
    QList<Entry> entries;
    if (!readEntries(path, entries))
        return false;
    for (const Entry& entry : entries) {
        if (entry.engineId == engineId) {
            boots = entry.boots;
            break;
        }
    }
    return true;
}

bool Save(const QString& path, const QByteArray& engineId, uint32_t boots)
{
    QList<Entry> entries;
    if (!readEntries(path, entries))
        entries.clear(); // an unreadable old file is replaced rather than kept
    bool found = false;
    for (Entry& entry : entries) {
        if (entry.engineId == engineId) {
            entry.boots = boots;
            found = true;
        }
    }
    if (!found)
        entries.append({engineId, boots});
    QByteArray content;
    for (const Entry& entry : entries)
        content += entry.engineId.toHex().toUpper() + ' ' + QByteArray::number(entry.boots) + '\n';
    // A whole new file renamed over the old one: a crash leaves the old count or the new one,
    // never half a file. No sync to disk: it would cost more than the rest of a start.
    const QString temporary = path + QStringLiteral(".new");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(content) == content.size() && file.flush();
    file.close();
    if (!written || std::rename(QFile::encodeName(temporary).constData(),
                                QFile::encodeName(path).constData())) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace NvBootCounter
