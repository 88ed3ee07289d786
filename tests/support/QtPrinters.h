// Readable test failure messages for Qt text types (GoogleTest would print them as arrays
// of two-byte objects). Included in every test through the build.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size() && i < 20; ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    if (list.size() > 20)
        *os << ", ... (" << list.size() << " texts)";
    *os << '}';
}
