#include "service/serviceclient.h"

#include "service/codec.h"
#include "service/httpclient.h"
#include "service/textutil.h"

#include <QDir>

namespace tdx {

ServiceClient::ServiceClient(QString appDir, Hosts hosts, const Clock &clock, Prompter &prompter,
                             std::function<Identity()> identity)
    : m_appDir(std::move(appDir)), m_hosts(std::move(hosts)), m_clock(clock), m_prompter(prompter),
      m_identity(std::move(identity)), m_log(m_appDir, clock) {}

QString ServiceClient::make_param() {
    try {
        const QString json = m_lists.build(m_identity(), make_cercode(m_clock));
        const QString txt = QDir(m_appDir).filePath(QStringLiteral("txt"));
        QDir().mkpath(txt);
        text::writeFile(QDir(txt).filePath(QStringLiteral("param.txt")), maskSecrets(json));
        return json;
    } catch (...) {
        // Shown with OK and Cancel, as it always was; either answer ends the request.
        m_prompter.ask(QStringLiteral("시스템 오류 잠시후 다시 시도하세요."),
                       QStringLiteral("오류"), Prompter::Icon::None);
        return {};
    }
}

QUrl ServiceClient::address(const Operation &op, Hosts::Scheme scheme) const {
    return m_hosts.service(scheme, op.path);
}

const ResponseTable &ServiceClient::send(const Operation &op, const Fields &fields) {
    return send(op, fields, op.scheme);
}

const ResponseTable &ServiceClient::send(const Operation &op, const Fields &fields,
                                         Hosts::Scheme scheme) {
#ifndef QT_NO_DEBUG
    // Fields follow the catalogue's order; only optional ones may be left out.
    qsizetype at = 0;
    for (const auto &f : fields) {
        const qsizetype i = op.fields.indexOf(f.first, at);
        Q_ASSERT_X(i >= 0, "ServiceClient::send", qPrintable(op.kind + QLatin1Char('.') + f.first));
        for (qsizetype skipped = at; skipped < i; ++skipped)
            Q_ASSERT_X(op.optional.contains(op.fields[skipped]), "ServiceClient::send",
                       qPrintable(op.kind + QStringLiteral(" lacks ") + op.fields[skipped]));
        at = i + 1;
    }
#endif
    // The usual order: "pKind", the other names, then the values in the same order.
    clear_request();
    m_lists.addName(QStringLiteral("pKind"));
    for (const auto &f : fields)
        m_lists.addName(f.first);
    m_lists.addValue(op.kind);
    for (const auto &f : fields)
        m_lists.addValue(f.second);
    const QString json = make_param();
    if (op.channel == 2) {
        get_data2(address(op, scheme), json);
        return m_table2;
    }
    get_data1(address(op, scheme), json);
    return m_table1;
}

void ServiceClient::get_data1(const QUrl &address, const QString &json) {
    sendOn({kPrimaryTimeoutMs, &m_table1, &m_buffer1, QStringLiteral("get_data1"),
            QStringLiteral("get_data2"), true},
           address, json);
}

void ServiceClient::get_data2(const QUrl &address, const QString &json) {
    sendOn({kSecondaryTimeoutMs, &m_table2, &m_buffer2, QStringLiteral("get_data2_1"),
            QStringLiteral("get_data2_2"), false},
           address, json);
}

void ServiceClient::sendOn(const Channel &ch, const QUrl &address, const QString &json) {
    ch.buffer->clear();
    const HttpReply reply = HttpClient(m_hosts).post(
        address, "param=" + json.toUtf8(), ch.timeoutMs,
        {{"Content-Type", "application/x-www-form-urlencoded"}, {"Cache-Control", "no-cache"}});
    const qsizetype received = reply.body.size() + 1;
    if (reply.ok) {
        // The body is read as text up to its first NUL byte, line breaks as CRLF.
        QByteArray body = reply.body;
        const qsizetype nul = body.indexOf('\0');
        if (nul >= 0)
            body.truncate(nul);
        QString text = QString::fromUtf8(body);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        *ch.buffer = text.isEmpty() ? QStringLiteral("{\"return\":[{\"result\":\"null\"}]}") : text;
    } else {
        report(QStringLiteral("mainFrm"), ch.failLabel,
               QStringLiteral("except=|") + reply.error + QLatin1Char('|'));
        *ch.buffer = QStringLiteral("timeout");
    }

    const QString masked = maskSecrets(json);
    if (!m_log.append(DailyLog::Kind::Log, m_log.stamp() + QStringLiteral(" paramdata: ") + masked +
                                               QStringLiteral(" threaddata: ") + *ch.buffer +
                                               QStringLiteral(" size=") +
                                               QString::number(received)))
        report(QStringLiteral("mainFrm"), ch.logLabel,
               QStringLiteral("except=|log file cannot be written|"));
    m_lastRequest =
        m_hosts.service(Hosts::Scheme::Http, QStringLiteral("/Tandrivox/get_data.php")).toString() +
        QStringLiteral("?param=") + masked;

    const FlattenResult r = flatten(ch.buffer->toUtf8(), *ch.table);
    ch.buffer->clear();
    if (r.outcome == FlattenResult::Outcome::NotJson) {
        m_prompter.message(QStringLiteral("데이터 전송오류 다시 시도하세요."),
                           QStringLiteral("오류"), Prompter::Icon::Error);
    } else if (ch.reportsFlatten && r.outcome == FlattenResult::Outcome::BadShape) {
        report(QStringLiteral("cfunction"), QStringLiteral("set_jsonData_2"),
               QStringLiteral("except=|") + r.error + QLatin1Char('|'));
    } else if (ch.reportsFlatten && r.failedRow >= 0) {
        report(QStringLiteral("cfunction"), QStringLiteral("set_jsonData_1"),
               QStringLiteral("except=|") + r.error + QLatin1Char('|'));
    }
}

QByteArray ServiceClient::reportEncode(const QString &text) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (char ch : cp949::encode(text)) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '&' || c == '-' || c == '.' || c == '/' || c == ':' || c == ';' || c == '=' ||
            c == '?' || c == '_') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

