#pragma once

#include "platform/hosts.h"

#include <QString>

namespace tdx {

// The settings file: "<executable name>.ini" next to the executable, one section per value,
// key "String", the value scrambled with the fixed scrambler. Every read and write opens the
// file anew; nothing is cached.
class Settings {
public:
    explicit Settings(QString iniPath) : m_path(std::move(iniPath)) {}

    QString read(const QString &name) const;
    bool write(const QString &name, const QString &value);
    QString path() const { return m_path; }

    // The hosts of this installation: officesim on loopback unless the file names others
    // ("service_http", "service_https", "centrex_host", "address_host", "line_host", "ca_file").
    Hosts hosts(const QString &appDir) const;

    // The raw stored text of a value (digits), for tests and diagnostics.
    QString raw(const QString &name) const;

private:
    QString m_path;
};

} // namespace tdx
