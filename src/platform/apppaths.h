#pragma once

#include <QString>

namespace tdx::AppPaths {

// The application directory is the executable's folder when it is writable (the client is
// deployed as a portable install); otherwise a per-user data folder.
QString chooseAppDir(const QString &executableDir);

// "<executable name>.ini" in the application directory.
QString settingsFile(const QString &appDir, const QString &executableName);

// A program-relative name such as "log/log_20240105.txt" or "\txt\ver\1.02.47" joined to the
// application directory. Backslashes and leading separators in the relative name are accepted.
QString file(const QString &appDir, const QString &relative);

} // namespace tdx::AppPaths
