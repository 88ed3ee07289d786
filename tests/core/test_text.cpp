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

QStringList L(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *item : items)
        out.append(Q(item));
    return out;
}

} // namespace

TEST(TextPositions, CopyClampsStartAndCount)
{
    const QString s = Q("ABCDEF");
    EXPECT_EQ(Copy(s, 2, 3), Q("BCD"));
    EXPECT_EQ(Copy(s, 0, 2), Q("AB"));
    EXPECT_EQ(Copy(s, -5, 2), Q("AB"));
    EXPECT_EQ(Copy(s, 2, 0), QString());
    EXPECT_EQ(Copy(s, 2, -1), QString());
    EXPECT_EQ(Copy(s, 6, 3), Q("F"));
    EXPECT_EQ(Copy(s, 7, 1), QString());
    EXPECT_EQ(Copy(s, 4, INT_MAX), Q("DEF"));
    EXPECT_EQ(Copy(QString(), 1, 5), QString());
}

TEST(TextPositions, PosAndPosFrom)
{
    EXPECT_EQ(Pos(Q("CD"), Q("ABCDCD")), 3);
    EXPECT_EQ(Pos(Q("cd"), Q("ABCDCD")), 0);
    EXPECT_EQ(Pos(QString(), Q("ABC")), 0);
    EXPECT_EQ(Pos(Q("ABCD"), Q("ABC")), 0);

    EXPECT_EQ(PosFrom(Q("CD"), Q("ABCDCD"), 3), 3);
    EXPECT_EQ(PosFrom(Q("CD"), Q("ABCDCD"), 4), 5);
    EXPECT_EQ(PosFrom(Q("CD"), Q("ABCDCD"), 6), 0);
    EXPECT_EQ(PosFrom(Q("CD"), Q("ABCDCD"), 0), 3);
    EXPECT_EQ(PosFrom(Q("CD"), Q("ABCDCD"), 100), 0);
    EXPECT_EQ(PosFrom(QString(), Q("ABC"), 1), 0);
}

TEST(TextPositions, PaddingNeverCutsButFitWidthDoes)
{
    EXPECT_EQ(PadRight(Q("AB"), 5), Q("AB   "));
    EXPECT_EQ(PadRight(Q("ABCDEF"), 3), Q("ABCDEF"));
    EXPECT_EQ(PadLeft(Q("7"), 3, QLatin1Char('0')), Q("007"));
    EXPECT_EQ(PadLeft(Q("1234"), 3), Q("1234"));
    EXPECT_EQ(FitWidth(Q("ABCDEF"), 3), Q("ABC"));
    EXPECT_EQ(FitWidth(Q("AB"), 4), Q("AB  "));
    EXPECT_EQ(FitWidth(Q("AB"), 0), QString());
    EXPECT_EQ(FitWidth(Q("AB"), -3), QString());
}

TEST(TextPositions, ReplaceColumnsOverwritesAndExtends)
{
    EXPECT_EQ(ReplaceColumns(Q("ABCDEF"), 3, Q("xy")), Q("ABxyEF"));
    EXPECT_EQ(ReplaceColumns(Q("ABCD"), 3, Q("wxyz")), Q("ABwxyz"));
    EXPECT_EQ(ReplaceColumns(Q("AB"), 5, Q("xy")), Q("AB  xy"));
    EXPECT_EQ(ReplaceColumns(Q("AB"), 3, Q("xy")), Q("ABxy"));
    EXPECT_EQ(ReplaceColumns(Q("ABCD"), 0, Q("x")), Q("xBCD"));
    EXPECT_EQ(ReplaceColumns(Q("ABCD"), -7, Q("x")), Q("xBCD"));
    EXPECT_EQ(ReplaceColumns(QString(), 3, Q("X")), Q("  X"));
    // Nothing to write past the end still brings the text up to start - 1 columns.
    EXPECT_EQ(ReplaceColumns(Q("AB"), 5, QString()), Q("AB  "));
    EXPECT_EQ(ReplaceColumns(Q("ABCDEF"), 2, QString()), Q("ABCDEF"));
}

