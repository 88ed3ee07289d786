// Prompts for tests: every box is recorded, and answers come from a script. A box the
// script does not answer is cancelled (or acknowledged, for a message).
#pragma once

#include "core/Prompts.h"

#include <QList>
#include <optional>

namespace zaz::test {

struct PromptCall {
    enum Kind { Message, Ask, Input, Open, Save, Color } kind;
    // The message text, question or prompt; the caption or dialog title; for file dialogs,
    // the filter and the initial folder; for input boxes, the value offered.
    QString text, caption, filter, initialDir, value = {};
};

class ScriptedPrompts final : public Prompts {
public:
    // Answers, consumed in order by the box of the matching kind.
    void answerAsk(Answer a) { asks_.append(a); }
    void answerInput(std::optional<QString> v) { inputs_.append(std::move(v)); }
    void answerOpen(std::optional<QString> v) { opens_.append(std::move(v)); }
    void answerSave(std::optional<QString> v) { saves_.append(std::move(v)); }
    void answerColor(std::optional<TColor> c) { colors_.append(c); }

    const QList<PromptCall> &calls() const { return calls_; }
    // The texts of the message boxes shown so far.
    QStringList messages() const
    {
        QStringList texts;
        for (const PromptCall &c : calls_)
            if (c.kind == PromptCall::Message)
                texts << c.text;
        return texts;
    }
    void clear() { calls_.clear(); }

    void showMessage(const QString &text) override { calls_.append({PromptCall::Message, text, {}, {}, {}}); }
    Answer ask(const QString &text, const QString &caption, Buttons buttons) override
    {
        calls_.append({PromptCall::Ask, text, caption, {}, {}});
        return !asks_.isEmpty() ? asks_.takeFirst() : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> inputQuery(const QString &caption, const QString &prompt, const QString &value) override
    {
        calls_.append({PromptCall::Input, prompt, caption, {}, {}, value});
        return inputs_.isEmpty() ? std::nullopt : inputs_.takeFirst();
    }
    std::optional<QString> openFile(const FileDialogRequest &r) override { return file(PromptCall::Open, r, opens_); }
    std::optional<QString> saveFile(const FileDialogRequest &r) override { return file(PromptCall::Save, r, saves_); }
    std::optional<TColor> chooseColor(TColor) override
    {
        calls_.append({PromptCall::Color, {}, {}, {}, {}});
        return colors_.isEmpty() ? std::nullopt : colors_.takeFirst();
    }

private:
    std::optional<QString> file(PromptCall::Kind kind, const FileDialogRequest &r, QList<std::optional<QString>> &to)
    {
        calls_.append({kind, {}, r.title, r.filter, r.initialDir});
        return to.isEmpty() ? std::nullopt : to.takeFirst();
    }

    QList<PromptCall> calls_;
    QList<Answer> asks_;
    QList<std::optional<QString>> inputs_, opens_, saves_;
    QList<std::optional<TColor>> colors_;
};

} // namespace zaz::test
