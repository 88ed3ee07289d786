// Parses arbitrary bytes as an INI file and checks that every read agrees with the others,
// that the text written back reads the same, and that a change in memory touches only
// its own key. Nothing is written to disk: the file has no path and no batch is closed.
#include "core/IniFile.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstddef>
#include <cstdint>

using zaz::IniFile;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A text no file can hold as a value: it has a line break.
const QString kAbsent = QStringLiteral("\n<absent>\n");

void CheckReadsAgree(const IniFile &ini)
{
    QSet<QString> sections;
    for (const QString &section : ini.ReadSections()) {
        Check(!sections.contains(section.toCaseFolded()));
        sections.insert(section.toCaseFolded());
        Check(ini.SectionExists(section));
        Check(ini.SectionExists(section.toUpper()) || section.toUpper().toCaseFolded() != section.toCaseFolded());

        const auto pairs = ini.ReadSectionPairs(section);
        const QStringList keys = ini.ReadSection(section);
        const QStringList texts = ini.ReadSectionValues(section);
        Check(keys.size() == pairs.size() && texts.size() == pairs.size());
        QSet<QString> seen;
        for (int i = 0; i < pairs.size(); ++i) {
            const auto &[key, value] = pairs[i];
            Check(!key.isEmpty() && !seen.contains(key.toCaseFolded()));
            seen.insert(key.toCaseFolded());
            Check(keys[i] == key);
            Check(texts[i] == key + QLatin1Char('=') + value);
            Check(ini.ValueExists(section, key));
            Check(ini.ReadString(section, key, kAbsent) == value);
            Check(!value.contains(QLatin1Char('\n')));
        }
    }
    Check(ini.ReadString(QStringLiteral("\n"), QStringLiteral("\n"), kAbsent) == kAbsent);
}

// Same sections and keys, leaving out the section named except.
bool SameContent(const IniFile &a, const IniFile &b, const QString &except = QString())
{
    auto listed = [&](const IniFile &ini) {
        QStringList sections = ini.ReadSections();
        sections.removeIf([&](const QString &s) { return s.compare(except, Qt::CaseInsensitive) == 0; });
        return sections;
    };
    const QStringList sections = listed(a);
    if (sections != listed(b))
        return false;
    for (const QString &section : sections) {
        if (a.ReadSectionPairs(section) != b.ReadSectionPairs(section))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini{QString()};
    Check(ini.LoadFromBytes(bytes));
    CheckReadsAgree(ini);

    // What would be written reads the same and is written the same again.
    const QByteArray written = ini.ToBytes();
    IniFile reread{QString()};
    Check(reread.LoadFromBytes(written));
    Check(SameContent(ini, reread));
    Check(reread.ToBytes() == written);

    // One change in memory: the first key of the first section when there is one (its
    // value replaced), else a new section. The value comes from the input itself.
    const QStringList sections = ini.ReadSections();
    const QString section = sections.isEmpty() ? QStringLiteral("fuzz") : sections.first();
    const QStringList keys = ini.ReadSection(section);
    const QString key = keys.isEmpty() ? QStringLiteral("key") : keys.first();
    QString value = QString::fromLatin1(bytes.left(24));
    value.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));

    ini.BeginUpdate();
    // A name holding a carriage return (a line end elsewhere) is refused for writing.
    if (section.contains(QLatin1Char('\r')) || key.contains(QLatin1Char('\r'))) {
        Check(!ini.WriteString(section, key, value));
        Check(SameContent(ini, reread));
        return 0;
    }
    Check(ini.WriteString(section, key, value));
    Check(ini.lastError().isEmpty());
    const QString stored = ini.ReadString(section, key, kAbsent);
    Check(stored != kAbsent);
    CheckReadsAgree(ini);
    Check(SameContent(ini, reread, section));
    if (!sections.isEmpty())
        Check(ini.ReadSections() == sections);

    IniFile changed{QString()};
    Check(changed.LoadFromBytes(ini.ToBytes()));
    Check(changed.ReadString(section, key, kAbsent) == stored);
    Check(SameContent(ini, changed));

    Check(ini.DeleteKey(section, key));
    Check(!ini.ValueExists(section, key));
    Check(ini.EraseSection(section));
    Check(!ini.SectionExists(section));
    Check(SameContent(ini, reread, section));
    // A line break in a value would split the line: refused, nothing changed.
    Check(!ini.WriteString(section, key, QStringLiteral("a\r\n[b]")));
    Check(!ini.SectionExists(section));
    return 0;
}
