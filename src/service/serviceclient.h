#pragma once

#include "platform/clock.h"
#include "platform/hosts.h"
#include "platform/prompter.h"
#include "service/catalogue.h"
#include "service/dailylog.h"
#include "service/request.h"
#include "service/responsetable.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <exception>
#include <functional>

namespace tdx {

using Fields = QList<QPair<QString, QString>>;

// The client of the office web service: the shared request lists, the two request channels with
// their response tables, the daily logs and the exception report.
class ServiceClient {
public:
    static constexpr int kPrimaryTimeoutMs = 7000;
    static constexpr int kSecondaryTimeoutMs = 8000;
    static constexpr int kReportTimeoutMs = 5000;

    ServiceClient(QString appDir, Hosts hosts, const Clock &clock, Prompter &prompter,
                  std::function<Identity()> identity);

    // ---- request lists and request JSON
    RequestLists &lists() { return m_lists; }
    void clear_request() { m_lists.clear_request(); }
    // Builds the request JSON from the lists (and writes it to txt/param.txt, secrets masked).
    QString make_param();

    // ---- the two channels. Both block the caller while window events keep being processed.
    void get_data1(const QUrl &address, const QString &json);
    void get_data2(const QUrl &address, const QString &json);
    const ResponseTable &table1() const { return m_table1; }
    const ResponseTable &table2() const { return m_table2; }
    void clearTable1() { m_table1.clear(); }
    void clearTable2() { m_table2.clear(); }
    QString lastRequest() const { return m_lastRequest; }

    // Builds the lists for an operation (its fields in the order given, which must follow the
    // catalogue) and sends it on its channel. Returns that channel's table.
    const ResponseTable &send(const Operation &op, const Fields &fields = {});
    const ResponseTable &send(const Operation &op, const Fields &fields, Hosts::Scheme scheme);
    QUrl address(const Operation &op, Hosts::Scheme scheme) const;

    // ---- diagnostics
    // Writes a report line and, when the state contains "except", tells the service.
    void report(const QString &form, const QString &label, const QString &state);
    // The one way a window reports a caught failure.
    void fail(const QString &form, const QString &label, const QString &message) {
        report(form, label, QStringLiteral("except=|") + message + QLatin1Char('|'));
    }
    // Runs a handler, reporting what it throws; true when it ran through.
    template <typename F> bool guard(const QString &form, const QString &label, F &&handler) {
        try {
            handler();
            return true;
        } catch (const std::exception &e) {
            fail(form, label, QString::fromLocal8Bit(e.what()));
        } catch (...) {
            fail(form, label, QStringLiteral("unknown failure"));
        }
        return false;
    }
    // The query of the web report as it is sent.
    QString reportQuery(const QString &form, const QString &label, const QString &state) const;
    // The report encoding: A–Z a–z 0–9 & - . / : ; = ? _ stay, every other CP949 byte "%HH".
    static QByteArray reportEncode(const QString &text);
    void recording_log(const QString &first, const QString &second);
    // Deletes old daily logs (90 days at login); names without a date are reported.
    void delete_logs(int days);

    DailyLog &log() { return m_log; }
    const Hosts &hosts() const { return m_hosts; }
    const Clock &clock() const { return m_clock; }
    QString appDir() const { return m_appDir; }

private:
    struct Channel {
        int timeoutMs;
        ResponseTable *table;
        QString *buffer;
        QString failLabel; // label of a failed request
        QString logLabel;  // label of a failed log write
        bool reportsFlatten;
    };
    void sendOn(const Channel &channel, const QUrl &address, const QString &json);

    QString m_appDir;
    Hosts m_hosts;
    const Clock &m_clock;
    Prompter &m_prompter;
    std::function<Identity()> m_identity;
    DailyLog m_log;
    RequestLists m_lists;
    ResponseTable m_table1, m_table2;
    QString m_buffer1, m_buffer2;
    QString m_lastRequest;
};

} // namespace tdx
