#include "officesim/demodata.h"
#include "officesim/line.h"
#include "service/codec.h"
#include "service/httpclient.h"
#include "shell/mainfrm.h"
#include "shell/widgets/placeholderedit.h"
#include "support/client/clientrig.h"
#include "support/strings.h"
#include "support/widgets.h"
#include "telephony/adduserfrm.h"
#include "telephony/imslibrary.h"
#include "telephony/imsnames.h"
#include "telephony/providerconfig.h"
#include "telephony/pwfrm.h"
#include "telephony/simulatedlgucontrol.h"
#include "telephony/telephonysession.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QQueue>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

using namespace tdx;
using namespace tdx::test;
using P = FakePrompter;
using Icon = Prompter::Icon;

namespace {

// An IMS library in the process: events come from a queue, calls are recorded.
class FakeIms final : public ImsLibrary {
public:
    QStringList calls;
    QQueue<ImsEvent> events;
    int createResult = 0;

    bool available() const override { return true; }
    void IMS_Init(const QString &key) override { calls << QStringLiteral("Init ") + key; }
    void IMS_Login(const QString &id, const QString &pw) override {
        calls << QStringLiteral("Login %1 %2").arg(id, pw);
    }
    bool IMS_GetEvent(ImsEvent &e) override {
        if (events.isEmpty())
            return false;
        e = events.dequeue();
        return true;
    }
    void IMS_ClickCall_Start(const QString &n, int r, int a, int b) override {
        calls << QStringLiteral("ClickCall %1 %2 %3 %4").arg(n).arg(r).arg(a).arg(b);
    }
    void IMS_SendSms(const QString &d, const QString &m) override {
        calls << QStringLiteral("SendSms %1 %2").arg(d, m);
    }
    void IMS_TermRec_Start() override { calls << QStringLiteral("TermRec_Start"); }
    void IMS_TermRec_Stop() override { calls << QStringLiteral("TermRec_Stop"); }
    void IMS_CallTransfer_Start(const QString &t, int x) override {
        calls << QStringLiteral("Transfer %1 %2").arg(t).arg(x);
    }
    void IMS_AuthSms(const QString &p) override { calls << QStringLiteral("AuthSms ") + p; }
    int IMS_CreateUser(const QString &id, const QString &pw, const QString &phone,
                       const QString &code) override {
        calls << QStringLiteral("CreateUser %1 %2 %3 %4").arg(id, pw, phone, code);
        return createResult;
    }
    void IMS_Close() override { calls << QStringLiteral("Close"); }
};

officesim::Options office() {
    officesim::Options o;
    o.customers = 20;
    return o;
}

// The main window with both components, logged in (or not) through the login view.
struct Desk {
    Desk(ClientRig &rig, ImsLibrary &ims)
        : lgu(QStringLiteral("127.0.0.1:%1").arg(rig.sim.server().linePort())),
          w(rig.ctx, &lgu, &ims) {
        w.FormCreate();
        w.show();
    }
    void login(const QString &phone = QString::fromLatin1(officesim::Demo::kPhone)) {
        enter(child<PlaceholderEdit>(w, "phoneEdit"), phone);
        enter(child<PlaceholderEdit>(w, "idEdit"), QStringLiteral("demo"));
        enter(child<PlaceholderEdit>(w, "passwordEdit"), QStringLiteral("demo1234"));
        QTest::mouseClick(child<QPushButton>(w, "loginButton"), Qt::LeftButton);
    }
    // Logs in and waits until the desk is logged in on the line too.
    bool loginOnLine(ClientRig &rig) {
        login();
        // Both ends: the line has the desk and the control has its login result.
        return QTest::qWaitFor([&] {
            return rig.sim.server().line().loggedIn(QStringLiteral("0212345678")) &&
                   lgu.IsConnected();
        });
    }
    QLabel *notice() { return child<QLabel>(w, "telephonyNotice"); }
    SimulatedLguControl lgu;
    TmainFrm w;
};

QStringList lineCommands(ClientRig &rig, const QString &name) {
    QStringList out;
    for (const QStringList &c : rig.sim.server().line().commands())
        if (c.value(1) == name)
            out << c.mid(2).join(QLatin1Char(' '));
    return out;
}

int reports(ClientRig &rig, const QString &label) {
    return rig.sim.server()
        .store()
        .scalar(QStringLiteral("SELECT COUNT(*) FROM exceptions WHERE fcname = ?"), {label})
        .toInt();
}

} // namespace

