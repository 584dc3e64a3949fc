// Session, user, customers, bookmarks and groups.
#include "officesim/demodata.h"
#include "officesim/records.h"
#include "officesim/server.h"
#include "officesim/service.h"
#include "officesim/store.h"

#include <QSqlQuery>

namespace officesim {

namespace {

// The client sends "'", '"' and "+" as "&singile", "&double" and "%2B"; a password is compared
// in its plain form.
QString plain(QString s) {
    s.replace(QStringLiteral("&singile"), QStringLiteral("'"));
    s.replace(QStringLiteral("&double"), QStringLiteral("\""));
    s.replace(QStringLiteral("%2B"), QStringLiteral("+"));
    return s;
}

QString likePattern(const QString &word) {
    QString w = word;
    w.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    w.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    w.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + w + QLatin1Char('%');
}

bool isCount(const QString &s, qint64 *out) {
    bool ok = false;
    const qint64 v = s.trimmed().toLongLong(&ok);
    if (ok && v >= 0)
        *out = v;
    return ok && v >= 0;
}

const QString kListColumns = QStringLiteral(
    "c.m_num, c.m_com, c.m_tel, c.m_name_ceo, c.m_hp_ceo, c.m_name, c.m_hp, c.add_name, "
    "c.add_tel, c.add_name_1, c.add_tel_1, c.add_name_2, c.add_tel_2, COALESCE(s.u_name, ''), "
    "c.m_bookmark");

} // namespace

Service::Rows Service::opLogin(const Call &c) {
    const QString account = c.last(QStringLiteral("off_id"));
    const Rows fail = {
        row({{"result", QStringLiteral("0")}, {"rvalue", QStringLiteral("fail_input")}})};
    QSqlQuery q = m_store.exec(
        QStringLiteral("SELECT off_id, salt, pw_hash FROM accounts WHERE u_id = ?"), {account});
    if (!q.next())
        return fail;
    const QString office = q.value(0).toString();
    if (passwordHash(q.value(1).toString(), plain(c.value(QStringLiteral("passwd")))) !=
        q.value(2).toString())
        return fail;
    if (!m_store.any(QStringLiteral("SELECT COUNT(*) FROM lines WHERE tel = ? AND off_id = ?"),
                     {c.telNo, office}))
        return fail;
    const QString skb = m_store
                            .scalar(QStringLiteral("SELECT skb_id FROM staff WHERE off_id = ? "
                                                   "AND u_tel = ? ORDER BY u_num LIMIT 1"),
                                    {office, c.telNo})
                            .toString();
    return {row({{"result", QStringLiteral("1")}, {"off_id", office}, {"skb_id", skb}})};
}

Service::Rows Service::opUpdateSkbId(const Call &c) {
    if (c.uNum == 0)
        return single("result", QStringLiteral("notexist"));
    m_store.exec(
        QStringLiteral("UPDATE staff SET skb_id = ?, skb_pass = ? WHERE u_num = ?"),
        {c.value(QStringLiteral("skb_id")), plain(c.value(QStringLiteral("skb_pass"))), c.uNum});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opUplusPw(const Call &c) {
    if (c.uNum == 0)
        return single("result", QStringLiteral("notexist"));
    const QByteArray pw = wire::unscrambleFixed(c.value(QStringLiteral("pw")).toLatin1());
    m_store.exec(QStringLiteral("UPDATE staff SET uplus_pw = ? WHERE u_num = ?"),
                 {QString::fromUtf8(pw), c.uNum});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opMyName(const Call &c) {
    if (c.uNum == 0)
        return single("u_name", QStringLiteral("null"));
    QSqlQuery s = m_store.exec(
        QStringLiteral("SELECT u_name, u_position FROM staff WHERE u_num = ?"), {c.uNum});
    s.next();
    const auto count = [&](const QString &where, const QVariantList &bound) {
        QVariantList b{c.offId};
        b << bound;
        return m_store
            .scalar(QStringLiteral("SELECT COUNT(*) FROM customers WHERE off_id = ?") + where, b)
            .toString();
    };
    return {row({{"u_name", s.value(0).toString()},
                 {"u_position", s.value(1).toString()},
                 {"u_num", QString::number(c.uNum)},
                 {"total", count({}, {})},
                 {"my_total", count(QStringLiteral(" AND u_num = ?"), {c.uNum})},
                 {"bookmark_total", count(QStringLiteral(" AND m_bookmark LIKE ?"),
                                          {QStringLiteral("%,%1,%").arg(c.uNum)})},
                 {"off_name", m_store
                                  .scalar(QStringLiteral("SELECT name FROM offices WHERE "
                                                         "off_id = ?"),
                                          {c.offId})
                                  .toString()}})};
}

Service::Rows Service::customerListRows(const Call &c, const QString &where,
                                        const QVariantList &bound, const QString &tail) {
    QVariantList b{c.offId};
    b << bound;
    const Rows rows = select(QStringLiteral("SELECT ") + kListColumns +
                                 QStringLiteral(" FROM customers c LEFT JOIN staff s ON "
                                                "s.u_num = c.u_num WHERE c.off_id = ?") +
                                 where + QStringLiteral(" ORDER BY c.m_com, c.m_num") + tail,
                             b,
                             names({"m_num", "m_com", "m_tel", "m_name_ceo", "m_hp_ceo", "m_name",
                                    "m_hp", "add_name", "add_tel", "add_name_1", "add_tel_1",
                                    "add_name_2", "add_tel_2", "u_name", "m_bookmark"}));
    return rows.isEmpty() ? nullRow() : rows;
}

Service::Rows Service::opCustomer(const Call &c) {
    QString where;
    QVariantList bound;
    const QString word = c.value(QStringLiteral("searchWord")).trimmed();
    if (!word.isEmpty()) {
        where += QStringLiteral(" AND (c.m_com LIKE ? ESCAPE '\\' OR s.u_name LIKE ? ESCAPE '\\')");
        bound << likePattern(word) << likePattern(word);
    }

    // The SMS composer's name search: every match, a few columns.
    if (!c.has(QStringLiteral("offSet")) && !c.has(QStringLiteral("total_mod"))) {
        const Rows rows = select(
            QStringLiteral("SELECT COALESCE(s.u_name, 'null'), c.m_com, c.m_tel, c.m_hp, "
                           "c.m_hp_ceo, c.add_tel, c.add_tel_1, c.add_tel_2 FROM customers c "
                           "LEFT JOIN staff s ON s.u_num = c.u_num WHERE c.off_id = ?") +
                where + QStringLiteral(" ORDER BY c.m_com, c.m_num"),
            QVariantList{c.offId} + bound,
            names({"u_name", "m_com", "m_tel", "m_hp", "m_hp_ceo", "add_tel", "add_tel_1",
                   "add_tel_2"}));
        return rows.isEmpty() ? nullRow() : rows;
    }

    if (c.has(QStringLiteral("u_num"))) {
        where += QStringLiteral(" AND c.u_num = ?");
        bound << c.value(QStringLiteral("u_num")).toLongLong();
    }
    if (c.has(QStringLiteral("m_bookmark"))) {
        where += QStringLiteral(" AND c.m_bookmark LIKE ? ESCAPE '\\'");
        bound << likePattern(c.value(QStringLiteral("m_bookmark")));
    }
    if (c.value(QStringLiteral("group")) == QLatin1String("group")) {
        QStringList marks;
        for (const QString &part : c.value(QStringLiteral("m_nums")).split(QLatin1Char(','))) {
            qint64 n = 0;
            if (isCount(part, &n)) {
                marks << QStringLiteral("?");
                bound << n;
            }
        }
        if (marks.isEmpty() || marks.size() > 10000)
            return nullRow();
        where +=
            QStringLiteral(" AND c.m_num IN (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    if (c.value(QStringLiteral("total_mod")) == QLatin1String("total"))
        return customerListRows(c, where, bound, {});

    qint64 offset = 0;
    if (!isCount(c.value(QStringLiteral("offSet")), &offset))
        return single("result", QStringLiteral("fail_input"));
    bound << offset;
    return customerListRows(c, where, bound, QStringLiteral(" LIMIT 100 OFFSET ?"));
}

qint64 Service::customerByNumber(const QString &offId, const QString &tel) const {
    const QString digits = digitsOnly(tel);
    if (digits.isEmpty())
        return 0;
    return m_store
        .scalar(QStringLiteral("SELECT c.m_num FROM customer_phones p JOIN customers c ON "
                               "c.m_num = p.m_num WHERE p.tel = ? AND c.off_id = ? "
                               "ORDER BY c.m_num LIMIT 1"),
                {digits, offId})
        .toLongLong();
}

Service::Rows Service::opCustomerTel(const Call &c) {
    const qint64 m = customerByNumber(c.offId, c.value(QStringLiteral("tel")));
    if (m == 0)
        return nullRow();
    Rows rows = select(
        QStringLiteral("SELECT c.m_gubun, c.m_tel, c.add_tel, c.add_tel_1, c.add_tel_2, c.m_hp, "
                       "c.m_hp_ceo, c.m_name, c.m_name_ceo, c.add_name, c.add_name_1, "
                       "c.add_name_2, c.m_com, COALESCE(s.u_name, 'null') FROM customers c "
                       "LEFT JOIN staff s ON s.u_num = c.u_num WHERE c.m_num = ?"),
        {m},
        names({"m_gubun", "m_tel", "add_tel", "add_tel_1", "add_tel_2", "m_hp", "m_hp_ceo",
               "m_name", "m_name_ceo", "add_name", "add_name_1", "add_name_2", "m_com", "u_name"}));
    QString content = m_store
                          .scalar(QStringLiteral("SELECT c_content FROM calls WHERE off_id = ? "
                                                 "AND c_tel = ? AND c_content <> '' ORDER BY "
                                                 "c_date DESC LIMIT 1"),
                                  {c.offId, digitsOnly(c.value(QStringLiteral("tel")))})
                          .toString();
    rows[0].append(
        {QStringLiteral("content"), content.isEmpty() ? QStringLiteral("null") : content});
    return rows;
}

Service::Rows Service::opSelectCustomer(const Call &c) {
    Rows rows = select(
        QStringLiteral("SELECT m_com, m_gubun, m_comNum, m_corNum, u_num, m_addrZip, m_addr, "
                       "m_tel, add_tel, add_name, add_tel_1, add_name_1, add_tel_2, add_name_2, "
                       "m_name, m_hp, m_name_ceo, m_hp_ceo, m_memo, hometax_id, hometax_pwd, "
                       "m_use FROM customers WHERE m_num = ? AND off_id = ?"),
        {c.value(QStringLiteral("m_num")).toLongLong(), c.offId},
        names({"m_com",     "m_gubun",    "m_comNum",    "m_corNum", "u_num",      "m_addrZip",
               "m_addr",    "m_tel",      "add_tel",     "add_name", "add_tel_1",  "add_name_1",
               "add_tel_2", "add_name_2", "m_name",      "m_hp",     "m_name_ceo", "m_hp_ceo",
               "m_memo",    "hometax_id", "hometax_pwd", "m_use"}));
    if (rows.isEmpty())
        return nullRow();
    // An individual's resident registration number goes out as its first six digits only.
    auto &cor = rows[0][3].second;
    if (rows[0][1].second == QLatin1String("1") && digitsOnly(cor).size() > 6)
        cor = digitsOnly(cor).left(6);
    return rows;
}

Service::Rows Service::opSaveCustomer(const Call &c) {
    const bool update = c.pKind == QLatin1String("update_customer");
    qint64 mNum = 0;
    QString storedCor;
    if (update) {
        QSqlQuery q = m_store.exec(QStringLiteral("SELECT m_num, m_corNum FROM customers WHERE "
                                                  "m_num = ? AND off_id = ?"),
                                   {c.value(QStringLiteral("m_num")).toLongLong(), c.offId});
        if (!q.next())
            return single("result", QStringLiteral("notexist"));
        mNum = q.value(0).toLongLong();
        storedCor = q.value(1).toString();
    }
    Record values;
    for (const QString &col : customerColumns())
        values[col] = c.value(col);
    if (values[QStringLiteral("m_com")].trimmed().isEmpty() ||
        values[QStringLiteral("m_tel")].trimmed().isEmpty())
        return single("result", QStringLiteral("fail_input"));
    const QString gubun = values[QStringLiteral("m_gubun")];
    if (gubun != QLatin1String("0") && gubun != QLatin1String("1"))
        values[QStringLiteral("m_gubun")] = QStringLiteral("1");
    const qint64 uNum = values[QStringLiteral("u_num")].toLongLong();
    if (uNum != 0 &&
        !m_store.any(QStringLiteral("SELECT COUNT(*) FROM staff WHERE u_num = ? AND off_id = ?"),
                     {uNum, c.offId}))
        values[QStringLiteral("u_num")] = QStringLiteral("0");
    if (values[QStringLiteral("m_use")] != QLatin1String("1"))
        values[QStringLiteral("m_use")] = QStringLiteral("0");
    // The card sends a masked number back as its visible six digits: keep what is stored.
    const QString cor = values[QStringLiteral("m_corNum")];
    if (update && cor.size() == 6 && storedCor.startsWith(cor))
        values[QStringLiteral("m_corNum")] = storedCor;

    const QString comNum = digitsOnly(values[QStringLiteral("m_comNum")]);
    if (!comNum.isEmpty()) {
        QSqlQuery dup = m_store.exec(
            QStringLiteral("SELECT m_num, m_comNum FROM customers WHERE off_id = ? AND m_num <> ?"),
            {c.offId, mNum});
        while (dup.next())
            if (digitsOnly(dup.value(1).toString()) == comNum)
                return {
                    row({{"result", QStringLiteral("dup")}, {"rvalue", QStringLiteral("comNum")}})};
    }
    if (update)
        updateCustomer(m_store, mNum, values);
    else
        mNum = insertCustomer(m_store, c.offId, values);
    return {row({{"result", QStringLiteral("complete")}, {"m_num", QString::number(mNum)}})};
}

Service::Rows Service::opMyEmp(const Call &c) {
    return select(QStringLiteral("SELECT u_name, u_num, u_hp FROM staff WHERE off_id = ? "
                                 "ORDER BY u_num"),
                  {c.offId}, names({"u_name", "u_num", "u_hp"}));
}

Service::Rows Service::opSelectGroup(const Call &c) {
    const Rows rows = select(QStringLiteral("SELECT g_name, m_nums, g_num FROM groups WHERE "
                                            "off_id = ? AND u_num = ? ORDER BY g_num"),
                             {c.offId, c.value(QStringLiteral("u_num")).toLongLong()},
                             names({"g_name", "m_nums", "g_num"}));
    return rows.isEmpty() ? nullRow() : rows;
}

Service::Rows Service::opInsertGroup(const Call &c) {
    QSqlQuery g = m_store.exec(QStringLiteral("SELECT m_nums FROM groups WHERE g_num = ? AND "
                                              "off_id = ? AND u_num = ?"),
                               {c.value(QStringLiteral("g_num")).toLongLong(), c.offId,
                                c.value(QStringLiteral("u_num")).toLongLong()});
    const qint64 m = c.value(QStringLiteral("m_num")).toLongLong();
    if (!g.next() ||
        !m_store.any(QStringLiteral("SELECT COUNT(*) FROM customers WHERE m_num = ? AND "
                                    "off_id = ?"),
                     {m, c.offId}))
        return single("result", QStringLiteral("incorrect"));
    QString members = g.value(0).toString();
    if (members.isEmpty())
        members = QStringLiteral(",");
    const QString mark = QStringLiteral(",%1,").arg(m);
    if (members.contains(mark))
        return single("result", QStringLiteral("exist"));
    members += QString::number(m) + QLatin1Char(',');
    m_store.exec(QStringLiteral("UPDATE groups SET m_nums = ? WHERE g_num = ?"),
                 {members, c.value(QStringLiteral("g_num")).toLongLong()});
    return single("result", QStringLiteral("complete"));
}

Service::Rows Service::opDeleteGroup(const Call &c) {
    QSqlQuery q = m_store.exec(QStringLiteral("DELETE FROM groups WHERE g_num = ? AND off_id = ? "
                                              "AND u_num = ?"),
                               {c.value(QStringLiteral("g_num")).toLongLong(), c.offId,
                                c.value(QStringLiteral("u_num")).toLongLong()});
    return single("rvalue", q.numRowsAffected() > 0 ? QStringLiteral("complete")
                                                    : QStringLiteral("incorrect"));
}

Service::Rows Service::opUpdateBookmark(const Call &c) {
    const qint64 m = c.value(QStringLiteral("m_num")).toLongLong();
    QSqlQuery q = m_store.exec(
        QStringLiteral("SELECT m_bookmark FROM customers WHERE m_num = ? AND off_id = ?"),
        {m, c.offId});
    if (!q.next())
        return single("result", QStringLiteral("fail_update"));
    QString marker = q.value(0).toString();
    const QString user = c.value(QStringLiteral("u_num")).trimmed();
    const QString mark = QLatin1Char(',') + user + QLatin1Char(',');
    if (c.value(QStringLiteral("m_reg")) == QLatin1String("reg")) {
        if (marker.contains(mark))
            return single("result", QStringLiteral("exist"));
        if (!marker.isEmpty() && marker != QLatin1String("0"))
            marker += user + QLatin1Char(',');
        else
            marker = mark;
    } else {
        marker.replace(mark, QStringLiteral(","));
        marker = marker.trimmed();
        if (marker == QLatin1String(","))
            marker.clear();
    }
    m_store.exec(QStringLiteral("UPDATE customers SET m_bookmark = ? WHERE m_num = ?"),
                 {marker, m});
    return single("result", QStringLiteral("complete"));
}

} // namespace officesim
