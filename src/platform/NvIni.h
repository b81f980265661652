#pragma once

#include <QString>

// Reads INI-style files the way the platform's private-profile reader does: sections and keys
// match without regard to case, values lose leading and trailing blanks and control characters
// and are cut to 4095 characters, and a missing file, section or key or an empty value gives the
// default. Lines starting with ';' are comments. The file is read anew on every call, so a file
// the platform rewrites is always seen as it is now.
class NvIni
{
public:
    explicit NvIni(QString fileName = QString()) : m_fileName(std::move(fileName)) {}

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    bool SectionExists(const QString& section) const;

    static constexpr int kMaxValueLength = 4095;

private:
    QString m_fileName;
};
