#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sim {

struct V3User
{
    QString name;
    QString authProtocol; // empty: noAuthNoPriv
    QString authPassword;
    QString privProtocol; // empty: no privacy
    QString privPassword;

    QString securityLevel() const; // "noauth", "auth" or "priv", as the access lines spell it
};

struct Fault
{
    Oid prefix; // the OID and everything below it
    int status;
};

struct Options
{
    QString listenHost = QStringLiteral("127.0.0.1");
    quint16 listenPort = 1161;
    QStringList readCommunities;
    QStringList writeCommunities;
    std::vector<V3User> users;
    double restartSeconds = 10;
    QString dataFile; // empty: the built-in QTR-9000KX data
    QString eventLog;
    bool logReads = false; // GET and GET-NEXT requests go to the event log as well
    QStringList variants;
    std::vector<std::pair<Oid, Value>> sets;
    std::vector<Oid> unsets;
    bool silent = false;
    int delayMs = 0;
    std::vector<Fault> faults;
    QString engineDir; // empty: a private temporary folder
};

// Parses the command line. On --help, --version or --list-variants it prints and sets exitCode
// to 0; on an error it prints the reason and sets exitCode to 2. Either way it returns nothing.
std::optional<Options> parseOptions(const QStringList& arguments, int* exitCode);

// The communities the module uses when it is given none; a device configured for it accepts them.
inline const char* const moduleReadCommunity = "vqlmzr";
inline const char* const moduleWriteCommunity = "kdwstne";

} // namespace sim
