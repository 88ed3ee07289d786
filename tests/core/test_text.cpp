#include "core/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

using namespace zaz;

namespace {

QString Q(const char *s)
{
    return QString::fromUtf8(s);
}

// Each case is what a call gave and what it should give; failures name the case number.
template <typename Got, typename Want>
void ExpectAll(std::initializer_list<std::pair<Got, Want>> cases)
{
    int i = 0;
    for (const auto &[got, want] : cases)
        EXPECT_EQ(got, want) << "case " << i++;
}

using Texts = std::initializer_list<std::pair<QString, QString>>;
using Ints = std::initializer_list<std::pair<long long, long long>>;

} // namespace

TEST(TextPositions, CopyPosPaddingAndFitClampTheirArguments)
{
    const QString s = Q("ABCDEF"), cdcd = Q("ABCDCD");
    ExpectAll(Texts{{Copy(s, 2, 3), "BCD"}, {Copy(s, 0, 2), "AB"}, {Copy(s, -5, 2), "AB"}, {Copy(s, 2, 0), ""},
                    {Copy(s, 2, -1), ""}, {Copy(s, 6, 3), "F"}, {Copy(s, 7, 1), ""}, {Copy(s, 4, INT_MAX), "DEF"},
                    {Copy(QString(), 1, 5), ""},
                    // Padding never cuts; FitWidth does.
                    {PadRight(Q("AB"), 5), "AB   "}, {PadRight(s, 3), s}, {PadLeft(Q("7"), 3, QLatin1Char('0')), "007"},
                    {PadLeft(Q("1234"), 3), "1234"}, {FitWidth(s, 3), "ABC"}, {FitWidth(Q("AB"), 4), "AB  "},
                    {FitWidth(Q("AB"), 0), ""}, {FitWidth(Q("AB"), -3), ""}});
    ExpectAll(Ints{{Pos(Q("CD"), cdcd), 3}, {Pos(Q("cd"), cdcd), 0}, {Pos(QString(), Q("ABC")), 0},
                   {Pos(Q("ABCD"), Q("ABC")), 0}, {PosFrom(Q("CD"), cdcd, 3), 3}, {PosFrom(Q("CD"), cdcd, 4), 5},
                   {PosFrom(Q("CD"), cdcd, 6), 0}, {PosFrom(Q("CD"), cdcd, 0), 3}, {PosFrom(Q("CD"), cdcd, 100), 0},
                   {PosFrom(QString(), Q("ABC"), 1), 0}});
}

TEST(TextPositions, EditingFunctions)
{
    const QString s = Q("ABCDEF");
    ExpectAll(Texts{
        {ReplaceColumns(s, 3, Q("xy")), "ABxyEF"}, {ReplaceColumns(Q("ABCD"), 3, Q("wxyz")), "ABwxyz"},
        {ReplaceColumns(Q("AB"), 5, Q("xy")), "AB  xy"}, {ReplaceColumns(Q("AB"), 3, Q("xy")), "ABxy"},
        {ReplaceColumns(Q("ABCD"), 0, Q("x")), "xBCD"}, {ReplaceColumns(Q("ABCD"), -7, Q("x")), "xBCD"},
        {ReplaceColumns(QString(), 3, Q("X")), "  X"},
        // Nothing to write past the end still brings the text up to start - 1 columns.
        {ReplaceColumns(Q("AB"), 5, QString()), "AB  "}, {ReplaceColumns(s, 2, QString()), s},
        {DeleteChars(s, 2, 2), "ADEF"}, {DeleteChars(s, 2, 100), "A"}, {DeleteChars(s, 0, 2), s},
        {DeleteChars(s, 7, 1), s}, {DeleteChars(s, 2, -1), s},
        {InsertText(Q("ABC"), Q("x"), 2), "AxBC"}, {InsertText(Q("ABC"), Q("x"), 0), "xABC"},
        {InsertText(Q("ABC"), Q("x"), 4), "ABCx"}, {InsertText(Q("ABC"), Q("x"), 99), "ABCx"},
        {ReplaceAll(Q("a::b::"), Q("::"), Q(":")), "a:b:"}, {ReplaceAll(Q("aaa"), Q("aa"), Q("b")), "ba"},
        {ReplaceAll(Q("abc"), QString(), Q("-")), "abc"},
        // Only blanks and control characters are trimmed: a no-break space stays.
        {TrimText(Q("\t  AB C \r\n")), "AB C"}, {TrimText(Q("   ")), ""}, {TrimText(QString(QChar(0)) + Q("A")), "A"},
        {TrimText(Q("\u00A0A")), Q("\u00A0A")}});
}

