#include "NvPaths.h"

#include <QDir>
#include <QFileInfo>

namespace NvPaths {

namespace {
QString slashed(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
} // namespace

QString Join(const QString& folder, const QString& relative)
{
    if (folder.isEmpty())
        return slashed(relative);
    QString base = slashed(folder);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + slashed(relative);
}

QString ResolveIgnoringCase(const QString& path)
{
    const QString normal = slashed(path);
    if (normal.isEmpty() || QFileInfo::exists(normal))
        return normal;
    const bool absolute = normal.startsWith(QLatin1Char('/'));
    QDir dir = absolute ? QDir::root() : QDir::current();
    const QStringList parts = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString resolved = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString match;
        if (part == QLatin1String(".") || part == QLatin1String("..") || dir.exists(part)) {
            match = part;
        } else {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    match = entry;
                    break;
                }
            }
        }
        if (match.isEmpty())
            return normal;
        resolved += match;
        if (i + 1 < parts.size()) {
            resolved += QLatin1Char('/');
            if (!dir.cd(match))
                return normal;
        }
    }
    return resolved;
}

} // namespace NvPaths
