#include "core/IniFile.h"

#include "core/Codec.h"
#include "core/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace zaz {
namespace {

// A settings file is a few kilobytes; anything past these bounds is not one of ours and
// is refused rather than held in memory.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr qsizetype kMaxLines = 256 * 1024;

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The blanks trimmed around names and values: ASCII white space and the old end-of-file
// mark Ctrl-Z. A no-break space (0xA0) is text, not a blank.
bool IsBlank(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '\v':
    case '\f':
    case 0x1A:
        return true;
    default:
        return false;
    }
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

// Matching quotes around a value are how a value keeps blanks at its ends.
QString Unquote(QStringView v)
{
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2).toString();
    return v.toString();
}

bool SameName(const QString &a, QStringView b)
{
    return QStringView(a).compare(b, Qt::CaseInsensitive) == 0;
}

bool HasLineBreak(const QString &s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

// What the file will hold for s once written: characters with no Windows-1252 byte
// become "?", so memory and disk agree.
QString AsStored(QStringView s)
{
    return DecodeCp1252(EncodeCp1252(s.toString()));
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString TooLargeText(const QString &path)
{
    return QStringLiteral("Le fichier « %1 » est trop volumineux : ses réglages sont ignorés et il ne sera pas modifié.")
        .arg(Shown(path));
}

QString UnreadableText(const QString &path)
{
    return QStringLiteral("Impossible de lire le fichier « %1 » : ses réglages sont ignorés et il ne sera pas modifié.")
        .arg(Shown(path));
}

bool IsBlankOrComment(QStringView raw)
{
    const QStringView t = TrimBlanks(raw);
    return t.isEmpty() || t.front() == u';';
}

} // namespace

IniFile::IniFile(const QString &path) : path_(path)
{
    reload();
}

void IniFile::clear()
{
    lines_.clear();
    dirty_ = false;
    hasBom_ = false;
    blocked_ = false;
    lastError_.clear();
}

void IniFile::block(const QString &reason)
{
    lines_.clear();
    hasBom_ = false;
    blocked_ = true;
    lastError_ = reason;
}

bool IniFile::reload()
{
    clear();
    if (path_.isEmpty())
        return true;
    const QFileInfo info(path_);
    if (!info.exists())
        return true;
    if (!info.isFile()) {
        block(QStringLiteral("« %1 » n'est pas un fichier : ses réglages sont ignorés et il ne sera pas modifié.")
                  .arg(Shown(path_)));
        return false;
    }
    if (info.size() > kMaxFileBytes) {
        block(TooLargeText(path_));
        return false;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        block(UnreadableText(path_));
        return false;
    }
    // Read at most one byte past the bound: the file may have grown since it was measured.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        block(UnreadableText(path_));
        return false;
    }
    return parse(bytes);
}

bool IniFile::loadFromBytes(const QByteArray &bytes)
{
    clear();
    return parse(bytes);
}

bool IniFile::parse(const QByteArray &bytes)
{
    if (bytes.size() > kMaxFileBytes || bytes.count('\n') >= kMaxLines) {
        block(TooLargeText(path_));
        return false;
    }
    qsizetype start = 0;
    if (bytes.startsWith(kUtf8Bom)) {
        hasBom_ = true;
        start = kUtf8Bom.size();
    }
    const QString text = DecodeCp1252(bytes.constData() + start, bytes.size() - start);
    bool inSection = false;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype eol = text.indexOf(u'\n', from);
        if (eol < 0)
            eol = text.size();
        qsizetype end = eol;
        if (end > from && text[end - 1] == u'\r')
            --end;
        Line line = parseLine(text.mid(from, end - from), inSection);
        if (line.kind == Line::Section)
            inSection = true;
        lines_.append(std::move(line));
        from = eol + 1;
    }
    return true;
}

IniFile::Line IniFile::parseLine(const QString &raw, bool inSection)
{
    Line line;
    line.raw = raw;
    const QStringView t = TrimBlanks(raw);
    if (t.isEmpty() || t.front() == u';')
        return line;
    if (t.front() == u'[') {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = TrimBlanks(t.mid(1, close - 1)).toString();
        }
        return line;
    }
    if (!inSection)
        return line;
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return line;
    const QStringView name = TrimBlanks(t.left(eq));
    if (name.isEmpty())
        return line;
    line.kind = Line::Key;
    line.name = name.toString();
    line.value = Unquote(TrimBlanks(t.mid(eq + 1)));
    return line;
}

QByteArray IniFile::toBytes() const
{
    QString text;
    qsizetype size = 0;
    for (const Line &line : lines_)
        size += line.raw.size() + 2;
    text.reserve(size);
    for (const Line &line : lines_) {
        text += line.raw;
        text += QLatin1String("\r\n");
    }
    QByteArray bytes = EncodeCp1252(text);
    if (hasBom_)
        bytes.prepend(kUtf8Bom);
    return bytes;
}

int IniFile::findSection(const QString &section) const
{
    const QStringView name = TrimBlanks(section);
    for (int i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section && SameName(lines_[i].name, name))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < lines_.size() && lines_[i].kind != Line::Section)
        ++i;
    return i;
}

