#pragma once

#include "platform/clock.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tdx {

// How a value travels inside the request JSON: "'" → "&singile", '"' → "&double", "+" → "%2B",
// then the UTF-8 bytes form-encoded.
QString encode_value(const QString &value);
// The reverse for answer values: trim, form-decode, UTF-8, "&singile"/"&double" back to quotes.
// nullopt when an escape is malformed.
std::optional<QString> decode_value(const QString &value);

// The 48-digit request code: three random keys R1, R2, R3 (0–98, two digits each) and the local
// time yyyymmddhhnnss scrambled with them.
QString make_cercode(const QDateTime &localTime, const std::function<int()> &random);
QString make_cercode(const Clock &clock);

// Who a request speaks for: "off_id" is the office id, or before login the account id.
struct Identity {
    QString officeId;
    QString accountId;
    QString officePhone;
    QString offId() const { return officeId.isEmpty() ? accountId : officeId; }
};

// The two request lists every request is built from: names and values, one entry each.
class RequestLists {
public:
    void clear_request() {
        m_names.clear();
        m_values.clear();
    }
    void addName(const QString &name) { m_names << name; }
    void addValue(const QString &value) { m_values << value; }
    const QStringList &names() const { return m_names; }
    const QStringList &values() const { return m_values; }

    // {"param":[{"name":"value",…}]} with "off_id", "telNo" and "cercode" appended; "discord"
    // when the lists differ in length.
    QString build(const Identity &who, const QString &cercode) const;

private:
    QStringList m_names;
    QStringList m_values;
};

// Request JSON with the values of secret fields masked, for log lines and reports.
QString maskSecrets(const QString &json);

} // namespace tdx
