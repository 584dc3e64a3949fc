#include "shell/mainfrm.h"

#include "customers/customerstab.h"
#include "platform/desktop.h"
#include "service/httpclient.h"
#include "service/scrambler.h"
#include "service/textutil.h"
#include "shell/sessionrules.h"
#include "shell/settingspanels.h"
#include "shell/widgets/clicklabel.h"
#include "shell/widgets/dragarea.h"
#include "shell/widgets/placeholderedit.h"
#include "telephony/pwfrm.h"
#include "telephony/telephonysession.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tdx {

namespace {

const QString kForm = QStringLiteral("mainFrm");

QPushButton *flatButton(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

ClickLabel *link(const QString &text, const QString &name, QWidget *parent) {
    auto *l = new ClickLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLabel *redNotice(const QString &name, QWidget *parent) {
    auto *l = new QLabel(QStringLiteral("전화서버연결 실패"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(
        QStringLiteral("background:#d9303a;color:white;font-weight:bold;border-radius:3px"));
    l->hide();
    return l;
}

} // namespace

TmainFrm::TmainFrm(AppContext &ctx, LguControl *lgu, ImsLibrary *ims, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), m_ctx(ctx), m_customers(ctx) {
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(QStringLiteral("Tandrivox"));
    setWindowIcon(QIcon(ctx.file(QStringLiteral("img/tandrivox.png"))));
    m_ctx.main = this;
    buildTimers();
    buildLoginView();
    buildMainView();
    showLoginView();
    if (lgu && ims) {
        m_telephony = new TelephonySession(m_ctx, *lgu, *ims,
                                           {timer(QStringLiteral("uplus_connect")),
                                            timer(QStringLiteral("i_connect")),
                                            timer(QStringLiteral("t_event"))},
                                           this);
        m_ctx.telephony = m_telephony;
    }
    openPasswordWindow = [this](const QString &phone) {
        TpwFrm window(m_ctx, phone, this);
        window.exec();
    };
}

TmainFrm::~TmainFrm() {
    // FormDestroy: the control logs out and the font goes.
    m_ctx.service.guard(kForm, QStringLiteral("FormDestroy"), [&] {
        if (m_ctx.telephony)
            m_ctx.telephony->logout();
        m_ctx.desktop.removeFont(m_ctx.file(QStringLiteral("NanumGothic.ttf")));
    });
    if (m_ctx.main == this)
        m_ctx.main = nullptr;
    if (m_ctx.telephony == m_telephony)
        m_ctx.telephony = nullptr;
}

// ---------------------------------------------------------------- building the views

void TmainFrm::buildTimers() {
    const std::pair<const char *, int> table[] = {
        {"t_loading", 5000},    {"t_alrim", 300000},    {"t_calendar", 10000},
        {"t_delete", 300},      {"i_connect", 30000},   {"uplus_connect", 3000},
        {"t_event", 100},       {"t_inner", 5000},      {"t_startrecord", 1000},
        {"t_stoprecord", 5000}, {"t_chkCentrex", 3000}, {"t_openCentrex", 1000}};
    for (const auto &[name, interval] : table) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        m_timers.insert(t->objectName(), t);
    }
    // t_loading: once, the end of a long action that forgot to end itself.
    connect(&timer(QStringLiteral("t_loading")), &QTimer::timeout, this, [this] {
        timer(QStringLiteral("t_loading")).stop();
        set_state(true);
        hideLoading();
    });
    // t_delete: once, back to the whole list after a group was deleted.
    connect(&timer(QStringLiteral("t_delete")), &QTimer::timeout, this, [this] {
        timer(QStringLiteral("t_delete")).stop();
        if (m_customersTab)
            m_customersTab->selectFilter(0);
    });
    timer(QStringLiteral("t_calendar")).start();
    timer(QStringLiteral("i_connect")).start();
}

QTimer &TmainFrm::timer(const QString &name) {
    QTimer *t = m_timers.value(name);
    Q_ASSERT_X(t, "TmainFrm::timer", qPrintable(name));
    return *t;
}

void TmainFrm::buildLoginView() {
    m_loginView = new QWidget(this);
    m_loginView->setObjectName(QStringLiteral("loginView"));
    m_loginView->setFixedSize(kLoginSize);
    m_loginView->setStyleSheet(QStringLiteral(
        "#loginView{background:#f4f6fa} QLineEdit{border:1px solid #c5ccd8;padding:6px;"
        "background:white;font-size:13px} QPushButton#loginButton{background:#2f5d9a;color:white;"
        "border:none;font-size:15px;font-weight:bold} QPushButton#exitButton{background:#e3e7ee;"
        "border:none}"));

    auto *background = new ClickLabel(m_loginView);
    background->setObjectName(QStringLiteral("loginBackground"));
    background->setGeometry(0, 0, kLoginSize.width(), 200);
    background->setPicture(m_ctx.file(QStringLiteral("img/login_bg.png")));
    if (background->pixmap().isNull())
        background->setStyleSheet(QStringLiteral("background:#2f5d9a"));
    background->setCursor(Qt::ArrowCursor);
    DragArea::install(background);
    if (background->pixmap().isNull()) {
        auto *title = new QLabel(QStringLiteral("Tandrivox"), background);
        title->setGeometry(0, 60, kLoginSize.width(), 50);
        title->setAlignment(Qt::AlignCenter);
        title->setStyleSheet(
            QStringLiteral("color:white;font-size:28px;font-weight:bold;background:transparent"));
        title->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    m_providerPicture = new ClickLabel(m_loginView);
    m_providerPicture->setObjectName(QStringLiteral("providerPicture"));
    m_providerPicture->setGeometry(110, 150, 137, 36);
    m_providerPicture->setAlignment(Qt::AlignCenter);
    m_providerPicture->setCursor(Qt::ArrowCursor);

    auto *lgu = link(QStringLiteral("LG U+"), QStringLiteral("img_lgup"), m_loginView);
    lgu->setGeometry(40, 210, 135, 30);
    auto *skb = link(QStringLiteral("SK broadband"), QStringLiteral("img_skb"), m_loginView);
    skb->setGeometry(182, 210, 135, 30);
    for (ClickLabel *l : {lgu, skb})
        l->setStyleSheet(QStringLiteral("border:1px solid #c5ccd8;background:white"));
    connect(lgu, &ClickLabel::clicked, this, [this] {
        m_ctx.settings.write(QStringLiteral("u_sk"), QStringLiteral("0"));
        m_providerPicture->setPicture(m_ctx.file(QStringLiteral("/img/lgup.gif")),
                                      QStringLiteral("LG U+"));
        timer(QStringLiteral("t_event")).stop();
    });
    connect(skb, &ClickLabel::clicked, this, [this] {
        m_ctx.prompter.message(QStringLiteral("서비스 준비중입니다."), QStringLiteral("알림"));
    });

    m_phone = new PlaceholderEdit(QStringLiteral("전화번호를 입력하세요."), m_loginView);
    m_phone->setObjectName(QStringLiteral("phoneEdit"));
    m_phone->setGeometry(40, 252, 277, 38);
    m_id = new PlaceholderEdit(QStringLiteral("GLIMVERTA 아이디를 입력하세요."), m_loginView);
    m_id->setObjectName(QStringLiteral("idEdit"));
    m_id->setGeometry(40, 296, 277, 38);
    m_password =
        new PlaceholderEdit(QStringLiteral("GLIMVERTA 비밀번호를 입력하세요."), m_loginView, true);
    m_password->setObjectName(QStringLiteral("passwordEdit"));
    m_password->setGeometry(40, 340, 277, 38);
    for (PlaceholderEdit *e : {m_phone, m_id, m_password})
        connect(e, &QLineEdit::returnPressed, this, &TmainFrm::login);
    // Before a session the reports and requests speak for what the login view holds.
    connect(m_phone, &QLineEdit::textChanged, this, [this] {
        if (!m_ctx.session.loggedIn)
            m_ctx.session.officePhone = m_phone->entered().trimmed();
    });
    connect(m_id, &QLineEdit::textChanged, this, [this] {
        if (!m_ctx.session.loggedIn)
            m_ctx.session.accountId = m_id->entered().trimmed();
    });

    m_saveCheck = new QCheckBox(QStringLiteral("저장"), m_loginView);
    m_saveCheck->setObjectName(QStringLiteral("saveCheck"));
    m_saveCheck->setGeometry(40, 386, 80, 24);
    m_autoCheck = new QCheckBox(QStringLiteral("자동로그인"), m_loginView);
    m_autoCheck->setObjectName(QStringLiteral("autoLoginCheck"));
    m_autoCheck->setGeometry(130, 386, 110, 24);

    m_loginButton =
        flatButton(QStringLiteral("로그인"), QStringLiteral("loginButton"), m_loginView);
    m_loginButton->setGeometry(40, 420, 277, 46);
    connect(m_loginButton, &QPushButton::clicked, this, &TmainFrm::login);
    auto *exit = flatButton(QStringLiteral("종료"), QStringLiteral("exitButton"), m_loginView);
    exit->setGeometry(40, 474, 277, 34);
    connect(exit, &QPushButton::clicked, this, [this] {
        try {
            commonExit();
        } catch (const std::exception &e) {
            m_ctx.service.report(kForm, QStringLiteral("종료_") + QString::fromLocal8Bit(e.what()),
                                 QStringLiteral("except"));
        }
    });

    auto *find = link(QStringLiteral("ID/PW 찾기"), QStringLiteral("findLink"), m_loginView);
    find->setGeometry(40, 530, 90, 24);
    connect(find, &ClickLabel::clicked, this, [this] {
        m_ctx.launcher.openUrl(
            m_ctx.hosts().service(Hosts::Scheme::Http, QStringLiteral("/?Tandrivox=1")));
    });
    auto *settings = link(QStringLiteral("설정"), QStringLiteral("settingsLink"), m_loginView);
    settings->setGeometry(140, 530, 70, 24);
    connect(settings, &ClickLabel::clicked, this, &TmainFrm::openSettings);
    auto *remote =
        link(QStringLiteral("원격지원"), QStringLiteral("remoteSupportLink"), m_loginView);
    remote->setGeometry(220, 530, 97, 24);
    connect(remote, &ClickLabel::clicked, this, [this] {
        m_ctx.launcher.openUrl(
            m_ctx.hosts().service(Hosts::Scheme::Http, QStringLiteral("/remote/")));
    });

    m_loginNotice =
        new QLabel(QStringLiteral("로그인 중입니다. 잠시만 기다려주세요."), m_loginView);
    m_loginNotice->setObjectName(QStringLiteral("loginNotice"));
    m_loginNotice->setGeometry(40, 290, 277, 90);
    m_loginNotice->setAlignment(Qt::AlignCenter);
    m_loginNotice->setWordWrap(true);
    m_loginNotice->setStyleSheet(
        QStringLiteral("background:white;border:2px solid #2f5d9a;font-weight:bold"));
    m_loginNotice->hide();
}

void TmainFrm::buildMainView() {
    m_mainView = new QWidget(this);
    m_mainView->setObjectName(QStringLiteral("mainView"));
    m_mainView->setFixedSize(kMainSize);
    m_mainView->setStyleSheet(QStringLiteral("#mainView{background:white}"));
    const int strip = 58;

    auto *left = new QWidget(m_mainView);
    left->setObjectName(QStringLiteral("leftStrip"));
    left->setGeometry(0, 0, strip, kMainSize.height());
    left->setStyleSheet(
        QStringLiteral("#leftStrip{background:#2b3443} QLabel{color:#dfe5ee;font-size:10px}"));
    DragArea::install(left);
    const char16_t *hints[] = {u"거래처관리", u"통화관리", u"알림관리"};
    const char *names[] = {"customersTabButton", "callsTabButton", "alrimTabButton"};
    for (int i = 0; i < 3; ++i) {
        m_tabButtons[i] = link(QString::fromUtf16(hints[i]), QString::fromLatin1(names[i]), left);
        m_tabButtons[i]->setToolTip(QString::fromUtf16(hints[i]));
        m_tabButtons[i]->setGeometry(4, 60 + i * 58, 50, 50);
        connect(m_tabButtons[i], &ClickLabel::clicked, this, [this, i] { selectTab(i); });
    }
    m_alrimBadge = new QLabel(left);
    m_alrimBadge->setObjectName(QStringLiteral("alrimBadge"));
    m_missedBadge = new QLabel(left);
    m_missedBadge->setObjectName(QStringLiteral("missedBadge"));
    m_missedBadge->setGeometry(36, 116, 20, 16);
    m_alrimBadge->setGeometry(36, 174, 20, 16);
    for (QLabel *b : {m_alrimBadge, m_missedBadge}) {
        b->setAlignment(Qt::AlignCenter);
        b->setStyleSheet(
            QStringLiteral("background:#e0393e;color:white;border-radius:8px;font-size:9px"));
        b->hide();
    }
    const std::pair<const char16_t *, const char *> links[] = {
        {u"업무\r\n히스토리", "workHistoryLink"},
        {u"1:1상담", "consultLink"},
        {u"오류\r\n 건의사항", "errorLink"},
        {u"알림톡 보내기", "alimTalkLink"},
        {u"일정관리", "calendarLink"}};
    const char16_t *classes[] = {u"wemblorx@tab=work_history", u"homepage@tab=oneonone",
                                 u"wemblorx@tab=error_history", nullptr, nullptr};
    for (int i = 0; i < 5; ++i) {
        auto *l =
            link(QString::fromUtf16(links[i].first), QString::fromLatin1(links[i].second), left);
        l->setGeometry(2, 250 + i * 44, 54, 40);
        l->setWordWrap(true);
        if (classes[i]) {
            const QString pageClass = QString::fromUtf16(classes[i]);
            connect(l, &ClickLabel::clicked, this,
                    [this, pageClass] { m_ctx.launcher.openUrl(m_ctx.consoleLink(pageClass)); });
        }
    }

    auto *top = new QWidget(m_mainView);
    top->setObjectName(QStringLiteral("topBar"));
    top->setGeometry(strip, 0, kMainSize.width() - strip, 46);
    top->setStyleSheet(QStringLiteral("#topBar{background:#2f5d9a} QLabel{color:white}"));
    DragArea *drag = DragArea::install(top);
    connect(drag, &DragArea::dragStarted, this, [this] {
        if (m_customersTab)
            m_customersTab->hideMenuPanel();
    });
    auto *logo = link(QStringLiteral("Tandrivox"), QStringLiteral("logoPicture"), top);
    logo->setGeometry(8, 8, 100, 30);
    logo->setStyleSheet(QStringLiteral("font-weight:bold;font-size:15px"));
    connect(logo, &ClickLabel::clicked, this, [this] {
        if (m_ctx.session.officeId.contains(QLatin1String(kTestMarker))) {
            m_testPanel->raise();
            m_testPanel->show();
        }
    });
    m_userName = new QLabel(top);
    m_userName->setObjectName(QStringLiteral("userNameLabel"));
    m_userName->setGeometry(112, 8, 150, 30);
    auto *minimise = flatButton(QStringLiteral("－"), QStringLiteral("minimiseButton"), top);
    minimise->setGeometry(290, 10, 24, 24);
    connect(minimise, &QPushButton::clicked, this, &QWidget::showMinimized);
    auto *close = flatButton(QStringLiteral("✕"), QStringLiteral("closeButton"), top);
    close->setGeometry(318, 10, 24, 24);
    connect(close, &QPushButton::clicked, this, &TmainFrm::hideToTray);

    m_pages = new QStackedWidget(m_mainView);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setGeometry(strip, 46, kMainSize.width() - strip, 492);
    m_customersTab = new CustomersTab(m_ctx, m_customers, m_pages);
    m_pages->addWidget(m_customersTab);
    auto *calls = new QLabel(QStringLiteral("통화관리"), m_pages);
    calls->setObjectName(QStringLiteral("callsTab"));
    calls->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(calls);
    auto *alrim = new QLabel(QStringLiteral("알림관리"), m_pages);
    alrim->setObjectName(QStringLiteral("alrimTab"));
    alrim->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(alrim);
    connect(m_customersTab, &CustomersTab::customerCardRequested, this,
            &TmainFrm::customerCardRequested);
    connect(m_customersTab, &CustomersTab::consoleCustomersRequested, this, [this] {
        m_ctx.launcher.openUrl(m_ctx.consoleLink(QStringLiteral("customer@tab=member")));
    });

    m_dial = new PlaceholderEdit(QStringLiteral("전화번호를 입력하세요(숫자만)"), m_mainView);
    m_dial->setObjectName(QStringLiteral("dialEdit"));
    m_dial->setGeometry(strip + 8, 542, 196, 30);
    auto *dialCall = flatButton(QStringLiteral("☎"), QStringLiteral("dialCallButton"), m_mainView);
    dialCall->setGeometry(strip + 208, 542, 30, 30);
    connect(dialCall, &QPushButton::clicked, this, &TmainFrm::dialFieldCall);
    auto *dialSms = flatButton(QStringLiteral("✉"), QStringLiteral("dialSmsButton"), m_mainView);
    dialSms->setGeometry(strip + 240, 542, 30, 30);
    connect(dialSms, &QPushButton::clicked, this, &TmainFrm::dialFieldSms);

    auto *bottom = new QWidget(m_mainView);
    bottom->setObjectName(QStringLiteral("bottomBar"));
    bottom->setGeometry(strip, 578, kMainSize.width() - strip, 40);
    bottom->setStyleSheet(
        QStringLiteral("#bottomBar{background:#eef1f6} QPushButton{border:none;font-size:11px}"));
    auto *logoutButton =
        flatButton(QStringLiteral("로그아웃"), QStringLiteral("logoutButton"), bottom);
    logoutButton->setGeometry(4, 8, 56, 24);
    connect(logoutButton, &QPushButton::clicked, this, &TmainFrm::askLogout);
    auto *update = flatButton(QStringLiteral("업데이트"), QStringLiteral("updateButton"), bottom);
    update->setGeometry(62, 8, 56, 24);
    auto *remote = flatButton(QStringLiteral("원격지원"), QStringLiteral("remoteButton"), bottom);
    remote->setGeometry(120, 8, 56, 24);
    connect(remote, &QPushButton::clicked, this, [this] {
        m_ctx.launcher.openUrl(
            m_ctx.hosts().service(Hosts::Scheme::Http, QStringLiteral("/remote/")));
    });
    auto *settings = flatButton(QStringLiteral("설정"), QStringLiteral("settingsButton"), bottom);
    settings->setGeometry(178, 8, 40, 24);
    connect(settings, &QPushButton::clicked, this, [this] {
        logout();
        openSettings();
    });
    m_recordCheck = new QCheckBox(QStringLiteral("녹취"), bottom);
    m_recordCheck->setObjectName(QStringLiteral("recordCheck"));
    m_recordCheck->setGeometry(222, 8, 52, 24);
    m_allCallsCheck = new QCheckBox(QStringLiteral("모든수신"), bottom);
    m_allCallsCheck->setObjectName(QStringLiteral("allCallsCheck"));
    m_allCallsCheck->setGeometry(272, 8, 76, 24);
    auto *version = new QLabel(QString::fromLatin1(kVersion), m_mainView);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setGeometry(kMainSize.width() - 60, 546, 56, 20);
    version->setStyleSheet(QStringLiteral("color:#8a93a3;font-size:10px"));

    m_telephonyNotice = redNotice(QStringLiteral("telephonyNotice"), m_mainView);
    m_telephonyNotice->setGeometry(strip + 40, 50, 270, 26);
    m_centrexNotice = redNotice(QStringLiteral("centrexNotice"), m_mainView);
    m_centrexNotice->setGeometry(strip + 40, 80, 270, 26);

    m_diagnostics =
        flatButton(QStringLiteral("serverpath"), QStringLiteral("diagnosticsButton"), m_mainView);
    m_diagnostics->setGeometry(strip + 250, 542, 90, 30);
    m_diagnostics->hide();
    connect(m_diagnostics, &QPushButton::clicked, this, [this] {
        m_ctx.prompter.message(m_ctx.settings.read(QStringLiteral("serverpath")),
                               QStringLiteral("serverpath"));
    });

    m_loading = new QLabel(m_mainView);
    m_loading->setObjectName(QStringLiteral("loadingPanel"));
    m_loading->setAlignment(Qt::AlignCenter);
    m_loadingMovie =
        new QMovie(m_ctx.file(QStringLiteral("img/loading_img.gif")), QByteArray(), this);
    if (m_loadingMovie->isValid())
        m_loading->setMovie(m_loadingMovie);
    else
        m_loading->setText(QStringLiteral("…"));
    m_loading->setFixedSize(80, 80);
    m_loading->hide();

    m_testPanel = new QWidget(m_mainView);
    m_testPanel->setObjectName(QStringLiteral("testPanel"));
    m_testPanel->setGeometry(strip + 40, 120, 260, 44);
    m_testPanel->setStyleSheet(
        QStringLiteral("#testPanel{background:#fff7d6;border:1px solid #d8c27a}"));
    auto *testLayout = new QHBoxLayout(m_testPanel);
    auto *testNumber = new QLineEdit(m_testPanel);
    testNumber->setObjectName(QStringLiteral("testNumberEdit"));
    testNumber->setPlaceholderText(QStringLiteral("번호"));
    auto *testCall =
        flatButton(QStringLiteral("등록창"), QStringLiteral("testCallButton"), m_testPanel);
    testLayout->addWidget(testNumber);
    testLayout->addWidget(testCall);
    connect(testCall, &QPushButton::clicked, this, [this, testNumber] {
        Q_EMIT testCallRequested(testNumber->text().trimmed());
        m_testPanel->hide();
    });
    m_testPanel->hide();
}

// ---------------------------------------------------------------- views

bool TmainFrm::loginViewShown() const {
    return m_loginView->isVisibleTo(this);
}
bool TmainFrm::mainViewShown() const {
    return m_mainView->isVisibleTo(this);
}
bool TmainFrm::recording() const {
    return m_recordCheck->isChecked();
}

void TmainFrm::dialFieldCall() {
    m_ctx.service.guard(kForm, QStringLiteral("Image39Click"), [&] {
        const QString digits = text::digitsTail(m_dial->entered().trimmed());
        if (digits.isEmpty()) {
            m_ctx.prompter.message(QStringLiteral("전화번호를 입력하세요."),
                                   QStringLiteral("알림"));
            return;
        }
        if (m_ctx.prompter.confirm(QStringLiteral("통화를 하시겠습니까?"),
                                   QStringLiteral("전화걸기")) &&
            m_ctx.telephony)
            m_ctx.telephony->dial(digits);
    });
}

void TmainFrm::dialFieldSms() {
    const QString number = m_dial->entered().trimmed();
    if (number.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("발신번호를 먼저 입력해주세요."),
                               QStringLiteral("알림"));
        m_dial->setFocus();
        return;
    }
    Q_EMIT quickSmsRequested(number);
}
bool TmainFrm::allIncomingCalls() const {
    return m_allCallsCheck->isChecked();
}

void TmainFrm::showLoginView() {
    m_mainView->hide();
    m_loginView->show();
    setFixedSize(kLoginSize);
}

void TmainFrm::showMainView() {
    m_loginView->hide();
    m_mainView->show();
    setFixedSize(kMainSize);
}

void TmainFrm::display_leftSide() {
    const int active = m_pages->currentIndex();
    for (int i = 0; i < 3; ++i)
        m_tabButtons[i]->setPicture(
            m_ctx.file(QStringLiteral("img/lmenu%1%2.gif")
                           .arg(i + 1)
                           .arg(i == active ? QString() : QStringLiteral("_"))),
            m_tabButtons[i]->toolTip());
}

void TmainFrm::selectTab(int tab) {
    if (m_pages->currentIndex() == tab)
        return;
    m_pages->setCurrentIndex(tab);
    display_leftSide();
}

void TmainFrm::set_state(bool on) {
    m_ctx.service.guard(kForm, QStringLiteral("set_state"), [&] {
        m_mainView->setEnabled(on);
        m_pages->setEnabled(on);
        QTimer &alrim = timer(QStringLiteral("t_alrim"));
        if (on && m_ctx.session.loggedIn)
            alrim.start();
        else if (!on)
            alrim.stop();
    });
}

void TmainFrm::showLoading() {
    const QRect area = m_pages->geometry();
    m_loading->move(area.center() - QPoint(m_loading->width() / 2, m_loading->height() / 2));
    m_loading->raise();
    m_loading->show();
    if (m_loadingMovie->isValid())
        m_loadingMovie->start();
}

void TmainFrm::hideLoading() {
    m_loading->hide();
    m_loadingMovie->stop();
    timer(QStringLiteral("t_loading")).stop();
}

bool TmainFrm::loadingVisible() const {
    return m_loading->isVisibleTo(this);
}

void TmainFrm::showTelephonyNotice(const QString &caption, const QString &hint) {
    m_telephonyNotice->setText(caption);
    m_telephonyNotice->setToolTip(hint);
    m_telephonyNotice->raise();
    m_telephonyNotice->show();
}

void TmainFrm::hideTelephonyNotice() {
    m_telephonyNotice->hide();
}

void TmainFrm::closePopups() {}
bool TmainFrm::pickerVisible() const {
    return false;
}
void TmainFrm::closePicker() {}

// ---------------------------------------------------------------- creation, show, activation

void TmainFrm::FormCreate() {
    // Session notices (the application-wide hook on Windows) are wired by the composition.
    QFile hd(m_ctx.file(QStringLiteral("hd.code")));
    if (hd.open(QIODevice::WriteOnly | QIODevice::Truncate))
        hd.write(QByteArray::number(quint64(winId())));
    m_ctx.service.guard(kForm, QStringLiteral("FormCreate"),
                        [&] { m_ctx.desktop.removeOldShortcut(); });

    m_ctx.session = Session{};
    m_customers.reset();

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("trayIcon"));
    m_tray->setToolTip(QStringLiteral("Tandrivox"));
    m_trayMenu = new QMenu(this);
    QAction *exit = m_trayMenu->addAction(QStringLiteral("종료하기"));
    connect(exit, &QAction::triggered, this, &TmainFrm::askExit);
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, &TmainFrm::onTrayActivated);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);

