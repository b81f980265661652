#pragma once

#include <QString>
#include <QStringList>

// The files a server may read and write: those its page announced before telling the device a
// name, or every file below a folder. Any request is first confined to the root directory.
class TFTPAnnouncedFiles
{
public:
    // One file, by its local path.
    void AnnounceFile(const QString& path);
    // Every file below folder, in its subfolders too, but not through links leading out of it.
    void AnnounceFolder(const QString& folder);
    bool IsEmpty() const { return m_files.isEmpty() && m_folders.isEmpty(); }

    // The local path of the file a request names, or an empty text when the request is refused:
    // nothing announced yet, a name that is not UTF-8 or would leave the root (an absolute path
    // under a root, a drive letter, a ".." step, with "\" counted as a separator too), or a file
    // that was not announced. An empty root takes the name as the local path.
    QString Resolve(const QString& rootDirectory, const QString& requestedName,
                    bool nameIsUtf8 = true) const;

private:
    bool IsBelowFolder(const QString& path) const;

    QStringList m_files;   // clean absolute paths
    QStringList m_folders; // clean absolute paths
};
