#include "Agent.h"

#include "ErrorStatus.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

const char* const applicationName = "qtr9000kx-sim";

int signalPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const int saved = errno;
    const char byte = 's';
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool installStopSignals()
{
    if (pipe(signalPipe) != 0)
        return false;
    for (int fd : signalPipe)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

Oid oidOf(const netsnmp_variable_list& varbind)
{
    return Oid(varbind.name, varbind.name + varbind.name_length);
}

QString peerOf(const netsnmp_pdu& pdu)
{
    if (!pdu.transport_data ||
        pdu.transport_data_length < static_cast<int>(sizeof(netsnmp_indexed_addr_pair)))
        return QString();
    const auto* pair = static_cast<const netsnmp_indexed_addr_pair*>(pdu.transport_data);
    const sockaddr_in& remote = pair->remote_addr.sin;
    if (remote.sin_family != AF_INET)
        return QString();
    return QStringLiteral("%1:%2")
        .arg(dottedQuad(ntohl(remote.sin_addr.s_addr)))
        .arg(ntohs(remote.sin_port));
}

QString versionOf(const netsnmp_pdu& pdu)
{
    switch (pdu.version) {
    case SNMP_VERSION_1:
        return QStringLiteral("1");
    case SNMP_VERSION_2c:
        return QStringLiteral("2c");
    case SNMP_VERSION_3:
        return QStringLiteral("3");
    default:
        return QString::number(pdu.version);
    }
}

QString securityLevelOf(const netsnmp_pdu& pdu)
{
    switch (pdu.securityLevel) {
    case SNMP_SEC_LEVEL_AUTHNOPRIV:
        return QStringLiteral("authNoPriv");
    case SNMP_SEC_LEVEL_AUTHPRIV:
        return QStringLiteral("authPriv");
    default:
        return QStringLiteral("noAuthNoPriv");
    }
}

QString communityOf(const netsnmp_pdu& pdu)
{
    if (!pdu.community)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(pdu.community),
                             static_cast<int>(pdu.community_len));
}

// Who sent a request, as the event log names it.
QJsonObject senderOf(const netsnmp_pdu& pdu)
{
    QJsonObject fields{{QStringLiteral("peer"), peerOf(pdu)},
                       {QStringLiteral("version"), versionOf(pdu)},
                       {QStringLiteral("requestId"), static_cast<qint64>(pdu.reqid)}};
    if (pdu.version == SNMP_VERSION_3) {
        fields.insert(QStringLiteral("user"),
                      QString::fromUtf8(pdu.securityName ? pdu.securityName : ""));
        fields.insert(QStringLiteral("securityLevel"), securityLevelOf(pdu));
    } else {
        fields.insert(QStringLiteral("community"), communityOf(pdu));
    }
    return fields;
}

netsnmp_request_info* requestAt(netsnmp_request_info* requests, int position)
{
    for (int i = 1; requests; requests = requests->next, ++i) {
        if (i == position)
            return requests;
    }
    return nullptr;
}

timespec realTimeNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

} // namespace

Agent::Agent(const Options& options, Device& device, EventLog& events)
    : m_options(options), m_device(device), m_events(events)
{}