    Settings &s = m_ctx.settings;
    QString password = s.read(QStringLiteral("upluspass"));
    if (password.isEmpty()) {
        password = QString::fromLatin1(kDefaultTelephonyPassword);
        s.write(QStringLiteral("upluspass"), password);
    }
    m_ctx.session.telephonyPassword = password;

    if (s.read(QStringLiteral("sha512")).isEmpty()) {
        const HttpReply sha =
            HttpClient(m_ctx.hosts())
                .get(m_ctx.hosts().service(Hosts::Scheme::Http,
                                           QStringLiteral("/Tandrivox/get_sha.php?str=") +
                                               scrambler::scramble(password)),
                     ServiceClient::kPrimaryTimeoutMs);
        // A failed request leaves it for the next start.
        if (sha.ok) {
            const QString answer = QString::fromLatin1(sha.body).trimmed();
            s.write(QStringLiteral("sha512"),
                    !answer.isEmpty()
                        ? answer
                        : QString::fromLatin1(QCryptographicHash::hash(kDefaultTelephonyPassword,
                                                                       QCryptographicHash::Sha512)
                                                  .toHex()));
        }
    }
}

void TmainFrm::selectProvider() {
    Settings &s = m_ctx.settings;
    const QString sk = s.read(QStringLiteral("u_sk"));
    if (!sk.isEmpty() && sk != QLatin1String("0")) {
        s.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        m_providerPicture->setPicture(m_ctx.file(QStringLiteral("/img/skb.gif")),
                                      QStringLiteral("SK broadband"));
        timer(QStringLiteral("t_event")).start();
        if (m_telephony)
            m_telephony->initImsLibrary();
    } else {
        s.write(QStringLiteral("u_sk"), QStringLiteral("0"));
        m_providerPicture->setPicture(m_ctx.file(QStringLiteral("/img/lgup.gif")),
                                      QStringLiteral("LG U+"));
    }
}

