#pragma once

#include "platform/prompter.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

namespace tdx::test {

// Records every message box and question exactly; questions are answered from a queue of
// one-shot answers (Cancel when the queue is empty, so a forgotten answer does nothing).
class FakePrompter final : public Prompter {
public:
    struct Prompt {
        bool question = false;
        QString text;
        QString caption;
        Icon icon = Icon::None;
        bool operator==(const Prompt &o) const = default;
    };

    void message(const QString &text, const QString &caption, Icon icon) override;
    Answer ask(const QString &text, const QString &caption, Icon icon) override;

    void answer(Answer a) { m_answers.enqueue(a); }
    void answerOk(int times = 1);
    // Runs while a prompt is showing (as if the user acted in its modal loop).
    void onPrompt(std::function<void(const Prompt &)> hook) { m_hook = std::move(hook); }

    const QList<Prompt> &prompts() const { return m_prompts; }
    Prompt last() const { return m_prompts.isEmpty() ? Prompt{} : m_prompts.last(); }
    QStringList texts() const;
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear() { m_prompts.clear(); }

    static Prompt msg(const QString &text, const QString &caption, Icon icon = Icon::None) {
        return {false, text, caption, icon};
    }
    static Prompt question(const QString &text, const QString &caption,
                           Icon icon = Icon::Question) {
        return {true, text, caption, icon};
    }

private:
    QList<Prompt> m_prompts;
    QQueue<Answer> m_answers;
    std::function<void(const Prompt &)> m_hook;
};

char *toString(const FakePrompter::Prompt &p);

} // namespace tdx::test
