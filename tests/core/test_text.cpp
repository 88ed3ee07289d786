// The foundation's text helpers, the Windows-1252 codec and the colour texts.
#include "core/Codec.h"
#include "core/ColorText.h"
#include "core/Text.h"

#include <gtest/gtest.h>

#include <QSet>
#include <climits>
#include <cmath>
#include <limits>

namespace zaz {
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

TEST(Text, OneBasedPositionsClampTheirArguments)
{
    const QString s = Q("ABCDEF"), cdcd = Q("ABCDCD");
    ExpectAll(Texts{
        {Copy(s, 2, 3), "BCD"}, {Copy(s, -5, 2), "AB"}, {Copy(s, 2, -1), ""}, {Copy(s, 6, 3), "F"},
        {Copy(s, 4, INT_MAX), "DEF"}, {PadRight(s, 3), s}, {PadLeft(Q("7"), 3, QLatin1Char('0')), "007"},
        {FitWidth(s, 3), "ABC"}, {FitWidth(Q("AB"), 4), "AB  "}, {FitWidth(Q("AB"), -3), ""},
        {ReplaceColumns(s, 3, Q("xy")), "ABxyEF"}, {ReplaceColumns(Q("ABCD"), 3, Q("wxyz")), "ABwxyz"},
        {ReplaceColumns(Q("AB"), 5, Q("xy")), "AB  xy"}, {ReplaceColumns(Q("ABCD"), -7, Q("x")), "xBCD"},
        // Nothing to write past the end still brings the text up to start - 1 columns.
        {ReplaceColumns(Q("AB"), 5, QString()), "AB  "},
        {DeleteChars(s, 2, 2), "ADEF"}, {DeleteChars(s, 2, 100), "A"}, {DeleteChars(s, 0, 2), s},
        {InsertText(Q("ABC"), Q("x"), 0), "xABC"}, {InsertText(Q("ABC"), Q("x"), 99), "ABCx"},
        {ReplaceAll(Q("aaa"), Q("aa"), Q("b")), "ba"}, {ReplaceAll(Q("abc"), QString(), Q("-")), "abc"},
        // Only blanks and control characters are trimmed: a no-break space stays.
        {TrimText(Q("\t  AB C \r\n")), "AB C"}, {TrimText(Q("\u00A0A")), Q("\u00A0A")}});
    ExpectAll(Ints{{Pos(Q("CD"), cdcd), 3}, {Pos(Q("cd"), cdcd), 0}, {Pos(QString(), s), 0},
                   {PosFrom(Q("CD"), cdcd, 4), 5}, {PosFrom(Q("CD"), cdcd, 0), 3}, {PosFrom(Q("CD"), cdcd, 100), 0}});
}

TEST(Text, SplitKeepsEveryPieceEmptyOnesIncluded)
{
    using L = QStringList;
    ExpectAll(std::initializer_list<std::pair<L, L>>{
        {SplitText(Q(":"), QString()), L{""}}, {SplitText(Q(":"), Q("A:B:")), L{"A", "B", ""}},
        {SplitText(Q(":"), Q("A::B")), L{"A", "", "B"}}, {SplitText(Q("--"), Q("a--b---c")), L{"a", "b", "-c"}},
        {SplitText(Q("abc"), Q("ab")), L{"ab"}}, {SplitText(QString(), Q("a:b")), L{"a:b"}}});
}

TEST(Text, StrictIntegerConversion)
{
    ExpectAll(Ints{{StrToInt(Q(" 12")), 12}, {StrToInt(Q("+5")), 5}, {StrToInt(Q("007")), 7},
                   {StrToInt(Q("$ff")), 255}, {StrToInt(Q("0X1f")), 31}, {StrToInt(Q("-$10")), -16},
                   {StrToInt(Q("2147483647")), INT_MAX}, {StrToInt(Q("-2147483648")), INT_MIN},
                   // Hexadecimal is a 32-bit pattern.
                   {StrToInt(Q("$FFFFFFFF")), -1}, {StrToIntDef(Q("42"), -9), 42}});
    for (const char *bad : {"", " ", "12 ", "1.5", "2147483648", "-2147483649", "$", "0x", "+-1",
                            "$100000000", "$FG", "1 2", "\t12", "\xEF\xBC\x91" /* full-width 1 */}) {
        int value = 77;
        EXPECT_FALSE(TryStrToInt(Q(bad), value)) << bad;
        EXPECT_EQ(value, 77) << bad;
        EXPECT_EQ(StrToIntDef(Q(bad), -9), -9) << bad;
    }
    // The error is French and quotes the input as it was.
    try {
        StrToInt(Q(" \xC3\xA9t\xC3\xA9 "));
        ADD_FAILURE() << "no exception";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), Q("' été ' n'est pas une valeur entière correcte"));
        EXPECT_EQ(Q(e.what()), e.message());
    }
}

