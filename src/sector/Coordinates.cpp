#include "sector/Coordinates.h"

#include "core/Text.h"

#include <cmath>

namespace zaz {

namespace {

// Separators of a coordinate text: "." and what the reader turns into ".".
inline bool IsSeparator(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char(' ');
}

inline bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Up to five pieces of a coordinate text, without copying.
struct Pieces {
    QStringView piece[4];
    int count = 0;
};

Pieces Split(QStringView text)
{
    Pieces p;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || IsSeparator(text[i])) {
            if (p.count < 4)
                p.piece[p.count] = text.mid(start, i - start);
            ++p.count;
            start = i + 1;
            if (p.count > 4)
                break; // pieces after the fourth are ignored
        }
    }
    return p;
}

// The leading digits of a piece as a number; 0 when there are none.
long double LeadingNumber(QStringView piece)
{
    long double value = 0;
    for (QChar c : piece) {
        if (!IsDigit(c))
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool AllDigits(QStringView piece)
{
    if (piece.isEmpty())
        return false;
    for (QChar c : piece)
        if (!IsDigit(c))
            return false;
    return true;
}

bool IsWellFormed(QStringView text, QChar positive, QChar negative)
{
    const Pieces p = Split(text);
    if (p.count < 4)
        return false;
    const QStringView first = p.piece[0];
    if (first.size() < 2 || first.size() > 4 || (first[0] != positive && first[0] != negative))
        return false;
    return AllDigits(first.mid(1)) && AllDigits(p.piece[1]) && AllDigits(p.piece[2]) && AllDigits(p.piece[3]);
}

// A truncated, non-negative value zero-padded to width. Values beyond the range of long long
// (only absurd coordinate texts give them) are written in full, "inf" and "nan" included.
QString Digits(double value, int width)
{
    if (value < 9223372036854775808.0)
        return ZeroPad((long long)value, width);
    return QString::number(value, 'f', 0);
}

} // namespace

constexpr long double kMaxDegrees = 1000.0L;

bool ParseCoordinate(QStringView text, float &value)
{
    value = 0;
    const Pieces p = Split(text);
    if (p.count < 4)
        return false;
    const QStringView first = p.piece[0];
    // Degrees are characters 2 to 4 of the first piece.
    const long double degrees = LeadingNumber(first.mid(qMin<qsizetype>(1, first.size())).left(3));
    const long double minutes = LeadingNumber(p.piece[1]);
    const long double seconds = LeadingNumber(p.piece[2]);
    // Digits past the third are finer than a thousandth: "10.005555" is 10.005 seconds.
    const long double thousandths = LeadingNumber(p.piece[3].left(3));
    long double v = degrees + (minutes + (seconds + thousandths / 1000.0L) / 60.0L) / 60.0L;
    // Minutes or seconds so large that the point lies beyond three digits of degrees are no
    // coordinate: the writer could not give the point back, and no map holds it.
    if (!(v < kMaxDegrees))
        return false;
    if (!first.isEmpty() && (first[0] == QLatin1Char('S') || first[0] == QLatin1Char('W')))
        v = -v;
    value = float(v);
    return true;
}

bool IsWellFormedLatitude(QStringView text)
{
    return IsWellFormed(text, QLatin1Char('N'), QLatin1Char('S'));
}

bool IsWellFormedLongitude(QStringView text)
{
    return IsWellFormed(text, QLatin1Char('E'), QLatin1Char('W'));
}

QString CoordinateText(float value, char positive, char negative)
{
    const char letter = value > 0 ? positive : negative;
    // The float is widened exactly; every step truncates.
    const double a = std::fabs(double(value));
    const double degrees = std::trunc(a);
    // A value too large for a fraction, infinity included, has none.
    const double minutesAll = std::isfinite(a) ? (a - degrees) * 60.0 : 0.0;
    const double minutes = std::trunc(minutesAll);
    const double secondsAll = (minutesAll - minutes) * 60.0;
    const double seconds = std::trunc(secondsAll);
    const double thousandths = std::trunc((secondsAll - seconds) * 1000.0);
    QString text;
    text.reserve(14);
    text += QLatin1Char(letter);
    text += Digits(degrees, 3);
    text += QLatin1Char('.');
    text += Digits(minutes, 2);
    text += QLatin1Char('.');
    text += Digits(seconds, 2);
    text += QLatin1Char('.');
    text += Digits(thousandths, 3);
    return text;
}

} // namespace zaz
