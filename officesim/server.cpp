#include "officesim/server.h"

#include "officesim/demodata.h"
#include "officesim/line.h"
#include "officesim/schema.h"
#include "officesim/service.h"
#include "officesim/simcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

namespace officesim {

Server::Server(QObject *parent)
    : QObject(parent), m_clock([] { return QDateTime::currentDateTime(); }) {
    route(QStringLiteral("/Tandrivox/version.txt"),
          [this](const Request &) { return Response::text(m_options.version.toUtf8()); });
    m_service = std::make_unique<Service>(*this);
    m_line = new Line(*this);
    registerLineControl(*this, *m_line);
    route(QStringLiteral("/sim/journal"), [this](const Request &r) {
        const QByteArray since = r.rawQuery.startsWith("since=") ? r.rawQuery.mid(6) : "0";
        return Response::json(m_journal.toJson(since.toLongLong()));
    });
}

Server::~Server() = default;

QString Server::defaultCertDir() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("certs"));
}

void Server::route(const QString &path, Handler handler) {
    m_routes.insert(path, std::move(handler));
}

void Server::routePrefix(const QString &prefix, Handler handler) {
    m_prefixRoutes.append({prefix, std::move(handler)});
}

quint16 Server::linePort() const {
    return m_line ? m_line->port() : 0;
}

bool Server::listen(HttpFront &front, quint16 port, quint16 *bound, QString *error) {
    // listen() (not bind()) so that a front with TLS set up gets a TLS server socket.
    *bound = front.listen(m_options.address, port);
    if (*bound == 0) {
        if (error)
            *error = QStringLiteral("cannot listen on %1:%2")
                         .arg(m_options.address.toString())
                         .arg(port);
        return false;
    }
    return true;
}

bool Server::start(const Options &options, QString *error) {
    m_options = options;
    if (options.fixedNow.isValid()) {
        const QDateTime fixed = options.fixedNow;
        m_clock = [fixed] { return fixed; };
    }
    if (!m_store.open(options.dbPath, error))
        return false;
    createSchema(m_store);
    if (options.demo) {
        DemoOptions demo;
        demo.customers = options.customers;
        demo.now = now();
        seedDemo(m_store, demo);
    }

    m_http = std::make_unique<HttpFront>(QStringLiteral("http"),
                                         [this](const Request &r) { return dispatch(r); });
    if (!listen(*m_http, options.httpPort, &m_httpPort, error))
        return false;

    QFile certFile(QDir(options.certDir).filePath(options.certFile));
    QFile keyFile(QDir(options.certDir).filePath(options.keyFile));
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("no certificate in ") + options.certDir;
        return false;
    }
    const QSslCertificate cert(certFile.readAll(), QSsl::Pem);
    const QSslKey key(keyFile.readAll(), QSsl::Ec, QSsl::Pem);
    if (cert.isNull() || key.isNull()) {
        if (error)
            *error = QStringLiteral("unreadable certificate or key in ") + options.certDir;
        return false;
    }
    m_https = std::make_unique<HttpFront>(QStringLiteral("https"),
                                          [this](const Request &r) { return dispatch(r); });
    m_https->sslSetup(cert, key);
    if (!listen(*m_https, options.httpsPort, &m_httpsPort, error))
        return false;
    return m_line->listen(options.address, options.linePort, error);
}

Response Server::dispatch(const Request &request) {
    JournalEntry entry;
    entry.at = now();
    entry.scheme = request.scheme;
    entry.method = QString::fromLatin1(request.method);
    entry.path = request.path;
    entry.rawQuery = request.rawQuery;
    entry.body = request.body;
    Request annotated = request;
    annotated.journalSeq = m_journal.append(std::move(entry)).seq;

    Response response;
    auto it = m_routes.constFind(request.path);
    if (it != m_routes.constEnd()) {
        response = (*it)(annotated);
    } else {
        response = Response::text("not found", 404);
        for (const auto &[prefix, handler] : m_prefixRoutes)
            if (request.path.startsWith(prefix)) {
                response = handler(annotated);
                break;
            }
    }

    if (JournalEntry *stored = m_journal.find(annotated.journalSeq))
        stored->status = response.status;
    return response;
}

} // namespace officesim
