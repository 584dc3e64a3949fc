#include "service/scrambler.h"

#include "service/codec.h"
#include "service/scramblekeys.h"

namespace tdx::scrambler {

Keys fixedKeys() {
    return {scramble_keys::kStartKey, scramble_keys::kXor, scramble_keys::kAdd};
}

QByteArray scramble(const QByteArray &bytes, Keys keys) {
    QByteArray out;
    out.reserve(bytes.size() * 3);
    quint16 k = keys.start;
    char digits[4];
    for (char ch : bytes) {
        const auto c = quint8(quint8(ch) ^ quint8(k >> 8));
        k = quint16((quint16(k + c) ^ keys.x) + keys.a);
        digits[0] = char('0' + c / 100);
        digits[1] = char('0' + c / 10 % 10);
        digits[2] = char('0' + c % 10);
        out.append(digits, 3);
    }
    return out;
}

QByteArray unscramble(const QByteArray &digits, Keys keys) {
    QByteArray out;
    out.reserve(digits.size() / 3 + 1);
    quint16 k = keys.start;
    for (qsizetype i = 0; i < digits.size(); i += 3) {
        // A group that is not a number reads as 0; only its low 8 bits count.
        bool ok = false;
        const int n = digits.mid(i, 3).toInt(&ok);
        const auto c = quint8(ok ? n : 0);
        out += char(c ^ quint8(k >> 8));
        k = quint16((quint16(k + c) ^ keys.x) + keys.a);
    }
    return out;
}

QString scramble(const QString &text) {
    return QString::fromLatin1(scramble(cp949::encode(text), fixedKeys()));
}

QString unscramble(const QString &digits) {
    return cp949::decode(unscramble(digits.toLatin1(), fixedKeys()));
}

} // namespace tdx::scrambler