class TestTelephony : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesOfTheLibrarysNumbers_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("svc 0") << "svc" << 0 << "IMS_SVC_CONFERENCE";
        QTest::newRow("svc 22") << "svc" << 22 << "IMS_SVC_GET_SERVICE_INFO";
        QTest::newRow("svc 25") << "svc" << 25 << "Unknown";
        QTest::newRow("svc 30") << "svc" << 30 << "IMS_SVC_NORMAL";
        QTest::newRow("evt 2") << "evt" << 2 << "EVT_SYS_FAULT";
        QTest::newRow("evt 260") << "evt" << 260 << "EVT_LOGIN";
        QTest::newRow("evt 266") << "evt" << 266 << "EVT_MON_DN_DEL";
        QTest::newRow("evt 267") << "evt" << 267 << "Unknown";
        QTest::newRow("evt 513") << "evt" << 513 << "EVT_AUTH_TTS";
        QTest::newRow("evt 530") << "evt" << 530 << "EVT_GET_SVCINFO";
        QTest::newRow("evt 780") << "evt" << 780 << "EVT_REQUEST_SERVICE";
        QTest::newRow("res 0") << "res" << 0 << "SUCCESS";
        QTest::newRow("res 16896") << "res" << 16896 << "CLIF_FC_IMS_INVALID_MSG";
        QTest::newRow("res 16925") << "res" << 16925 << "CLIF_FC_IMS_INVALID_DN";
        QTest::newRow("res 16932") << "res" << 16932 << "CLIF_MAX_IMS_ERROR_CODE";
        QTest::newRow("res 32776") << "res" << 32776 << "API_FC_USER_ALREADY_ADDED";
        QTest::newRow("res 32783") << "res" << 32783 << "API_FC_FAIL";
        QTest::newRow("res 32813") << "res" << 32813 << "API_FC_TEMPORARY_INABILITY";
        QTest::newRow("res 32814") << "res" << 32814 << "Unknown";
        QTest::newRow("res 32885") << "res" << 32885 << "API_FC_NOT_ALLOWED_SERVICE";
    }
    void namesOfTheLibrarysNumbers() {
        QFETCH(QString, kind);
        QFETCH(int, number);
        QFETCH(QString, name);
        const QString got = kind == QLatin1String("svc")   ? ims::serviceName(number)
                            : kind == QLatin1String("evt") ? ims::eventName(number)
                                                           : ims::resultName(number);
        QCOMPARE(got, name);
    }

    void eventRecordFields() {
        ImsEventRecord r{};
        r.Service = 7;
        r.EvtType = 1;
        r.Result = 16925;
        const QByteArray long40(40, '1');
        std::memcpy(r.Dn1, long40.constData(), sizeof r.Dn1); // not terminated: read 31 at most
        const QByteArray korean = cp949::encode(QStringLiteral("한결 http://x/a.wav"));
        std::memcpy(r.ExtInfo, korean.constData(), size_t(korean.size()));
        const ImsEvent e = ImsEvent::fromRecord(r);
        QCOMPARE(e.service, 7);
        QCOMPARE(e.result, 16925);
        QCOMPARE(e.dn1, QString(31, QLatin1Char('1')));
        QCOMPARE(e.dn2, QString());
        QCOMPARE(e.extInfo, QStringLiteral("한결 http://x/a.wav"));
    }

    void lguLoginOverTheLine() {
        ClientRig rig(office());
        FakeIms ims;
        Desk d(rig, ims);
        d.login();
        QVERIFY(rig.session.loggedIn);
        QTRY_VERIFY(rig.sim.server().line().loggedIn(QStringLiteral("0212345678")));
        QCOMPARE(lineCommands(rig, QStringLiteral("SETTING")), strs({"40 15", "26 15"}));
        QCOMPARE(lineCommands(rig, QStringLiteral("LOGIN")), strs({"0212345678 zekvorn5!"}));
        QTRY_COMPARE(d.w.telephony()->ownExtension(), QStringLiteral("5678"));
        QVERIFY(d.notice()->isHidden()); // the published version is this one
        QVERIFY(d.w.timer(QStringLiteral("i_connect")).isActive());
        QTRY_VERIFY(rig.todaysLogContains(
            QStringLiteral("mainFrm_LGUBaseOpenApi1SendLoginResultEvent_로그인 완료")));

        // A published version other than ours asks for a restart.
        rig.sim.server().setVersion(QStringLiteral("1.02.48"));
        d.w.telephony()->onLoginResult(QStringLiteral("RESULT:0|EXTEN:01012345678"));
        QCOMPARE(d.w.telephony()->ownExtension(), QStringLiteral("5678"));
        QVERIFY(!d.notice()->isHidden());
        QCOMPARE(d.notice()->text(), QStringLiteral("업데이트 필요"));
        QCOMPARE(d.notice()->toolTip(), QStringLiteral("프로그램을 재시작 해주세요."));
        d.w.telephony()->onLoginResult(QStringLiteral("EXTEN:123"));
        QCOMPARE(d.w.telephony()->ownExtension(), QStringLiteral("123"));

        // Logout logs the control out on the line.
        rig.prompter.answerOk();
        d.w.askLogout();
        QTRY_COMPARE(lineCommands(rig, QStringLiteral("LOGOUT")).size(), 1);
        QTRY_VERIFY(!rig.sim.server().line().loggedIn(QStringLiteral("0212345678")));
    }

    void refusedTelephonyPasswordShowsTheNoticeOnce() {
        ClientRig rig(office());
        rig.settings.write(QStringLiteral("upluspass"), QStringLiteral("wrong"));
        FakeIms ims;
        Desk d(rig, ims);
        QSignalSpy errors(&d.lgu, &LguControl::OnSendCmdErrorEvent);
        d.login();
        QVERIFY(rig.session.loggedIn); // the service session goes on
        QTRY_COMPARE(errors.size(), 1);
        QVERIFY(!d.notice()->isHidden());
        QCOMPARE(d.notice()->text(), QStringLiteral("U+서버연결 실패"));
        QCOMPARE(d.notice()->toolTip(),
                 QStringLiteral("프로그램을 재시작하시거나 U+비밀번호를 다시 설정해주세요."));
        d.notice()->hide();
        d.lgu.Login(QStringLiteral("0212345678"), QStringLiteral("wrong"), QString());
        QTRY_COMPARE(errors.size(), 2);
        QVERIFY(d.notice()->isHidden()); // the second one changes nothing
    }

    void droppedLinkReconnectsOneLoginPerTick() {
        ClientRig rig(office());
        FakeIms ims;
        Desk d(rig, ims);
        QVERIFY(d.loginOnLine(rig));
        QVERIFY(d.lgu.IsConnected());
        // While the link is up the reconnect timer does nothing.
        d.w.telephony()->onReconnectTick();
        QCOMPARE(lineCommands(rig, QStringLiteral("LOGIN")).size(), 1);

        QSignalSpy dropped(&d.lgu, &LguControl::OnSendNetworkErrorEvent);
        QVERIFY(rig.sim.server().line().drop(QStringLiteral("0212345678")));
        QTRY_COMPARE(dropped.size(), 1);
        QVERIFY(d.w.timer(QStringLiteral("uplus_connect")).isActive());
        QVERIFY(!d.notice()->isHidden());
        QTRY_COMPARE(reports(rig, QStringLiteral("LGUBaseOpenApi1SendNetworkErrorEvent")), 1);
        QSqlQuery q = rig.sim.server().store().exec(QStringLiteral(
            "SELECT state FROM exceptions WHERE fcname = 'LGUBaseOpenApi1SendNetworkErrorEvent'"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("except=|disconnect|"));

        d.w.telephony()->onReconnectTick();
        QVERIFY(!d.w.timer(QStringLiteral("uplus_connect")).isActive());
        QCOMPARE(reports(rig, QStringLiteral("uplus_connectTimer")), 1);
        QTRY_VERIFY(rig.sim.server().line().loggedIn(QStringLiteral("0212345678")));
        QCOMPARE(lineCommands(rig, QStringLiteral("LOGIN")).size(), 2);
        QTRY_VERIFY(d.notice()->isHidden()); // the login result hides it again
    }

    void lineThatStaysDownCausesNoStorm() {
        ClientRig rig(office());
        FakeIms ims;
        SimulatedLguControl lgu(QStringLiteral("127.0.0.1:1")); // nothing listens there
        TmainFrm w(rig.ctx, &lgu, &ims);
        w.FormCreate();
        w.show();
        QSignalSpy dropped(&lgu, &LguControl::OnSendNetworkErrorEvent);
        rig.session.officePhone = QStringLiteral("0212345678");
        w.telephony()->login();
        QTRY_COMPARE(dropped.size(), 1);
        QVERIFY(w.timer(QStringLiteral("uplus_connect")).isActive());
        // Each tick makes one attempt and stops the timer; the failed attempt starts it again.
        for (int tick = 1; tick <= 5; ++tick) {
            w.telephony()->onReconnectTick();
            // Exactly one attempt (one failure) per tick, whatever runs meanwhile.
            QTRY_COMPARE(dropped.size(), tick + 1);
            QTest::qWait(20);
            QCOMPARE(dropped.size(), tick + 1);
            QVERIFY(w.timer(QStringLiteral("uplus_connect")).isActive());
        }
        QCOMPARE(w.timer(QStringLiteral("uplus_connect")).interval(), 3000);
        QCOMPARE(reports(rig, QStringLiteral("uplus_connectTimer")), 5);
    }

    void dialReachesTheProvider() {
        ClientRig rig(office());
        FakeIms ims;
        Desk d(rig, ims);
        QVERIFY(d.loginOnLine(rig));
        auto *dial = child<PlaceholderEdit>(d.w, "dialEdit");
        QTest::mouseClick(child<QPushButton>(d.w, "dialCallButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("전화번호를 입력하세요."), QStringLiteral("알림")));
        QTest::mouseClick(child<QPushButton>(d.w, "dialSmsButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("발신번호를 먼저 입력해주세요."), QStringLiteral("알림")));

        enter(dial, QStringLiteral(" 010-1234 5678 "));
        QTest::mouseClick(child<QPushButton>(d.w, "dialCallButton"), Qt::LeftButton); // Cancel
        QCOMPARE(rig.prompter.last(),
                 P::question(QStringLiteral("통화를 하시겠습니까?"), QStringLiteral("전화걸기")));
        rig.prompter.answerOk();
        QTest::mouseClick(child<QPushButton>(d.w, "dialCallButton"), Qt::LeftButton);
        QTRY_COMPARE(lineCommands(rig, QStringLiteral("MAKECALL")), strs({"01012345678"}));
        QSignalSpy sms(&d.w, &TmainFrm::quickSmsRequested);
        QTest::mouseClick(child<QPushButton>(d.w, "dialSmsButton"), Qt::LeftButton);
        QCOMPARE(sms.size(), 1);
        QCOMPARE(sms[0][0].toString(), QStringLiteral("010-1234 5678"));

        // SK Broadband: the click-call carries the recording flag of the auto-record box.
        rig.settings.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        child<QCheckBox>(d.w, "recordCheck")->setChecked(true);
        d.w.telephony()->dial(QStringLiteral("0311234567"));
        child<QCheckBox>(d.w, "recordCheck")->setChecked(false);
        d.w.telephony()->dial(QStringLiteral("0311234567"));
        QCOMPARE(ims.calls.filter(QStringLiteral("ClickCall")),
                 strs({"ClickCall 0311234567 1 1 0", "ClickCall 0311234567 0 1 0"}));
    }

    void skbLoginWithAndWithoutRegistration() {
        ClientRig rig(office());
        rig.settings.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        FakeIms ims;
        Desk d(rig, ims);
        QCOMPARE(ims.calls.first(),
                 QStringLiteral("Init ") + QString::fromLatin1(provider::kImsApplicationKey));
        QVERIFY(d.w.timer(QStringLiteral("t_event")).isActive());

        // No SK Broadband id yet: the registration window; cancelled, the notice shows.
        QStringList asked;
        d.w.telephony()->setRegister(
            [&](const QString &phone) -> std::optional<TelephonySession::Registration> {
                asked << phone;
                return std::nullopt;
            });
        d.login();
        QVERIFY(rig.session.loggedIn);
        QCOMPARE(asked, strs({"0212345678"}));
        QVERIFY(!d.notice()->isHidden());
        QVERIFY(ims.calls.filter(QStringLiteral("Login")).isEmpty());

        // Registered: the library logs in with the new id and the service learns it.
        rig.prompter.answerOk();
        d.w.askLogout();
        d.w.telephony()->setRegister([](const QString &) {
            return std::optional<TelephonySession::Registration>(
                {QStringLiteral("tandrivox0212345678sk"), QStringLiteral("0212345678")});
        });
        QTest::mouseClick(child<QPushButton>(d.w, "loginButton"), Qt::LeftButton);
        const QString password =
            QStringLiteral("0212345678") + QString::fromLatin1(provider::kSkbPasswordSuffix);
        QCOMPARE(ims.calls.filter(QStringLiteral("Login")),
                 strs({qPrintable(QStringLiteral("Login tandrivox0212345678sk ") + password)}));
        const auto update = rig.sim.journal().withKind(QStringLiteral("update_skb_id"));
        QCOMPARE(update.size(), 1);
        QCOMPARE(update[0].path, QStringLiteral("/Tandrivox/login_ok.php"));
        QCOMPARE(update[0].fieldNames(), strs({"pKind", "u_id", "off_id", "skb_id", "skb_pass",
                                               "off_id", "telNo", "cercode"}));
        QCOMPARE(update[0].field(QStringLiteral("skb_id")),
                 QStringLiteral("tandrivox0212345678sk"));
        QCOMPARE(update[0].field(QStringLiteral("off_id")), QStringLiteral("hangyeol01"));

        // The next login reads the id the service now gives and logs in directly.
        rig.prompter.answerOk();
        d.w.askLogout();
        d.w.telephony()->setRegister([&](const QString &) {
            asked << QStringLiteral("again");
            return std::optional<TelephonySession::Registration>();
        });
        QTest::mouseClick(child<QPushButton>(d.w, "loginButton"), Qt::LeftButton);
        QCOMPARE(rig.settings.read(QStringLiteral("skb_id")),
                 QStringLiteral("tandrivox0212345678sk"));
        QCOMPARE(ims.calls.filter(QStringLiteral("Login")).size(), 2);
        QVERIFY(!asked.contains(QStringLiteral("again")));
    }

    void imsPollAndLoginOutcome() {
        ClientRig rig(office());
        rig.settings.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        FakeIms ims;
        Desk d(rig, ims);
        const int before = int(d.w.telephony()->imsLog().size());
        d.w.telephony()->onImsPoll(); // nothing waiting: nothing logged
        QCOMPARE(d.w.telephony()->imsLog().size(), before);
        QVERIFY(d.w.timer(QStringLiteral("t_event")).isActive());

        ims.events.enqueue({30, 260, 16918, QString(), QString(), QString()});
        d.w.telephony()->onImsPoll();
        QVERIFY(!d.notice()->isHidden());
        const QStringList log = d.w.telephony()->imsLog();
        QCOMPARE(log.first(), QStringLiteral("Memo3"));
        QCOMPARE(log[log.size() - 2], QStringLiteral("<API> IMS_GetEvent(pstEvt);"));
        QVERIFY2(log.last().endsWith(QStringLiteral(
                     "] [이벤트] Service[30-IMS_SVC_NORMAL] EvtType[260-EVT_LOGIN] "
                     "Result[16918-CLIF_FC_IMS_INVALID_PASSWD] Dn1[] Dn2[] ExtInfo[]")),
                 qPrintable(log.last()));
        ims.events.enqueue({30, 260, 0, QStringLiteral("0212345678"), QString(), QString()});
        d.w.telephony()->onImsPoll();
        QVERIFY(d.notice()->isHidden());

        // Exit with SK Broadband closes the library and keeps its event log in memo3.txt.
        QTemporaryDir cwd;
        const QString old = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        rig.prompter.answerOk();
        d.w.askExit();
        QDir::setCurrent(old);
        QVERIFY(ims.calls.contains(QStringLiteral("Close")));
        QFile memo(QDir(cwd.path()).filePath(QStringLiteral("memo3.txt")));
        QVERIFY(memo.open(QIODevice::ReadOnly));
        const QByteArray text = memo.readAll();
        QVERIFY(text.startsWith("Memo3\r\n<API> IMS_GetEvent(pstEvt);\r\n"));
        QVERIFY(text.contains("EVT_LOGIN"));
    }

    void registrationWindow() {
        ClientRig rig(office());
        FakeIms ims;
        TadduserFrm w(rig.ctx, ims);
        QCOMPARE(w.windowTitle(), QStringLiteral("사용자등록"));
        QCOMPARE(child<QLineEdit>(w, "phoneEdit")->echoMode(), QLineEdit::Password);
        QCOMPARE(child<QLineEdit>(w, "codeEdit")->echoMode(), QLineEdit::Password);
        QTest::mouseClick(child<QPushButton>(w, "requestCodeButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(), P::msg(QStringLiteral("인터넷 전화번호를 입력하세요."),
                                             QStringLiteral("오류"), Icon::Error));
        QTest::mouseClick(child<QPushButton>(w, "registerButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("전화번호를 입력하세요."), QStringLiteral("오류")));

        w.setPhone(QStringLiteral("0212345678"));
        QTest::mouseClick(child<QPushButton>(w, "requestCodeButton"), Qt::LeftButton); // Cancel
        QCOMPARE(rig.prompter.last(), P::question(QStringLiteral("인증문자를 발송하시겠습니까?"),
                                                  QStringLiteral("인증문자발송")));
        QVERIFY(ims.calls.isEmpty());
        rig.prompter.answerOk();
        QTest::mouseClick(child<QPushButton>(w, "requestCodeButton"), Qt::LeftButton);
        QCOMPARE(ims.calls, strs({"AuthSms 0212345678"}));

        // Five characters are refused, six are accepted.
        child<QLineEdit>(w, "codeEdit")->setText(QStringLiteral("12345"));
        QTest::mouseClick(child<QPushButton>(w, "registerButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("인증번호를 입력하세요."), QStringLiteral("오류")));
        QCOMPARE(ims.calls.size(), 1);
        child<QLineEdit>(w, "codeEdit")->setText(QStringLiteral("123456"));
        const QString password =
            QStringLiteral("0212345678") + QString::fromLatin1(provider::kSkbPasswordSuffix);
        const struct {
            int code;
            P::Prompt prompt;
        } outcomes[] = {{ims::kUserAlreadyAdded, P::msg(QStringLiteral("이미 등록된 사용자입니다."),
                                                        QStringLiteral("오류"), Icon::Error)},
                        {ims::kInvalidDn, P::msg(QStringLiteral("전화번호 오류입니다.."),
                                                 QStringLiteral("알림"), Icon::Error)},
                        {ims::kSuccess,
                         P::msg(QStringLiteral("등록이 완료되었습니다."), QStringLiteral("알림"))}};
        for (const auto &o : outcomes) {
            QVERIFY(!w.registered());
            ims.createResult = o.code;
            QTest::mouseClick(child<QPushButton>(w, "registerButton"), Qt::LeftButton);
            QCOMPARE(rig.prompter.last(), o.prompt);
        }
        QCOMPARE(
            ims.calls.last(),
            QStringLiteral("CreateUser tandrivox0212345678sk %1 0212345678 123456").arg(password));
        QVERIFY(w.registered());
        QCOMPARE(w.newId(), QStringLiteral("tandrivox0212345678sk"));
        // Another result has no message of its own.
        const int prompts = int(rig.prompter.prompts().size());
        ims.createResult = 32783;
        QTest::mouseClick(child<QPushButton>(w, "registerButton"), Qt::LeftButton);
        QCOMPARE(rig.prompter.prompts().size(), prompts);
        QSignalSpy done(&w, &QDialog::accepted);
        QTest::mouseClick(child<QPushButton>(w, "doneButton"), Qt::LeftButton);
        QCOMPARE(done.size(), 1);
    }

    void ourImsLibraryOverTheLine() {
        // IMS_CreateUser waits for the line's answer, as the vendor's library does: the line
        // runs in a process of its own here, driven through its control API.
        QTemporaryDir dir;
        QProcess sim;
        sim.start(QStringLiteral(TDX_BIN_DIR "/officesim"),
                  {QStringLiteral("--db"), dir.filePath(QStringLiteral("sim.db")),
                   QStringLiteral("--certs"), QStringLiteral(TDX_CERT_DIR),
                   QStringLiteral("--http-port"), QStringLiteral("0"),
                   QStringLiteral("--https-port"), QStringLiteral("0"),
                   QStringLiteral("--line-port"), QStringLiteral("0"),
                   QStringLiteral("--customers"), QStringLiteral("5")});
        QVERIFY(sim.waitForReadyRead(20000));
        const QString banner = QString::fromUtf8(sim.readLine());
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("http://127.0.0.1:(\\d+) .* line (127.0.0.1:\\d+)"))
                .match(banner);
        QVERIFY2(m.hasMatch(), qPrintable(banner));
        const QString control = QStringLiteral("http://127.0.0.1:") + m.captured(1);
        Hosts hosts;
        HttpClient http(hosts);
        auto act = [&](const QString &pathAndQuery) {
            return http.get(QUrl(control + pathAndQuery), 5000).ok;
        };
        auto status = [&] {
            return QJsonDocument::fromJson(
                       http.get(QUrl(control + QStringLiteral("/sim/line/status")), 5000).body)
                .object();
        };

        qputenv("TDX_IMS_LINE", m.captured(2).toUtf8());
        LoadedImsLibrary lib(QStringLiteral(TDX_BIN_DIR "/SKB_OpenAPI_IMS"));
        QVERIFY2(lib.available(), qPrintable(lib.errorString()));
        auto next = [&](int service, int type) {
            ImsEvent e;
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 5000) {
                if (lib.IMS_GetEvent(e) && e.service == service && e.evtType == type)
                    return e;
                QTest::qWait(10);
            }
            return ImsEvent{-1, -1, -1, {}, {}, {}};
        };
        lib.IMS_Init(QString::fromLatin1(provider::kImsApplicationKey));
        const QString phone = QStringLiteral("0212345679");
        const QString id = QStringLiteral("tandrivox") + phone + QStringLiteral("sk");
        const QString pw = phone + QString::fromLatin1(provider::kSkbPasswordSuffix);
        lib.IMS_AuthSms(phone);
        QCOMPARE(next(30, 512).result, 0);
        const QString code =
            status().value(QStringLiteral("authCodes")).toObject().value(phone).toString();
        QCOMPARE(code.size(), 6);
        QCOMPARE(lib.IMS_CreateUser(id, pw, phone, QStringLiteral("000000")), 16919);
        QCOMPARE(lib.IMS_CreateUser(id, pw, phone, code), ims::kSuccess);
        QCOMPARE(lib.IMS_CreateUser(id, pw, phone, code), ims::kUserAlreadyAdded);
        QCOMPARE(lib.IMS_CreateUser(QStringLiteral("x"), pw, QStringLiteral("0299999999"), code),
                 ims::kInvalidDn);
        lib.IMS_Login(id, pw);
        QCOMPARE(next(30, 260).result, 0);
        QVERIFY(status()
                    .value(QStringLiteral("desks"))
                    .toArray()
                    .first()
                    .toObject()
                    .value(QStringLiteral("loggedIn"))
                    .toBool());

        // An incoming call: caller id, answered (recording on), ended with its recording.
        QVERIFY(act(QStringLiteral("/sim/line/call?from=01055556666&to=") + phone));
        const ImsEvent cid = next(7, 1);
        QCOMPARE(cid.dn1, QStringLiteral("01055556666"));
        QCOMPARE(cid.dn2, phone);
        QVERIFY(act(QStringLiteral("/sim/line/answer?desk=") + phone));
        QCOMPARE(next(13, 1).dn1, QStringLiteral("01055556666"));
        lib.IMS_TermRec_Start();
        QCOMPARE(next(8, 775).result, 0);
        QVERIFY(act(QStringLiteral("/sim/line/hangup?desk=") + phone));
        const ImsEvent stop = next(8, 776);
        QVERIFY2(stop.extInfo.startsWith(QStringLiteral("http://")) &&
                     stop.extInfo.endsWith(QStringLiteral(".wav")),
                 qPrintable(stop.extInfo));
        QCOMPARE(next(14, 1).dn2, phone);
        const HttpReply wav = http.get(QUrl(stop.extInfo), 5000);
        QVERIFY(wav.ok && wav.body.startsWith("RIFF"));

        // A click-call with recording: its stop event brings the recording's address.
        lib.IMS_ClickCall_Start(QStringLiteral("01077778888"), 1, 1, 0);
        QCOMPARE(next(1, 770).dn2, QStringLiteral("01077778888"));
        QVERIFY(act(QStringLiteral("/sim/line/answer?desk=") + phone));
        QCOMPARE(next(11, 1).dn2, QStringLiteral("01077778888"));
        QVERIFY(act(QStringLiteral("/sim/line/hangup?desk=") + phone));
        QVERIFY(next(1, 771).extInfo.contains(QStringLiteral(".wav")));
        QCOMPARE(next(12, 1).dn1, phone);

        // A received SMS in Korean travels as CP949 through the record and reads back whole.
        QVERIFY(act(QStringLiteral("/sim/line/sms?from=01011112222&to=") + phone +
                    QStringLiteral(
                        "&text=%EC%84%B8%EA%B8%88%EA%B3%84%EC%82%B0%EC%84%9C+%ED%99%95%EC%9D%B8")));
        QCOMPARE(next(3, 1).extInfo, QStringLiteral("세금계산서 확인"));
        lib.IMS_Close();
        QTRY_VERIFY(!status()
                         .value(QStringLiteral("desks"))
                         .toArray()
                         .first()
                         .toObject()
                         .value(QStringLiteral("loggedIn"))
                         .toBool());
        sim.kill();
        sim.waitForFinished();
    }

    void passwordAgeCheck() {
        ClientRig rig(office());
        rig.settings.write(QStringLiteral("record"), QStringLiteral("0"));
        rig.sim.server().line().setPasswordAge(QStringLiteral("0212345678"), 400);
        FakeIms ims;
        Desk d(rig, ims);
        QStringList opened;
        d.w.openPasswordWindow = [&](const QString &phone) { opened << phone; };
        d.login();
        QVERIFY(rig.session.loggedIn);
        QCOMPARE(opened, strs({"0212345678"}));
        const auto sent = rig.sim.journal().withPath(QStringLiteral("/premium/PHP/web_login.php"));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].scheme, QStringLiteral("https"));
        QCOMPARE(sent[0].body, QByteArray("id=0212345678&pass=zekvorn5!&page=1prefix=proxyip="));

        // With the auto-record box ticked the check is not made.
        rig.prompter.answerOk();
        d.w.askLogout();
        rig.settings.write(QStringLiteral("record"), QStringLiteral("1"));
        QTest::mouseClick(child<QPushButton>(d.w, "loginButton"), Qt::LeftButton);
        QCOMPARE(rig.sim.journal().withPath(QStringLiteral("/premium/PHP/web_login.php")).size(),
                 1);
        QCOMPARE(opened.size(), 1);

        // The Centrex host down: reported, empty answer, no window.
        Hosts down = rig.sim.hosts();
        down.centrex = QUrl(QStringLiteral("https://127.0.0.1:1"));
        ServiceClient service(rig.app.path(), down, rig.clock, rig.prompter,
                              [&] { return rig.session.identity(); });
        AppContext ctx{rig.prompter, rig.launcher,   rig.clock,         rig.files,
                       rig.desktop,  rig.settings,   rig.loginKey,      rig.session,
                       service,      rig.app.path(), rig.ctx.executable};
        SimulatedLguControl lgu(QStringLiteral("127.0.0.1:1"));
        QTimer a, b, c;
        TelephonySession session(ctx, lgu, ims, {a, b, c}, nullptr);
        QCOMPARE(session.chk_pass_1year(), QString());
        QCOMPARE(reports(rig, QStringLiteral("chk_pass_1year")), 1);
    }

    void passwordWindow() {
        ClientRig rig(office());
        TpwFrm w(rig.ctx, QStringLiteral("0212345678"));
        QCOMPARE(w.windowTitle(), QStringLiteral("유플러스 비밀번호 변경"));
        w.show();
        QTRY_VERIFY(w.scrollArea()->hasFocus() || !w.isActiveWindow());
        QScrollBar *bar = w.scrollArea()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.scrollArea()->viewport(), &down);
        QCOMPARE(bar->value(), 2 * bar->singleStep());
        QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w.scrollArea()->viewport(), &up);
        QCOMPARE(bar->value(), 0);
        w.openChangePage();
        QCOMPARE(rig.launcher.calls().last().target,
                 rig.sim.httpsBase() +
                     QStringLiteral("/premium/backoffice/pwc.html?id=0212345678"));
    }
};

QTEST_MAIN(TestTelephony)
#include "tst_telephony.moc"
