#include "shell/core/appcontext.h"

#include "platform/apppaths.h"

namespace tdx {

QString AppContext::file(const QString &relative) const {
    return AppPaths::file(appDir, relative);
}

} // namespace tdx
