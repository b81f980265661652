#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One module per device: a lock named from the window caption, held for the life of the
// process. A lock whose owner died is taken over; a live owner refuses the second instance.
class NvInstanceLock
{
public:
    NvInstanceLock();
    ~NvInstanceLock();
    NvInstanceLock(const NvInstanceLock&) = delete;
    NvInstanceLock& operator=(const NvInstanceLock&) = delete;

    // False when another live process holds the lock of that name.
    bool Acquire(const QString& name);
    bool isHeld() const;

    // The lock file of a name: in the runtime folder (the temp folder when there is none),
    // with the name percent-encoded so that different names never share a file.
    static QString LockFilePath(const QString& name);

private:
    std::unique_ptr<QLockFile> m_lock;
};
