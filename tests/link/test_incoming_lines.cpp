// The lines of the server protocol: each received line decoded by its one decoder (or
// refused whole), every sent line that another client decodes read back field by field,
// and the fields no sent line may carry.
#include "link/IncomingLines.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

IncomingLine Decode(const QString &line)
{
    return DecodeAccepted(LineFields(line));
}

template <typename T>
std::size_t KindOf()
{
    return IncomingLine(T{}).index();
}

// The record of a line, decoded once the login is accepted or before.
template <typename T>
T As(const QString &line, bool accepted = true)
{
    const IncomingLine decoded = accepted ? Decode(line) : DecodeBeforeLogin(LineFields(line));
    EXPECT_EQ(decoded.index(), KindOf<T>()) << line.toStdString();
    return std::holds_alternative<T>(decoded) ? std::get<T>(decoded) : T{};
}

// What another client decodes from a line this program sends: the line without its end.
template <typename T>
T Received(const QString &sent)
{
    EXPECT_TRUE(sent.endsWith(QLatin1String("\r\n"))) << sent.toStdString();
    return As<T>(sent.chopped(2));
}

// A strip of 61 columns: point LUPEN, level 120, flight kind D, position TWR, next point 03.
const QString kStrip = QStringLiteral("00714:05:30C001080XXTLUPEN270120E    D250TWR            03   ");

} // namespace

