#include "NvSNMPTransport.h"

#include "NvSNMPPdu.h"
#include "NvSNMPResults.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLoggingCategory>
#include <QMap>

// net-snmp's configuration header comes before its other headers.
// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
// clang-format on

#include <arpa/inet.h>
#include <cstring>
#include <map>
#include <memory>
#include <netdb.h>
#include <optional>
#include <sys/socket.h>
#include <vector>

// Exported by libnetsnmp but left out of its installed headers: the engine discovery that
// net-snmp otherwise runs inside the first send.
extern "C" int snmpv3_engineID_probe(struct session_list* slp, netsnmp_session* in_session);

// net-snmp's own messages; warnings and worse show by default.
Q_LOGGING_CATEGORY(lcSnmp, "qtr.snmp", QtWarningMsg)

namespace NvSNMPTransport {

namespace {

const char kAppName[] = "qtr9000kx";

struct Session
{
    void* single = nullptr;            // blocking: single-session handle
    netsnmp_session* listed = nullptr; // asynchronous: session of net-snmp's list
    QByteArray credentials;            // fingerprint of the SNMPv3 keys, empty otherwise
    QByteArray userName;
    int outstanding = 0;
    bool retired = false;
    // An asynchronous SNMPv3 session that has not met its agent yet holds its requests until
    // its own discovery exchange has ended (see startDiscovery()).
    struct HeldSend
    {
        uint64_t contextId;
        netsnmp_pdu* pdu;
    };
    std::vector<HeldSend> awaitingEngine;
    uint64_t discoveryId = 0;           // the discovery exchange under way, 0 none
    std::optional<int> discoveryResult; // how the last one ended, until the pump acts on it

