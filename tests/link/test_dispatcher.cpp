// The dispatcher on the model, fed socket reads and ticked as the program does: framing and
// the receive limits, each line type's effect, malformed lines changing nothing, the flight
// plan queries sent a few at a time, and the strips and records of aircraft that come and go.
#include "core/Codec.h"
#include "link/Handoff.h"
#include "link/Senders.h"
#include "scope/TrafficStep.h"
#include "state/RadarState.h"

#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

// Keeps what the dispatcher sends, without the line ends.
struct Recorder : LineSender {
    void SendLine(const QString &text) override { sent.append(text.chopped(2)); }
    QStringList sent;
};

QString Position(const QString &callsign, const QString &altitude = QStringLiteral("35000"))
{
    return QStringLiteral("@N:%1:1200:1:45.72:5.08:%2:450:90:0").arg(callsign, altitude);
}

// The strip LFMN_APP sends us for an aircraft, its columns 12-44 carrying the tag.
QString StripLine(const QString &callsign, const QString &tag, const QString &next = QStringLiteral("03"))
{
    const QString row = QStringLiteral("00512:34:56") + PadRight(tag, 33) + QStringLiteral("ALFMN_APP012") + next + "   ";
    return StripTransferLine(QStringLiteral("LFMN_APP"), QStringLiteral("LFLL_TWR"), row, callsign).chopped(2);
}

// The state after the server accepted LFLL_TWR on an FSD server, COM1 118.700.
class Link : public ::testing::Test {
protected:
    Link() : clock(QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0), Qt::UTC)), dispatcher(LinkGroupsOf(s), out, clock)
    {
        QObject::connect(&s.notifier, &StateNotifier::statusText, [this](int, const QString &text) { status = text; });
        s.link.serverType = QStringLiteral("FSD");
        s.link.Com1Digits = QStringLiteral("118700");
        s.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        s.link.Accepted = true;
    }
    // One socket read, then one tick; the number of lines handled.
    int feed(const QByteArray &bytes) { dispatcher.receive(bytes); return dispatcher.tick(); }
    void lines(const QStringList &texts)
    {
        for (const QString &text : texts)
            feed(EncodeCp1252(text + QStringLiteral("\r\n")));
    }
    int find(const QString &callsign) const { return s.traffic.table.FindAircraft(callsign); }
    const AVION &aircraft(const QString &callsign) const { return s.traffic.table[find(callsign)]; }
    QStringList errors() const { return s.link.ErrorLog.lines; }
    QStringList sentStrips() const { return out.sent.filter(QStringLiteral("~STRIP")); }
    // One tick; the number of lines it sent.
    qsizetype tickSent() { const qsizetype before = out.sent.size(); dispatcher.tick(); return out.sent.size() - before; }

    RadarState s;
    Recorder out;
    ManualClock clock;
    Dispatcher dispatcher;
    QString status;
};

} // namespace

TEST_F(Link, ReadsAreCutIntoLinesWhereverTheirBoundariesFallAndOverlongOnesDropped)
{
    s.link.monitorTicked = true;
    EXPECT_EQ(feed("#TMA:@1:a\r\n#TMB:@2:b"), 1);
    EXPECT_EQ(feed(":c\r"), 1) << "a line completed by the next read; CR alone ends it";
    EXPECT_EQ(feed("\n#TMC:@3:caf\xe9 \x80\r\n"), 1) << "the LF opening a read belongs to the CR before";
    EXPECT_EQ(s.link.ReceivedLog.lines, QStringList({"#TMA:@1:a", "#TMB:@2:b:c", "#TMC:@3:café €"}));

    EXPECT_EQ(feed(QByteArray(70 * 1024, 'z') + EncodeCp1252("\r\n" + Position("KLM4") + "\r\n")), 2);
    EXPECT_EQ(errors(), QStringList{"ligne trop longue : 71680 octets ignorés"});
    EXPECT_EQ(status, "Erreur dans un paquet");
    for (int i = 0; i < 3; ++i) // a line that never ends is dropped past the cap, then up to its end
        feed(QByteArray(32 * 1024, 'x'));
    EXPECT_TRUE(errors().value(1).startsWith("ligne sans fin de ligne")) << errors().join('|').toStdString();
    dispatcher.receive(QByteArray(3 * 1024 * 1024, 'y'));
    EXPECT_EQ(errors().value(2), QStringLiteral("réception saturée : %1 octets perdus")
                                     .arg(3 * 1024 * 1024 - Dispatcher::kMaxPendingBytes));
    while (dispatcher.hasPending())
        dispatcher.tick();
    EXPECT_EQ(feed(EncodeCp1252("\r\n" + Position("AFR1") + "\r\n")), 2);
    EXPECT_NE(find("KLM4") + find("AFR1"), 2 * kNoAircraft);
}

