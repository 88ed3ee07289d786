// The ATIS composed from decoded weathers: what is said of the wind, the QNH, the
// visibility and the clouds, how runways are spoken, which lines keep their text when the
// weather has nothing to say, the window's summary, and what a station asking for our ATIS
// receives once it is accepted.
#include "core/Clock.h"
#include "link/Dispatcher.h"
#include "link/LineProtocol.h"
#include "state/RadarState.h"
#include "weather/Atis.h"
#include "weather/Metar.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

struct Recorder : LineSender {
    void SendLine(const QString &text) override { sent.append(text.chopped(2)); }
    QStringList sent;
};

const QStringList kPrevious = {"p0", "p1", "p2", "p3", "p4", "p5", "p6"};

WeatherState Decoded(const QString &metar)
{
    WeatherState w;
    DecodeMetar(w, metar);
    w.CurrentWeather.time = QStringLiteral("041230Z");
    return w;
}

} // namespace

// Lines 1 to 3 from standard METARs: the wind said without its gust or sector, calm at
// speed 0, "knots" only for KT; the first four QNH characters spelled; the visibility in
// metres without its leading zero, or as written in KM, SM and for CAVOK.
TEST(Atis, WindQnhAndVisibilityOfDecodedMetars)
{
    struct Case {
        const char *metar, *wind, *qnh, *visibility;
    };
    const Case cases[] = {
        {"LFPG 041200Z 24015G25KT 200V280 0800 -SHRA 15/M02 Q1013", "wind 240° 15 knots ",
         "QNH 1 0 1 3,  temperature 15 °C, dewpoint -02", "visibility 800 meter"},
        {"LFLL 041200Z 00000KT CAVOK 08/03 Q0998", "wind calm",
         "QNH 0 9 9 8,  temperature 08 °C, dewpoint 03", "visibility CAVOK"},
        {"UUEE 041200Z VRB04MPS 12KM M05/M07 Q1030", "wind VRB° 04  ",
         "QNH 1 0 3 0,  temperature -05 °C, dewpoint -07", "visibility 12KM"},
        {"KJFK 041200Z 18010KT 10SM 22/12 A2992", "wind 180° 10 knots ",
         "QNH 1 0 1 3,  temperature 22 °C, dewpoint 12", "visibility 10SM"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.metar);
        WeatherState w = Decoded(c.metar);
        const QStringList lines = AtisBroadcastLines(w, kPrevious);
        EXPECT_EQ(lines[1], c.wind);
        EXPECT_EQ(lines[2], c.qnh);
        EXPECT_EQ(lines[3], c.visibility);
    }
}

// Line 4 from the first cloud layer: oktas said in words with the cloud type after them,
// no altitude for a clear sky, the precipitation unless it is "none"; the base loses its
// leading zero in the record too.
TEST(Atis, CloudLineFromTheFirstLayer)
{
    struct Case {
        const char *cover, *base, *precipType, *precipIntensity, *line;
    };
    const Case cases[] = {
        {"8/8", "025", "none", "", "sky conditions overcast  altitude 25feet"},
        {"6/8 cumulonimbus", "120", "rain", "heavy", "sky conditions broken  cumulonimbus altitude 120feet, rain heavy"},
        {"2/8", "0030", "none", "light", "sky conditions few  altitude 030feet"},
        {"4/8", "045", "snow", "light", "sky conditions scattered  altitude 45feet, snow light"},
        {"sky clear", "", "none", "", "sky conditions sky clear"},
        {"3/8", "010", "none", "", "sky conditions 3/8 altitude 10feet"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cover);
        WeatherState w;
        t_cloud cloud;
        cloud.cover = c.cover;
        cloud.base = c.base;
        cloud.precipType = c.precipType;
        cloud.precipIntensity = c.precipIntensity;
        w.CurrentWeather.clouds = {cloud, t_cloud{}};
        EXPECT_EQ(AtisBroadcastLines(w, kPrevious)[4], c.line);
        EXPECT_EQ(w.CurrentWeather.clouds[0].base, QString(c.base).startsWith('0') ? QString(c.base).mid(1) : c.base);
    }
    // A standard METAR gives a layer no base and no precipitation: its group's height is said.
    WeatherState standard;
    DecodeMetar(standard, QStringLiteral("LFLL 070600Z 24005KT 9999 BKN030 05/02 Q1013"));
    EXPECT_EQ(AtisBroadcastLines(standard, kPrevious)[4], "sky conditions broken  altitude 3000feet");
}

