#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace officesim {

class Store;

using Record = QHash<QString, QString>;

// The customer columns the service stores, in the order of the "insert_customer" request.
const QStringList &customerColumns();
// The six phone columns of a customer.
const QStringList &customerPhoneColumns();

QString digitsOnly(const QString &text);

// Insert or update one customer and keep its phone index current. Values are stored as the
// client sent them (after one form decoding).
qint64 insertCustomer(Store &store, const QString &offId, const Record &values);
void updateCustomer(Store &store, qint64 mNum, const Record &values);
void reindexPhones(Store &store, qint64 mNum);

} // namespace officesim
