#include "service/httpclient.h"
#include "support/officesimfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace tdx;
using tdx::test::OfficesimFixture;

class TestOfficesimBasics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void journalIsReadableOverHttp() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        HttpClient client(sim.hosts());
        client.get(sim.hosts().service(Hosts::Scheme::Http,
                                       QStringLiteral("/Tandrivox/version.txt?x=%7C%7C%7C")),
                   7000);
        const HttpReply journal = client.get(
            sim.hosts().service(Hosts::Scheme::Http, QStringLiteral("/sim/journal")), 7000);
        QVERIFY(journal.ok);
        const QJsonArray entries = QJsonDocument::fromJson(journal.body).array();
        QVERIFY(entries.size() >= 1);
        const QJsonObject first = entries.first().toObject();
        QCOMPARE(first.value(QStringLiteral("path")).toString(),
                 QStringLiteral("/Tandrivox/version.txt"));
        QCOMPARE(first.value(QStringLiteral("query")).toString(), QStringLiteral("x=%7C%7C%7C"));
        QCOMPARE(first.value(QStringLiteral("status")).toInt(), 200);
    }

    void oversizedBodiesAreRefused() {
        OfficesimFixture sim;
        QVERIFY(sim.ok());
        HttpClient client(sim.hosts());
        const QByteArray body(officesim::HttpFront::kMaxBody + 1, 'a');
        const HttpReply reply = client.post(
            sim.hosts().service(Hosts::Scheme::Http, QStringLiteral("/Tandrivox/get_data.php")),
            body, 30000);
        QCOMPARE(reply.status, 413);
        QVERIFY(sim.journal().all().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOfficesimBasics)
#include "tst_officesim_basics.moc"
