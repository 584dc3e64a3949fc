#include "service/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tdx::cp949 {

QByteArray encode(const QString &text) {
    QStringEncoder enc("CP949");
    return enc.encode(text);
}

QString decode(const QByteArray &bytes) {
    QStringDecoder dec("CP949");
    return dec.decode(bytes);
}

qsizetype byteCount(const QString &text) {
    return encode(text).size();
}

} // namespace tdx::cp949
