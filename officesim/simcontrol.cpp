#include "officesim/simcontrol.h"

#include "officesim/line.h"
#include "officesim/server.h"
#include "officesim/wire.h"

#include <QHash>
#include <QJsonDocument>
#include <QtEndian>
#include <memory>

namespace officesim {

namespace {

// The named values of a query or a form body.
QHash<QString, QString> formValues(const Request &r) {
    QHash<QString, QString> values;
    QByteArray all = r.rawQuery;
    if (r.method == "POST" && !r.body.isEmpty())
        all += (all.isEmpty() ? "" : "&") + r.body;
    for (const QByteArray &pair : all.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        if (eq <= 0)
            continue;
        values.insert(QString::fromLatin1(pair.left(eq)),
                      QString::fromUtf8(wire::formDecode(pair.mid(eq + 1)).value_or(QByteArray())));
    }
    return values;
}

Response json(bool ok, const QString &what) {
    Response r = Response::json(
        QJsonDocument(QJsonObject{{QStringLiteral("ok"), ok}, {QStringLiteral("action"), what}})
            .toJson(QJsonDocument::Compact));
    r.status = ok ? 200 : 409;
    return r;
}

// The "/sim/" page's forms come back to the page; scripts and tests get JSON.
Response outcome(bool ok, const QString &what, const Request &r) {
    if (r.body.contains("back=1") || r.rawQuery.contains("back=1")) {
        Response back = Response::text(ok ? "done" : "refused", 303);
        back.headers.append(qMakePair(QByteArray("Location"), QByteArray("/sim/")));
        return back;
    }
    return json(ok, what);
}

// One second of a quiet 440 Hz tone, 8 kHz mono 16-bit: what a recording download brings.
QByteArray wave() {
    const int rate = 8000, samples = rate;
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i) {
        const auto v = qint16(800 * ((i * 440 * 2 / rate) % 2 ? 1 : -1));
        qToLittleEndian(v, data.data() + i * 2);
    }
    QByteArray out = "RIFF";
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    u32(quint32(36 + data.size()));
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(quint32(data.size()));
    return out + data;
}

} // namespace

void registerLineControl(Server &server, Line &line) {
    Line *l = &line;
    server.route(QStringLiteral("/sim/line/status"), [l](const Request &) {
        return Response::json(QJsonDocument(l->status()).toJson(QJsonDocument::Compact));
    });
    server.route(QStringLiteral("/sim/line/call"), [l](const Request &r) {
        const auto v = formValues(r);
        return outcome(l->call(v.value(QStringLiteral("from")), v.value(QStringLiteral("to"))),
                       QStringLiteral("call"), r);
    });
    server.route(QStringLiteral("/sim/line/answer"), [l](const Request &r) {
        return outcome(l->answer(formValues(r).value(QStringLiteral("desk"))),
                       QStringLiteral("answer"), r);
    });
    server.route(QStringLiteral("/sim/line/hangup"), [l](const Request &r) {
        return outcome(l->hangup(formValues(r).value(QStringLiteral("desk"))),
                       QStringLiteral("hangup"), r);
    });
    server.route(QStringLiteral("/sim/line/sms"), [l](const Request &r) {
        const auto v = formValues(r);
        return outcome(l->sms(v.value(QStringLiteral("from")), v.value(QStringLiteral("to")),
                              v.value(QStringLiteral("text"))),
                       QStringLiteral("sms"), r);
    });
    server.route(QStringLiteral("/sim/line/drop"), [l](const Request &r) {
        return outcome(l->drop(formValues(r).value(QStringLiteral("desk"))), QStringLiteral("drop"),
                       r);
    });
    server.route(QStringLiteral("/sim/line/pwage"), [l](const Request &r) {
        const auto v = formValues(r);
        l->setPasswordAge(v.value(QStringLiteral("desk")), v.value(QStringLiteral("days")).toInt());
        return outcome(true, QStringLiteral("pwage"), r);
    });
    server.routePrefix(QStringLiteral("/sim/rec/"), [](const Request &r) {
        if (!r.path.endsWith(QLatin1String(".wav")))
            return Response::text("not found", 404);
        Response resp;
        resp.contentType = "audio/wav";
        resp.body = wave();
        return resp;
    });

    // The Centrex web host: the login that tells when the password is a year old, and the page
    // where it is changed.
    server.route(QStringLiteral("/premium/PHP/web_login.php"), [l](const Request &r) {
        const auto v = formValues(r);
        const QString id = v.value(QStringLiteral("id"));
        if (!l->knowsDesk(id) || v.value(QStringLiteral("pass")) != l->centrexPassword(id))
            return Response::html(
                "<html><body>로그인 실패: 아이디 또는 비밀번호를 확인하세요.</body></html>");
        if (l->passwordAge(id) > 365)
            return Response::html("<html><body><script>alert('고객님의 비밀번호는 12개월 주기로 "
                                  "변경하셔야 합니다.');</script>비밀번호는 12개월 주기로 변경해 "
                                  "주세요.</body></html>");
        return Response::html("<html><body>로그인 되었습니다.</body></html>");
    });
    server.route(QStringLiteral("/premium/backoffice/pwc.html"), [](const Request &) {
        return Response::html("<html><head><title>비밀번호 변경</title></head><body><h1>비밀번호 "
                              "변경</h1></body></html>");
    });
    server.route(QStringLiteral("/premium/"), [](const Request &) {
        return Response::html("<html><head><title>U+ Centrex</title></head><body>"
                              "<img src=\"btn_login.gif\"></body></html>");
    });
}

} // namespace officesim
