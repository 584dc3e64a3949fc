#include "service/httpclient.h"
#include "support/officesimfixture.h"

#include <QtTest>

using namespace tdx;
using tdx::test::OfficesimFixture;

class TestHttpClient : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void httpsSucceedsWithOfficesimsCaTrusted() {
        OfficesimFixture sim;
        QVERIFY2(sim.ok(), qPrintable(sim.error()));
        HttpClient client(sim.hosts());
        const QUrl url =
            sim.hosts().service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/get_data.php"));
        const HttpReply reply =
            client.post(url, "param={\"param\":[{}]}", 7000,
                        {{"Content-Type", "application/x-www-form-urlencoded"}});
        // The route is not there yet in this build of officesim; what matters is that the TLS
        // handshake succeeded and the request arrived whole.
        QCOMPARE(sim.journal().all().size(), 1);
        const auto entry = sim.journal().all().first();
        QCOMPARE(entry.scheme, QStringLiteral("https"));
        QCOMPARE(entry.method, QStringLiteral("POST"));
        QCOMPARE(entry.body, QByteArray("param={\"param\":[{}]}"));
        QVERIFY(reply.status != 0);

        const HttpReply version = client.get(
            sim.hosts().service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/version.txt")),
            7000);
        QVERIFY2(version.ok, qPrintable(version.error));
        QCOMPARE(version.body, QByteArray("1.02.47"));
    }

    void httpsFailsAgainstACertificateNobodyTrusts() {
        officesim::Options stranger;
        stranger.certFile = QStringLiteral("stranger.pem");
        stranger.keyFile = QStringLiteral("stranger.key");
        OfficesimFixture sim(stranger);
        QVERIFY2(sim.ok(), qPrintable(sim.error()));
        HttpClient client(sim.hosts());
        const HttpReply reply = client.get(
            sim.hosts().service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/version.txt")),
            7000);
        QVERIFY(!reply.ok);
        QVERIFY(!reply.error.isEmpty());
        QVERIFY(sim.journal().all().isEmpty());
    }

    void httpsFailsWhenOfficesimsCaIsNotTrusted() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        Hosts hosts = sim.hosts();
        hosts.caFile.clear();
        const HttpReply reply = HttpClient(hosts).get(
            hosts.service(Hosts::Scheme::Https, QStringLiteral("/Tandrivox/version.txt")), 7000);
        QVERIFY(!reply.ok);
        QVERIFY(sim.journal().all().isEmpty());
    }

    void plainHttpAndRefusedConnections() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        HttpClient client(sim.hosts());
        const HttpReply ok = client.get(
            sim.hosts().service(Hosts::Scheme::Http, QStringLiteral("/Tandrivox/version.txt")),
            7000);
        QVERIFY(ok.ok);
        QCOMPARE(ok.status, 200);

        const HttpReply missing =
            client.get(sim.hosts().service(Hosts::Scheme::Http, QStringLiteral("/nowhere")), 7000);
        QVERIFY(!missing.ok);
        QCOMPARE(missing.status, 404);

        Hosts closed = sim.hosts();
        closed.serviceHttp = QUrl(QStringLiteral("http://127.0.0.1:1"));
        const HttpReply refused = HttpClient(closed).get(
            closed.service(Hosts::Scheme::Http, QStringLiteral("/Tandrivox/version.txt")), 7000);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.status, 0);
    }

    void oversizedAnswersAreCutOff() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        sim.server().route(QStringLiteral("/big"), [](const officesim::Request &) {
            return officesim::Response::text(QByteArray(3 * 1024 * 1024, 'x'));
        });
        HttpClient client(sim.hosts());
        client.setMaxBody(1024 * 1024);
        const HttpReply reply =
            client.get(sim.hosts().service(Hosts::Scheme::Http, QStringLiteral("/big")), 7000);
        QVERIFY(!reply.ok);
        QVERIFY(reply.body.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
