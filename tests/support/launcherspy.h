#pragma once

#include "platform/launcher.h"

#include <QList>

namespace tdx::test {

// Captures what would have been opened or started.
class LauncherSpy final : public Launcher {
public:
    struct Call {
        QString kind; // "url", "path", "text", "program"
        QString target;
        QStringList arguments;
    };

    bool openUrl(const QUrl &url) override;
    bool openPath(const QString &path) override;
    bool openTextFile(const QString &path) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

    const QList<Call> &calls() const { return m_calls; }
    QList<Call> callsOf(const QString &kind) const;
    void clear() { m_calls.clear(); }

private:
    QList<Call> m_calls;
};

} // namespace tdx::test
