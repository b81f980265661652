#pragma once

#include "NvCommandLine.h"
#include "NvInstanceLock.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// What the start-up needs of the main window.
class NvStartupHost
{
public:
    virtual ~NvStartupHost() = default;
    virtual void StopCapabilityTimer() = 0;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // Owner of the message boxes the start-up shows.
    virtual QWidget* MessageOwner() = 0;
};

// The catalog loads of the start-up.
namespace NvStartupCatalogs {
// From the folder "errMSg" beside the executable (the main window's construction).
void LoadBesideExecutable(const QString& executableFolder);
// From the module folder the registry gives, followed by "errmsg\" and the file name.
void LoadFromModuleFolder(const QString& moduleFolder);
} // namespace NvStartupCatalogs

// Everything from the session start to the moment the main window begins probing the device:
// the registry, the catalog reload, the command line and profile, and one module per device.
class NvStartupSequence
{
public:
    enum class Outcome
    {
        Continue,
        EndApplication
    };

    // The registry value that names the module's help file: the full dotted form of
    // privateRoot.20 under "\SOFTWARE\Norvane\Modules\HelpPath".
    static QString HelpPathValueName();
    // The help path without its last 12 characters (the help file's name).
    static QString ModuleFolderOf(const QString& helpPath);

    // startSession starts the process-wide SNMP session and returns the session defaults it set;
    // it may throw NvError, which ends the sequence after its message is shown.
    using SessionStart = std::function<NvSessionParameters()>;

    Outcome Run(NvStartupHost& host, const QStringList& arguments,
                const SessionStart& startSession);

    const NvSessionParameters& parameters() const { return m_parameters; }
    const QString& deviceAddressText() const { return m_deviceAddressText; }
    const QString& profileFolder() const { return m_profileFolder; }
    const QString& moduleFolder() const { return m_moduleFolder; }
    const QString& profileVersionText() const { return m_profileVersionText; }

private:
    void readRegistry();

    NvSessionParameters m_parameters;
    QString m_deviceAddressText;
    QString m_profileFolder;
    QString m_moduleFolder;
    QString m_profileVersionText;
    NvInstanceLock m_lock;
};