Agent::~Agent()
{
    if (m_started) {
        snmp_shutdown(applicationName);
        shutdown_master_agent();
        shutdown_agent();
    }
    for (int& fd : signalPipe) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

bool Agent::writeConfiguration(const QString& folder, QString* error) const
{
    QFile file(QDir(folder).filePath(QStringLiteral("%1.conf").arg(applicationName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    QByteArray text;
    // Every community is writable as far as net-snmp's access control goes; the handler turns
    // a write with a read community into noAccess, so that the refusal shows in the event log.
    QStringList communities = m_options.readCommunities + m_options.writeCommunities;
    communities.removeDuplicates();
    for (const QString& community : communities)
        text += "rwcommunity " + community.toUtf8() + "\n";
    for (const V3User& user : m_options.users) {
        QByteArray line = "createUser " + user.name.toUtf8();
        if (!user.authProtocol.isEmpty())
            line += " " + user.authProtocol.toUtf8() + " " + user.authPassword.toUtf8();
        if (!user.privProtocol.isEmpty())
            line += " " + user.privProtocol.toUtf8() + " " + user.privPassword.toUtf8();
        text += line + "\n";
        text += "rwuser " + user.name.toUtf8() + " " + user.securityLevel().toUtf8() + "\n";
    }
    if (file.write(text) != text.size() || !file.flush()) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool Agent::start(QString* error)
{
    QString engineDir = m_options.engineDir;
    if (engineDir.isEmpty()) {
        m_temporaryEngineDir = std::make_unique<QTemporaryDir>();
        if (!m_temporaryEngineDir->isValid()) {
            *error =
                QStringLiteral("temporary folder: %1").arg(m_temporaryEngineDir->errorString());
            return false;
        }
        engineDir = m_temporaryEngineDir->path();
    }
    // The configuration and the persistent file share a name, so they need separate folders.
    const QString configDir = QDir(engineDir).filePath(QStringLiteral("config"));
    const QString persistentDir = QDir(engineDir).filePath(QStringLiteral("persistent"));
    if (!QDir().mkpath(configDir) || !QDir().mkpath(persistentDir)) {
        *error = QStringLiteral("cannot create folders in %1").arg(engineDir);
        return false;
    }
    if (!writeConfiguration(configDir, error))
        return false;
    if (!installStopSignals()) {
        *error = QStringLiteral("signal handling: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }

    // No MIB files, not even a folder of them to index: the simulator knows its variables, and
    // reading MIBs would cost start-up time and print warnings.
    qputenv("MIBS", "");
    qputenv("MIBDIRS", configDir.toLocal8Bit());
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_STDERR, LOG_WARNING);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID,
                           NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_ALARM_DONT_USE_SIG, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR,
                          configDir.toLocal8Bit().constData());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                          persistentDir.toLocal8Bit().constData());
    const QByteArray ports =
        QStringLiteral("udp:%1:%2").arg(m_options.listenHost).arg(m_options.listenPort).toLatin1();
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS, ports.constData());

    // The agent library would also listen for SMUX peers on TCP port 199 of every interface.
    char noSmux[] = "-smux";
    add_to_init_list(noSmux);
    if (init_agent(applicationName) != 0) {
        *error = QStringLiteral("net-snmp agent initialisation failed");
        return false;
    }
    m_started = true;
    // One registration for iso.org (1.3), the tree every SNMP MIB lives in.
    static const oid root[] = {1, 3};
    m_registration = netsnmp_create_handler_registration(applicationName, dispatch, root,
                                                         OID_LENGTH(root), HANDLER_CAN_RWRITE);
    m_registration->handler->myvoid = this;
    if (netsnmp_register_handler(m_registration) != MIB_REGISTERED_OK) {
        *error = QStringLiteral("handler registration failed");
        return false;
    }
    init_snmp(applicationName);
    if (init_master_agent() != 0) {
        *error = QStringLiteral("cannot listen on %1").arg(QString::fromLatin1(ports));
        return false;
    }
    if (m_options.delayMs > 0) {
        // Each datagram carries its arrival time, so that it is answered delayMs after that.
        fd_set fds;
        FD_ZERO(&fds);
        int count = 0;
        timeval timeout{};
        int block = 1;
        snmp_select_info(&count, &fds, &timeout, &block);
        for (int fd = 0; fd < count; ++fd) {
            const int on = 1;
            if (FD_ISSET(fd, &fds))
                setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
        }
    }
    m_events.write(QStringLiteral("start"),
                   {{QStringLiteral("listen"),
                     QStringLiteral("%1:%2").arg(m_options.listenHost).arg(m_options.listenPort)},
                    {QStringLiteral("variants"), QJsonArray::fromStringList(m_options.variants)},
                    {QStringLiteral("saveAndActivate"), m_device.hasSaveAndActivate()}});
    return true;
}

bool Agent::silent() const
{
    return m_options.silent || m_silentUntil.has_value();
}

std::optional<Agent::Clock::duration> Agent::delayOf(int fd) const
{
    if (m_options.delayMs <= 0)
        return std::nullopt;
    char byte = 0;
    iovec part{&byte, 1};
    alignas(cmsghdr) char control[256];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (recvmsg(fd, &message, MSG_PEEK | MSG_DONTWAIT) < 0)
        return std::nullopt;
    timespec arrival = realTimeNow();
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header;
         header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_TIMESTAMPNS)
            std::memcpy(&arrival, CMSG_DATA(header), sizeof arrival);
    }
    const timespec now = realTimeNow();
    const auto age = std::chrono::seconds(now.tv_sec - arrival.tv_sec) +
                     std::chrono::nanoseconds(now.tv_nsec - arrival.tv_nsec);
    const auto left = std::chrono::milliseconds(m_options.delayMs) - age;
    if (left <= Clock::duration::zero())
        return std::nullopt;
    return std::chrono::duration_cast<Clock::duration>(left);
}

void Agent::run()
{
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        int count = 0;
        timeval libraryTimeout{};
        int block = 1;
        snmp_select_info(&count, &readable, &libraryTimeout, &block);
        std::optional<Clock::duration> wait;
        if (!block)
            wait = std::chrono::seconds(libraryTimeout.tv_sec) +
                   std::chrono::microseconds(libraryTimeout.tv_usec);
        auto waitAtMost = [&wait](Clock::duration d) {
            if (!wait || d < *wait)
                wait = d;
        };
        if (m_silentUntil)
            waitAtMost(std::max(Clock::duration::zero(), *m_silentUntil - Clock::now()));
        if (!silent()) {
            // A datagram that is not due yet keeps its socket out of this round.
            for (int fd = 0; fd < count; ++fd) {
                if (!FD_ISSET(fd, &readable))
                    continue;
                if (auto left = delayOf(fd)) {
                    FD_CLR(fd, &readable);
                    waitAtMost(*left);
                }
            }
        }
        FD_SET(signalPipe[0], &readable);
        const int fdCount = std::max(count, signalPipe[0] + 1);
        timeval timeout{};
        if (wait) {
            const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(*wait);
            timeout.tv_sec = static_cast<time_t>(micros.count() / 1000000);
            timeout.tv_usec = static_cast<suseconds_t>(micros.count() % 1000000);
        }
        const int ready = select(fdCount, &readable, nullptr, nullptr, wait ? &timeout : nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            snmp_log_perror("select");
            return;
        }
        if (FD_ISSET(signalPipe[0], &readable))
            return;
        if (ready > 0 && silent()) {
            // A restarting or unreachable device answers nothing: what arrives is dropped.
            char buffer[2048];
            for (int fd = 0; fd < count; ++fd) {
                if (FD_ISSET(fd, &readable)) {
                    while (recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
                    }
                }
            }
        } else if (ready > 0) {
            for (int fd = 0; fd < count; ++fd) {
                if (FD_ISSET(fd, &readable) && delayOf(fd))
                    FD_CLR(fd, &readable);
            }
            snmp_read(&readable);
        } else {
            snmp_timeout();
        }
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
        if (m_device.restartPending())
            beginRestart();
        if (m_silentUntil && Clock::now() >= *m_silentUntil)
            endRestart();
    }
}

