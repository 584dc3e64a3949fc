#include "officesim/demodata.h"
#include "support/officesimfixture.h"
#include "support/strings.h"
#include "wireclient.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QtTest>

using namespace wiretest;
using officesim::Demo;
using tdx::test::OfficesimFixture;
using tdx::test::strs;

static officesim::Options demoOptions(int customers = 250) {
    officesim::Options o;
    o.customers = customers;
    o.fixedNow = serviceNow();
    return o;
}

class TestOfficesimService : public QObject {
    Q_OBJECT

    OfficesimFixture *sim = nullptr;
    QByteArray newCustomer(const QByteArray &com, const QByteArray &comNum, const QByteArray &tel,
                           const QByteArray &hp = "", const QByteArray &extra = "") {
        Sender s{*sim};
        const Answer a =
            s.data("\"pKind\":\"insert_customer\",\"m_com\":\"" + com +
                   "\",\"m_gubun\":\"0\","
                   "\"m_comNum\":\"" +
                   comNum +
                   "\",\"m_corNum\":\"1101111234567\",\"u_num\":\"1\","
                   "\"m_tel\":\"" +
                   tel +
                   "\",\"add_tel\":\"\",\"add_tel_1\":\"\",\"add_tel_2\":\"\","
                   "\"m_addrZip\":\"04524\",\"m_addr\":\"\",\"m_name\":\"\",\"m_hp\":\"" +
                   hp +
                   "\","
                   "\"m_name_ceo\":\"\",\"m_hp_ceo\":\"\",\"m_pwd\":\"1234\",\"m_use\":\"1\","
                   "\"m_memo\":\"\",\"hometax_id\":\"\",\"hometax_pwd\":\"\",\"add_name\":\"\","
                   "\"add_name_1\":\"\",\"add_name_2\":\"\"" +
                   extra);
        return a.at(0, QStringLiteral("m_num")).toUtf8();
    }

private Q_SLOTS:
    void init() {
        sim = new OfficesimFixture(demoOptions());
        QVERIFY2(sim->ok(), qPrintable(sim->error()));
    }
    void cleanup() {
        delete sim;
        sim = nullptr;
    }

    void login_data() {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("https") << "https";
        QTest::newRow("http") << "http";
    }
    void login() {
        QFETCH(QString, scheme);
        Sender s{*sim, scheme};
        s.offId = "demo"; // before login the account id stands in for the office id
        const Answer ok = s.data("\"pKind\":\"login\",\"passwd\":\"demo1234\"",
                                 QStringLiteral("/Tandrivox/login_ok.php"));
        QCOMPARE(ok.status, 200);
        QCOMPARE(ok.raw, QByteArray("{\"return\":[{\"result\":\"1\",\"off_id\":\"hangyeol01\","
                                    "\"skb_id\":\"\"}]}"));

        const Answer wrongPw = s.data("\"pKind\":\"login\",\"passwd\":\"demo12345\"",
                                      QStringLiteral("/Tandrivox/login_ok.php"));
        QCOMPARE(wrongPw.rows.size(), 1);
        QCOMPARE(wrongPw.rows[0].value(1).second, QStringLiteral("fail_input"));

        s.telNo = "0299999999"; // no line of the office
        QCOMPARE(s.data("\"pKind\":\"login\",\"passwd\":\"demo1234\"",
                        QStringLiteral("/Tandrivox/login_ok.php"))
                     .rows[0]
                     .value(1)
                     .second,
                 QStringLiteral("fail_input"));

        // A login at the data endpoint is no operation there.
        s.telNo = "0212345678";
        QCOMPARE(s.data("\"pKind\":\"login\",\"passwd\":\"demo1234\"").status, 400);
    }

    void requestCodeIsCheckedAgainstTheServiceClock() {
        Sender s{*sim};
        Answer me = s.data("\"pKind\":\"myname\"");
        QCOMPARE(me.first(), QStringLiteral("김도윤"));

        sim->server().setClock([] { return serviceNow().addSecs(9 * 60); });
        QCOMPARE(s.data("\"pKind\":\"myname\"").first(), QStringLiteral("김도윤"));
        sim->server().setClock([] { return serviceNow().addSecs(-11 * 60); });
        me = s.data("\"pKind\":\"myname\"");
        QCOMPARE(me.raw, QByteArray("{\"return\":[{\"u_name\":\"cer_deny\"}]}"));
        QCOMPARE(s.data("\"pKind\":\"myemp\"").status, 403);

        sim->server().setClock(serviceNow);
        s.cercode = "12345605004805005504804805105105005105205205205"; // 47 digits
        QCOMPARE(s.data("\"pKind\":\"myname\"").first(), QStringLiteral("cer_deny"));
    }

