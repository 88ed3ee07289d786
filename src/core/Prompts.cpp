#include "core/Prompts.h"

#include "core/Text.h"

namespace zaz {

QStringList QtFileFilters(const QString &pipeFilter)
{
    QStringList filters;
    const t_tranches parts = SplitText(QStringLiteral("|"), pipeFilter);
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The description often repeats the pattern in brackets; Qt reads the patterns
        // from the last bracket pair, so keep only the plain description.
        const int bracket = description.indexOf(QLatin1Char('('));
        if (bracket > 0)
            description = description.left(bracket).trimmed();
        QStringList patterns;
        for (const QString &p : SplitText(QStringLiteral(";"), parts[i + 1])) {
            const QString t = p.trimmed();
            if (t.isEmpty())
                continue;
            patterns << t.toLower();
            if (t.toUpper() != t.toLower())
                patterns << t.toUpper();
        }
        patterns.removeDuplicates();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

} // namespace zaz
