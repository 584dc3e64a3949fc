#include "shell/sessionrules.h"

namespace tdx {

QString sessionEventName(int code) {
    static const char *names[] = {
        "WTS_CONSOLE_CONNECT",   "WTS_CONSOLE_DISCONNECT", "WTS_REMOTE_CONNECT",
        "WTS_REMOTE_DISCONNECT", "WTS_SESSION_LOGON",      "WTS_SESSION_LOGOFF",
        "WTS_SESSION_LOCK",      "WTS_SESSION_UNLOCK",     "WTS_SESSION_REMOTE_CONTROL"};
    if (code >= 1 && code <= 9)
        return QString::fromLatin1(names[code - 1]);
    return QStringLiteral("WTS_Unknown");
}

SessionReaction reactToSessionChange(int code, int sessionId) {
    return {sessionEventName(code) + QLatin1Char(' ') + QString::number(sessionId), code == 3};
}

} // namespace tdx
