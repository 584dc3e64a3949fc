#include "platform/hosts.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>

namespace tdx {

Hosts Hosts::demo(const QString &appDir) {
    Hosts h;
    const QString loop = QStringLiteral("127.0.0.1");
    h.serviceHttp = QUrl(QStringLiteral("http://%1:%2").arg(loop).arg(kDemoHttpPort));
    h.serviceHttps = QUrl(QStringLiteral("https://%1:%2").arg(loop).arg(kDemoHttpsPort));
    h.centrex = h.serviceHttps;
    h.address = h.serviceHttp;
    h.lineAddress = QStringLiteral("%1:%2").arg(loop).arg(kDemoLinePort);
    h.caFile = QDir(appDir).filePath(QStringLiteral("certs/ca.pem"));
    return h;
}

QUrl Hosts::join(const QUrl &base, const QString &pathAndQuery) {
    // Addresses are written out by the callers with their queries already in wire form; keep
    // them as they are (TolerantMode would re-encode "%" sequences it does not like).
    QString root = base.toString(QUrl::FullyEncoded);
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return QUrl(root + pathAndQuery, QUrl::StrictMode);
}

QUrl Hosts::service(Scheme scheme, const QString &pathAndQuery) const {
    return join(scheme == Scheme::Https ? serviceHttps : serviceHttp, pathAndQuery);
}

QList<QSslCertificate> Hosts::trustedCertificates() const {
    static QMutex mutex;
    static QHash<QString, QList<QSslCertificate>> cache;
    if (caFile.isEmpty())
        return {};
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(caFile);
    if (it != cache.constEnd())
        return *it;
    QList<QSslCertificate> certs;
    QFile f(caFile);
    if (f.open(QIODevice::ReadOnly))
        certs = QSslCertificate::fromData(f.readAll(), QSsl::Pem);
    // A missing file is not cached, so a CA generated later is still picked up.
    if (!certs.isEmpty())
        cache.insert(caFile, certs);
    return certs;
}

} // namespace tdx
