// One INI settings file, kept in memory in file order and written back at once.
//
// Format: "[section]" header lines, then "key=value" lines; lines starting with ";" and
// blank lines are kept as they are. Look-ups of sections and keys ignore case and the
// blanks around names and values; the first of two equal keys wins. Text is Windows-1252.
//
// Every change is written to disk before the call returns, atomically: the new content
// goes to a temporary file in the same folder which then replaces the old one, so a crash
// or a full disk never leaves a truncated or empty file. A batch (BeginUpdate/EndUpdate)
// groups many changes into one such write.
//
// Reading details:
// - Lines may end with CRLF or LF; a leading UTF-8 byte order mark is skipped (and written
//   back). Files are always written with CRLF.
// - A value between matching double (or single) quotes is given without them, so quotes
//   can keep blanks at the ends of a value.
// - Of two sections with the same name, the first one hides the second; of two equal keys
//   in a section, the first one hides the second. Hidden names are not listed.
// - "key=value" lines before the first section header, and lines without "=" inside a
//   section, are kept in the file but are not keys.
// - An untouched line is written back byte for byte.
//
// A file that exists but cannot be read (not a regular file, unreadable, larger than
// 16 MiB or with 262144 line ends or more) is seen as empty, and from then on every write
// fails without touching it: writing our in-memory copy would replace the user's content
// with almost nothing. Changes are still made in memory; reload() clears the condition
// once the file reads correctly.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zaz {

class IniFile {
public:
    // Reads path if it exists; a missing file is an empty one (created at the first write).
    explicit IniFile(const QString &path);

    QString path() const { return path_; }
    // Reads the file again, dropping the in-memory copy.
    bool reload();

    // Replaces the in-memory copy by the INI text in bytes, exactly as if the file held
    // them; nothing is written until the next change. False (with an empty copy, writes
    // refused and lastError set) when bytes are too large to be kept.
    bool loadFromBytes(const QByteArray &bytes);
    // The bytes a write would put in the file now.
    QByteArray toBytes() const;

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    // The value of key in section, or def when the section or the key is absent.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Names of the sections, in file order.
    QStringList readSections() const;
    // Names of the keys of a section, in file order.
    QStringList readSection(const QString &section) const;
    // "key=value" texts of a section, in file order (the values as ReadString gives them).
    QStringList readSectionValues(const QString &section) const;
    // The same as pairs.
    QList<QPair<QString, QString>> readSectionPairs(const QString &section) const;

    // Sets key in section (adding the section at the end and the key at the end of the
    // section when new; an existing key keeps its place and its spelling) and writes the
    // file. Returns false, with the old file left untouched, when the write fails.
    // Characters with no Windows-1252 byte are stored as "?". A key that is empty, holds
    // "=" or starts with ";" or "[", or a name or value holding a line break, is refused
    // (false, nothing changed).
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Removes a section and its keys; returns false when the write fails.
    // Every section of that name goes, so the section no longer exists afterwards.
    bool eraseSection(const QString &section);
    // Removes one key (with any hidden duplicate in the same section); returns false when
    // the write fails.
    bool deleteKey(const QString &section, const QString &key);

    // Between BeginUpdate and EndUpdate changes stay in memory; EndUpdate writes once.
    // Batches nest: only the outermost EndUpdate writes.
    void beginUpdate();
    bool endUpdate();

    // The reason of the last failed read or write, in French, empty after a success.
    // After a failed write the change stays in memory and the next write retries it.
    QString lastError() const { return lastError_; }

private:
    struct Line {
        enum Kind { Other, Section, Key } kind = Other;
        QString raw;   // the line as read (kept for untouched lines)
        QString name;  // section name or key name, trimmed
        QString value; // for keys: the value as ReadString gives it
    };
    static Line parseLine(const QString &raw, bool inSection);
    void clear();
    bool parse(const QByteArray &bytes);
    void block(const QString &reason);
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;
    int sectionEnd(int sectionLine) const;
    // Where a new key of the section goes: after its last line that is neither blank nor
    // a comment, so trailing blank lines and comments stay in front of the next section.
    int contentEnd(int sectionLine) const;
    bool commit(bool changed);
    bool flush();

    QString path_;
    QList<Line> lines_;
    int updateDepth_ = 0;
    bool dirty_ = false;
    bool hasBom_ = false;
    bool blocked_ = false; // the file could not be read: never write over it
    QString lastError_;
};

} // namespace zaz
