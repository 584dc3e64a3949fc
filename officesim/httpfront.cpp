#include "officesim/httpfront.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QUrl>

namespace officesim {

QByteArray Request::header(const QByteArray &name) const {
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

Response Response::text(const QByteArray &body, int status) {
    Response r;
    r.status = status;
    r.body = body;
    return r;
}

Response Response::html(const QByteArray &body) {
    Response r;
    r.contentType = "text/html; charset=utf-8";
    r.body = body;
    return r;
}

Response Response::json(const QByteArray &body) {
    Response r;
    r.contentType = "application/json; charset=utf-8";
    r.body = body;
    return r;
}

HttpFront::HttpFront(QString scheme, Handler handler, QObject *parent)
    : QAbstractHttpServer(parent), m_scheme(std::move(scheme)), m_handler(std::move(handler)) {}

static void respond(QHttpServerResponder &responder, const Response &r) {
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(r.status));
    responder.writeHeader("Content-Type", r.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(r.body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    for (const auto &h : r.headers)
        responder.writeHeader(h.first, h.second);
    responder.writeBody(r.body);
}

bool HttpFront::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) {
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.body().size() > kMaxBody) {
        respond(responder, Response::text("request body too large", 413));
        return true;
    }
    Request r;
    r.scheme = m_scheme;
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        r.method = "GET";
        break;
    case QHttpServerRequest::Method::Post:
        r.method = "POST";
        break;
    case QHttpServerRequest::Method::Head:
        r.method = "HEAD";
        break;
    default:
        r.method = "OTHER";
        break;
    }
    const QUrl url = request.url();
    r.path = url.path();
    r.rawQuery = url.query(QUrl::FullyEncoded).toLatin1();
    for (const auto &h : request.headers())
        r.headers.append({h.first, h.second});
    r.body = request.body();
    r.peer = request.remoteAddress();
    respond(responder, m_handler(r));
    return true;
}

void HttpFront::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) {
    QHttpServerResponder responder = makeResponder(request, socket);
    respond(responder, Response::text("not found", 404));
}

} // namespace officesim
