#include "customers/customerstab.h"
#include "officesim/demodata.h"
#include "service/scrambler.h"
#include "shell/mainfrm.h"
#include "shell/settingspanels.h"
#include "shell/widgets/clicklabel.h"
#include "shell/widgets/placeholderedit.h"
#include "support/client/clientrig.h"
#include "support/strings.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

using namespace tdx;
using namespace tdx::test;
using Icon = Prompter::Icon;
using P = FakePrompter;

namespace {

void fillLogin(TmainFrm &w, const QString &phone, const QString &id, const QString &pw) {
    enter(child<PlaceholderEdit>(w, "phoneEdit"), phone);
    enter(child<PlaceholderEdit>(w, "idEdit"), id);
    enter(child<PlaceholderEdit>(w, "passwordEdit"), pw);
}

void clickLogin(TmainFrm &w) {
    QTest::mouseClick(child<QPushButton>(w, "loginButton"), Qt::LeftButton);
}

void loginAsDemo(TmainFrm &w) {
    fillLogin(w, QString::fromLatin1(officesim::Demo::kPhone),
              QString::fromLatin1(officesim::Demo::kAccount),
              QString::fromLatin1(officesim::Demo::kPassword));
    clickLogin(w);
}

struct Window {
    explicit Window(ClientRig &rig) : w(rig.ctx) {
        w.FormCreate();
        w.show();
    }
    TmainFrm w;
};

} // namespace