// Header, runways and transitions; "R" and "L" spoken in every runway; lines whose weather
// is missing (no temperature, visibility, cloud, unreadable speed) keep their text.
TEST(Atis, HeaderRunwaysTransitionsAndLinesWithoutData)
{
    struct Case {
        const char *to, *ldg, *runways;
    };
    const Case cases[] = {
        {"27R", "09L", "takeoff runway 27right, landing runway 09left"},
        {"27", "LR", "takeoff runway 27, landing runway leftright"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to);
        WeatherState w;
        w.CurrentWeather.time = QStringLiteral("041230Z");
        w.CurrentWeather.pressureText = QStringLiteral("998");
        w.CurrentWeather.wind.speed = QStringLiteral("//");
        SetAtisLetter(w, QStringLiteral("KILO"));
        SetAtisRunways(w, c.to, c.ldg);
        SetAtisTransitions(w, QStringLiteral("5000"), QStringLiteral("60"));
        const QStringList lines = AtisBroadcastLines(w, kPrevious);
        EXPECT_EQ(lines, QStringList({"information KILO, 12hour30  Zulu ", "p1", "QNH 9 9 8, ", "p3", "p4", c.runways,
                                      "transitions altitude 5000feet, transition level 60"}));
        EXPECT_EQ(w.atisLetterText + "|" + QString::number(w.transitionAltitude), "KILO|5000");
        // A transition altitude that is no number keeps the number the scope and labels use.
        SetAtisTransitions(w, QStringLiteral("45OO"), QStringLiteral("50"));
        EXPECT_EQ(AtisSummaryTransitions(w.atis) + "|" + QString::number(w.transitionAltitude),
                  "transitions TA45OO TL50|5000");
    }
}

// The window's summary of a decoded weather, and its lists on opening.
TEST(Atis, SummaryOfTheWeatherAndOpeningLists)
{
    WeatherState w = Decoded(QStringLiteral("LFPG 041200Z 24015G25KT 200V280 0800 -SHRA SKC 15/M02 Q1013"));
    QStringList summary = OpenAtis({}, QStringLiteral("LFPG_TWR")).summary;
    EXPECT_EQ(summary, QStringList({"LFPG_TWR info ", "", "", "", "", "", ""}));
    FillAtisSummaryWeather(summary, w.CurrentWeather);
    EXPECT_EQ(summary.mid(1, 4), QStringList({"wind 240° 15KT(200/280) turb  shear ", "QNH 1013  temp 15°C/-02",
                                              "visibility 800 meter", "sky clear"}));
    EXPECT_EQ(w.CurrentWeather.visibilities[0].distance, "0800") << "the summary changes no record";

    const QStringList stored = {"0", "1", "2", "3", "4", "5", "6", "extra one", "extra two"};
    const AtisOpening opening = OpenAtis(stored, QStringLiteral("LFPG_TWR"));
    EXPECT_EQ(opening.summary + QStringList{"|"} + opening.additional, QStringList({"0", "1", "2", "3", "4", "5", "6",
                                                                                  "|", "extra one", "extra two"}));
}

// Accepted, the ATIS clears the new-METAR flag; a later "$CQ ... ATIS" gets the summary and
// the additional lines as text, then on a VIREO-SERVER the broadcast joined as sound.
TEST(Atis, AcceptedAtisIsWhatAskingStationsReceive)
{
    RadarState s;
    Recorder out;
    ManualClock clock;
    Dispatcher dispatcher(LinkGroupsOf(s), out, clock);
    s.link.OwnCallsign = QStringLiteral("LFLL_TWR");
    s.link.Accepted = true;
    DecodeMetar(s.weather, QStringLiteral("LFLL 041200Z 00000KT CAVOK 08/03 Q0998"));
    s.weather.newMetar = true;
    SetAtisLetter(s.weather, QStringLiteral("BRAVO"));
    QStringList broadcast;
    AcceptAtis(s.weather, {"s0", "s1", "s2", "s3", "s4", "s5", "s6"}, {"extra"}, broadcast);
    EXPECT_FALSE(s.weather.newMetar);
    ASSERT_EQ(broadcast.size(), kAtisLineCount);
    EXPECT_EQ(s.weather.atis.soundText, ", " + broadcast.join(", "));

    struct Case {
        const char *server;
        int sent;
    };
    for (const Case &c : {Case{"FSD", 8}, Case{"VIREO-SERVER", 9}}) {
        SCOPED_TRACE(c.server);
        s.link.serverType = c.server;
        out.sent.clear();
        dispatcher.DispatchLine(QStringLiteral("$CQLFLL_APP:LFLL_TWR:ATIS"));
        ASSERT_EQ(out.sent.size(), c.sent);
        EXPECT_EQ(out.sent[0], TextLine("LFLL_TWR", "LFLL_APP", "s0").chopped(2));
        EXPECT_EQ(out.sent[7], TextLine("LFLL_TWR", "LFLL_APP", "extra").chopped(2));
    }
    EXPECT_EQ(out.sent[8], AtisAudioLine("LFLL_TWR", "LFLL_APP", s.weather.atis.soundText).chopped(2));
}

} // namespace zaz::test