    netsnmp_session* handle() const { return single ? snmp_sess_session(single) : listed; }
};

struct AsyncContext
{
    Completion done;
    Outcome outcome;
    Target target; // address and port, for the peer of an answer
    Session* session = nullptr;
    bool finished = false;
    uint64_t finishOrder = 0;
};

struct State
{
    bool started = false;
    bool closing = false;
    std::map<QString, std::unique_ptr<Session>> sessions;
    std::vector<std::unique_ptr<Session>> retired;
    std::map<uint64_t, std::unique_ptr<AsyncContext>> contexts;
    std::map<uint64_t, Session*> discoveries; // discovery exchanges under way, by id
    uint64_t nextContextId = 0;
    uint64_t finishCounter = 0;
    QMap<QPair<int, QString>, QByteArray> masterKeys;
    QMap<QByteArray, QByteArray> usmOwners; // engine ID + NUL + user -> credentials
    // The session each mode used last: consecutive requests of a page or a walk find it without
    // building its key.
    Target lastTarget[2];
    Session* lastSession[2] = {nullptr, nullptr};
};

State& state()
{
    static State s;
    return s;
}

// --- protocols and keys ---------------------------------------------------------------------

bool authProtocolOid(int code, const oid*& protocol, size_t& length)
{
    switch (code) {
    case 1:
        protocol = usmNoAuthProtocol;
        length = OID_LENGTH(usmNoAuthProtocol);
        return true;
    case 2:
        protocol = usmHMACMD5AuthProtocol;
        length = OID_LENGTH(usmHMACMD5AuthProtocol);
        return true;
    case 3:
        protocol = usmHMACSHA1AuthProtocol;
        length = OID_LENGTH(usmHMACSHA1AuthProtocol);
        return true;
    case 4:
        protocol = usmHMAC128SHA224AuthProtocol;
        length = OID_LENGTH(usmHMAC128SHA224AuthProtocol);
        return true;
    case 5:
        protocol = usmHMAC192SHA256AuthProtocol;
        length = OID_LENGTH(usmHMAC192SHA256AuthProtocol);
        return true;
    case 6:
        protocol = usmHMAC256SHA384AuthProtocol;
        length = OID_LENGTH(usmHMAC256SHA384AuthProtocol);
        return true;
    case 7:
        protocol = usmHMAC384SHA512AuthProtocol;
        length = OID_LENGTH(usmHMAC384SHA512AuthProtocol);
        return true;
    default:
        return false;
    }
}

bool privProtocolOid(int code, const oid*& protocol, size_t& length)
{
    switch (code) {
    case 1:
        protocol = usmNoPrivProtocol;
        length = OID_LENGTH(usmNoPrivProtocol);
        return true;
    case 2:
        protocol = usmDESPrivProtocol;
        length = OID_LENGTH(usmDESPrivProtocol);
        return true;
    case 3:
        protocol = usmAESPrivProtocol;
        length = OID_LENGTH(usmAESPrivProtocol);
        return true;
    default:
        return false;
    }
}

// The master key of a password, derived once per protocol and password.
bool masterKey(int authCode, const QString& password, QByteArray& key)
{
    State& s = state();
    const QPair<int, QString> id(authCode, password);
    const auto it = s.masterKeys.constFind(id);
    if (it != s.masterKeys.constEnd()) {
        key = it.value();
        return true;
    }
    const oid* protocol = nullptr;
    size_t protocolLength = 0;
    if (!authProtocolOid(authCode, protocol, protocolLength) || authCode == 1)
        return false;
    const QByteArray pass = password.toUtf8();
    u_char ku[USM_AUTH_KU_LEN];
    size_t kuLength = sizeof(ku);
    if (generate_Ku(protocol, u_int(protocolLength),
                    reinterpret_cast<const u_char*>(pass.constData()), size_t(pass.size()), ku,
                    &kuLength) != SNMPERR_SUCCESS)
        return false;
    key = QByteArray(reinterpret_cast<const char*>(ku), int(kuLength));
    s.masterKeys.insert(id, key);
    return true;
}

QString sessionKey(const Target& t, bool async)
{
    // Built for every request: plain appends, no intermediate lists.
    const QChar sep(0x1F);
    QString key;
    key.reserve(64 + t.community.size() + t.securityName.size() + t.authPassword.size() +
                t.privPassword.size());
    const int version = NvSNMPPdu::NetSnmpVersion(t.version);
    key += QLatin1Char(async ? 'a' : 'b');
    key += sep + t.address + sep + QString::number(t.port) + sep + QString::number(version) + sep +
           QString::number(t.timeout) + sep + QString::number(t.retries) + sep;
    if (version == SNMP_VERSION_3)
        key += QString::number(t.securityModel) + sep + QString::number(t.securityLevel) + sep +
               t.securityName + sep + QString::number(t.authProtocol) + sep + t.authPassword + sep +
               QString::number(t.privProtocol) + sep + t.privPassword;
    else
        key += t.community;
    return key;
}

// Whether two targets share a session (the fields sessionKey is made of).
bool sameSession(const Target& a, const Target& b)
{
    const int version = NvSNMPPdu::NetSnmpVersion(a.version);
    if (a.address != b.address || a.port != b.port ||
        version != NvSNMPPdu::NetSnmpVersion(b.version) || a.timeout != b.timeout ||
        a.retries != b.retries)
        return false;
    if (version != SNMP_VERSION_3)
        return a.community == b.community;
    return a.securityModel == b.securityModel && a.securityLevel == b.securityLevel &&
           a.securityName == b.securityName && a.authProtocol == b.authProtocol &&
           a.authPassword == b.authPassword && a.privProtocol == b.privProtocol &&
           a.privPassword == b.privPassword;
}

// --- the USM user entry ---------------------------------------------------------------------

// Makes net-snmp's user entry for the session's engine and user hold this session's keys.
void claimUsmUser(Session& session)
{
    netsnmp_session* ss = session.handle();
    if (!ss || ss->version != SNMP_VERSION_3 || ss->securityEngineIDLen == 0)
        return;
    QByteArray owner(reinterpret_cast<const char*>(ss->securityEngineID),
                     int(ss->securityEngineIDLen));
    owner += '\0';
    owner += session.userName;
    State& s = state();
    if (s.usmOwners.value(owner) == session.credentials)
        return;
    if (usmUser* user = usm_get_user(ss->securityEngineID, ss->securityEngineIDLen,
                                     session.userName.constData())) {
        usm_remove_user(user);
        usm_free_user(user);
    }
    ss->flags &= ~SNMP_FLAGS_USER_CREATED;
    usm_create_user_from_session(ss);
    s.usmOwners.insert(owner, session.credentials);
}

// --- sessions -------------------------------------------------------------------------------

int asyncTrampoline(int operation, netsnmp_session* session, int, netsnmp_pdu* pdu,
                    void* magic) noexcept;

void closeSession(Session& session)
{
    // Held requests were never sent; their contexts are finished by whoever closes.
    for (const Session::HeldSend& held : session.awaitingEngine)
        snmp_free_pdu(held.pdu);
    session.awaitingEngine.clear();
    if (session.discoveryId != 0)
        state().discoveries.erase(session.discoveryId);
    session.discoveryId = 0;
    if (session.listed)
        snmp_close(session.listed);
    if (session.single)
        snmp_sess_close(session.single);
    session.listed = nullptr;
    session.single = nullptr;
}

Session* sessionFor(const Target& t, bool async, int& result)
{
    State& s = state();
    Session*& last = s.lastSession[async ? 1 : 0];
    Target& lastTarget = s.lastTarget[async ? 1 : 0];
    if (last && sameSession(lastTarget, t))
        return last;
    const QString key = sessionKey(t, async);
    const auto found = s.sessions.find(key);
    if (found != s.sessions.end()) {
        last = found->second.get();
        lastTarget = t;
        return last;
    }

    netsnmp_session init;
    snmp_sess_init(&init);
    const QByteArray peer = QStringLiteral("udp:%1:%2").arg(t.address).arg(t.port).toLatin1();
    init.peername = const_cast<char*>(peer.constData());
    init.version = NvSNMPPdu::NetSnmpVersion(t.version);
    init.timeout = long(qMax(0, t.timeout)) * 10000L;
    init.retries = qMax(0, t.retries);
    const QByteArray community = t.community.toUtf8();
    const QByteArray name = t.securityName.toUtf8();
    auto session = std::make_unique<Session>();
    if (init.version == SNMP_VERSION_3) {
        if (t.securityModel != SNMP_SEC_MODEL_USM) {
            result = NvSNMPResults::kUnsupportedSecurityModel;
            return nullptr;
        }
        const oid* auth = nullptr;
        const oid* priv = nullptr;
        size_t authLength = 0;
        size_t privLength = 0;
        if (!authProtocolOid(t.authProtocol, auth, authLength)) {
            result = NvSNMPResults::kUsmUnsupportedAuthProtocol;
            return nullptr;
        }
        if (!privProtocolOid(t.privProtocol, priv, privLength)) {
            result = NvSNMPResults::kUsmUnsupportedPrivProtocol;
            return nullptr;
        }
        init.securityModel = SNMP_SEC_MODEL_USM;
        init.securityLevel = t.securityLevel;
        init.securityName = const_cast<char*>(name.constData());
        init.securityNameLen = size_t(name.size());
        init.securityAuthProto = const_cast<oid*>(auth);
        init.securityAuthProtoLen = authLength;
        init.securityPrivProto = const_cast<oid*>(priv);
        init.securityPrivProtoLen = privLength;
        QByteArray key;
        if (t.securityLevel >= SNMP_SEC_LEVEL_AUTHNOPRIV && t.authProtocol != 1) {
            if (!masterKey(t.authProtocol, t.authPassword, key)) {
                result = NvSNMPResults::kUsmAuthenticationError;
                return nullptr;
            }
            std::memcpy(init.securityAuthKey, key.constData(), size_t(key.size()));
            init.securityAuthKeyLen = size_t(key.size());
        }
        if (t.securityLevel >= SNMP_SEC_LEVEL_AUTHPRIV && t.privProtocol != 1) {
            if (!masterKey(t.authProtocol, t.privPassword, key)) {
                result = NvSNMPResults::kUsmEncryptionError;
                return nullptr;
            }
            std::memcpy(init.securityPrivKey, key.constData(), size_t(key.size()));
            init.securityPrivKeyLen = size_t(key.size());
        }
        QCryptographicHash fingerprint(QCryptographicHash::Sha256);
        for (const QString& part : {QString::number(t.authProtocol), t.authPassword,
                                    QString::number(t.privProtocol), t.privPassword})
            fingerprint.addData(part.toUtf8() + '\0');
        session->credentials = fingerprint.result();
        session->userName = name;
    } else {
        init.community = reinterpret_cast<u_char*>(const_cast<char*>(community.constData()));
        init.community_len = size_t(community.size());
    }

    if (async) {
        // An asynchronous session never waits for its agent: it discovers the engine with a
        // request of its own, answered through the event pump (see startDiscovery()).
        init.callback = asyncTrampoline;
        init.flags |= SNMP_FLAGS_DONT_PROBE;
        session->listed = snmp_open(&init);
        if (session->listed)
            session->listed->flags |= SNMP_FLAGS_DONT_PROBE; // not kept by snmp_open
    } else {
        session->single = snmp_sess_open(&init);
    }
    if (!session->single && !session->listed) {
        const int error = init.s_snmp_errno != SNMPERR_SUCCESS ? init.s_snmp_errno : snmp_errno;
        result = NvSNMPResults::OfLibraryError(error);
        if (result == NvSNMPResults::kSuccess)
            result = NvSNMPResults::kOperationFailed;
        return nullptr;
    }
    // A blocking SNMPv3 session discovers the agent's engine now, with a probe of its own
    // socket only, rather than inside its first send: the user entry must be known to hold
    // this session's keys before anything authenticated goes out.
    if (!async && init.version == SNMP_VERSION_3 && session->handle()->securityEngineIDLen == 0) {
        auto* list = static_cast<struct session_list*>(
            session->single ? session->single : snmp_sess_pointer(session->listed));
        init.s_snmp_errno = SNMPERR_SUCCESS;
        if (!snmpv3_engineID_probe(list, &init) || session->handle()->securityEngineIDLen == 0) {
            // The probe's own request failed into the session (a time-out, say); init only
            // learns that no engine was found.
            int error = session->handle()->s_snmp_errno;
            if (error == SNMPERR_SUCCESS)
                error = init.s_snmp_errno;
            result = NvSNMPResults::OfLibraryError(
                error != SNMPERR_SUCCESS ? error : SNMPERR_UNKNOWN_ENG_ID);
            closeSession(*session);
            return nullptr;
        }
    }
    Session* raw = session.get();
    s.sessions.emplace(key, std::move(session));
    last = raw;
    lastTarget = t;
    return raw;
}

// After an outcome that means the agent's engine is not the one discovered (a new engine ID
// after a factory reset), the session leaves the cache, so that the next request discovers
// the engine again. It is closed once nothing is outstanding on it.
void retire(Session* session)
{
    State& s = state();
    for (auto it = s.sessions.begin(); it != s.sessions.end(); ++it) {
        if (it->second.get() == session) {
            session->retired = true;
            for (Session*& last : s.lastSession) {
                if (last == session)
                    last = nullptr;
            }
            s.retired.push_back(std::move(it->second));
            s.sessions.erase(it);
            break;
        }
    }
}

void closeIdleRetired()
{
    State& s = state();
    for (auto it = s.retired.begin(); it != s.retired.end();) {
        if ((*it)->outstanding == 0) {
            closeSession(**it);
            it = s.retired.erase(it);
        } else {
            ++it;
        }
    }
}

void finish(AsyncContext& context, Outcome outcome)
{
    context.outcome = std::move(outcome);
    context.finished = true;
    context.finishOrder = ++state().finishCounter;
    if (context.session) {
        --context.session->outstanding;
        if (NvSNMPResults::NeedsRediscovery(context.outcome.result) && !context.session->retired)
            retire(context.session);
        context.session = nullptr;
    }
}

// Records an outcome and nothing more; whatever goes wrong here stays here. callback_magic
// carries the context's id rather than a pointer, so a late or repeated callback finds nothing.
int asyncTrampoline(int operation, netsnmp_session* session, int, netsnmp_pdu* pdu,
                    void* magic) noexcept
{
    State& s = state();
    const auto it = s.contexts.find(reinterpret_cast<uintptr_t>(magic));
    if (it == s.contexts.end() || it->second->finished)
        return 1;
    AsyncContext& context = *it->second;
    if (operation == NETSNMP_CALLBACK_OP_RESEND || operation == NETSNMP_CALLBACK_OP_CONNECT)
        return 1;
    try {
        Outcome o;
        if (s.closing) {
            o.sessionClosed = true;
            o.result = NvSNMPResults::kSessionDestroyed;
        } else if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu) {
            o = NvSNMPPdu::OutcomeOf(pdu, context.target);
        } else if (operation == NETSNMP_CALLBACK_OP_TIMED_OUT) {
            o.result = NvSNMPResults::kTimeout;
        } else if (operation == NETSNMP_CALLBACK_OP_DISCONNECT) {
            o.sessionClosed = true;
            o.result = NvSNMPResults::kSessionDestroyed;
        } else if (operation == NETSNMP_CALLBACK_OP_SEC_ERROR && pdu &&
                   pdu->command == SNMP_MSG_REPORT) {
            o = NvSNMPPdu::OutcomeOf(pdu, context.target); // an SNMPv3 report: wrong password ...
        } else {
            const int error = session ? session->s_snmp_errno : SNMPERR_GENERR;
            o.result = NvSNMPResults::OfLibraryError(error);
        }
        // Whatever net-snmp left unsaid, a callback that brings no response is a failure.
        if (!o.responded && o.result == NvSNMPResults::kSuccess)
            o.result = NvSNMPResults::kOperationFailed;
        finish(context, std::move(o));
    } catch (...) {
        Outcome failed;
        failed.result = NvSNMPResults::kInternalError;
        try {
            finish(context, std::move(failed));
        } catch (...) {
            context.finished = true;
        }
    }
    return 1;
}

uint64_t newContext(Completion done)
{
    State& s = state();
    auto context = std::make_unique<AsyncContext>();
    context->done = std::move(done);
    const uint64_t id = ++s.nextContextId;
    s.contexts.emplace(id, std::move(context));
    return id;
}

// --- engine discovery of asynchronous sessions ----------------------------------------------
//
// net-snmp's own discovery runs inside the first send and blocks until the agent answers or the
// retries run out, which would freeze the window thread for as long whenever an SNMPv3 device
// is unreachable. Asynchronous sessions opt out of it and send the discovery request themselves
// (an unauthenticated GET without variables from the empty user, RFC 3414 section 4) as an
// ordinary asynchronous request: the agent's report names its engine. Requests made meanwhile
// wait on the session and go out, or fail with the discovery's outcome, from the next pump.

bool needsDiscovery(const Session& session)
{
    const netsnmp_session* ss = session.listed;
    return ss && ss->version == SNMP_VERSION_3 && ss->securityEngineIDLen == 0;
}

int discoveryTrampoline(int operation, netsnmp_session* ss, int, netsnmp_pdu* pdu,
                        void* magic) noexcept
{
    State& s = state();
    const auto it = s.discoveries.find(reinterpret_cast<uintptr_t>(magic));
    if (it == s.discoveries.end() || operation == NETSNMP_CALLBACK_OP_RESEND ||
        operation == NETSNMP_CALLBACK_OP_CONNECT)
        return 1;
    Session* session = it->second;
    s.discoveries.erase(it);
    session->discoveryId = 0;
    // The report carries the agent's engine ID; take it when net-snmp has not.
    if (ss && ss->securityEngineIDLen == 0 && pdu && pdu->securityEngineIDLen > 0) {
        ss->securityEngineID =
            static_cast<u_char*>(netsnmp_memdup(pdu->securityEngineID, pdu->securityEngineIDLen));
        if (ss->securityEngineID)
            ss->securityEngineIDLen = pdu->securityEngineIDLen;
    }
    int result = NvSNMPResults::OfLibraryError(SNMPERR_UNKNOWN_ENG_ID);
    if (ss && ss->securityEngineIDLen > 0)
        result = NvSNMPResults::kSuccess;
    else if (operation == NETSNMP_CALLBACK_OP_TIMED_OUT)
        result = NvSNMPResults::kTimeout;
    else if (operation == NETSNMP_CALLBACK_OP_DISCONNECT)
        result = NvSNMPResults::kSessionDestroyed;
    session->discoveryResult = result;
    return 1;
}

// Sends the discovery request of a session; a failure to send ends the discovery at once.
void startDiscovery(Session& session)
{
    State& s = state();
    netsnmp_pdu* probe = snmp_pdu_create(SNMP_MSG_GET);
    if (!probe) {
        session.discoveryResult = NvSNMPResults::kInternalError;
        return;
    }
    probe->version = SNMP_VERSION_3;
    probe->securityModel = SNMP_SEC_MODEL_USM;
    probe->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    probe->securityName = strdup("");
    probe->securityNameLen = 0;
    const uint64_t id = ++s.nextContextId;
    s.discoveries.emplace(id, &session);
    session.discoveryId = id;
    if (snmp_async_send(session.listed, probe, discoveryTrampoline,
                        reinterpret_cast<void*>(uintptr_t(id))) != 0)
        return;
    s.discoveries.erase(id);
    session.discoveryId = 0;
    int result = NvSNMPResults::OfLibraryError(session.listed->s_snmp_errno);
    if (result == NvSNMPResults::kSuccess)
        result = NvSNMPResults::kOperationFailed;
    session.discoveryResult = result;
    snmp_free_pdu(probe);
}

// Sends the requests that waited for a finished discovery, or fails them with its outcome.
void resumeAfterDiscovery(Session& session)
{
    State& s = state();
    const int result = *session.discoveryResult;
    session.discoveryResult.reset();
    std::vector<Session::HeldSend> held;
    held.swap(session.awaitingEngine);
    if (result == NvSNMPResults::kSuccess) {
        claimUsmUser(session);
    }
    for (const Session::HeldSend& request : held) {
        const auto it = s.contexts.find(request.contextId);
        if (it == s.contexts.end() || it->second->finished) {
            snmp_free_pdu(request.pdu);
            continue;
        }
        if (result == NvSNMPResults::kSuccess &&
            snmp_async_send(session.listed, request.pdu, asyncTrampoline,
                            reinterpret_cast<void*>(uintptr_t(request.contextId))) != 0)
            continue;
        Outcome failed;
        failed.result = result;
        if (result == NvSNMPResults::kSuccess) {
            failed.result = NvSNMPResults::OfLibraryError(session.listed->s_snmp_errno);
            if (failed.result == NvSNMPResults::kSuccess)
                failed.result = NvSNMPResults::kOperationFailed;
        }
        snmp_free_pdu(request.pdu);
        finish(*it->second, std::move(failed));
    }
}

void resumeDiscoveredSessions()
{
    State& s = state();
    for (auto& entry : s.sessions) {
        if (entry.second->discoveryResult)
            resumeAfterDiscovery(*entry.second);
    }
    for (auto& session : s.retired) {
        if (session->discoveryResult)
            resumeAfterDiscovery(*session);
    }
}

void dispatchFinished()
{
    State& s = state();
    for (;;) {
        auto next = s.contexts.end();
        for (auto it = s.contexts.begin(); it != s.contexts.end(); ++it) {
            if (it->second->finished &&
                (next == s.contexts.end() || it->second->finishOrder < next->second->finishOrder))
                next = it;
        }
        if (next == s.contexts.end())
            return;
        std::unique_ptr<AsyncContext> context = std::move(next->second);
        s.contexts.erase(next);
        try {
            if (context->done)
                context->done(context->outcome);
        } catch (const std::exception& e) {
            qCWarning(lcSnmp) << "exception in an SNMP completion:" << e.what();
        } catch (...) {
            qCWarning(lcSnmp) << "exception in an SNMP completion";
        }
    }
}

// net-snmp's log messages, called from inside net-snmp: nothing may escape.
int logToQt(int, int, void* serverArg, void*) noexcept
{
    try {
        const auto* message = static_cast<const snmp_log_message*>(serverArg);
        if (message && message->msg) {
            const QByteArray text = QByteArray(message->msg).trimmed();
            if (message->priority <= LOG_WARNING)
                qCWarning(lcSnmp, "%s", text.constData());
            else
                qCDebug(lcSnmp, "%s", text.constData());
        }
    } catch (...) {
    }
    return SNMPERR_SUCCESS;
}

} // namespace

