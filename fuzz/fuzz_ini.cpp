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
    for (const QString &section : ini.readSections()) {
        Check(!sections.contains(section.toCaseFolded()));
        sections.insert(section.toCaseFolded());
        Check(ini.sectionExists(section));
        Check(ini.sectionExists(section.toUpper()) || section.toUpper().toCaseFolded() != section.toCaseFolded());

        const auto pairs = ini.readSectionPairs(section);
        const QStringList keys = ini.readSection(section);
        const QStringList texts = ini.readSectionValues(section);
        Check(keys.size() == pairs.size() && texts.size() == pairs.size());
        QSet<QString> seen;
        for (int i = 0; i < pairs.size(); ++i) {
            const auto &[key, value] = pairs[i];
            Check(!key.isEmpty() && !seen.contains(key.toCaseFolded()));
            seen.insert(key.toCaseFolded());
            Check(keys[i] == key);
            Check(texts[i] == key + QLatin1Char('=') + value);
            Check(ini.valueExists(section, key));
            Check(ini.readString(section, key, kAbsent) == value);
            Check(!value.contains(QLatin1Char('\n')));
        }
    }
    Check(ini.readString(QStringLiteral("\n"), QStringLiteral("\n"), kAbsent) == kAbsent);
}

// Same sections and keys, leaving out the section named except.
bool SameContent(const IniFile &a, const IniFile &b, const QString &except = QString())
{
    auto listed = [&](const IniFile &ini) {
        QStringList sections = ini.readSections();
        sections.removeIf([&](const QString &s) { return s.compare(except, Qt::CaseInsensitive) == 0; });
        return sections;
    };
    const QStringList sections = listed(a);
    if (sections != listed(b))
        return false;
    for (const QString &section : sections) {
        if (a.readSectionPairs(section) != b.readSectionPairs(section))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini{QString()};
    Check(ini.loadFromBytes(bytes));
    CheckReadsAgree(ini);

    // What would be written reads the same and is written the same again.
    const QByteArray written = ini.toBytes();
    IniFile reread{QString()};
    Check(reread.loadFromBytes(written));
    Check(SameContent(ini, reread));
    Check(reread.toBytes() == written);

    // One change in memory: the first key of the first section when there is one (its
    // value replaced), else a new section. The value comes from the input itself.
    const QStringList sections = ini.readSections();
    const QString section = sections.isEmpty() ? QStringLiteral("fuzz") : sections.first();
    const QStringList keys = ini.readSection(section);
    const QString key = keys.isEmpty() ? QStringLiteral("key") : keys.first();
    QString value = QString::fromLatin1(bytes.left(24));
    value.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));

    ini.beginUpdate();
    // A name holding a carriage return (a line end elsewhere) is refused for writing.
    if (section.contains(QLatin1Char('\r')) || key.contains(QLatin1Char('\r'))) {
        Check(!ini.writeString(section, key, value));
        Check(SameContent(ini, reread));
        return 0;
    }
    Check(ini.writeString(section, key, value));
    Check(ini.lastError().isEmpty());
    const QString stored = ini.readString(section, key, kAbsent);
    Check(stored != kAbsent);
    CheckReadsAgree(ini);
    Check(SameContent(ini, reread, section));
    if (!sections.isEmpty())
        Check(ini.readSections() == sections);

    IniFile changed{QString()};
    Check(changed.loadFromBytes(ini.toBytes()));
    Check(changed.readString(section, key, kAbsent) == stored);
    Check(SameContent(ini, changed));

    Check(ini.deleteKey(section, key));
    Check(!ini.valueExists(section, key));
    Check(ini.eraseSection(section));
    Check(!ini.sectionExists(section));
    Check(SameContent(ini, reread, section));
    // A line break in a value would split the line: refused, nothing changed.
    Check(!ini.writeString(section, key, QStringLiteral("a\r\n[b]")));
    Check(!ini.sectionExists(section));
    return 0;
}