TEST_F(Link, StripsReceivedAndSentAndHandoffs)
{
    lines({Position("AFR1"), Position("BAW2")});
    s.traffic.table.edit(find("BAW2")).nextPoint = 7;
    lines({StripLine("AFR1", "C001350ABCMT:12"), StripLine("AFR1", "second"), StripLine("BAW2", "blank", "  "),
           StripLine("ZZZ9", "unknown"), "#TMLFMN_APP:LFLL_APP:~STRIP1", "#TMLFMN_APP:LFLL_TWR:~STRIP1"});
    ASSERT_EQ(s.traffic.strips.entries.size(), 2);
    const QString stored = StripKey(find("AFR1")) + "12:00:00" + PadRight("C001350ABCMT:12", 33);
    EXPECT_EQ(s.traffic.strips.entries[0].line, stored + QString(9, ' ') + "012     ");
    EXPECT_TRUE(aircraft("AFR1").hasStrip && aircraft("AFR1").nextPoint == 3);
    EXPECT_EQ(aircraft("BAW2").nextPoint, 7) << "a blank next point keeps the aircraft's own";
    EXPECT_EQ(errors(), QStringList{"#TMLFMN_APP:LFLL_TWR:~STRIP1"}) << "only a strip for us must be whole";

    lines({"$HOLFMN_APP:LFLL_APP:AFR1", "$HOLFMN_APP:LFLL_TWR:ZZZ9", "$HOLFMN_APP:LFLL_TWR:BAW2"});
    EXPECT_EQ(aircraft("AFR1").handoffFrom + "|" + aircraft("BAW2").handoffFrom, "|LFMN_APP");
    AcceptHandoff(s.link, s.traffic, out, find("BAW2"));
    AcceptHandoff(s.link, s.traffic, out, find("BAW2")); // accepted once: nothing more
    EXPECT_EQ(out.sent.mid(2), QStringList({"$HALFLL_TWR:LFMN_APP:BAW2", "$CQLFLL_TWR:SERVER:FP:BAW2"}));

    // The other controller took AFR1: its strip goes to them, marked.
    lines({"$HALFXX_CTR:LFLL_APP:AFR1", "$HALFMN_CTR:LFLL_TWR:AFR1"});
    const QString row = stored + "ALFMN_CTR012     ";
    EXPECT_EQ(*StripLineOf(s.traffic, find("AFR1")), row);
    EXPECT_EQ(sentStrips(), QStringList{StripTransferLine("LFLL_TWR", "LFMN_CTR", row, "AFR1").chopped(2)});
    EXPECT_EQ(aircraft("AFR1").handoffState, "A");
}

