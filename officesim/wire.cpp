#include "officesim/wire.h"

#include "service/scrambler.h"
#include "service/textutil.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

namespace officesim::wire {

// The byte codecs are the client's own: both ends of the wire agree on one implementation.
std::optional<QByteArray> formDecode(const QByteArray &in) {
    return tdx::text::formDecode(in);
}

QByteArray formEncode(const QByteArray &in) {
    return tdx::text::formEncode(in);
}

QByteArray scramble(const QByteArray &plain, quint16 key, quint16 x, quint16 a) {
    return tdx::scrambler::scramble(plain, {key, x, a});
}

QByteArray unscramble(const QByteArray &digits, quint16 key, quint16 x, quint16 a) {
    return tdx::scrambler::unscramble(digits, {key, x, a});
}

QByteArray unscrambleFixed(const QByteArray &digits) {
    return tdx::scrambler::unscramble(digits, tdx::scrambler::fixedKeys());
}

QByteArray scrambleFixed(const QByteArray &plain) {
    return tdx::scrambler::scramble(plain, tdx::scrambler::fixedKeys());
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