bool Start(const StartOptions& options)
{
    State& s = state();
    if (s.started)
        return true;
    QDir().mkpath(options.persistentDir);
    const QByteArray dir = QFile::encodeName(options.persistentDir);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, dir.constData());
    // net-snmp is initialised once per process and lives as long: a second initialisation
    // after snmp_shutdown loses memory and re-runs its engine ID set-up with warnings.
    static bool initialised = false;
    if (!initialised) {
        // No MIB files: the engine speaks numeric OIDs only, and parsing would warn about every
        // module the system lacks. No configuration files either: nothing of the user's or the
        // system's net-snmp settings may change what the module sends.
        qputenv("MIBS", "");
        qputenv("MIBDIRS", "");
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, logToQt, nullptr);
        snmp_enable_calllog();
        init_snmp(kAppName);
        initialised = true;
    }

    netsnmp_transport* probe = netsnmp_transport_open_client(kAppName, "udp:127.0.0.1:161");
    if (!probe)
        return false;
    netsnmp_transport_free(probe);

    set_exact_engineID(reinterpret_cast<const u_char*>(options.engineId.constData()),
                       size_t(options.engineId.size()));
    // The configuration token's handler is net-snmp's one public way to set the boots count;
    // it stores the count it reads plus one.
    QByteArray previousBoots =
        QByteArray::number(qMin<uint32_t>(options.boots, 2147483647u) - (options.boots ? 1 : 0));
    engineBoots_conf("engineBoots", previousBoots.data());
    s.started = true;
    return true;
}

