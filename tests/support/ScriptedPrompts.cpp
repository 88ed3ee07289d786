#include "support/ScriptedPrompts.h"

namespace zaz::test {

QStringList ScriptedPrompts::messages() const
{
    QStringList texts;
    for (const PromptCall &c : calls_)
        if (c.kind == PromptCall::Message)
            texts << c.text;
    return texts;
}

int ScriptedPrompts::count(PromptCall::Kind kind) const
{
    int n = 0;
    for (const PromptCall &c : calls_)
        n += c.kind == kind ? 1 : 0;
    return n;
}

void ScriptedPrompts::ShowMessage(const QString &text)
{
    calls_.append({PromptCall::Message, text, {}, {}, {}});
}

Prompts::Answer ScriptedPrompts::Ask(const QString &text, const QString &caption, Buttons buttons)
{
    calls_.append({PromptCall::Ask, text, caption, {}, {}});
    return Take(asks_, buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

std::optional<QString> ScriptedPrompts::InputQuery(const QString &caption, const QString &prompt,
                                                   const QString &)
{
    calls_.append({PromptCall::Input, prompt, caption, {}, {}});
    return Take(inputs_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompts::OpenFile(const FileDialogRequest &request)
{
    calls_.append({PromptCall::Open, {}, request.title, request.filter, request.initialDir});
    return Take(opens_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompts::SaveFile(const FileDialogRequest &request)
{
    calls_.append({PromptCall::Save, {}, request.title, request.filter, request.initialDir});
    return Take(saves_, std::optional<QString>());
}

std::optional<TColor> ScriptedPrompts::ChooseColor(TColor)
{
    calls_.append({PromptCall::Color, {}, {}, {}, {}});
    return Take(colors_, std::optional<TColor>());
}

} // namespace zaz::test
