#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <limits>

// The session parameters that the command line and the per-device profile set: the address,
// port, version, communities, context and SNMPv3 user that every request then copies.
struct NvSessionParameters
{
    QString address = QStringLiteral("127.0.0.1");
    uint16_t port = 161;
    int version = 0;
    QString readCommunity;
    QString writeCommunity;
    QString contextName;
    QString contextEngineId;
    int securityModel = 1;
    int securityLevel = 1;
    QString securityName;
    QString authPassword;
    QString privPassword;
    int authProtocol = 1;
    int privProtocol = 1;

    bool operator==(const NvSessionParameters& other) const;
};

// Interprets the platform's command line and the per-device profile it refers to.
//
// Each argument is tested against the switches in a fixed order; the first switch that occurs
// anywhere in it applies, with the rest of the argument after the switch's first two characters
// as its value. Every argument but "/I" first reads the profile (profileFolder + address +
// ".cfg", section "Program Information"), so "/I" must come first for the profile to be found.
// A numeric value that is missing or not a decimal number leaves the parameter as it was and is
// reported in problems() once.
class NvCommandLine
{
public:
    explicit NvCommandLine(QString profileFolder = QString());

    void Interpret(const QStringList& arguments, NvSessionParameters& parameters);

    const QString& deviceAddressText() const { return m_deviceAddressText; }
    const QString& profileVersionText() const { return m_profileVersionText; }
    // The profile file looked up for the current address.
    QString ProfilePath() const;
    // Messages about numbers that could not be used, each naming the switch or key and value.
    const QStringList& problems() const { return m_problems; }

private:
    void readProfile(NvSessionParameters& parameters);
    bool inSnmpV3Mode(const NvSessionParameters& parameters) const;
    bool toNumber(const QString& what, const QString& text, int& number,
                  int minimum = std::numeric_limits<int>::min(),
                  int maximum = std::numeric_limits<int>::max());
    void applyArgument(const QString& argument, NvSessionParameters& parameters);

    QString m_profileFolder;
    QString m_deviceAddressText;
    QString m_profileVersionText;
    QStringList m_problems;
};