TEST_F(Link, WeatherLinesAndTheirPressureTexts)
{
    WeatherState &w = s.weather;
    t_weather &now = w.CurrentWeather;
    now.wind.unit = QStringLiteral("MPS");
    lines({"#TDserver:LFLL_TWR:1000:15", "#WDserver:LFLL_TWR:3000:0:270:15:1:0"});
    EXPECT_EQ(now.time + " " + now.wind.direction + now.wind.unit, "06/12/2026 12:00:00 270MPS");
    const char *metars[][2] = {{"LFLL 061230Z 27015KT Q1013", "1013|29.92|1013mb|KT"},
                               {"KJFK 061251Z 27010MPS A2992", "1013|29.92|1013mb|MPS"},
                               {"LFLL 061300Z 27015KT CAVOK", "|||KT"}};
    for (const auto &[metar, texts] : metars) {
        lines({QStringLiteral("$ARserver:LFLL_TWR:METAR:") + metar});
        EXPECT_EQ(QStringList({w.qnhText, w.altimeterText, now.pressureText, now.wind.unit}).join('|'), texts);
    }
    EXPECT_TRUE(w.newMetar);
    w.newMetar = false;
    lines({"$ARserver:LFLL_TWR:METAR:LFLL 061300Z 27015KT CAVOK", "$ARserver:LFLL_TWR:TAF:LFLL 061100Z"});
    EXPECT_FALSE(w.newMetar) << "the same METAR again is not new, a TAF is not read";
    lines({"$ERserver:LFLL_TWR:007::No such callsign: X"});
    EXPECT_EQ(status + "|" + now.station, "erreur 007 : No such callsign: X|") << "only error 009 names a station";
    lines({"$ERserver:LFLL_TWR:009:LFXX:No such weather profile"});
    EXPECT_EQ(status, "erreur 009 (LFXX) : No such weather profile");
    EXPECT_EQ(now.station + "|" + w.rawMetar + "|" + now.metar, "LFXX||") << "an error is no METAR";
    EXPECT_TRUE(now.temperatures.isEmpty() && now.windsAloft.isEmpty() && w.qnhText.isEmpty());
}

TEST_F(Link, FieldNineIsAPackedWordFromAnFsdServerAndDegreesFromAVireoServer)
{
    const struct {
        const char *server, *field;
        double degrees; // -1: no heading, drawn by the track
    } cases[] = {{"FSD", "1027", 90}, {"FSD", "4294872064", 270}, {"FSD", "360", 31.640625}, {"FSD", "nord", -1},
                 {"VIREO-SERVER", "270", 270}, {"AUTRE", "270", -1}}; // 4294872064: bank and pitch negative
    for (const auto &c : cases) {
        s.link.serverType = QLatin1String(c.server);
        lines({QStringLiteral("@N:H%1:1200:1:45.72:5.08:35000:450:%1:0").arg(c.field)});
        const AVION &a = aircraft(QStringLiteral("H") + c.field);
        EXPECT_NEAR(a.headingReceived ? a.heading * 180 / kPi : -1, c.degrees, 1e-9) << c.server << " " << c.field;
    }
}

TEST_F(Link, TextsAreFiledUnderEveryChannelTheirDestinationMatchesAndAtisQueriesAnswered)
{
    s.link.Com2Digits = QStringLiteral("122800");
    lines({"#TMAFR1:@22800:tous", "#TMAFR2:@18700:com un", "#TMLFMN_APP:@49999:briefing",
           "#TMLFMN_APP:LFLL_TWR:prive", "#TMLFMN_APP:LFLL_APP:pas pour nous", "#TMAFR3:@21000:ailleurs"});
    EXPECT_EQ(s.link.RadioMessages,
              QStringList({">UNICOM:AFR1:tous", ">COM2:AFR1:tous", ">COM1:AFR2:com un",
                           ">TELE:LFMN_APP:A tous les controleurs briefing", ">TELE:LFMN_APP:prive"}));
    EXPECT_EQ(status, ">TELE:LFMN_APP:prive");

    // The ATIS, line by line, with its sound only for a VIREO-SERVER.
    s.weather.atis.lines = QStringList({"LYON INFORMATION BRAVO", "QNH 1013"});
    s.weather.atis.soundText = QStringLiteral("atis_lfll");
    lines({"$CQLFMN_APP:LFLL_APP:ATIS"}); // the recipient is not checked
    s.link.serverType = QStringLiteral("VIREO-SERVER");
    s.weather.atis.lines.prepend(QStringLiteral("HEURE 12:30")); // would break the protocol: not sent, logged
    lines({"$CQLFMN_APP:LFLL_TWR: ATIS "});
    const QStringList answer = {"#TMLFLL_TWR:LFMN_APP:LYON INFORMATION BRAVO", "#TMLFLL_TWR:LFMN_APP:QNH 1013"};
    EXPECT_EQ(out.sent, answer + answer + QStringList{"#TMAUDIOLFLL_TWR:LFMN_APP:atis_lfll"});
    EXPECT_EQ(s.link.SentCount, 5);
    EXPECT_TRUE(errors().value(0).startsWith("ligne non envoyée")) << errors().value(0).toStdString();
}