void Stop()
{
    State& s = state();
    if (!s.started)
        return;
    s.closing = true;
    for (auto& entry : s.sessions)
        closeSession(*entry.second);
    for (auto& session : s.retired)
        closeSession(*session);
    for (auto& entry : s.contexts) {
        if (!entry.second->finished) {
            Outcome closed;
            closed.sessionClosed = true;
            closed.result = NvSNMPResults::kSessionDestroyed;
            entry.second->session = nullptr;
            finish(*entry.second, closed);
        }
    }
    s.sessions.clear();
    s.retired.clear();
    s.lastSession[0] = s.lastSession[1] = nullptr;
    dispatchFinished();
    s.closing = false;
    // The user entries stay in net-snmp's list; with no owners recorded, the next session of
    // each user replaces its entry before it sends.
    s.usmOwners.clear();
    s.masterKeys.clear();
    s.started = false;
}

bool IsStarted()
{
    return state().started;
}

bool ResolveIPv4(const QString& address, QString& dotted)
{
    // The common case, a dotted address, without a copy of the text.
    if (address.size() < INET_ADDRSTRLEN) {
        char ascii[INET_ADDRSTRLEN] = {};
        bool plain = !address.isEmpty();
        for (int i = 0; plain && i < address.size(); ++i) {
            const char16_t c = address[i].unicode();
            plain = (c >= '0' && c <= '9') || c == '.';
            ascii[i] = char(c);
        }
        in_addr parsed{};
        if (plain && inet_pton(AF_INET, ascii, &parsed) == 1) {
            dotted = address;
            return true;
        }
    }
    const QString text = address.trimmed();
    if (text.isEmpty())
        return false;
    const QByteArray latin = text.toLatin1();
    bool numeric = true;
    for (const char c : latin)
        numeric = numeric && ((c >= '0' && c <= '9') || c == '.');
    in_addr parsed{};
    if (inet_pton(AF_INET, latin.constData(), &parsed) == 1) {
        dotted = text;
        return true;
    }
    if (numeric || text.toUtf8() != latin)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(latin.constData(), nullptr, &hints, &found) != 0 || !found)
        return false;
    char text4[INET_ADDRSTRLEN] = {};
    const bool ok = inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr,
                              text4, sizeof(text4)) != nullptr;
    freeaddrinfo(found);
    if (ok)
        dotted = QString::fromLatin1(text4);
    return ok;
}

