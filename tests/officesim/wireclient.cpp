#include "wireclient.h"

#include "service/httpclient.h"

#include <rapidjson/document.h>

namespace wiretest {

QString Answer::at(int row, const QString &name) const {
    if (row >= rows.size())
        return QStringLiteral("<no row>");
    for (const auto &f : rows[row])
        if (f.first == name)
            return f.second;
    return QStringLiteral("<no field>");
}

QStringList Answer::names(int row) const {
    QStringList out;
    if (row < rows.size())
        for (const auto &f : rows[row])
            out << f.first;
    return out;
}

static QString formDecode(const char *s, size_t n) {
    QByteArray b(s, qsizetype(n));
    b.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(b));
}

Answer parse(int status, const QByteArray &body) {
    Answer a;
    a.status = status;
    a.raw = body;
    rapidjson::Document doc;
    doc.Parse(body.constData(), size_t(body.size()));
    if (doc.HasParseError() || !doc.IsObject() || !doc.HasMember("return") ||
        !doc["return"].IsArray())
        return a;
    for (const auto &r : doc["return"].GetArray()) {
        Row row;
        for (const auto &m : r.GetObject())
            row.append({QString::fromUtf8(m.name.GetString()),
                        formDecode(m.value.GetString(), m.value.GetStringLength())});
        a.rows << row;
    }
    return a;
}

static tdx::Hosts hostsFor(const Sender &s) {
    return s.sim.hosts();
}

static QUrl urlFor(const Sender &s, const QString &path) {
    const tdx::Hosts h = hostsFor(s);
    return h.service(s.scheme == QLatin1String("https") ? tdx::Hosts::Scheme::Https
                                                        : tdx::Hosts::Scheme::Http,
                     path);
}

Answer Sender::raw(const QByteArray &body, const QString &path) const {
    const tdx::HttpReply r = tdx::HttpClient(hostsFor(*this))
                                 .post(urlFor(*this, path), body, 10000,
                                       {{"Content-Type", "application/x-www-form-urlencoded"}});
    return parse(r.status, r.body);
}

Answer Sender::data(const QByteArray &fields, const QString &path) const {
    const QByteArray json = "{\"param\":[{" + fields + ",\"off_id\":\"" + offId +
                            "\",\"telNo\":\"" + telNo + "\",\"cercode\":\"" + cercode + "\"}]}";
    return raw("param=" + json, path);
}

Answer Sender::get(const QString &pathAndQuery) const {
    const tdx::HttpReply r =
        tdx::HttpClient(hostsFor(*this)).get(urlFor(*this, pathAndQuery), 10000);
    Answer a;
    a.status = r.status;
    a.raw = r.body;
    return a;
}

} // namespace wiretest
