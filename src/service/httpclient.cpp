#include "service/httpclient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>

namespace tdx {

HttpReply HttpClient::get(const QUrl &url, int timeoutMs, const Headers &headers) const {
    return send("GET", url, nullptr, timeoutMs, headers);
}

HttpReply HttpClient::post(const QUrl &url, const QByteArray &body, int timeoutMs,
                           const Headers &headers) const {
    return send("POST", url, &body, timeoutMs, headers);
}

HttpReply HttpClient::send(const QByteArray &verb, const QUrl &url, const QByteArray *body,
                           int timeoutMs, const Headers &headers) const {
    HttpReply result;
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        result.error = QStringLiteral("invalid address: ") + url.toString();
        return result;
    }

    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);

    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    for (const auto &h : headers)
        request.setRawHeader(h.first, h.second);
    if (url.scheme() == QLatin1String("https")) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        const auto extra = m_hosts.trustedCertificates();
        if (!extra.isEmpty())
            ssl.addCaCertificates(extra);
        request.setSslConfiguration(ssl);
    }

    QNetworkReply *reply = body ? manager.sendCustomRequest(request, verb, *body)
                                : manager.sendCustomRequest(request, verb);
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > m_maxBody && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge) {
        result.error = QStringLiteral("answer larger than %1 bytes").arg(m_maxBody);
    } else {
        if (reply->isOpen())
            result.body = reply->readAll();
        if (reply->error() == QNetworkReply::NoError) {
            result.ok = true;
        } else {
            result.error = reply->errorString();
        }
    }
    delete reply;
    return result;
}

} // namespace tdx
