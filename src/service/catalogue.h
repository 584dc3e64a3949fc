#pragma once

#include "platform/hosts.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tdx {

// One operation of the office web service: its "pKind", where it goes, on which channel and
// scheme by default, and its own fields in the order they are sent ("off_id", "telNo" and
// "cercode" follow them on every request).
struct Operation {
    QString kind;
    QString path;
    int channel = 1;
    Hosts::Scheme scheme = Hosts::Scheme::Https;
    QStringList fields;   // every field the operation may carry, in sending order
    QStringList optional; // those of `fields` that a request may leave out
};

namespace op {
inline const QString DataPath = QStringLiteral("/Tandrivox/get_data.php");
inline const QString LoginPath = QStringLiteral("/Tandrivox/login_ok.php");
} // namespace op

// The whole catalogue, written down once. Features build their requests from it.
const std::vector<Operation> &catalogue();
// The operation with that kind (and, for the three forms of "customer", that variant name:
// "customer", "customer_total", "customer_search"). Aborts on an unknown name: a typo is a
// programming error, not a run-time condition.
const Operation &operation(const QString &name);

} // namespace tdx
