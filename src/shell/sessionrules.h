#pragma once

#include <QString>

namespace tdx {

// How the main window reacts to the desktop session's notices.
struct SessionReaction {
    QString line;     // the diagnostics line: event name, a blank, the session id
    bool endsSession; // a remote connection ends the session and the program
};

// "WTS_CONSOLE_CONNECT" … "WTS_SESSION_REMOTE_CONTROL" for codes 1–9, "WTS_Unknown" otherwise.
QString sessionEventName(int code);
SessionReaction reactToSessionChange(int code, int sessionId);
// A power broadcast code 0 asks whether the system may suspend.
inline bool isSuspendQuery(int powerCode) {
    return powerCode == 0;
}

} // namespace tdx
