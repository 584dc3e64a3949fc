#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace officesim {

// officesim's SQLite file. Values are always bound as parameters.
class Store {
public:
    Store();
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase &db() { return m_db; }

    // Runs a statement with bound values; returns the executed query (check isActive()).
    QSqlQuery exec(const QString &sql, const QVariantList &values = {});
    // First column of the first row, or an invalid QVariant.
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    // Whether a "SELECT COUNT(*) …" counts anything.
    bool any(const QString &sql, const QVariantList &values = {}) {
        return scalar(sql, values).toLongLong() > 0;
    }

    QString meta(const QString &key) const;
    void setMeta(const QString &key, const QString &value);

private:
    QString m_connection;
    QSqlDatabase m_db;
};

} // namespace officesim
