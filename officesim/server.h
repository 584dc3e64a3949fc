#pragma once

#include "officesim/httpfront.h"
#include "officesim/journal.h"
#include "officesim/store.h"

#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <functional>
#include <memory>

namespace officesim {

class Line;
class Service;

struct Options {
    QString dbPath;  // SQLite file; created when missing
    QString certDir; // holds server.pem and server.key (and ca.pem for clients)
    QHostAddress address = QHostAddress::LocalHost;
    quint16 httpPort = 0; // 0: any free port
    quint16 httpsPort = 0;
    quint16 linePort = 0;
    QString version = QStringLiteral("1.02.47"); // what "/Tandrivox/version.txt" answers
    // Server certificate and key file names inside certDir (tests swap in a stranger's).
    QString certFile = QStringLiteral("server.pem");
    QString keyFile = QStringLiteral("server.key");
    // The demo office is written into an empty store on first start.
    bool demo = true;
    int customers = 300;
    // When valid, the service's clock stands still at this time (tests move it by hand).
    QDateTime fixedNow;
};

class Server : public QObject {
    Q_OBJECT
public:
    explicit Server(QObject *parent = nullptr);
    ~Server() override;

    bool start(const Options &options, QString *error = nullptr);

    quint16 httpPort() const { return m_httpPort; }
    quint16 httpsPort() const { return m_httpsPort; }
    const Options &options() const { return m_options; }

    Journal &journal() { return m_journal; }
    Store &store() { return m_store; }

    // The service's clock (request codes are checked against it).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    QDateTime now() const { return m_clock(); }

    void setVersion(const QString &version) { m_options.version = version; }

    // A handler for an exact path; the request is journalled before it runs.
    void route(const QString &path, Handler handler);
    // A handler for every path below a prefix (exact routes win).
    void routePrefix(const QString &prefix, Handler handler);

    // The simulated telephone line.
    Line &line() { return *m_line; }
    quint16 linePort() const;

    // The folder of the running executable's "certs" (where the build puts them).
    static QString defaultCertDir();

private:
    Response dispatch(const Request &request);
    bool listen(HttpFront &front, quint16 port, quint16 *bound, QString *error);

    Options m_options;
    Store m_store;
    std::unique_ptr<Service> m_service;
    Journal m_journal;
    std::unique_ptr<HttpFront> m_http;
    std::unique_ptr<HttpFront> m_https;
    quint16 m_httpPort = 0;
    quint16 m_httpsPort = 0;
    QHash<QString, Handler> m_routes;
    QList<QPair<QString, Handler>> m_prefixRoutes;
    Line *m_line = nullptr;
    std::function<QDateTime()> m_clock;
};

} // namespace officesim
