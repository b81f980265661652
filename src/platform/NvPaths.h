#pragma once

#include <QString>

namespace NvPaths {

// Joins a folder and a relative path that may use "\" as separator.
QString Join(const QString& folder, const QString& relative);

// The existing file or folder that path names when its components are compared without regard
// to case (as on the platform the module came from); "\" counts as a separator. A relative path
// is looked up from the current directory. When nothing matches, the path with native
// separators is returned as it is.
QString ResolveIgnoringCase(const QString& path);

} // namespace NvPaths
