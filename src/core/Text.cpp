#include "core/Text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace zaz {

// ---------------------------------------------------------------------------------------
// ConversionError

ConversionError::ConversionError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString ConversionError::message() const
{
    return QString::fromUtf8(what());
}

// ---------------------------------------------------------------------------------------
// 1-based positions

QString Copy(const QString &s, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > s.size())
        return QString();
    return s.mid(start - 1, count);
}

int Pos(const QString &sub, const QString &s)
{
    if (sub.isEmpty())
        return 0;
    return int(s.indexOf(sub)) + 1;
}

int PosFrom(const QString &sub, const QString &s, int from)
{
    if (sub.isEmpty())
        return 0;
    if (from < 1)
        from = 1;
    if (from > s.size())
        return 0;
    return int(s.indexOf(sub, from - 1)) + 1;
}

QString PadRight(const QString &s, int width, QChar fill)
{
    if (s.size() >= width)
        return s;
    QString out;
    out.reserve(width);
    out.append(s);
    out.append(QString(width - s.size(), fill));
    return out;
}

QString PadLeft(const QString &s, int width, QChar fill)
{
    if (s.size() >= width)
        return s;
    QString out(width - s.size(), fill);
    out.append(s);
    return out;
}

QString FitWidth(const QString &s, int width)
{
    if (width <= 0)
        return QString();
    if (s.size() > width)
        return s.left(width);
    return PadRight(s, width);
}

QString ReplaceColumns(const QString &s, int start, const QString &text)
{
    if (start < 1)
        start = 1;
    const qsizetype at = qsizetype(start) - 1;
    QString out = s;
    if (out.size() < at)
        out.append(QString(at - out.size(), QLatin1Char(' ')));
    // replace() shortens the replaced span at the end of the text, so the result grows
    // only by what text reaches beyond it.
    out.replace(at, text.size(), text);
    return out;
}

QString DeleteChars(const QString &s, int start, int count)
{
    if (start < 1 || start > s.size() || count <= 0)
        return s;
    QString out = s;
    out.remove(start - 1, count);
    return out;
}

QString InsertText(const QString &s, const QString &text, int start)
{
    if (start < 1)
        start = 1;
    if (start > s.size())
        return s + text;
    QString out = s;
    out.insert(start - 1, text);
    return out;
}

QString ReplaceAll(const QString &s, const QString &from, const QString &to)
{
    // An empty pattern would otherwise insert "to" between every two characters.
    if (from.isEmpty())
        return s;
    QString out = s;
    out.replace(from, to);
    return out;
}

QString TrimText(const QString &s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && s.at(last - 1).unicode() <= 0x20)
        --last;
    if (first == 0 && last == s.size())
        return s;
    return s.mid(first, last - first);
}

// ---------------------------------------------------------------------------------------
// Splitting

t_tranches SplitText(const QString &separator, const QString &text)
{
    t_tranches out;
    const qsizetype sepLen = separator.size();
    if (sepLen == 0 || text.isEmpty()) {
        out.append(text);
        return out;
    }
    // Protocol lines carry a dozen or two of fields; one reservation covers nearly all.
    out.reserve(24);
    qsizetype start = 0;
    if (sepLen == 1) {
        // Fields are short: a plain scan costs less than a search call per field.
        const char16_t sep = separator.at(0).unicode();
        const QChar *data = text.constData();
        const qsizetype n = text.size();
        for (qsizetype at = 0; at < n; ++at) {
            if (data[at].unicode() == sep) {
                out.append(QString(data + start, at - start));
                start = at + 1;
            }
        }
    } else {
        for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
            out.append(text.mid(start, at - start));
            start = at + sepLen;
        }
    }
    out.append(start == 0 ? text : text.mid(start));
    return out;
}

// ---------------------------------------------------------------------------------------
// Strict integers

