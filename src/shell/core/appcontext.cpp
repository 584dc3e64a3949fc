#include "shell/core/appcontext.h"

#include "platform/apppaths.h"
#include "service/scrambler.h"

namespace tdx {

QString AppContext::file(const QString &relative) const {
    return AppPaths::file(appDir, relative);
}

QUrl AppContext::consoleLink(const QString &pageClass, bool trimmed, Hosts::Scheme scheme) const {
    const QString id = trimmed ? session.accountId.trimmed() : session.accountId;
    const QString pw = trimmed ? session.password.trimmed() : session.password;
    return hosts().service(scheme,
                           QStringLiteral("/hp_admin/login_app.php?mode=LOGIN_ACTION&user_id=") +
                               QString::fromUtf8(QUrl::toPercentEncoding(id)) +
                               QStringLiteral("&user_pwd=") + scrambler::scramble(pw) +
                               QStringLiteral("&return_url=/hp_admin/main.php?class=") + pageClass);
}

} // namespace tdx
