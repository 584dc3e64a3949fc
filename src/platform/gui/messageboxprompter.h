#pragma once

#include "platform/prompter.h"

#include <QPointer>
#include <QWidget>

namespace tdx {

class MessageBoxPrompter final : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }

    void message(const QString &text, const QString &caption, Icon icon) override;
    Answer ask(const QString &text, const QString &caption, Icon icon) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace tdx
