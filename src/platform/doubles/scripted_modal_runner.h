#pragma once

#include "platform/modal.h"

#include <QDialog>
#include <QList>

#include <deque>
#include <functional>
#include <variant>

namespace pw::platform {

// Answers modal dialogs without showing them. Each answer is either a result
// code or a function that may work the dialog (fill an edit, press a button)
// and returns the result. What every dialog showed is kept in `shown`.
class ScriptedModalRunner final : public ModalRunner
{
public:
    using Action = std::function<int(QDialog&)>;
    using Answer = std::variant<int, Action>;

    QList<ShownDialog> shown;
    QStringList classNames; // the dialog classes, in the order they were run
    int unanswered = 0;     // dialogs that found no answer waiting
    int defaultAnswer = 0;

    void answer(int result) { m_answers.emplace_back(result); }
    void answerWith(Action action) { m_answers.emplace_back(std::move(action)); }
    bool allAnswered() const { return m_answers.empty(); }

    int run(QDialog& dialog, const ShownDialog& info) override
    {
        shown.append(info);
        classNames.append(QString::fromLatin1(dialog.metaObject()->className()));
        if (m_answers.empty()) {
            ++unanswered;
            return defaultAnswer;
        }
        Answer next = std::move(m_answers.front());
        m_answers.pop_front();
        if (const int* result = std::get_if<int>(&next))
            return *result;
        return std::get<Action>(next)(dialog);
    }

    const ShownDialog& last() const { return shown.constLast(); }

private:
    std::deque<Answer> m_answers;
};

} // namespace pw::platform