void Agent::beginRestart()
{
    const RestartRequest request = m_device.takeRestart();
    const VariableDef* def = m_device.model().find(request.trigger);
    m_events.write(QStringLiteral("restart"),
                   {{QStringLiteral("reason"), request.reason},
                    {QStringLiteral("oid"), oidText(request.trigger)},
                    {QStringLiteral("name"), def ? QString::fromLatin1(def->name) : QString()},
                    {QStringLiteral("silenceSeconds"), m_options.restartSeconds}});
    m_silentUntil = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(m_options.restartSeconds));
}

void Agent::endRestart()
{
    m_silentUntil.reset();
    m_device.boot();
    m_events.write(QStringLiteral("up"), {{QStringLiteral("bootCount"), m_device.bootCount()}});
}

int Agent::dispatch(netsnmp_mib_handler* handler, netsnmp_handler_registration*,
                    netsnmp_agent_request_info* info, netsnmp_request_info* requests)
{
    auto* self = static_cast<Agent*>(handler->myvoid);
    // Nothing may unwind through net-snmp's C frames.
    try {
        switch (info->mode) {
        case MODE_GET:
            self->logRead(info);
            self->answerGet(info, requests);
            break;
        case MODE_GETNEXT:
            self->logRead(info);
            self->answerGetNext(info, requests);
            break;
        case MODE_SET_RESERVE1:
            self->reserve(info, requests);
            break;
        case MODE_SET_COMMIT:
            self->finishSet(info, true);
            break;
        case MODE_SET_FREE:
        case MODE_SET_UNDO:
            self->finishSet(info, false);
            break;
        default: // RESERVE2 and ACTION: everything was decided in RESERVE1
            break;
        }
    } catch (...) {
        netsnmp_set_request_error(info, requests, SNMP_ERR_GENERR);
    }
    return SNMP_ERR_NOERROR;
}

