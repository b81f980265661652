// 500 sequential blocking GETs of sysDescr.0 through NvSNMPRequest, against the same loop
// written directly on net-snmp's single-session API, for SNMPv2c and SNMPv3 authPriv (SHA +
// AES). The two loops alternate for several rounds (and which goes first); the median round of
// each is compared.
//   bench_snmp_get PORT [ROUNDS]   (snmpd on 127.0.0.1:PORT, configured by bench/snmp/run)

#include "NvSNMPRequest.h"
#include "NvSyntax.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <string>
#include <vector>

namespace {

constexpr int kGets = 500;
const char kUser[] = "aesuser";
const char kAuthPass[] = "shapassword";
const char kPrivPass[] = "aespassword";

// The direct loop: one session, one GET after the other, the value copied out as text.
class DirectLoop
{
public:
    DirectLoop(int port, bool v3)
    {
        netsnmp_session init;
        snmp_sess_init(&init);
        const std::string peer = "udp:127.0.0.1:" + std::to_string(port);
        init.peername = const_cast<char*>(peer.c_str());
        init.timeout = 1000000;
        init.retries = 1;
        if (v3) {
            init.version = SNMP_VERSION_3;
            init.securityName = const_cast<char*>(kUser);
            init.securityNameLen = strlen(kUser);
            init.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
            init.securityAuthProto = usmHMACSHA1AuthProtocol;
            init.securityAuthProtoLen = OID_LENGTH(usmHMACSHA1AuthProtocol);
            init.securityPrivProto = usmAESPrivProtocol;
            init.securityPrivProtoLen = OID_LENGTH(usmAESPrivProtocol);
            init.securityAuthKeyLen = USM_AUTH_KU_LEN;
            generate_Ku(init.securityAuthProto, u_int(init.securityAuthProtoLen),
                        reinterpret_cast<const u_char*>(kAuthPass), strlen(kAuthPass),
                        init.securityAuthKey, &init.securityAuthKeyLen);
            init.securityPrivKeyLen = USM_PRIV_KU_LEN;
            generate_Ku(init.securityAuthProto, u_int(init.securityAuthProtoLen),
                        reinterpret_cast<const u_char*>(kPrivPass), strlen(kPrivPass),
                        init.securityPrivKey, &init.securityPrivKeyLen);
        } else {
            init.version = SNMP_VERSION_2c;
            init.community = reinterpret_cast<u_char*>(const_cast<char*>("public"));
            init.community_len = 6;
        }
        m_session = snmp_sess_open(&init);
    }
    ~DirectLoop()
    {
        if (m_session)
            snmp_sess_close(m_session);
    }

    bool Run(int count, std::string& last)
    {
        static const oid sysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
        for (int i = 0; i < count; ++i) {
            netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
            snmp_add_null_var(pdu, sysDescr, OID_LENGTH(sysDescr));
            netsnmp_pdu* response = nullptr;
            const int status = snmp_sess_synch_response(m_session, pdu, &response);
            const bool ok = status == STAT_SUCCESS && response &&
                            response->errstat == SNMP_ERR_NOERROR && response->variables &&
                            response->variables->type == ASN_OCTET_STR;
            if (ok)
                last.assign(reinterpret_cast<const char*>(response->variables->val.string),
                            response->variables->val_len);
            if (response)
                snmp_free_pdu(response);
            if (!ok)
                return false;
        }
        return true;
    }

private:
    void* m_session = nullptr;
};

class EngineLoop
{
public:
    EngineLoop(int port, bool v3)
    {
        static const NvSNMPVarRecord table[] = {
            {"1.3.6.1.2.1.1.1", "sysDescr", SYN_DISPLAYSTRING, VAR_READ, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr},
            {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
        };
        m_request.list = NvSNMPVarList(table, LIST_SCALAR, 0);
        m_request.device = NvSNMPDevice{QStringLiteral("127.0.0.1"), uint16_t(port)};
        m_request.timeout = 100;
        if (v3) {
            NvSNMPSecurity& s = m_request.security;
            s.version = SNMP_VERSION_CODE_3;
            s.securityModel = SECURITY_MODEL_USM;
            s.securityLevel = SECURITY_LEVEL_AUTH_PRIV;
            s.securityName = QString::fromLatin1(kUser);
            s.authProtocol = AUTH_PROTOCOL_SHA;
            s.authPassword = QString::fromLatin1(kAuthPass);
            s.privProtocol = PRIV_PROTOCOL_AES;
            s.privPassword = QString::fromLatin1(kPrivPass);
        } else {
            m_request.security.version = SNMP_VERSION_CODE_2C;
            m_request.security.readCommunity = QStringLiteral("public");
        }
    }

    bool Run(int count, QString& last)
    {
        bool ok = true;
        for (int i = 0; i < count && ok; ++i)
            m_request.Get(true, ok);
        last = m_request.list.Item(0).value;
        return ok;
    }

private:
    NvSNMPRequest m_request;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Returns the ratio engine / direct, or a negative number when a loop failed.
double compare(const char* name, int port, bool v3, int rounds)
{
    DirectLoop direct(port, v3);
    EngineLoop engine(port, v3);
    std::string directValue;
    QString engineValue;
    // Warm-up: discovery, time synchronisation, first allocations.
    if (!direct.Run(20, directValue) || !engine.Run(20, engineValue) ||
        engineValue.toStdString() != directValue) {
        std::printf("%s: the loops do not read the same sysDescr\n", name);
        return -1;
    }
    std::vector<double> directUs;
    std::vector<double> engineUs;
    QElapsedTimer clock;
    // Which loop goes first alternates too, so that neither profits from the other's warm-up.
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            clock.start();
            if ((turn == round % 2) ? !direct.Run(kGets, directValue)
                                    : !engine.Run(kGets, engineValue))
                return -1;
            ((turn == round % 2) ? directUs : engineUs)
                .push_back(double(clock.nsecsElapsed()) / 1000.0 / kGets);
        }
    }
    // The median is the figure; the best round, least disturbed by other load, is shown too.
    const double d = median(directUs);
    const double e = median(engineUs);
    const double dBest = *std::min_element(directUs.begin(), directUs.end());
    const double eBest = *std::min_element(engineUs.begin(), engineUs.end());
    std::printf("%-16s direct %6.1f us/GET   NvSNMPRequest %6.1f us/GET   ratio %.2f"
                "   (best rounds %.1f / %.1f: %.2f)\n",
                name, d, e, e / d, dBest, eBest, eBest / dBest);
    return e / d;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_snmp_get PORT [ROUNDS]\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    QTemporaryDir state;
    StartSession(state.path());
    std::printf("%d sequential GETs of sysDescr.0, median of %d rounds\n", kGets, rounds);
    const double v2c = compare("SNMPv2c", port, false, rounds);
    const double v3 = compare("SNMPv3 authPriv", port, true, rounds);
    StopSession();
    return v2c > 0 && v3 > 0 ? 0 : 1;
}
