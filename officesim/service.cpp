#include "officesim/service.h"

#include "officesim/demodata.h"
#include "officesim/line.h"
#include "officesim/schema.h"
#include "officesim/server.h"
#include "officesim/store.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringDecoder>

namespace officesim {

Service::Service(Server &server) : m_server(server), m_store(server.store()) {
    auto q = [](std::initializer_list<const char *> names) {
        QStringList out;
        for (const char *n : names)
            out << QString::fromLatin1(n);
        return out;
    };
    m_ops = {
        {QStringLiteral("login"), {&Service::opLogin, q({"passwd"})}},
        {QStringLiteral("update_skb_id"),
         {&Service::opUpdateSkbId, q({"u_id", "skb_id", "skb_pass"})}},
        {QStringLiteral("upluspw"), {&Service::opUplusPw, q({"u_id", "pw"})}},
        {QStringLiteral("myname"), {&Service::opMyName, {}}},
        {QStringLiteral("customer"), {&Service::opCustomer, {}}},
        {QStringLiteral("customer_tel"), {&Service::opCustomerTel, q({"tel"})}},
        {QStringLiteral("select_customer"), {&Service::opSelectCustomer, q({"m_num"})}},
        {QStringLiteral("insert_customer"), {&Service::opSaveCustomer, q({"m_com", "m_tel"})}},
        {QStringLiteral("update_customer"),
         {&Service::opSaveCustomer, q({"m_num", "m_com", "m_tel"})}},
        {QStringLiteral("myemp"), {&Service::opMyEmp, {}}},
        {QStringLiteral("select_group"), {&Service::opSelectGroup, q({"u_num"})}},
        {QStringLiteral("insert_group"), {&Service::opInsertGroup, q({"g_num", "u_num", "m_num"})}},
        {QStringLiteral("delete_group"), {&Service::opDeleteGroup, q({"u_num", "g_num"})}},
        {QStringLiteral("update_bookmark"),
         {&Service::opUpdateBookmark, q({"u_num", "m_num", "m_reg"})}},
        {QStringLiteral("callhistory_total"), {&Service::opCallHistoryTotal, q({"u_num"})}},
        {QStringLiteral("callhistory"), {&Service::opCallHistory, q({"u_num", "offSet"})}},
        {QStringLiteral("busyCall"), {&Service::opCallReport, q({"c_tel", "u_num", "c_name"})}},
        {QStringLiteral("failSend"), {&Service::opCallReport, q({"c_tel", "u_num", "c_name"})}},
        {QStringLiteral("received_sms"), {&Service::opReceivedSms, q({"c_tel", "smsmsg"})}},
        {QStringLiteral("update_recordFile"),
         {&Service::opUpdateRecordFile, q({"u_num", "c_flag", "c_recordFile"})}},
        {QStringLiteral("select_recordFile"),
         {&Service::opSelectRecordFile, q({"u_num", "searchWord", "c_flag", "sdate", "edate"})}},
        {QStringLiteral("insert_history"),
         {&Service::opInsertHistory, q({"m_num", "u_num", "c_flag", "c_manual", "c_complete",
                                        "c_content_gubun", "c_content", "c_name"})}},
        {QStringLiteral("insert_sms"),
         {&Service::opInsertSms, q({"smsList", "u_num", "c_name", "c_content", "c_history"})}},
        {QStringLiteral("insert_sms1"),
         {&Service::opInsertSms, q({"c_tel", "u_num", "c_name", "c_content", "c_history"})}},
        {QStringLiteral("select_kakao_list"), {&Service::opSelectKakaoList, q({"l_no"})}},
        {QStringLiteral("insert_kakao"),
         {&Service::opInsertKakao,
          q({"user_id", "s_kind", "s_type", "s_cnt", "s_limit", "m_comNum", "m_com", "m_gubun",
             "m_hp", "price", "bank1", "bank2", "bank3", "bank4", "bank5", "l_no", "up1", "up2"})}},
        {QStringLiteral("select_tel"), {&Service::opSelectTel, q({"comNum"})}},
        {QStringLiteral("update_tel"),
         {&Service::opUpdateTel,
          q({"m_comNum", "m_hp", "m_hp_ceo", "m_tel", "add_tel", "add_tel_1", "add_tel_2"})}},
        {QStringLiteral("select_kakao"),
         {&Service::opSelectKakao, q({"user_id", "s_kind", "s_type"})}},
        {QStringLiteral("delete_kakao"), {&Service::opDeleteKakao, q({"l_no"})}},
        {QStringLiteral("kakao_preView"), {&Service::opKakaoPreview, q({"seq"})}},
        {QStringLiteral("check_kakao_list"),
         {&Service::opCheckKakaoList, q({"user_id", "s_kind", "s_type"})}},
        {QStringLiteral("dup_kakao_list"),
         {&Service::opDupKakaoList, q({"user_id", "s_kind", "s_type"})}},
        {QStringLiteral("kakao_send_list"),
         {&Service::opKakaoSendList, q({"user_id", "s_kind", "s_type", "history", "template",
                                        "u_num", "u_name", "mycompany", "period"})}},
        {QStringLiteral("alrim_count"), {&Service::opAlrimCount, q({"u_num"})}},
        {QStringLiteral("alrim"), {&Service::opAlrim, q({"u_num"})}},
        {QStringLiteral("update_alrim"), {&Service::opUpdateAlrim, q({"aKindList", "noList"})}},
        {QStringLiteral("callData"), {&Service::opCallData, q({"seq"})}},
        {QStringLiteral("callData_empty"), {&Service::opCallDataEmpty, q({"seq"})}},
        {QStringLiteral("get_calendar"), {&Service::opGetCalendar, q({"u_num"})}},
    };

    m_server.route(QStringLiteral("/Tandrivox/get_data.php"),
                   [this](const Request &r) { return dataEndpoint(r, false); });
    m_server.route(QStringLiteral("/Tandrivox/login_ok.php"),
                   [this](const Request &r) { return dataEndpoint(r, true); });
    m_server.route(QStringLiteral("/Tandrivox/get_sha.php"),
                   [this](const Request &r) { return getSha(r); });
    m_server.route(QStringLiteral("/Tandrivox/write_exception.php"),
                   [this](const Request &r) { return writeException(r); });
    m_server.route(QStringLiteral("/sim/"), [this](const Request &r) { return simPage(r); });
    m_server.route(QStringLiteral("/sim/effects"),
                   [this](const Request &r) { return simEffects(r); });
}

QString Service::Call::value(const QString &name) const {
    for (const auto &f : fields)
        if (f.first == name)
            return f.second;
    return {};
}

QString Service::Call::last(const QString &name) const {
    QString out;
    for (const auto &f : fields)
        if (f.first == name)
            out = f.second;
    return out;
}

bool Service::Call::has(const QString &name) const {
    for (const auto &f : fields)
        if (f.first == name)
            return true;
    return false;
}

QStringList names(std::initializer_list<const char *> list) {
    QStringList out;
    for (const char *n : list)
        out << QString::fromLatin1(n);
    return out;
}

Response Service::errorAnswer(int status, const QString &reason) {
    Response r = Response::json(wire::answer({{{QStringLiteral("result"), QStringLiteral("error")},
                                               {QStringLiteral("reason"), reason}}}));
    r.status = status;
    return r;
}

wire::Fields Service::row(std::initializer_list<std::pair<const char *, QString>> fields) {
    wire::Fields out;
    for (const auto &f : fields)
        out.append({QString::fromLatin1(f.first), f.second});
    return out;
}

Service::Rows Service::single(const char *name, const QString &value) {
    return {wire::Fields{{QString::fromLatin1(name), value}}};
}

QString Service::stamp() const {
    return m_server.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString Service::officeOf(const QString &offIdOrAccount) const {
    Store &s = m_store;
    if (s.any(QStringLiteral("SELECT COUNT(*) FROM offices WHERE off_id = ?"), {offIdOrAccount}))
        return offIdOrAccount;
    return s.scalar(QStringLiteral("SELECT off_id FROM accounts WHERE u_id = ?"), {offIdOrAccount})
        .toString();
}

qint64 Service::staffAt(const QString &offId, const QString &tel) const {
    return m_store
        .scalar(QStringLiteral("SELECT u_num FROM staff WHERE off_id = ? AND u_tel = ? "
                               "ORDER BY u_num LIMIT 1"),
                {offId, tel})
        .toLongLong();
}

QString Service::staffName(qint64 uNum) const {
    return m_store.scalar(QStringLiteral("SELECT u_name FROM staff WHERE u_num = ?"), {uNum})
        .toString();
}

Response Service::dataEndpoint(const Request &request, bool loginEndpoint) {
    if (request.method != "POST")
        return errorAnswer(405, QStringLiteral("POST only"));
    const wire::ParsedParam parsed = wire::parseParamBody(request.body);
    if (!parsed.ok)
        return errorAnswer(400, parsed.error);

    Call call;
    call.fields = parsed.fields;
    call.pKind = call.value(QStringLiteral("pKind"));
    if (JournalEntry *e = m_server.journal().find(request.journalSeq)) {
        e->pKind = call.pKind;
        e->fields = call.fields;
    }
    if (call.pKind.isEmpty())
        return errorAnswer(400, QStringLiteral("no pKind"));
    const bool loginKind =
        call.pKind == QLatin1String("login") || call.pKind == QLatin1String("update_skb_id");
    if (loginKind != loginEndpoint || !m_ops.contains(call.pKind))
        return errorAnswer(400, QStringLiteral("unknown pKind ") + call.pKind);

    // The common fields come last; an operation with its own "off_id" sends the name twice.
    QString commonOff;
    bool hasTel = false, hasCer = false;
    QByteArray cercode;
    for (const auto &f : call.fields) {
        if (f.first == QLatin1String("off_id"))
            commonOff = f.second;
        else if (f.first == QLatin1String("telNo")) {
            call.telNo = f.second;
            hasTel = true;
        } else if (f.first == QLatin1String("cercode")) {
            cercode = f.second.toLatin1();
            hasCer = true;
        }
    }
    if (!call.has(QStringLiteral("off_id")) || !hasTel || !hasCer)
        return errorAnswer(400, QStringLiteral("missing off_id, telNo or cercode"));
    QStringList missing;
    for (const QString &name : m_ops.value(call.pKind).required)
        if (!call.has(name))
            missing << name;
    if (!missing.isEmpty())
        return errorAnswer(400, QStringLiteral("missing ") + missing.join(QLatin1Char(',')));

    if (const auto t = wire::cercodeTime(cercode))
        call.cercodeOk = qAbs(t->secsTo(m_server.now())) <= kCercodeToleranceSecs;

    call.offId = officeOf(commonOff);
    if (call.pKind == QLatin1String("login"))
        return Response::html(wire::answer((this->*m_ops.value(call.pKind).op)(call)));
    if (call.offId.isEmpty())
        return errorAnswer(403, QStringLiteral("unknown office"));
    if (!m_store.any(QStringLiteral("SELECT COUNT(*) FROM lines WHERE tel = ? AND off_id = ?"),
                     {call.telNo, call.offId}))
        return errorAnswer(403, QStringLiteral("telNo is no line of the office"));
    if (!call.cercodeOk) {
        if (call.pKind == QLatin1String("myname"))
            return Response::html(wire::answer(single("u_name", QStringLiteral("cer_deny"))));
        return errorAnswer(403, QStringLiteral("request code refused"));
    }
    call.uNum = staffAt(call.offId, call.telNo);
    // A staff number named in the request must belong to the office it speaks for.
    const QString uNum = call.value(QStringLiteral("u_num"));
    if (!uNum.isEmpty() && uNum != QLatin1String("0") &&
        !m_store.any(QStringLiteral("SELECT COUNT(*) FROM staff WHERE u_num = ? AND off_id = ?"),
                     {uNum.toLongLong(), call.offId}))
        return errorAnswer(403, QStringLiteral("u_num is no staff member of the office"));

    m_store.db().transaction();
    const Rows rows = (this->*m_ops.value(call.pKind).op)(call);
    m_store.db().commit();
    return Response::html(wire::answer(rows));
}

Response Service::getSha(const Request &request) {
    QByteArray str;
    for (const QByteArray &pair : request.rawQuery.split('&'))
        if (pair.startsWith("str="))
            str = wire::formDecode(pair.mid(4)).value_or(QByteArray());
    if (str.isEmpty())
        return Response::text("");
    const QByteArray plain = wire::unscrambleFixed(str);
    return Response::text(QCryptographicHash::hash(plain, QCryptographicHash::Sha512).toHex());
}

// The report arrives as the client wrote it: values percent-encoded from the client's code page,
// "&" and "=" inside values left as they are (so they split the query, as on the real service).
Response Service::writeException(const Request &request) {
    QHash<QString, QString> values;
    QStringDecoder cp949("CP949");
    for (const QByteArray &pair : request.rawQuery.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QString name = QString::fromLatin1(eq < 0 ? pair : pair.left(eq));
        if (values.contains(name))
            continue;
        const QByteArray raw = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        QByteArray bytes = QByteArray::fromPercentEncoding(raw);
        values.insert(name, cp949.decode(bytes));
    }
    m_store.exec(QStringLiteral("INSERT INTO exceptions (off_id, telno, formname, state, param, "
                                "fcname, raw_query, created) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {values.value(QStringLiteral("off_id")), values.value(QStringLiteral("telno")),
                  values.value(QStringLiteral("formname")), values.value(QStringLiteral("state")),
                  values.value(QStringLiteral("param")), values.value(QStringLiteral("fcname")),
                  QString::fromLatin1(request.rawQuery), stamp()});
    return Response::text("1");
}

Service::Rows Service::select(const QString &sql, const QVariantList &bound,
                              const QStringList &names) {
    Rows rows;
    QSqlQuery q = m_store.exec(sql, bound);
    while (q.next()) {
        wire::Fields f;
        for (int i = 0; i < names.size(); ++i)
            f.append({names[i], q.value(i).toString()});
        rows.append(f);
    }
    return rows;
}

static QByteArray htmlEscape(const QString &s) {
    return s.toHtmlEscaped().toUtf8();
}

Response Service::simEffects(const Request &request) {
    QString table;
    qint64 since = 0;
    for (const QByteArray &pair : request.rawQuery.split('&')) {
        if (pair.startsWith("table="))
            table = QString::fromLatin1(pair.mid(6));
        else if (pair.startsWith("since="))
            since = pair.mid(6).toLongLong();
    }
    bool known = false;
    for (const char *t : kEffectTables)
        known = known || table == QLatin1String(t);
    if (!known)
        return Response::text("unknown table", 404);
    QSqlQuery q = m_store.exec(
        QStringLiteral("SELECT * FROM %1 WHERE rowid > ? ORDER BY rowid").arg(table), {since});
    QJsonArray rows;
    while (q.next()) {
        QJsonObject o;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            o.insert(rec.fieldName(i), QJsonValue::fromVariant(q.value(i)));
        rows.append(o);
    }
    return Response::json(QJsonDocument(rows).toJson(QJsonDocument::Compact));
}

Response Service::simPage(const Request &) {
    QByteArray html = "<!doctype html><html><head><meta charset=\"utf-8\"><title>officesim</title>"
                      "<style>body{font-family:sans-serif;margin:2em}td,th{border:1px solid #ccc;"
                      "padding:2px 6px;font-size:13px}table{border-collapse:collapse}</style>"
                      "</head><body><h1>officesim</h1>";
    QSqlQuery offices = m_store.exec(QStringLiteral("SELECT off_id, name FROM offices"));
    while (offices.next()) {
        const QString off = offices.value(0).toString();
        html +=
            "<h2>" + htmlEscape(offices.value(1).toString()) + " (" + htmlEscape(off) +
            ")</h2><p>customers: " +
            QByteArray::number(
                m_store
                    .scalar(QStringLiteral("SELECT COUNT(*) FROM customers WHERE off_id=?"), {off})
                    .toInt()) +
            "</p><table><tr><th>u_num</th><th>name</th><th>position</th><th>desk</th>"
            "<th>mobile</th></tr>";
        QSqlQuery staff = m_store.exec(QStringLiteral("SELECT u_num, u_name, u_position, u_tel, "
                                                      "u_hp FROM staff WHERE off_id = ?"),
                                       {off});
        while (staff.next()) {
            html += "<tr>";
            for (int i = 0; i < 5; ++i)
                html += "<td>" + htmlEscape(staff.value(i).toString()) + "</td>";
            html += "</tr>";
        }
        html += "</table>";
    }
    // The telephone line: who is logged in, and what a person can do on it.
    const QJsonObject line = m_server.line().status();
    html += "<h2>Line (port " + QByteArray::number(line.value(QStringLiteral("port")).toInt()) +
            ")</h2><table><tr><th>desk</th><th>component</th><th>logged in</th><th>call</th>"
            "<th>state</th></tr>";
    for (const QJsonValue &v : line.value(QStringLiteral("desks")).toArray()) {
        const QJsonObject d = v.toObject();
        const bool inCall = !d.value(QStringLiteral("call")).toString().isEmpty();
        html += "<tr><td>" + htmlEscape(d.value(QStringLiteral("phone")).toString()) + "</td><td>" +
                htmlEscape(d.value(QStringLiteral("kind")).toString()) + "</td><td>" +
                (d.value(QStringLiteral("loggedIn")).toBool() ? "yes" : "no") + "</td><td>" +
                htmlEscape(d.value(QStringLiteral("call")).toString()) + "</td><td>" +
                (!inCall                                         ? ""
                 : d.value(QStringLiteral("connected")).toBool() ? "connected"
                                                                 : "ringing") +
                "</td></tr>";
    }
    html += "</table>";
    const QJsonObject codes = line.value(QStringLiteral("authCodes")).toObject();
    if (!codes.isEmpty()) {
        html += "<p>SK Broadband codes sent by SMS: ";
        for (auto it = codes.constBegin(); it != codes.constEnd(); ++it)
            html += htmlEscape(it.key()) + " → <b>" + htmlEscape(it.value().toString()) + "</b> ";
        html += "</p>";
    }
    auto form = [&](const char *action, const QByteArray &fields, const char *button) {
        html += "<form method=\"post\" action=\"/sim/line/" + QByteArray(action) +
                "\" style=\"margin:4px 0\"><input type=\"hidden\" name=\"back\" value=\"1\">" +
                fields + " <button>" + button + "</button></form>";
    };
    form("call",
         "call <input name=\"from\" value=\"0212345000\" size=12> to desk "
         "<input name=\"to\" value=\"0212345678\" size=12>",
         "ring");
    form("answer", "desk <input name=\"desk\" value=\"0212345678\" size=12>", "answer");
    form("hangup", "desk <input name=\"desk\" value=\"0212345678\" size=12>", "hang up");
    form("sms",
         "SMS from <input name=\"from\" value=\"01012345678\" size=12> to desk "
         "<input name=\"to\" value=\"0212345678\" size=12> <input name=\"text\" "
         "value=\"안녕하세요\" size=20>",
         "send SMS");
    form("drop", "desk <input name=\"desk\" value=\"0212345678\" size=12>", "drop the link");
    html += "<h2>Stored effects</h2><p>";
    for (const char *t : kEffectTables)
        html += "<a href=\"/sim/effects?table=" + QByteArray(t) + "\">" + t + "</a> ";
    html += "</p><h2>Journal</h2><p><a href=\"/sim/journal\">/sim/journal</a></p><table><tr>"
            "<th>#</th><th>time</th><th>request</th><th>operation</th><th>status</th></tr>";
    const auto entries = m_server.journal().all();
    for (qsizetype i = entries.size() - 1, shown = 0; i >= 0 && shown < 100; --i, ++shown) {
        const JournalEntry &e = entries[i];
        html +=
            "<tr><td>" + QByteArray::number(e.seq) + "</td><td>" +
            htmlEscape(e.at.toString(QStringLiteral("HH:mm:ss"))) + "</td><td>" +
            htmlEscape(e.method + QLatin1Char(' ') + e.scheme + QStringLiteral("://") + e.path) +
            "</td><td>" + htmlEscape(e.pKind) + "</td><td>" + QByteArray::number(e.status) +
            "</td></tr>";
    }
    html += "</table></body></html>";
    return Response::html(html);
}

} // namespace officesim