TEST(TextSplit, EveryPieceIsAnElement)
{
    using L = QStringList;
    ExpectAll(std::initializer_list<std::pair<L, L>>{
        {SplitText(Q(":"), QString()), L{""}}, {SplitText(Q(":"), Q("ABC")), L{"ABC"}},
        {SplitText(Q(":"), Q("A:B:")), L{"A", "B", ""}}, {SplitText(Q(":"), Q(":")), L{"", ""}},
        {SplitText(Q(":"), Q("A::B")), L{"A", "", "B"}}, {SplitText(Q(":"), Q(":A")), L{"", "A"}},
        {SplitText(Q("--"), Q("a--b---c")), L{"a", "b", "-c"}}, {SplitText(Q("--"), Q("----")), L{"", "", ""}},
        {SplitText(Q("abc"), Q("ab")), L{"ab"}}, {SplitText(QString(), Q("a:b")), L{"a:b"}},
        {SplitText(Q(" "), Q("DCT  LFPG")), L{"DCT", "", "LFPG"}}});
}

TEST(TextIntegers, AcceptedAndRejectedForms)
{
    ExpectAll(Ints{{StrToInt(Q("12")), 12}, {StrToInt(Q(" 12")), 12}, {StrToInt(Q("+5")), 5}, {StrToInt(Q("-0")), 0},
                   {StrToInt(Q("007")), 7}, {StrToInt(Q("$FF")), 255}, {StrToInt(Q("$ff")), 255},
                   {StrToInt(Q("0x1F")), 31}, {StrToInt(Q("0X1f")), 31}, {StrToInt(Q("-$10")), -16},
                   {StrToInt(Q("2147483647")), INT_MAX}, {StrToInt(Q("-2147483648")), INT_MIN},
                   // Hexadecimal is a 32-bit pattern.
                   {StrToInt(Q("$FFFFFFFF")), -1}, {StrToInt(Q("$80000000")), INT_MIN}});

    for (const char *bad : {"", " ", "12 ", "1.5", "2147483648", "-2147483649", "$", "0x", "+",
                            "-", "+-1", "$100000000", "12a", "$FG", "1 2", "\t12",
                            "\xEF\xBC\x91\xEF\xBC\x92" /* full-width 12 */}) {
        int value = 77;
        EXPECT_FALSE(TryStrToInt(Q(bad), value)) << bad;
        EXPECT_EQ(value, 77) << bad;
        EXPECT_EQ(StrToIntDef(Q(bad), -9), -9) << bad;
        EXPECT_THROW(StrToInt(Q(bad)), ConversionError) << bad;
    }
    int value = 0;
    EXPECT_TRUE(TryStrToInt(Q(" -42"), value));
    EXPECT_EQ(value, -42);
    EXPECT_EQ(StrToIntDef(Q("42"), -9), 42);

    // The error text is French and quotes the input as it was.
    for (const char *bad : {" 12 ", "\xC3\xA9t\xC3\xA9"}) {
        const QString expected = QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(Q(bad));
        try {
            StrToInt(Q(bad));
            ADD_FAILURE() << "no exception for " << bad;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.message(), expected);
            EXPECT_EQ(QString::fromUtf8(e.what()), expected);
        }
    }
}

