// Prompts for tests: every box is recorded, and answers come from a script. A box the
// script does not answer is cancelled (or acknowledged, for a message).
#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QString>
#include <deque>
#include <optional>
#include <variant>

namespace zaz::test {

struct PromptCall {
    enum Kind { Message, Ask, Input, Open, Save, Color } kind;
    QString text;     // message text, question or prompt
    QString caption;  // caption or dialog title
    QString filter;   // file dialogs
    QString initialDir;
};

class ScriptedPrompts final : public Prompts {
public:
    // Answers, consumed in order by the box of the matching kind.
    void answerAsk(Answer a) { asks_.push_back(a); }
    void answerInput(std::optional<QString> v) { inputs_.push_back(std::move(v)); }
    void answerOpen(std::optional<QString> v) { opens_.push_back(std::move(v)); }
    void answerSave(std::optional<QString> v) { saves_.push_back(std::move(v)); }
    void answerColor(std::optional<TColor> v) { colors_.push_back(v); }

    const QList<PromptCall> &calls() const { return calls_; }
    // The texts of the message boxes shown so far.
    QStringList messages() const;
    int count(PromptCall::Kind kind) const;
    void clear() { calls_.clear(); }

    void showMessage(const QString &text) override;
    Answer ask(const QString &text, const QString &caption, Buttons buttons) override;
    std::optional<QString> inputQuery(const QString &caption, const QString &prompt,
                                      const QString &value) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<TColor> chooseColor(TColor initial) override;

private:
    template <typename T>
    static T take(std::deque<T> &queue, T fallback)
    {
        if (!queue.empty()) {
            fallback = std::move(queue.front());
            queue.pop_front();
        }
        return fallback;
    }

    QList<PromptCall> calls_;
    std::deque<Answer> asks_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> opens_;
    std::deque<std::optional<QString>> saves_;
    std::deque<std::optional<TColor>> colors_;
};

} // namespace zaz::test
