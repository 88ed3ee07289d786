#include "Tool.h"

namespace zaz::tool {

void UsageError(const QString &message)
{
    throw ToolError{kExitUsage, message};
}

void IoError(const QString &message)
{
    throw ToolError{kExitIo, message};
}

bool Output::flush()
{
    if (!buffer_.empty()) {
        if (!failed_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
    }
    if (!failed_ && std::fflush(file_) != 0)
        failed_ = true;
    return !failed_;
}

ParsedArguments ParseArguments(const QStringList &arguments, std::initializer_list<OptionDef> known,
                               const QStringList &positionalNames)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            parsed.positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const OptionDef *option = nullptr;
        for (const OptionDef &candidate : known)
            if (name == QLatin1String(candidate.name))
                option = &candidate;
        if (!option)
            UsageError(QStringLiteral("option inconnue : %1").arg(name));
        if (!option->takesValue) {
            if (equals >= 0)
                UsageError(QStringLiteral("l'option %1 ne prend pas de valeur").arg(name));
            parsed.flags << name;
            continue;
        }
        QString value;
        if (equals >= 0) {
            value = arg.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            UsageError(QStringLiteral("l'option %1 attend %2").arg(name, QLatin1String(option->valueName)));
        }
        if (value.isEmpty())
            UsageError(QStringLiteral("l'option %1 attend %2").arg(name, QLatin1String(option->valueName)));
        parsed.values.insert(name, value);
    }
    if (parsed.positional.size() < positionalNames.size())
        UsageError(QStringLiteral("argument manquant : %1").arg(positionalNames[parsed.positional.size()]));
    if (parsed.positional.size() > positionalNames.size())
        UsageError(QStringLiteral("argument en trop : %1").arg(parsed.positional[positionalNames.size()]));
    return parsed;
}

} // namespace zaz::tool
