#pragma once

#include <QByteArray>
#include <QString>

// The byte-wise scrambler of passwords and settings: each byte becomes three decimal digits.
namespace tdx::scrambler {

struct Keys {
    quint16 start;
    quint16 x;
    quint16 a;
};
// The fixed scrambler's keys, shared with the office web service.
Keys fixedKeys();

QByteArray scramble(const QByteArray &bytes, Keys keys);
QByteArray unscramble(const QByteArray &digits, Keys keys);

// With the fixed keys, on the text's CP949 bytes.
QString scramble(const QString &text);
QString unscramble(const QString &digits);

} // namespace tdx::scrambler
