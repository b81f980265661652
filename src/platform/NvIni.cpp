#include "NvIni.h"

#include <QFile>

namespace {

// Blanks and control characters, as the reader strips them.
QString stripped(QStringView text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin).toString();
}

bool sectionName(const QString& line, QString& name)
{
    const QString text = stripped(line);
    if (!text.startsWith(QLatin1Char('[')))
        return false;
    const int close = text.indexOf(QLatin1Char(']'));
    name = stripped(QStringView(text).mid(1, close < 0 ? text.size() - 1 : close - 1));
    return true;
}

template <typename Visitor> void forEachLine(const QString& fileName, Visitor visit)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    const QString content = QString::fromUtf8(file.readAll());
    for (const QStringView line : QStringView(content).split(QLatin1Char('\n'))) {
        if (!visit(line.toString()))
            return;
    }
}

} // namespace

QString NvIni::ReadString(const QString& section, const QString& key,
                          const QString& defaultValue) const
{
    QString value;
    bool found = false;
    bool inSection = false;
    bool sectionSeen = false;
    forEachLine(m_fileName, [&](const QString& line) {
        QString name;
        if (sectionName(line, name)) {
            // The first section of that name is the one that counts.
            if (sectionSeen && inSection)
                return false;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            return true;
        }
        if (!inSection)
            return true;
        const QString text = stripped(line);
        if (text.startsWith(QLatin1Char(';')))
            return true;
        const int equals = text.indexOf(QLatin1Char('='));
        if (equals < 0)
            return true;
        if (stripped(QStringView(text).left(equals)).compare(key, Qt::CaseInsensitive) != 0)
            return true;
        value = stripped(QStringView(text).mid(equals + 1)).left(kMaxValueLength);
        found = true;
        return false;
    });
    return found && !value.isEmpty() ? value : defaultValue;
}

bool NvIni::SectionExists(const QString& section) const
{
    bool exists = false;
    forEachLine(m_fileName, [&](const QString& line) {
        QString name;
        if (sectionName(line, name) && name.compare(section, Qt::CaseInsensitive) == 0) {
            exists = true;
            return false;
        }
        return true;
    });
    return exists;
}
