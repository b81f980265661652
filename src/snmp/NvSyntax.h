#pragma once

#include <cstdint>

class NvOptionList;
class QString;

// Syntax codes of a variable: how its value text is formed and how it travels on the wire.
enum NvSyntax : uint32_t
{
    SYN_BOOLEAN = 1,
    SYN_INTEGER = 2,
    SYN_BITS = 3,
    SYN_OCTETS = 4,
    SYN_NULL = 5,
    SYN_OID = 6,
    SYN_IPADDRESS = 0x40,
    SYN_COUNTER32 = 0x41,
    SYN_GAUGE32 = 0x42,
    SYN_TIMETICKS = 0x43,
    SYN_OPAQUE = 0x44,
    SYN_NSAP = 0x45,
    SYN_COUNTER64 = 0x46,
    SYN_UINTEGER32 = 0x47,
    SYN_DOUBLE = 0x48,
    SYN_MACADDRESS = 0x49,
    SYN_DATEANDTIME = 0x4A,
    SYN_DATETIME_REAL = 0x4B,
    SYN_DISPLAYSTRING = 0x4C,
    // Partial-data syntaxes: only the binding layer knows them.
    SYN_BOOL8 = 0xC1,
    SYN_INT8 = 0xC2,
    SYN_UINT8 = 0xC3,
    SYN_BOOL16 = 0xC4,
    SYN_INT16 = 0xC5,
    SYN_UINT16 = 0xC6,
};

// Item flags. The access values double as the access keywords.
enum NvVarFlag : uint32_t
{
    VAR_KEY = 0x01,
    VAR_READ = 0x02,
    VAR_WRITE = 0x04,
    VAR_DERIVED = 0x08,
    VAR_HIDDEN = 0x10,
    VAR_SKIP = 0x20,
    VAR_IMPLIED = 0x40,
};
constexpr uint32_t VAR_READWRITE = VAR_READ | VAR_WRITE;

// List kinds.
enum NvListKind : uint8_t
{
    LIST_SCALAR = 0,
    LIST_INSTANCE = 1,
    LIST_TABLE = 2,
    LIST_TABLE_ROWS = 3,
};

// True for the syntaxes whose value text is hexadecimal octets.
bool IsHexSyntax(uint32_t syntax);

// True for the syntaxes whose "no value" text is empty rather than "(NULL)" after a read.
bool IsEmptyWhenAbsent(uint32_t syntax);

// Keyword of a list kind ("SVT_SV" ...); empty for an unknown kind.
QString ListKindKeyword(uint32_t kind);
// Kind of a keyword, or -1.
int ListKindOfKeyword(const QString& keyword);

// The two keyword lists: syntax keywords ("integer" 2 ...) and access keywords ("readonly" 2 ...).
const NvOptionList& SyntaxKeywords();
const NvOptionList& AccessKeywords();