    void myNameGivesTheUserAndTheCounters() {
        Sender s{*sim};
        const Answer me = s.data("\"pKind\":\"myname\"");
        QCOMPARE(me.names(), strs({"u_name", "u_position", "u_num", "total", "my_total",
                                   "bookmark_total", "off_name"}));
        QSqlQuery q = sim->server().store().exec(QStringLiteral(
            "SELECT COUNT(*), SUM(u_num = 1), SUM(m_bookmark LIKE '%,1,%') FROM customers"));
        q.next();
        QCOMPARE(me.at(0, QStringLiteral("u_position")), QStringLiteral("대표세무사"));
        QCOMPARE(me.at(0, QStringLiteral("u_num")), QStringLiteral("1"));
        QCOMPARE(me.at(0, QStringLiteral("total")), QStringLiteral("250"));
        QCOMPARE(me.at(0, QStringLiteral("my_total")), q.value(1).toString());
        QCOMPARE(me.at(0, QStringLiteral("bookmark_total")), q.value(2).toString());
        QCOMPARE(me.at(0, QStringLiteral("off_name")), QStringLiteral("한결세무회계"));

        s.telNo = Demo::kUnstaffedPhone;
        QCOMPARE(s.data("\"pKind\":\"myname\"").raw,
                 QByteArray("{\"return\":[{\"u_name\":\"null\"}]}"));
    }

    void customerListPagesByHundred() {
        Sender s{*sim};
        QList<int> sizes;
        QStringList firstNames;
        for (int offset : {0, 100, 200, 300}) {
            const Answer a = s.data("\"pKind\":\"customer\",\"offSet\":\"" +
                                    QByteArray::number(offset) + "\",\"searchWord\":\"\"");
            QCOMPARE(a.status, 200);
            sizes << int(a.rows.size());
            firstNames << a.first();
        }
        QCOMPARE(sizes, QList<int>({100, 100, 50, 1}));
        QCOMPARE(firstNames.last(), QStringLiteral("null"));
        const Answer page = s.data("\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"\"");
        QCOMPARE(page.names(), strs({"m_num", "m_com", "m_tel", "m_name_ceo", "m_hp_ceo", "m_name",
                                     "m_hp", "add_name", "add_tel", "add_name_1", "add_tel_1",
                                     "add_name_2", "add_tel_2", "u_name", "m_bookmark"}));
        for (int i = 1; i < page.rows.size(); ++i)
            QVERIFY(page.at(i - 1, QStringLiteral("m_com")) <= page.at(i, QStringLiteral("m_com")));

        QCOMPARE(s.data("\"pKind\":\"customer\",\"offSet\":\"x\",\"searchWord\":\"\"").first(),
                 QStringLiteral("fail_input"));
    }

    void customerListModesAndSearch() {
        Sender s{*sim};
        const QByteArray pharmacy = "%ec%95%bd%ea%b5%ad"; // 약국
        Answer a =
            s.data("\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"" + pharmacy + "\"");
        QVERIFY(a.rows.size() > 0 && a.first() != QStringLiteral("null"));
        for (int i = 0; i < a.rows.size(); ++i)
            QVERIFY(a.at(i, QStringLiteral("m_com")).contains(QStringLiteral("약국")));

        // The word also matches the employee in charge.
        a = s.data("\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"%ec%9d%b4%ec%84%9c%ec%"
                   "97%b0\"");
        QVERIFY(a.rows.size() > 5);
        for (int i = 0; i < a.rows.size(); ++i)
            QCOMPARE(a.at(i, QStringLiteral("u_name")), QStringLiteral("이서연"));

        a = s.data("\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"\",\"u_num\":\"2\"");
        for (int i = 0; i < a.rows.size(); ++i)
            QCOMPARE(a.at(i, QStringLiteral("u_name")), QStringLiteral("이서연"));

        a = s.data(
            "\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"\",\"m_bookmark\":\",1,\"");
        QVERIFY(a.rows.size() > 0);
        for (int i = 0; i < a.rows.size(); ++i)
            QVERIFY(a.at(i, QStringLiteral("m_bookmark")).contains(QStringLiteral(",1,")));

        a = s.data(
            "\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"\",\"m_nums\":\"3,8,11\","
            "\"group\":\"group\"");
        QStringList nums;
        for (int i = 0; i < a.rows.size(); ++i)
            nums << a.at(i, QStringLiteral("m_num"));
        nums.sort();
        QCOMPARE(nums, strs({"11", "3", "8"}));

        a = s.data("\"pKind\":\"customer\",\"total_mod\":\"total\"");
        QCOMPARE(a.rows.size(), 250);

        a = s.data("\"pKind\":\"customer\",\"searchWord\":\"" + pharmacy + "\"");
        QCOMPARE(a.names(), strs({"u_name", "m_com", "m_tel", "m_hp", "m_hp_ceo", "add_tel",
                                  "add_tel_1", "add_tel_2"}));
    }

    void hostileValuesAreInert() {
        Sender s{*sim};
        // "x'); DROP TABLE customers;--" as the client sends it.
        const QByteArray m =
            newCustomer("x%26singile%29%3b+DROP+TABLE+customers%3b--", "", "0212345000");
        QVERIFY(!m.isEmpty());
        const Answer a = s.data("\"pKind\":\"select_customer\",\"m_num\":\"" + m + "\"");
        QCOMPARE(a.at(0, QStringLiteral("m_com")),
                 QStringLiteral("x&singile); DROP TABLE customers;--"));
        const Answer w = s.data("\"pKind\":\"customer\",\"offSet\":\"0\",\"searchWord\":\"%25\"");
        QCOMPARE(w.status, 200);
        QCOMPARE(s.data("\"pKind\":\"customer\",\"total_mod\":\"total\"").rows.size(), 251);
    }