TEST(Text, LenientFloatReadsTheLongestNumericPrefix)
{
    struct Case {
        const char *text;
        double value;
        bool whole;
    } const cases[] = {{"45.5", 45.5, true}, {"-1.25abc", -1.25, false}, {"abc", 0, false}, {" .5", 0.5, true},
                       {"5.", 5, true},      {"  7  ", 7, true},         {"-", 0, false},   {"2e+", 2, false},
                       {"1,5", 1, false},    {"2.5E-1", 0.25, true},     {"48.72510N", 48.7251, false}};
    for (const Case &c : cases) {
        bool ok = !c.whole;
        EXPECT_DOUBLE_EQ(StrToFloatLenient(Q(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.whole) << c.text;
    }
    EXPECT_TRUE(std::isinf(StrToFloatLenient(Q("1e400"))));
}

TEST(Text, RoundingIsHalfToEvenAndSaturates)
{
    ExpectAll(Ints{{RoundHalfEven(0.5), 0}, {RoundHalfEven(1.5), 2}, {RoundHalfEven(2.5), 2},
                   {RoundHalfEven(-1.5), -2}, {RoundHalfEven(-2.5), -2}, {RoundHalfEven(2.5000001), 3},
                   {RoundHalfEven(1e12), INT_MAX}, {RoundHalfEven(-1e12), INT_MIN}, {RoundHalfEven(std::nan("")), 0},
                   {RoundHalfEven(2147483646.5), 2147483646}, {RoundHalfEven(-2147483648.4), INT_MIN},
                   {RoundHalfEven64(4503599627370497.0), 4503599627370497LL}, {RoundHalfEven64(1e19), LLONG_MAX},
                   {RoundHalfEven64(-std::numeric_limits<double>::infinity()), LLONG_MIN},
                   {Trunc(-1.9), -1}, {Trunc(3e9), INT_MAX}});
    EXPECT_EQ(RoundHalfEvenWhole(-3.5), -4.0);
    // The inline int rounding agrees with the 64-bit one, ties and near-ties included.
    for (double base : {-1e9, -3.0, 0.0, 2.0, 123456789.0})
        for (double offset : {0.25, 0.5, 0.5000000001, 0.4999999999, -0.5})
            EXPECT_EQ(RoundHalfEven(base + offset), RoundHalfEven64(base + offset)) << base + offset;
}

TEST(Text, FixedDecimalsTieAwayFromZeroOnTheDecimalValue)
{
    ExpectAll(Texts{{FormatFixed(5.25, 5, 8), " 5.25000"}, {FormatFixed(-0.125, 2), "-0.13"},
                    {FormatFixed(2.675, 2), "2.67"}, // stored just below the tie
                    {FormatFixed(2.5, 0), "3"}, {FormatFixed(99.5, 0), "100"}, {FormatFixed(-0.001, 2), "0.00"},
                    {FormatFixed(0.1, 20), "0.10000000000000000555"}, {ZeroPad(-7, 3), "-007"},
                    {ZeroPad(LLONG_MIN, 1), "-9223372036854775808"}, {IntToStr(-42), "-42"}});
    EXPECT_TRUE(TextIsTrue(Q("true")));
    for (const char *no : {"True", " true", "1", ""})
        EXPECT_FALSE(TextIsTrue(Q(no))) << no;
}

TEST(Cp1252, EveryByteRoundTripsThroughADistinctCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    // The 0x80-0x9F range holds the typographic characters; its five holes keep their C1 code.
    EXPECT_EQ(text.mid(0x80, 4), Q("€\u0081‚ƒ"));
    EXPECT_EQ(text.mid(0x8C, 6), Q("Œ\u008DŽ\u008F\u0090‘"));
    EXPECT_EQ(text.mid(0x9C, 4), Q("œ\u009DžŸ"));
    EXPECT_EQ(text.mid(0xE8, 2), Q("èé"));
}

TEST(Cp1252, CharactersWithoutAByteBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(EncodeCp1252(Q("l’été — «ça»")), QByteArray("l\x92\xE9t\xE9 \x97 \xAB\xE7" "a\xBB"));
    EXPECT_EQ(EncodeCp1252(Q("日A\U0001F600B")), QByteArray("?A?B"));
    // U+0080 is a C1 control whose byte belongs to the euro sign; a lone surrogate is one "?".
    EXPECT_EQ(EncodeCp1252(QString(QChar(0x0080)) + QChar(0xD800) + QLatin1Char('x')), QByteArray("??x"));
    EXPECT_EQ(DecodeCp1252("A\0B", 3).size(), 3);
}

TEST(ColorText, TextToColour)
{
    struct Case {
        const char *text;
        TColor colour;
    } const cases[] = {{"3158064", 0x303030},     {"$000000FF", 0x0000FF},  {"CLRED", 0x0000FF},
                       {"clmoneygreen", 0xC0DCC0}, {"clLtGray", 0xC0C0C0},   {"clDkGray", 0x808080},
                       {"clNone", 0x1FFFFFFF},    {"$FF00000F", -16777201}, {"-16777201", -16777201}};
    for (const Case &c : cases)
        EXPECT_EQ(StringToColor(Q(c.text)), c.colour) << c.text;
    for (const char *bad : {"", "clRedd", "red", " clRed", "12 ", "$GG", "0.5", "clWh\xC4\xB1te" /* dotless i */}) {
        TColor colour = 12345;
        EXPECT_FALSE(TryStringToColor(Q(bad), colour)) << bad;
        EXPECT_EQ(colour, 12345) << bad;
    }
    EXPECT_THROW(StringToColor(Q("bleu")), ConversionError);
}

TEST(ColorText, ColourToTextNamesWhenItCanAndRoundTrips)
{
    struct Case {
        TColor colour;
        const char *text;
    } const cases[] = {{0x303030, "$00303030"}, {0x0000FF, "clRed"},  {0xF0CAA6, "clSkyBlue"},
                       {0xC0C0C0, "clSilver"},  {0x808080, "clGray"}, {0x20000000, "clDefault"},
                       {-16777201, "$FF00000F"}};
    for (const Case &c : cases)
        EXPECT_EQ(ColorToString(c.colour), Q(c.text)) << c.text;
    for (TColor value : {0, 0xFFFFFE, 0x7FFFFFFF, -1, INT32_MIN})
        EXPECT_EQ(StringToColor(ColorToString(value)), value) << value;
}

// Sector files written for other clients: the low 24 bits of any number, however wide.
TEST(ColorText, MapColourKeepsTheLow24Bits)
{
    for (const auto &[text, colour] : {std::pair{"-2", 0xFFFFFE}, {"$1FF0000FF", 0xFF}, {"4278190335", 0xFF}}) {
        TColor c = -1;
        EXPECT_TRUE(TryStringToMapColor(Q(text), c) && c == colour) << text << " gives " << c;
    }
    TColor c = 0;
    EXPECT_FALSE(TryStringToMapColor(Q("12ab"), c) || TryStringToMapColor(Q("$"), c));
}

TEST(ColorText, DrawingColourIsRedGreenBlue)
{
    EXPECT_EQ(ToQColor(0x336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33, 0)), 0x336699);
    // System colours (negative), clNone, clDefault and anything wider than 24 bits: black.
    for (TColor special : {0x1FFFFFFF, 0x20000000, -16777201, 0x1000000})
        EXPECT_EQ(ToQColor(special), QColor(0, 0, 0)) << special;
}

} // namespace
} // namespace zaz