void TmainFrm::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormShow();
}

void TmainFrm::FormShow() {
    Settings &s = m_ctx.settings;
    selectProvider();
    if (s.read(QStringLiteral("chk_busy")).isEmpty())
        s.write(QStringLiteral("chk_busy"), QStringLiteral("chk"));
    if (s.read(QStringLiteral("upluspass")).isEmpty())
        s.write(QStringLiteral("upluspass"), m_ctx.session.telephonyPassword);
    m_diagnostics->setVisible(underDebugger());

    if (m_ctx.session.firstShow == QLatin1String("active"))
        return;
    if (s.read(QStringLiteral("record")).isEmpty())
        s.write(QStringLiteral("record"), QStringLiteral("1"));
    if (s.read(QStringLiteral("booting")).isEmpty())
        s.write(QStringLiteral("booting"), QStringLiteral("1"));
    showLoginView();
    m_ctx.service.guard(kForm, QStringLiteral("FormShow1"), [&] {
        m_ctx.desktop.firstShowSetup(QFileInfo(m_ctx.executable).fileName());
    });
    m_ctx.service.guard(kForm, QStringLiteral("FormShow2"), [&] {
        m_ctx.desktop.addFont(QDir::current().filePath(QStringLiteral("NanumGothic.ttf")));
    });
    m_ctx.service.guard(kForm, QStringLiteral("FormShow3"), [&] {
        if (m_loginView->isVisibleTo(this) && !m_ctx.session.loggedIn)
            applyLoginKey();
        m_pages->setCurrentIndex(0);
        display_leftSide();
    });
}

