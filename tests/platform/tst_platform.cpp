#include "platform/apppaths.h"
#include "platform/hosts.h"
#include "platform/launcher.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tdx;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void relativeFilesJoinTheAppDir_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "log/log_20240105.txt"
                               << "/app/log/log_20240105.txt";
        QTest::newRow("backslashes") << "\\txt\\ver\\1.02.47"
                                     << "/app/txt/ver/1.02.47";
        QTest::newRow("leading slash") << "/img/skb.gif"
                                       << "/app/img/skb.gif";
        QTest::newRow("file in root") << "hd.code"
                                      << "/app/hd.code";
    }
    void relativeFilesJoinTheAppDir() {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QCOMPARE(AppPaths::file(QStringLiteral("/app"), relative), expected);
    }

    void settingsFileIsNamedAfterTheExecutable() {
        QCOMPARE(AppPaths::settingsFile(QStringLiteral("/app"), QStringLiteral("/app/tandrivox")),
                 QStringLiteral("/app/tandrivox.ini"));
        QCOMPARE(AppPaths::settingsFile(QStringLiteral("/app"), QStringLiteral("Tandrivox.exe")),
                 QStringLiteral("/app/Tandrivox.ini"));
    }

    void appDirIsTheExecutableFolderWhenWritable() {
        QTemporaryDir dir;
        QCOMPARE(AppPaths::chooseAppDir(dir.path()), QDir::cleanPath(dir.path()));
        const QString missing = dir.filePath(QStringLiteral("gone"));
        const QString fallback = AppPaths::chooseAppDir(missing);
        QVERIFY(fallback != missing);
        QVERIFY(QFileInfo(fallback).isDir());
    }

    void onlyWebAddressesGoToTheBrowser_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("web");
        QTest::newRow("http") << "http://office.example/hp_admin/" << true;
        QTest::newRow("https") << "https://office.example/x?y=1" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("no host") << "http:///path" << false;
    }
    void onlyWebAddressesGoToTheBrowser() {
        QFETCH(QString, url);
        QFETCH(bool, web);
        QCOMPARE(Launcher::isWebUrl(QUrl(url)), web);
    }

    void serviceAddressesKeepTheirWireForm() {
        Hosts h = Hosts::demo(QStringLiteral("/app"));
        QCOMPARE(h.service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/login_ok.php"))
                     .toString(QUrl::FullyEncoded),
                 QStringLiteral("https://127.0.0.1:18443/Tandrivox/login_ok.php"));
        // A query written out by a caller is not re-encoded.
        const QString q = QStringLiteral("/Tandrivox/write_exception.php?state=except%3D%7C");
        QCOMPARE(h.service(Hosts::Scheme::Http, q).toString(QUrl::FullyEncoded),
                 QStringLiteral("http://127.0.0.1:18080") + q);
        QCOMPARE(h.caFile, QStringLiteral("/app/certs/ca.pem"));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
