#include "platform/gui/messageboxprompter.h"

#include <QMessageBox>

namespace tdx {

static QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

void MessageBoxPrompter::message(const QString &text, const QString &caption, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, m_owner);
    box.exec();
}

Prompter::Answer MessageBoxPrompter::ask(const QString &text, const QString &caption, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

} // namespace tdx
