#pragma once

#include <QString>

namespace tdx {

// What the client changes in the desktop it runs on: starting with the system, the old start-up
// leftovers, the embedded browser's settings and the bundled font. Real adapters: the registry
// on Windows, XDG autostart and font loading elsewhere.
class DesktopIntegration {
public:
    virtual ~DesktopIntegration() = default;
    // The values the first show writes (browser emulation, linked connections, the old "VORNEL"
    // start entry removed). Throws on failure.
    virtual void firstShowSetup(const QString &executableName) = 0;
    // Removes the old start-up shortcut "Tandrivox.lnk". Throws on failure.
    virtual void removeOldShortcut() = 0;
    // Starts the program with the system (command = the executable) or stops doing so.
    // Throws with the system's message when it cannot.
    virtual void setAutostart(bool on, const QString &command) = 0;
    virtual bool autostart() const = 0;
    // Adds or removes the bundled font file.
    virtual bool addFont(const QString &file) = 0;
    virtual void removeFont(const QString &file) = 0;
};

// XDG autostart entry and application fonts; on Windows the registry values of the office PCs.
class SystemDesktop final : public DesktopIntegration {
public:
    // autostartDir: where the start entry goes (defaults to the user's autostart folder).
    explicit SystemDesktop(QString autostartDir = {});
    void firstShowSetup(const QString &executableName) override;
    void removeOldShortcut() override;
    void setAutostart(bool on, const QString &command) override;
    bool autostart() const override;
    bool addFont(const QString &file) override;
    void removeFont(const QString &file) override;

    QString entryFile() const;

private:
    QString m_autostartDir;
    int m_fontId = -1;
};

// True while a debugger is attached to the process.
bool underDebugger();

} // namespace tdx
