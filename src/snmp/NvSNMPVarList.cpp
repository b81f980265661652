#include "NvSNMPVarList.h"

#include "NvOptionList.h"

namespace {

std::optional<QString> optionalText(const char* text)
{
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(text);
}

} // namespace

NvSNMPVarItem NvSNMPVarItem::FromRecord(const NvSNMPVarRecord& record)
{
    NvSNMPVarItem item;
    item.oid = QString::fromLatin1(record.oid);
    item.name = QString::fromUtf8(record.name ? record.name : "");
    item.syntax = record.syntax;
    item.flags = record.flags;
    item.options = record.options;
    item.getExpr = optionalText(record.getExpr);
    item.setExpr = optionalText(record.setExpr);
    item.spareText = optionalText(record.spareText);
    if (record.value)
        item.value = QString::fromUtf8(record.value);
    if (record.instanceOid)
        item.instanceOid = QString::fromLatin1(record.instanceOid);
    return item;
}

NvSNMPVarList::NvSNMPVarList() = default;

NvSNMPVarList::NvSNMPVarList(const NvSNMPVarRecord* table, uint8_t kind_, int32_t keyCount_)
    : keyCount(keyCount_), kind(kind_)
{
    AppendTable(table);
}

NvSNMPVarList::NvSNMPVarList(const NvSNMPVarList& other)
{
    Assign(other);
}

NvSNMPVarList& NvSNMPVarList::operator=(const NvSNMPVarList& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

NvSNMPVarList::~NvSNMPVarList() = default;

void NvSNMPVarList::AppendTable(const NvSNMPVarRecord* table)
{
    if (!table)
        return;
    int count = 0;
    while (table[count].oid)
        ++count;
    m_items.reserve(m_items.size() + count);
    for (int i = 0; i < count; ++i)
        m_items.append(NvSNMPVarItem::FromRecord(table[i]));
}

void NvSNMPVarList::Assign(const NvSNMPVarList& other)
{
    if (this == &other)
        return;
    kind = other.kind;
    keyCount = other.keyCount;
    name = other.name;
    m_items = other.m_items;
    // Items of the copy may refer to option lists the other list owns: share their lifetime.
    m_ownedOptionLists = other.m_ownedOptionLists;
}

bool NvSNMPVarList::IsReadable(int i) const
{
    const uint32_t flags = m_items[i].flags;
    return !(flags & VAR_SKIP) && (flags & VAR_READ);
}

bool NvSNMPVarList::IsWritable(int i) const
{
    const uint32_t flags = m_items[i].flags;
    if (flags & VAR_SKIP)
        return false;
    if (flags & VAR_WRITE)
        return true;
    return IsTable() && i < keyCount;
}

bool NvSNMPVarList::IsImplied(int i) const
{
    return m_items[i].flags & VAR_IMPLIED;
}

bool NvSNMPVarList::IsShownColumn(int i) const
{
    const uint32_t flags = m_items[i].flags;
    return !(flags & (VAR_SKIP | VAR_HIDDEN)) && (flags & (VAR_KEY | VAR_DERIVED | VAR_READ));
}

bool NvSNMPVarList::IsHiddenColumn(int i) const
{
    const uint32_t flags = m_items[i].flags;
    return flags == VAR_WRITE || (flags & VAR_SKIP) || (flags & VAR_HIDDEN);
}

int NvSNMPVarList::ShownCount() const
{
    int count = 0;
    for (int i = 0; i < m_items.size(); ++i)
        count += IsShownColumn(i) ? 1 : 0;
    return count;
}

int NvSNMPVarList::HiddenCount() const
{
    int count = 0;
    for (int i = 0; i < m_items.size(); ++i)
        count += IsHiddenColumn(i) ? 1 : 0;
    return count;
}

void NvSNMPVarList::AdoptOptionList(std::unique_ptr<NvOptionList> options)
{
    m_ownedOptionLists.push_back(std::shared_ptr<NvOptionList>(std::move(options)));
}
