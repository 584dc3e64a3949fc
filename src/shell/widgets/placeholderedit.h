#pragma once

#include <QLineEdit>

namespace tdx {

// A text field whose placeholder is its text: entering the field while it shows the placeholder
// empties it, leaving it empty puts the placeholder back, and the placeholder counts as text.
// A password field shows the placeholder in clear and masks anything typed.
class PlaceholderEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit PlaceholderEdit(const QString &placeholder, QWidget *parent = nullptr,
                             bool password = false);

    QString placeholder() const { return m_placeholder; }
    bool showsPlaceholder() const { return text() == m_placeholder; }
    // The typed text, or empty while the placeholder shows.
    QString entered() const { return showsPlaceholder() ? QString() : text(); }
    // Sets typed text (empty puts the placeholder back).
    void setEntered(const QString &text);

protected:
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void restyle();

    QString m_placeholder;
    bool m_password;
};

} // namespace tdx
