#include "support/fakeprompter.h"

#include <QByteArray>

namespace tdx::test {

void FakePrompter::message(const QString &text, const QString &caption, Icon icon) {
    m_prompts.append({false, text, caption, icon});
    if (m_hook)
        m_hook(m_prompts.last());
}

Prompter::Answer FakePrompter::ask(const QString &text, const QString &caption, Icon icon) {
    m_prompts.append({true, text, caption, icon});
    if (m_hook)
        m_hook(m_prompts.last());
    return m_answers.isEmpty() ? Answer::Cancel : m_answers.dequeue();
}

void FakePrompter::answerOk(int times) {
    for (int i = 0; i < times; ++i)
        m_answers.enqueue(Answer::Ok);
}

QStringList FakePrompter::texts() const {
    QStringList out;
    for (const auto &p : m_prompts)
        out << p.text;
    return out;
}

char *toString(const FakePrompter::Prompt &p) {
    static const char *icons[] = {"none", "information", "warning", "error", "question"};
    const QByteArray s = (p.question ? "ask(" : "message(") + p.text.toUtf8() + " | " +
                         p.caption.toUtf8() + " | " + icons[int(p.icon)] + ")";
    return qstrdup(s.constData());
}

} // namespace tdx::test
