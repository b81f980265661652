#include "SimulatorProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qtr::test {

namespace {

// A UDP port nobody uses right now. Another process may take it before the simulator binds it;
// start() then tries again with a new one.
quint16 freeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// The simulator's exit code when it cannot bind its address.
constexpr int exitCannotListen = 1;

} // namespace

SimulatorProcess::SimulatorProcess() = default;

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

QString SimulatorProcess::executable()
{
    return QStringLiteral(QTR_SIM_EXECUTABLE);
}

void SimulatorProcess::setRestartSilence(std::chrono::milliseconds silence)
{
    m_restartSilence = silence;
}

bool SimulatorProcess::start(const QStringList& arguments, std::chrono::milliseconds timeout)
{
    stop();
    for (int attempt = 0; attempt < 5; ++attempt) {
        bool portTaken = false;
        if (startOnce(arguments, timeout, &portTaken))
            return true;
        if (!portTaken)
            return false;
    }
    return false;
}

bool SimulatorProcess::startOnce(const QStringList& arguments, std::chrono::milliseconds timeout,
                                 bool* portTaken)
{
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("temporary folder: %1").arg(m_dir->errorString());
        return false;
    }
    m_port = freeUdpPort();
    if (m_port == 0) {
        m_error = QStringLiteral("no free UDP port on 127.0.0.1");
        return false;
    }
    // The log exists before the simulator runs, so that waitForEvent can watch it at once.
    QFile log(eventLogPath());
    if (!log.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("%1: %2").arg(log.fileName(), log.errorString());
        return false;
    }
    log.close();

    QStringList all{
        QStringLiteral("--listen"),     address(),
        QStringLiteral("--event-log"),  eventLogPath(),
        QStringLiteral("--engine-dir"), QDir(dataDir()).filePath(QStringLiteral("engine"))};
    if (!arguments.contains(QStringLiteral("--restart-seconds")))
        all << QStringLiteral("--restart-seconds")
            << QString::number(static_cast<double>(m_restartSilence.count()) / 1000.0);
    all << arguments;

    m_process = std::make_unique<QProcess>();
    m_process->setProgram(executable());
    m_process->setArguments(all);
    m_process->setStandardErrorFile(QDir(dataDir()).filePath(QStringLiteral("stderr.log")));
    m_process->start();
    if (!m_process->waitForStarted(static_cast<int>(timeout.count()))) {
        m_error = QStringLiteral("%1: %2").arg(executable(), m_process->errorString());
        m_process.reset();
        return false;
    }
    const QDeadlineTimer deadline(timeout);
    QByteArray output;
    while (!output.contains("ready\n")) {
        if (m_process->state() != QProcess::Running ||
            !m_process->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            if (m_process->state() == QProcess::Running) {
                m_error = QStringLiteral("no \"ready\" within %1 ms").arg(timeout.count());
                stop();
            } else {
                *portTaken = m_process->exitStatus() == QProcess::NormalExit &&
                             m_process->exitCode() == exitCannotListen;
                m_error = QStringLiteral("the simulator exited (%1): %2")
                              .arg(m_process->exitCode())
                              .arg(standardError().trimmed());
                m_process.reset();
            }
            return false;
        }
        output += m_process->readAllStandardOutput();
    }
    m_error.clear();
    return true;
}

bool SimulatorProcess::stop(std::chrono::milliseconds timeout)
{
    if (!m_process)
        return true;
    bool clean = true;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate(); // SIGTERM
        if (!m_process->waitForFinished(static_cast<int>(timeout.count()))) {
            m_error = QStringLiteral("no exit within %1 ms of SIGTERM").arg(timeout.count());
            m_process->kill();
            m_process->waitForFinished();
            clean = false;
        }
    }
    if (clean && (m_process->exitStatus() != QProcess::NormalExit || m_process->exitCode() != 0)) {
        m_error = QStringLiteral("the simulator exited with %1: %2")
                      .arg(m_process->exitCode())
                      .arg(standardError().trimmed());
        clean = false;
    }
    m_process.reset();
    return clean;
}

bool SimulatorProcess::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

qint64 SimulatorProcess::processId() const
{
    return isRunning() ? m_process->processId() : 0;
}

QString SimulatorProcess::address() const
{
    return QStringLiteral("%1:%2").arg(host()).arg(m_port);
}

QString SimulatorProcess::dataDir() const
{
    return m_dir ? m_dir->path() : QString();
}

QString SimulatorProcess::eventLogPath() const
{
    return m_dir ? QDir(dataDir()).filePath(QStringLiteral("events.jsonl")) : QString();
}

QString SimulatorProcess::standardError() const
{
    QFile file(QDir(dataDir()).filePath(QStringLiteral("stderr.log")));
    if (!m_dir || !file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QList<QJsonObject> SimulatorProcess::events() const
{
    QList<QJsonObject> result;
    QFile file(eventLogPath());
    if (!m_dir || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray text = file.readAll();
    // A line without its newline is still being written.
    const qsizetype complete = text.lastIndexOf('\n') + 1;
    for (const QByteArray& line : text.left(complete).split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        result << QJsonDocument::fromJson(line).object();
    }
    return result;
}

std::optional<QJsonObject> SimulatorProcess::waitForEvent(const EventPredicate& predicate,
                                                          std::chrono::milliseconds timeout,
                                                          int from) const
{
    const QDeadlineTimer deadline(timeout);
    QFileSystemWatcher watcher({eventLogPath()});
    for (;;) {
        const QList<QJsonObject> all = events();
        for (qsizetype i = from; i < all.size(); ++i) {
            if (predicate(all[i]))
                return all[i];
        }
        if (deadline.hasExpired())
            return std::nullopt;
        // Woken by the file changing; the short timer covers a change the watcher coalesced.
        QEventLoop loop;
        QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(std::min<qint64>(deadline.remainingTime(), 50), &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

EventPredicate SimulatorProcess::isEvent(const QString& name)
{
    return [name](const QJsonObject& event) {
        return event.value(QStringLiteral("event")).toString() == name;
    };
}

EventPredicate SimulatorProcess::isSetOf(const QString& oid)
{
    return [oid](const QJsonObject& event) {
        if (event.value(QStringLiteral("event")).toString() != QLatin1String("set"))
            return false;
        for (const QJsonValue& varbind : event.value(QStringLiteral("varbinds")).toArray()) {
            if (varbind.toObject().value(QStringLiteral("oid")).toString() == oid)
                return true;
        }
        return false;
    };
}

namespace {

bool isReadEvent(const QJsonObject& event)
{
    const QString name = event.value(QStringLiteral("event")).toString();
    return name == QLatin1String("get") || name == QLatin1String("getnext");
}

} // namespace

QSet<QString> SimulatorProcess::readOids(int from) const
{
    QSet<QString> oids;
    const QList<QJsonObject> all = events();
    for (int i = from; i < all.size(); ++i) {
        if (!isReadEvent(all[i]))
            continue;
        for (const QJsonValue oid : all[i].value(QStringLiteral("oids")).toArray())
            oids.insert(oid.toString());
    }
    return oids;
}

EventPredicate SimulatorProcess::isReadOf(const QString& oid)
{
    return [oid](const QJsonObject& event) {
        return isReadEvent(event) &&
               event.value(QStringLiteral("oids")).toArray().contains(QJsonValue(oid));
    };
}

QString privateOid(const QString& rest)
{
    if (rest.isEmpty())
        return QStringLiteral(QTR_PRIVATE_ROOT);
    return QStringLiteral(QTR_PRIVATE_ROOT ".") + rest;
}

} // namespace qtr::test