TEST(TextFloats, LongestNumericPrefix)
{
    struct Case {
        const char *text;
        double value;
        bool whole;
    };
    const Case cases[] = {
        {"45.5", 45.5, true},     {"-1.25abc", -1.25, false}, {"abc", 0.0, false},
        {"1e3", 1000.0, true},    {" .5", 0.5, true},         {"5.", 5.0, true},
        {"+3.5", 3.5, true},      {"  7  ", 7.0, true},       {"", 0.0, false},
        {"-", 0.0, false},        {".", 0.0, false},          {"1e", 1.0, false},
        {"2e+", 2.0, false},      {"1,5", 1.0, false},        {"2.5E-1", 0.25, true},
        {"48.72510N", 48.7251, false}, {"1e-400", 0.0, true},
    };
    for (const Case &c : cases) {
        bool ok = !c.whole;
        EXPECT_DOUBLE_EQ(StrToFloatLenient(Q(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.whole) << c.text;
    }
    EXPECT_DOUBLE_EQ(StrToFloatLenient(Q("0.1")), 0.1);
    EXPECT_TRUE(std::isinf(StrToFloatLenient(Q("1e400"))));
    EXPECT_LT(StrToFloatLenient(Q("-1e400")), 0.0);
    EXPECT_EQ(StrToFloatLenient(Q(std::string(5000, '9').c_str())),
              std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(StrToFloatLenient(Q(("0." + std::string(400, '0') + "1e401").c_str())), 1.0);
}

TEST(TextRounding, HalfToEvenTruncationAndSaturation)
{
    ExpectAll(Ints{{RoundHalfEven(0.5), 0}, {RoundHalfEven(1.5), 2}, {RoundHalfEven(2.5), 2},
                   {RoundHalfEven(-0.5), 0}, {RoundHalfEven(-1.5), -2}, {RoundHalfEven(-2.5), -2},
                   {RoundHalfEven(2.5000001), 3}, {RoundHalfEven(-2.4999999), -2}, {RoundHalfEven(1e12), INT_MAX},
                   {RoundHalfEven(-1e12), INT_MIN}, {RoundHalfEven(std::nan("")), 0},
                   {RoundHalfEven64(4503599627370497.0), 4503599627370497LL}, {RoundHalfEven64(1e19), LLONG_MAX},
                   {RoundHalfEven64(-std::numeric_limits<double>::infinity()), LLONG_MIN},
                   {Trunc(1.9), 1}, {Trunc(-1.9), -1}, {Trunc(3e9), INT_MAX}, {Trunc(-3e9), INT_MIN},
                   {RoundHalfEven(2147483646.5), 2147483646}, {RoundHalfEven(2147483646.7), INT_MAX},
                   {RoundHalfEven(-2147483647.5), INT_MIN}, {RoundHalfEven(-2147483648.4), INT_MIN}});
    // The int rounding is the 64-bit one within the int range, ties and near-ties included.
    for (double base : {-1e9, -70000.0, -3.0, 0.0, 2.0, 1919.0, 123456789.0})
        for (double offset : {0.0, 0.25, 0.5, 0.5000000001, 0.4999999999, 0.75, -0.5, -0.25})
            EXPECT_EQ(RoundHalfEven(base + offset), RoundHalfEven64(base + offset)) << base + offset;
}

TEST(TextFormat, FixedDecimalsTiesAwayFromZeroPaddingAndBooleans)
{
    ExpectAll(Texts{{FormatFixed(5.25, 5, 8), " 5.25000"}, {FormatFixed(-0.125, 2), "-0.13"},
                    {FormatFixed(0.125, 2), "0.13"}, {FormatFixed(0.375, 2), "0.38"},
                    // 2.675 is stored just below the tie.
                    {FormatFixed(2.675, 2), "2.67"}, {FormatFixed(2.5, 0), "3"}, {FormatFixed(0.5, 0), "1"},
                    {FormatFixed(-0.5, 0), "-1"}, {FormatFixed(99.5, 0), "100"}, {FormatFixed(9.875, 2), "9.88"},
                    {FormatFixed(1.0 / 3.0, 4), "0.3333"}, {FormatFixed(0.1, 20), "0.10000000000000000555"},
                    {FormatFixed(0.0, 3), "0.000"}, {FormatFixed(-0.001, 2), "0.00"},
                    {FormatFixed(-48.5, 3, 3), "-48.500"}, {FormatFixed(12.0, -2), "12"},
                    {FormatFixed(std::numeric_limits<double>::denorm_min(), 2), "0.00"},
                    {ZeroPad(7, 3), "007"}, {ZeroPad(1234, 3), "1234"}, {ZeroPad(-7, 3), "-007"},
                    {ZeroPad(LLONG_MIN, 1), "-9223372036854775808"}});
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 301 + 3);

    EXPECT_TRUE(TextIsTrue(Q("true")));
    for (const char *no : {"True", "TRUE", " true", "1", "", "false"})
        EXPECT_FALSE(TextIsTrue(Q(no))) << no;
}
