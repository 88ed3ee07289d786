// A log of text lines that keeps the most recent ones only: what the packet monitor shows
// can never grow without bound, whatever a peer sends.
#pragma once

#include <QString>
#include <QStringList>

namespace zaz {

struct LineLog {
    static constexpr qsizetype kMaxLines = 5000;
    QStringList lines;
    qsizetype dropped = 0; // lines pushed out by newer ones

    void append(const QString &line)
    {
        lines.append(line);
        if (lines.size() > kMaxLines) {
            lines.removeFirst();
            ++dropped;
        }
    }
    void clear()
    {
        lines.clear();
        dropped = 0;
    }
    // Every line ever appended, those pushed out included.
    qsizetype total() const { return lines.size() + dropped; }
};

} // namespace zaz
