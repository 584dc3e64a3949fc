#include "officesim/wire.h"

#include "src/service/scramblekeys.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

namespace officesim::wire {

static int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<QByteArray> formDecode(const QByteArray &in) {
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (i + 1 < in.size() && in[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (i + 2 >= in.size())
                return std::nullopt;
            const int hi = hexValue(in[i + 1]), lo = hexValue(in[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += char(hi * 16 + lo);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray formEncode(const QByteArray &in) {
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(in.size() * 3);
    for (char ch : in) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '*' || c == '@' || c == '.' || c == '_' || c == '-' || c == '$' || c == '!' ||
            c == '\'' || c == '(' || c == ')') {
            out += char(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

QByteArray scramble(const QByteArray &plain, quint16 key, quint16 x, quint16 a) {
    QByteArray out;
    out.reserve(plain.size() * 3);
    quint16 k = key;
    for (char ch : plain) {
        const auto c = quint8(quint8(ch) ^ quint8(k >> 8));
        k = quint16((quint16(k + c) ^ x) + a);
        out += QByteArray::number(c).rightJustified(3, '0');
    }
    return out;
}

QByteArray unscramble(const QByteArray &digits, quint16 key, quint16 x, quint16 a) {
    QByteArray out;
    quint16 k = key;
    for (qsizetype i = 0; i < digits.size(); i += 3) {
        bool ok = false;
        const int n = digits.mid(i, 3).toInt(&ok);
        const auto c = quint8(ok ? n : 0);
        out += char(c ^ quint8(k >> 8));
        k = quint16((quint16(k + c) ^ x) + a);
    }
    return out;
}

QByteArray unscrambleFixed(const QByteArray &digits) {
    using namespace tdx::scramble_keys;
    return unscramble(digits, kStartKey, kXor, kAdd);
}

QByteArray scrambleFixed(const QByteArray &plain) {
    using namespace tdx::scramble_keys;
    return scramble(plain, kStartKey, kXor, kAdd);
}

std::optional<QDateTime> cercodeTime(const QByteArray &code) {
    if (code.size() != 48)
        return std::nullopt;
    for (char c : code)
        if (c < '0' || c > '9')
            return std::nullopt;
    const quint16 r1 = quint16(code.mid(0, 2).toUInt());
    const quint16 r2 = quint16(code.mid(2, 2).toUInt());
    const quint16 r3 = quint16(code.mid(4, 2).toUInt());
    const QByteArray time = unscramble(code.mid(6), r1, r2, r3);
    const QDateTime t =
        QDateTime::fromString(QString::fromLatin1(time), QStringLiteral("yyyyMMddHHmmss"));
    if (!t.isValid())
        return std::nullopt;
    return t;
}

ParsedParam parseParamBody(const QByteArray &body) {
    ParsedParam p;
    if (!body.startsWith("param=")) {
        p.error = QStringLiteral("body does not start with param=");
        return p;
    }
    const QByteArray json = body.mid(6);
    rapidjson::Document doc;
    doc.Parse(json.constData(), size_t(json.size()));
    if (doc.HasParseError()) {
        p.error = QStringLiteral("malformed JSON: ") +
                  QString::fromUtf8(rapidjson::GetParseError_En(doc.GetParseError()));
        return p;
    }
    if (!doc.IsObject() || !doc.HasMember("param") || !doc["param"].IsArray() ||
        doc["param"].Size() != 1 || !doc["param"][0].IsObject()) {
        p.error = QStringLiteral("expected {\"param\":[{...}]}");
        return p;
    }
    for (const auto &m : doc["param"][0].GetObject()) {
        if (!m.value.IsString()) {
            p.error = QStringLiteral("value of %1 is not a string")
                          .arg(QString::fromUtf8(m.name.GetString()));
            return p;
        }
        const auto decoded =
            formDecode(QByteArray(m.value.GetString(), qsizetype(m.value.GetStringLength())));
        if (!decoded) {
            p.error =
                QStringLiteral("malformed escape in %1").arg(QString::fromUtf8(m.name.GetString()));
            return p;
        }
        p.fields.append({QString::fromUtf8(m.name.GetString(), m.name.GetStringLength()),
                         QString::fromUtf8(*decoded)});
    }
    p.ok = true;
    return p;
}

QByteArray answer(const QList<Fields> &rows) {
    QByteArray out = "{\"return\":[";
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r)
            out += ',';
        out += '{';
        const Fields &row = rows[r];
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i)
                out += ',';
            out += '"';
            out += row[i].first.toUtf8();
            out += "\":\"";
            out += formEncode(row[i].second.toUtf8());
            out += '"';
        }
        out += '}';
    }
    out += "]}";
    return out;
}

} // namespace officesim::wire
