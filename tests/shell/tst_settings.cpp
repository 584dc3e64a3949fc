#include "platform/singleinstance.h"
#include "service/scrambler.h"
#include "shell/core/loginkey.h"
#include "shell/core/settings.h"
#include "shell/sessionrules.h"
#include "support/tempappdir.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace tdx;

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valuesAreStoredScrambledOnePerSection() {
        test::TempAppDir app;
        Settings s(app.file(QStringLiteral("tandrivox.ini")));
        QCOMPARE(s.read(QStringLiteral("record")), QString()); // missing reads empty
        QVERIFY(s.write(QStringLiteral("record"), QStringLiteral("1")));
        QVERIFY(s.write(QStringLiteral("serverpath"), QStringLiteral("\\\\nas\\녹취")));
        QVERIFY(s.write(QStringLiteral("record"), QStringLiteral("0")));
        QVERIFY(s.write(QStringLiteral("innernum"), QString()));
        const QByteArray text = app.read(QStringLiteral("tandrivox.ini"));
        QCOMPARE(text.count("[record]"), 1);
        QVERIFY(text.contains("[serverpath]\r\nString=" +
                              scrambler::scramble(QStringLiteral("\\\\nas\\녹취")).toLatin1() +
                              "\r\n"));
        QVERIFY(text.contains("[innernum]\r\nString=\r\n"));
        for (const QByteArray &line : text.split('\n'))
            if (line.startsWith("String="))
                for (char c : line.mid(7).trimmed())
                    QVERIFY(c >= '0' && c <= '9');
        QCOMPARE(s.read(QStringLiteral("record")), QStringLiteral("0"));
        QCOMPARE(s.read(QStringLiteral("serverpath")), QStringLiteral("\\\\nas\\녹취"));
        // No cache: a second reader sees a write at once.
        Settings other(s.path());
        s.write(QStringLiteral("u_sk"), QStringLiteral("1"));
        QCOMPARE(other.read(QStringLiteral("u_sk")), QStringLiteral("1"));
    }

    void aValueEditedByHandReadsAsOtherCharacters() {
        test::TempAppDir app;
        app.write(QStringLiteral("tandrivox.ini"),
                  "[Record]\r\nstring = 1\r\n[u_sk]\r\nString=abc\r\n");
        Settings s(app.file(QStringLiteral("tandrivox.ini")));
        const QString record = s.read(QStringLiteral("record"));
        QCOMPARE(record.size(), 1);
        QVERIFY(record != QStringLiteral("1"));
        QVERIFY(s.read(QStringLiteral("u_sk")) != QStringLiteral("abc"));
        // Writing over a hand-edited value leaves one clean entry.
        s.write(QStringLiteral("record"), QStringLiteral("1"));
        QCOMPARE(s.read(QStringLiteral("record")), QStringLiteral("1"));
        QCOMPARE(app.read(QStringLiteral("tandrivox.ini")).count("tring"), 2);
    }

    void hostsComeFromTheSettingsFile() {
        test::TempAppDir app;
        Settings s(app.file(QStringLiteral("tandrivox.ini")));
        Hosts h = s.hosts(app.path());
        QCOMPARE(h.serviceHttps.toString(), QStringLiteral("https://127.0.0.1:18443"));
        QCOMPARE(h.caFile, app.file(QStringLiteral("certs/ca.pem")));
        s.write(QStringLiteral("service_https"), QStringLiteral("https://office.example"));
        s.write(QStringLiteral("service_http"), QStringLiteral("http://office.example"));
        s.write(QStringLiteral("ca_file"), QStringLiteral("/etc/office-ca.pem"));
        h = s.hosts(app.path());
        QCOMPARE(
            h.service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/login_ok.php")).toString(),
            QStringLiteral("https://office.example/Tandrivox/login_ok.php"));
        QCOMPARE(h.serviceHttp.host(), QStringLiteral("office.example"));
        QCOMPARE(h.caFile, QStringLiteral("/etc/office-ca.pem"));
        QCOMPARE(h.centrex.port(), 18443); // not named: stays the default
    }

    void loginKeyKeepsItsValues() {
        test::TempAppDir app;
        {
            LoginKey key(app.file(QStringLiteral("key.ini")));
            key.setValue(QStringLiteral("tel"), QStringLiteral("0212345678"));
            key.setValue(QStringLiteral("autologin"), QStringLiteral("1"));
        }
        LoginKey again(app.file(QStringLiteral("key.ini")));
        QCOMPARE(again.value(QStringLiteral("tel")), QStringLiteral("0212345678"));
        QCOMPARE(again.value(QStringLiteral("autologin")), QStringLiteral("1"));
        QCOMPARE(again.value(QStringLiteral("pw")), QString());
    }

    void sessionEventNames_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ends");
        QTest::newRow("1") << 1 << "WTS_CONSOLE_CONNECT 4" << false;
        QTest::newRow("3") << 3 << "WTS_REMOTE_CONNECT 4" << true;
        QTest::newRow("7") << 7 << "WTS_SESSION_LOCK 4" << false;
        QTest::newRow("9") << 9 << "WTS_SESSION_REMOTE_CONTROL 4" << false;
        QTest::newRow("0") << 0 << "WTS_Unknown 4" << false;
        QTest::newRow("10") << 10 << "WTS_Unknown 4" << false;
    }
    void sessionEventNames() {
        QFETCH(int, code);
        QFETCH(QString, line);
        QFETCH(bool, ends);
        const SessionReaction r = reactToSessionChange(code, 4);
        QCOMPARE(r.line, line);
        QCOMPARE(r.endsSession, ends);
        QVERIFY(isSuspendQuery(0));
        QVERIFY(!isSuspendQuery(7));
    }

    void aSecondStartOnlyNotifiesTheFirst() {
        const QString key = QStringLiteral("tdx-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QCOMPARE(first.claim(), SingleInstance::Role::Primary);
        QSignalSpy notices(&first, &SingleInstance::noticeReceived);
        SingleInstance second(key);
        QCOMPARE(second.claim(), SingleInstance::Role::Secondary);
        // The notice travels over the socket while this event loop runs.
        QTimer::singleShot(0, [&] { second.notifyPrimary(); });
        QTRY_COMPARE(notices.size(), 1);
        QCOMPARE(notices[0][0].toByteArray(), QByteArray("Mutex"));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
