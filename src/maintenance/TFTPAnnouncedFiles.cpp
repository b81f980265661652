#include "TFTPAnnouncedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Both separators count: names the device echoes may carry either.
QString WithSlashes(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString CleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(WithSlashes(path)).absoluteFilePath());
}

bool StartsWithDriveLetter(const QString& name)
{
    return name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter();
}

bool HasParentStep(const QString& name)
{
    const QStringList steps = name.split(QLatin1Char('/'));
    return steps.contains(QStringLiteral(".."));
}

// The canonical form of path's nearest existing ancestor (or of path itself), with the rest
// appended: what path would be once links are followed.
QString CanonicalOf(const QString& path)
{
    QString existing = path;
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return path;
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    return QFileInfo(existing).canonicalFilePath() + rest;
}

} // namespace

void TFTPAnnouncedFiles::AnnounceFile(const QString& path)
{
    const QString clean = CleanAbsolute(path);
    if (!m_files.contains(clean))
        m_files.append(clean);
}

void TFTPAnnouncedFiles::AnnounceFolder(const QString& folder)
{
    const QString clean = CleanAbsolute(folder);
    if (!m_folders.contains(clean))
        m_folders.append(clean);
}

QString TFTPAnnouncedFiles::Resolve(const QString& rootDirectory, const QString& requestedName,
                                    bool nameIsUtf8) const
{
    if (IsEmpty() || !nameIsUtf8)
        return QString();
    const QString name = WithSlashes(requestedName);
    if (name.isEmpty() || StartsWithDriveLetter(name) || HasParentStep(name))
        return QString();
    const QString root = WithSlashes(rootDirectory);
    if (!root.isEmpty() && name.startsWith(QLatin1Char('/')))
        return QString();
    const QString path = CleanAbsolute(root + name);
    if (m_files.contains(path) || IsBelowFolder(path))
        return path;
    return QString();
}

bool TFTPAnnouncedFiles::IsBelowFolder(const QString& path) const
{
    for (const QString& folder : m_folders) {
        const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + u'/';
        if (!path.startsWith(prefix))
            continue;
        // A link inside the folder may point anywhere; what counts is where the file really is.
        const QString realFolder = QFileInfo(folder).canonicalFilePath();
        if (realFolder.isEmpty())
            continue;
        const QString realPrefix =
            realFolder.endsWith(QLatin1Char('/')) ? realFolder : realFolder + u'/';
        if (CanonicalOf(path).startsWith(realPrefix))
            return true;
    }
    return false;
}
