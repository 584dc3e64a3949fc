#include "service/codec.h"
#include "service/textutil.h"
#include "support/tempappdir.h"

#include <QtTest>

using namespace tdx;

class TestTextUtil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void phoneWithDashes_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("seoul 10") << "0212345678"
                                  << "02-1234-5678";
        QTest::newRow("seoul 9") << "021234567"
                                 << "02-123-4567";
        QTest::newRow("seoul typing 3") << "021"
                                        << "02-1";
        QTest::newRow("seoul typing 6") << "021234"
                                        << "02-123-4";
        QTest::newRow("mobile 11") << "01012345678"
                                   << "010-1234-5678";
        QTest::newRow("area 10") << "0311234567"
                                 << "031-123-4567";
        QTest::newRow("area 11") << "07012345678"
                                 << "070-1234-5678";
        QTest::newRow("mobile 10") << "0111234567"
                                   << "011-123-4567";
        QTest::newRow("service 8") << "15881234"
                                   << "1588-1234";
        QTest::newRow("service 4") << "1234"
                                   << "123-4";
        QTest::newRow("service 5 unchanged") << "12345"
                                             << "12345";
        QTest::newRow("typing 4") << "0101"
                                  << "010-1";
        QTest::newRow("typing 7") << "0101234"
                                  << "010-123-4";
        QTest::newRow("re-dashed") << "02-12-345678"
                                   << "02-1234-5678";
        QTest::newRow("odd length unchanged") << "010123456"
                                              << "010123456";
        QTest::newRow("13 and more cut") << "0101234567890123"
                                         << "0101234567890";
        QTest::newRow("dashes count for the cut") << "010-1234-5678-99"
                                                  << "010-1234-5678";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only dashes") << "--"
                                     << "";
        QTest::newRow("blanks kept") << "010 1234 5678"
                                     << "010 1234 5678";
        QTest::newRow("letters kept") << "0a0"
                                      << "0a0";
    }
    void phoneWithDashes() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text::phoneWithDashes(in), out);
    }

    void mobileTest_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<bool>("mobile");
        QTest::newRow("010 eleven") << "01012345678" << true;
        QTest::newRow("010 dashed") << "010-1234-5678" << true;
        QTest::newRow("blanks around") << " 01012345678 " << true;
        QTest::newRow("011 ten") << "0111234567" << true;
        QTest::newRow("017 ten") << "0171234567" << true;
        QTest::newRow("018 ten") << "0181234567" << true;
        QTest::newRow("019 ten") << "0191234567" << true;
        QTest::newRow("010 ten") << "0101234567" << false;
        QTest::newRow("011 eleven") << "01112345678" << false;
        QTest::newRow("016 ten") << "0161234567" << false;
        QTest::newRow("seoul") << "0212345678" << false;
        QTest::newRow("letters") << "010abcdefgh" << false;
        QTest::newRow("empty") << "" << false;
    }
    void mobileTest() {
        QFETCH(QString, in);
        QFETCH(bool, mobile);
        QCOMPARE(text::isMobile(in), mobile);
    }

    void timeOfDay_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("morning") << "09:05:00"
                                 << "오전 9:05";
        QTest::newRow("noon") << "12:30:00"
                              << "오전 12:30";
        QTest::newRow("afternoon") << "13:05:00"
                                   << "오후 1:05";
        QTest::newRow("night") << "23:59:59"
                               << "오후 11:59";
        QTest::newRow("midnight") << "00:10:00"
                                  << "오전 0:10";
        QTest::newRow("five chars") << "09:05"
                                    << "";
        QTest::newRow("not a number") << "ab:05:00"
                                      << "";
    }
    void timeOfDay() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text::timeOfDay(in), out);
    }

    void businessNumber_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("valid") << "1208147521"
                               << "1208147521";
        QTest::newRow("dashed") << "120-81-47521"
                                << "1208147521";
        QTest::newRow("blanks") << "120 81 47521"
                                << "1208147521";
        QTest::newRow("wrong check digit") << "1208147522"
                                           << "";
        // weighted sum 10: valid exactly when the last digit is 0
        QTest::newRow("sum ends in 0, last 0") << "1000000090"
                                               << "1000000090";
        QTest::newRow("sum ends in 0, last 5") << "1000000095"
                                               << "";
        QTest::newRow("nine digits") << "120814752"
                                     << "";
        QTest::newRow("only the first ten count") << "1208147521999"
                                                  << "1208147521";
        QTest::newRow("letters first") << "ab12081475"
                                       << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void businessNumber() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text::businessNumber(in), out);
    }

    void thousands_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("ok");
        QTest::newRow("seven digits") << "1234567"
                                      << "1,234,567" << true;
        QTest::newRow("three") << "999"
                               << "999" << true;
        QTest::newRow("four") << "1000"
                              << "1,000" << true;
        QTest::newRow("empty") << ""
                               << "0" << true;
        QTest::newRow("negative") << "-1234567"
                                  << "-1,234,567" << true;
        QTest::newRow("not a number") << "12a"
                                      << "" << false;
    }
    void thousands() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(bool, ok);
        const auto r = text::thousands(in);
        QCOMPARE(r.has_value(), ok);
        if (ok)
            QCOMPARE(*r, out);
    }

    void smallRoutines() {
        QCOMPARE(text::trimReplace(QStringLiteral("  a[ENTER]b "), QStringLiteral("[enter]"),
                                   QStringLiteral("\r\n")),
                 QStringLiteral("a\r\nb"));
        QCOMPARE(text::digitsTail(QStringLiteral("log_20240105.txt")), QStringLiteral("20240105"));
        QCOMPARE(text::digitsTail(QStringLiteral("log_20240105 (2).txt")),
                 QStringLiteral("202401052"));
        QCOMPARE(text::digitsTail(QStringLiteral("readme")), QString());
        QCOMPARE(text::between(QStringLiteral("대표 (010-1234-5678) 님"), QStringLiteral("("),
                               QStringLiteral(")"), 1),
                 QStringLiteral("010-1234-5678"));
        QCOMPARE(
            text::between(QStringLiteral("a(b)c"), QStringLiteral("("), QStringLiteral(")"), 2),
            QStringLiteral(")c"));
        QCOMPARE(text::between(QStringLiteral("abc"), QStringLiteral("("), QStringLiteral(")"), 1),
                 QString());
        QCOMPARE(text::keyValue(QStringLiteral("ISDIAL:0|CALLERID:0212345678|CALLERID:0311"),
                                QStringLiteral("CALLERID")),
                 QStringLiteral("0311"));
        QCOMPARE(text::keyValue(QStringLiteral("EXTEN:1234:5678"), QStringLiteral("EXTEN")),
                 QStringLiteral("1234"));
        QCOMPARE(text::keyValue(QStringLiteral("A:1"), QStringLiteral("B")), QString());
        for (QChar c : QStringLiteral("0123456789-\b"))
            QVERIFY(text::isNumberKey(c));
        for (QChar c : QStringLiteral("a +."))
            QVERIFY(!text::isNumberKey(c));
        QCOMPARE(text::removeDashes(QStringLiteral("010-1-2")), QStringLiteral("01012"));
        const QStringList days = {QStringLiteral("월요일"), QStringLiteral("화요일"),
                                  QStringLiteral("수요일"), QStringLiteral("목요일"),
                                  QStringLiteral("금요일"), QStringLiteral("토요일"),
                                  QStringLiteral("일요일")};
        for (int i = 0; i < 7; ++i) // 2026-12-07 is a Monday
            QCOMPARE(text::weekday(QDate(2026, 12, 7 + i)), days[i]);
        QCOMPARE(text::excelVersionFromPath(
                     QStringLiteral("C:\\Program Files\\Microsoft Office\\root\\Office16\\")),
                 QStringLiteral("16.0"));
        QCOMPARE(text::excelVersionFromPath(QStringLiteral("C:\\Office12\\bin\\")),
                 QStringLiteral("12.0"));
        QCOMPARE(text::excelVersionFromPath(QStringLiteral("C:\\Excel\\")), QString());
    }

    void formEncoding() {
        QCOMPARE(text::formEncode("a b+c'*@._-$!()~"), QByteArray("a+b%2bc'*@._-$!()%7e"));
        QCOMPARE(text::formEncode(QStringLiteral("가").toUtf8()), QByteArray("%ea%b0%80"));
        QCOMPARE(*text::formDecode("a+b%2Bc%%d%ea%b0%80"),
                 QByteArray("a b+c%d") + QStringLiteral("가").toUtf8());
        QVERIFY(!text::formDecode("%zz"));
        QVERIFY(!text::formDecode("abc%4"));
    }

    void filesAreCp949WithCrlf() {
        test::TempAppDir app;
        const QString path = app.file(QStringLiteral("calendar.txt"));
        QVERIFY(text::writeFile(path, QStringLiteral("09:30|10|CAL1|0\n가나")));
        QCOMPARE(app.read(QStringLiteral("calendar.txt")),
                 QByteArray("09:30|10|CAL1|0\r\n") + cp949::encode(QStringLiteral("가나")) +
                     "\r\n");
        QCOMPARE(text::readFile(path), QStringLiteral("09:30|10|CAL1|0\r\n가나\r\n"));
        QCOMPARE(text::readFile(app.file(QStringLiteral("missing.txt"))), QString());
        QCOMPARE(text::waitForFile(path, true),
                 qint64(app.read(QStringLiteral("calendar.txt")).size()));
        QCOMPARE(text::waitForFile(app.file(QStringLiteral("missing.txt")), true), qint64(0));
    }

    void createFolders() {
        test::TempAppDir app;
        const QString deep = app.path() + QStringLiteral("\\record\\0212345678\\2026\\12\\11");
        QVERIFY(text::createFolders(deep));
        QVERIFY(QFileInfo(app.file(QStringLiteral("record/0212345678/2026/12/11"))).isDir());
        QVERIFY(text::createFolders(deep)); // existing folders are fine
        // A share that is not there cannot be created.
        QVERIFY(!text::createFolders(QStringLiteral("\\\\nosuchserver\\share\\record")));
    }
};

QTEST_GUILESS_MAIN(TestTextUtil)
#include "tst_textutil.moc"
