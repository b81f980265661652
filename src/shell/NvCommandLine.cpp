#include "NvCommandLine.h"

#include "NvIni.h"
#include "NvPaths.h"

#include <QFileInfo>
#include <limits>

namespace {

const QString kSection = QStringLiteral("Program Information");
constexpr int kMaxPort = std::numeric_limits<uint16_t>::max();

enum class Target
{
    ReadCommunity,
    WriteCommunity,
    Version,
    Port,
    ContextName,
    ContextEngineId,
    SecurityModel,
    SecurityLevel,
    SecurityName,
    AuthPassword,
    PrivPassword,
    AuthProtocol,
    PrivProtocol,
};

struct Switch
{
    const char* text;
    bool snmpV3Only;
    Target target;
};

// In the order the arguments are tested against them ("/I" comes before all of these).
const Switch kSwitches[] = {
    {"/R", false, Target::ReadCommunity}, {"/W", false, Target::WriteCommunity},
    {"/v2", false, Target::Version},      {"/t", true, Target::Port},
    {"/c", true, Target::ContextName},    {"/d", true, Target::ContextEngineId},
    {"/m", true, Target::SecurityModel},  {"/l", true, Target::SecurityLevel},
    {"/n", true, Target::SecurityName},   {"/A", true, Target::AuthPassword},
    {"/P", true, Target::PrivPassword},   {"/a", true, Target::AuthProtocol},
    {"/p", true, Target::PrivProtocol},
};

} // namespace

bool NvSessionParameters::operator==(const NvSessionParameters& o) const
{
    return address == o.address && port == o.port && version == o.version &&
           readCommunity == o.readCommunity && writeCommunity == o.writeCommunity &&
           contextName == o.contextName && contextEngineId == o.contextEngineId &&
           securityModel == o.securityModel && securityLevel == o.securityLevel &&
           securityName == o.securityName && authPassword == o.authPassword &&
           privPassword == o.privPassword && authProtocol == o.authProtocol &&
           privProtocol == o.privProtocol;
}

NvCommandLine::NvCommandLine(QString profileFolder) : m_profileFolder(std::move(profileFolder)) {}

QString NvCommandLine::ProfilePath() const
{
    return NvPaths::ResolveIgnoringCase(
        NvPaths::Join(m_profileFolder, m_deviceAddressText + QStringLiteral(".cfg")));
}

bool NvCommandLine::toNumber(const QString& what, const QString& text, int& number, int minimum,
                             int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    const bool decimal = ok && !text.isEmpty() && !text.contains(QLatin1Char(' '));
    QString problem;
    if (text.isEmpty())
        problem = QStringLiteral("%1 has no number; the default is kept.").arg(what);
    else if (!decimal)
        problem = QStringLiteral("%1 \"%2\" is not a decimal number; the default is kept.")
                      .arg(what, text);
    else if (value < minimum || value > maximum)
        problem = QStringLiteral("%1 \"%2\" is out of range (%3 to %4); the default is kept.")
                      .arg(what, text)
                      .arg(minimum)
                      .arg(maximum);
    if (problem.isEmpty()) {
        number = value;
        return true;
    }
    if (!m_problems.contains(problem))
        m_problems.append(problem);
    return false;
}

bool NvCommandLine::inSnmpV3Mode(const NvSessionParameters& parameters) const
{
    return m_profileVersionText == QLatin1String("3") || parameters.version == 3;
}

void NvCommandLine::readProfile(NvSessionParameters& p)
{
    const QString path = ProfilePath();
    if (!QFileInfo(path).isFile())
        return;
    const NvIni ini(path);
    auto read = [&](const char* key) { return ini.ReadString(kSection, QString::fromLatin1(key)); };
    auto keyName = [](const char* key) {
        return QStringLiteral("Profile key \"%1\"").arg(QLatin1String(key));
    };
    int number = 0;

    if (toNumber(keyName("AgentPort"), read("AgentPort"), number, 0, kMaxPort))
        p.port = static_cast<uint16_t>(number);
    const QString version = read("Version");
    if (toNumber(keyName("Version"), version, number))
        p.version = number;
    m_profileVersionText = version;
    const QString contextName = read("ContextName");
    if (!contextName.isEmpty())
        p.contextName = contextName;
    p.contextEngineId = read("ContextEngineID");
    if (toNumber(keyName("SecurityModel"), read("SecurityModel"), number))
        p.securityModel = number;
    const QString level = read("SecurityLevel");
    if (level != QLatin1String("0") && toNumber(keyName("SecurityLevel"), level, number))
        p.securityLevel = number + 1;
    p.securityName = read("SecurityName");
    const QString auth = read("AuthProtocol");
    if (auth != QLatin1String("0") && toNumber(keyName("AuthProtocol"), auth, number))
        p.authProtocol = number + 1;
    const QString priv = read("PrivProtocol");
    if (priv != QLatin1String("0") && toNumber(keyName("PrivProtocol"), priv, number))
        p.privProtocol = number + 1;
    const QString authPassword = read("AuthPassword");
    if (!authPassword.isEmpty())
        p.authPassword = authPassword;
    const QString privPassword = read("PrivPassword");
    if (!privPassword.isEmpty())
        p.privPassword = privPassword;
}

void NvCommandLine::applyArgument(const QString& argument, NvSessionParameters& p)
{
    const int address = argument.indexOf(QLatin1String("/I"));
    if (address >= 0) {
        m_deviceAddressText = argument.mid(address + 2);
        p.address = m_deviceAddressText;
        return;
    }
    readProfile(p);
    for (const Switch& sw : kSwitches) {
        if (sw.snmpV3Only && !inSnmpV3Mode(p))
            continue;
        const int at = argument.indexOf(QLatin1String(sw.text));
        if (at < 0)
            continue;
        const QString value = argument.mid(at + 2);
        const QString what = QStringLiteral("Switch \"%1\"").arg(QLatin1String(sw.text));
        int number = 0;
        switch (sw.target) {
        case Target::ReadCommunity:
            p.readCommunity = value;
            break;
        case Target::WriteCommunity:
            p.writeCommunity = value;
            break;
        case Target::Version:
            if (toNumber(what, value, number))
                p.version = number;
            break;
        case Target::Port:
            if (toNumber(what, value, number, 0, kMaxPort))
                p.port = static_cast<uint16_t>(number);
            break;
        case Target::ContextName:
            p.contextName = value;
            break;
        case Target::ContextEngineId:
            p.contextEngineId = value;
            break;
        case Target::SecurityModel:
            if (toNumber(what, value, number))
                p.securityModel = number;
            break;
        case Target::SecurityLevel:
            if (toNumber(what, value, number))
                p.securityLevel = number + 1;
            break;
        case Target::SecurityName:
            p.securityName = value;
            break;
        case Target::AuthPassword:
            p.authPassword = value;
            break;
        case Target::PrivPassword:
            p.privPassword = value;
            break;
        case Target::AuthProtocol:
            if (toNumber(what, value, number))
                p.authProtocol = number + 1;
            break;
        case Target::PrivProtocol:
            if (toNumber(what, value, number))
                p.privProtocol = number + 1;
            break;
        }
        return;
    }
}

void NvCommandLine::Interpret(const QStringList& arguments, NvSessionParameters& parameters)
{
    for (const QString& argument : arguments)
        applyArgument(argument, parameters);
}
