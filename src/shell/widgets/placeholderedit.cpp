#include "shell/widgets/placeholderedit.h"

#include <QKeyEvent>

namespace tdx {

PlaceholderEdit::PlaceholderEdit(const QString &placeholder, QWidget *parent, bool password)
    : QLineEdit(parent), m_placeholder(placeholder), m_password(password) {
    setText(placeholder);
    connect(this, &QLineEdit::textChanged, this, &PlaceholderEdit::restyle);
    restyle();
}

void PlaceholderEdit::setEntered(const QString &text) {
    setText(text.isEmpty() && !hasFocus() ? m_placeholder : text);
}

void PlaceholderEdit::focusInEvent(QFocusEvent *e) {
    if (showsPlaceholder())
        clear();
    QLineEdit::focusInEvent(e);
}

void PlaceholderEdit::focusOutEvent(QFocusEvent *e) {
    if (text().isEmpty())
        setText(m_placeholder);
    QLineEdit::focusOutEvent(e);
}

void PlaceholderEdit::keyPressEvent(QKeyEvent *e) {
    if (m_password && echoMode() != QLineEdit::Password)
        setEchoMode(QLineEdit::Password);
    QLineEdit::keyPressEvent(e);
}

void PlaceholderEdit::restyle() {
    const bool hint = showsPlaceholder();
    if (m_password)
        setEchoMode(hint ? QLineEdit::Normal : QLineEdit::Password);
    setStyleSheet(hint ? QStringLiteral("color: #9a9a9a;") : QString());
}

} // namespace tdx