void TmainFrm::applyLoginKey() {
    LoginKey &key = m_ctx.loginKey;
    const QString tel = key.value(QStringLiteral("tel"));
    const QString id = key.value(QStringLiteral("id"));
    const QString pw = key.value(QStringLiteral("pw"));
    if (!tel.isEmpty())
        m_phone->setEntered(tel);
    if (!id.isEmpty())
        m_id->setEntered(id);
    if (!pw.isEmpty())
        m_password->setEntered(scrambler::unscramble(pw));
    if (!m_phone->entered().isEmpty())
        m_saveCheck->setChecked(true);
    if (key.value(QStringLiteral("autologin")) == QLatin1String("1")) {
        m_autoCheck->setChecked(true);
        m_ctx.session.autoLoginRequested = true;
        // Once the window is up: the login waits on the network.
        QTimer::singleShot(0, this, &TmainFrm::login);
    }
}

void TmainFrm::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() &&
        m_ctx.session.firstShow != QLatin1String("active"))
        QTimer::singleShot(0, this, &TmainFrm::FormActivate);
    if (e->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized) &&
        m_telephony)
        m_telephony->resetConnectivityFailures();
}

void TmainFrm::FormActivate() {
    if (m_ctx.session.firstShow == QLatin1String("active"))
        return;
    const QString shared = m_ctx.settings.read(QStringLiteral("serverpath"));
    m_ctx.session.firstShow = QStringLiteral("active");
    if (!shared.isEmpty() && !QFileInfo(shared).isDir())
        m_ctx.prompter.message(
            QStringLiteral("공유폴더와 연결이 종료되었습니다. 다시 연결해주세요."),
            QStringLiteral("오류"), Prompter::Icon::Error);
}

