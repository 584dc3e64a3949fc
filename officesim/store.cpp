#include "officesim/store.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace officesim {

static QAtomicInteger<int> s_connections;

Store::Store() : m_connection(QStringLiteral("officesim-%1").arg(++s_connections)) {}

Store::~Store() {
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

bool Store::open(const QString &path, QString *error) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(path);
    if (!m_db.open()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    exec(QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT)"));
    return true;
}

QSqlQuery Store::exec(const QString &sql, const QVariantList &values) {
    QSqlQuery q(m_db);
    if (!q.prepare(sql)) {
        qWarning("officesim: prepare failed: %s: %s", qPrintable(sql),
                 qPrintable(q.lastError().text()));
        return q;
    }
    for (const QVariant &v : values) {
        // A null QString would bind as SQL NULL; the service stores empty texts instead.
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QString::fromLatin1(""));
        else
            q.addBindValue(v);
    }
    if (!q.exec())
        qWarning("officesim: exec failed: %s: %s", qPrintable(sql),
                 qPrintable(q.lastError().text()));
    return q;
}

QVariant Store::scalar(const QString &sql, const QVariantList &values) {
    QSqlQuery q = exec(sql, values);
    if (q.isActive() && q.next())
        return q.value(0);
    return {};
}

QString Store::meta(const QString &key) const {
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?"));
    q.addBindValue(key);
    if (q.exec() && q.next())
        return q.value(0).toString();
    return {};
}

void Store::setMeta(const QString &key, const QString &value) {
    exec(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)"), {key, value});
}

} // namespace officesim
