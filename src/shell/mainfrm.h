#pragma once

#include "customers/customerlist.h"
#include "shell/core/appcontext.h"
#include "shell/core/mainops.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QMovie;
class QPushButton;
class QStackedWidget;
class QMenu;

namespace tdx {

class ClickLabel;
class CustomersTab;
class ImsLibrary;
class LguControl;
class TelephonySession;
class PlaceholderEdit;
class SettingsPanel;

// The main window: the login view (357 × 616) and the main view (408 × 618), the session,
// login, logout, exit, the tray icon and the main window's timers.
class TmainFrm : public QWidget, public MainOps {
    Q_OBJECT
public:
    static constexpr QSize kLoginSize{357, 616};
    static constexpr QSize kMainSize{408, 618};
    static constexpr const char *kVersion = "1.02.47";
    static constexpr const char *kDefaultTelephonyPassword = "zekvorn5!";
    // The office id of a test office contains this; its logo click opens the test panel.
    static constexpr const char *kTestMarker = "tst";

    // lgu and ims: the two providers' components (without them there is no telephone line).
    explicit TmainFrm(AppContext &ctx, LguControl *lgu = nullptr, ImsLibrary *ims = nullptr,
                      QWidget *parent = nullptr);
    ~TmainFrm() override;

    // Window creation (FormCreate): hd.code, the tray icon, the telephony password defaults and
    // the SHA-512 of the telephony password.
    void FormCreate();

    // ---- MainOps
    void set_state(bool on) override;
    void showLoading() override;
    void hideLoading() override;
    bool loadingVisible() const override;
    void closePopups() override;
    bool pickerVisible() const override;
    void closePicker() override;
    bool recording() const override;
    void showTelephonyNotice(const QString &caption, const QString &hint) override;
    void hideTelephonyNotice() override;

    // ---- session
    void login();      // Button2Click
    void logout();     // acts only while a session is open
    void askLogout();  // i_logoutClick
    void askExit();    // N1Click, the tray's "종료하기"
    void commonExit(); // remove the tray icon, log the control out, end
    void hideToTray();
    void showAndRestore();
    void onNotice(const QByteArray &data); // a second start's copy-data notice
    void onSessionChange(int code, int sessionId);
    void onSuspendQuery();
    void openSettings(); // Label18Click
    void selectTab(int tab);

    // ---- state for other windows and tests
    CustomerList &customerList() { return m_customers; }
    CustomersTab *customersTab() const { return m_customersTab; }
    bool loginViewShown() const;
    bool mainViewShown() const;
    const QStringList &sessionLog() const { return m_sessionLog; }
    QTimer &timer(const QString &name);
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    QMenu *trayMenu() const { return m_trayMenu; }
    SettingsPanel *settingsPanel() const { return m_settingsPanel; }
    bool allIncomingCalls() const;
    TelephonySession *telephony() const { return m_telephony; }
    // The dial field's call and SMS buttons (Image39Click, Image40Click).
    void dialFieldCall();
    void dialFieldSms();
    // The Centrex password window; tests replace it.
    std::function<void(const QString &phone)> openPasswordWindow;

Q_SIGNALS:
    // The process should end (main() quits the application; tests watch it).
    void exitRequested();
    void loggedIn();
    void loggedOut();
    void testCallRequested(const QString &number);
    // The quick SMS composer for a number (the dial field's SMS button).
    void quickSmsRequested(const QString &number);
    void customerCardRequested(const QString &number);

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void buildLoginView();
    void buildMainView();
    void buildTimers();
    void FormShow();
    void FormActivate();
    void display_leftSide();
    void selectProvider();
    void showMainView();
    void showLoginView();
    void applyLoginKey();
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void failLogin(const QString &message, Prompter::Icon icon);
    void endLoginAttempt();
    QWidget *logoClickTarget();

    AppContext &m_ctx;
    CustomerList m_customers;

    QWidget *m_loginView = nullptr;
    QWidget *m_mainView = nullptr;
    ClickLabel *m_providerPicture = nullptr;
    PlaceholderEdit *m_phone = nullptr;
    PlaceholderEdit *m_id = nullptr;
    PlaceholderEdit *m_password = nullptr;
    QCheckBox *m_saveCheck = nullptr;
    QCheckBox *m_autoCheck = nullptr;
    QLabel *m_loginNotice = nullptr;
    QPushButton *m_loginButton = nullptr;

    QStackedWidget *m_pages = nullptr;
    CustomersTab *m_customersTab = nullptr;
    ClickLabel *m_tabButtons[3] = {};
    QLabel *m_userName = nullptr;
    QLabel *m_alrimBadge = nullptr;
    QLabel *m_missedBadge = nullptr;
    QCheckBox *m_recordCheck = nullptr;
    QCheckBox *m_allCallsCheck = nullptr;
    QLabel *m_telephonyNotice = nullptr;
    QLabel *m_centrexNotice = nullptr;
    QLabel *m_loading = nullptr;
    QMovie *m_loadingMovie = nullptr;
    QWidget *m_testPanel = nullptr;
    PlaceholderEdit *m_dial = nullptr;
    QPushButton *m_diagnostics = nullptr;
    SettingsPanel *m_settingsPanel = nullptr;

    TelephonySession *m_telephony = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_trayMenu = nullptr;
    QHash<QString, QTimer *> m_timers;
    QStringList m_sessionLog;
    bool m_loggingIn = false;
};

} // namespace tdx