TEST_F(Link, ControllersTakeTheirTextsFromTheCodeTablesAndReuseFreedRecords)
{
    s.link.codeTexts.facility = {{"5", "Approche"}};
    s.link.codeTexts.rating = {{"3", "C1"}};
    lines({"%LFMN_APP:27500:5:100:3:43.66:7.21:0", "%LFMN_TWR:18700:4:30:9:43.66:7.21:0", "%LFMN_GND:21900:5:5:3:1:2:0"});
    const QList<t_controller> &table = s.controllers.ControllerTable;
    EXPECT_EQ(table[0].frequency + " " + table[0].facilityText + " " + table[0].ratingText, "127500 Approche C1");
    EXPECT_EQ(table[1].facilityText + table[1].ratingText, "errorerror");
    s.controllers.ControllerTable[0].inRadioList = true;
    lines({"%LFMN_APP:27500:5:400:3:43.66:7.21:3000"});
    EXPECT_TRUE(table[0].inRadioList && table[0].range == 400 && table[0].altitude == 3000);

    lines({"#DALFMN_APP:1234", "#DALFMN_TWR", "#DALFXX_CTR"});
    EXPECT_EQ(s.controllers.ControllerList, QStringList{"2"});
    lines({"%LFMN_APP:27500:5:100:3:43.66:7.21:0"});
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"2", "1"})) << "the highest free record";
    EXPECT_TRUE(!table[1].inRadioList && s.controllers.ControllerCount == 2);
}

TEST_F(Link, AMalformedLineChangesNothing)
{
    lines({Position("AFR1"), Position("AFR1", "36000")});
    const AVION before = aircraft("AFR1");
    clock.advanceMs(5000);
    const QStringList bad = {"@N:AFR1:7700:1:46.5:6.1:high:450:90:0", "@S:AFR1:7700:1:46.5:6.1:37000:450:90:x",
                             "@N:NEW1:7700:1:46.5:6.1:37000:fast:90:0", StripLine("AFR1", "tag", "x3"),
                             "%LFMN_APP:18700:4:far:5:43.6:7.2:0", "$FPAFR1:LFLL_TWR:I:B738:fast"};
    for (const QString &text : bad) {
        lines({text});
        const AVION &a = aircraft("AFR1");
        EXPECT_TRUE(a.altitude == before.altitude && a.prevAltitude == before.prevAltitude && a.lat == before.lat
                    && a.squawk == before.squawk && a.trail[0].lat == before.trail[0].lat
                    && a.serverSeen == before.serverSeen && a.transponderMode == before.transponderMode)
            << text.toStdString();
    }
    EXPECT_EQ(errors(), bad);
    EXPECT_TRUE(s.traffic.table.size() == 1 && s.traffic.strips.entries.isEmpty() && !aircraft("AFR1").hasFlightPlan);
    EXPECT_TRUE(s.controllers.ControllerTable.isEmpty());
}

TEST_F(Link, FlightPlanQueriesLeaveTwentyATickAndEachCallsignOnceAMinute)
{
    QByteArray read;
    for (int i = 0; i < 45; ++i)
        read += EncodeCp1252(Position(QStringLiteral("A%1").arg(i)) + "\r\n");
    dispatcher.receive(read + "#DPA44\r\n"); // A44 leaves before its turn
    const QList<qsizetype> perTick = {tickSent(), tickSent(), tickSent(), tickSent()};
    EXPECT_EQ(perTick, QList<qsizetype>({20, 20, 4, 0}));
    EXPECT_EQ(out.sent.value(0) + " " + out.sent.value(43), "$CQLFLL_TWR:SERVER:FP:A0 $CQLFLL_TWR:SERVER:FP:A43");

    // Back within a minute: not asked again; back after it: asked.
    out.sent.clear();
    lines({"#DPA0", Position("A0")});
    clock.advanceMs(FlightPlanRequests::kRepeatMs);
    lines({"#DPA1", Position("A1")});
    EXPECT_EQ(out.sent, QStringList{"$CQLFLL_TWR:SERVER:FP:A1"});
}

