#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace tdx {

bool Launcher::isWebUrl(const QUrl &url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool DesktopLauncher::openUrl(const QUrl &url) {
    if (!isWebUrl(url))
        return false;
    return QDesktopServices::openUrl(url);
}

bool DesktopLauncher::openPath(const QString &path) {
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopLauncher::openTextFile(const QString &path) {
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {path});
#else
    return openPath(path);
#endif
}

bool DesktopLauncher::startProgram(const QString &program, const QStringList &arguments) {
    if (!QFileInfo(program).isExecutable())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace tdx
