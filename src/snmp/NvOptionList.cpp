#include "NvOptionList.h"

namespace {

constexpr const char* kNull = "(NULL)";

} // namespace

NvOptionList::NvOptionList(const NvOptionRow* table, uint32_t kind, bool caseSensitive)
    : m_kind(kind), m_caseSensitive(caseSensitive)
{
    Add(table);
}

NvOptionList::NvOptionList(const NvOptionTextRow* table, uint32_t kind, bool caseSensitive)
    : m_kind(kind), m_caseSensitive(caseSensitive)
{
    Add(table);
}

void NvOptionList::Add(const NvOptionRow* table)
{
    for (const NvOptionRow* row = table; row && row->text; ++row) {
        OptionEntry entry;
        entry.value = row->value;
        entry.valueText = QString::number(row->value);
        entry.text = QString::fromUtf8(row->text);
        m_entries.append(entry);
    }
}

void NvOptionList::Add(const NvOptionTextRow* table)
{
    for (const NvOptionTextRow* row = table; row && row->text; ++row) {
        OptionEntry entry;
        entry.valueText = QString::fromUtf8(row->value ? row->value : "");
        bool ok = false;
        entry.value = entry.valueText.toInt(&ok);
        entry.text = QString::fromUtf8(row->text);
        m_entries.append(entry);
    }
}

bool NvOptionList::textEquals(const QString& a, const QString& b) const
{
    return QString::compare(a, b, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

bool NvOptionList::textStartsWith(const QString& text, const QString& prefix) const
{
    return text.startsWith(prefix, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

int NvOptionList::IndexOfText(const QString& text) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        const QString& entryText = m_entries[i].text;
        const bool match =
            m_kind == OPT_PREFIX ? textStartsWith(text, entryText) : textEquals(text, entryText);
        if (match)
            return i;
    }
    return -1;
}

int NvOptionList::IndexOfValue(const QString& text) const
{
    if (m_kind == OPT_NUMBER) {
        if (text == QLatin1String(kNull))
            return -1;
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            return -1;
        for (int i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].value == value)
                return i;
        }
        return -1;
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        const QString& valueText = m_entries[i].valueText;
        const bool match =
            m_kind == OPT_PREFIX ? textStartsWith(text, valueText) : textEquals(text, valueText);
        if (match)
            return i;
    }
    return -1;
}

QString NvOptionList::ValueToText(const QString& text) const
{
    const int index = IndexOfValue(text);
    if (index < 0)
        return text;
    const OptionEntry& entry = m_entries[index];
    if (m_kind == OPT_PREFIX)
        return entry.text + text.mid(entry.valueText.size());
    return entry.text;
}

QString NvOptionList::TextToValue(const QString& text) const
{
    const int index = IndexOfText(text);
    if (index < 0)
        return text;
    const OptionEntry& entry = m_entries[index];
    switch (m_kind) {
    case OPT_NUMBER:
        return QString::number(entry.value);
    case OPT_PREFIX:
        return entry.valueText + text.mid(entry.text.size());
    default:
        return entry.valueText;
    }
}

QStringList NvOptionList::Texts() const
{
    QStringList texts;
    texts.reserve(m_entries.size());
    for (const OptionEntry& entry : m_entries)
        texts.append(entry.text);
    return texts;
}

int NvOptionList::IndexToSelect(const QString& text) const
{
    const int byText = IndexOfText(text);
    return byText >= 0 ? byText : IndexOfValue(text);
}
