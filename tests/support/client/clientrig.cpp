#include "support/client/clientrig.h"

#include "service/codec.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace tdx::test {

static officesim::Options withCustomers(int customers) {
    officesim::Options o;
    o.customers = customers;
    return o;
}

ClientRig::ClientRig(int customers) : ClientRig(withCustomers(customers)) {}

ClientRig::ClientRig(officesim::Options options) : sim(std::move(options)) {}

QStringList ClientRig::kindsSince(qint64 since) const {
    QStringList out;
    for (const auto &e : const_cast<OfficesimFixture &>(sim).journal().since(since))
        if (!e.pKind.isEmpty())
            out << e.pKind;
    return out;
}

bool ClientRig::todaysLogContains(const QString &text) const {
    const QByteArray bytes =
        app.read(QStringLiteral("log/log_") + clock.today().toString(QStringLiteral("yyyyMMdd")) +
                 QStringLiteral(".txt"));
    return cp949::decode(bytes).contains(text);
}

void enter(QLineEdit *edit, const QString &text) {
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &in);
    edit->selectAll(); // typing replaces what the field held
    for (QChar c : text) {
        // Hangul has no key of its own: the key event carries the character as its text.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
        QCoreApplication::sendEvent(edit, &release);
    }
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

} // namespace tdx::test
