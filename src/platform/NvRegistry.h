#pragma once

#include <QString>

// Read access to the machine-wide settings the launching platform keeps (the registry's
// HKEY_LOCAL_MACHINE on Windows). On Linux they live in an INI file: each registry key is a
// section named by its path below the root, each value a key of it, for example
//
//     [SOFTWARE\Norvane\Tavrin5.1\ExePath]
//     Path=/opt/tavrin/bin/
//
// The file is /etc/qtr9000kx/registry.ini unless QTR_REGISTRY_FILE names another. Missing keys,
// missing values and unreadable files all read as "not there"; no error ever escapes.
namespace NvRegistry {

QString FilePath();

// Whether the key exists.
bool KeyExists(const QString& key);
// The value's data; false when the key or the value is missing.
bool ReadValue(const QString& key, const QString& valueName, QString& data);
// Creates the key when it is missing (errors are swallowed).
void CreateKey(const QString& key);

} // namespace NvRegistry
