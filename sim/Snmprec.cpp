#include "Snmprec.h"

#include <QFile>

namespace sim {

bool Snmprec::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return parse(file.readAll(), path);
}

bool Snmprec::parse(const QByteArray& text, const QString& sourceName)
{
    m_values.clear();
    m_warnings.clear();
    m_error.clear();
    int lineNumber = 0;
    for (const QByteArray& rawLine : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(rawLine).remove(u'\r');
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#'))
            continue;
        const auto where = QStringLiteral("%1:%2").arg(sourceName).arg(lineNumber);
        // The value is everything after the second bar, bars included.
        const qsizetype bar1 = line.indexOf(u'|');
        const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(u'|', bar1 + 1);
        if (bar2 < 0) {
            m_error = QStringLiteral("%1: expected OID|TAG|VALUE").arg(where);
            return false;
        }
        const auto oid = parseOid(QStringView(line).left(bar1));
        if (!oid) {
            m_error = QStringLiteral("%1: bad OID").arg(where);
            return false;
        }
        QString tagText = line.mid(bar1 + 1, bar2 - bar1 - 1).trimmed();
        const QStringView valueText = QStringView(line).mid(bar2 + 1);
        if (tagText.contains(u':')) {
            m_warnings
                << QStringLiteral("%1: variation modules are not simulated; skipped").arg(where);
            continue;
        }
        const bool hex = tagText.endsWith(u'x');
        if (hex)
            tagText.chop(1);
        bool ok = false;
        const int tag = tagText.toInt(&ok);
        if (!ok) {
            m_error = QStringLiteral("%1: bad tag").arg(where);
            return false;
        }
        QString why;
        auto value = valueFromTag(tag, hex, valueText, &why);
        if (!value) {
            m_warnings << QStringLiteral("%1: %2; skipped").arg(where, why);
            continue;
        }
        m_values[*oid] = *value;
    }
    return true;
}

} // namespace sim
