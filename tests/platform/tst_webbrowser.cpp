#include "platform/web/webenginebrowser.h"
#include "support/officesimfixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tdx;
using tdx::test::OfficesimFixture;

static officesim::Response page(const QByteArray &script) {
    return officesim::Response::html("<html><head><title>start</title></head><body>"
                                     "<input name=\"smsList\" value=\"01012345678,01099998888\">"
                                     "<script>" +
                                     script + "</script></body></html>");
}

class TestWebBrowser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageTitleReachesCpp() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        sim.server().route(QStringLiteral("/t/close.html"), [](const officesim::Request &) {
            return page("setTimeout(function(){document.title='group_close';}, 50);");
        });
        QWidget host;
        WebEngineBrowser browser(&host);
        QSignalSpy titles(&browser, &EmbeddedBrowser::titleChanged);
        browser.navigate(QUrl(sim.httpBase() + QStringLiteral("/t/close.html")));
        QTRY_VERIFY_WITH_TIMEOUT(titles.contains(QVariantList{QStringLiteral("group_close")}),
                                 20000);

        QString value;
        browser.elementValue(QStringLiteral("smsList"), [&](const QString &v) { value = v; });
        QTRY_COMPARE_WITH_TIMEOUT(value, QStringLiteral("01012345678,01099998888"), 10000);
    }

    void titlesFromAnotherHostAreIgnored() {
        OfficesimFixture sim, elsewhere;
        QVERIFY(sim.ok() && elsewhere.ok());
        elsewhere.server().route(QStringLiteral("/t/evil.html"), [](const officesim::Request &) {
            return page("document.title='close';");
        });
        const QByteArray away = (elsewhere.httpBase() + QStringLiteral("/t/evil.html")).toUtf8();
        sim.server().route(QStringLiteral("/t/leave.html"), [away](const officesim::Request &) {
            return page("document.title='here'; location.href='" + away + "';");
        });
        QWidget host;
        WebEngineBrowser browser(&host);
        QSignalSpy titles(&browser, &EmbeddedBrowser::titleChanged);
        browser.navigate(QUrl(sim.httpBase() + QStringLiteral("/t/leave.html")));
        QTRY_VERIFY_WITH_TIMEOUT(
            !elsewhere.journal().withPath(QStringLiteral("/t/evil.html")).isEmpty(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(browser.title(), QStringLiteral("close"), 20000);
        QVERIFY(titles.contains(QVariantList{QStringLiteral("here")}));
        QVERIFY(!titles.contains(QVariantList{QStringLiteral("close")}));
    }
};

QTEST_MAIN(TestWebBrowser)
#include "tst_webbrowser.moc"
