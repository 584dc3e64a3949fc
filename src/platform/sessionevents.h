#pragma once

#include <QObject>

namespace tdx {

// Desktop-session and power notices, as the Windows session-change codes (1 console connect …
// 9 remote control) and the suspend query. On Linux logind feeds it: locking and unlocking the
// session, and the system going to sleep.
class SessionEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void sessionChange(int code, int sessionId);
    void suspendQuery();
};

#ifndef Q_OS_WIN
// Listens to logind on the system bus; quietly does nothing where there is none.
class LogindSessionEvents final : public SessionEvents {
    Q_OBJECT
public:
    explicit LogindSessionEvents(QObject *parent = nullptr);
    bool active() const { return m_active; }

private Q_SLOTS:
    void onPrepareForSleep(bool start);
    void onLock();
    void onUnlock();

private:
    bool m_active = false;
    int m_sessionId = 0;
};
#endif

// The desktop's own source of these notices: logind, or the Windows session and power messages.
SessionEvents *createSystemSessionEvents(QObject *parent);

} // namespace tdx
