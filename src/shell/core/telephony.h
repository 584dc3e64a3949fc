#pragma once

#include <QString>

namespace tdx {

// The telephone line as the rest of the client sees it, whichever provider serves it.
class TelephonyLine {
public:
    virtual ~TelephonyLine() = default;
    // The provider login of the login sequence; throws when it cannot even be started.
    virtual void login() = 0;
    // Logs the LG U+ control out (logout and exit paths).
    virtual void logout() = 0;
    // Exit with SK Broadband: closes the library and saves its event log.
    virtual void close() = 0;
    // Provider-neutral click-to-call; no check of the number is made here.
    virtual void dial(const QString &number) = 0;
};

} // namespace tdx
