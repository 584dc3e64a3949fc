#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

namespace tdx {

// Where the client's network peers live. The defaults are the embedded officesim on loopback;
// a real office overrides them in the settings file.
struct Hosts {
    enum class Scheme { Http, Https };

    static constexpr quint16 kDemoHttpPort = 18080;
    static constexpr quint16 kDemoHttpsPort = 18443;
    static constexpr quint16 kDemoLinePort = 18090;

    QUrl serviceHttp;    // office web service over plain HTTP
    QUrl serviceHttps;   // the same service over HTTPS
    QUrl centrex;        // Centrex web host (HTTPS)
    QUrl address;        // address search host (HTTP)
    QString lineAddress; // host:port of the telephone line the simulated control talks to
    QString caFile;      // extra CA certificates to trust for the hosts above; may be empty

    // Defaults for an installation in appDir: officesim's demo ports and its CA file there.
    static Hosts demo(const QString &appDir);

    // The service host's address for a path such as "/Tandrivox/get_data.php".
    QUrl service(Scheme scheme, const QString &pathAndQuery) const;
    QUrl centrexUrl(const QString &pathAndQuery) const { return join(centrex, pathAndQuery); }
    QUrl addressUrl(const QString &pathAndQuery) const { return join(address, pathAndQuery); }

    // Certificates from caFile, read once per file.
    QList<QSslCertificate> trustedCertificates() const;

    static QUrl join(const QUrl &base, const QString &pathAndQuery);
};

} // namespace tdx