// ---------------------------------------------------------------- login

void TmainFrm::endLoginAttempt() {
    m_loginNotice->hide();
    hideLoading();
    set_state(true);
    m_loggingIn = false;
}

void TmainFrm::failLogin(const QString &message, Prompter::Icon icon) {
    endLoginAttempt();
    m_ctx.prompter.message(message, QStringLiteral("오류"), icon);
}

void TmainFrm::login() {
    if (m_loggingIn || m_ctx.session.loggedIn)
        return;
    m_loggingIn = true;
    try {
        m_allCallsCheck->setChecked(m_ctx.settings.read(QStringLiteral("innernum")) ==
                                    QLatin1String("chk"));

        // The placeholders count as entered text.
        const std::pair<PlaceholderEdit *, const char16_t *> required[] = {
            {m_phone, u"전화번호를 입력하세요."},
            {m_id, u"아이디를  입력하세요."},
            {m_password, u"비밀번호를  입력하세요."}};
        for (const auto &[field, message] : required) {
            if (field->text().trimmed().isEmpty()) {
                m_loggingIn = false;
                m_ctx.prompter.message(QString::fromUtf16(message), QStringLiteral("오류"),
                                       Prompter::Icon::Warning);
                field->setFocus();
                return;
            }
        }
        Session &session = m_ctx.session;
        session.officePhone = m_phone->text().trimmed();
        session.accountId = m_id->text().trimmed();
        session.password = m_password->text();

        set_state(false);
        showLoading();
        m_loginNotice->raise();
        m_loginNotice->show();
        const ResponseTable &answer = m_ctx.service.send(
            operation(QStringLiteral("login")), {{QStringLiteral("passwd"), session.password}});
        if (answer.rowCount() == 0) {
            failLogin(QStringLiteral("로그인 실패 다시 시도하세요.."), Prompter::Icon::Warning);
            return;
        }
        if (answer.rowCount() != 1 || answer.value(0, 0) != QLatin1String("1")) {
            const QString code = answer.value(0, 1);
            endLoginAttempt();
            if (code == QLatin1String("fail_input"))
                m_ctx.prompter.message(
                    QStringLiteral("아이디와 비밀번호, 전화번호를 다시 확인하세요."),
                    QStringLiteral("오류"), Prompter::Icon::Error);
            return;
        }
        session.officeId = answer.value(0, 1);
        m_ctx.settings.write(QStringLiteral("skb_id"), answer.value(0, 2));

        LoginKey &key = m_ctx.loginKey;
        if (m_saveCheck->isChecked()) {
            key.setValue(QStringLiteral("tel"), session.officePhone);
            key.setValue(QStringLiteral("id"), session.accountId);
            key.setValue(QStringLiteral("pw"), scrambler::scramble(session.password));
        } else {
            for (const char *name : {"tel", "id", "pw"})
                key.setValue(QString::fromLatin1(name), QString());
            key.setValue(QStringLiteral("autologin"), QStringLiteral("0"));
        }
        key.setValue(QStringLiteral("autologin"),
                     m_autoCheck->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));

        switch (m_customers.get_name()) {
        case CustomerList::NameResult::NoEmployee:
            hideLoading();
            m_ctx.prompter.message(
                QStringLiteral("직원정보(전화번호)가 등록되지 않았습니다. 관리자 "
                               "화면에서 등록하세요."),
                QStringLiteral("오류"), Prompter::Icon::Error);
            m_ctx.prompter.message(QStringLiteral("프로그램을 종료됩니다."), QStringLiteral("오류"),
                                   Prompter::Icon::Error);
            m_loggingIn = false;
            session.loggedIn = true; // so that the logout below acts
            logout();
            commonExit();
            return;
        case CustomerList::NameResult::CertificateDenied:
            hideLoading();
            m_ctx.prompter.message(QStringLiteral("인증 오류입니다. PC 시간을 재설정해주세요. "
                                                  "프로그램을 종료합니다."),
                                   QStringLiteral("오류"), Prompter::Icon::Error);
            m_loggingIn = false;
            commonExit();
            return;
        case CustomerList::NameResult::Ok:
            break;
        }
        m_userName->setText(session.user.display());
        m_customersTab->updateCaptions();

        m_customers.startNewList();
        m_customersTab->remove_costomer_control();
        if (!m_customers.relocate_customer_data()) {
            m_customersTab->setSliderVisible(false);
            hideLoading();
            m_ctx.prompter.message(
                QStringLiteral("거래처가 등록되지 않았습니다. 거래처 등록 화면에서 "
                               "등록하세요."),
                QStringLiteral("오류"), Prompter::Icon::Error);
        }
        if (m_customersTab->model().customerCount() == 0)
            m_customersTab->buildRows();

        session.loggedIn = true;
        m_ctx.settings.write(QStringLiteral("id"), session.accountId);
        m_ctx.settings.write(QStringLiteral("pw"), session.password);
        m_ctx.settings.write(QStringLiteral("tel"), session.officePhone);

        if (m_ctx.settings.read(QStringLiteral("up")).isEmpty()) {
            m_ctx.service.send(
                operation(QStringLiteral("upluspw")),
                {{QStringLiteral("u_id"), session.accountId.trimmed()},
                 {QStringLiteral("pw"), scrambler::scramble(session.telephonyPassword)}});
            m_ctx.settings.write(QStringLiteral("up"), QStringLiteral("1"));
        }

        try {
            if (m_ctx.telephony)
                m_ctx.telephony->login();
        } catch (const std::exception &e) {
            m_ctx.service.fail(kForm, QStringLiteral("uplus_login"),
                               QString::fromLocal8Bit(e.what()));
            hideLoading();
            m_ctx.prompter.message(
                QStringLiteral("uplus api 접속에 실패하였습니다. 다시 시도하세요."),
                QStringLiteral("오류"), Prompter::Icon::Error);
            m_loggingIn = false;
            logout();
            m_loginNotice->hide();
            return;
        }

        timer(QStringLiteral("t_alrim")).start();
        m_ctx.service.delete_logs(90);

        m_loginNotice->hide();
        showMainView();
        m_recordCheck->setChecked(m_ctx.settings.read(QStringLiteral("record")) ==
                                  QLatin1String("1"));
        set_state(true);
        hideLoading();
        m_loggingIn = false;
        if (!m_recordCheck->isChecked() && m_telephony &&
            m_telephony->chk_pass_1year().contains(QStringLiteral("비밀번호는 12개월 주기")))
            openPasswordWindow(session.officePhone);
        timer(QStringLiteral("t_openCentrex")).start();
        timer(QStringLiteral("t_chkCentrex")).start();
        Q_EMIT loggedIn();
    } catch (const std::exception &e) {
        hideLoading();
        show();
        showNormal();
        m_loggingIn = false;
        logout();
        m_ctx.service.fail(kForm, QStringLiteral("login"), QString::fromLocal8Bit(e.what()));
    }
}

