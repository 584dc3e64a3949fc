#pragma once

#include "officesim/server.h"
#include "platform/hosts.h"

#include <QTemporaryDir>
#include <memory>

namespace tdx::test {

// officesim in this process on ephemeral ports, with a fresh SQLite file.
class OfficesimFixture {
public:
    explicit OfficesimFixture(officesim::Options options = {});
    ~OfficesimFixture();

    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    officesim::Server &server() { return *m_server; }
    officesim::Journal &journal() { return m_server->journal(); }

    // Hosts pointing the client at this officesim, trusting its CA.
    Hosts hosts() const;
    QString httpBase() const;
    QString httpsBase() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<officesim::Server> m_server;
    bool m_ok = false;
    QString m_error;
};

} // namespace tdx::test
