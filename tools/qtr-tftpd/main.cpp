// qtr-tftpd: serves a folder over TFTP with the module's own server until SIGTERM, one line per
// status change of each session on standard output.
#include "NvError.h"
#include "NvTFTPServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    // Nothing else is safe in a signal handler; the event loop picks the byte up.
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

bool ParseNumber(const QString& text, int minimum, int maximum, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= minimum && value <= maximum;
}

int Usage(const QCommandLineParser& parser, const QString& problem)
{
    std::fprintf(stderr, "qtr-tftpd: %s\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr-tftpd"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves every file below a folder over TFTP (RFC 1350) until SIGTERM or SIGINT."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Folder to serve and receive into."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("UDP port (default: QTR_TFTP_PORT, else 69; 0 picks a free one)."),
        QStringLiteral("N"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
                                           QStringLiteral("Wait for an answer (default 1000)."),
                                           QStringLiteral("CENTISECONDS"));
    const QCommandLineOption sendLimitOption(
        QStringLiteral("send-limit"), QStringLiteral("Most sends of one DATA block (default 3)."),
        QStringLiteral("N"));
    parser.addOptions({rootOption, portOption, timeoutOption, sendLimitOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return Usage(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return Usage(parser, QStringLiteral("unexpected argument"));
    if (!parser.isSet(rootOption) || !QFileInfo(parser.value(rootOption)).isDir())
        return Usage(parser, QStringLiteral("--root must name a folder"));

    int port = NvTFTPServer::DefaultPort();
    int timeout = 1000;
    int sendLimit = 3;
    if (parser.isSet(portOption) && !ParseNumber(parser.value(portOption), 0, 65535, port))
        return Usage(parser, QStringLiteral("--port must be 0 to 65535"));
    if (parser.isSet(timeoutOption) &&
        !ParseNumber(parser.value(timeoutOption), 1, 100000, timeout))
        return Usage(parser, QStringLiteral("--timeout must be 1 to 100000"));
    if (parser.isSet(sendLimitOption) &&
        !ParseNumber(parser.value(sendLimitOption), 1, 1000, sendLimit))
        return Usage(parser, QStringLiteral("--send-limit must be 1 to 1000"));

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        std::perror("qtr-tftpd: socketpair");
        return 1;
    }
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    const QString root = QFileInfo(parser.value(rootOption)).absoluteFilePath();
    NvTFTPServer server;
    server.SetTimeout(timeout, sendLimit);
    // One line per change of a session's code; the blocks of a transfer all report 2.
    QHash<int, int> lastCodes;
    server.SetOnMessage([&lastCodes](const NvTFTPMsg& message, bool&) {
        const auto last = lastCodes.constFind(message.sessionNumber);
        if (last != lastCodes.constEnd() && *last == message.code)
            return;
        if (message.code == 0)
            lastCodes.remove(message.sessionNumber);
        else
            lastCodes.insert(message.sessionNumber, message.code);
        std::printf("%d\t%d\t%s\t%s\t%d\n", message.sessionNumber, message.code,
                    message.text.toUtf8().constData(), message.fileName.toUtf8().constData(),
                    message.total);
        std::fflush(stdout);
    });
    try {
        server.Start(root, static_cast<quint16>(port));
    } catch (const NvError& error) {
        std::fprintf(stderr, "%s%s\n", kTFTPServiceInitError, error.what());
        return 1;
    }
    server.AnnounceFolder(root);
    std::fprintf(stderr, "qtr-tftpd: serving %s on UDP port %u\n", qPrintable(root),
                 server.ListeningPort());

    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        signalNotifier.setEnabled(false);
        server.Stop();
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
