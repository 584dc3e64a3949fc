#pragma once

// The client's wire format written out by hand, for testing officesim on its own terms: a POST
// body "param=" + {"param":[{...}]} with values already form-encoded, and an answer reader that
// keeps the order of the fields.

#include "support/officesimfixture.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace wiretest {

// 2026-12-11 10:00:00 scrambled with R1=12, R2=34, R3=56.
inline constexpr const char *kCercode = "123456050048050055048048051051050051052052052053";
inline QDateTime serviceNow() {
    return QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0));
}

using Row = QList<QPair<QString, QString>>;

struct Answer {
    int status = 0;
    QByteArray raw;
    QList<Row> rows;
    QString at(int row, const QString &name) const;
    QString first() const {
        return rows.isEmpty() || rows[0].isEmpty() ? QString() : rows[0][0].second;
    }
    QStringList names(int row = 0) const;
};

// fields: the operation's own fields as JSON members, e.g. "\"pKind\":\"myname\"".
struct Sender {
    tdx::test::OfficesimFixture &sim;
    QString scheme = QStringLiteral("https");
    QByteArray offId = "hangyeol01";
    QByteArray telNo = "0212345678";
    QByteArray cercode = kCercode;

    Answer data(const QByteArray &fields,
                const QString &path = QStringLiteral("/Tandrivox/get_data.php")) const;
    Answer raw(const QByteArray &body,
               const QString &path = QStringLiteral("/Tandrivox/get_data.php")) const;
    Answer get(const QString &pathAndQuery) const;
};

Answer parse(int status, const QByteArray &body);

} // namespace wiretest