class TestMainFrm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshInstallationSettings() {
        ClientRig rig(5);
        Window win(rig);
        Settings &s = rig.settings;
        QCOMPARE(s.read(QStringLiteral("record")), QStringLiteral("1"));
        QCOMPARE(s.read(QStringLiteral("booting")), QStringLiteral("1"));
        QCOMPARE(s.read(QStringLiteral("chk_busy")), QStringLiteral("chk"));
        QCOMPARE(s.read(QStringLiteral("u_sk")), QStringLiteral("0"));
        QCOMPARE(s.read(QStringLiteral("upluspass")), QStringLiteral("zekvorn5!"));
        QCOMPARE(s.raw(QStringLiteral("upluspass")),
                 scrambler::scramble(QStringLiteral("zekvorn5!")));
        // The service computed the digest from the scrambled password.
        QCOMPARE(s.read(QStringLiteral("sha512")),
                 QString::fromLatin1(
                     QCryptographicHash::hash("zekvorn5!", QCryptographicHash::Sha512).toHex()));
        QCOMPARE(rig.sim.journal().withPath(QStringLiteral("/Tandrivox/get_sha.php")).size(), 1);
        QCOMPARE(win.w.size(), TmainFrm::kLoginSize);
        QVERIFY(win.w.loginViewShown());
        QCOMPARE(child<ClickLabel>(win.w, "providerPicture")->picture(),
                 rig.app.file(QStringLiteral("img/lgup.gif")));
        QVERIFY(rig.desktop.calls.contains(QStringLiteral("firstShowSetup tandrivox")));
        QVERIFY(!rig.desktop.autostartOn); // no start entry until the settings are saved once
        QCOMPARE(rig.app.read(QStringLiteral("hd.code")),
                 QByteArray::number(quint64(win.w.winId())));
    }

    void providerIsNormalisedAtEveryShow_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("1") << "1"
                           << "1";
        QTest::newRow("2") << "2"
                           << "1";
        QTest::newRow("text") << "skb"
                              << "1";
    }
    void providerIsNormalisedAtEveryShow() {
        QFETCH(QString, stored);
        QFETCH(QString, after);
        ClientRig rig(5);
        rig.settings.write(QStringLiteral("u_sk"), stored);
        Window win(rig);
        QCOMPARE(rig.settings.read(QStringLiteral("u_sk")), after);
        QCOMPARE(win.w.timer(QStringLiteral("t_event")).isActive(), after == QLatin1String("1"));
        QCOMPARE(child<ClickLabel>(win.w, "providerPicture")->picture(),
                 rig.app.file(after == QLatin1String("1") ? QStringLiteral("img/skb.gif")
                                                          : QStringLiteral("img/lgup.gif")));
        // The LG U+ picture switches back; the SK Broadband one only says it is not ready.
        QTest::mouseClick(child<ClickLabel>(win.w, "img_lgup"), Qt::LeftButton);
        QCOMPARE(rig.settings.read(QStringLiteral("u_sk")), QStringLiteral("0"));
        QVERIFY(!win.w.timer(QStringLiteral("t_event")).isActive());
        QTest::mouseClick(child<ClickLabel>(win.w, "img_skb"), Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("서비스 준비중입니다."), QStringLiteral("알림")));
        QCOMPARE(rig.settings.read(QStringLiteral("u_sk")), QStringLiteral("0"));
    }

    void emptyFieldsAreRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("phone") << "phoneEdit"
                               << "전화번호를 입력하세요.";
        QTest::newRow("id") << "idEdit"
                            << "아이디를  입력하세요.";
        QTest::newRow("password") << "passwordEdit"
                                  << "비밀번호를  입력하세요.";
    }
    void emptyFieldsAreRefused() {
        QFETCH(QString, field);
        QFETCH(QString, message);
        ClientRig rig(5);
        Window win(rig);
        auto *edit = win.w.findChild<PlaceholderEdit *>(field);
        edit->setText(QStringLiteral("   ")); // a field the user emptied (blanks only)
        const qint64 before = rig.sim.journal().lastSeq();
        clickLogin(win.w);
        QCOMPARE(rig.prompter.prompts(),
                 QList<P::Prompt>{P::msg(message, QStringLiteral("오류"), Icon::Warning)});
        QVERIFY(rig.kindsSince(before).isEmpty());
    }

    void reportsBeforeLoginSpeakForTheLoginView() {
        ClientRig rig(5);
        Window win(rig);
        enter(child<PlaceholderEdit>(win.w, "phoneEdit"), QStringLiteral("0212345678"));
        enter(child<PlaceholderEdit>(win.w, "idEdit"), QStringLiteral("demo"));
        rig.service.fail(QStringLiteral("mainFrm"), QStringLiteral("FormShow3"),
                         QStringLiteral("x"));
        QVERIFY(rig.sim.journal().last()->rawQuery.startsWith(
            "off_id=demo&telno=0212345678&formname=mainFrm"));
    }

    void placeholdersCountAsText() {
        ClientRig rig(5);
        Window win(rig);
        clickLogin(win.w);
        const auto sent = rig.sim.journal().withKind(QStringLiteral("login"));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].field(QStringLiteral("telNo")), QStringLiteral("전화번호를 입력하세요."));
        QCOMPARE(sent[0].field(QStringLiteral("off_id")),
                 QStringLiteral("GLIMVERTA 아이디를 입력하세요."));
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("아이디와 비밀번호, 전화번호를 다시 확인하세요."),
                        QStringLiteral("오류"), Icon::Error));
    }

    void successfulLogin() {
        ClientRig rig(300);
        Window win(rig);
        QSignalSpy loggedIn(&win.w, &TmainFrm::loggedIn);
        child<QCheckBox>(win.w, "saveCheck")->setChecked(true);
        const qint64 before = rig.sim.journal().lastSeq();
        loginAsDemo(win.w);
        QCOMPARE(loggedIn.size(), 1);
        QCOMPARE(rig.kindsSince(before),
                 strs({"login", "myname", "select_group", "customer", "upluspw"}));
        const auto upw = rig.sim.journal().withKind(QStringLiteral("upluspw")).first();
        QCOMPARE(upw.field(QStringLiteral("u_id")), QStringLiteral("demo"));
        QCOMPARE(upw.field(QStringLiteral("pw")), scrambler::scramble(QStringLiteral("zekvorn5!")));
        QVERIFY(rig.prompter.prompts().isEmpty());

        QVERIFY(win.w.mainViewShown());
        QCOMPARE(win.w.size(), TmainFrm::kMainSize);
        QCOMPARE(rig.session.officeId, QStringLiteral("hangyeol01"));
        QCOMPARE(child<QLabel>(win.w, "userNameLabel")->text(),
                 QStringLiteral("김도윤[대표세무사]"));
        QCOMPARE(child<QPushButton>(win.w, "filterAll")->text(), QStringLiteral("전체(300)"));
        QCOMPARE(child<QPushButton>(win.w, "filterGroup")->text(), QStringLiteral("그룹(3)"));
        QCOMPARE(win.w.customersTab()->model().customerCount(), 100);
        QVERIFY(child<QCheckBox>(win.w, "recordCheck")->isChecked());
        for (const char *t : {"t_alrim", "t_openCentrex", "t_chkCentrex"})
            QVERIFY2(win.w.timer(QString::fromLatin1(t)).isActive(), t);

        QCOMPARE(rig.loginKey.value(QStringLiteral("tel")), QStringLiteral("0212345678"));
        QCOMPARE(rig.loginKey.value(QStringLiteral("id")), QStringLiteral("demo"));
        QCOMPARE(scrambler::unscramble(rig.loginKey.value(QStringLiteral("pw"))),
                 QStringLiteral("demo1234"));
        QCOMPARE(rig.loginKey.value(QStringLiteral("autologin")), QStringLiteral("0"));
        QCOMPARE(rig.settings.read(QStringLiteral("id")), QStringLiteral("demo"));
        QCOMPARE(rig.settings.read(QStringLiteral("tel")), QStringLiteral("0212345678"));
        QCOMPARE(rig.settings.read(QStringLiteral("up")), QStringLiteral("1"));

        // The telephony password goes to the service once per installation.
        rig.prompter.answerOk();
        QTest::mouseClick(child<QPushButton>(win.w, "logoutButton"), Qt::LeftButton);
        QVERIFY(win.w.loginViewShown());
        const qint64 second = rig.sim.journal().lastSeq();
        clickLogin(win.w);
        QVERIFY(win.w.mainViewShown());
        QVERIFY(!rig.kindsSince(second).contains(QStringLiteral("upluspw")));
    }

    void withoutSaveTheLoginKeyIsEmptied() {
        ClientRig rig(5);
        rig.loginKey.setValue(QStringLiteral("tel"), QStringLiteral("0299999999"));
        rig.loginKey.setValue(QStringLiteral("autologin"), QStringLiteral("0"));
        Window win(rig);
        QVERIFY(child<QCheckBox>(win.w, "saveCheck")->isChecked()); // a remembered phone ticks it
        QCOMPARE(child<PlaceholderEdit>(win.w, "phoneEdit")->text(), QStringLiteral("0299999999"));
        child<QCheckBox>(win.w, "saveCheck")->setChecked(false);
        child<PlaceholderEdit>(win.w, "phoneEdit")->setEntered(QString());
        loginAsDemo(win.w);
        QVERIFY(win.w.mainViewShown());
        for (const char *name : {"tel", "id", "pw"})
            QCOMPARE(rig.loginKey.value(QString::fromLatin1(name)), QString());
        QCOMPARE(rig.loginKey.value(QStringLiteral("autologin")), QStringLiteral("0"));
    }

    void loginFailures() {
        ClientRig rig(5);
        Window win(rig);
        fillLogin(win.w, QStringLiteral("0212345678"), QStringLiteral("demo"),
                  QStringLiteral("wrong"));
        clickLogin(win.w);
        QCOMPARE(rig.prompter.prompts(),
                 QList<P::Prompt>{
                     P::msg(QStringLiteral("아이디와 비밀번호, 전화번호를 다시 확인하세요."),
                            QStringLiteral("오류"), Icon::Error)});
        QVERIFY(win.w.loginViewShown());
        QVERIFY(!child<QLabel>(win.w, "loginNotice")->isVisible());
        QVERIFY(!win.w.loadingVisible());
        QCOMPARE(rig.settings.read(QStringLiteral("id")), QString());
        QCOMPARE(rig.loginKey.value(QStringLiteral("tel")), QString());

        // An answer of two rows is a failure; the code comes from the first row.
        rig.prompter.clear();
        rig.sim.server().route(QStringLiteral("/Tandrivox/login_ok.php"),
                               [](const officesim::Request &) {
                                   return officesim::Response::text(
                                       "{\"return\":[{\"result\":\"1\",\"off_id\":\"fail_input\"},"
                                       "{\"result\":\"1\",\"off_id\":\"hangyeol01\"}]}");
                               });
        clickLogin(win.w);
        QCOMPARE(rig.prompter.prompts().size(), 1);
        QCOMPARE(rig.prompter.last().text,
                 QStringLiteral("아이디와 비밀번호, 전화번호를 다시 확인하세요."));
        QVERIFY(rig.session.officeId.isEmpty());
        QVERIFY(!rig.session.loggedIn);
    }

    void serviceDownDuringLogin() {
        ClientRig rig(5);
        rig.prompter.clear();
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        Hosts down = rig.sim.hosts();
        down.serviceHttps = QUrl(QStringLiteral("https://127.0.0.1:1"));
        ServiceClient service(rig.app.path(), down, rig.clock, rig.prompter,
                              [&] { return rig.session.identity(); });
        AppContext ctx = rig.ctx;
        AppContext downCtx{ctx.prompter, ctx.launcher, ctx.clock,     ctx.files,
                           ctx.desktop,  ctx.settings, ctx.loginKey,  ctx.session,
                           service,      ctx.appDir,   ctx.executable};
        TmainFrm w(downCtx);
        w.FormCreate();
        w.show();
        child<QCheckBox>(w, "saveCheck")->setChecked(true);
        loginAsDemo(w);
        QCOMPARE(rig.prompter.last(), P::msg(QStringLiteral("로그인 실패 다시 시도하세요.."),
                                             QStringLiteral("오류"), Icon::Warning));
        QVERIFY(w.loginViewShown());
        QVERIFY(w.isEnabled());
        QCOMPARE(rig.loginKey.value(QStringLiteral("tel")), QString());
        QCOMPARE(rig.settings.read(QStringLiteral("tel")), QString());
    }

    void deskWithoutEmployeeEndsTheProgram() {
        ClientRig rig(5);
        Window win(rig);
        QSignalSpy exit(&win.w, &TmainFrm::exitRequested);
        fillLogin(win.w, QString::fromLatin1(officesim::Demo::kUnstaffedPhone),
                  QStringLiteral("demo"), QStringLiteral("demo1234"));
        clickLogin(win.w);
        QCOMPARE(
            rig.prompter.prompts(),
            (QList<P::Prompt>{
                P::msg(QStringLiteral(
                           "직원정보(전화번호)가 등록되지 않았습니다. 관리자 화면에서 등록하세요."),
                       QStringLiteral("오류"), Icon::Error),
                P::msg(QStringLiteral("프로그램을 종료됩니다."), QStringLiteral("오류"),
                       Icon::Error)}));
        QCOMPARE(exit.size(), 1);
        QVERIFY(!rig.session.loggedIn);
    }

    void refusedRequestCodeEndsTheProgram() {
        ClientRig rig(5);
        Window win(rig);
        QSignalSpy exit(&win.w, &TmainFrm::exitRequested);
        rig.clock.advanceSecs(20 * 60); // the PC's clock is off by twenty minutes
        loginAsDemo(win.w);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral(
                            "인증 오류입니다. PC 시간을 재설정해주세요. 프로그램을 종료합니다."),
                        QStringLiteral("오류"), Icon::Error));
        QCOMPARE(exit.size(), 1);
    }

    void logoutTwiceDoesNothingTheSecondTime() {
        ClientRig rig(120);
        Window win(rig);
        loginAsDemo(win.w);
        QVERIFY(win.w.mainViewShown());
        QSignalSpy out(&win.w, &TmainFrm::loggedOut);

        win.w.askLogout(); // Cancel (no queued answer)
        QCOMPARE(rig.prompter.last(),
                 P::question(QStringLiteral("로그아웃 하시겠습니까?"), QStringLiteral("로그아웃")));
        QVERIFY(win.w.mainViewShown());

        rig.prompter.answerOk();
        win.w.askLogout();
        QCOMPARE(out.size(), 1);
        QVERIFY(win.w.loginViewShown());
        QCOMPARE(win.w.size(), TmainFrm::kLoginSize);
        QVERIFY(rig.session.officeId.isEmpty());
        QCOMPARE(rig.session.listMode, 0);
        QCOMPARE(win.w.customersTab()->model().rowCount(), 0);
        QCOMPARE(child<QPushButton>(win.w, "filterAll")->text(), QStringLiteral("전체"));
        QCOMPARE(child<QPushButton>(win.w, "filterMine")->text(), QStringLiteral("내거래처"));
        for (const char *t : {"t_alrim", "i_connect", "t_loading", "t_inner", "t_delete"})
            QVERIFY2(!win.w.timer(QString::fromLatin1(t)).isActive(), t);

        win.w.logout();
        QCOMPARE(out.size(), 1);
    }

    void closingKeepsTheSessionInTheTray() {
        ClientRig rig(5);
        Window win(rig);
        loginAsDemo(win.w);
        win.w.close();
        QVERIFY(!win.w.isVisible());
        QVERIFY(rig.session.loggedIn);
        QVERIFY(win.w.timer(QStringLiteral("t_alrim")).isActive());
        QCOMPARE(win.w.trayMenu()->actions().first()->text(), QStringLiteral("종료하기"));
        QCOMPARE(win.w.trayIcon()->toolTip(), QStringLiteral("Tandrivox"));
        // Showing it again from the tray never logs in again.
        const qint64 before = rig.sim.journal().lastSeq();
        win.w.showAndRestore();
        QVERIFY(win.w.isVisible());
        QVERIFY(!rig.kindsSince(before).contains(QStringLiteral("login")));
    }

    void exitAsksFirst() {
        ClientRig rig(5);
        Window win(rig);
        QSignalSpy exit(&win.w, &TmainFrm::exitRequested);
        win.w.askExit();
        QCOMPARE(rig.prompter.last(), P::question(QStringLiteral("프로그램을 종료 하시겠습니까?"),
                                                  QStringLiteral("종료")));
        QCOMPARE(exit.size(), 0);
        rig.prompter.answerOk();
        win.w.trayMenu()->actions().first()->trigger();
        QCOMPARE(exit.size(), 1);
        QVERIFY(!win.w.trayIcon()->isVisible());
        // The login view's exit button ends without asking.
        QTest::mouseClick(child<QPushButton>(win.w, "exitButton"), Qt::LeftButton);
        QCOMPARE(exit.size(), 2);
    }

    void automaticLogin() {
        ClientRig rig(5);
        rig.loginKey.setValue(QStringLiteral("tel"), QStringLiteral("0212345678"));
        rig.loginKey.setValue(QStringLiteral("id"), QStringLiteral("demo"));
        rig.loginKey.setValue(QStringLiteral("pw"),
                              scrambler::scramble(QStringLiteral("demo1234")));
        rig.loginKey.setValue(QStringLiteral("autologin"), QStringLiteral("1"));
        Window win(rig);
        QVERIFY(child<QCheckBox>(win.w, "autoLoginCheck")->isChecked());
        QTRY_VERIFY(rig.session.loggedIn);
        QVERIFY(win.w.mainViewShown());
        QCOMPARE(rig.sim.journal().withKind(QStringLiteral("login")).size(), 1);
        win.w.hide();
        win.w.show();
        QTest::qWait(50);
        QCOMPARE(rig.sim.journal().withKind(QStringLiteral("login")).size(), 1);
    }

    void secondStartNotice() {
        ClientRig rig(5);
        Window win(rig);
        win.w.hide();
        win.w.onNotice("something else");
        QVERIFY(!win.w.isVisible());
        QVERIFY(rig.prompter.prompts().isEmpty());
        win.w.onNotice(QByteArray("Mutex", 6));
        QVERIFY(win.w.isVisible());
        QCOMPARE(rig.prompter.prompts(),
                 QList<P::Prompt>{P::msg(
                     QStringLiteral(
                         "중복실행을 시도하셨습니다.\r\n재실행을 하실 경우 하단 트레이아이콘에서 "
                         "프로그램을\r\n종료하시고 재실행해 주세요"),
                     QStringLiteral("알림"))});
    }

    void sessionAndPowerEvents() {
        ClientRig rig(5);
        Window win(rig);
        loginAsDemo(win.w);
        QSignalSpy exit(&win.w, &TmainFrm::exitRequested);
        win.w.onSessionChange(7, 2);
        win.w.onSessionChange(42, 2);
        QCOMPARE(win.w.sessionLog(), strs({"WTS_SESSION_LOCK 2", "WTS_Unknown 2"}));
        QVERIFY(rig.session.loggedIn);

        win.w.hide();
        win.w.onSuspendQuery();
        QVERIFY(!rig.session.loggedIn);
        QVERIFY(win.w.isVisible());
        QVERIFY(win.w.loginViewShown());

        clickLogin(win.w);
        QVERIFY(rig.session.loggedIn);
        win.w.onSessionChange(3, 2);
        QVERIFY(!rig.session.loggedIn);
        QCOMPARE(
            rig.prompter.last(),
            P::msg(QStringLiteral("Tandrivox의 연결이 종료되었습니다. 프로그램을 재시작해 주세요"),
                   QStringLiteral("알림"), Icon::Error));
        QCOMPARE(exit.size(), 1);
    }

    void firstActivationChecksTheSharedFolder() {
        ClientRig rig(5);
        rig.settings.write(QStringLiteral("serverpath"), rig.app.file(QStringLiteral("gone")));
        Window win(rig);
        win.w.activateWindow();
        QTRY_COMPARE(rig.session.firstShow, QStringLiteral("active"));
        QCOMPARE(rig.prompter.prompts(),
                 QList<P::Prompt>{
                     P::msg(QStringLiteral("공유폴더와 연결이 종료되었습니다. 다시 연결해주세요."),
                            QStringLiteral("오류"), Icon::Error)});
    }

    void settingsPanels() {
        ClientRig rig(5);
        Window win(rig);
        rig.settings.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        QTest::mouseClick(child<ClickLabel>(win.w, "settingsLink"), Qt::LeftButton);
        QCOMPARE(win.w.settingsPanel()->kind(), SettingsPanel::Kind::Skb);
        QVERIFY(!win.w.settingsPanel()->findChild<QCheckBox *>(QStringLiteral("innernumCheck")));
        rig.files.folder = QStringLiteral("/srv/record");
        QTest::mouseClick(
            win.w.settingsPanel()->findChild<QPushButton *>(QStringLiteral("folderButton")),
            Qt::LeftButton);
        QCOMPARE(rig.files.captions, strs({"경로 선택"}));
        QCOMPARE(win.w.settingsPanel()->folderEdit()->text(), QStringLiteral("/srv/record"));
        win.w.settingsPanel()
            ->findChild<QCheckBox *>(QStringLiteral("bootingCheck"))
            ->setChecked(false);
        win.w.settingsPanel()
            ->findChild<QCheckBox *>(QStringLiteral("busyCheck"))
            ->setChecked(false);
        QTest::mouseClick(
            win.w.settingsPanel()->findChild<QPushButton *>(QStringLiteral("saveButton")),
            Qt::LeftButton);
        QCOMPARE(rig.prompter.last(),
                 P::msg(QStringLiteral("저장이 완료되었습니다."), QStringLiteral("저장")));
        QVERIFY(!win.w.settingsPanel()->isVisible());
        QCOMPARE(rig.settings.read(QStringLiteral("serverpath")), QStringLiteral("/srv/record"));
        QCOMPARE(rig.settings.read(QStringLiteral("booting")), QStringLiteral("0"));
        QCOMPARE(rig.settings.read(QStringLiteral("chk_busy")), QStringLiteral("unchk"));
        QVERIFY(rig.desktop.calls.contains(
            QStringLiteral("setAutostart 0"))); // removed though never written

        rig.settings.write(QStringLiteral("u_sk"), QStringLiteral("0"));
        rig.settings.write(QStringLiteral("innernum"), QStringLiteral("chk"));
        win.w.openSettings();
        SettingsPanel *lgu = win.w.settingsPanel();
        QCOMPARE(lgu->kind(), SettingsPanel::Kind::Lgu);
        QVERIFY(lgu->findChild<QCheckBox *>(QStringLiteral("innernumCheck"))->isChecked());
        QCOMPARE(lgu->findChild<QLineEdit *>(QStringLiteral("uplusPasswordEdit"))->text(),
                 QStringLiteral("zekvorn5!"));
        lgu->findChild<QLineEdit *>(QStringLiteral("uplusPasswordEdit"))
            ->setText(QStringLiteral("new+pw'1"));
        lgu->findChild<QCheckBox *>(QStringLiteral("innernumCheck"))->setChecked(false);
        lgu->findChild<QCheckBox *>(QStringLiteral("recordCheck"))->setChecked(false);
        lgu->findChild<QCheckBox *>(QStringLiteral("bootingCheck"))->setChecked(true);
        rig.desktop.failAutostart = QStringLiteral("레지스트리에 쓸 수 없습니다.");
        QTest::mouseClick(lgu->findChild<QPushButton *>(QStringLiteral("saveButton")),
                          Qt::LeftButton);
        // The system's message; the panel stays open; what came before is written.
        QCOMPARE(rig.prompter.last(), P::msg(QStringLiteral("레지스트리에 쓸 수 없습니다."),
                                             QStringLiteral("오류"), Icon::Error));
        QVERIFY(lgu->isVisible());
        QCOMPARE(rig.settings.read(QStringLiteral("upluspass")), QStringLiteral("new+pw'1"));
        QCOMPARE(rig.session.telephonyPassword, QStringLiteral("new+pw'1"));
        QCOMPARE(rig.settings.read(QStringLiteral("innernum")), QString());
        QCOMPARE(rig.settings.read(QStringLiteral("record")), QStringLiteral("0"));
        QCOMPARE(rig.settings.read(QStringLiteral("sha512")),
                 QString::fromLatin1(
                     QCryptographicHash::hash("new+pw'1", QCryptographicHash::Sha512).toHex()));
        QVERIFY(!child<QCheckBox>(win.w, "recordCheck")->isChecked());
        rig.desktop.failAutostart.clear();
        QTest::mouseClick(lgu->findChild<QPushButton *>(QStringLiteral("saveButton")),
                          Qt::LeftButton);
        QVERIFY(rig.desktop.autostartOn);
        QCOMPARE(rig.desktop.autostartCommand, rig.ctx.executable);
        QCOMPARE(rig.settings.read(QStringLiteral("booting")), QStringLiteral("1"));
    }

    void testPanelOnlyForTestOffices() {
        ClientRig rig(5);
        Window win(rig);
        loginAsDemo(win.w);
        QTest::mouseClick(child<ClickLabel>(win.w, "logoPicture"), Qt::LeftButton);
        QVERIFY(!child<QWidget>(win.w, "testPanel")->isVisible());
        rig.prompter.answerOk();
        win.w.askLogout();
        fillLogin(win.w, QString::fromLatin1(officesim::Demo::kTestPhone),
                  QString::fromLatin1(officesim::Demo::kTestAccount),
                  QString::fromLatin1(officesim::Demo::kTestPassword));
        clickLogin(win.w);
        QVERIFY2(rig.session.loggedIn, qPrintable(rig.prompter.texts().join(QLatin1Char('|'))));
        QTest::mouseClick(child<ClickLabel>(win.w, "logoPicture"), Qt::LeftButton);
        QVERIFY(child<QWidget>(win.w, "testPanel")->isVisible());
        QSignalSpy call(&win.w, &TmainFrm::testCallRequested);
        QTest::keyClicks(child<QLineEdit>(win.w, "testNumberEdit"), QStringLiteral("0212345678"));
        QTest::mouseClick(child<QPushButton>(win.w, "testCallButton"), Qt::LeftButton);
        QCOMPARE(call.size(), 1);
        QCOMPARE(call[0][0].toString(), QStringLiteral("0212345678"));
        QVERIFY(!child<QWidget>(win.w, "testPanel")->isVisible());
    }

    void webLinksOpenInTheBrowser() {
        ClientRig rig(5);
        Window win(rig);
        QTest::mouseClick(child<ClickLabel>(win.w, "findLink"), Qt::LeftButton);
        QCOMPARE(rig.launcher.calls().last().target,
                 rig.sim.httpBase() + QStringLiteral("/?Tandrivox=1"));
        loginAsDemo(win.w);
        QTest::mouseClick(child<ClickLabel>(win.w, "workHistoryLink"), Qt::LeftButton);
        QCOMPARE(
            rig.launcher.calls().last().target,
            rig.sim.httpsBase() +
                QStringLiteral("/hp_admin/login_app.php?mode=LOGIN_ACTION&user_id=demo&user_pwd=") +
                scrambler::scramble(QStringLiteral("demo1234")) +
                QStringLiteral("&return_url=/hp_admin/main.php?class=wemblorx@tab=work_history"));
    }
};

QTEST_MAIN(TestMainFrm)
#include "tst_mainfrm.moc"
