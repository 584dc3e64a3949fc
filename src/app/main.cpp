// The client's entry: one instance per desktop session, the main window and its companions.
#include "platform/apppaths.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/gui/dialogfilechooser.h"
#include "platform/gui/messageboxprompter.h"
#include "platform/launcher.h"
#include "platform/sessionevents.h"
#include "platform/singleinstance.h"
#include "service/serviceclient.h"
#include "shell/core/appcontext.h"
#include "shell/mainfrm.h"
#include "telephony/imslibrary.h"
#include "telephony/providerconfig.h"
#include "telephony/simulatedlgucontrol.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

namespace {

// "--setting name=value" writes one settings value (scrambled, as the program stores it) and
// ends: the way to point an installation at its office's hosts.
int writeSettings(const QStringList &args, tdx::Settings &settings) {
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] != QLatin1String("--setting"))
            continue;
        const QString pair = args[i + 1];
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            std::fprintf(stderr, "usage: --setting name=value\n");
            return 2;
        }
        settings.write(pair.left(eq), pair.mid(eq + 1));
        std::printf("%s set in %s\n", qPrintable(pair.left(eq)), qPrintable(settings.path()));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    // Writing settings needs no window system.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--setting") != 0)
            continue;
        QCoreApplication core(argc, argv);
        const QString dir = tdx::AppPaths::chooseAppDir(QCoreApplication::applicationDirPath());
        tdx::Settings file(
            tdx::AppPaths::settingsFile(dir, QCoreApplication::applicationFilePath()));
        return writeSettings(core.arguments(), file);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tandrivox"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QString appDir = tdx::AppPaths::chooseAppDir(QCoreApplication::applicationDirPath());
    tdx::Settings settings(
        tdx::AppPaths::settingsFile(appDir, QCoreApplication::applicationFilePath()));

    tdx::SingleInstance instance(tdx::SingleInstance::sessionKey());
    if (instance.claim() == tdx::SingleInstance::Role::Secondary) {
        // The running instance shows itself and the duplicate-start message; this one never
        // shows anything, whether or not the notice got through.
        instance.notifyPrimary();
        return 0;
    }

    tdx::MessageBoxPrompter prompter;
    tdx::DesktopLauncher launcher;
    tdx::SystemClock clock;
    tdx::DialogFileChooser files;
    tdx::SystemDesktop desktop;
    tdx::LoginKey loginKey;
    tdx::Session session;
    tdx::ServiceClient service(appDir, settings.hosts(appDir), clock, prompter,
                               [&session] { return session.identity(); });
    tdx::AppContext ctx{prompter,
                        launcher,
                        clock,
                        files,
                        desktop,
                        settings,
                        loginKey,
                        session,
                        service,
                        appDir,
                        QCoreApplication::applicationFilePath()};

    // The LG U+ control of this build talks to the simulated line; our IMS library finds the
    // same line through TDX_IMS_LINE and is loaded as the vendor's would be.
    const tdx::Hosts &hosts = service.hosts();
    qputenv("TDX_IMS_LINE", hosts.lineAddress.toUtf8());
    tdx::SimulatedLguControl lgu(hosts.lineAddress);
    tdx::LoadedImsLibrary ims(QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QString::fromLatin1(tdx::provider::kImsLibraryName)));
    tdx::TmainFrm main(ctx, &lgu, &ims);
    prompter.setOwner(&main);
    files.setOwner(&main);
    QObject::connect(&main, &tdx::TmainFrm::exitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &tdx::SingleInstance::noticeReceived, &main,
                     &tdx::TmainFrm::onNotice);
    tdx::SessionEvents *sessionEvents = tdx::createSystemSessionEvents(&main);
    QObject::connect(sessionEvents, &tdx::SessionEvents::sessionChange, &main,
                     &tdx::TmainFrm::onSessionChange);
    QObject::connect(sessionEvents, &tdx::SessionEvents::suspendQuery, &main,
                     &tdx::TmainFrm::onSuspendQuery);

    main.FormCreate();
    main.show();
    return app.exec();
}
