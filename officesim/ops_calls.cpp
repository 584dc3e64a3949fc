// Calls, recordings, work history, messages, AlimTalk batches, notifications and reminders.
#include "officesim/records.h"
#include "officesim/server.h"
#include "officesim/service.h"
#include "officesim/store.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

namespace officesim {

namespace {

// A "|"-terminated list: one entry per "|".
QStringList pipeList(const QString &text) {
    QStringList parts = text.split(QLatin1Char('|'));
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}

const QStringList &kakaoListFields() {
    static const QStringList f = names({"m_comNum", "m_com", "m_gubun", "m_hp", "price", "bank1",
                                        "bank2", "bank3", "bank4", "bank5", "up1", "up2"});
    return f;
}

// A handed-over task with its sender: name, position, date, time, number, content.
const QString kTaskQuery = QStringLiteral(
    "SELECT s.u_name, s.u_position, substr(t.c_date, 1, 10), substr(t.c_date, 12, 8), t.c_tel, "
    "t.c_content FROM notifications n JOIN tasks t ON t.seq = n.task JOIN staff s ON "
    "s.u_num = t.from_u_num WHERE n.seq = ? AND n.off_id = ?");

} // namespace

void Service::addHistory(const Call &c, qint64 mNum, const QString &manual,
                         const QString &content) {
    m_store.exec(QStringLiteral("INSERT INTO history (off_id, m_num, u_num, c_flag, c_manual, "
                                "c_complete, c_content_gubun, c_content, c_name, created) "
                                "VALUES (?, ?, ?, '9', ?, '2', '', ?, ?, ?)"),
                 {c.offId, mNum, c.value(QStringLiteral("u_num")).toLongLong(), manual, content,
                  c.value(QStringLiteral("c_name")), stamp()});
}

Service::Rows Service::opCallHistoryTotal(const Call &c) {
    return single("total", m_store
                               .scalar(QStringLiteral("SELECT COUNT(*) FROM calls WHERE off_id = ? "
                                                      "AND u_num = ?"),
                                       {c.offId, c.value(QStringLiteral("u_num")).toLongLong()})
                               .toString());
}

Service::Rows Service::opCallHistory(const Call &c) {
    bool ok = false;
    const qint64 offset = c.value(QStringLiteral("offSet")).trimmed().toLongLong(&ok);
    if (!ok || offset < 0)
        return single("result", QStringLiteral("fail_input"));
    Rows rows =
        select(QStringLiteral("SELECT c_num, u_num, substr(c_date, 1, 10), c_flag, "
                              "c_content, c_tel, substr(c_date, 12, 8) FROM calls "
                              "WHERE off_id = ? AND u_num = ? ORDER BY c_date DESC, "
                              "c_num DESC LIMIT 20 OFFSET ?"),
               {c.offId, c.value(QStringLiteral("u_num")).toLongLong(), offset},
               names({"c_num", "u_num", "c_date_y", "c_flag", "c_content", "c_tel", "c_date_m"}));
    for (wire::Fields &r : rows) {
        const QString tel = r[5].second;
        const qint64 m = customerByNumber(c.offId, tel);
        const QString com =
            m ? m_store.scalar(QStringLiteral("SELECT m_com FROM customers WHERE m_num = ?"), {m})
                    .toString()
              : QString();
        r.insert(5, {QStringLiteral("c_com"), com});
    }
    return rows;
}

Service::Rows Service::opCallReport(const Call &c) {
    const QString tel = c.value(QStringLiteral("c_tel"));
    const qint64 u = c.value(QStringLiteral("u_num")).toLongLong();
    m_store.exec(QStringLiteral("INSERT INTO reports (off_id, kind, c_tel, u_num, c_name, "
                                "created) VALUES (?, ?, ?, ?, ?, ?)"),
                 {c.offId, c.pKind, tel, u, c.value(QStringLiteral("c_name")), stamp()});
    // A missed incoming call and an unanswered outgoing one appear in the user's call list.
    m_store.exec(QStringLiteral("INSERT INTO calls (off_id, u_num, c_tel, c_flag, c_date) "
                                "VALUES (?, ?, ?, ?, ?)"),
                 {c.offId, u, digitsOnly(tel),
                  c.pKind == QLatin1String("busyCall") ? QStringLiteral("2") : QStringLiteral("10"),
                  stamp()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opReceivedSms(const Call &c) {
    m_store.exec(QStringLiteral("INSERT INTO reports (off_id, kind, c_tel, u_num, message, "
                                "created) VALUES (?, 'received_sms', ?, ?, ?, ?)"),
                 {c.offId, c.value(QStringLiteral("c_tel")), c.uNum,
                  c.value(QStringLiteral("smsmsg")), stamp()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opUpdateRecordFile(const Call &c) {
    const QString file = c.value(QStringLiteral("c_recordFile")).trimmed();
    static const QRegularExpression safe(QStringLiteral("^[^/\\\\:*?\"<>|]+$"));
    if (file.isEmpty() || !safe.match(file).hasMatch() || file.startsWith(QLatin1Char('.')))
        return single("result", QStringLiteral("fail_input"));
    const qint64 u = c.value(QStringLiteral("u_num")).toLongLong();
    const QString uTel =
        m_store.scalar(QStringLiteral("SELECT u_tel FROM staff WHERE u_num = ?"), {u}).toString();
    // The recording belongs to the user's latest call, when there is one of the last hours.
    QSqlQuery last = m_store.exec(
        QStringLiteral("SELECT c_num, c_tel FROM calls WHERE off_id = ? AND u_num = ? AND c_date "
                       ">= ? ORDER BY c_date DESC, c_num DESC LIMIT 1"),
        {c.offId, u,
         m_server.now().addSecs(-3 * 3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    QString tel;
    if (last.next()) {
        tel = last.value(1).toString();
        m_store.exec(QStringLiteral("UPDATE calls SET c_recordFile = ? WHERE c_num = ?"),
                     {file, last.value(0)});
    } else {
        // "1234-01012345678_20240105093000.wav": the other party stands after the dash.
        static const QRegularExpression party(QStringLiteral("^[^-_]*-(\\d+)_"));
        tel = party.match(file).captured(1);
    }
    m_store.exec(QStringLiteral("INSERT INTO recordings (off_id, u_num, u_tel, c_tel, c_flag, "
                                "c_recordFile, c_date) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 {c.offId, u, uTel, tel,
                  c.value(QStringLiteral("c_flag")) == QLatin1String("1") ? QStringLiteral("1")
                                                                          : QStringLiteral("0"),
                  file, stamp()});
    m_store.exec(QStringLiteral("INSERT INTO reports (off_id, kind, c_tel, u_num, message, "
                                "created) VALUES (?, 'update_recordFile', ?, ?, ?, ?)"),
                 {c.offId, tel, u, file, stamp()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opSelectRecordFile(const Call &c) {
    QString where;
    QVariantList bound{c.offId, c.value(QStringLiteral("sdate")) + QStringLiteral(" 00:00:00"),
                       c.value(QStringLiteral("edate")) + QStringLiteral(" 23:59:59")};
    const QString flag = c.value(QStringLiteral("c_flag"));
    if (flag == QLatin1String("1"))
        where += QStringLiteral(" AND r.c_flag = '1'");
    else if (flag == QLatin1String("2"))
        where += QStringLiteral(" AND r.c_flag = '0'");
    Rows rows =
        select(QStringLiteral("SELECT r.c_recordFile, r.u_tel, r.c_tel, r.c_flag, "
                              "substr(r.c_date, 1, 10), substr(r.c_date, 12, 8) "
                              "FROM recordings r WHERE r.off_id = ? AND r.c_date >= ? "
                              "AND r.c_date <= ?") +
                   where + QStringLiteral(" ORDER BY r.c_date DESC, r.seq DESC"),
               bound, names({"c_recordFile", "u_tel", "c_tel", "c_flag", "c_date_y", "c_date_m"}));
    const QString word = c.value(QStringLiteral("searchWord")).trimmed();
    Rows out;
    for (wire::Fields &r : rows) {
        const qint64 m = customerByNumber(c.offId, r[2].second);
        const QString com =
            m ? m_store.scalar(QStringLiteral("SELECT m_com FROM customers WHERE m_num = ?"), {m})
                    .toString()
              : QString();
        if (!word.isEmpty() && !com.contains(word) &&
            !(digitsOnly(word).size() > 0 && r[2].second.contains(digitsOnly(word))))
            continue;
        r.insert(2, {QStringLiteral("m_com"), com});
        out << r;
        if (out.size() == 100)
            break;
    }
    return out.isEmpty() ? nullRow("c_recordFile") : out;
}

Service::Rows Service::opInsertHistory(const Call &c) {
    const qint64 m = c.value(QStringLiteral("m_num")).toLongLong();
    if (!m_store.any(QStringLiteral("SELECT COUNT(*) FROM customers WHERE m_num = ? AND "
                                    "off_id = ?"),
                     {m, c.offId}))
        return single("result", QStringLiteral("fail_input"));
    m_store.exec(QStringLiteral("INSERT INTO history (off_id, m_num, u_num, c_flag, c_manual, "
                                "c_complete, c_content_gubun, c_content, c_name, created) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {c.offId, m, c.value(QStringLiteral("u_num")).toLongLong(),
                  c.value(QStringLiteral("c_flag")), c.value(QStringLiteral("c_manual")),
                  c.value(QStringLiteral("c_complete")), c.value(QStringLiteral("c_content_gubun")),
                  c.value(QStringLiteral("c_content")), c.value(QStringLiteral("c_name")),
                  stamp()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opInsertSms(const Call &c) {
    const bool quick = c.pKind == QLatin1String("insert_sms1");
    const QString list = c.value(quick ? QStringLiteral("c_tel") : QStringLiteral("smsList"));
    QStringList numbers;
    for (const QString &n : list.split(quick ? QLatin1Char(',') : QLatin1Char('|'))) {
        const QString d = digitsOnly(n);
        if (!d.isEmpty())
            numbers << d;
    }
    if (numbers.isEmpty())
        return single("rvalue", QStringLiteral("fail_input"));
    QSet<qint64> customers;
    for (const QString &n : numbers)
        if (const qint64 m = customerByNumber(c.offId, n))
            customers.insert(m);
    if (!quick && customers.isEmpty())
        return single("rvalue", QStringLiteral("notexist"));
    m_store.exec(QStringLiteral("INSERT INTO sms_log (off_id, kind, u_num, c_name, numbers, "
                                "c_content, c_history, created) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {c.offId, c.pKind, c.value(QStringLiteral("u_num")).toLongLong(),
                  c.value(QStringLiteral("c_name")), numbers.join(QLatin1Char('|')),
                  c.value(QStringLiteral("c_content")), c.value(QStringLiteral("c_history")),
                  stamp()});
    if (c.value(QStringLiteral("c_history")) == QLatin1String("1"))
        for (qint64 m : customers)
            addHistory(c, m, QStringLiteral("3"), c.value(QStringLiteral("c_content")));
    return single("rvalue", QStringLiteral("complete"));
}

Service::Rows Service::opSelectKakaoList(const Call &c) {
    const Rows rows = select(
        QStringLiteral("SELECT b.s_limit, b.s_kind, b.s_type, r.m_com, r.m_gubun, r.m_hp, r.price, "
                       "r.bank1, r.bank2, r.bank3, r.bank4, r.bank5, r.m_comNum, r.up1, r.up2 "
                       "FROM kakao_rows r JOIN kakao_batches b ON b.seq = r.seq WHERE r.seq = ? "
                       "AND b.off_id = ? ORDER BY r.ord"),
        {c.value(QStringLiteral("l_no")).toLongLong(), c.offId},
        names({"s_limit", "s_kind", "s_type", "m_com", "m_gubun", "m_hp", "price", "bank1", "bank2",
               "bank3", "bank4", "bank5", "m_comNum", "up1", "up2"}));
    return rows.isEmpty() ? nullRow() : rows;
}

Service::Rows Service::opInsertKakao(const Call &c) {
    QList<QStringList> lists;
    for (const QString &f : kakaoListFields())
        lists << pipeList(c.value(f));
    const qsizetype n = lists.first().size();
    for (const QStringList &l : lists)
        if (l.size() != n)
            return single("result", QStringLiteral("fail_input"));
    if (n == 0)
        return single("result", QStringLiteral("fail_input"));
    qint64 seq = c.value(QStringLiteral("l_no")).toLongLong();
    if (seq != 0) {
        if (!m_store.any(QStringLiteral("SELECT COUNT(*) FROM kakao_batches WHERE seq = ? AND "
                                        "off_id = ? AND sent = 0"),
                         {seq, c.offId}))
            return single("result", QStringLiteral("notexist"));
        m_store.exec(QStringLiteral("UPDATE kakao_batches SET s_kind = ?, s_type = ?, s_limit = ?, "
                                    "s_cnt = ? WHERE seq = ?"),
                     {c.value(QStringLiteral("s_kind")), c.value(QStringLiteral("s_type")),
                      c.value(QStringLiteral("s_limit")), c.value(QStringLiteral("s_cnt")), seq});
        m_store.exec(QStringLiteral("DELETE FROM kakao_rows WHERE seq = ?"), {seq});
    } else {
        QSqlQuery q = m_store.exec(
            QStringLiteral("INSERT INTO kakao_batches (off_id, user_id, s_kind, s_type, s_limit, "
                           "s_cnt, created) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {c.offId, c.value(QStringLiteral("user_id")), c.value(QStringLiteral("s_kind")),
             c.value(QStringLiteral("s_type")), c.value(QStringLiteral("s_limit")),
             c.value(QStringLiteral("s_cnt")), stamp()});
        seq = q.lastInsertId().toLongLong();
    }
    for (qsizetype i = 0; i < n; ++i) {
        QVariantList bound{seq, i};
        for (const QStringList &l : lists)
            bound << l[i];
        m_store.exec(QStringLiteral("INSERT INTO kakao_rows (seq, ord, m_comNum, m_com, m_gubun, "
                                    "m_hp, price, bank1, bank2, bank3, bank4, bank5, up1, up2) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     bound);
    }
    return {wire::Fields{{QStringLiteral("result"), QStringLiteral("complete")},
                         {QStringLiteral("seq"), QString::number(seq)}}};
}

Service::Rows Service::opSelectTel(const Call &c) {
    const QString comNum = digitsOnly(c.value(QStringLiteral("comNum")));
    QSqlQuery q = m_store.exec(QStringLiteral("SELECT m_comNum, m_hp, m_hp_ceo, m_tel, add_tel, "
                                              "add_tel_1, add_tel_2 FROM customers WHERE "
                                              "off_id = ? ORDER BY m_num"),
                               {c.offId});
    while (!comNum.isEmpty() && q.next()) {
        if (digitsOnly(q.value(0).toString()) != comNum)
            continue;
        wire::Fields r;
        const QStringList n =
            names({"m_hp", "m_hp_ceo", "m_tel", "add_tel", "add_tel_1", "add_tel_2"});
        for (int i = 0; i < n.size(); ++i)
            r.append({n[i], q.value(i + 1).toString()});
        return {r};
    }
    return nullRow();
}

Service::Rows Service::opUpdateTel(const Call &c) {
    const QString comNum = digitsOnly(c.value(QStringLiteral("m_comNum")));
    QSqlQuery q = m_store.exec(
        QStringLiteral("SELECT m_num, m_comNum FROM customers WHERE off_id = ?"), {c.offId});
    while (!comNum.isEmpty() && q.next()) {
        if (digitsOnly(q.value(1).toString()) != comNum)
            continue;
        Record values;
        for (const char *f : {"m_hp", "m_hp_ceo", "m_tel", "add_tel", "add_tel_1", "add_tel_2"})
            values[QString::fromLatin1(f)] = digitsOnly(c.value(QString::fromLatin1(f)));
        updateCustomer(m_store, q.value(0).toLongLong(), values);
        return single("result", QStringLiteral("complete"));
    }
    return single("result", QStringLiteral("notexist"));
}

Service::Rows Service::opSelectKakao(const Call &c) {
    const Rows rows = select(QStringLiteral("SELECT s_cnt, seq FROM kakao_batches WHERE off_id = ? "
                                            "AND user_id = ? AND s_kind = ? AND s_type = ? AND "
                                            "sent = 0 ORDER BY seq"),
                             {c.offId, c.value(QStringLiteral("user_id")),
                              c.value(QStringLiteral("s_kind")), c.value(QStringLiteral("s_type"))},
                             names({"s_cnt", "seq"}));
    return rows.isEmpty() ? nullRow() : rows;
}

Service::Rows Service::opDeleteKakao(const Call &c) {
    const qint64 seq = c.value(QStringLiteral("l_no")).toLongLong();
    QSqlQuery q = m_store.exec(
        QStringLiteral("DELETE FROM kakao_batches WHERE seq = ? AND off_id = ? AND sent = 0"),
        {seq, c.offId});
    if (q.numRowsAffected() == 0)
        return single("result", QStringLiteral("notexist"));
    m_store.exec(QStringLiteral("DELETE FROM kakao_rows WHERE seq = ?"), {seq});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opKakaoPreview(const Call &c) {
    const Rows rows = select(
        QStringLiteral("SELECT r.m_com, r.price, r.bank1, r.bank2, r.bank3, r.bank4, r.bank5 FROM "
                       "kakao_rows r JOIN kakao_batches b ON b.seq = r.seq WHERE r.seq = ? AND "
                       "b.off_id = ? ORDER BY r.ord LIMIT 1"),
        {c.value(QStringLiteral("seq")).toLongLong(), c.offId},
        names({"m_com", "price", "bank1", "bank2", "bank3", "bank4", "bank5"}));
    return rows.isEmpty() ? nullRow() : rows;
}

// The rows of a user's unsent batches of one tax kind and period.
static QSqlQuery pendingRows(Store &store, const QString &offId, const QString &user,
                             const QString &kind, const QString &type) {
    return store.exec(QStringLiteral("SELECT r.m_com, r.m_hp, r.price, r.bank1, r.bank2, r.bank3, "
                                     "r.bank4, r.bank5, r.m_comNum FROM kakao_rows r JOIN "
                                     "kakao_batches b ON b.seq = r.seq WHERE b.off_id = ? AND "
                                     "b.user_id = ? AND b.s_kind = ? AND b.s_type = ? AND "
                                     "b.sent = 0 ORDER BY b.seq, r.ord"),
                      {offId, user, kind, type});
}

Service::Rows Service::opCheckKakaoList(const Call &c) {
    QSqlQuery q = pendingRows(m_store, c.offId, c.value(QStringLiteral("user_id")),
                              c.value(QStringLiteral("s_kind")), c.value(QStringLiteral("s_type")));
    Rows faulty;
    while (q.next()) {
        QString missing;
        if (digitsOnly(q.value(1).toString()).isEmpty())
            missing += QStringLiteral("수신번호,");
        if (q.value(2).toString().trimmed().isEmpty())
            missing += QStringLiteral("납부금액,");
        bool anyBank = false;
        for (int i = 3; i <= 7; ++i)
            anyBank = anyBank || !q.value(i).toString().trimmed().isEmpty();
        if (!anyBank)
            missing += QStringLiteral("납부정보,");
        if (!missing.isEmpty())
            faulty << wire::Fields{{QStringLiteral("m_com"), q.value(0).toString()},
                                   {QStringLiteral("kind"), missing}};
    }
    return faulty.isEmpty() ? single("result", QStringLiteral("complete")) : faulty;
}

Service::Rows Service::opDupKakaoList(const Call &c) {
    QSqlQuery q = pendingRows(m_store, c.offId, c.value(QStringLiteral("user_id")),
                              c.value(QStringLiteral("s_kind")), c.value(QStringLiteral("s_type")));
    QHash<QString, int> seen;
    QStringList order;
    while (q.next())
        for (const QString &n : q.value(1).toString().split(QLatin1Char('/'))) {
            const QString d = digitsOnly(n);
            if (d.isEmpty())
                continue;
            if (seen[d]++ == 0)
                order << d;
        }
    Rows dups;
    for (const QString &d : order)
        if (seen.value(d) > 1)
            dups << wire::Fields{{QStringLiteral("m_hp"), d}};
    return dups.isEmpty() ? single("result", QStringLiteral("complete")) : dups;
}

Service::Rows Service::opKakaoSendList(const Call &c) {
    const QString user = c.value(QStringLiteral("user_id")),
                  kind = c.value(QStringLiteral("s_kind")),
                  type = c.value(QStringLiteral("s_type"));
    QSqlQuery q = pendingRows(m_store, c.offId, user, kind, type);
    int messages = 0;
    QSet<QString> comNums;
    while (q.next()) {
        for (const QString &n : q.value(1).toString().split(QLatin1Char('/')))
            messages += digitsOnly(n).isEmpty() ? 0 : 1;
        comNums.insert(digitsOnly(q.value(8).toString()));
    }
    if (messages == 0)
        return single("result", QStringLiteral("fail_input"));
    m_store.exec(
        QStringLiteral("UPDATE kakao_batches SET sent = 1 WHERE off_id = ? AND user_id = ? "
                       "AND s_kind = ? AND s_type = ? AND sent = 0"),
        {c.offId, user, kind, type});
    QVariantList bound{c.offId};
    for (const char *f : {"user_id", "s_kind", "s_type", "history", "template", "u_num", "u_name",
                          "mycompany", "period"})
        bound << c.value(QString::fromLatin1(f));
    bound << messages << stamp();
    m_store.exec(QStringLiteral("INSERT INTO kakao_sends (off_id, user_id, s_kind, s_type, "
                                "history, template, u_num, u_name, mycompany, period, messages, "
                                "created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 bound);
    if (c.value(QStringLiteral("history")) == QLatin1String("1")) {
        QSqlQuery all = m_store.exec(
            QStringLiteral("SELECT m_num, m_comNum FROM customers WHERE off_id = ?"), {c.offId});
        while (all.next())
            if (comNums.contains(digitsOnly(all.value(1).toString())))
                addHistory(c, all.value(0).toLongLong(), QStringLiteral("4"),
                           c.value(QStringLiteral("template")));
    }
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opAlrimCount(const Call &c) {
    const Rows rows = select(QStringLiteral("SELECT kind, created, name, seq FROM notifications "
                                            "WHERE off_id = ? AND u_num = ? AND is_read = 0 "
                                            "ORDER BY created DESC, seq DESC"),
                             {c.offId, c.value(QStringLiteral("u_num")).toLongLong()},
                             names({"result", "a_date", "a_text", "seq"}));
    return rows.isEmpty() ? nullRow() : rows;
}

Service::Rows Service::opAlrim(const Call &c) {
    const Rows rows = select(QStringLiteral("SELECT kind, created, name, seq FROM notifications "
                                            "WHERE off_id = ? AND u_num = ? ORDER BY created "
                                            "DESC, seq DESC LIMIT 100"),
                             {c.offId, c.value(QStringLiteral("u_num")).toLongLong()},
                             names({"rvalue", "a_date", "name", "seq"}));
    return rows.isEmpty() ? nullRow("rvalue") : rows;
}

Service::Rows Service::opUpdateAlrim(const Call &c) {
    const QStringList kinds = c.value(QStringLiteral("aKindList")).split(QLatin1Char('|'));
    const QStringList nos = c.value(QStringLiteral("noList")).split(QLatin1Char('|'));
    if (kinds.size() != nos.size())
        return single("result", QStringLiteral("fail_input"));
    for (qsizetype i = 0; i < kinds.size(); ++i)
        m_store.exec(QStringLiteral("UPDATE notifications SET is_read = 1 WHERE off_id = ? AND "
                                    "kind = ? AND seq = ?"),
                     {c.offId, kinds[i], nos[i].toLongLong()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opCallData(const Call &c) {
    QSqlQuery t = m_store.exec(kTaskQuery, {c.value(QStringLiteral("seq")).toLongLong(), c.offId});
    if (!t.next())
        return nullRow("c_name");
    const qint64 m = customerByNumber(c.offId, t.value(4).toString());
    if (m == 0)
        return nullRow("c_name");
    QSqlQuery cust =
        m_store.exec(QStringLiteral("SELECT m_com, m_hp FROM customers WHERE m_num = ?"), {m});
    cust.next();
    return {row({{"c_name", t.value(0).toString()},
                 {"u_position", t.value(1).toString()},
                 {"c_date_y", t.value(2).toString()},
                 {"c_date_m", t.value(3).toString()},
                 {"m_com", cust.value(0).toString()},
                 {"c_tel", t.value(4).toString()},
                 {"c_content", t.value(5).toString()},
                 {"m_hp", cust.value(1).toString()}})};
}

Service::Rows Service::opCallDataEmpty(const Call &c) {
    const Rows rows =
        select(kTaskQuery, {c.value(QStringLiteral("seq")).toLongLong(), c.offId},
               names({"u_name", "u_positon", "c_date_y", "c_date_m", "c_tel", "c_content"}));
    return rows.isEmpty() ? nullRow("u_name") : rows;
}

Service::Rows Service::opGetCalendar(const Call &c) {
    const Rows rows =
        select(QStringLiteral("SELECT s_date_t, alrim, kakao_code FROM calendar WHERE off_id = ? "
                              "AND u_num = ? AND s_date = ? ORDER BY s_date_t"),
               {c.offId, c.value(QStringLiteral("u_num")).toLongLong(),
                m_server.now().date().toString(QStringLiteral("yyyy-MM-dd"))},
               names({"s_date_t", "alrim", "kakao_code"}));
    return rows.isEmpty() ? nullRow() : rows;
}

} // namespace officesim
