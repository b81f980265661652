#include "NvRegistry.h"

#include "NvIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {

QString sectionOf(QString key)
{
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return key;
}

} // namespace

namespace NvRegistry {

QString FilePath()
{
    const QString overridden = qEnvironmentVariable("QTR_REGISTRY_FILE");
    return overridden.isEmpty() ? QStringLiteral("/etc/qtr9000kx/registry.ini") : overridden;
}

#ifdef Q_OS_WIN

namespace {
QString nativeKey(const QString& key)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\") + sectionOf(key);
}
} // namespace

bool KeyExists(const QString& key)
{
    const QString parent = nativeKey(key).section(QLatin1Char('\\'), 0, -2);
    const QString leaf = nativeKey(key).section(QLatin1Char('\\'), -1);
    return QSettings(parent, QSettings::NativeFormat)
        .childGroups()
        .contains(leaf, Qt::CaseInsensitive);
}

bool ReadValue(const QString& key, const QString& valueName, QString& data)
{
    QSettings settings(nativeKey(key), QSettings::NativeFormat);
    const QVariant value = settings.value(valueName);
    if (!value.isValid())
        return false;
    data = value.toString();
    return true;
}

void CreateKey(const QString& key)
{
    if (KeyExists(key))
        return;
    QSettings settings(nativeKey(key), QSettings::NativeFormat);
    settings.setValue(QStringLiteral("."), QVariant());
    settings.remove(QStringLiteral("."));
}

#else

bool KeyExists(const QString& key)
{
    return NvIni(FilePath()).SectionExists(sectionOf(key));
}

bool ReadValue(const QString& key, const QString& valueName, QString& data)
{
    // An empty marker tells a missing value from an empty one.
    const QString missing = QStringLiteral("\x01missing");
    const NvIni ini(FilePath());
    if (!ini.SectionExists(sectionOf(key)))
        return false;
    const QString value = ini.ReadString(sectionOf(key), valueName, missing);
    if (value == missing)
        return false;
    data = value;
    return true;
}

void CreateKey(const QString& key)
{
    if (KeyExists(key))
        return;
    const QString path = FilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QByteArray section = "[" + sectionOf(key).toUtf8() + "]\n";
    if (file.size() > 0)
        section.prepend('\n');
    file.write(section);
}

#endif

} // namespace NvRegistry
