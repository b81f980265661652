#pragma once

#include <QString>
#include <QTemporaryFile>

// The file an upload writes into: a temporary file beside the target, moved over the target only
// once the last block is in, so that a failed, cancelled or timed-out upload leaves the old file
// as it was and no partial file behind.
class TFTPTargetFile
{
public:
    explicit TFTPTargetFile(QString targetPath);
    // Removes the temporary file unless it has been moved over the target.
    ~TFTPTargetFile() = default;
    TFTPTargetFile(const TFTPTargetFile&) = delete;
    TFTPTargetFile& operator=(const TFTPTargetFile&) = delete;

    bool Open();
    // The bytes written, or -1.
    qint64 Write(const char* data, qint64 size);
    // Writes out what is buffered and replaces the target; false when either fails.
    bool Commit();

private:
    QString m_targetPath;
    QTemporaryFile m_file;
};
