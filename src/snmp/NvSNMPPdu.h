#pragma once

#include "NvSNMPTransport.h"

struct snmp_pdu;

// Between the engine's bindings and net-snmp's PDUs, for NvSNMPTransport.cpp only.
namespace NvSNMPPdu {

// net-snmp's version number of a request's version code (2, from "/v2", is SNMPv2c; codes it
// does not know pass unchanged).
int NetSnmpVersion(int code);

// A request PDU (GET and GET-NEXT carry nulls); nullptr with the library result when a binding
// cannot be encoded (an OID that is no OID: -17).
snmp_pdu* Build(const NvSNMPTransport::Target& target, NvSNMPTransport::Command command,
                const QVector<NvSNMPVb>& vbs, int& result);

// What a PDU that came back says: a report (the SNMPv3 errors: wrong password, unknown user ...)
// or a response with its error-status, index, bindings and the address that answered (target's
// when the PDU does not tell).
NvSNMPTransport::Outcome OutcomeOf(const snmp_pdu* pdu, const NvSNMPTransport::Target& target);

} // namespace NvSNMPPdu
