#pragma once

// What the simulator tests share: the OIDs they talk about and clients for the usual credentials.

#include "SimulatorProcess.h"
#include "SnmpTool.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace qtr::test::oids {

inline const QString sysDescr = QStringLiteral("1.3.6.1.2.1.1.1.0");
inline const QString sysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
inline const QString sysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
inline const QString sysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
inline const QString sysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
inline const QString firmware = privateOid(QStringLiteral("4.4.1.1.1.0"));
inline const QString reportedAddress = privateOid(QStringLiteral("4.4.1.1.4.0"));
inline const QString cpuUtilization = privateOid(QStringLiteral("4.4.1.2.1.0"));
inline const QString memUtilization = privateOid(QStringLiteral("4.4.1.2.2.0"));
inline const QString getIpFrom = privateOid(QStringLiteral("4.1.2.1.0"));
inline const QString ipAddress = privateOid(QStringLiteral("4.1.2.2.0"));
inline const QString subnetMask = privateOid(QStringLiteral("4.1.2.3.0"));
inline const QString gateway = privateOid(QStringLiteral("4.1.2.4.0"));
inline const QString restart = privateOid(QStringLiteral("4.3.2.1.0"));
inline const QString factoryDefault = privateOid(QStringLiteral("4.3.2.2.0"));
inline const QString upgradeCommand = privateOid(QStringLiteral("4.3.3.5.0"));
inline const QString saveActivate = privateOid(QStringLiteral("4.5.1.0"));
inline const QString discardChanges = privateOid(QStringLiteral("4.5.2.0"));
inline const QString sslSupported = privateOid(QStringLiteral("4.99.1.1.37.0"));
inline const QString multiSsidTable = privateOid(QStringLiteral("4.99.1.1.13.0"));
inline const QString apStatusSupported = privateOid(QStringLiteral("4.99.1.1.43.0"));

// The wireless status table: column c of radio r (1 the first, 2 the second).
inline QString wirelessStatus(int column, int radio)
{
    return privateOid(QStringLiteral("4.4.2.1.%1.%2").arg(column).arg(radio));
}

// The test table: column c of row r is testColumn(c, r).
inline QString testColumn(int column, int row)
{
    return privateOid(QStringLiteral("99.1.1.%1.%2").arg(column).arg(row));
}

} // namespace qtr::test::oids

namespace qtr::test {

inline SnmpTool v2c(const SimulatorProcess& sim,
                    const QString& community = QStringLiteral("public"))
{
    return SnmpTool(sim.address(), {QStringLiteral("-v2c"), QStringLiteral("-c"), community});
}

inline SnmpTool v1(const SimulatorProcess& sim, const QString& community = QStringLiteral("public"))
{
    return SnmpTool(sim.address(), {QStringLiteral("-v1"), QStringLiteral("-c"), community});
}

inline SnmpTool writer(const SimulatorProcess& sim)
{
    return v2c(sim, QStringLiteral("private"));
}

// A client that gives up quickly: for asking a device that is expected to stay silent.
inline SnmpTool impatient(const SimulatorProcess& sim)
{
    SnmpTool tool = v2c(sim);
    tool.setTimeout(0.3, 0);
    return tool;
}

// The varbinds of a "set" event as "oid=value" texts.
inline QStringList setVarbinds(const QJsonObject& event)
{
    QStringList result;
    for (const QJsonValue& varbind : event.value(QStringLiteral("varbinds")).toArray()) {
        const QJsonObject object = varbind.toObject();
        result << object.value(QStringLiteral("oid")).toString() + u'=' +
                      object.value(QStringLiteral("value")).toString();
    }
    return result;
}

} // namespace qtr::test
