#include "core/Codec.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace zaz;

TEST(Cp1252, EveryByteRoundTripsThroughADistinctCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);

    QSet<char16_t> seen;
    for (QChar c : text)
        seen.insert(c.unicode());
    EXPECT_EQ(seen.size(), 256);

    // Plain ASCII and the Latin-1 upper half are the identity.
    for (int b : {0x00, 0x0A, 0x3A, 0x7F, 0xA0, 0xB0, 0xFF})
        EXPECT_EQ(text.at(b).unicode(), b);
}

TEST(Cp1252, FrenchAndTypographicCharacters)
{
    // The other direction of each is covered by the all-bytes round trip.
    EXPECT_EQ(DecodeCp1252(QByteArray("\x80\xE9\x9C\x8C")), QStringLiteral("€éœŒ"));
    EXPECT_EQ(EncodeCp1252(QStringLiteral("l’été — «ça»")),
              QByteArray("l\x92\xE9t\xE9 \x97 \xAB\xE7" "a\xBB"));
    EXPECT_EQ(DecodeCp1252(QByteArray("ZAZ \xE0 Orl\xE9" "ans")), QStringLiteral("ZAZ à Orléans"));
}

TEST(Cp1252, UndefinedBytesKeepTheirControlCharacter)
{
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const QByteArray one(1, char(b));
        const QString text = DecodeCp1252(one);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), b);
        EXPECT_EQ(EncodeCp1252(text), one);
    }
}

TEST(Cp1252, UnmappableCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(EncodeCp1252(QStringLiteral("日本")), QByteArray("??"));
    EXPECT_EQ(EncodeCp1252(QStringLiteral("A\U0001F600B")), QByteArray("A?B"));
    EXPECT_EQ(EncodeCp1252(QString(QChar(0xD800)) + QLatin1Char('x')), QByteArray("?x"));
    EXPECT_EQ(EncodeCp1252(QString(QChar(0xDC00))), QByteArray("?"));
    EXPECT_EQ(EncodeCp1252(QString(QChar(0xD800))), QByteArray("?"));
    // U+0080 is a C1 control whose byte belongs to the euro sign.
    EXPECT_EQ(EncodeCp1252(QString(QChar(0x0080))), QByteArray("?"));
    EXPECT_EQ(EncodeCp1252(QString(QChar(0x0100))), QByteArray("?"));
}

TEST(Cp1252, EmbeddedNulAndEmptyInput)
{
    const QByteArray bytes("A\0B", 3);
    const QString text = DecodeCp1252(bytes);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(1).unicode(), 0);
    EXPECT_EQ(EncodeCp1252(text), bytes);
    EXPECT_TRUE(DecodeCp1252(QByteArray()).isEmpty());
    EXPECT_TRUE(DecodeCp1252(nullptr, 5).isEmpty());
    EXPECT_EQ(DecodeCp1252("xyz", 2), QStringLiteral("xy"));
    EXPECT_TRUE(EncodeCp1252(QString()).isEmpty());
}
