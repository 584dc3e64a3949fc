#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The service side of the client's wire format: form-encoded UTF-8 values inside JSON, the
// byte scrambler and the request code.
namespace officesim::wire {

using Fields = QList<QPair<QString, QString>>;

// Form decoding: "+" is a blank, "%hh" a byte, "%%" one percent sign. nullopt when malformed.
std::optional<QByteArray> formDecode(const QByteArray &in);
// Form encoding: A–Z a–z 0–9 * @ . _ - $ ! ' ( ) stay, a blank becomes "+", every other byte
// "%hh" (lower-case hex).
QByteArray formEncode(const QByteArray &in);

// The byte scrambler: three decimal digits per byte.
QByteArray scramble(const QByteArray &plain, quint16 key, quint16 x, quint16 a);
QByteArray unscramble(const QByteArray &digits, quint16 key, quint16 x, quint16 a);
// With the fixed keys the client also uses (settings, passwords, get_sha.php's "str").
QByteArray unscrambleFixed(const QByteArray &digits);
QByteArray scrambleFixed(const QByteArray &plain);

// The client's local time hidden in a request code, when the code is well formed.
std::optional<QDateTime> cercodeTime(const QByteArray &code);

struct ParsedParam {
    bool ok = false;
    QString error;
    Fields fields; // in the order sent, duplicates kept, values form-decoded once
};

// Parses a POST body "param=" + {"param":[{...}]}.
ParsedParam parseParamBody(const QByteArray &body);

// {"return":[ {...}, ... ]} with every value form-encoded UTF-8, fields in the order given.
QByteArray answer(const QList<Fields> &rows);

} // namespace officesim::wire