TEST(TextPositions, DeleteAndInsert)
{
    EXPECT_EQ(DeleteChars(Q("ABCDEF"), 2, 2), Q("ADEF"));
    EXPECT_EQ(DeleteChars(Q("ABCDEF"), 2, 100), Q("A"));
    EXPECT_EQ(DeleteChars(Q("ABCDEF"), 0, 2), Q("ABCDEF"));
    EXPECT_EQ(DeleteChars(Q("ABCDEF"), 7, 1), Q("ABCDEF"));
    EXPECT_EQ(DeleteChars(Q("ABCDEF"), 2, -1), Q("ABCDEF"));

    EXPECT_EQ(InsertText(Q("ABC"), Q("x"), 2), Q("AxBC"));
    EXPECT_EQ(InsertText(Q("ABC"), Q("x"), 0), Q("xABC"));
    EXPECT_EQ(InsertText(Q("ABC"), Q("x"), 4), Q("ABCx"));
    EXPECT_EQ(InsertText(Q("ABC"), Q("x"), 99), Q("ABCx"));
}

TEST(TextPositions, ReplaceAllAndTrim)
{
    EXPECT_EQ(ReplaceAll(Q("a::b::"), Q("::"), Q(":")), Q("a:b:"));
    EXPECT_EQ(ReplaceAll(Q("aaa"), Q("aa"), Q("b")), Q("ba"));
    EXPECT_EQ(ReplaceAll(Q("abc"), QString(), Q("-")), Q("abc"));

    EXPECT_EQ(TrimText(Q("\t  AB C \r\n")), Q("AB C"));
    EXPECT_EQ(TrimText(Q("   ")), QString());
    EXPECT_EQ(TrimText(QString(QChar(0)) + Q("A")), Q("A"));
    // Only blanks and control characters go: a no-break space stays.
    EXPECT_EQ(TrimText(Q("\u00A0A")), Q("\u00A0A"));
}

TEST(TextSplit, EveryPieceIsAnElement)
{
    EXPECT_EQ(SplitText(Q(":"), QString()), L({""}));
    EXPECT_EQ(SplitText(Q(":"), Q("ABC")), L({"ABC"}));
    EXPECT_EQ(SplitText(Q(":"), Q("A:B:")), L({"A", "B", ""}));
    EXPECT_EQ(SplitText(Q(":"), Q(":")), L({"", ""}));
    EXPECT_EQ(SplitText(Q(":"), Q("A::B")), L({"A", "", "B"}));
    EXPECT_EQ(SplitText(Q(":"), Q(":A")), L({"", "A"}));
}

TEST(TextSplit, MultiCharacterAndEmptySeparators)
{
    EXPECT_EQ(SplitText(Q("--"), Q("a--b---c")), L({"a", "b", "-c"}));
    EXPECT_EQ(SplitText(Q("--"), Q("----")), L({"", "", ""}));
    EXPECT_EQ(SplitText(Q("abc"), Q("ab")), L({"ab"}));
    EXPECT_EQ(SplitText(QString(), Q("a:b")), L({"a:b"}));
    EXPECT_EQ(SplitText(Q(" "), Q("DCT  LFPG")), L({"DCT", "", "LFPG"}));
}

TEST(TextSplit, ProtocolLine)
{
    const t_tranches fields =
        SplitText(Q(":"), Q("@N:AFR123:1200:1:48.72510:2.36540:35000:450:4290:0"));
    ASSERT_EQ(fields.size(), 10);
    EXPECT_EQ(fields[0], Q("@N"));
    EXPECT_EQ(fields[1], Q("AFR123"));
    EXPECT_EQ(fields[9], Q("0"));
}

TEST(TextIntegers, AcceptedForms)
{
    EXPECT_EQ(StrToInt(Q("12")), 12);
    EXPECT_EQ(StrToInt(Q(" 12")), 12);
    EXPECT_EQ(StrToInt(Q("+5")), 5);
    EXPECT_EQ(StrToInt(Q("-0")), 0);
    EXPECT_EQ(StrToInt(Q("007")), 7);
    EXPECT_EQ(StrToInt(Q("$FF")), 255);
    EXPECT_EQ(StrToInt(Q("$ff")), 255);
    EXPECT_EQ(StrToInt(Q("0x1F")), 31);
    EXPECT_EQ(StrToInt(Q("0X1f")), 31);
    EXPECT_EQ(StrToInt(Q("-$10")), -16);
    EXPECT_EQ(StrToInt(Q("2147483647")), INT_MAX);
    EXPECT_EQ(StrToInt(Q("-2147483648")), INT_MIN);
    // Hexadecimal is a 32-bit pattern.
    EXPECT_EQ(StrToInt(Q("$FFFFFFFF")), -1);
    EXPECT_EQ(StrToInt(Q("$80000000")), INT_MIN);
}

