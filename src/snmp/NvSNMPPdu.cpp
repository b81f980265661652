#include "NvSNMPPdu.h"

#include "NvSNMPResults.h"
#include "NvSNMPValueCodec.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/socket.h>

namespace NvSNMPPdu {

using NvSNMPTransport::Command;
using NvSNMPTransport::Outcome;
using NvSNMPTransport::Target;

namespace {

// Dotted arcs into net-snmp's OID array; false for anything else or more than MAX_OID_LEN arcs.
bool toOidArray(const QString& text, oid* arcs, size_t& count)
{
    uint32_t parsed[MAX_OID_LEN];
    if (!NvSNMPValueCodec::ParseOid(text, parsed, MAX_OID_LEN, count))
        return false;
    for (size_t i = 0; i < count; ++i)
        arcs[i] = oid(parsed[i]);
    return true;
}

// Written by hand: every answer's OID goes through here, and printf costs more than the rest
// of its decoding.
QString oidText(const oid* arcs, size_t count)
{
    char buffer[MAX_OID_LEN * 11];
    char* out = buffer;
    for (size_t i = 0; i < count && i < MAX_OID_LEN; ++i) {
        if (i)
            *out++ = '.';
        char digits[10];
        int n = 0;
        uint32_t arc = uint32_t(arcs[i]);
        do {
            digits[n++] = char('0' + arc % 10);
            arc /= 10;
        } while (arc);
        while (n)
            *out++ = digits[--n];
    }
    return QString::fromLatin1(buffer, int(out - buffer));
}

bool addBinding(netsnmp_pdu* pdu, Command command, const NvSNMPVb& vb)
{
    oid name[MAX_OID_LEN];
    size_t nameLength = 0;
    if (!toOidArray(vb.oid, name, nameLength))
        return false;
    if (command != Command::Set)
        return snmp_pdu_add_variable(pdu, name, nameLength, ASN_NULL, nullptr, 0) != nullptr;
    const void* value = nullptr;
    size_t length = 0;
    long integer = 0;
    u_long unsignedValue = 0;
    counter64 c64{};
    oid objectId[MAX_OID_LEN];
    size_t objectIdLength = 0;
    switch (vb.type) {
    case VB_INTEGER:
        integer = long(vb.integer);
        value = &integer;
        length = sizeof(integer);
        break;
    case VB_COUNTER32:
    case VB_GAUGE32:
    case VB_TIMETICKS:
    case VB_UINTEGER32:
        unsignedValue = u_long(uint32_t(vb.integer));
        value = &unsignedValue;
        length = sizeof(unsignedValue);
        break;
    case VB_COUNTER64:
        c64.high = u_long(vb.counter64 >> 32);
        c64.low = u_long(vb.counter64 & 0xFFFFFFFFu);
        value = &c64;
        length = sizeof(c64);
        break;
    case VB_OID:
        if (!toOidArray(vb.objectId, objectId, objectIdLength))
            return false;
        value = objectId;
        length = objectIdLength * sizeof(oid);
        break;
    case VB_NULL:
        break;
    default: // OCTET STRING, Opaque, IpAddress
        value = vb.octets.constData();
        length = size_t(vb.octets.size());
        break;
    }
    return snmp_pdu_add_variable(pdu, name, nameLength, vb.type, static_cast<const u_char*>(value),
                                 length) != nullptr;
}

} // namespace

netsnmp_pdu* Build(const Target& t, Command command, const QVector<NvSNMPVb>& vbs, int& result)
{
    const int type = command == Command::Get       ? SNMP_MSG_GET
                     : command == Command::GetNext ? SNMP_MSG_GETNEXT
                                                   : SNMP_MSG_SET;
    netsnmp_pdu* pdu = snmp_pdu_create(type);
    if (!pdu) {
        result = -2;
        return nullptr;
    }
    if (NetSnmpVersion(t.version) == SNMP_VERSION_3) {
        pdu->securityLevel = t.securityLevel;
        const QByteArray name = t.contextName.toUtf8();
        if (!name.isEmpty()) {
            pdu->contextName = static_cast<char*>(malloc(size_t(name.size()) + 1));
            std::memcpy(pdu->contextName, name.constData(), size_t(name.size()) + 1);
            pdu->contextNameLen = size_t(name.size());
        }
        if (!t.contextEngineId.isEmpty()) {
            pdu->contextEngineID = static_cast<u_char*>(malloc(size_t(t.contextEngineId.size())));
            std::memcpy(pdu->contextEngineID, t.contextEngineId.constData(),
                        size_t(t.contextEngineId.size()));
            pdu->contextEngineIDLen = size_t(t.contextEngineId.size());
        }
    }
    for (const NvSNMPVb& vb : vbs) {
        if (!addBinding(pdu, command, vb)) {
            snmp_free_pdu(pdu);
            result = NvSNMPResults::kInvalidOid;
            return nullptr;
        }
    }
    return pdu;
}

namespace {

NvSNMPVb bindingOf(const netsnmp_variable_list* v)
{
    NvSNMPVb vb;
    vb.oid = oidText(v->name, v->name_length);
    vb.type = v->type;
    switch (v->type) {
    case ASN_INTEGER:
        vb.integer = v->val.integer ? *v->val.integer : 0;
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
        vb.integer = v->val.integer ? int64_t(uint32_t(*v->val.integer)) : 0;
        break;
    case ASN_COUNTER64:
        if (v->val.counter64)
            vb.counter64 =
                uint64_t(uint32_t(v->val.counter64->high)) << 32 | uint32_t(v->val.counter64->low);
        break;
    case ASN_OBJECT_ID:
        if (v->val.objid)
            vb.objectId = oidText(v->val.objid, v->val_len / sizeof(oid));
        break;
    case ASN_NULL:
    case SNMP_NOSUCHOBJECT:
    case SNMP_NOSUCHINSTANCE:
    case SNMP_ENDOFMIBVIEW:
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS:
        if (v->val.string)
            vb.octets = QByteArray(reinterpret_cast<const char*>(v->val.string), int(v->val_len));
        break;
    default: // net-snmp's special opaque types and the like: their raw octets
        vb.type = VB_OPAQUE;
        if (v->val.string)
            vb.octets = QByteArray(reinterpret_cast<const char*>(v->val.string), int(v->val_len));
        break;
    }
    return vb;
}

NvSNMPDevice peerOf(const netsnmp_pdu* pdu, const Target& target)
{
    NvSNMPDevice peer{target.address, target.port};
    if (pdu->transport_data &&
        pdu->transport_data_length >= int(sizeof(netsnmp_indexed_addr_pair))) {
        const auto* pair = static_cast<const netsnmp_indexed_addr_pair*>(pdu->transport_data);
        if (pair->remote_addr.sa.sa_family == AF_INET) {
            char text[INET_ADDRSTRLEN] = {};
            if (inet_ntop(AF_INET, &pair->remote_addr.sin.sin_addr, text, sizeof(text))) {
                peer.address = QString::fromLatin1(text);
                peer.port = ntohs(pair->remote_addr.sin.sin_port);
            }
        }
    }
    return peer;
}

} // namespace

Outcome OutcomeOf(const netsnmp_pdu* pdu, const Target& target)
{
    Outcome o;
    if (pdu->command == SNMP_MSG_REPORT) {
        o.result =
            NvSNMPResults::OfLibraryError(snmpv3_get_report_type(const_cast<netsnmp_pdu*>(pdu)));
        return o;
    }
    o.responded = true;
    o.result = NvSNMPResults::OfStatus(STAT_SUCCESS, SNMPERR_SUCCESS, pdu->errstat);
    o.errorIndex = int(pdu->errindex);
    for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable)
        o.vbs.append(bindingOf(v));
    o.peer = peerOf(pdu, target);
    return o;
}

int NetSnmpVersion(int code)
{
    switch (code) {
    case 0:
        return SNMP_VERSION_1;
    case 1:
    case 2:
        return SNMP_VERSION_2c;
    case 3:
        return SNMP_VERSION_3;
    default:
        return code;
    }
}

} // namespace NvSNMPPdu
