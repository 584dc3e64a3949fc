#include "telephony/telephonysession.h"

#include "service/httpclient.h"
#include "service/textutil.h"
#include "shell/core/appcontext.h"
#include "telephony/adduserfrm.h"
#include "telephony/imsnames.h"
#include "telephony/providerconfig.h"

#include <QDir>
#include <QLocale>
#include <QTcpSocket>

namespace tdx {

namespace {
const QString kForm = QStringLiteral("mainFrm");
constexpr const char *kVersion = "1.02.47";
} // namespace

TelephonySession::TelephonySession(AppContext &ctx, LguControl &lgu, ImsLibrary &ims, Timers timers,
                                   QWidget *dialogParent)
    : QObject(dialogParent), m_ctx(ctx), m_lgu(lgu), m_ims(ims), m_timers(timers),
      m_dialogParent(dialogParent) {
    m_register = [this](const QString &phone) -> std::optional<Registration> {
        TadduserFrm window(m_ctx, m_ims, m_dialogParent);
        window.setPhone(phone);
        if (window.exec() != QDialog::Accepted)
            return std::nullopt;
        return Registration{window.newId(), window.registeredPhone()};
    };
    connect(&m_lgu, &LguControl::OnSendLoginResultEvent, this, &TelephonySession::onLoginResult);
    connect(&m_lgu, &LguControl::OnSendCmdErrorEvent, this, &TelephonySession::onCommandError);
    connect(&m_lgu, &LguControl::OnSendNetworkErrorEvent, this, &TelephonySession::onNetworkError);
    connect(&m_timers.uplusConnect, &QTimer::timeout, this, &TelephonySession::onReconnectTick);
    connect(&m_timers.tEvent, &QTimer::timeout, this, &TelephonySession::onImsPoll);
    connect(&m_timers.iConnect, &QTimer::timeout, this, &TelephonySession::probe);
}

bool TelephonySession::provider() const {
    return m_ctx.settings.read(QStringLiteral("u_sk")) == QLatin1String("1");
}

void TelephonySession::initImsLibrary() {
    m_ims.IMS_Init(QString::fromLatin1(provider::kImsApplicationKey));
}

void TelephonySession::login() {
    const QString sk = m_ctx.settings.read(QStringLiteral("u_sk"));
    const Session &s = m_ctx.session;
    if (sk == QLatin1String("0")) {
        m_lgu.preLoginSetting(40, 15);
        m_lgu.preLoginSetting(26, 15);
        m_failures = 0;
        m_lgu.Login(s.officePhone, s.telephonyPassword, QString());
        m_timers.iConnect.start();
        return;
    }
    if (sk != QLatin1String("1"))
        return;
    const QString suffix = QString::fromLatin1(provider::kSkbPasswordSuffix);
    const QString id = m_ctx.settings.read(QStringLiteral("skb_id"));
    if (!id.isEmpty() && id != QLatin1String("null")) {
        m_ims.IMS_Login(id, s.officePhone + suffix);
        return;
    }
    const std::optional<Registration> reg = m_register(s.officePhone);
    if (!reg) {
        if (m_ctx.main)
            m_ctx.main->showTelephonyNotice(QStringLiteral("전화서버연결 실패"), QString());
        return;
    }
    const QString password = reg->phone + suffix;
    m_ims.IMS_Login(reg->id, password);
    m_ctx.service.send(operation(QStringLiteral("update_skb_id")),
                       {{QStringLiteral("u_id"), s.accountId},
                        {QStringLiteral("off_id"), s.officeId},
                        {QStringLiteral("skb_id"), reg->id},
                        {QStringLiteral("skb_pass"), password}});
}

void TelephonySession::logout() {
    m_lgu.Logout();
    // The next session's first command error is shown again.
    m_commandErrorShown = false;
}

void TelephonySession::close() {
    m_ims.IMS_Close();
    text::writeFile(QDir::current().filePath(QStringLiteral("memo3.txt")),
                    m_imsLog.join(QStringLiteral("\r\n")));
}

void TelephonySession::dial(const QString &number) {
    if (!provider()) {
        m_lgu.MakeCall(number, QString(), QString());
        return;
    }
    const bool record = m_ctx.main && m_ctx.main->recording();
    m_ims.IMS_ClickCall_Start(number, record ? 1 : 0, 1, 0);
}

QString TelephonySession::chk_pass_1year() {
    const Session &s = m_ctx.session;
    // The plain concatenation the Centrex page has always been sent (no "&" before the last two).
    const QByteArray body = "id=" + s.officePhone.toUtf8() +
                            "&pass=" + s.telephonyPassword.toUtf8() + "&page=1" +
                            "prefix=" + "proxyip=";
    const HttpReply reply =
        HttpClient(m_ctx.hosts())
            .post(m_ctx.hosts().centrexUrl(QStringLiteral("/premium/PHP/web_login.php")), body,
                  10000, {{"Content-Type", "application/x-www-form-urlencoded"}});
    if (!reply.ok) {
        m_ctx.service.fail(kForm, QStringLiteral("chk_pass_1year"), reply.error);
        return {};
    }
    return QString::fromUtf8(reply.body);
}

void TelephonySession::onLoginResult(const QString &payload) {
    QString published;
    try {
        const HttpReply v =
            HttpClient(m_ctx.hosts())
                .get(m_ctx.hosts().service(Hosts::Scheme::Http,
                                           QStringLiteral("/Tandrivox/version.txt")),
                     ServiceClient::kPrimaryTimeoutMs);
        if (v.ok)
            published = QString::fromUtf8(v.body).trimmed();
        const QString exten = text::keyValue(payload, QStringLiteral("EXTEN"));
        m_extension = exten.size() > 4 ? exten.right(4) : exten;
        m_failures = 0;
        m_ctx.service.report(kForm, QStringLiteral("LGUBaseOpenApi1SendLoginResultEvent"),
                             QStringLiteral("로그인 완료"));
    } catch (...) {
    }
    if (!m_ctx.main)
        return;
    // A failed fetch counts as a difference, as it always did: the user is told to restart.
    if (published != QLatin1String(kVersion))
        m_ctx.main->showTelephonyNotice(QStringLiteral("업데이트 필요"),
                                        QStringLiteral("프로그램을 재시작 해주세요."));
    else
        m_ctx.main->hideTelephonyNotice();
}

void TelephonySession::onCommandError(const QString &, const QString &) {
    m_ctx.service.guard(kForm, QStringLiteral("LGUBaseOpenApi1SendCmdErrorEvent"), [&] {
        if (m_commandErrorShown || !m_ctx.main)
            return;
        m_commandErrorShown = true;
        m_ctx.main->showTelephonyNotice(
            QStringLiteral("U+서버연결 실패"),
            QStringLiteral("프로그램을 재시작하시거나 U+비밀번호를 다시 설정해주세요."));
    });
}

void TelephonySession::onNetworkError() {
    m_ctx.service.report(kForm, QStringLiteral("LGUBaseOpenApi1SendNetworkErrorEvent"),
                         QStringLiteral("except=|disconnect|"));
    // The user sees the line as down until it is back (the login result hides the notice).
    if (m_ctx.main)
        m_ctx.main->showTelephonyNotice(QStringLiteral("전화서버연결 실패"),
                                        QStringLiteral("전화서버에 다시 연결하는 중입니다."));
    m_timers.uplusConnect.start();
}

void TelephonySession::onReconnectTick() {
    if (m_lgu.IsConnected())
        return;
    // One login per tick at most: the timer stops, and only another network error restarts it.
    m_timers.uplusConnect.stop();
    const Session &s = m_ctx.session;
    m_lgu.Login(s.officePhone, s.telephonyPassword, QString());
    m_ctx.service.report(kForm, QStringLiteral("uplus_connectTimer"),
                         QStringLiteral("except=|re_connect|"));
}

void TelephonySession::onImsPoll() {
    m_timers.tEvent.stop();
    m_ctx.service.guard(kForm, QStringLiteral("t_eventTimer"), [&] {
        ImsEvent e;
        if (!m_ims.IMS_GetEvent(e))
            return;
        const QDateTime now = m_ctx.clock.now();
        const QLocale locale = QLocale::system();
        m_imsLog << QStringLiteral("<API> IMS_GetEvent(pstEvt);");
        m_imsLog
            << QLatin1Char('[') + locale.toString(now.date(), QLocale::ShortFormat) +
                   QLatin1Char(' ') + locale.toString(now.time(), QLocale::LongFormat) +
                   QStringLiteral("] [이벤트] ") +
                   QStringLiteral("Service[%1-%2] ")
                       .arg(e.service)
                       .arg(ims::serviceName(e.service)) +
                   QStringLiteral("EvtType[%1-%2] ").arg(e.evtType).arg(ims::eventName(e.evtType)) +
                   QStringLiteral("Result[%1-%2] ").arg(e.result).arg(ims::resultName(e.result)) +
                   QStringLiteral("Dn1[%1] Dn2[%2] ExtInfo[%3]").arg(e.dn1, e.dn2, e.extInfo);
        if (e.service == 30 && e.evtType == 260 && m_ctx.main) {
            if (e.result != 0)
                m_ctx.main->showTelephonyNotice(QStringLiteral("전화서버연결 실패"), QString());
            else
                m_ctx.main->hideTelephonyNotice();
        }
        Q_EMIT imsEvent(e);
    });
    m_timers.tEvent.start();
}

void TelephonySession::probe() {
    // Whether the telephone line's host answers at all; five misses in a row show the notice.
    // The probe never blocks the window: its outcome arrives later.
    auto *socket = new QTcpSocket(this);
    const QString address = m_ctx.hosts().lineAddress;
    const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
    auto done = [this, socket](bool reached) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        if (reached) {
            m_failures = 0;
        } else if (++m_failures >= 5 && m_ctx.main) {
            m_ctx.main->showTelephonyNotice(QStringLiteral("전화서버연결 실패"),
                                            QStringLiteral("네트워크 연결을 확인해주세요."));
        }
    };
    connect(socket, &QTcpSocket::connected, this, [done] { done(true); });
    connect(socket, &QTcpSocket::errorOccurred, this, [done] { done(false); });
    QTimer::singleShot(3000, socket, [socket, done] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            done(false);
    });
    socket->connectToHost(address.left(colon), address.mid(colon + 1).toUShort());
}

} // namespace tdx
