#pragma once

#include <QString>

namespace tdx {

// Message boxes and OK/Cancel questions. The real adapter shows QMessageBox; tests record the
// exact text, caption and icon and answer questions from a queue.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Answer { Ok, Cancel };

    virtual ~Prompter() = default;
    virtual void message(const QString &text, const QString &caption, Icon icon = Icon::None) = 0;
    virtual Answer ask(const QString &text, const QString &caption, Icon icon = Icon::Question) = 0;

    bool confirm(const QString &text, const QString &caption, Icon icon = Icon::Question) {
        return ask(text, caption, icon) == Answer::Ok;
    }
};

} // namespace tdx
