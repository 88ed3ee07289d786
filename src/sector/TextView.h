// Column cuts and trimming on views of a line, without copying.
#pragma once

#include <QList>
#include <QStringView>

namespace zaz {

// Characters start..start+count-1 (1-based) of a line; shorter or empty past its end.
inline QStringView Columns(QStringView line, qsizetype start, qsizetype count)
{
    if (start > line.size())
        return {};
    return line.mid(start - 1, qMin(count, line.size() - start + 1));
}

// From column start (1-based) to the end of the line.
inline QStringView ColumnsFrom(QStringView line, qsizetype start)
{
    return start > line.size() ? QStringView() : line.mid(start - 1);
}

// Blanks and control characters removed at both ends.
inline QStringView TrimmedView(QStringView s)
{
    qsizetype first = 0, last = s.size();
    while (first < last && s[first].unicode() <= 0x20)
        ++first;
    while (last > first && s[last - 1].unicode() <= 0x20)
        --last;
    return s.mid(first, last - first);
}

// Trailing blanks and control characters removed.
inline QStringView TrimmedRight(QStringView s)
{
    qsizetype last = s.size();
    while (last > 0 && s[last - 1].unicode() <= 0x20)
        --last;
    return s.left(last);
}

// The text before the first ";" (the whole line when there is none).
inline QStringView BeforeComment(QStringView line)
{
    const qsizetype semi = line.indexOf(QLatin1Char(';'));
    return semi < 0 ? line : line.left(semi);
}

// Pieces separated by blanks and TABs, empty pieces dropped.
inline void Tokens(QStringView s, QList<QStringView> &out)
{
    out.clear();
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        while (i < n && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t')))
            ++i;
        const qsizetype start = i;
        while (i < n && s[i] != QLatin1Char(' ') && s[i] != QLatin1Char('\t'))
            ++i;
        if (i > start)
            out.append(s.mid(start, i - start));
    }
}

} // namespace zaz
