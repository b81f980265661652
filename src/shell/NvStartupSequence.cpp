#include "NvStartupSequence.h"

#include "NvCatalog.h"
#include "NvDialogs.h"
#include "NvError.h"
#include "NvPaths.h"
#include "NvRegistry.h"

#include <QCoreApplication>

namespace {

const QString kHelpPathKey = QStringLiteral("\\SOFTWARE\\Norvane\\Modules\\HelpPath");
const QString kExePathKey = QStringLiteral("\\SOFTWARE\\Norvane\\Tavrin5.1\\ExePath");
const QString kMibFileKey = QStringLiteral("\\SOFTWARE\\Norvane\\Tavrin5.1\\MibFile");

constexpr int kHelpFileNameLength = 12;

void loadAll(const QString& folder, const QList<NvCatalogId>& order)
{
    for (const NvCatalogId catalog : order) {
        const QString path =
            NvPaths::ResolveIgnoringCase(NvPaths::Join(folder, NvCatalog::FileName(catalog)));
        NvCatalog::LoadCatalog(catalog, path);
    }
}

} // namespace

namespace NvStartupCatalogs {

void LoadBesideExecutable(const QString& executableFolder)
{
    loadAll(NvPaths::Join(executableFolder, QStringLiteral("errMSg")),
            {NvCatalogId::SnmpClass, NvCatalogId::AgentErrors, NvCatalogId::Templates,
             NvCatalogId::NvSnmp, NvCatalogId::SnmpV3, NvCatalogId::SnmpUsm, NvCatalogId::Common});
}

void LoadFromModuleFolder(const QString& moduleFolder)
{
    // An empty module folder means the current directory.
    loadAll(NvPaths::Join(moduleFolder, QStringLiteral("errmsg")),
            {NvCatalogId::Common, NvCatalogId::AgentErrors, NvCatalogId::SnmpV3,
             NvCatalogId::SnmpUsm, NvCatalogId::SnmpClass, NvCatalogId::NvSnmp,
             NvCatalogId::Templates});
}

} // namespace NvStartupCatalogs

QString NvStartupSequence::HelpPathValueName()
{
    return QStringLiteral(QTR_PRIVATE_ROOT ".20");
}

QString NvStartupSequence::ModuleFolderOf(const QString& helpPath)
{
    return helpPath.left(qMax(0, int(helpPath.size()) - kHelpFileNameLength));
}

void NvStartupSequence::readRegistry()
{
    NvRegistry::CreateKey(kHelpPathKey);
    QString helpPath;
    NvRegistry::ReadValue(kHelpPathKey, HelpPathValueName(), helpPath);
    m_moduleFolder = ModuleFolderOf(helpPath);

    NvStartupCatalogs::LoadFromModuleFolder(m_moduleFolder);

    m_profileFolder.clear();
    QString path;
    if (NvRegistry::KeyExists(kExePathKey)) {
        NvRegistry::ReadValue(kExePathKey, QStringLiteral("Path"), path);
        m_profileFolder = NvPaths::Join(path, QStringLiteral("..\\Conf\\MBF\\"));
    }
    if (NvRegistry::KeyExists(kMibFileKey)) {
        path.clear();
        NvRegistry::ReadValue(kMibFileKey, QStringLiteral("Path"), path);
        m_profileFolder = path;
    }
}

NvStartupSequence::Outcome NvStartupSequence::Run(NvStartupHost& host, const QStringList& arguments,
                                                  const SessionStart& startSession)
{
    const QString title = QCoreApplication::applicationName();
    try {
        m_parameters = startSession();
    } catch (const NvError& error) {
        NvDialogs::Message(host.MessageOwner(), error.message(), title, NvDialogs::Buttons::Ok,
                           NvDialogs::Icon::Error);
        return Outcome::EndApplication;
    }
    m_parameters.version = 0;

    readRegistry();

    if (arguments.isEmpty()) {
        host.StopCapabilityTimer();
        NvDialogs::Message(host.MessageOwner(),
                           QStringLiteral("This module is only used in the Tavrin or HP-Openview."),
                           title, NvDialogs::Buttons::Ok, NvDialogs::Icon::Information);
        return Outcome::EndApplication;
    }

    NvCommandLine commandLine(m_profileFolder);
    commandLine.Interpret(arguments, m_parameters);
    m_deviceAddressText = commandLine.deviceAddressText();
    m_profileVersionText = commandLine.profileVersionText();
    if (!commandLine.problems().isEmpty()) {
        NvDialogs::Message(host.MessageOwner(), commandLine.problems().join(QLatin1Char('\n')),
                           QStringLiteral("Warning"), NvDialogs::Buttons::Ok,
                           NvDialogs::Icon::Warning);
    }

    const QString caption = host.Caption() + QStringLiteral(" : ") + m_deviceAddressText;
    host.SetCaption(caption);
    if (!m_lock.Acquire(caption)) {
        host.StopCapabilityTimer();
        NvDialogs::Message(
            host.MessageOwner(), QStringLiteral("Another QTR9000KX module is running!"),
            QStringLiteral("Warning"), NvDialogs::Buttons::Ok, NvDialogs::Icon::Warning);
        return Outcome::EndApplication;
    }
    return Outcome::Continue;
}
