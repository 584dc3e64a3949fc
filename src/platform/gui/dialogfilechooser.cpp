#include "platform/gui/dialogfilechooser.h"

#include <QFileDialog>

namespace tdx {

QString DialogFileChooser::chooseFolder(const QString &caption, const QString &start) {
    return QFileDialog::getExistingDirectory(m_owner, caption, start);
}

QStringList DialogFileChooser::chooseFiles(const QString &caption, const QString &start,
                                           const QString &filter, bool many) {
    if (many)
        return QFileDialog::getOpenFileNames(m_owner, caption, start, filter);
    const QString one = QFileDialog::getOpenFileName(m_owner, caption, start, filter);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

} // namespace tdx
