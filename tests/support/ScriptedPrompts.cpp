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

void ScriptedPrompts::showMessage(const QString &text)
{
    calls_.append({PromptCall::Message, text, {}, {}, {}});
}

Prompts::Answer ScriptedPrompts::ask(const QString &text, const QString &caption, Buttons buttons)
{
    calls_.append({PromptCall::Ask, text, caption, {}, {}});
    return take(asks_, buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

std::optional<QString> ScriptedPrompts::inputQuery(const QString &caption, const QString &prompt,
                                                   const QString &)
{
    calls_.append({PromptCall::Input, prompt, caption, {}, {}});
    return take(inputs_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompts::openFile(const FileDialogRequest &request)
{
    calls_.append({PromptCall::Open, {}, request.title, request.filter, request.initialDir});
    return take(opens_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompts::saveFile(const FileDialogRequest &request)
{
    calls_.append({PromptCall::Save, {}, request.title, request.filter, request.initialDir});
    return take(saves_, std::optional<QString>());
}

std::optional<TColor> ScriptedPrompts::chooseColor(TColor)
{
    calls_.append({PromptCall::Color, {}, {}, {}, {}});
    return take(colors_, std::optional<TColor>());
}

} // namespace zaz::test