Outcome SendBlocking(const Target& target, Command command, const QVector<NvSNMPVb>& vbs)
{
    Outcome o;
    if (!state().started) {
        o.result = NvSNMPResults::kSessionDestroyed;
        return o;
    }
    Session* session = sessionFor(target, false, o.result);
    if (!session)
        return o;
    claimUsmUser(*session);
    netsnmp_pdu* pdu = NvSNMPPdu::Build(target, command, vbs, o.result);
    if (!pdu)
        return o;
    netsnmp_pdu* response = nullptr;
    const int status = snmp_sess_synch_response(session->single, pdu, &response);
    if (status == STAT_SUCCESS && response) {
        o = NvSNMPPdu::OutcomeOf(response, target);
    } else {
        const netsnmp_session* ss = snmp_sess_session(session->single);
        o.result = NvSNMPResults::OfStatus(status, ss ? ss->s_snmp_errno : SNMPERR_GENERR, 0);
    }
    if (response)
        snmp_free_pdu(response);
    if (NvSNMPResults::NeedsRediscovery(o.result)) {
        retire(session);
        closeIdleRetired();
    }
    return o;
}

int SendAsync(const Target& target, Command command, const QVector<NvSNMPVb>& vbs, Completion done)
{
    State& s = state();
    const uint64_t id = newContext(std::move(done));
    AsyncContext& context = *s.contexts.at(id);
    context.target.address = target.address;
    context.target.port = target.port;
    Outcome failed;
    if (!s.started) {
        failed.result = NvSNMPResults::kSessionDestroyed;
        failed.sessionClosed = true;
        finish(context, failed);
        return failed.result;
    }
    Session* session = sessionFor(target, true, failed.result);
    netsnmp_pdu* pdu = session ? NvSNMPPdu::Build(target, command, vbs, failed.result) : nullptr;
    if (pdu) {
        if (needsDiscovery(*session)) {
            context.session = session;
            ++session->outstanding;
            session->awaitingEngine.push_back({id, pdu});
            if (session->discoveryId == 0 && !session->discoveryResult)
                startDiscovery(*session);
            return 0;
        }
        claimUsmUser(*session);
        if (snmp_async_send(session->listed, pdu, asyncTrampoline,
                            reinterpret_cast<void*>(uintptr_t(id))) != 0) {
            context.session = session;
            ++session->outstanding;
            return 0;
        }
        failed.result = NvSNMPResults::OfLibraryError(session->listed->s_snmp_errno);
        if (failed.result == NvSNMPResults::kSuccess)
            failed.result = NvSNMPResults::kOperationFailed;
        snmp_free_pdu(pdu);
    }
    finish(context, failed);
    return failed.result;
}