TEST(TextIntegers, RejectedForms)
{
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
}

TEST(TextIntegers, ErrorTextIsFrenchAndQuotesTheInput)
{
    try {
        StrToInt(Q(" 12 "));
        FAIL() << "no exception";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), Q("' 12 ' n'est pas une valeur enti\xC3\xA8re correcte"));
        EXPECT_EQ(std::string(e.what()), "' 12 ' n'est pas une valeur enti\xC3\xA8re correcte");
    }
    try {
        StrToInt(Q("\xC3\xA9t\xC3\xA9"));
        FAIL() << "no exception";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), Q("'\xC3\xA9t\xC3\xA9' n'est pas une valeur enti\xC3\xA8re correcte"));
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

TEST(TextRounding, HalfToEvenAndSaturation)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-2.4999999), -2);
    EXPECT_EQ(RoundHalfEven(1e12), INT_MAX);
    EXPECT_EQ(RoundHalfEven(-1e12), INT_MIN);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven64(4503599627370497.0), 4503599627370497LL);
    EXPECT_EQ(RoundHalfEven64(1e19), LLONG_MAX);
    EXPECT_EQ(RoundHalfEven64(-std::numeric_limits<double>::infinity()), LLONG_MIN);

    EXPECT_EQ(Trunc(1.9), 1);
    EXPECT_EQ(Trunc(-1.9), -1);
    EXPECT_EQ(Trunc(3e9), INT_MAX);
    EXPECT_EQ(Trunc(-3e9), INT_MIN);
}

TEST(TextFormat, FixedDecimalsTiesAwayFromZero)
{
    EXPECT_EQ(FormatFixed(5.25, 5, 8), Q(" 5.25000"));
    EXPECT_EQ(FormatFixed(-0.125, 2), Q("-0.13"));
    EXPECT_EQ(FormatFixed(0.125, 2), Q("0.13"));
    EXPECT_EQ(FormatFixed(0.375, 2), Q("0.38"));
    // 2.675 is stored just below the tie.
    EXPECT_EQ(FormatFixed(2.675, 2), Q("2.67"));
    EXPECT_EQ(FormatFixed(2.5, 0), Q("3"));
    EXPECT_EQ(FormatFixed(0.5, 0), Q("1"));
    EXPECT_EQ(FormatFixed(-0.5, 0), Q("-1"));
    EXPECT_EQ(FormatFixed(99.5, 0), Q("100"));
    EXPECT_EQ(FormatFixed(9.875, 2), Q("9.88"));
    EXPECT_EQ(FormatFixed(1.0 / 3.0, 4), Q("0.3333"));
    EXPECT_EQ(FormatFixed(0.1, 20), Q("0.10000000000000000555"));
    EXPECT_EQ(FormatFixed(0.0, 3), Q("0.000"));
    EXPECT_EQ(FormatFixed(-0.001, 2), Q("0.00"));
    EXPECT_EQ(FormatFixed(-48.5, 3, 3), Q("-48.500"));
    EXPECT_EQ(FormatFixed(12.0, -2), Q("12"));
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 301 + 3);
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::denorm_min(), 2), Q("0.00"));
}

TEST(TextFormat, IntegersPaddingAndBooleans)
{
    EXPECT_EQ(ZeroPad(7, 3), Q("007"));
    EXPECT_EQ(ZeroPad(1234, 3), Q("1234"));
    EXPECT_EQ(ZeroPad(-7, 3), Q("-007"));
    EXPECT_EQ(ZeroPad(LLONG_MIN, 1), Q("-9223372036854775808"));

    EXPECT_TRUE(TextIsTrue(Q("true")));
    for (const char *no : {"True", "TRUE", " true", "1", "", "false"})
        EXPECT_FALSE(TextIsTrue(Q(no))) << no;
}