namespace {

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Decimal values must fit the signed 32-bit range. Hexadecimal values are 32-bit patterns
// ("$FFFFFFFF" is -1), which is how colours with the high bit set are written.
bool ParseInt(QStringView s, int &value)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && s[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && s[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    std::uint64_t acc = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int d = HexDigit(s[i].unicode());
            if (d < 0)
                return false;
            acc = acc * 16 + std::uint64_t(d);
            if (acc > 0xFFFFFFFFull)
                return false;
        }
        std::uint32_t bits = std::uint32_t(acc);
        if (negative)
            bits = 0u - bits;
        value = std::int32_t(bits);
        return true;
    }

    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    for (; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        acc = acc * 10 + std::uint64_t(c - u'0');
        if (acc > limit)
            return false;
    }
    value = negative ? int(-std::int64_t(acc)) : int(acc);
    return true;
}

} // namespace

int StrToInt(const QString &s)
{
    int value = 0;
    if (!ParseInt(s, value))
        throw ConversionError(QLatin1Char('\'') + s
                              + QStringLiteral("' n'est pas une valeur entière correcte"));
    return value;
}

bool TryStrToInt(const QString &s, int &value)
{
    int parsed = 0;
    if (!ParseInt(s, parsed))
        return false;
    value = parsed;
    return true;
}

int StrToIntDef(const QString &s, int fallback)
{
    int value = 0;
    return ParseInt(s, value) ? value : fallback;
}

// ---------------------------------------------------------------------------------------
// Lenient floats

namespace {

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Value of a validated number text when from_chars reports it out of range: infinity
// when its decimal order is positive, zero otherwise. digits = mantissa digits without
// the point, intDigits = how many of them precede the point.
double OutOfRange(const std::string &digits, qsizetype intDigits, long long exponent,
                  bool negative)
{
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0;
    const long long order = (long long)intDigits - (long long)first - 1 + exponent;
    if (order > 0)
        return negative ? -HUGE_VAL : HUGE_VAL;
    return negative ? -0.0 : 0.0;
}

} // namespace

double StrToFloatLenient(const QString &s, bool *ok)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && s[i] == u' ')
        ++i;

    const qsizetype numberStart = i;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    const qsizetype intStart = i;
    while (i < n && IsDigit(s[i]))
        ++i;
    const qsizetype intDigits = i - intStart;
    qsizetype fracDigits = 0;
    if (i < n && s[i] == u'.') {
        qsizetype j = i + 1;
        while (j < n && IsDigit(s[j]))
            ++j;
        fracDigits = j - i - 1;
        if (intDigits + fracDigits > 0)
            i = j;
    }
    if (intDigits + fracDigits == 0) {
        if (ok)
            *ok = false;
        return 0.0;
    }
    const qsizetype mantissaEnd = i;
    // The exponent belongs to the number only when at least one digit follows it.
    long long exponent = 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        bool expNegative = false;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            expNegative = s[j] == u'-';
            ++j;
        }
        const qsizetype expStart = j;
        while (j < n && IsDigit(s[j])) {
            if (exponent < 100000000)
                exponent = exponent * 10 + (s[j].unicode() - u'0');
            ++j;
        }
        if (j > expStart) {
            i = j;
            if (expNegative)
                exponent = -exponent;
        }
    }
    const qsizetype numberEnd = i;

    if (ok) {
        qsizetype k = numberEnd;
        while (k < n && s[k] == u' ')
            ++k;
        *ok = k == n;
    }

    // Most numbers (coordinates, weather values) have few digits and a small exponent:
    // their digits make an integer that a double holds exactly, and one multiplication or
    // division by an exact power of ten rounds correctly, giving what from_chars gives.
    if (intDigits + fracDigits <= 15) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const long long scale = exponent - fracDigits;
        if (scale >= -22 && scale <= 22) {
            std::uint64_t mantissa = 0;
            for (qsizetype k = intStart; k < mantissaEnd; ++k)
                if (IsDigit(s[k]))
                    mantissa = mantissa * 10 + (s[k].unicode() - u'0');
            double value = double(mantissa);
            value = scale < 0 ? value / kPowers[-scale] : value * kPowers[scale];
            return negative ? -value : value;
        }
    }

    // The number is plain ASCII; from_chars reads it without regard to the C locale,
    // which Qt sets from the environment (a French locale would expect a comma).
    std::string ascii;
    ascii.reserve(std::size_t(numberEnd - numberStart));
    for (qsizetype k = numberStart; k < numberEnd; ++k) {
        const char c = char(s[k].unicode());
        if (c != '+')
            ascii.push_back(c);
    }
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        std::string digits;
        digits.reserve(std::size_t(intDigits + fracDigits));
        for (qsizetype k = intStart; k < mantissaEnd; ++k)
            if (IsDigit(s[k]))
                digits.push_back(char(s[k].unicode()));
        return OutOfRange(digits, intDigits, exponent, negative);
    }
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

