#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace tdx {

// The remembered login data: "tel", "id", "pw" (scrambled) and "autologin" under the current
// user's "Corvessa/tandrivox" key (the registry on Windows, a config file elsewhere).
class LoginKey {
public:
    LoginKey();
    explicit LoginKey(const QString &iniFile); // a file of its own, for tests
    ~LoginKey();

    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &value);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tdx
