#include "NvInstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QUrl>

NvInstanceLock::NvInstanceLock() = default;

NvInstanceLock::~NvInstanceLock() = default;

QString NvInstanceLock::LockFilePath(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString file =
        QString::fromLatin1(QUrl::toPercentEncoding(name)) + QStringLiteral(".lock");
    return QDir(folder).filePath(file);
}

bool NvInstanceLock::Acquire(const QString& name)
{
    auto lock = std::make_unique<QLockFile>(LockFilePath(name));
    // Never stale by age: only a dead owner gives the lock up.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool NvInstanceLock::isHeld() const
{
    return m_lock && m_lock->isLocked();
}
