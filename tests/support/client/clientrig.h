#pragma once

#include "service/serviceclient.h"
#include "shell/core/appcontext.h"
#include "support/client/fakedesktop.h"
#include "support/client/fakefilechooser.h"
#include "support/fakeclock.h"
#include "support/fakeprompter.h"
#include "support/launcherspy.h"
#include "support/officesimfixture.h"
#include "support/tempappdir.h"

class QLineEdit;

namespace tdx::test {

// A whole client context against an in-process officesim: fakes for every port, a temporary
// application folder, real settings file, login key, session and service client.
struct ClientRig {
    explicit ClientRig(int customers = 300);
    explicit ClientRig(officesim::Options options);

    OfficesimFixture sim;
    TempAppDir app{true, true};
    FakePrompter prompter;
    LauncherSpy launcher;
    FakeClock clock{QDateTime::currentDateTime()};
    FakeFileChooser files;
    FakeDesktop desktop;
    Settings settings{app.file(QStringLiteral("tandrivox.ini"))};
    LoginKey loginKey{app.file(QStringLiteral("loginkey.ini"))};
    Session session;
    ServiceClient service{app.path(), sim.hosts(), clock, prompter,
                          [this] { return session.identity(); }};
    AppContext ctx{prompter,
                   launcher,
                   clock,
                   files,
                   desktop,
                   settings,
                   loginKey,
                   session,
                   service,
                   app.path(),
                   app.file(QStringLiteral("tandrivox"))};

    // The data requests officesim received since `since`, as their operation names.
    QStringList kindsSince(qint64 since) const;
    // Whether today's daily log holds the text.
    bool todaysLogContains(const QString &text) const;
};

// Types into a field as a user does: entering it (which clears a shown placeholder), the keys,
// leaving it.
void enter(QLineEdit *edit, const QString &text);

} // namespace tdx::test