QString ServiceClient::reportQuery(const QString &form, const QString &label,
                                   const QString &state) const {
    const Identity who = m_identity();
    QString param = m_lastRequest;
    param.replace(QLatin1Char('&'), QStringLiteral("|||"));
    return QStringLiteral("off_id=") + QString::fromLatin1(reportEncode(who.accountId)) +
           QStringLiteral("&telno=") + QString::fromLatin1(reportEncode(who.officePhone)) +
           QStringLiteral("&formname=") + QString::fromLatin1(reportEncode(form)) +
           QStringLiteral("&state=") + QString::fromLatin1(reportEncode(state)) +
           QStringLiteral("&param=") + QString::fromLatin1(reportEncode(param)) +
           QStringLiteral("&fcname=") + QString::fromLatin1(reportEncode(label));
}

void ServiceClient::report(const QString &form, const QString &label, const QString &state) {
    try {
        m_log.append(DailyLog::Kind::Log, m_log.stamp() + QLatin1Char(' ') + form +
                                              QLatin1Char('_') + label + QLatin1Char('_') + state +
                                              m_buffer2);
        if (!state.contains(QLatin1String("except")))
            return;
        const QUrl url(
            m_hosts.service(Hosts::Scheme::Http, QStringLiteral("/Tandrivox/write_exception.php"))
                    .toString() +
                QLatin1Char('?') + reportQuery(form, label, state),
            QUrl::TolerantMode);
        HttpClient(m_hosts).get(url, kReportTimeoutMs);
    } catch (...) {
        // The report never fails its caller.
    }
}

void ServiceClient::recording_log(const QString &first, const QString &second) {
    m_log.append(DailyLog::Kind::Record,
                 m_log.stamp() + QLatin1Char(' ') + first + QLatin1Char('_') + second);
}

void ServiceClient::delete_logs(int days) {
    m_log.deleteOld(days, [this](const QString &) {
        report(QStringLiteral("mainFrm"), QStringLiteral("delete_logs"),
               QStringLiteral("except=|no date in the file name|"));
    });
}

} // namespace tdx