TEST_F(Link, ANewcomerOnAFreedRecordNeverGetsTheStripOfTheAircraftThatLeft)
{
    for (const bool byExpiry : {false, true}) {
        SCOPED_TRACE(byExpiry ? "expiry" : "#DP");
        const QString old = QStringLiteral("OLD%1").arg(byExpiry), newcomer = QStringLiteral("NEW%1").arg(byExpiry);
        lines({Position(old), StripLine(old, "strip of " + old)});
        const int index = find(old);
        if (byExpiry) {
            clock.advanceMs(61 * 1000);
            StepTraffic(s.traffic, s.view, s.settings.display.separation, clock.now());
        } else {
            lines({"#DP" + old});
        }
        ASSERT_EQ(find(old), kNoAircraft);
        lines({Position(newcomer), "$HALFMN_APP:LFLL_TWR:" + newcomer});
        ASSERT_EQ(find(newcomer), index);
        EXPECT_TRUE(!aircraft(newcomer).hasStrip && s.traffic.strips.entries.isEmpty() && sentStrips().isEmpty());
        EXPECT_EQ(aircraft(newcomer).handoffState, "A") << "taken, though there is no strip to send";
        EXPECT_EQ(errors().value(errors().size() - 1), "$HALFMN_APP:LFLL_TWR:" + newcomer);
    }
}

TEST_F(Link, StripsStayWithTheirCallsignsWhileAircraftComeAndGo)
{
    QRandomGenerator rng(11);
    for (int step = 0; step < 600; ++step) {
        const QString cs = QStringLiteral("C%1").arg(rng.bounded(25));
        const int action = find(cs) == kNoAircraft ? 0 : 1 + rng.bounded(3);
        const bool hadStrip = action > 0 && aircraft(cs).hasStrip;
        out.sent.clear();
        lines({QStringList({Position(cs), "#DP" + cs, StripLine(cs, cs), "$HALFMN_APP:LFLL_TWR:" + cs})[action]});
        if (action < 3)
            continue;
        // A handoff accepted: the strip sent is the aircraft's own, or none when it has none.
        ASSERT_EQ(sentStrips().size(), hadStrip ? 1 : 0) << cs.toStdString();
        if (hadStrip) {
            const auto sent = DecodeTextMessage(LineFields(sentStrips()[0])).strip.value_or(StripTransfer());
            EXPECT_EQ(sent.callsign + "/" + Copy(sent.row, 12, 33).trimmed(), cs + "/" + cs);
        }
    }
    for (const Strip &strip : s.traffic.strips.entries) {
        EXPECT_TRUE(find(strip.callsign) != kNoAircraft && aircraft(strip.callsign).hasStrip);
        EXPECT_EQ(Copy(strip.line, 12, 33).trimmed(), strip.callsign);
    }
}

TEST_F(Link, TenThousandAndOneCallsignsFillTheTableToItsCapAndNoFurther)
{
    const int total = 10001;
    QList<QByteArray> reads; // every callsign twice: the second position must find the first one's record
    for (int k = 0; k < 2 * total; ++k) {
        if (k % 1000 == 0)
            reads.append(QByteArray());
        reads.last() += EncodeCp1252(Position(QStringLiteral("C%1").arg(k % total)) + "\r\n");
    }
    qsizetype mostPerTick = 0;
    while (!reads.isEmpty() || !s.traffic.planRequests.waiting.isEmpty()) {
        if (!reads.isEmpty())
            dispatcher.receive(reads.takeFirst());
        mostPerTick = qMax(mostPerTick, tickSent());
    }
    EXPECT_LE(mostPerTick, FlightPlanRequests::kPerTick);
    EXPECT_EQ(out.sent.size(), kMaxAircraft) << "every admitted aircraft asked for once";

    EXPECT_EQ(s.traffic.table.size(), kMaxAircraft);
    QSet<int> records;
    for (int k = 0; k < kMaxAircraft; ++k)
        records.insert(find(QStringLiteral("C%1").arg(k)));
    records.remove(kNoAircraft);
    EXPECT_EQ(records.size(), kMaxAircraft) << "every admitted callsign on a record of its own";
    EXPECT_EQ(s.traffic.refusedAircraft, 2 * (total - kMaxAircraft));
    EXPECT_EQ(s.link.ErrorLog.total(), 2 * (total - kMaxAircraft));
}
