#include "support/IniText.h"

#include <QStringList>

namespace zaz::test {

IniText IniText::parse(const QByteArray &bytes)
{
    IniText ini;
    // Latin-1 is enough here: the tests compare ASCII keys and values.
    const QStringList lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            ini.sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
        } else if (!ini.sections.isEmpty() && !line.startsWith(QLatin1Char(';'))) {
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                ini.sections.last().keys.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
        }
    }
    return ini;
}

const IniText::Section *IniText::find(const QString &section) const
{
    for (const Section &s : sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QString IniText::value(const QString &section, const QString &key) const
{
    if (const Section *s = find(section))
        for (const auto &kv : s->keys)
            if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
                return kv.second;
    return QString();
}

QStringList IniText::sectionNames() const
{
    QStringList names;
    for (const Section &s : sections)
        names << s.name;
    return names;
}

} // namespace zaz::test
