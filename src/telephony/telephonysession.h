#pragma once

#include "shell/core/telephony.h"
#include "telephony/imslibrary.h"
#include "telephony/lgucontrol.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

namespace tdx {

struct AppContext;

// The telephone line of the session, whichever provider the installation uses: the provider
// login, the LG U+ login result, command and network errors with the reconnect timer, the
// SK Broadband registration and event poll, click-to-call and the password-age check.
class TelephonySession : public QObject, public TelephonyLine {
    Q_OBJECT
public:
    struct Timers {
        QTimer &uplusConnect; // 3000 ms, LG U+ reconnect
        QTimer &iConnect;     // 30000 ms, connectivity probe
        QTimer &tEvent;       // 100 ms, SK Broadband event poll
    };
    // What the registration window gives back when it registered a user.
    struct Registration {
        QString id;
        QString phone;
    };
    using Register = std::function<std::optional<Registration>(const QString &phone)>;

    TelephonySession(AppContext &ctx, LguControl &lgu, ImsLibrary &ims, Timers timers,
                     QWidget *dialogParent);

    // TelephonyLine
    void login() override; // uplus_login
    void logout() override;
    void close() override;
    void dial(const QString &number) override;

    // At a show with SK Broadband selected: the library gets the application key.
    void initImsLibrary();
    // The Centrex web login's answer (empty on failure).
    QString chk_pass_1year();

    QString ownExtension() const { return m_extension; }
    const QStringList &imsLog() const { return m_imsLog; }
    int connectivityFailures() const { return m_failures; }
    void resetConnectivityFailures() { m_failures = 0; }
    // The registration window; tests replace it.
    void setRegister(Register r) { m_register = std::move(r); }

    // The event handlers (public so a test can raise them as the control would).
    void onLoginResult(const QString &payload);
    void onCommandError(const QString &name, const QString &value);
    void onNetworkError();
    void onReconnectTick();
    void onImsPoll();

Q_SIGNALS:
    // Every event the poll takes from the library (the call handling listens here).
    void imsEvent(const tdx::ImsEvent &event);

private:
    bool provider() const; // true for SK Broadband
    void probe();

    AppContext &m_ctx;
    LguControl &m_lgu;
    ImsLibrary &m_ims;
    Timers m_timers;
    QWidget *m_dialogParent;
    Register m_register;
    QString m_extension;
    bool m_commandErrorShown = false;
    QStringList m_imsLog{QStringLiteral("Memo3")};
    int m_failures = 0;
};

} // namespace tdx
