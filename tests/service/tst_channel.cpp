#include "service/codec.h"
#include "service/serviceclient.h"
#include "support/fakeclock.h"
#include "support/fakeprompter.h"
#include "support/officesimfixture.h"
#include "support/tempappdir.h"

#include <QSqlQuery>
#include <QTcpServer>
#include <QtTest>

using namespace tdx;
using namespace tdx::test;

namespace {

struct Rig {
    officesim::Options options() {
        officesim::Options o;
        o.customers = 20;
        return o;
    }
    OfficesimFixture sim{options()};
    TempAppDir app;
    FakeClock clock{QDateTime::currentDateTime()};
    FakePrompter prompter;
    Identity who{QString(), QStringLiteral("demo"), QStringLiteral("0212345678")};
    ServiceClient client{app.path(), sim.hosts(), clock, prompter, [this] { return who; }};

    QString todaysLog() const {
        return cp949::decode(app.read(QStringLiteral("log/log_") +
                                      clock.today().toString(QStringLiteral("yyyyMMdd")) +
                                      QStringLiteral(".txt")));
    }
    QUrl url(const QString &path, Hosts::Scheme s = Hosts::Scheme::Https) const {
        return sim.hosts().service(s, path);
    }
    int exceptions(const QString &label) {
        return sim.server()
            .store()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM exceptions WHERE fcname = ?"), {label})
            .toInt();
    }
    bool login() {
        client.send(operation(QStringLiteral("login")),
                    {{QStringLiteral("passwd"), QStringLiteral("demo1234")}});
        who.officeId = client.table1().value(0, 1);
        return client.table1().value(0, 0) == QLatin1String("1");
    }
};

} // namespace

