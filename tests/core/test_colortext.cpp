#include "core/ColorText.h"
#include "core/Text.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

const char *const kNames[] = {
    "clBlack",  "clMaroon",  "clGreen", "clOlive",      "clNavy",    "clPurple",
    "clTeal",   "clGray",    "clSilver", "clRed",       "clLime",    "clYellow",
    "clBlue",   "clFuchsia", "clAqua",  "clWhite",      "clMoneyGreen", "clSkyBlue",
    "clCream",  "clMedGray", "clNone",  "clDefault",
};

} // namespace

TEST(ColorText, NumbersAreBlueGreenRed)
{
    const TColor gray = StringToColor(QStringLiteral("3158064"));
    EXPECT_EQ(gray, 0x303030);
    EXPECT_EQ(ToQColor(gray), QColor(48, 48, 48));

    const TColor red = StringToColor(QStringLiteral("$000000FF"));
    EXPECT_EQ(ToQColor(red), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(StringToColor(QStringLiteral("$FF0000"))), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(0x336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), 0x336699);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3, 0)), 0x030201);
    // System colours (negative), clNone, clDefault and anything wider than 24 bits: black.
    for (TColor special : {0x1FFFFFFF, 0x20000000, -16777201, 0x1000000})
        EXPECT_EQ(ToQColor(special), QColor(0, 0, 0)) << special;
    EXPECT_EQ(ToQColor(0xFFFFFF), QColor(255, 255, 255));
}

TEST(ColorText, NamesIgnoreCaseAndAcceptAliases)
{
    EXPECT_EQ(StringToColor(QStringLiteral("clRed")), 0x0000FF);
    EXPECT_EQ(StringToColor(QStringLiteral("CLRED")), 0x0000FF);
    EXPECT_EQ(StringToColor(QStringLiteral("clmoneygreen")), 0xC0DCC0);
    EXPECT_EQ(StringToColor(QStringLiteral("clLtGray")), 0xC0C0C0);
    EXPECT_EQ(StringToColor(QStringLiteral("clDkGray")), 0x808080);
    EXPECT_EQ(StringToColor(QStringLiteral("clNone")), 0x1FFFFFFF);
    EXPECT_EQ(StringToColor(QStringLiteral("clDefault")), 0x20000000);
    // Aliases are read but never written.
    EXPECT_EQ(ColorToString(0xC0C0C0), QStringLiteral("clSilver"));
    EXPECT_EQ(ColorToString(0x808080), QStringLiteral("clGray"));
}

TEST(ColorText, WrittenAsNameOrEightHexDigits)
{
    EXPECT_EQ(ColorToString(0x303030), QStringLiteral("$00303030"));
    EXPECT_EQ(ColorToString(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
    EXPECT_EQ(ColorToString(0x0000FF), QStringLiteral("clRed"));
    EXPECT_EQ(ColorToString(0xF0CAA6), QStringLiteral("clSkyBlue"));
    EXPECT_EQ(ColorToString(-16777201), QStringLiteral("$FF00000F"));
    EXPECT_EQ(StringToColor(QStringLiteral("$FF00000F")), -16777201);
    EXPECT_EQ(StringToColor(QStringLiteral("-16777201")), -16777201);
}

TEST(ColorText, EveryNameRoundTrips)
{
    for (const char *name : kNames) {
        const QString text = QString::fromLatin1(name);
        TColor color = 0;
        ASSERT_TRUE(TryStringToColor(text, color)) << name;
        EXPECT_EQ(ColorToString(color), text);
        EXPECT_EQ(StringToColor(text.toUpper()), color) << name;
    }
    for (TColor value : {0, 1, 0x303030, 0xFFFFFE, 0x7FFFFFFF, -1, INT32_MIN})
        EXPECT_EQ(StringToColor(ColorToString(value)), value) << value;
}

TEST(ColorText, BadTextRaisesTheIntegerError)
{
    for (const char *bad : {"", "clRedd", "clRe", "red", " clRed", "clRed ", "12 ", "$GG", "0.5",
                            "clWh\xC4\xB1te" /* dotless i */}) {
        const QString text = QString::fromUtf8(bad);
        TColor color = 12345;
        EXPECT_FALSE(TryStringToColor(text, color)) << bad;
        EXPECT_EQ(color, 12345) << bad;
        EXPECT_THROW(StringToColor(text), ConversionError) << bad;
    }
    try {
        StringToColor(QStringLiteral("bleu"));
        FAIL() << "no exception";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'bleu' n'est pas une valeur entière correcte"));
    }
}
