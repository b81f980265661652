#include "NvSyntax.h"

#include "NvOptionList.h"

#include <QString>

namespace {

const NvOptionRow kSyntaxKeywordRows[] = {
    {SYN_INTEGER, "integer"},
    {SYN_BITS, "bitstr"},
    {SYN_OCTETS, "octetstr"},
    {SYN_NULL, "null"},
    {SYN_OID, "objectid"},
    {SYN_IPADDRESS, "ipaddress"},
    {SYN_COUNTER32, "counter"},
    {SYN_GAUGE32, "guage"},
    {SYN_TIMETICKS, "timeticks"},
    {SYN_OPAQUE, "opaque"},
    {SYN_COUNTER64, "counter64"},
    {SYN_BOOLEAN, "boolean"},
    {SYN_NSAP, "nsapaddr"},
    {SYN_UINTEGER32, "uinteger"},
    {SYN_DOUBLE, "double"},
    {SYN_MACADDRESS, "macaddress"},
    {SYN_DATEANDTIME, "datetime"},
    {SYN_DATETIME_REAL, "bcdatetime"},
    {SYN_DISPLAYSTRING, "displaystr"},
    {SYN_BOOL8, "bool8"},
    {SYN_INT8, "int8"},
    {SYN_UINT8, "uint8"},
    {SYN_BOOL16, "bool16"},
    {SYN_INT16, "int16"},
    {SYN_UINT16, "uint16"},
    {0, nullptr},
};

const NvOptionRow kAccessKeywordRows[] = {
    {VAR_KEY, "notaccess"},   {VAR_READ, "readonly"},
    {VAR_WRITE, "writeonly"}, {VAR_READWRITE, "readwrite"},
    {VAR_DERIVED, "derived"}, {VAR_HIDDEN, "hidden"},
    {VAR_SKIP, "invalid"},    {0, nullptr},
};

const char* const kListKindKeywords[] = {"SVT_SV", "MVT_SV", "MVT_FMV", "MVT_UMV"};

} // namespace

bool IsHexSyntax(uint32_t syntax)
{
    return syntax == SYN_BITS || syntax == SYN_OCTETS || syntax == SYN_OPAQUE ||
           syntax == SYN_MACADDRESS;
}

bool IsEmptyWhenAbsent(uint32_t syntax)
{
    return syntax == SYN_DISPLAYSTRING || IsHexSyntax(syntax);
}

QString ListKindKeyword(uint32_t kind)
{
    if (kind > LIST_TABLE_ROWS)
        return QString();
    return QString::fromLatin1(kListKindKeywords[kind]);
}

int ListKindOfKeyword(const QString& keyword)
{
    for (int kind = LIST_SCALAR; kind <= LIST_TABLE_ROWS; ++kind) {
        if (keyword.compare(QLatin1String(kListKindKeywords[kind]), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return -1;
}

const NvOptionList& SyntaxKeywords()
{
    static const NvOptionList list(kSyntaxKeywordRows);
    return list;
}

const NvOptionList& AccessKeywords()
{
    static const NvOptionList list(kAccessKeywordRows);
    return list;
}