// ---------------------------------------------------------------------------------------
// Rounding

long long RoundHalfEven64(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = RoundHalfEvenWhole(value);
    // 2^63 is the first double beyond the range; every double below it converts exactly.
    if (whole >= 9223372036854775808.0)
        return LLONG_MAX;
    if (whole < -9223372036854775808.0)
        return LLONG_MIN;
    return (long long)whole;
}

int Trunc(double value)
{
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t >= 2147483647.0)
        return INT_MAX;
    if (t <= -2147483648.0)
        return INT_MIN;
    return int(t);
}

// ---------------------------------------------------------------------------------------
// Number formatting

QString IntToStr(long long value)
{
    return QString::number(value);
}

namespace {

// Adds one unit in the last place of a digit text ("12.99" -> "13.00", "9.9" -> "10.0").
void IncrementDigits(std::string &digits)
{
    for (std::size_t k = digits.size(); k-- > 0;) {
        char &c = digits[k];
        if (c == '.')
            continue;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Number of decimal digits after the point in the exact decimal expansion of a (>= 0).
// A double is M / 2^k with M odd, whose expansion has exactly k fractional digits.
int ExactFractionDigits(double a)
{
    if (a == 0.0)
        return 0;
    int exp = 0;
    const double m = std::frexp(a, &exp); // a = m * 2^exp, 0.5 <= m < 1
    const auto mantissa = std::uint64_t(std::ldexp(m, 53)); // exact 53-bit integer
    const int k = 53 - exp - std::countr_zero(mantissa);
    return k > 0 ? k : 0;
}

} // namespace

QString FormatFixed(double value, int decimals, int minWidth)
{
    QString out;
    if (std::isnan(value)) {
        out = QStringLiteral("NAN");
    } else if (std::isinf(value)) {
        out = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    } else {
        decimals = std::clamp(decimals, 0, 1100);
        const bool negative = std::signbit(value);
        const double a = std::fabs(value);
        const int exact = ExactFractionDigits(a);
        // Only an exact tie at the requested digit rounds differently from to_chars (which
        // goes to even there); an exact tie is a value whose expansion stops one digit
        // beyond the requested ones, that digit being necessarily 5.
        const bool tie = exact == decimals + 1;
        const int precision = tie ? decimals + 1 : decimals;
        std::string digits(std::size_t(320 + precision), '\0');
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), a,
                                          std::chars_format::fixed, precision);
        digits.resize(std::size_t(result.ptr - digits.data()));
        if (tie) {
            digits.pop_back(); // the final 5
            if (!digits.empty() && digits.back() == '.')
                digits.pop_back();
            IncrementDigits(digits);
        }
        const bool allZero = digits.find_first_not_of("0.") == std::string::npos;
        out.reserve(qsizetype(digits.size()) + 1);
        if (negative && !allZero)
            out.append(QLatin1Char('-'));
        out.append(QLatin1String(digits.data(), qsizetype(digits.size())));
    }
    return PadLeft(out, minWidth);
}

QString ZeroPad(long long value, int digits)
{
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ull - (unsigned long long)value : (unsigned long long)value;
    QString out = PadLeft(QString::number(magnitude), digits, QLatin1Char('0'));
    if (negative)
        out.prepend(QLatin1Char('-'));
    return out;
}

// ---------------------------------------------------------------------------------------
// Booleans

QString BoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool TextIsTrue(const QString &s)
{
    return s == QLatin1String("true");
}

} // namespace zaz
