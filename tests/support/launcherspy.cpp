#include "support/launcherspy.h"

namespace tdx::test {

bool LauncherSpy::openUrl(const QUrl &url) {
    if (!isWebUrl(url))
        return false;
    m_calls.append({QStringLiteral("url"), url.toString(QUrl::FullyEncoded), {}});
    return true;
}

bool LauncherSpy::openPath(const QString &path) {
    m_calls.append({QStringLiteral("path"), path, {}});
    return true;
}

bool LauncherSpy::openTextFile(const QString &path) {
    m_calls.append({QStringLiteral("text"), path, {}});
    return true;
}

bool LauncherSpy::startProgram(const QString &program, const QStringList &arguments) {
    m_calls.append({QStringLiteral("program"), program, arguments});
    return true;
}

QList<LauncherSpy::Call> LauncherSpy::callsOf(const QString &kind) const {
    QList<Call> out;
    for (const auto &c : m_calls)
        if (c.kind == kind)
            out << c;
    return out;
}

} // namespace tdx::test
