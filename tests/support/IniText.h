// An independent reading of an INI file for the tests: plain line splitting, no shared
// code with the program's IniFile, so a fault there cannot hide itself.
#pragma once

#include <QPair>
#include <QStringList>

namespace zaz::test {

struct IniText {
    struct Section {
        QString name;
        QList<QPair<QString, QString>> keys;
    };
    QList<Section> sections;

    static IniText parse(const QByteArray &bytes)
    {
        IniText ini;
        // Latin-1 is enough here: the tests compare ASCII keys and values.
        for (QString line : QString::fromLatin1(bytes).split(QLatin1Char('\n'))) {
            line = line.trimmed();
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
                ini.sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            else if (!ini.sections.isEmpty() && !line.startsWith(QLatin1Char(';')) && eq > 0)
                ini.sections.last().keys.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
        }
        return ini;
    }
    const Section *find(const QString &section) const
    {
        for (const Section &s : sections)
            if (s.name.compare(section, Qt::CaseInsensitive) == 0)
                return &s;
        return nullptr;
    }
    // The value of the first such key, or a null string.
    QString value(const QString &section, const QString &key) const
    {
        if (const Section *s = find(section))
            for (const auto &[k, v] : s->keys)
                if (k.compare(key, Qt::CaseInsensitive) == 0)
                    return v;
        return QString();
    }
    QStringList sectionNames() const
    {
        QStringList names;
        for (const Section &s : sections)
            names << s.name;
        return names;
    }
};

} // namespace zaz::test
