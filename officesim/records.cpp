#include "officesim/records.h"

#include "officesim/store.h"

#include <QSqlQuery>

namespace officesim {

const QStringList &customerColumns() {
    static const QStringList cols = {
        QStringLiteral("m_com"),      QStringLiteral("m_gubun"),     QStringLiteral("m_comNum"),
        QStringLiteral("m_corNum"),   QStringLiteral("u_num"),       QStringLiteral("m_tel"),
        QStringLiteral("add_tel"),    QStringLiteral("add_tel_1"),   QStringLiteral("add_tel_2"),
        QStringLiteral("m_addrZip"),  QStringLiteral("m_addr"),      QStringLiteral("m_name"),
        QStringLiteral("m_hp"),       QStringLiteral("m_name_ceo"),  QStringLiteral("m_hp_ceo"),
        QStringLiteral("m_pwd"),      QStringLiteral("m_use"),       QStringLiteral("m_memo"),
        QStringLiteral("hometax_id"), QStringLiteral("hometax_pwd"), QStringLiteral("add_name"),
        QStringLiteral("add_name_1"), QStringLiteral("add_name_2")};
    return cols;
}

const QStringList &customerPhoneColumns() {
    static const QStringList cols = {QStringLiteral("m_tel"),     QStringLiteral("m_hp"),
                                     QStringLiteral("m_hp_ceo"),  QStringLiteral("add_tel"),
                                     QStringLiteral("add_tel_1"), QStringLiteral("add_tel_2")};
    return cols;
}

QString digitsOnly(const QString &text) {
    QString out;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

static QVariant columnValue(const QString &col, const Record &values) {
    const QString v = values.value(col);
    if (col == QLatin1String("u_num"))
        return v.toLongLong();
    if (col == QLatin1String("m_addrZip") && v.isEmpty())
        return QStringLiteral("00000");
    return v;
}

qint64 insertCustomer(Store &store, const QString &offId, const Record &values) {
    QStringList cols = customerColumns();
    cols << QStringLiteral("m_bookmark");
    QString sql = QStringLiteral("INSERT INTO customers (off_id");
    QVariantList bound{offId};
    for (const QString &c : cols) {
        sql += QStringLiteral(", ") + c;
        bound << columnValue(c, values);
    }
    sql += QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(cols.size()) +
           QStringLiteral(")");
    QSqlQuery q = store.exec(sql, bound);
    const qint64 id = q.lastInsertId().toLongLong();
    reindexPhones(store, id);
    return id;
}

void updateCustomer(Store &store, qint64 mNum, const Record &values) {
    QString sql = QStringLiteral("UPDATE customers SET ");
    QVariantList bound;
    bool first = true;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        if (!customerColumns().contains(it.key()) && it.key() != QLatin1String("m_bookmark"))
            continue;
        if (!first)
            sql += QStringLiteral(", ");
        first = false;
        sql += it.key() + QStringLiteral(" = ?");
        bound << columnValue(it.key(), values);
    }
    if (first)
        return;
    sql += QStringLiteral(" WHERE m_num = ?");
    bound << mNum;
    store.exec(sql, bound);
    reindexPhones(store, mNum);
}

void reindexPhones(Store &store, qint64 mNum) {
    store.exec(QStringLiteral("DELETE FROM customer_phones WHERE m_num = ?"), {mNum});
    QSqlQuery q = store.exec(QStringLiteral("SELECT m_tel, m_hp, m_hp_ceo, add_tel, add_tel_1, "
                                            "add_tel_2 FROM customers WHERE m_num = ?"),
                             {mNum});
    if (!q.next())
        return;
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
        const QString tel = digitsOnly(q.value(i).toString());
        if (tel.isEmpty() || seen.contains(tel))
            continue;
        seen << tel;
        store.exec(QStringLiteral("INSERT INTO customer_phones (m_num, tel) VALUES (?, ?)"),
                   {mNum, tel});
    }
}

} // namespace officesim
