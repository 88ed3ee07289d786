// The line protocol: splitting and prefix tests on incoming lines, value encodings and the
// exact text of every line the program sends.
#include "link/LineProtocol.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

t_tranches Split(const char *line)
{
    return SplitText(QStringLiteral(":"), QString::fromLatin1(line));
}

// A 61-column strip: key 007, start 14:05:30, point LUPEN, heading 270, level 120, flight
// kind D, speed 250, position TWR, handoff mark and controller blank, next point 03.
const QString kStrip = QStringLiteral("00714:05:30C001080XXTLUPEN270120E    D250TWR            03   ");

} // namespace

TEST(LineProtocol, SplitsFieldsAndTestsPrefixes)
{
    const t_tranches f = Split("#TMLFLL_TWR:@22800::hello:");
    ASSERT_EQ(f.size(), 5);
    EXPECT_EQ(FieldAt(f, 3), QString());
    EXPECT_EQ(FieldAt(f, 4), QStringLiteral("hello"));
    EXPECT_EQ(FieldAt(f, 5), QString());
    EXPECT_THROW(FieldAt(f, 6), LineError);
    EXPECT_THROW(FieldAt(f, 0), LineError);
    EXPECT_EQ(FieldOr(f, 6), QString());
    try {
        FieldAt(Split("$HAX:Y"), 3);
        FAIL() << "no error for a missing field";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("champ 3 absent"));
    }

    EXPECT_TRUE(StartsLine(f, "#TM"));
    EXPECT_FALSE(IsLine(f, "#TM"));
    EXPECT_EQ(Sender(f, 3), QStringLiteral("LFLL_TWR"));
    EXPECT_TRUE(IsLine(Split("#TMserver:X:welcome"), "#TMserver"));

    const t_tranches ctl = Split("%LFMN_APP:18700:5:100:3:43.6:7.2:0");
    EXPECT_TRUE(StartsLine(ctl, "%"));
    EXPECT_EQ(Sender(ctl, 1), QStringLiteral("LFMN_APP"));

    const t_tranches depot = Split("$DEPOTFP12:LFLL_APP:AFR12:I");
    EXPECT_TRUE(StartsLine(depot, "$DEPOTFP"));
    EXPECT_FALSE(IsLine(depot, "$DEPOTFP"));
    EXPECT_FALSE(StartsLine(Split("$DEPOT:x"), "$DEPOTFP"));
    EXPECT_FALSE(StartsLine(t_tranches(), "%"));
    EXPECT_FALSE(IsLine(Split(""), "@N"));

    EXPECT_EQ(JoinFrom(Split("$ERserver:unknown:006:LFLL:bad callsign"), 2),
              QStringLiteral("unknown006LFLLbad callsign"));
    EXPECT_EQ(JoinFrom(Split("a:b"), 3), QString());
}

TEST(LineProtocol, EncodesFrequenciesAndCoordinates)
{
    EXPECT_EQ(FrequencyField(QStringLiteral("122.800")), QStringLiteral("22800"));
    EXPECT_EQ(FrequencyField(QStringLiteral("118.705")), QStringLiteral("18705"));
    EXPECT_EQ(FrequencyField(QStringLiteral("122.8")), QStringLiteral("22800"));
    EXPECT_EQ(FrequencyField(QStringLiteral("122800")), QStringLiteral("22800"));
    EXPECT_EQ(FrequencyField(QStringLiteral("22800")), QStringLiteral("22800"));

    EXPECT_EQ(CoordinateField(5.25), QStringLiteral(" 5.25000"));
    EXPECT_EQ(CoordinateField(-45.123456), QStringLiteral("-45.12346"));
    EXPECT_EQ(CoordinateField(-5.25), QStringLiteral("-5.25000"));
    EXPECT_EQ(CoordinateField(0), QStringLiteral(" 0.00000"));
}

