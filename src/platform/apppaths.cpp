#include "platform/apppaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tdx::AppPaths {

static bool isWritableDir(const QString &dir) {
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".writable-XXXXXX")));
    return probe.open();
}

QString chooseAppDir(const QString &executableDir) {
    if (isWritableDir(executableDir))
        return QDir::cleanPath(executableDir);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    return QDir::cleanPath(data);
}

QString settingsFile(const QString &appDir, const QString &executableName) {
    QString base = QFileInfo(executableName).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("Tandrivox");
    return QDir(appDir).filePath(base + QStringLiteral(".ini"));
}

QString file(const QString &appDir, const QString &relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    return QDir(appDir).filePath(rel);
}

} // namespace tdx::AppPaths