class TestChannel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loginTravelsInTheWireFormat() {
        Rig rig;
        QVERIFY(rig.sim.ok());
        QVERIFY(rig.login());
        QCOMPARE(rig.who.officeId, QStringLiteral("hangyeol01"));
        const auto sent = rig.sim.journal().withKind(QStringLiteral("login"));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].scheme, QStringLiteral("https"));
        QCOMPARE(sent[0].path, QStringLiteral("/Tandrivox/login_ok.php"));
        QVERIFY2(sent[0].body.startsWith("param={\"param\":[{\"pKind\":\"login\",\"passwd\":"
                                         "\"demo1234\",\"off_id\":\"demo\",\"telNo\":"
                                         "\"0212345678\",\"cercode\":\""),
                 sent[0].body.constData());
        QVERIFY(sent[0].body.endsWith("\"}]}"));

        // After login the office id speaks for the request.
        rig.client.send(operation(QStringLiteral("myname")));
        QCOMPARE(
            rig.sim.journal().withKind(QStringLiteral("myname"))[0].field(QStringLiteral("off_id")),
            QStringLiteral("hangyeol01"));
        QCOMPARE(rig.client.table1().value(0, QStringLiteral("u_name")), QStringLiteral("김도윤"));
    }

    void everyRequestIsLoggedWithSecretsMasked() {
        Rig rig;
        QVERIFY(rig.login());
        const QString log = rig.todaysLog();
        QVERIFY2(
            log.contains(QStringLiteral(" paramdata: {\"param\":[{\"pKind\":\"login\",\"passwd\":"
                                        "\"****\",\"off_id\":\"demo\"")),
            qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("demo1234")));
        const QByteArray answer =
            "{\"return\":[{\"result\":\"1\",\"off_id\":\"hangyeol01\",\"skb_id\":\"\"}]}";
        QVERIFY(log.contains(QStringLiteral(" threaddata: ") + QString::fromLatin1(answer) +
                             QStringLiteral(" size=%1\r\n\r\n").arg(answer.size() + 1)));
        QRegularExpression stamp(QStringLiteral("^\\d{8} \\d{6} paramdata: "));
        QVERIFY(stamp.match(log).hasMatch());
        QVERIFY(!rig.client.lastRequest().contains(QStringLiteral("demo1234")));
        QVERIFY(rig.client.lastRequest().startsWith(
            rig.sim.httpBase() + QStringLiteral("/Tandrivox/get_data.php?param={")));
        const QByteArray param = rig.app.read(QStringLiteral("txt/param.txt"));
        QVERIFY(param.contains("\"passwd\":\"****\""));
        QVERIFY(param.endsWith("}]}\r\n"));
    }

    void failuresLeaveAnEmptyTable() {
        Rig rig;
        QVERIFY(rig.login());
        rig.sim.server().route(QStringLiteral("/t/empty"), [](const officesim::Request &) {
            return officesim::Response::text("");
        });
        rig.sim.server().route(QStringLiteral("/t/html"), [](const officesim::Request &) {
            return officesim::Response::html("<html><body>Fatal error</body></html>");
        });
        rig.sim.server().route(QStringLiteral("/t/null"), [](const officesim::Request &) {
            return officesim::Response::text("{\"return\":null}");
        });
        rig.sim.server().route(QStringLiteral("/t/bigrows"), [](const officesim::Request &) {
            return officesim::Response::text("{\"return\":[{\"a\":\"1\"},[1],{\"a\":\"2\"}]}");
        });

        rig.client.get_data1(rig.url(QStringLiteral("/t/empty")), QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 1);
        QCOMPARE(rig.client.table1().value(0, QStringLiteral("result")), QStringLiteral("null"));

        rig.client.get_data1(rig.url(QStringLiteral("/t/null")), QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 0);
        QVERIFY(rig.prompter.prompts().isEmpty());

        rig.client.get_data1(rig.url(QStringLiteral("/t/html")), QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 0);
        QCOMPARE(rig.prompter.prompts(), QList<FakePrompter::Prompt>{FakePrompter::msg(
                                             QStringLiteral("데이터 전송오류 다시 시도하세요."),
                                             QStringLiteral("오류"), Prompter::Icon::Error)});

        rig.client.get_data1(rig.url(QStringLiteral("/t/bigrows")), QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 3);
        QCOMPARE(rig.client.table1().value(0, 0), QStringLiteral("1"));
        QCOMPARE(rig.exceptions(QStringLiteral("set_jsonData_1")), 1);
        // The secondary channel's flattening reports nothing.
        rig.client.get_data2(rig.url(QStringLiteral("/t/bigrows")), QStringLiteral("{}"));
        QCOMPARE(rig.exceptions(QStringLiteral("set_jsonData_1")), 1);

        // An HTTP error status is a failed request: empty table, report, "timeout" in the log.
        rig.client.get_data1(rig.url(QStringLiteral("/nowhere")), QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 0);
        QCOMPARE(rig.exceptions(QStringLiteral("get_data1")), 1);
        QVERIFY(rig.todaysLog().contains(QStringLiteral(" threaddata: timeout size=")));
        rig.client.get_data2(rig.url(QStringLiteral("/nowhere")), QStringLiteral("{}"));
        QCOMPARE(rig.exceptions(QStringLiteral("get_data2_1")), 1);
    }

    void unreachableSilentAndHugeServices() {
        Rig rig;
        QVERIFY(rig.login());
        // Connection refused on the HTTPS port; the report still reaches the HTTP port.
        Hosts down = rig.sim.hosts();
        down.serviceHttps = QUrl(QStringLiteral("https://127.0.0.1:1"));
        ServiceClient client(rig.app.path(), down, rig.clock, rig.prompter,
                             [&] { return rig.who; });
        client.send(operation(QStringLiteral("myname")));
        QCOMPARE(client.table1().rowCount(), 0);
        QSqlQuery q = rig.sim.server().store().exec(
            QStringLiteral("SELECT formname, state, param FROM exceptions"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("mainFrm"));
        QVERIFY(q.value(1).toString().startsWith(QStringLiteral("except=|")));

        // A service that accepts and never answers: the request gives up after its time-out.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QElapsedTimer t;
        t.start();
        client.get_data1(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(silent.serverPort())),
                         QStringLiteral("{}"));
        QVERIFY(t.elapsed() >= ServiceClient::kPrimaryTimeoutMs - 500);
        QVERIFY(t.elapsed() < ServiceClient::kPrimaryTimeoutMs + 5000);
        QCOMPARE(client.table1().rowCount(), 0);

        // An answer of 50 MB is refused without filling memory or the table.
        rig.sim.server().route(QStringLiteral("/t/huge"), [](const officesim::Request &) {
            QByteArray body = "{\"return\":[";
            const QByteArray row = "{\"a\":\"" + QByteArray(1000, 'x') + "\"},";
            while (body.size() < 50 * 1024 * 1024)
                body += row;
            body += "{\"a\":\"y\"}]}";
            return officesim::Response::text(body);
        });
        rig.client.get_data1(rig.url(QStringLiteral("/t/huge"), Hosts::Scheme::Http),
                             QStringLiteral("{}"));
        QCOMPARE(rig.client.table1().rowCount(), 0);
    }

    void discordSendsTheWordAlone() {
        Rig rig;
        QVERIFY(rig.login());
        rig.client.clear_request();
        rig.client.lists().addName(QStringLiteral("pKind"));
        rig.client.lists().addValue(QStringLiteral("myname"));
        rig.client.lists().addValue(QStringLiteral("stray"));
        const QString json = rig.client.make_param();
        QCOMPARE(json, QStringLiteral("discord"));
        rig.client.get_data1(rig.url(op::DataPath), json);
        QCOMPARE(rig.sim.journal().withPath(op::DataPath).last().body, QByteArray("param=discord"));
        QCOMPARE(rig.client.table1().rowCount(), 0);
    }

    void channelsKeepTheirOwnTables() {
        Rig rig;
        QVERIFY(rig.login());
        rig.client.send(operation(QStringLiteral("alrim_count")),
                        {{QStringLiteral("u_num"), QStringLiteral("1")}});
        const int unread = rig.client.table2().rowCount();
        QVERIFY(unread > 0);
        rig.client.send(operation(QStringLiteral("myemp")));
        QCOMPARE(rig.client.table2().rowCount(), unread);
        QCOMPARE(rig.client.table1().columns().first(), QStringLiteral("u_name"));
        QCOMPARE(rig.client.table2().columns().first(), QStringLiteral("result"));
    }

    void exceptionReportAsTheServiceReceivedIt() {
        Rig rig;
        QVERIFY(rig.login());
        rig.client.report(QStringLiteral("mainFrm"), QStringLiteral("get_name"),
                          QStringLiteral("except=|a&b=c 가|"));
        const auto reports =
            rig.sim.journal().withPath(QStringLiteral("/Tandrivox/write_exception.php"));
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports[0].scheme, QStringLiteral("http"));
        const QByteArray q = reports[0].rawQuery;
        QVERIFY2(q.startsWith("off_id=demo&telno=0212345678&formname=mainFrm&state=except=%7Ca&b=c%"
                              "20%B0%A1%7C&param="),
                 q.constData());
        QVERIFY(q.endsWith("&fcname=get_name"));
        QVERIFY(!q.contains("demo1234"));
        QVERIFY(q.contains("%7C%7C%7C") || !rig.client.lastRequest().contains(QLatin1Char('&')));
        // The service sees a shortened state and a stray field "b".
        QSqlQuery s = rig.sim.server().store().exec(QStringLiteral("SELECT state FROM exceptions"));
        QVERIFY(s.next());
        QCOMPARE(s.value(0).toString(), QStringLiteral("except=|a"));
        QVERIFY(rig.todaysLog().contains(
            QStringLiteral(" mainFrm_get_name_except=|a&b=c 가|\r\n\r\n")));

        // An event note without "except" is only logged.
        rig.client.report(QStringLiteral("mainFrm"),
                          QStringLiteral("LGUBaseOpenApi1SendLoginResultEvent"),
                          QStringLiteral("로그인 완료"));
        QCOMPARE(
            rig.sim.journal().withPath(QStringLiteral("/Tandrivox/write_exception.php")).size(), 1);
        QVERIFY(rig.todaysLog().contains(
            QStringLiteral("_LGUBaseOpenApi1SendLoginResultEvent_로그인 완료")));

        // A report before any request sends an empty "param".
        Rig fresh;
        fresh.client.fail(QStringLiteral("mainFrm"), QStringLiteral("FormCreate"),
                          QStringLiteral("x"));
        QVERIFY(fresh.sim.journal().last()->rawQuery.contains("&param=&fcname=FormCreate"));
    }

    void guardReportsWhatAHandlerThrows() {
        Rig rig;
        bool after = false;
        QVERIFY(!rig.client.guard(QStringLiteral("kakaoFrm"), QStringLiteral("Image3Click2"), [&] {
            throw std::runtime_error("boom");
            after = true;
        }));
        QVERIFY(!after);
        QVERIFY(rig.client.guard(QStringLiteral("kakaoFrm"), QStringLiteral("x"), [] {}));
        QSqlQuery s = rig.sim.server().store().exec(
            QStringLiteral("SELECT formname, state, fcname FROM exceptions"));
        QVERIFY(s.next());
        QCOMPARE(s.value(0).toString(), QStringLiteral("kakaoFrm"));
        QCOMPARE(s.value(1).toString(), QStringLiteral("except=|boom|"));
        QCOMPARE(s.value(2).toString(), QStringLiteral("Image3Click2"));
    }
};

QTEST_GUILESS_MAIN(TestChannel)
#include "tst_channel.moc"