TEST(LineProtocol, BuildsEverySentLine)
{
    EXPECT_EQ(LoginLine("LFLL_TWR", "FSD", "Jean Dupont", "123", "pw", 5),
              QStringLiteral("#AALFLL_TWR:SERVER:Jean Dupont:123:pw:5:9\r\n"));
    EXPECT_EQ(LoginLine("LFLL_TWR", "VIREO-SERVER", "J", "1", "p", 1),
              QStringLiteral("#AALFLL_TWR:VIREO-SERVER:J:1:p:1:9\r\n"));
    EXPECT_EQ(LoginLine("LFLL_TWR", "OTHER", "J", "1", "p", 1), QString());

    EXPECT_EQ(PositionLine("LFLL_TWR", "120450", 4, 30, 5, 45.725f, 5.25f, 0),
              QStringLiteral("%LFLL_TWR:20450:4:30:5:45.72500: 5.25000:0\r\n"));
    EXPECT_EQ(SignOffLine("LFLL_TWR", "123", true), QStringLiteral("#DALFLL_TWR:123\r"));
    EXPECT_EQ(SignOffLine("LFLL_TWR", "123", false), QStringLiteral("#DALFLL_TWR:123\r\n"));
    EXPECT_EQ(WeatherRequestLine("ME", "LFLL"), QStringLiteral("#WXME:SERVER:LFLL\r\n"));
    EXPECT_EQ(FlightPlanQueryLine("ME", "AFR123"), QStringLiteral("$CQME:SERVER:FP:AFR123\r\n"));
    EXPECT_EQ(FiledPlansQueryLine("ME", "TOUS"), QStringLiteral("$CQME:SERVER:DEPOTFP:TOUS\r\n"));
    EXPECT_EQ(AtisQueryLine("ME", "LFMN_APP"), QStringLiteral("$CQME:LFMN_APP:ATIS\r\n"));
    EXPECT_EQ(TextLine("ME", "@49999", "bonjour"), QStringLiteral("#TMME:@49999:bonjour\r\n"));
    EXPECT_EQ(AtisAudioLine("ME", "LFMN_APP", "atis.wav"), QStringLiteral("#TMAUDIOME:LFMN_APP:atis.wav\r\n"));
    EXPECT_EQ(HandoffOfferLine("ME", "LFMN_APP", "AFR123"), QStringLiteral("$HOME:LFMN_APP:AFR123\r\n"));
    EXPECT_EQ(HandoffAcceptLine("ME", "LFMN_APP", "AFR123"), QStringLiteral("$HAME:LFMN_APP:AFR123\r\n"));
    EXPECT_EQ(ZuluLine(9, 5), QStringLiteral("ZULU:SERVER:VIREO-SERVER:9:5:\r\n"));
    EXPECT_EQ(MetarLine("LFLL 061200Z 27010KT CAVOK"),
              QStringLiteral("METAR:SERVER:VIREO-SERVER:LFLL 061200Z 27010KT CAVOK:\r\n"));
}

TEST(LineProtocol, BuildsHandoffTextsFromTheStrip)
{
    ASSERT_EQ(kStrip.size(), 61);
    EXPECT_EQ(HandoffNoticeLine("LFLL_TWR", "LFLL_APP", "AFR123", kStrip, "LFPG"),
              QStringLiteral("#TMLFLL_TWR:LFLL_APP:demande de Handoff pourAFR123/TWR/D/LUPEN/FL120/destLFPG\r\n"));
    // A short strip gives short pieces, never a failure.
    EXPECT_EQ(HandoffNoticeLine("A", "B", "C", QStringLiteral("001"), "D"),
              QStringLiteral("#TMA:B:demande de Handoff pourC////FL/destD\r\n"));

    const QString line = StripTransferLine("LFLL_TWR", "LFLL_APP", kStrip, "AFR123");
    EXPECT_EQ(line, QStringLiteral("#TMLFLL_TWR:LFLL_APP:~STRIP00714/05/30C001080XXTLUPEN270120E    "
                                   "D250TWR            03   AFR123\r\n"));
    // The receiver's reading: the whole transfer is the third field; the row is characters
    // 7-64 of it and the callsign follows from character 68.
    const t_tranches f = SplitText(QStringLiteral(":"), line.chopped(2));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(Copy(f[2], 68, 100), QStringLiteral("AFR123"));
}