int Agent::faultFor(const Oid& oid) const
{
    for (const Fault& fault : m_options.faults) {
        if (hasPrefix(oid, fault.prefix))
            return fault.status;
    }
    return SNMP_ERR_NOERROR;
}

bool Agent::objectIsPresent(const Oid& instance) const
{
    // A scalar object is there when its instance .0 is (a GET of sysName.1 names sysName).
    const Device::State& state = m_device.running();
    for (size_t length = instance.size() - 1; length > 0; --length) {
        Oid scalar(instance.begin(), instance.begin() + static_cast<std::ptrdiff_t>(length));
        scalar.push_back(0);
        if (state.count(scalar))
            return true;
    }
    // A column is there when any row is.
    const VariableDef* def = m_device.model().find(instance);
    if (def && def->table) {
        const auto cell = state.lower_bound(def->oid);
        return cell != state.end() && hasPrefix(cell->first, def->oid);
    }
    return false;
}

void Agent::answerGet(netsnmp_agent_request_info* info, netsnmp_request_info* requests)
{
    const Device::State& state = m_device.running();
    for (netsnmp_request_info* request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const Oid oid = oidOf(*request->requestvb);
        if (const int status = faultFor(oid)) {
            netsnmp_set_request_error(info, request, status);
            continue;
        }
        const auto it = state.find(oid);
        if (it != state.end()) {
            m_device.read(it->second).storeInto(request->requestvb);
            continue;
        }
        netsnmp_set_request_error(info, request,
                                  objectIsPresent(oid) ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
    }
}

void Agent::answerGetNext(netsnmp_agent_request_info* info, netsnmp_request_info* requests)
{
    const Device::State& state = m_device.running();
    for (netsnmp_request_info* request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const auto it = state.upper_bound(oidOf(*request->requestvb));
        if (it == state.end())
            continue; // past the device's last variable: net-snmp answers endOfMibView
        snmp_set_var_objid(request->requestvb, it->first.data(), it->first.size());
        if (const int status = faultFor(it->first)) {
            netsnmp_set_request_error(info, request, status);
            continue;
        }
        m_device.read(it->second).storeInto(request->requestvb);
    }
}

bool Agent::mayWrite(const netsnmp_pdu& pdu) const
{
    if (pdu.version == SNMP_VERSION_3)
        return true; // every configured user may write; USM has checked who it is
    return m_options.writeCommunities.contains(communityOf(pdu));
}

void Agent::reserve(netsnmp_agent_request_info* info, netsnmp_request_info* requests)
{
    PendingSet set;
    for (netsnmp_request_info* request = requests; request; request = request->next)
        set.requests.push_back(
            SetRequest{oidOf(*request->requestvb), Value::fromVarbind(*request->requestvb)});
    const netsnmp_pdu& pdu = *info->asp->pdu;
    if (!mayWrite(pdu))
        set.outcome = SetOutcome{SNMP_ERR_NOACCESS, 1};
    for (size_t i = 0; i < set.requests.size() && set.outcome.status == SNMP_ERR_NOERROR; ++i) {
        if (const int status = faultFor(set.requests[i].oid))
            set.outcome = SetOutcome{status, static_cast<int>(i) + 1};
    }
    if (set.outcome.status == SNMP_ERR_NOERROR)
        set.outcome = m_device.check(set.requests);
    if (set.outcome.status != SNMP_ERR_NOERROR) {
        if (netsnmp_request_info* failed = requestAt(requests, set.outcome.index))
            netsnmp_set_request_error(info, failed, set.outcome.status);
    }
    m_pendingSets[info->asp] = std::move(set);
}

void Agent::finishSet(netsnmp_agent_request_info* info, bool committed)
{
    const auto it = m_pendingSets.find(info->asp);
    if (it == m_pendingSets.end())
        return;
    const PendingSet set = std::move(it->second);
    m_pendingSets.erase(it);
    int status = SNMP_ERR_NOERROR;
    int index = 0;
    if (committed) {
        m_device.commit(set.requests);
    } else {
        status = set.outcome.status != SNMP_ERR_NOERROR ? set.outcome.status : info->asp->status;
        index = set.outcome.status != SNMP_ERR_NOERROR ? set.outcome.index : info->asp->index;
    }
    logSet(*info->asp->pdu, set, status, index);
}

void Agent::logSet(const netsnmp_pdu& pdu, const PendingSet& set, int status, int index)
{
    QJsonArray varbinds;
    for (const SetRequest& request : set.requests) {
        QJsonObject varbind = request.value.toJson();
        varbind.insert(QStringLiteral("oid"), oidText(request.oid));
        if (const VariableDef* def = m_device.model().find(request.oid))
            varbind.insert(QStringLiteral("name"), QString::fromLatin1(def->name));
        varbinds.append(varbind);
    }
    if (pdu.version == SNMP_VERSION_1)
        status = errorStatusForVersion1(status);
    QJsonObject fields = senderOf(pdu);
    fields.insert(QStringLiteral("varbinds"), varbinds);
    fields.insert(QStringLiteral("errorStatus"), errorStatusName(status));
    fields.insert(QStringLiteral("errorIndex"), index);
    m_events.write(QStringLiteral("set"), fields);
}

void Agent::logRead(netsnmp_agent_request_info* info)
{
    if (!m_options.logReads || !info->asp)
        return;
    // The request as it arrived: net-snmp turns asp->pdu into the response as handlers answer.
    const netsnmp_pdu* pdu = info->asp->orig_pdu ? info->asp->orig_pdu : info->asp->pdu;
    if (!pdu || (pdu->command != SNMP_MSG_GET && pdu->command != SNMP_MSG_GETNEXT))
        return; // GET-BULK arrives here as GET-NEXT passes, one per repetition
    // A GET-NEXT comes back for another pass when some of its varbinds found nothing in the first
    // one (one before 1.3 and one past the end, say). The mark lives as long as the request.
    static const char logged[] = "qtr9000kx-sim read logged";
    if (netsnmp_agent_get_list_data(info, logged))
        return;
    netsnmp_agent_add_list_data(info, netsnmp_create_data_list(logged, this, nullptr));
    QJsonArray oids;
    for (const netsnmp_variable_list* varbind = pdu->variables; varbind;
         varbind = varbind->next_variable)
        oids.append(oidText(oidOf(*varbind)));
    QJsonObject fields = senderOf(*pdu);
    fields.insert(QStringLiteral("oids"), oids);
    m_events.write(pdu->command == SNMP_MSG_GET ? QStringLiteral("get") : QStringLiteral("getnext"),
                   fields);
}

} // namespace sim