int IniFile::contentEnd(int sectionLine) const
{
    const int end = sectionEnd(sectionLine);
    int at = sectionLine + 1;
    for (int i = sectionLine + 1; i < end; ++i) {
        if (!IsBlankOrComment(lines_[i].raw))
            at = i + 1;
    }
    return at;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    const QStringView name = TrimBlanks(key);
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Key && SameName(lines_[i].name, name))
            return i;
    }
    return -1;
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const int s = findSection(section);
    if (s < 0)
        return def;
    const int k = findKey(s, key);
    return k < 0 ? def : lines_[k].value;
}

QStringList IniFile::readSections() const
{
    QStringList names;
    QSet<QString> seen;
    for (const Line &line : lines_) {
        if (line.kind != Line::Section)
            continue;
        const QString folded = line.name.toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        names << line.name;
    }
    return names;
}

QList<QPair<QString, QString>> IniFile::readSectionPairs(const QString &section) const
{
    QList<QPair<QString, QString>> pairs;
    const int s = findSection(section);
    if (s < 0)
        return pairs;
    QSet<QString> seen;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line &line = lines_[i];
        if (line.kind != Line::Key)
            continue;
        const QString folded = line.name.toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        pairs.append({line.name, line.value});
    }
    return pairs;
}

QStringList IniFile::readSection(const QString &section) const
{
    QStringList keys;
    for (const auto &pair : readSectionPairs(section))
        keys << pair.first;
    return keys;
}

QStringList IniFile::readSectionValues(const QString &section) const
{
    QStringList texts;
    for (const auto &pair : readSectionPairs(section))
        texts << pair.first + u'=' + pair.second;
    return texts;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString sec = AsStored(TrimBlanks(section));
    const QString name = AsStored(TrimBlanks(key));
    const QString stored = AsStored(value);
    if (HasLineBreak(sec) || name.isEmpty() || name.contains(u'=') || name.startsWith(u';')
        || name.startsWith(u'[') || HasLineBreak(name)) {
        lastError_ = QStringLiteral("Nom de section ou de clé invalide (« %1 », « %2 ») : le fichier « %3 » n'est pas modifié.")
                         .arg(sec, name, Shown(path_));
        return false;
    }
    if (HasLineBreak(stored)) {
        lastError_ = QStringLiteral("La valeur de la clé « %1 » de la section « %2 » contient un saut de ligne : le fichier « %3 » n'est pas modifié.")
                         .arg(name, sec, Shown(path_));
        return false;
    }

    const Line keyLine = parseLine(name + u'=' + stored, true);
    const int s = findSection(sec);
    if (s < 0) {
        // A blank line keeps the new section apart from the previous one.
        if (!lines_.isEmpty() && !TrimBlanks(lines_.last().raw).isEmpty())
            lines_.append(Line());
        lines_.append(parseLine(u'[' + sec + u']', false));
        lines_.append(keyLine);
        return commit(true);
    }
    const int k = findKey(s, name);
    if (k < 0) {
        lines_.insert(contentEnd(s), keyLine);
        return commit(true);
    }
    if (lines_[k].value == keyLine.value)
        return commit(false);
    // The existing key keeps its spelling; only its line is rebuilt.
    lines_[k] = parseLine(lines_[k].name + u'=' + stored, true);
    return commit(true);
}

bool IniFile::eraseSection(const QString &section)
{
    // One pass, so that a file full of copies of one section costs no more than its size.
    const QStringView name = TrimBlanks(section);
    QList<Line> kept;
    kept.reserve(lines_.size());
    bool erasing = false;
    for (Line &line : lines_) {
        if (line.kind == Line::Section)
            erasing = SameName(line.name, name);
        if (!erasing)
            kept.append(std::move(line));
    }
    const bool changed = kept.size() != lines_.size();
    lines_ = std::move(kept);
    return commit(changed);
}

bool IniFile::deleteKey(const QString &section, const QString &key)
{
    bool changed = false;
    const int s = findSection(section);
    if (s >= 0) {
        const QStringView name = TrimBlanks(key);
        const int end = sectionEnd(s);
        const auto begin = lines_.begin();
        const auto first = begin + s + 1;
        const auto last = begin + end;
        const auto kept = std::remove_if(first, last, [&](const Line &line) {
            return line.kind == Line::Key && SameName(line.name, name);
        });
        changed = kept != last;
        lines_.erase(kept, last);
    }
    return commit(changed);
}

void IniFile::beginUpdate()
{
    ++updateDepth_;
}

bool IniFile::endUpdate()
{
    if (updateDepth_ > 0)
        --updateDepth_;
    return commit(false);
}

bool IniFile::commit(bool changed)
{
    if (changed)
        dirty_ = true;
    if (updateDepth_ > 0 || !dirty_) {
        lastError_.clear();
        return true;
    }
    return flush();
}

bool IniFile::flush()
{
    if (blocked_) {
        lastError_ = QStringLiteral("Le fichier « %1 » n'a pas pu être lu : il n'est pas modifié, pour ne pas perdre son contenu.")
                         .arg(Shown(path_));
        return false;
    }
    if (path_.isEmpty()) {
        lastError_ = QStringLiteral("Ces réglages n'ont pas de fichier : ils ne peuvent pas être enregistrés.");
        return false;
    }
    // The old file is replaced only once every byte of the new one is on the disk.
    QString error;
    if (!SafeSaveBytes(path_, toBytes(), error)) {
        lastError_ = error;
        return false;
    }
    dirty_ = false;
    lastError_.clear();
    return true;
}

} // namespace zaz
