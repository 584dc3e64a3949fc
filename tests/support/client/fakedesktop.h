#pragma once

#include "platform/desktop.h"

#include <QStringList>
#include <stdexcept>

namespace tdx::test {

class FakeDesktop final : public DesktopIntegration {
public:
    bool autostartOn = false;
    QString autostartCommand;
    QStringList calls;
    QString failAutostart; // when set, setAutostart throws this message

    void firstShowSetup(const QString &exe) override {
        calls << QStringLiteral("firstShowSetup ") + exe;
    }
    void removeOldShortcut() override { calls << QStringLiteral("removeOldShortcut"); }
    void setAutostart(bool on, const QString &command) override {
        calls << QStringLiteral("setAutostart %1").arg(on);
        if (!failAutostart.isEmpty())
            throw std::runtime_error(failAutostart.toStdString());
        autostartOn = on;
        autostartCommand = command;
    }
    bool autostart() const override { return autostartOn; }
    bool addFont(const QString &) override {
        calls << QStringLiteral("addFont");
        return true;
    }
    void removeFont(const QString &) override { calls << QStringLiteral("removeFont"); }
};

} // namespace tdx::test
