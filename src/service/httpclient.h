#pragma once

#include "platform/hosts.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace tdx {

struct HttpReply {
    bool ok = false; // transport and HTTP status both fine
    int status = 0;  // HTTP status when one arrived
    QByteArray body; // the received body (also for an HTTP error status)
    QString error;   // why it failed
};

// One blocking request on the calling thread. A fresh network manager per request, a local
// event loop that keeps timers and window events running meanwhile, the hosts' CA certificates
// trusted in addition to the system's, TLS errors never ignored and redirects only within the
// same origin.
class HttpClient {
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    static constexpr qint64 kMaxBody = 32LL * 1024 * 1024;

    explicit HttpClient(Hosts hosts) : m_hosts(std::move(hosts)) {}

    HttpReply get(const QUrl &url, int timeoutMs, const Headers &headers = {}) const;
    HttpReply post(const QUrl &url, const QByteArray &body, int timeoutMs,
                   const Headers &headers = {}) const;

    void setMaxBody(qint64 bytes) { m_maxBody = bytes; }

private:
    HttpReply send(const QByteArray &verb, const QUrl &url, const QByteArray *body, int timeoutMs,
                   const Headers &headers) const;

    Hosts m_hosts;
    qint64 m_maxBody = kMaxBody;
};

} // namespace tdx
