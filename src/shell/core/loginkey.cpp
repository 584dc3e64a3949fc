#include "shell/core/loginkey.h"

#include <QSettings>

namespace tdx {

LoginKey::LoginKey()
    : m_settings(
          std::make_unique<QSettings>(QStringLiteral("Corvessa"), QStringLiteral("tandrivox"))) {}

LoginKey::LoginKey(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

LoginKey::~LoginKey() = default;

QString LoginKey::value(const QString &name) const {
    m_settings->sync();
    return m_settings->value(name).toString();
}

void LoginKey::setValue(const QString &name, const QString &value) {
    m_settings->setValue(name, value);
    m_settings->sync();
}

} // namespace tdx