// ---------------------------------------------------------------- logout and exit

void TmainFrm::askLogout() {
    if (m_ctx.prompter.confirm(QStringLiteral("로그아웃 하시겠습니까?"),
                               QStringLiteral("로그아웃")))
        logout();
}

void TmainFrm::logout() {
    // Acts only while a session is open, so a second logout does nothing.
    if (!m_ctx.session.loggedIn)
        return;
    try {
        Session &session = m_ctx.session;
        session.listMode = 0;
        session.loggedIn = false;
        m_customers.reset();
        session.officeId.clear();
        m_customersTab->clearSearch();
        if (m_ctx.telephony)
            m_ctx.telephony->logout();
        showLoginView();
        m_customersTab->resetCaptions();
        hideLoading();
        m_customersTab->remove_costomer_control();
        for (const char *name : {"t_delete", "t_alrim", "t_startrecord", "t_stoprecord",
                                 "t_loading", "t_inner", "i_connect"})
            timer(QString::fromLatin1(name)).stop();
        setFixedSize(kLoginSize);
        Q_EMIT loggedOut();
    } catch (...) {
        // A logout that fails half-way leaves no sane state to go on from.
        std::terminate();
    }
}

void TmainFrm::askExit() {
    if (!m_ctx.prompter.confirm(QStringLiteral("프로그램을 종료 하시겠습니까?"),
                                QStringLiteral("종료")))
        return;
    if (m_ctx.settings.read(QStringLiteral("u_sk")) == QLatin1String("1") && m_ctx.telephony)
        m_ctx.telephony->close();
    commonExit();
}

