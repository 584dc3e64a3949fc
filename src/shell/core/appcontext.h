#pragma once

#include "platform/clock.h"
#include "platform/hosts.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QString>

namespace tdx {

// What a window is given at construction instead of reaching for the main window: the ports,
// the hosts and the application directory. The owner (main() or a test) keeps everything alive
// longer than the windows that use it.
struct AppContext {
    Prompter &prompter;
    Launcher &launcher;
    Clock &clock;
    Hosts hosts;
    QString appDir;

    // A program-relative file ("log/…", "txt/param.txt", "\txt\ver\…") in the application dir.
    QString file(const QString &relative) const;
};

} // namespace tdx
