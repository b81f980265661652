#include "TFTPTargetFile.h"

#include <QFileInfo>
#include <cstdio>

TFTPTargetFile::TFTPTargetFile(QString targetPath) : m_targetPath(std::move(targetPath))
{
    const QFileInfo target(m_targetPath);
    m_file.setFileTemplate(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
}

bool TFTPTargetFile::Open()
{
    if (!m_file.open())
        return false;
    // The replacement keeps the old file's permissions; a new file gets the usual ones rather
    // than the temporary file's owner-only mode.
    const QFileInfo target(m_targetPath);
    m_file.setPermissions(target.exists() ? target.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    return true;
}

qint64 TFTPTargetFile::Write(const char* data, qint64 size)
{
    return m_file.write(data, size);
}

bool TFTPTargetFile::Commit()
{
    // No sync to disk: it would hold the event loop, the GUI's, for as long as the disk takes;
    // the rename alone already keeps the old file until the new one is complete.
    if (!m_file.flush())
        return false;
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(),
                    QFile::encodeName(m_targetPath).constData()) != 0)
        return false;
    m_file.setAutoRemove(false);
    m_file.close();
    return true;
}
