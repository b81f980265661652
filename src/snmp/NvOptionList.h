#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

enum NvOptionKind : uint32_t
{
    OPT_NUMBER = 1, // value: a 32-bit integer
    OPT_TEXT = 2,   // value: a text
    OPT_PREFIX = 3, // value: a prefix; the rest of the text is kept
};

// A row of a static option table; a row whose text is null ends the table.
struct NvOptionRow
{
    int32_t value;
    const char* text;
};

// A row of a static option table of kind OPT_TEXT or OPT_PREFIX.
struct NvOptionTextRow
{
    const char* value;
    const char* text;
};

struct OptionEntry
{
    int32_t value = 0; // OPT_NUMBER
    QString valueText; // OPT_TEXT, OPT_PREFIX
    QString text;
};

// Maps the values of an enumerated variable to the texts shown to the user. The entry order is
// the item order of combo boxes and radio groups; the first matching entry always wins.
class NvOptionList
{
public:
    NvOptionList(const NvOptionRow* table, uint32_t kind = OPT_NUMBER, bool caseSensitive = false);
    NvOptionList(const NvOptionTextRow* table, uint32_t kind, bool caseSensitive = false);

    void Add(const NvOptionRow* table);
    void Add(const NvOptionTextRow* table);

    uint32_t kind() const { return m_kind; }
    bool caseSensitive() const { return m_caseSensitive; }
    int count() const { return m_entries.size(); }
    const OptionEntry& Entry(int index) const { return m_entries.at(index); }

    int IndexOfText(const QString& text) const;
    int IndexOfValue(const QString& text) const;
    QString ValueToText(const QString& text) const;
    QString TextToValue(const QString& text) const;

    // The entry texts in entry order: what a combo box or radio group is filled with.
    QStringList Texts() const;
    // The entry a control selects for a value or display text: by text, else by value; -1 none.
    int IndexToSelect(const QString& text) const;

private:
    bool textEquals(const QString& a, const QString& b) const;
    bool textStartsWith(const QString& text, const QString& prefix) const;

    uint32_t m_kind;
    bool m_caseSensitive;
    QVector<OptionEntry> m_entries;
};