void Defer(Completion done, const Outcome& outcome)
{
    const uint64_t id = newContext(std::move(done));
    finish(*state().contexts.at(id), outcome);
}

void Pump(int waitMs)
{
    State& s = state();
    // Completions already due (failed sends, ended discoveries) are not kept waiting for
    // datagrams.
    for (const auto& entry : s.contexts) {
        if (entry.second->finished) {
            waitMs = 0;
            break;
        }
    }
    for (const auto& entry : s.sessions) {
        if (entry.second->discoveryResult)
            waitMs = 0;
    }
    if (s.started) {
        for (int round = 0; round < 256; ++round) {
            netsnmp_large_fd_set fds;
            netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
            int count = 0;
            int block = 0;
            const int waitUs = round == 0 ? qMax(0, waitMs) * 1000 : 0;
            timeval timeout{waitUs / 1000000, waitUs % 1000000};
            snmp_select_info2(&count, &fds, &timeout, &block);
            const int ready = netsnmp_large_fd_set_select(count, &fds, nullptr, nullptr, &timeout);
            if (ready > 0)
                snmp_read2(&fds);
            netsnmp_large_fd_set_cleanup(&fds);
            if (ready <= 0)
                break;
        }
        snmp_timeout();
    }
    resumeDiscoveredSessions();
    dispatchFinished();
    closeIdleRetired();
}

int Outstanding()
{
    return int(state().contexts.size());
}

} // namespace NvSNMPTransport