    void badRequestsGetAnErrorAnswer_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("not json") << QByteArray("param={\"param\":[{\"pKind\"") << 400;
        QTest::newRow("no param=") << QByteArray("{\"param\":[{}]}") << 400;
        QTest::newRow("unknown pKind")
            << QByteArray("param={\"param\":[{\"pKind\":\"drop\",\"off_id\":\"hangyeol01\","
                          "\"telNo\":\"0212345678\",\"cercode\":\"") +
                   kCercode + "\"}]}"
            << 400;
        QTest::newRow("no cercode")
            << QByteArray("param={\"param\":[{\"pKind\":\"myname\",\"off_id\":\"hangyeol01\","
                          "\"telNo\":\"0212345678\"}]}")
            << 400;
        QTest::newRow("missing field")
            << QByteArray("param={\"param\":[{\"pKind\":\"customer_tel\",\"off_id\":\"hangyeol01\","
                          "\"telNo\":\"0212345678\",\"cercode\":\"") +
                   kCercode + "\"}]}"
            << 400;
        QTest::newRow("malformed escape")
            << QByteArray("param={\"param\":[{\"pKind\":\"myname\",\"x\":\"%zz\",\"off_id\":"
                          "\"hangyeol01\",\"telNo\":\"0212345678\",\"cercode\":\"") +
                   kCercode + "\"}]}"
            << 400;
        QTest::newRow("other office's staff")
            << QByteArray("param={\"param\":[{\"pKind\":\"select_group\",\"u_num\":\"7\","
                          "\"off_id\":\"hangyeol01\",\"telNo\":\"0212345678\",\"cercode\":\"") +
                   kCercode + "\"}]}"
            << 403;
        QTest::newRow("unknown office")
            << QByteArray("param={\"param\":[{\"pKind\":\"myname\",\"off_id\":\"nobody\","
                          "\"telNo\":\"0212345678\",\"cercode\":\"") +
                   kCercode + "\"}]}"
            << 403;
    }
    void badRequestsGetAnErrorAnswer() {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const Answer a = Sender{*sim}.raw(body);
        QCOMPARE(a.status, status);
        QCOMPARE(a.first(), QStringLiteral("error"));
        QVERIFY(!a.at(0, QStringLiteral("reason")).isEmpty());
    }

    void callerLookupMatchesAnyOfSixNumbers() {
        Sender s{*sim};
        const QByteArray m =
            newCustomer("%ed%95%9c%ea%b2%b0%ec%83%81%ec%82%ac", "", "02-555-1234", "010-7777-8888");
        QVERIFY(!m.isEmpty());
        for (const char *tel : {"025551234", "01077778888"}) {
            const Answer a =
                s.data("\"pKind\":\"customer_tel\",\"tel\":\"" + QByteArray(tel) + "\"");
            QCOMPARE(a.names(), strs({"m_gubun", "m_tel", "add_tel", "add_tel_1", "add_tel_2",
                                      "m_hp", "m_hp_ceo", "m_name", "m_name_ceo", "add_name",
                                      "add_name_1", "add_name_2", "m_com", "u_name", "content"}));
            QCOMPARE(a.at(0, QStringLiteral("m_com")), QStringLiteral("한결상사"));
            QCOMPARE(a.at(0, QStringLiteral("u_name")), QStringLiteral("김도윤"));
            QCOMPARE(a.at(0, QStringLiteral("content")), QStringLiteral("null"));
        }
        QCOMPARE(s.data("\"pKind\":\"customer_tel\",\"tel\":\"0100000000\"").raw,
                 QByteArray("{\"return\":[{\"result\":\"null\"}]}"));
    }

    void customerCardReadAndWrite() {
        Sender s{*sim};
        // A memo with a line break marker, brackets, Korean and a plus sign as the client sends it.
        const QByteArray m = newCustomer("%ec%83%88%eb%b4%84", "1208147521", "0231234567", "", "");
        const Answer dup = s.data(
            "\"pKind\":\"insert_customer\",\"m_com\":\"b\",\"m_gubun\":\"1\",\"m_comNum\":"
            "\"120-81-47521\",\"m_corNum\":\"\",\"u_num\":\"0\",\"m_tel\":\"021\",\"add_tel\":\"\","
            "\"add_tel_1\":\"\",\"add_tel_2\":\"\",\"m_addrZip\":\"\",\"m_addr\":\"\",\"m_name\":"
            "\"\","
            "\"m_hp\":\"\",\"m_name_ceo\":\"\",\"m_hp_ceo\":\"\",\"m_pwd\":\"\",\"m_use\":\"1\","
            "\"m_memo\":\"\",\"hometax_id\":\"\",\"hometax_pwd\":\"\",\"add_name\":\"\","
            "\"add_name_1\":\"\",\"add_name_2\":\"\"");
        QCOMPARE(dup.rows[0].value(0).second, QStringLiteral("dup"));
        QCOMPARE(dup.rows[0].value(1).second, QStringLiteral("comNum"));

        const Answer upd = s.data(
            "\"pKind\":\"update_customer\",\"m_num\":\"" + m +
            "\",\"m_com\":\"%ec%83%88%eb%b4%84\","
            "\"m_gubun\":\"1\",\"m_comNum\":\"1208147521\",\"m_corNum\":\"900101\",\"u_num\":\"2\","
            "\"m_tel\":\"0231234567\",\"add_tel\":\"\",\"add_tel_1\":\"\",\"add_tel_2\":\"\","
            "\"m_addrZip\":\"04524\",\"m_addr\":\"\",\"m_name\":\"\",\"m_hp\":\"\",\"m_name_ceo\":"
            "\"\","
            "\"m_hp_ceo\":\"\",\"m_pwd\":\"1234\",\"m_use\":\"0\","
            "\"m_memo\":\"a%3cbr%3e%5bb%5d+%252B\",\"hometax_id\":\"id\",\"hometax_pwd\":\"p%"
            "252Bw\","
            "\"add_name\":\"\",\"add_name_1\":\"\",\"add_name_2\":\"\"");
        QCOMPARE(upd.first(), QStringLiteral("complete"));
        const Answer card = s.data("\"pKind\":\"select_customer\",\"m_num\":\"" + m + "\"");
        QCOMPARE(card.names().size(), 22);
        QCOMPARE(card.at(0, QStringLiteral("m_memo")), QStringLiteral("a<br>[b] %2B"));
        QCOMPARE(card.at(0, QStringLiteral("hometax_pwd")), QStringLiteral("p%2Bw"));
        QCOMPARE(card.at(0, QStringLiteral("u_num")), QStringLiteral("2"));
        QCOMPARE(card.at(0, QStringLiteral("m_use")), QStringLiteral("0"));
        // The individual's number the service had was "1101111234567" (sent again masked as
        // "900101"): a six-digit value that is not its prefix replaces it, and goes out masked.
        QCOMPARE(card.at(0, QStringLiteral("m_corNum")), QStringLiteral("900101"));

        QCOMPARE(s.data("\"pKind\":\"select_customer\",\"m_num\":\"999999\"").first(),
                 QStringLiteral("null"));
        QCOMPARE(s.data("\"pKind\":\"myemp\"").rows.size(), Demo::kStaff);
    }

    void bookmarksAndGroups() {
        Sender s{*sim};
        auto marker = [&](int m) {
            return sim->server()
                .store()
                .scalar(QStringLiteral("SELECT m_bookmark FROM customers WHERE m_num = ?"), {m})
                .toString();
        };
        sim->server().store().exec(
            QStringLiteral("UPDATE customers SET m_bookmark = ',2,' WHERE m_num = 5"));
        QCOMPARE(
            s.data(
                 "\"pKind\":\"update_bookmark\",\"u_num\":\"1\",\"m_num\":\"5\",\"m_reg\":\"reg\"")
                .first(),
            QStringLiteral("complete"));
        QCOMPARE(marker(5), QStringLiteral(",2,1,"));
        QCOMPARE(
            s.data(
                 "\"pKind\":\"update_bookmark\",\"u_num\":\"1\",\"m_num\":\"5\",\"m_reg\":\"reg\"")
                .first(),
            QStringLiteral("exist"));
        QCOMPARE(s.data("\"pKind\":\"update_bookmark\",\"u_num\":\"2\",\"m_num\":\"5\",\"m_reg\":"
                        "\"clear\"")
                     .first(),
                 QStringLiteral("complete"));
        QCOMPARE(marker(5), QStringLiteral(",1,"));
        QCOMPARE(s.data("\"pKind\":\"update_bookmark\",\"u_num\":\"1\",\"m_num\":\"99999\",\"m_"
                        "reg\":\"reg\"")
                     .first(),
                 QStringLiteral("fail_update"));

        Answer groups = s.data("\"pKind\":\"select_group\",\"u_num\":\"1\"");
        QCOMPARE(groups.names(), strs({"g_name", "m_nums", "g_num"}));
        QCOMPARE(groups.rows.size(), 3);
        const QByteArray g = groups.at(2, QStringLiteral("g_num")).toUtf8();
        QVERIFY(groups.at(2, QStringLiteral("m_nums")).startsWith(QLatin1Char(',')));
        const QByteArray add =
            "\"pKind\":\"insert_group\",\"g_num\":\"" + g + "\",\"u_num\":\"1\",\"m_num\":\"250\"";
        QCOMPARE(s.data(add).first(), QStringLiteral("complete"));
        QCOMPARE(s.data(add).first(), QStringLiteral("exist"));
        QCOMPARE(s.data("\"pKind\":\"insert_group\",\"g_num\":\"" + g +
                        "\",\"u_num\":\"2\",\"m_num\":\"1\"")
                     .first(),
                 QStringLiteral("incorrect"));
        QCOMPARE(s.data("\"pKind\":\"delete_group\",\"u_num\":\"1\",\"g_num\":\"" + g + "\"").raw,
                 QByteArray("{\"return\":[{\"rvalue\":\"complete\"}]}"));
        QCOMPARE(s.data("\"pKind\":\"select_group\",\"u_num\":\"1\"").rows.size(), 2);
        QCOMPARE(s.data("\"pKind\":\"select_group\",\"u_num\":\"4\"").first(),
                 QStringLiteral("null"));
    }

    void callsAndRecordings() {
        Sender s{*sim};
        const int total = s.data("\"pKind\":\"callhistory_total\",\"u_num\":\"1\"").first().toInt();
        QVERIFY(total >= 70);
        const Answer page = s.data("\"pKind\":\"callhistory\",\"u_num\":\"1\",\"offSet\":\"0\"");
        QCOMPARE(page.rows.size(), 20);
        QCOMPARE(page.names().value(2), QStringLiteral("c_date_y"));
        for (const char *f : {"c_flag", "c_content", "c_com", "c_tel", "c_date_m"})
            QVERIFY(page.names().contains(QString::fromLatin1(f)));
        QVERIFY(QDate::fromString(page.at(0, QStringLiteral("c_date_y")), Qt::ISODate).isValid());
        QCOMPARE(page.at(0, QStringLiteral("c_date_m")).size(), 8);
        QVERIFY(page.at(0, QStringLiteral("c_date_y")) >= page.at(19, QStringLiteral("c_date_y")));
        const Answer last = s.data("\"pKind\":\"callhistory\",\"u_num\":\"1\",\"offSet\":\"" +
                                   QByteArray::number(total - total % 20) + "\"");
        QCOMPARE(last.rows.size(), total % 20);

        QCOMPARE(s.data("\"pKind\":\"busyCall\",\"c_tel\":\"0212345000\",\"u_num\":\"1\","
                        "\"c_name\":\"%ea%b9%80%eb%8f%84%ec%9c%a4\"")
                     .first(),
                 QStringLiteral("complete"));
        s.data("\"pKind\":\"failSend\",\"c_tel\":\"01099990000\",\"u_num\":\"1\",\"c_name\":\"x\"");
        s.data("\"pKind\":\"received_sms\",\"c_tel\":\"01011112222\",\"smsmsg\":\"a|b\"");
        QSqlQuery r = sim->server().store().exec(
            QStringLiteral("SELECT kind, c_tel, c_name, message FROM reports ORDER BY seq"));
        QVERIFY(r.next());
        QCOMPARE(r.value(0).toString(), QStringLiteral("busyCall"));
        QCOMPARE(r.value(1).toString(), QStringLiteral("0212345000"));
        QCOMPARE(r.value(2).toString(), QStringLiteral("김도윤"));
        QVERIFY(r.next());
        QCOMPARE(r.value(0).toString(), QStringLiteral("failSend"));
        QVERIFY(r.next());
        QCOMPARE(r.value(3).toString(), QStringLiteral("a|b"));
        QCOMPARE(s.data("\"pKind\":\"callhistory_total\",\"u_num\":\"1\"").first().toInt(),
                 total + 2);
        QCOMPARE(s.data("\"pKind\":\"callhistory\",\"u_num\":\"1\",\"offSet\":\"0\"")
                     .at(0, QStringLiteral("c_flag")),
                 QStringLiteral("10"));

        QCOMPARE(s.data("\"pKind\":\"update_recordFile\",\"u_num\":\"1\",\"c_flag\":\"0\","
                        "\"c_recordFile\":\"..%2f..%2fetc.wav\"")
                     .first(),
                 QStringLiteral("fail_input"));
        QCOMPARE(s.data("\"pKind\":\"update_recordFile\",\"u_num\":\"1\",\"c_flag\":\"0\","
                        "\"c_recordFile\":\"5678-01099990000_20261211100000.wav\"")
                     .first(),
                 QStringLiteral("complete"));
        const QByteArray sel =
            "\"pKind\":\"select_recordFile\",\"u_num\":\"1\",\"searchWord\":\"\","
            "\"sdate\":\"2026-09-12\",\"edate\":\"2026-12-11\",\"c_flag\":\"";
        Answer rec = s.data(sel + "0\"");
        QCOMPARE(rec.names(), strs({"c_recordFile", "u_tel", "m_com", "c_tel", "c_flag", "c_date_y",
                                    "c_date_m"}));
        QCOMPARE(rec.at(0, QStringLiteral("c_recordFile")),
                 QStringLiteral("5678-01099990000_20261211100000.wav"));
        QCOMPARE(rec.at(0, QStringLiteral("u_tel")), QStringLiteral("0212345678"));
        QCOMPARE(rec.at(0, QStringLiteral("c_tel")), QStringLiteral("01099990000"));
        QCOMPARE(s.data(sel + "1\"").first(), QStringLiteral("null"));
        QCOMPARE(s.data(sel + "2\"").rows.size(), 1);

        QCOMPARE(
            s.data("\"pKind\":\"insert_history\",\"m_num\":\"3\",\"u_num\":\"1\",\"c_flag\":\"9\","
                   "\"c_manual\":\"1\",\"c_complete\":\"2\",\"c_content_gubun\":\"%eb%b6%80%ea%b0%"
                   "80%ec%84%b8\","
                   "\"c_content\":\"a%5benter%5db\",\"c_name\":\"x\"")
                .first(),
            QStringLiteral("complete"));
        QCOMPARE(sim->server()
                     .store()
                     .scalar(QStringLiteral("SELECT c_content FROM history"))
                     .toString(),
                 QStringLiteral("a[enter]b"));
    }

    void messages() {
        Sender s{*sim};
        const QByteArray tel = "01044445555";
        newCustomer("sms", "", "0233334444", tel);
        QCOMPARE(s.data("\"pKind\":\"insert_sms\",\"smsList\":\"" + tel +
                        "|01000000001\",\"u_num\":\"1\","
                        "\"c_name\":\"x\",\"c_content\":\"hi%3cbr%3ethere\",\"c_history\":\"1\"")
                     .raw,
                 QByteArray("{\"return\":[{\"rvalue\":\"complete\"}]}"));
        QCOMPARE(s.data("\"pKind\":\"insert_sms\",\"smsList\":\"01000000001\",\"u_num\":\"1\","
                        "\"c_name\":\"x\",\"c_content\":\"hi\",\"c_history\":\"0\"")
                     .first(),
                 QStringLiteral("notexist"));
        QCOMPARE(
            s.data(
                 "\"pKind\":\"insert_sms1\",\"c_tel\":\"01000000001,01000000002\",\"u_num\":\"1\","
                 "\"c_name\":\"x\",\"c_content\":\"hi\",\"c_history\":\"0\"")
                .first(),
            QStringLiteral("complete"));
        QSqlQuery log = sim->server().store().exec(
            QStringLiteral("SELECT kind, numbers, c_content FROM sms_log ORDER BY seq"));
        QVERIFY(log.next());
        QCOMPARE(log.value(1).toString(), QStringLiteral("01044445555|01000000001"));
        QCOMPARE(log.value(2).toString(), QStringLiteral("hi<br>there"));
        QVERIFY(log.next());
        QCOMPARE(log.value(0).toString(), QStringLiteral("insert_sms1"));
        QCOMPARE(sim->server()
                     .store()
                     .scalar(QStringLiteral("SELECT COUNT(*) FROM history WHERE c_manual = '3'"))
                     .toInt(),
                 1);
    }

    void alimTalkBatches() {
        Sender s{*sim};
        const QByteArray who =
            "\"user_id\":\"demo\",\"s_kind\":\"3\",\"s_type\":\"2026%eb%85%84+%ea%b7%80%ec%86%8d\"";
        QCOMPARE(s.data("\"pKind\":\"select_kakao\"," + who).first(), QStringLiteral("null"));
        const QByteArray save =
            "\"pKind\":\"insert_kakao\"," + who +
            ",\"s_cnt\":\"3\",\"s_limit\":\"2027-06-01\","
            "\"m_comNum\":\"1208147521|2208112345|\",\"m_com\":\"A|B|\",\"m_gubun\":\"0|1|\","
            "\"m_hp\":\"010-1111-2222/010-3333-4444|010-1111-2222|\",\"price\":\"150000||\","
            "\"bank1\":\"0126|0127|\",\"bank2\":\"||\",\"bank3\":\"||\",\"bank4\":\"||\",\"bank5\":"
            "\"||\","
            "\"l_no\":\"0\",\"up1\":\"||\",\"up2\":\"||\"";
        const Answer saved = s.data(save);
        QCOMPARE(saved.first(), QStringLiteral("complete"));
        const QByteArray seq = saved.at(0, QStringLiteral("seq")).toUtf8();
        Answer batches = s.data("\"pKind\":\"select_kakao\"," + who);
        QCOMPARE(batches.names(), strs({"s_cnt", "seq"}));
        QCOMPARE(batches.at(0, QStringLiteral("s_cnt")), QStringLiteral("3"));

        Answer list = s.data("\"pKind\":\"select_kakao_list\",\"l_no\":\"" + seq + "\"");
        QCOMPARE(list.names(),
                 strs({"s_limit", "s_kind", "s_type", "m_com", "m_gubun", "m_hp", "price", "bank1",
                       "bank2", "bank3", "bank4", "bank5", "m_comNum", "up1", "up2"}));
        QCOMPARE(list.rows.size(), 2);
        QCOMPARE(list.at(0, QStringLiteral("s_type")), QStringLiteral("2026년 귀속"));
        QCOMPARE(s.data("\"pKind\":\"kakao_preView\",\"seq\":\"" + seq + "\"")
                     .at(0, QStringLiteral("price")),
                 QStringLiteral("150000"));

        Answer check = s.data("\"pKind\":\"check_kakao_list\"," + who);
        QCOMPARE(check.rows.size(), 1);
        QCOMPARE(check.at(0, QStringLiteral("m_com")), QStringLiteral("B"));
        QCOMPARE(check.at(0, QStringLiteral("kind")), QStringLiteral("납부금액,"));
        Answer dup = s.data("\"pKind\":\"dup_kakao_list\"," + who);
        QCOMPARE(dup.rows.size(), 1);
        QCOMPARE(dup.at(0, QStringLiteral("m_hp")), QStringLiteral("01011112222"));

        // Mismatched list lengths are refused.
        QByteArray broken = save;
        broken.replace("\"m_com\":\"A|B|\"", "\"m_com\":\"A|\"");
        QCOMPARE(s.data(broken).first(), QStringLiteral("fail_input"));

        QCOMPARE(
            s.data("\"pKind\":\"kakao_send_list\"," + who +
                   ",\"history\":\"1\",\"template\":"
                   "\"#com%5benter%5d#price\",\"u_num\":\"1\",\"u_name\":\"x\",\"mycompany\":\"y\","
                   "\"period\":\"2027-05-31\"")
                .first(),
            QStringLiteral("complete"));
        QCOMPARE(s.data("\"pKind\":\"select_kakao\"," + who).first(), QStringLiteral("null"));
        QCOMPARE(sim->server()
                     .store()
                     .scalar(QStringLiteral("SELECT messages FROM kakao_sends"))
                     .toInt(),
                 3);

        const Answer second = s.data(save);
        QCOMPARE(s.data("\"pKind\":\"delete_kakao\",\"l_no\":\"" +
                        second.at(0, QStringLiteral("seq")).toUtf8() + "\"")
                     .first(),
                 QStringLiteral("complete"));
        QCOMPARE(s.data("\"pKind\":\"delete_kakao\",\"l_no\":\"" +
                        second.at(0, QStringLiteral("seq")).toUtf8() + "\"")
                     .first(),
                 QStringLiteral("notexist"));
    }

    void receivingNumbers() {
        Sender s{*sim};
        newCustomer("tel", "1208147521", "0233334444", "01012345678");
        const Answer tel = s.data("\"pKind\":\"select_tel\",\"comNum\":\"120-81-47521\"");
        QCOMPARE(tel.names(),
                 strs({"m_hp", "m_hp_ceo", "m_tel", "add_tel", "add_tel_1", "add_tel_2"}));
        QCOMPARE(tel.at(0, QStringLiteral("m_hp")), QStringLiteral("01012345678"));
        QCOMPARE(
            s.data("\"pKind\":\"update_tel\",\"m_comNum\":\"1208147521\",\"m_hp\":\"01099998888\","
                   "\"m_hp_ceo\":\"\",\"m_tel\":\"0233334444\",\"add_tel\":\"\",\"add_tel_1\":\"\","
                   "\"add_tel_2\":\"\"")
                .first(),
            QStringLiteral("complete"));
        QCOMPARE(s.data("\"pKind\":\"customer_tel\",\"tel\":\"01099998888\"")
                     .at(0, QStringLiteral("m_com")),
                 QStringLiteral("tel"));
        QCOMPARE(s.data("\"pKind\":\"select_tel\",\"comNum\":\"0000000000\"").first(),
                 QStringLiteral("null"));
    }

    void notificationsAndReminders() {
        Sender s{*sim};
        Answer unread = s.data("\"pKind\":\"alrim_count\",\"u_num\":\"1\"");
        QCOMPARE(unread.rows.size(), 3);
        QCOMPARE(unread.names(), strs({"result", "a_date", "a_text", "seq"}));
        const Answer feed = s.data("\"pKind\":\"alrim\",\"u_num\":\"1\"");
        QCOMPARE(feed.rows.size(), 8);
        QCOMPARE(feed.names().first(), QStringLiteral("rvalue"));

        QStringList kinds, nos;
        for (int i = 0; i < unread.rows.size(); ++i) {
            kinds << unread.rows[i][0].second;
            nos << unread.rows[i][3].second;
        }
        QCOMPARE(s.data("\"pKind\":\"update_alrim\",\"aKindList\":\"" +
                        kinds.join(QLatin1Char('|')).toUtf8() + "\",\"noList\":\"" +
                        nos.join(QLatin1Char('|')).toUtf8() + "\"")
                     .first(),
                 QStringLiteral("complete"));
        QCOMPARE(s.data("\"pKind\":\"alrim_count\",\"u_num\":\"1\"").raw,
                 QByteArray("{\"return\":[{\"result\":\"null\"}]}"));
        QCOMPARE(s.data("\"pKind\":\"alrim\",\"u_num\":\"2\"").raw,
                 QByteArray("{\"return\":[{\"rvalue\":\"null\"}]}"));

        // Handed-over work: one for a registered customer's number, one for an unknown number.
        QString known, unknown;
        for (int i = 0; i < feed.rows.size(); ++i) {
            if (feed.rows[i][0].second == QLatin1String("trans_s"))
                known = feed.rows[i][3].second;
            if (feed.rows[i][0].second == QLatin1String("trans_e"))
                unknown = feed.rows[i][3].second;
        }
        const Answer call = s.data("\"pKind\":\"callData\",\"seq\":\"" + known.toUtf8() + "\"");
        QCOMPARE(call.names(), strs({"c_name", "u_position", "c_date_y", "c_date_m", "m_com",
                                     "c_tel", "c_content", "m_hp"}));
        QCOMPARE(call.at(0, QStringLiteral("c_name")), QStringLiteral("이서연"));
        QCOMPARE(s.data("\"pKind\":\"callData\",\"seq\":\"" + unknown.toUtf8() + "\"").first(),
                 QStringLiteral("null"));
        const Answer empty =
            s.data("\"pKind\":\"callData_empty\",\"seq\":\"" + unknown.toUtf8() + "\"");
        QCOMPARE(empty.names(),
                 strs({"u_name", "u_positon", "c_date_y", "c_date_m", "c_tel", "c_content"}));
        QCOMPARE(empty.at(0, QStringLiteral("c_tel")), QStringLiteral("01055554444"));

        const Answer cal = s.data("\"pKind\":\"get_calendar\",\"u_num\":\"1\"");
        QCOMPARE(cal.names(), strs({"s_date_t", "alrim", "kakao_code"}));
        QCOMPARE(cal.rows.size(), 3);
        QCOMPARE(cal.at(0, QStringLiteral("s_date_t")), QStringLiteral("09:30"));
        QCOMPARE(s.data("\"pKind\":\"get_calendar\",\"u_num\":\"3\"").first(),
                 QStringLiteral("null"));
    }

    void sessionWrites() {
        Sender s{*sim};
        // "zekvorn5!" through the fixed scrambler.
        const QByteArray scrambled = "033062048045052041053110065";
        QCOMPARE(
            s.data("\"pKind\":\"upluspw\",\"u_id\":\"demo\",\"pw\":\"" + scrambled + "\"").first(),
            QStringLiteral("complete"));
        QCOMPARE(sim->server()
                     .store()
                     .scalar(QStringLiteral("SELECT uplus_pw FROM staff WHERE u_num = 1"))
                     .toString(),
                 QStringLiteral("zekvorn5!"));
        const Answer skb =
            s.data("\"pKind\":\"update_skb_id\",\"u_id\":\"demo\",\"off_id\":\"hangyeol01\","
                   "\"skb_id\":\"tandrivox0212345678sk\",\"skb_pass\":\"x\"",
                   QStringLiteral("/Tandrivox/login_ok.php"));
        QCOMPARE(skb.first(), QStringLiteral("complete"));
        const auto journalled = sim->journal().withKind(QStringLiteral("update_skb_id"));
        QCOMPARE(journalled.size(), 1);
        QCOMPARE(journalled[0].fieldNames().count(QStringLiteral("off_id")), 2);
        s.offId = "demo";
        QCOMPARE(s.data("\"pKind\":\"login\",\"passwd\":\"demo1234\"",
                        QStringLiteral("/Tandrivox/login_ok.php"))
                     .at(0, QStringLiteral("skb_id")),
                 QStringLiteral("tandrivox0212345678sk"));

        const Answer sha =
            s.get(QStringLiteral("/Tandrivox/get_sha.php?str=") + QString::fromLatin1(scrambled));
        QCOMPARE(sha.raw,
                 QCryptographicHash::hash("zekvorn5!", QCryptographicHash::Sha512).toHex());
        QCOMPARE(sha.raw.size(), 128);
        QCOMPARE(s.get(QStringLiteral("/Tandrivox/version.txt")).raw, QByteArray("1.02.47"));
    }

    void exceptionReportsAreStoredAsTheServiceSeesThem() {
        Sender s{*sim, QStringLiteral("http")};
        // The state "except=|a&b=c|" in the report encoding splits the query at "&".
        const Answer a = s.get(QStringLiteral(
            "/Tandrivox/write_exception.php?off_id=demo&telno=0212345678&formname=mainFrm&state="
            "except=%7Ca&b=c%7C&param=http://x/"
            "get_data.php?param=%7B%7D%7C%7C%7C&fcname=get_name%B0%A1"));
        QCOMPARE(a.status, 200);
        QSqlQuery q = sim->server().store().exec(
            QStringLiteral("SELECT formname, state, fcname FROM exceptions"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("mainFrm"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("except=|a"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("get_name가"));

        const QJsonArray effects =
            QJsonDocument::fromJson(s.get(QStringLiteral("/sim/effects?table=exceptions")).raw)
                .array();
        QCOMPARE(effects.size(), 1);
        QCOMPARE(effects[0].toObject().value(QStringLiteral("formname")).toString(),
                 QStringLiteral("mainFrm"));
        QVERIFY(s.get(QStringLiteral("/sim/")).raw.contains("한결세무회계"));
        QCOMPARE(s.get(QStringLiteral("/sim/effects?table=accounts")).status, 404);
    }
};

QTEST_GUILESS_MAIN(TestOfficesimService)
#include "tst_officesim_service.moc"
