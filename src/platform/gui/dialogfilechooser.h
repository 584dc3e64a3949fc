#pragma once

#include "platform/filechooser.h"

#include <QPointer>
#include <QWidget>

namespace tdx {

class DialogFileChooser final : public FileChooser {
public:
    explicit DialogFileChooser(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }
    QString chooseFolder(const QString &caption, const QString &start) override;
    QStringList chooseFiles(const QString &caption, const QString &start, const QString &filter,
                            bool many) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace tdx