void TmainFrm::commonExit() {
    try {
        if (m_tray)
            m_tray->hide();
        if (m_ctx.telephony)
            m_ctx.telephony->logout();
    } catch (...) {
    }
    Q_EMIT exitRequested();
}

void TmainFrm::hideToTray() {
    hide();
}

void TmainFrm::closeEvent(QCloseEvent *e) {
    // Closing only hides the window; the session goes on in the tray.
    e->ignore();
    hideToTray();
}

void TmainFrm::showAndRestore() {
    if (!isVisible())
        show();
    showNormal();
    raise();
    activateWindow();
}

void TmainFrm::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    m_ctx.service.guard(kForm, QStringLiteral("ClickTrayIcon"), [&] {
        if (reason == QSystemTrayIcon::DoubleClick)
            showAndRestore();
    });
}

void TmainFrm::onNotice(const QByteArray &data) {
    m_ctx.service.guard(kForm, QStringLiteral("WMCopyData"), [&] {
        if (!data.contains("Mutex"))
            return;
        if (!isVisible())
            show();
        m_ctx.prompter.message(
            QStringLiteral("중복실행을 시도하셨습니다.\r\n재실행을 하실 경우 하단 "
                           "트레이아이콘에서 프로그램을\r\n종료하시고 재실행해 주세요"),
            QStringLiteral("알림"));
        showAndRestore();
    });
}

