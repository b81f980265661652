#pragma once

#include "NvSNMPTypes.h"

#include <QString>
#include <cstdint>
#include <vector>

// Conversion between the value texts of the syntaxes and SNMP values, and the row-index arcs of
// table keys. Option lists are not applied here; the request does that around these calls.
// Every function raises NvError -511 for a syntax the engine does not convert.
namespace NvSNMPValueCodec {

// The wire type a syntax is written as (SYN_COUNTER32 goes out as Gauge32, SYN_DOUBLE as an
// OCTET STRING ...). Raises -511 for the partial-data syntaxes and unknown codes.
uint8_t WireTypeOf(uint32_t syntax);

// The value text of a binding read for an item of the syntax. A binding without a printable
// value (null, noSuchObject ...) gives "(NULL)", or an empty text for SYN_DISPLAYSTRING; the
// hexadecimal syntaxes give their (possibly empty) octets.
QString ValueText(uint32_t syntax, const NvSNMPVb& vb);

// Fills vb's type and value from a value text; "(NULL)" gives a null value for every syntax. A
// text that cannot be an IpAddress, an OID or a date raises -511 rather than send a wrong value.
void FillVb(uint32_t syntax, const QString& text, NvSNMPVb& vb);

// Row-index arcs of a key value ("ab" as SYN_DISPLAYSTRING: "2.97.98", implied "97.98").
QString EncodeIndex(uint32_t syntax, const QString& value, bool lastImplied);
// Reads one key value from the front of a dotted suffix; returns the unread rest.
QString DecodeIndex(uint32_t syntax, const QString& suffix, bool lastImplied, QString& value);

// "yyyy/mm/dd hh:nn:ss am/pm" and back, for a day count since 30 December 1899 whose fraction is
// the time of day. Parsing raises -511 for a text that is no date.
QString DayCountToText(double dayCount);
double TextToDayCount(const QString& text);

// Dotted decimal arcs (a leading dot is allowed); false for anything else or more than 128 arcs.
bool ParseOid(const QString& text, std::vector<uint32_t>& arcs);
// The same into a buffer of the caller's (at most capacity arcs), for the hot paths.
bool ParseOid(const QString& text, uint32_t* arcs, size_t capacity, size_t& count);
QString OidText(const uint32_t* arcs, size_t count);
// Four decimal numbers 0..255 joined by "." into four octets.
bool ParseDottedQuad(const QString& text, QByteArray& octets);
QString DottedQuad(const QByteArray& octets);

} // namespace NvSNMPValueCodec
