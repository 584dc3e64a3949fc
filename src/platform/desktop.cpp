#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSaveFile>
#include <QStandardPaths>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <QSettings>
#include <windows.h>
#endif

namespace tdx {

SystemDesktop::SystemDesktop(QString autostartDir) : m_autostartDir(std::move(autostartDir)) {
    if (m_autostartDir.isEmpty())
        m_autostartDir = QDir(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation))
                             .filePath(QStringLiteral("autostart"));
}

QString SystemDesktop::entryFile() const {
    return QDir(m_autostartDir).filePath(QStringLiteral("tandrivox.desktop"));
}

void SystemDesktop::firstShowSetup(const QString &executableName) {
#ifdef Q_OS_WIN
    QSettings emulation(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\"
                                       "Internet Explorer\\MAIN\\FeatureControl\\"
                                       "FEATURE_BROWSER_EMULATION"),
                        QSettings::NativeFormat);
    emulation.setValue(executableName, 11000);
    QSettings run(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                 "CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    run.remove(QStringLiteral("VORNEL"));
    QSettings policies(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                                      "CurrentVersion\\Policies\\System"),
                       QSettings::NativeFormat);
    if (!policies.childKeys().isEmpty())
        policies.setValue(QStringLiteral("EnableLinkedConnections"), 1);
    emulation.sync();
    if (emulation.status() != QSettings::NoError)
        throw std::runtime_error("registry not writable");
#else
    // The embedded browser and network drives need nothing here; an old start entry of the
    // previous product name is removed.
    Q_UNUSED(executableName);
    QFile::remove(QDir(m_autostartDir).filePath(QStringLiteral("vornel.desktop")));
#endif
}

void SystemDesktop::removeOldShortcut() {
#ifdef Q_OS_WIN
    const QString lnk = QStringLiteral(
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Tandrivox.lnk");
    if (QFile::exists(lnk) && !QFile::remove(lnk))
        throw std::runtime_error("cannot delete the old start-up shortcut");
#endif
}

void SystemDesktop::setAutostart(bool on, const QString &command) {
#ifdef Q_OS_WIN
    QSettings run(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                                 "CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    if (on)
        run.setValue(QStringLiteral("Tandrivox"), QDir::toNativeSeparators(command));
    else
        run.remove(QStringLiteral("Tandrivox"));
    run.sync();
    if (run.status() != QSettings::NoError)
        throw std::runtime_error("액세스가 거부되었습니다.");
#else
    if (!on) {
        QFile::remove(entryFile());
        return;
    }
    if (!QDir().mkpath(m_autostartDir))
        throw std::runtime_error("cannot create the autostart folder");
    QSaveFile f(entryFile());
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error(f.errorString().toStdString());
    QString exec = command;
    exec.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    f.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Tandrivox\nExec=\"%1\"\n"
                           "X-GNOME-Autostart-enabled=true\n")
                .arg(exec)
                .toUtf8());
    if (!f.commit())
        throw std::runtime_error(f.errorString().toStdString());
#endif
}

bool SystemDesktop::autostart() const {
#ifdef Q_OS_WIN
    QSettings run(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                                 "CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    return run.contains(QStringLiteral("Tandrivox"));
#else
    return QFile::exists(entryFile());
#endif
}

bool SystemDesktop::addFont(const QString &file) {
    if (!QFileInfo::exists(file))
        return false;
    m_fontId = QFontDatabase::addApplicationFont(file);
    return m_fontId >= 0;
}

void SystemDesktop::removeFont(const QString &) {
    if (m_fontId >= 0)
        QFontDatabase::removeApplicationFont(m_fontId);
    m_fontId = -1;
}

bool underDebugger() {
#ifdef Q_OS_WIN
    return IsDebuggerPresent();
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("TracerPid:"))
            return line.mid(10).trimmed().toInt() != 0;
    return false;
#endif
}

} // namespace tdx
