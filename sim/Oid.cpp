#include "Oid.h"

#include <QList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {

const Oid& privateRoot()
{
    static const Oid root = [] {
        auto parsed = parseOid(QStringLiteral(QTR_PRIVATE_ROOT));
        if (!parsed || parsed->empty()) {
            std::fprintf(stderr, "qtr9000kx-sim: bad private root %s\n", QTR_PRIVATE_ROOT);
            std::abort();
        }
        return *parsed;
    }();
    return root;
}

std::optional<Oid> parseOid(QStringView text)
{
    Oid result;
    QStringView rest = text.trimmed();
    static const QString rootName = QStringLiteral("privateRoot");
    if (rest.startsWith(rootName)) {
        result = privateRoot();
        rest = rest.mid(rootName.size());
        if (rest.isEmpty())
            return result;
        if (!rest.startsWith(u'.'))
            return std::nullopt;
    }
    if (rest.startsWith(u'.'))
        rest = rest.mid(1);
    if (rest.isEmpty())
        return std::nullopt;
    for (QStringView arc : rest.split(u'.')) {
        // toULongLong alone would accept a sign and blanks; an arc is ASCII digits only.
        if (arc.isEmpty() || arc.size() > 10)
            return std::nullopt;
        for (QChar c : arc) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        const qulonglong number = arc.toULongLong();
        if (number > MAX_SUBID)
            return std::nullopt;
        result.push_back(static_cast<oid>(number));
    }
    if (result.size() > MAX_OID_LEN)
        return std::nullopt;
    return result;
}

Oid oidFromLiteral(const char* text)
{
    auto parsed = parseOid(QString::fromLatin1(text));
    if (!parsed) {
        std::fprintf(stderr, "qtr9000kx-sim: bad OID in the model: %s\n", text);
        std::abort();
    }
    return *parsed;
}

QString oidText(const Oid& value)
{
    QString text;
    text.reserve(static_cast<int>(value.size()) * 3);
    for (size_t i = 0; i < value.size(); ++i) {
        if (i > 0)
            text += u'.';
        text += QString::number(static_cast<qulonglong>(value[i]));
    }
    return text;
}

bool hasPrefix(const Oid& value, const Oid& prefix)
{
    return value.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), value.begin());
}

} // namespace sim
