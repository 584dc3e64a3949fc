#include "platform/apppaths.h"
#include "platform/clock.h"
#include "platform/gui/messageboxprompter.h"
#include "platform/hosts.h"
#include "platform/launcher.h"
#include "shell/core/appcontext.h"
#include "shell/mainfrm.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tandrivox"));

    const QString appDir = tdx::AppPaths::chooseAppDir(QCoreApplication::applicationDirPath());
    tdx::MessageBoxPrompter prompter;
    tdx::DesktopLauncher launcher;
    tdx::SystemClock clock;
    tdx::AppContext ctx{prompter, launcher, clock, tdx::Hosts::demo(appDir), appDir};

    tdx::TmainFrm main(ctx);
    prompter.setOwner(&main);
    main.show();
    return app.exec();
}
