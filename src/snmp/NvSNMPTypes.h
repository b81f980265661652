#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The parameter groups of a request and its result record. Nothing here depends on the SNMP
// library: the engine translates these to and from net-snmp in NvSNMPTransport.cpp only.

// The device a request talks to.
struct NvSNMPDevice
{
    QString address; // IPv4 dotted address or host name
    uint16_t port = 0;

    bool operator==(const NvSNMPDevice& other) const
    {
        return address == other.address && port == other.port;
    }
};

// SNMPv3 context; both texts go into every PDU (they matter for SNMPv3 only). A context engine
// ID written "0x..." is hexadecimal octets; any other text is used as its octets.
struct NvSNMPScope
{
    QString contextEngineId;
    QString contextName;
};

// SNMP versions as the command line and profile give them.
enum NvSNMPVersion : uint8_t
{
    SNMP_VERSION_CODE_1 = 0,
    SNMP_VERSION_CODE_2C = 1,
    SNMP_VERSION_CODE_2 = 2, // "/v2" on the command line: treated as SNMPv2c
    SNMP_VERSION_CODE_3 = 3,
};

// Security codes in the library's numbering; AES and the SHA-2 family are further codes.
enum NvSNMPSecurityCode : int32_t
{
    SECURITY_MODEL_USM = 3,

    SECURITY_LEVEL_NOAUTH_NOPRIV = 1,
    SECURITY_LEVEL_AUTH_NOPRIV = 2,
    SECURITY_LEVEL_AUTH_PRIV = 3,

    AUTH_PROTOCOL_NONE = 1,
    AUTH_PROTOCOL_MD5 = 2,
    AUTH_PROTOCOL_SHA = 3,
    AUTH_PROTOCOL_SHA224 = 4,
    AUTH_PROTOCOL_SHA256 = 5,
    AUTH_PROTOCOL_SHA384 = 6,
    AUTH_PROTOCOL_SHA512 = 7,

    PRIV_PROTOCOL_NONE = 1,
    PRIV_PROTOCOL_DES = 2,
    PRIV_PROTOCOL_AES = 3, // AES-128 (RFC 3826)
};

// Community or user-based security of a request.
struct NvSNMPSecurity
{
    uint8_t version = SNMP_VERSION_CODE_1; // other codes go to the library unchanged
    QString readCommunity;
    QString writeCommunity;
    int32_t securityModel = 1;
    int32_t securityLevel = SECURITY_LEVEL_NOAUTH_NOPRIV;
    QString securityName;
    QString authPassword;
    QString privPassword;
    int32_t authProtocol = AUTH_PROTOCOL_NONE;
    int32_t privProtocol = PRIV_PROTOCOL_NONE;
};

// The outcome of an operation: a catalog code (0 = success) with its text.
struct NvSNMPError
{
    int32_t code = 0;
    int32_t errorIndex = 0; // the agent's error index (1-based); 0 when no agent answered
    QString message;
    NvSNMPDevice peer;     // who answered; empty for errors found before sending
    bool final = false;    // completions: no further GET-NEXT is due
    uint64_t sequence = 0; // the request's errorCount after counting this error; 0 in completions
};

// ASN.1 tags of the values a variable binding can carry.
enum NvVbType : uint8_t
{
    VB_INTEGER = 0x02,
    VB_OCTETS = 0x04,
    VB_NULL = 0x05,
    VB_OID = 0x06,
    VB_IPADDRESS = 0x40,
    VB_COUNTER32 = 0x41,
    VB_GAUGE32 = 0x42,
    VB_TIMETICKS = 0x43,
    VB_OPAQUE = 0x44,
    VB_COUNTER64 = 0x46,
    VB_UINTEGER32 = 0x47,
    VB_NOSUCHOBJECT = 0x80,
    VB_NOSUCHINSTANCE = 0x81,
    VB_ENDOFMIBVIEW = 0x82,
};

// One variable binding: the OID and a typed value.
struct NvSNMPVb
{
    QString oid;            // dotted decimal arcs, no leading dot
    uint8_t type = VB_NULL; // an NvVbType
    int64_t integer = 0; // INTEGER (signed); Counter32, Gauge32, TimeTicks, UInteger32 (0..2^32-1)
    uint64_t counter64 = 0; // Counter64
    QByteArray octets;      // OCTET STRING, Opaque, IpAddress (4 octets, network order)
    QString objectId;       // OBJECT IDENTIFIER value, dotted

    bool IsException() const
    {
        return type == VB_NOSUCHOBJECT || type == VB_NOSUCHINSTANCE || type == VB_ENDOFMIBVIEW;
    }
    bool IsUnsigned32() const
    {
        return type == VB_COUNTER32 || type == VB_GAUGE32 || type == VB_TIMETICKS ||
               type == VB_UINTEGER32;
    }
    // True when the value's printable form is empty: no value, null, an exception value or an
    // empty octet string.
    bool IsPrintableEmpty() const;
    // The value as plain text (decimal, dotted, or the octets as UTF-8); empty for no value.
    QString PrintableValue() const;
};
