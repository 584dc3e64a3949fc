// Session-change messages (registered through Wtsapi32.dll when it is there) and the power
// broadcast's suspend query, as SessionEvents.
#include "platform/sessionevents.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QLibrary>
#include <QWindow>
#include <windows.h>

namespace tdx {

namespace {

constexpr UINT kSessionChange = 0x02B1; // WM_WTSSESSION_CHANGE (689)

class WindowsSessionEvents final : public SessionEvents, public QAbstractNativeEventFilter {
public:
    explicit WindowsSessionEvents(QObject *parent) : SessionEvents(parent) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowsSessionEvents() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    // Registers a top-level window for this session's notices; a missing library or function
    // only disables them.
    static bool registerWindow(HWND window) {
        QLibrary wts(QStringLiteral("Wtsapi32"));
        using Register = BOOL(WINAPI *)(HWND, DWORD);
        auto fn = reinterpret_cast<Register>(wts.resolve("WTSRegisterSessionNotification"));
        return fn && fn(window, 0 /* NOTIFY_FOR_THIS_SESSION */);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (!m_registered && msg->hwnd && GetAncestor(msg->hwnd, GA_ROOT) == msg->hwnd)
            m_registered = registerWindow(msg->hwnd);
        if (msg->message == kSessionChange)
            Q_EMIT sessionChange(int(msg->wParam), int(msg->lParam));
        else if (msg->message == WM_POWERBROADCAST && msg->wParam == 0)
            Q_EMIT suspendQuery();
        return false;
    }

private:
    bool m_registered = false;
};

} // namespace

SessionEvents *createSystemSessionEvents(QObject *parent) {
    return new WindowsSessionEvents(parent);
}

} // namespace tdx
