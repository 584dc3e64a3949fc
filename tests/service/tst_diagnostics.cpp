#include "service/codec.h"
#include "service/serviceclient.h"
#include "support/fakeclock.h"
#include "support/fakeprompter.h"
#include "support/officesimfixture.h"
#include "support/tempappdir.h"

#include <QDir>
#include <QtTest>

using namespace tdx;
using namespace tdx::test;

class TestDiagnostics : public QObject {
    Q_OBJECT
    static officesim::Options small() {
        officesim::Options o;
        o.customers = 5;
        return o;
    }

private Q_SLOTS:
    void logRetentionKeepsEightyNineDaysBack() {
        OfficesimFixture sim(small());
        TempAppDir app;
        FakeClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
        FakePrompter prompter;
        ServiceClient client(app.path(), sim.hosts(), clock, prompter, [] {
            return Identity{QString(), QStringLiteral("demo"), QStringLiteral("0212345678")};
        });
        const QDate today = clock.today();
        const QStringList names = {
            QStringLiteral("log_%1.txt")
                .arg(today.addDays(-89).toString(QStringLiteral("yyyyMMdd"))),
            QStringLiteral("log_%1.txt")
                .arg(today.addDays(-90).toString(QStringLiteral("yyyyMMdd"))),
            QStringLiteral("record_%1.txt")
                .arg(today.addDays(-400).toString(QStringLiteral("yyyyMMdd"))),
            QStringLiteral("log_%1.txt").arg(today.toString(QStringLiteral("yyyyMMdd"))),
            QStringLiteral("log_%1 (2).txt")
                .arg(today.addDays(-200).toString(QStringLiteral("yyyyMMdd"))),
            QStringLiteral("readme.txt")};
        for (const QString &n : names)
            app.write(QStringLiteral("log/") + n, "x");
        QDir(app.file(QStringLiteral("log"))).mkdir(QStringLiteral("20000101"));

        client.delete_logs(90);
        auto exists = [&](int i) {
            return QFileInfo::exists(app.file(QStringLiteral("log/") + names[i]));
        };
        QVERIFY(exists(0));  // exactly the cut-off day stays
        QVERIFY(!exists(1)); // one day older goes
        QVERIFY(!exists(2));
        QVERIFY(exists(3));
        QVERIFY(exists(4)); // extra digits after the date make a larger number
        QVERIFY(exists(5)); // no date: reported, never deleted
        QVERIFY(
            QFileInfo(app.file(QStringLiteral("log/20000101"))).isDir()); // folders are left alone
        const auto reports =
            sim.journal().withPath(QStringLiteral("/Tandrivox/write_exception.php"));
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].rawQuery.contains("&fcname=delete_logs"));
        client.delete_logs(90);
        QCOMPARE(sim.journal().withPath(QStringLiteral("/Tandrivox/write_exception.php")).size(),
                 2);
    }

    void logsAreAppendedNeverRewritten() {
        TempAppDir app(false);
        FakeClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 5, 7)));
        DailyLog log(app.path(), clock);
        // The folder is missing at first: it is made rather than losing the entry.
        QVERIFY(log.append(DailyLog::Kind::Log, log.stamp() + QStringLiteral(" first")));
        const QByteArray earlier = app.read(QStringLiteral("log/log_20261211.txt"));
        QCOMPARE(earlier, QByteArray("20261211 090507 first\r\n\r\n"));
        QVERIFY(log.append(DailyLog::Kind::Log, QStringLiteral("둘째\n줄")));
        const QByteArray now = app.read(QStringLiteral("log/log_20261211.txt"));
        QVERIFY(now.startsWith(earlier));
        QCOMPARE(now.mid(earlier.size()), cp949::encode(QStringLiteral("둘째\r\n줄\r\n\r\n")));
        // Recording notes go to their own file.
        QVERIFY(log.append(DailyLog::Kind::Record, QStringLiteral("x_y")));
        QCOMPARE(app.read(QStringLiteral("log/record_20261211.txt")), QByteArray("x_y\r\n\r\n"));
        // A log that cannot be opened loses nothing else and does not fail the caller.
        clock.set(QDateTime(QDate(2026, 12, 12), QTime(0, 0)));
        QDir(app.file(QStringLiteral("log"))).mkdir(QStringLiteral("log_20261212.txt"));
        QVERIFY(!log.append(DailyLog::Kind::Log, QStringLiteral("lost")));
        QCOMPARE(app.read(QStringLiteral("log/log_20261211.txt")), now);
    }

    void recordingLogLine() {
        OfficesimFixture sim(small());
        TempAppDir app;
        FakeClock clock(QDateTime(QDate(2026, 12, 11), QTime(14, 3, 9)));
        FakePrompter prompter;
        ServiceClient client(app.path(), sim.hosts(), clock, prompter, [] { return Identity{}; });
        client.recording_log(QStringLiteral("01012345678"), QStringLiteral("녹취시작"));
        QCOMPARE(app.read(QStringLiteral("log/record_20261211.txt")),
                 QByteArray("20261211 140309 01012345678_") +
                     cp949::encode(QStringLiteral("녹취시작")) + "\r\n\r\n");
    }

    void reportEncoding_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("kept") << "Az09&-./:;=?_" << QByteArray("Az09&-./:;=?_");
        QTest::newRow("blank and bar") << "a b|" << QByteArray("a%20b%7C");
        QTest::newRow("korean cp949") << "가" << QByteArray("%B0%A1");
        QTest::newRow("control") << "\r\n" << QByteArray("%0D%0A");
        QTest::newRow("plus and percent") << "+%" << QByteArray("%2B%25");
    }
    void reportEncoding() {
        QFETCH(QString, in);
        QFETCH(QByteArray, out);
        QCOMPARE(ServiceClient::reportEncode(in), out);
    }
};

QTEST_GUILESS_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
