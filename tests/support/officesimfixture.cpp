#include "support/officesimfixture.h"

#include <QDir>

namespace tdx::test {

OfficesimFixture::OfficesimFixture(officesim::Options options)
    : m_server(std::make_unique<officesim::Server>()) {
    if (options.dbPath.isEmpty())
        options.dbPath = QDir(m_dir.path()).filePath(QStringLiteral("officesim.db"));
    if (options.certDir.isEmpty())
        options.certDir = QStringLiteral(TDX_CERT_DIR);
    m_ok = m_server->start(options, &m_error);
    if (!m_ok)
        qWarning("officesim fixture: %s", qPrintable(m_error));
}

OfficesimFixture::~OfficesimFixture() = default;

QString OfficesimFixture::httpBase() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->httpPort());
}

QString OfficesimFixture::httpsBase() const {
    return QStringLiteral("https://127.0.0.1:%1").arg(m_server->httpsPort());
}

Hosts OfficesimFixture::hosts() const {
    Hosts h;
    h.serviceHttp = QUrl(httpBase());
    h.serviceHttps = QUrl(httpsBase());
    h.centrex = h.serviceHttps;
    h.address = h.serviceHttp;
    h.caFile = QStringLiteral(TDX_CERT_DIR "/ca.pem");
    return h;
}

} // namespace tdx::test