void TmainFrm::onSessionChange(int code, int sessionId) {
    const SessionReaction r = reactToSessionChange(code, sessionId);
    m_sessionLog << r.line;
    if (!r.endsSession)
        return;
    if (m_telephony)
        m_telephony->resetConnectivityFailures();
    showAndRestore();
    logout();
    m_ctx.prompter.message(
        QStringLiteral("Tandrivox의 연결이 종료되었습니다. 프로그램을 재시작해 주세요"),
        QStringLiteral("알림"), Prompter::Icon::Error);
    if (m_ctx.telephony)
        m_ctx.telephony->logout();
    m_ctx.desktop.removeFont(QDir::current().filePath(QStringLiteral("NanumGothic.ttf")));
    commonExit();
}

void TmainFrm::onSuspendQuery() {
    if (m_telephony)
        m_telephony->resetConnectivityFailures();
    showAndRestore();
    logout();
}

void TmainFrm::openSettings() {
    m_ctx.service.guard(kForm, QStringLiteral("Label18Click"), [&] {
        const auto kind = m_ctx.settings.read(QStringLiteral("u_sk")) == QLatin1String("1")
                              ? SettingsPanel::Kind::Skb
                              : SettingsPanel::Kind::Lgu;
        if (!m_settingsPanel || m_settingsPanel->kind() != kind) {
            delete m_settingsPanel;
            m_settingsPanel = new SettingsPanel(m_ctx, kind, m_loginView);
            connect(m_settingsPanel, &SettingsPanel::recordChanged, m_recordCheck,
                    &QCheckBox::setChecked);
        }
        m_settingsPanel->load();
        m_settingsPanel->adjustSize();
        m_settingsPanel->move((kLoginSize.width() - m_settingsPanel->width()) / 2,
                              qMax(0, (kLoginSize.height() - m_settingsPanel->height()) / 2));
        m_settingsPanel->raise();
        m_settingsPanel->show();
    });
}

} // namespace tdx