TEST(IncomingLines, EachPrefixGoesToItsDecoderAndAnythingElseIsIgnored)
{
    const struct {
        const char *line;
        std::size_t kind;
    } cases[] = {
        {"@N:AFR1:1200:1:45.7:5.1:3000:250:90:0", KindOf<ServerPosition>()},
        {"@NX:AFR1:1200:1:45.7:5.1:3000:250:90:0", KindOf<IgnoredLine>()},
        {"$FPAFR1:ME:I", KindOf<ServerFlightPlan>()},
        {"$DEPOTFP-42:ME:A:I:B:0:C:1:2:3:D:1:2:3:4:E:F:G", KindOf<FiledPlan>()},
        {"$ARserver:ME:TAF:LFLL 061100Z", KindOf<IgnoredLine>()},
        {"$CQLFMN_APP:ME: ATIS ", KindOf<AtisQuery>()},
        {"$CQLFMN_APP:ME:RN", KindOf<IgnoredLine>()},
        {"#TDserverX:ME:1000:15", KindOf<IgnoredLine>()},
        {"#DPAFR1", KindOf<PilotLeft>()},
        {"#DALFMN_APP", KindOf<ControllerLeft>()},
        {"#TMserver:ME:welcome", KindOf<TextMessage>()},
        {"$ERserver:ME:005:LFLL:Syntax error", KindOf<ServerErrorReport>()},
        {"$!!SERVER:ME:flood", KindOf<ServerKick>()},
        {"", KindOf<IgnoredLine>()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Decode(QLatin1String(c.line)).index(), c.kind) << c.line;

    // Before the login is accepted only the acceptance, the refusal and a kick count.
    As<IgnoredLine>("@N:AFR1:1200:1:45.7:5.1:3000:250:90:0", false);
    EXPECT_EQ(As<ServerKick>("$!!SERVER:ME:banni: 2 h", false).reason, "banni: 2 h");
    EXPECT_EQ(As<LoginRefused>("$ERserver:a:001:b", false).reason, "a001b");
    const auto accepted = As<LoginAccepted>("#TMserver:LFLL_X:salut", false);
    EXPECT_EQ(accepted.callsign + "/" + accepted.welcome, "LFLL_X/salut");
}

TEST(IncomingLines, MalformedLinesRaiseLineError)
{
    for (const char *line : {
             "@N:AFR1:1200:1:45.7:5.1:high:250:90:0", "@N:AFR1:1200:1:45.7:5.1:3000:250kt:90:0",
             "@N:AFR1:1200:1:45.7:5.1:3000:250:90:x", "@S:AFR1:1200:1:45.7:5.1:3000:250:90", "@Y:AFR1",
             "$FPAFR1:ME:I:B738:fast", "$FPAFR1:ME:I:B738", "$DEPOTFP:ME:AFR1:I:B738:0:C:1:2:3:D:1:2:3:4:E:F",
             "%LFMN_APP:18700:4:far:5:43.6:7.2:0", "%LFMN_APP:18700:4:30:5:43.6:7.2:1e3", "%LFMN_APP:18700:4",
             "#TMAFR1", "#TMAFR1:@22800", "$HOLFMN_APP:ME", "$HALFMN_APP:ME", "$ARserver:ME:METAR", "$CQLFMN_APP:ME",
         })
        EXPECT_THROW(Decode(QLatin1String(line)), LineError) << line;
    EXPECT_THROW(DecodeBeforeLogin(LineFields(QStringLiteral("#TMserver"))), LineError);

    // A strip too short to carry a callsign, or whose next point is no number, does not
    // decode; the text message that carries it still does (it may be for someone else).
    const QString badNextPoint = "~STRIP" + QString(kStrip).replace(56, 2, "x1") + "AFR1";
    for (const QString &text : {QStringLiteral("~STRIP012/10/15"), badNextPoint}) {
        EXPECT_THROW(DecodeStripTransfer(text), LineError) << text.toStdString();
        const TextMessage m = As<TextMessage>("#TMLFMN_APP:ME:" + text);
        EXPECT_TRUE(m.stripText && !m.strip);
    }
}

TEST(IncomingLines, FieldsLandInTheirRecords)
{
    const auto p = As<ServerPosition>("@Y:AFR1:7700:3:45.7N:abc:-150:250:359:0");
    EXPECT_EQ(p.transponderMode + p.callsign + p.squawk + p.rating, "YAFR177003");
    // Coordinates are read leniently.
    EXPECT_EQ(std::tuple(p.lat, p.lon, p.altitude, p.groundSpeed, p.heading), std::tuple(45.7f, 0.0f, -150, 250, 359));
    // So is the heading: one that is no number leaves the aircraft's heading as it was.
    EXPECT_FALSE(As<ServerPosition>("@N:AFR1:1200:1:45.7:5.1:3000:250:nord:0").heading);

    const auto none = As<ServerFlightPlan>("$FPAFR1:ME:I");
    EXPECT_TRUE(none.callsign == "AFR1" && !none.hasPlan);
    const auto plan = As<ServerFlightPlan>("$FPAFR1:ME:V:C172:95");
    EXPECT_TRUE(plan.hasPlan && plan.rules == "V" && plan.tas == 95 && plan.route.isEmpty());
    const auto filed = As<FiledPlan>("$DEPOTFP:ME:AFR123:I:B738:450:LFPG:1230:945:350:LFML:1:20:3:00:LFMN:rmk:PG/UL612");
    EXPECT_EQ(FiledPlanRow(filed),
              "AFR123\t1230\tIFR\tB738\tLFPG\tPG/UL612\tLFML\tFL350\t450kts\tZ09:45\trmk");
    const auto error = As<ServerErrorReport>("$ERserver:ME:002:LFXX:No such weather profile: LFXX");
    EXPECT_EQ(error.code + "|" + error.parameter + "|" + error.message, "002|LFXX|No such weather profile: LFXX");

    // Weather groups are read only when complete (four fields are enough for a wind).
    EXPECT_EQ(As<TemperatureLayers>("#TDserver:ME:1000:15:5000:5:9000").layers.size(), 2);
    const QString wind = QStringLiteral("#WDserver:ME:3000:0:270:15:1:0:9000:3000:280:30:2:0:18000:9000:290");
    const auto winds = As<WindLayers>(wind);
    ASSERT_TRUE(winds.surface.has_value());
    EXPECT_EQ(winds.surface->depth + winds.surface->altitude + winds.surface->direction + winds.surface->speed,
              "3000027015");
    ASSERT_EQ(winds.aloft.size(), 1);
    EXPECT_EQ(winds.aloft[0].altitude + "/" + winds.aloft[0].speed, "3000/30");
    EXPECT_EQ(As<WindLayers>(wind + ":45").aloft.size(), 2);
    const auto clouds = As<CloudLayers>("#CDserver:ME:4000:2000:SCT:0:1:9000:6000:BKN:1:2:1").layers;
    ASSERT_EQ(clouds.size(), 2);
    EXPECT_EQ(clouds[1].base + "/" + clouds[1].height + "/" + clouds[1].cover, "9000/6000/2,1,BKN");
}

TEST(IncomingLines, WhatTheProgramSendsDecodesBackFieldByField)
{
    const TextMessage text = Received<TextMessage>(TextLine("LFLL_TWR", "@22800", "bonjour à tous"));
    EXPECT_EQ(text.sender + "|" + text.destination + "|" + text.text, "LFLL_TWR|@22800|bonjour à tous");
    EXPECT_FALSE(text.stripText);

    const TextMessage transfer = Received<TextMessage>(StripTransferLine("LFLL_TWR", "LFLL_APP", kStrip, "AFR123"));
    EXPECT_EQ(transfer.sender + "|" + transfer.destination, "LFLL_TWR|LFLL_APP");
    ASSERT_TRUE(transfer.stripText && transfer.strip);
    EXPECT_EQ(transfer.strip->row, kStrip.left(58)) << "the colons of the time come back";
    EXPECT_EQ(std::tuple(transfer.strip->callsign, transfer.strip->nextPoint), std::tuple("AFR123", 3));
    const StripTransfer blank = DecodeStripTransfer(
        Received<TextMessage>(StripTransferLine("A", "B", QString(kStrip).replace(56, 2, "  "), "C")).text);
    EXPECT_EQ(blank.callsign, "C");
    EXPECT_FALSE(blank.nextPoint.has_value()) << "a blank next point is none";

    EXPECT_EQ(Received<AtisQuery>(AtisQueryLine("LFLL_TWR", "LFMN_APP")).asker, "LFLL_TWR");

    const auto c = Received<ControllerPosition>(PositionLine("LFLL_TWR", "118705", 4, 30, 5, 45.725f, -5.25f, -120));
    EXPECT_EQ(c.callsign + "|" + c.frequency + "|" + c.facilityCode + "|" + c.ratingCode, "LFLL_TWR|18705|4|5");
    EXPECT_EQ(std::tuple(c.range, c.lat, c.lon, c.altitude), std::tuple(30, 45.725f, -5.25f, -120));

    const HandoffOffer offer = Received<HandoffOffer>(HandoffOfferLine("LFLL_TWR", "LFLL_APP", "AFR123"));
    EXPECT_EQ(offer.sender + "|" + offer.recipient + "|" + offer.aircraft, "LFLL_TWR|LFLL_APP|AFR123");
    const HandoffAccepted accept = Received<HandoffAccepted>(HandoffAcceptLine("LFLL_APP", "LFLL_TWR", "AFR123"));
    EXPECT_EQ(accept.sender + "|" + accept.recipient + "|" + accept.aircraft, "LFLL_APP|LFLL_TWR|AFR123");

    EXPECT_EQ(Received<ControllerLeft>(SignOffLine("LFLL_TWR", "42")).callsign, "LFLL_TWR");
}

TEST(OutgoingLines, EveryBuilderEndsWithCrLfPadsNoFieldAndRefusesAColonCrOrLf)
{
    using Fields = QStringList;
    const struct {
        const char *name;
        int fields;
        std::function<QString(const Fields &)> build;
    } builders[] = {
        {"login", 4, [](const Fields &f) { return LoginLine(f[0], "VIREO-SERVER", f[1], f[2], f[3], 5); }},
        {"position", 2, [](const Fields &f) { return PositionLine(f[0], "1" + f[1], 4, 30, 5, 45, 5, 0); }},
        {"sign-off", 2, [](const Fields &f) { return SignOffLine(f[0], f[1]); }},
        {"weather", 2, [](const Fields &f) { return WeatherRequestLine(f[0], f[1]); }},
        {"server metar", 2, [](const Fields &f) { return MetarRequestLine(f[0], f[1]); }},
        {"plan query", 2, [](const Fields &f) { return FlightPlanQueryLine(f[0], f[1]); }},
        {"filed plans", 2, [](const Fields &f) { return FiledPlansQueryLine(f[0], f[1]); }},
        {"atis query", 2, [](const Fields &f) { return AtisQueryLine(f[0], f[1]); }},
        {"text", 3, [](const Fields &f) { return TextLine(f[0], f[1], f[2]); }},
        {"atis sound", 3, [](const Fields &f) { return AtisAudioLine(f[0], f[1], f[2]); }},
        {"offer", 3, [](const Fields &f) { return HandoffOfferLine(f[0], f[1], f[2]); }},
        {"notice", 5, [](const Fields &f) { return HandoffNoticeLine(f[0], f[1], f[2], kStrip.left(21) + f[3], f[4]); }},
        {"accept", 3, [](const Fields &f) { return HandoffAcceptLine(f[0], f[1], f[2]); }},
        {"strip", 3, [](const Fields &f) { return StripTransferLine(f[0], f[1], kStrip, f[2]); }},
        {"metar", 1, [](const Fields &f) { return MetarLine(f[0]); }},
        {"zulu", 0, [](const Fields &) { return ZuluLine(9, 5); }},
    };
    for (const auto &b : builders) {
        const Fields good(b.fields, QStringLiteral("AB12"));
        // Servers that read strictly want CR LF and no blank in front of a field.
        const QString line = b.build(good);
        EXPECT_TRUE(line.endsWith("\r\n") && line.count('\r') == 1 && !line.contains(": ")) << line.toStdString();
        for (int k = 0; k < b.fields; ++k)
            for (const char *bad : {"A:B", "A\rB", "A\nB"}) {
                Fields fields = good;
                fields[k] = QLatin1String(bad);
                EXPECT_EQ(b.build(fields), QString()) << b.name << " field " << k;
            }
    }
    // The strip row travels with its colons as "/", but a line end inside it is refused.
    EXPECT_EQ(StripTransferLine("A", "B", QString(kStrip).replace(20, 1, '\n'), "C"), QString());
}

TEST(OutgoingLines, FrequenciesAndCoordinatesAreWrittenWithoutPadding)
{
    for (const char *f : {"122.800", "122.8", "122800", "22800", " 122.80 "})
        EXPECT_EQ(FrequencyField(QLatin1String(f)), "22800") << f;
    EXPECT_EQ(CoordinateField(5.25) + "|" + CoordinateField(-5.25) + "|" + CoordinateField(-45.123456) + "|"
                  + CoordinateField(0),
              "5.25000|-5.25000|-45.12346|0.00000");
}
