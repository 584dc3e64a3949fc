#include "officesim/wire.h"
#include "service/request.h"
#include "service/responsetable.h"
#include "service/scrambler.h"

#include <QtTest>

using namespace tdx;

class TestRequest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valuesTravelEncoded_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("wire");
        QTest::newRow("apostrophe blank plus") << "it's a+b"
                                               << "it%26singiles+a%252Bb";
        QTest::newRow("double quote") << "say \"hi\""
                                      << "say+%26doublehi%26double";
        QTest::newRow("korean") << "한결"
                                << "%ed%95%9c%ea%b2%b0";
        QTest::newRow("br and brackets") << "a<br>[b]"
                                         << "a%3cbr%3e%5bb%5d";
        QTest::newRow("unreserved") << "A-z_0.9*@$!()"
                                    << "A-z_0.9*@$!()";
    }
    void valuesTravelEncoded() {
        QFETCH(QString, value);
        QFETCH(QString, wire);
        QCOMPARE(encode_value(value), wire);
        // What the service decodes once is the value with the quote markers.
        QString marked = value;
        marked.replace(QLatin1Char('\''), QStringLiteral("&singile"))
            .replace(QLatin1Char('"'), QStringLiteral("&double"))
            .replace(QLatin1Char('+'), QStringLiteral("%2B"));
        QCOMPARE(QString::fromUtf8(*officesim::wire::formDecode(wire.toLatin1())), marked);
    }

    void answerValuesAreDecoded() {
        QCOMPARE(*decode_value(QStringLiteral(" it%26singiles+a%26double ")),
                 QStringLiteral("it's a\""));
        QCOMPARE(*decode_value(QStringLiteral("%ed%95%9c")), QStringLiteral("한"));
        QCOMPARE(*decode_value(QStringLiteral("   ")), QString());
        QVERIFY(!decode_value(QStringLiteral("%e")));
    }

    void scramblerRoundTrips() {
        QCOMPARE(scrambler::scramble(QStringLiteral("abc")), QStringLiteral("058057056"));
        QCOMPARE(scrambler::unscramble(QStringLiteral("058057056")), QStringLiteral("abc"));
        QCOMPARE(scrambler::scramble(QString()), QString());
        for (const QString &s :
             {QStringLiteral("zekvorn5!"), QStringLiteral("\\\\서버\\공유"), QStringLiteral("0")})
            QCOMPARE(scrambler::unscramble(scrambler::scramble(s)), s);
        // The service undoes it with the same keys.
        QCOMPARE(officesim::wire::unscrambleFixed(
                     scrambler::scramble(QStringLiteral("demo1234")).toLatin1()),
                 QByteArray("demo1234"));
        // A value typed by hand in plain text reads back as other characters, without failing.
        const QString garbled = scrambler::unscramble(QStringLiteral("abc12"));
        QCOMPARE(garbled.size(), 2);
        QVERIFY(garbled != QStringLiteral("abc12"));
    }

    void requestCode() {
        QList<int> keys = {12, 34, 56};
        const QString code = make_cercode(QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0)),
                                          [&] { return keys.takeFirst(); });
        QCOMPARE(code, QStringLiteral("123456050048050055048048051051050051052052052053"));
        QCOMPARE(*officesim::wire::cercodeTime(code.toLatin1()),
                 QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0)));
        // Keys of one digit are written with two.
        QList<int> small = {0, 5, 98};
        const QString c2 = make_cercode(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
                                        [&] { return small.takeFirst(); });
        QVERIFY(c2.startsWith(QStringLiteral("000598")));
        QCOMPARE(c2.size(), 48);
        QCOMPARE(*officesim::wire::cercodeTime(c2.toLatin1()),
                 QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    }

    void requestJson() {
        RequestLists lists;
        lists.addName(QStringLiteral("pKind"));
        lists.addName(QStringLiteral(" passwd "));
        lists.addValue(QStringLiteral("login"));
        lists.addValue(QStringLiteral("pa ss'"));
        Identity who{QString(), QStringLiteral("demo"), QStringLiteral("0212345678")};
        QCOMPARE(
            lists.build(who, QStringLiteral("C")),
            QStringLiteral("{\"param\":[{\"pKind\":\"login\",\"passwd\":\"pa+ss%26singile\","
                           "\"off_id\":\"demo\",\"telNo\":\"0212345678\",\"cercode\":\"C\"}]}"));
        who.officeId = QStringLiteral("hangyeol01");
        QVERIFY(lists.build(who, QStringLiteral("C"))
                    .contains(QStringLiteral("\"off_id\":\"hangyeol01\"")));
        lists.addValue(QStringLiteral("one too many"));
        QCOMPARE(lists.build(who, QStringLiteral("C")), QStringLiteral("discord"));
        lists.clear_request();
        QCOMPARE(lists.build(who, QStringLiteral("C")),
                 QStringLiteral("{\"param\":[{\"off_id\":\"hangyeol01\",\"telNo\":\"0212345678\","
                                "\"cercode\":\"C\"}]}"));
    }

    void secretsAreMaskedForLogs() {
        const QString json = QStringLiteral(
            "{\"param\":[{\"pKind\":\"login\",\"passwd\":\"demo1234\",\"off_id\":\"demo\"}]}");
        QCOMPARE(maskSecrets(json), QStringLiteral("{\"param\":[{\"pKind\":\"login\",\"passwd\":"
                                                   "\"****\",\"off_id\":\"demo\"}]}"));
        for (const char *name : {"pw", "skb_pass", "hometax_pwd", "m_pwd"}) {
            const QString j =
                QStringLiteral("{\"%1\":\"secret\",\"pwx\":\"seen\"}").arg(QLatin1String(name));
            QVERIFY(!maskSecrets(j).contains(QStringLiteral("secret")));
            QVERIFY(maskSecrets(j).contains(QStringLiteral("seen")));
        }
    }

    void flattening_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("firstRow");
        QTest::newRow("timeout") << QByteArray("timeout") << 0 << QStringList() << QStringList();
        QTest::newRow("blanks") << QByteArray(40, ' ') << 0 << QStringList() << QStringList();
        QTest::newRow("return null")
            << QByteArray("{\"return\":null}") << 0 << QStringList() << QStringList();
        QTest::newRow("empty array")
            << QByteArray("{\"return\":[]}  ") << 0 << QStringList() << QStringList();
        QTest::newRow("null row") << QByteArray("{\"return\":[{\"result\":\"null\"}]}") << 1
                                  << QStringList{QStringLiteral("result")}
                                  << QStringList{QStringLiteral("null")};
        QTest::newRow("brackets and br")
            << QByteArray("{\"return\":[{\"a\":\"%5bx%5d\",\"b\":\"l1%3cbr%3el2\",\"c\":\"+it%"
                          "26singile+\"}]}")
            << 1 << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}
            << QStringList{QStringLiteral("［x］"), QStringLiteral("l1\r\nl2"),
                           QStringLiteral("it'")};
        QTest::newRow("utf-8 edges")
            << QByteArray(
                   "{\"return\":[{\"emoji\":\"%f0%9f%98%80\",\"bad\":\"a%ffb\",\"cut\":\"x%ea%b0\","
                   "\"pct\":\"100%%\"}]}")
            << 1
            << QStringList{QStringLiteral("emoji"), QStringLiteral("bad"), QStringLiteral("cut"),
                           QStringLiteral("pct")}
            << QStringList{QString::fromUtf8("\xf0\x9f\x98\x80"), QStringLiteral("a\uFFFDb"),
                           QStringLiteral("x\uFFFD"), QStringLiteral("100%")};
        QTest::newRow("json values")
            << QByteArray("{\"return\":[{\"n\":12,\"d\":1.5,\"t\":true,\"f\":false,\"z\":null}]}")
            << 1
            << QStringList{QStringLiteral("n"), QStringLiteral("d"), QStringLiteral("t"),
                           QStringLiteral("f"), QStringLiteral("z")}
            << QStringList{QStringLiteral("12"), QStringLiteral("1.5"), QStringLiteral("true"),
                           QStringLiteral("false"), QStringLiteral("null")};
    }
    void flattening() {
        QFETCH(QByteArray, answer);
        QFETCH(int, rows);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, firstRow);
        ResponseTable t;
        t.reset({QStringLiteral("stale")}, 3);
        flatten(answer, t);
        QCOMPARE(t.rowCount(), rows);
        QCOMPARE(t.columns(), columns);
        for (int c = 0; c < firstRow.size(); ++c)
            QCOMPARE(t.value(0, c), firstRow[c]);
    }

    void rowsArePlacedByPosition() {
        ResponseTable t;
        const auto r =
            flatten("{\"return\":[{\"a\":\"1\",\"b\":\"2\"},{\"b\":\"3\",\"a\":\"4\",\"c\":\"5\"},"
                    "{\"a\":\"6\"}]}",
                    t);
        QCOMPARE(r.failedRow, -1);
        QCOMPARE(t.rowCount(), 3);
        QCOMPARE(t.value(1, QStringLiteral("a")), QStringLiteral("3")); // by position, not name
        QCOMPARE(t.value(1, QStringLiteral("b")), QStringLiteral("4"));
        QCOMPARE(t.columnCount(), 2); // the extra field of row 1 has no column
        QCOMPARE(t.value(2, QStringLiteral("b")), QString());
        // A field the answer lacks reads the first column.
        QCOMPARE(t.field_index(QStringLiteral("missing")), 0);
        QCOMPARE(t.value(0, QStringLiteral("missing")), QStringLiteral("1"));
        QCOMPARE(t.value(9, 0), QString());
    }

    void unreadableRowsStopTheFilling() {
        ResponseTable t;
        auto r = flatten("{\"return\":[{\"a\":\"1\"},\"oops\",{\"a\":\"3\"}]}", t);
        QCOMPARE(r.outcome, FlattenResult::Outcome::Rows);
        QCOMPARE(r.failedRow, 1);
        QCOMPARE(t.rowCount(), 3);
        QCOMPARE(t.value(0, 0), QStringLiteral("1"));
        QCOMPARE(t.value(2, 0), QString());

        r = flatten("{\"return\":[{\"a\":\"1\"},{\"a\":\"%zz\"}]}", t);
        QCOMPARE(r.failedRow, 1);
        QCOMPARE(t.value(0, 0), QStringLiteral("1"));

        r = flatten("this is not json at all", t);
        QCOMPARE(r.outcome, FlattenResult::Outcome::NotJson);
        QCOMPARE(t.rowCount(), 0);
        r = flatten("{\"result\":\"complete\"}", t);
        QCOMPARE(r.outcome, FlattenResult::Outcome::BadShape);
    }
};

QTEST_GUILESS_MAIN(TestRequest)
#include "tst_request.moc"
