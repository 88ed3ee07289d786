// Text helpers with the program's string semantics.
//
// Positions are 1-based, as in every fixed-column format the program reads and writes
// (strip lines, sector files, protocol fields). None of these functions throws on a bad
// position: an out-of-range start or count gives a shorter or empty text.
#pragma once

#include <QString>
#include <QStringList>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace zaz {

// The growable array of texts used for protocol fields and route elements.
using t_tranches = QStringList;

// Raised by the strict conversions; what() is the French text shown to the controller.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString &message);
    QString message() const;
};

// Characters start..start+count-1 (1-based). start < 1 is taken as 1, count < 0 as 0;
// whatever lies beyond the end of s is simply not there.
QString Copy(const QString &s, int start, int count);
// 1-based position of the first occurrence of sub in s; 0 when absent or sub is empty.
int Pos(const QString &sub, const QString &s);
// 1-based position of the first occurrence of sub in s at or after position from; 0 when absent.
int PosFrom(const QString &sub, const QString &s, int from);
// s followed by blanks up to width characters (never cut).
QString PadRight(const QString &s, int width, QChar fill = QLatin1Char(' '));
// blanks (or fill) then s, up to width characters (never cut).
QString PadLeft(const QString &s, int width, QChar fill = QLatin1Char(' '));
// s padded or cut to exactly width characters (fixed-column fields).
QString FitWidth(const QString &s, int width);
// Writes text over s starting at column start (1-based), extending s with blanks when it is
// shorter than start-1; the length of s becomes max(len(s), start-1+len(text)).
QString ReplaceColumns(const QString &s, int start, const QString &text);
// Removes count characters from position start (1-based), as the original Delete did.
QString DeleteChars(const QString &s, int start, int count);
// Inserts text before position start (1-based); past the end it is appended.
QString InsertText(const QString &s, const QString &text, int start);
// Every occurrence of from replaced by to (non-overlapping, left to right).
QString ReplaceAll(const QString &s, const QString &from, const QString &to);
// Blanks and control characters removed at both ends (the original Trim).
QString TrimText(const QString &s);

// Cuts text at every occurrence of separator. Every piece, empty ones included, is an
// element; the rest after the last separator is the last element. A text without the
// separator gives one element; an empty text one empty element. An empty separator
// gives the whole text as its only element.
t_tranches SplitText(const QString &separator, const QString &text);

// Strict integer conversion: optional blanks before, optional sign, decimal digits or
// "$"/"0x" hexadecimal, nothing after, within 32-bit range. Raises ConversionError with
// the text "'<s>' n'est pas une valeur entière correcte" otherwise.
int StrToInt(const QString &s);
// The same test without raising.
bool TryStrToInt(const QString &s, int &value);
// Strict conversion with a fallback instead of an error.
int StrToIntDef(const QString &s, int fallback);

// Lenient float conversion for coordinates and weather values: reads the longest prefix
// that is a decimal number ("." separator, optional sign, optional exponent) after
// leading blanks; gives 0 when there is none. ok, when given, tells whether the whole
// text (blanks aside) was a number.
double StrToFloatLenient(const QString &s, bool *ok = nullptr);

// π, for every angle the program works out.
inline constexpr double kPi = std::numbers::pi;

// "Round" everywhere in the program: to the nearest whole number, ties to the even one.
// This one keeps the value a double (infinities and NaN pass through), for positions far off
// the picture that no integer holds.
inline double RoundHalfEvenWhole(double value)
{
    return std::nearbyint(value); // the default rounding mode: to nearest, ties to even
}
// The same as an integer; values beyond the range saturate, NaN gives 0.
long long RoundHalfEven64(double value);
// Inline: every projected point of the scope goes through it.
inline int RoundHalfEven(double value)
{
    if (value > -2147483648.0 && value < 2147483647.0) { // NaN is neither
        long long whole = static_cast<long long>(value);  // toward zero
        if (static_cast<double>(whole) > value)
            --whole;                                      // down
        const double fraction = value - static_cast<double>(whole);
        if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0))
            ++whole;
        return static_cast<int>(whole);
    }
    return value > 0 ? 2147483647 : (value < 0 ? -2147483647 - 1 : 0);
}
// Integer part towards zero (the original Trunc), saturating.
int Trunc(double value);

// Decimal text of an integer: no leading zeros, "-" when negative.
QString IntToStr(long long value);
// value with exactly decimals digits after ".", ties away from zero on the decimal
// value as the original formatting routine did; left-padded with blanks to minWidth.
// FormatFixed(5.25, 5, 8) == " 5.25000".
QString FormatFixed(double value, int decimals, int minWidth = 0);
// value written with digits digits, leading zeros (negative values keep their sign in front).
QString ZeroPad(long long value, int digits);

// "true"/"false" as the settings store booleans; only the exact text "true" is true.
QString BoolText(bool value);
bool TextIsTrue(const QString &s);

} // namespace zaz
