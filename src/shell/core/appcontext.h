#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/filechooser.h"
#include "platform/hosts.h"
#include "platform/launcher.h"
#include "platform/prompter.h"
#include "service/serviceclient.h"
#include "shell/core/loginkey.h"
#include "shell/core/mainops.h"
#include "shell/core/session.h"
#include "shell/core/settings.h"
#include "shell/core/telephony.h"

#include <QString>

namespace tdx {

// What a window is given at construction instead of reaching for the main window. The owner
// (main() or a test) keeps everything alive longer than the windows that use it.
struct AppContext {
    Prompter &prompter;
    Launcher &launcher;
    Clock &clock;
    FileChooser &files;
    DesktopIntegration &desktop;
    Settings &settings;
    LoginKey &loginKey;
    Session &session;
    ServiceClient &service;
    QString appDir;
    QString executable;                 // full path of the running program
    TelephonyLine *telephony = nullptr; // the provider's line, once one is set up
    MainOps *main = nullptr;            // the main window, once it exists

    const Hosts &hosts() const { return service.hosts(); }
    // A program-relative file ("log/…", "txt/param.txt", "\txt\ver\…") in the application dir.
    QString file(const QString &relative) const;
    // The web console login link landing on a page class (the password goes scrambled).
    QUrl consoleLink(const QString &pageClass, bool trimmed = false,
                     Hosts::Scheme scheme = Hosts::Scheme::Https) const;
};

} // namespace tdx
