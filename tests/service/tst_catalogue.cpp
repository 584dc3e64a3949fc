#include "service/serviceclient.h"
#include "support/fakeclock.h"
#include "support/fakeprompter.h"
#include "support/officesimfixture.h"
#include "support/tempappdir.h"

#include <QtTest>

using namespace tdx;
using namespace tdx::test;

// A value the service accepts for each field name of the catalogue.
static QString sample(const QString &field) {
    static const QHash<QString, QString> values = {
        {QStringLiteral("passwd"), QStringLiteral("demo1234")},
        {QStringLiteral("u_id"), QStringLiteral("demo")},
        {QStringLiteral("off_id"), QStringLiteral("hangyeol01")},
        {QStringLiteral("offSet"), QStringLiteral("0")},
        {QStringLiteral("total_mod"), QStringLiteral("total")},
        {QStringLiteral("m_bookmark"), QStringLiteral(",1,")},
        {QStringLiteral("m_nums"), QStringLiteral("1,2")},
        {QStringLiteral("group"), QStringLiteral("group")},
        {QStringLiteral("tel"), QStringLiteral("0212345678")},
        {QStringLiteral("m_reg"), QStringLiteral("reg")},
        {QStringLiteral("sdate"), QStringLiteral("2026-09-01")},
        {QStringLiteral("edate"), QStringLiteral("2026-12-31")},
        {QStringLiteral("c_recordFile"), QStringLiteral("5678-01011112222_20261211100000.wav")},
        {QStringLiteral("user_id"), QStringLiteral("demo")},
        {QStringLiteral("smsList"), QStringLiteral("01011112222")},
        {QStringLiteral("m_com"), QStringLiteral("walk")},
        {QStringLiteral("m_tel"), QStringLiteral("0299990000")},
        {QStringLiteral("m_comNum"), QString()},
        {QStringLiteral("searchWord"), QString()},
    };
    return values.value(field, QStringLiteral("1"));
}

class TestCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyOperationReachesTheService() {
        officesim::Options options;
        options.customers = 30;
        OfficesimFixture sim(options);
        QVERIFY(sim.ok());
        TempAppDir app;
        FakeClock clock(QDateTime::currentDateTime());
        FakePrompter prompter;
        Identity who{QString(), QStringLiteral("demo"), QStringLiteral("0212345678")};
        ServiceClient client(app.path(), sim.hosts(), clock, prompter, [&] { return who; });
        client.send(operation(QStringLiteral("login")),
                    {{QStringLiteral("passwd"), QStringLiteral("demo1234")}});
        who.officeId = client.table1().value(0, 1);
        QCOMPARE(who.officeId, QStringLiteral("hangyeol01"));

        QSet<QString> kinds;
        for (const Operation &op : catalogue()) {
            kinds.insert(op.kind);
            Fields fields;
            for (const QString &f : op.fields)
                fields.append({f, sample(f)});
            const qint64 before = sim.journal().lastSeq();
            client.send(op, fields);
            const auto sent = sim.journal().since(before);
            QVERIFY2(!sent.isEmpty(), qPrintable(op.kind));
            const auto &entry = sent.first();
            QCOMPARE(entry.path, op.path);
            QCOMPARE(entry.scheme, QStringLiteral("https"));
            QCOMPARE(entry.pKind, op.kind);
            QStringList expected = {QStringLiteral("pKind")};
            expected << op.fields << QStringLiteral("off_id") << QStringLiteral("telNo")
                     << QStringLiteral("cercode");
            QCOMPARE(entry.fieldNames(), expected);
            QVERIFY2(entry.status == 200,
                     qPrintable(op.kind + QStringLiteral(" answered %1").arg(entry.status)));
            const ResponseTable &t = op.channel == 2 ? client.table2() : client.table1();
            QVERIFY2(t.rowCount() > 0 || op.kind == QLatin1String("callhistory"),
                     qPrintable(op.kind));
            // Nothing went wrong on the way.
            QVERIFY2(sent.size() == 1, qPrintable(op.kind + QStringLiteral(" was reported")));
        }
        QCOMPARE(kinds.size(), 40); // the three forms of "customer" share one kind
        QCOMPARE(catalogue().size(), std::size_t(42));
        QVERIFY(prompter.prompts().isEmpty());
        // "update_skb_id" carries "off_id" twice with the same value.
        const auto skb = sim.journal().withKind(QStringLiteral("update_skb_id")).first();
        QCOMPARE(skb.fieldNames().count(QStringLiteral("off_id")), 2);
        // The notification count goes on the secondary channel.
        QCOMPARE(operation(QStringLiteral("alrim_count")).channel, 2);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
