#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

namespace officesim {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

struct Request {
    QString scheme;      // "http" or "https"
    QByteArray method;   // "GET", "POST", …
    QString path;        // decoded path, e.g. "/Tandrivox/get_data.php"
    QByteArray rawQuery; // the query exactly as it came, without "?"
    HeaderList headers;
    QByteArray body;
    QHostAddress peer;
    qint64 journalSeq = 0; // this request's journal entry, for handlers that annotate it

    QByteArray header(const QByteArray &name) const;
};

struct Response {
    int status = 200;
    QByteArray contentType = "text/plain; charset=utf-8";
    QByteArray body;
    HeaderList headers;

    static Response text(const QByteArray &body, int status = 200);
    static Response html(const QByteArray &body);
    static Response json(const QByteArray &body);
};

using Handler = std::function<Response(const Request &)>;

// One listening endpoint (plain or TLS) that hands every request to the handler.
class HttpFront final : public QAbstractHttpServer {
    Q_OBJECT
public:
    static constexpr qint64 kMaxBody = 16LL * 1024 * 1024;

    HttpFront(QString scheme, Handler handler, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    QString m_scheme;
    Handler m_handler;
};

} // namespace officesim
