#pragma once

#include "NvSyntax.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <memory>
#include <optional>

class NvOptionList;

// One record of a compiled-in variable table. A table ends with a record whose oid is null.
// oid: dotted OID (a scalar without ".0", a table column without index); " " marks a key item
// without an OID of its own.
struct NvSNMPVarRecord
{
    const char* oid;
    const char* name;
    uint32_t syntax;
    uint32_t flags;
    const NvOptionList* options;
    const char* getExpr;
    const char* setExpr;
    const char* spareText;
    const char* value;
    const char* instanceOid;
};

// A record with the fields every table of the module uses; expressions, spare text and initial
// texts stay absent.
constexpr NvSNMPVarRecord NvVar(const char* oid, const char* name, uint32_t syntax, uint32_t flags,
                                const NvOptionList* options = nullptr)
{
    return {oid, name, syntax, flags, options, nullptr, nullptr, nullptr, nullptr, nullptr};
}

// The record that ends a table.
constexpr NvSNMPVarRecord kNvVarEnd = {nullptr, nullptr, 0,       0,       nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr};

// One variable of a list: built from a record, with its current value as text.
struct NvSNMPVarItem
{
    QString oid;
    QString name;
    uint32_t syntax = 0;
    uint32_t flags = 0;
    const NvOptionList* options = nullptr; // shared with the table, not owned
    std::optional<QString> getExpr;
    std::optional<QString> setExpr;
    std::optional<QString> spareText;
    QString value;       // current value text in the form its syntax prescribes
    QString instanceOid; // full OID of the instance last read or addressed

    static NvSNMPVarItem FromRecord(const NvSNMPVarRecord& record);
};

// The variables a page works on, built from a static table.
class NvSNMPVarList
{
public:
    NvSNMPVarList();
    NvSNMPVarList(const NvSNMPVarRecord* table, uint8_t kind, int32_t keyCount);
    NvSNMPVarList(const NvSNMPVarList& other);
    NvSNMPVarList& operator=(const NvSNMPVarList& other);
    ~NvSNMPVarList();

    void AppendTable(const NvSNMPVarRecord* table);
    // Copies kind, keyCount, name and every item (flags, value and instanceOid included);
    // instance stays as it is.
    void Assign(const NvSNMPVarList& other);

    int Count() const { return m_items.size(); }
    NvSNMPVarItem& Item(int i) { return m_items[i]; }
    const NvSNMPVarItem& Item(int i) const { return m_items[i]; }

    bool IsReadable(int i) const;
    bool IsWritable(int i) const;
    bool IsImplied(int i) const;
    bool IsShownColumn(int i) const;
    bool IsHiddenColumn(int i) const;
    int ShownCount() const;
    int HiddenCount() const;
    bool IsTable() const { return kind == LIST_TABLE || kind == LIST_TABLE_ROWS; }

    // Takes ownership of an option list that lives as long as this list.
    void AdoptOptionList(std::unique_ptr<NvOptionList> options);

    QString instance;
    int32_t keyCount = 0;
    uint8_t kind = LIST_SCALAR;
    QString name;

private:
    QVector<NvSNMPVarItem> m_items;
    std::vector<std::shared_ptr<NvOptionList>> m_ownedOptionLists;
};
