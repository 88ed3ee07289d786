// The incoming line dispatcher driven with raw socket reads and timer ticks: framing of the
// received bytes, the login answer, every line handled once accepted, malformed lines, and
// a server that floods.
#include "core/Clock.h"
#include "core/Codec.h"
#include "core/IniFile.h"
#include "core/RadarState.h"
#include "link/Dispatcher.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace zaz;

namespace {

const QDateTime kNoon(QDate(2026, 12, 6), QTime(12, 0, 0));

struct Recorder : LineSender {
    void SendLine(const QString &text) override { sent.append(text); }
    QStringList sent;
};

struct Radio {
    QString channel;
    QString entry;
    QString sender;
    bool isPrivate;
};

// The state, a dispatcher over it, and what the dispatcher tells the windows.
class Link : public ::testing::Test {
protected:
    Link() : clock(kNoon), dispatcher(s, out, clock)
    {
        StateNotifier &n = s.notifier;
        QObject::connect(&n, &StateNotifier::statusText, [this](int panel, const QString &text) {
            if (panel == 0)
                statuses << text;
        });
        QObject::connect(&n, &StateNotifier::disconnectWanted, [this] { ++disconnects; });
        QObject::connect(&n, &StateNotifier::radioMessage,
                         [this](const QString &channel, const QString &entry, const QString &sender, bool p) {
                             radio.append({channel, entry, sender, p});
                         });
        LinkState &l = s.link;
        l.serverType = QStringLiteral("FSD");
        l.LoginCallsign = QStringLiteral("lfll_twr");
        l.Com1Digits = QStringLiteral("118700");
        l.Facility = 4;
        l.VisibilityRange = 30;
        l.Rating = 5;
        l.OwnLat = 45.72f;
        l.OwnLon = 5.08f;
        l.WeatherStation = QStringLiteral("LFLL");
        l.LoginSent = true;
    }

    // The state right after the server accepted "LFLL_TWR".
    void Accept()
    {
        s.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        s.link.Accepted = true;
    }

    // One socket read then one tick; the number of lines handled.
    int Feed(const QByteArray &bytes)
    {
        dispatcher.Receive(bytes);
        return dispatcher.Tick();
    }
    int Line(const QString &line) { return Feed(EncodeCp1252(line + QStringLiteral("\r\n"))); }
    void Lines(const QStringList &lines)
    {
        for (const QString &line : lines)
            Line(line);
    }

    int Find(const char *callsign) const { return s.traffic.table.FindAircraft(QLatin1String(callsign)); }
    const AVION &Aircraft(const char *callsign) const { return s.traffic.table[Find(callsign)]; }
    QStringList Errors() const { return s.link.ErrorLog.lines; }
    QString LastStatus() const { return statuses.isEmpty() ? QString() : statuses.back(); }

    RadarState s;
    Recorder out;
    ManualClock clock;
    Dispatcher dispatcher;
    QStringList statuses;
    int disconnects = 0;
    QList<Radio> radio;
};

QString Position(const QString &callsign, const QString &altitude = QStringLiteral("35000"),
                 const QString &mode = QStringLiteral("N"))
{
    return QStringLiteral("@%1:%2:1200:1:45.72:5.08:%3:450:90:0").arg(mode, callsign, altitude);
}

// A 61-column strip row as another controller's program keeps it (":" in its time),
// STAR index "007", next point " 4".
const QString kStripRow = QStringLiteral("012") + QStringLiteral("10:15:30") + QStringLiteral("A003050YYN")
                          + QStringLiteral("BULOL270120NNNNNI250TWR") + QStringLiteral("D") + QStringLiteral("LFMN_APP")
                          + QStringLiteral("007") + QStringLiteral(" 4") + QStringLiteral("   ");

QString StripTransfer(const QString &callsign)
{
    QString row = kStripRow;
    row.replace(QLatin1Char(':'), QLatin1Char('/'));
    return QStringLiteral("#TMLFMN_APP:LFLL_TWR:~STRIP") + row + callsign;
}

} // namespace

TEST(DispatcherRow, TheTestRowHasTheStripWidth)
{
    ASSERT_EQ(kStripRow.size(), kStripLength);
}

// ---------------------------------------------------------------------------------------
// Framing

TEST_F(Link, TwoLinesOfOneReadAreHandledInOneTick)
{
    Accept();
    EXPECT_EQ(Feed(EncodeCp1252(Position("AFR1") + "\r\n" + Position("BAW2") + "\r\n")), 2);
    EXPECT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_NE(Find("BAW2"), kNoAircraft);
    EXPECT_FALSE(dispatcher.HasPending());
    EXPECT_EQ(s.link.ReceivedCount, 2);
    EXPECT_EQ(dispatcher.Tick(), 0) << "nothing left for the next tick";
}

TEST_F(Link, LineSplitAcrossReadsIsHandledWhole)
{
    Accept();
    EXPECT_EQ(Feed("@N:AFR1:1200:1:45.7"), 0);
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_EQ(Feed("2:5.08:35000:4"), 0);
    EXPECT_EQ(Feed("50:90:0\r\n"), 1);
    ASSERT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_EQ(Aircraft("AFR1").lat, 45.72f);
    EXPECT_EQ(Aircraft("AFR1").groundSpeed, 450);
    EXPECT_TRUE(Errors().isEmpty());

    // A read ending between CR and LF: the LF that opens the next read is not text.
    s.link.monitorTicked = true;
    EXPECT_EQ(Feed(EncodeCp1252(Position("BAW2") + "\r")), 1);
    EXPECT_EQ(Feed(EncodeCp1252("\n" + Position("DLH3") + "\r\n")), 1);
    EXPECT_NE(Find("DLH3"), kNoAircraft);
    EXPECT_EQ(s.link.ReceivedLog.lines, QStringList({Position("BAW2"), Position("DLH3")}));
}

TEST_F(Link, CarriageReturnAloneOrWithLineFeedEndsALineAndTheMonitorLogsOnlyWhenTicked)
{
    s.link.monitorTicked = true;
    EXPECT_EQ(Feed("#TMA:@1:a\r#TMB:@2:b\r\n#TMC:@3:c\r"), 3);
    EXPECT_EQ(s.link.ReceivedLog.lines, QStringList({"#TMA:@1:a", "#TMB:@2:b", "#TMC:@3:c"}));

    s.link.monitorTicked = false;
    EXPECT_EQ(Feed("#TMD:@4:d\r\n"), 1);
    EXPECT_EQ(s.link.ReceivedLog.lines.size(), 3) << "not logged while the monitor is not ticked";
    EXPECT_EQ(s.link.ReceivedCount, 4) << "but counted";

    // Bytes 0x80-0xFF arrive as Windows-1252.
    s.link.monitorTicked = true;
    Feed("#TME:@5:caf\xe9 \x80\r\n");
    EXPECT_EQ(s.link.ReceivedLog.lines.back(), QStringLiteral("#TME:@5:café €"));
}

TEST_F(Link, MoreLinesThanOneTickTakesWaitForTheNextTicks)
{
    Accept();
    const int total = Dispatcher::kMaxLinesPerTick + 10;
    QByteArray read;
    for (int i = 0; i < total - 1; ++i)
        read += "#DLSERVER:*:1:2\r\n";
    read += EncodeCp1252(Position("AFR1") + "\r\n");
    dispatcher.Receive(read);
    EXPECT_EQ(dispatcher.Tick(), Dispatcher::kMaxLinesPerTick);
    EXPECT_TRUE(dispatcher.HasPending());
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_EQ(dispatcher.Tick(), 10);
    EXPECT_FALSE(dispatcher.HasPending());
    EXPECT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_EQ(s.link.ReceivedCount, total);
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Link, AFloodWithoutLineEndsStaysBoundedAndTheLinkRecovers)
{
    Accept();
    const QByteArray block(64 * 1024, 'x');
    // 3 MiB read by read, one tick after each, as the timer would: the unfinished line is
    // dropped once it passes the cap.
    for (int i = 0; i < 48; ++i)
        Feed(block);
    ASSERT_FALSE(Errors().isEmpty());
    EXPECT_TRUE(Errors().first().startsWith(QStringLiteral("ligne sans fin de ligne")));

    // 3 MiB in one read: only the cap is kept.
    const qsizetype before = Errors().size();
    dispatcher.Receive(QByteArray(3 * 1024 * 1024, 'y'));
    ASSERT_EQ(Errors().size(), before + 1);
    EXPECT_EQ(Errors().back(), QStringLiteral("réception saturée : %1 octets perdus")
                                    .arg(3 * 1024 * 1024 - Dispatcher::kMaxPendingBytes));
    while (dispatcher.HasPending())
        dispatcher.Tick();

    // The end of the garbage, then a good line.
    EXPECT_EQ(Feed(EncodeCp1252("\r\n" + Position("AFR1") + "\r\n")), 2);
    EXPECT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.RadioMessages.isEmpty());
}

// ---------------------------------------------------------------------------------------
// Login answer

TEST_F(Link, AcceptanceTakesTheConfirmedCallsignAndSendsThePositionAndWeatherRequest)
{
    Line(QStringLiteral("#TMserver:LFLL_TWR:Bienvenue sur le serveur"));
    EXPECT_TRUE(s.link.Accepted);
    EXPECT_EQ(s.link.OwnCallsign, QStringLiteral("LFLL_TWR"));
    EXPECT_FALSE(s.link.VireoServer);
    EXPECT_EQ(out.sent, QStringList({"%LFLL_TWR:18700:4:30:5:45.72000: 5.08000:0\r\n",
                                     "#WXLFLL_TWR:SERVER:LFLL\r\n"}));
    EXPECT_EQ(s.link.SentLog.lines.size(), 2);
    EXPECT_EQ(s.link.SentCount, 1) << "the first position is logged, not counted";
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_EQ(statuses.first(), QStringLiteral("connecté au serveur: Bienvenue sur le serveur avec le callsign: LFLL_TWR"));

    // Further welcome lines come once accepted: private texts from the server.
    Line(QStringLiteral("#TMserver:LFLL_TWR:Soyez prudents"));
    EXPECT_EQ(s.RadioMessages, QStringList{">TELE:server:Soyez prudents"});
    EXPECT_EQ(out.sent.size(), 2);
}

TEST_F(Link, VireoServerIsKnownOnlyByItsExactWelcomeAndGetsNoWeatherRequest)
{
    s.link.serverType = QStringLiteral("VIREO-SERVER");
    Line(QStringLiteral("#TMserver:LFLL_TWR:VIREO-SERVER connexion acceptée"));
    EXPECT_TRUE(s.link.Accepted);
    EXPECT_TRUE(s.link.VireoServer);
    ASSERT_EQ(out.sent.size(), 1);
    EXPECT_TRUE(out.sent[0].startsWith(QStringLiteral("%LFLL_TWR:")));

    RadarState other;
    Recorder sent;
    Dispatcher second(other, sent, clock);
    other.link.serverType = QStringLiteral("VIREO-SERVER");
    second.Receive(EncodeCp1252(QStringLiteral("#TMserver:LFLL_TWR:VIREO-SERVER connexion acceptee\r\n")));
    second.Tick();
    EXPECT_TRUE(other.link.Accepted);
    EXPECT_FALSE(other.link.VireoServer);
}

TEST_F(Link, RefusalShowsTheReasonAndAsksForTheDisconnection)
{
    Line(QStringLiteral("$ERserver:unknown:001:LFLL_TWR:Invalid callsign"));
    EXPECT_FALSE(s.link.Accepted);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(statuses, QStringList{"connexion refusée: unknown001LFLL_TWRInvalid callsign"});
    EXPECT_TRUE(out.sent.isEmpty());
}

TEST_F(Link, LinesBeforeAcceptanceAreIgnored)
{
    Lines({Position("AFR1"), "#TMLFMN_APP:@22800:bonjour", "%LFMN_APP:18700:4:30:5:43.6:7.2:0",
           "$ERserverX:unknown:001", "#TMserverX:LFLL_TWR:x"});
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.RadioMessages.isEmpty());
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());
    EXPECT_FALSE(s.link.Accepted);
    EXPECT_EQ(disconnects, 0);
    EXPECT_TRUE(out.sent.isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_EQ(s.link.ReceivedCount, 5);
}

// ---------------------------------------------------------------------------------------
// Traffic and controllers

TEST_F(Link, PositionsCreateAircraftAndAskEachNewOnesPlanOnce)
{
    Accept();
    Lines({Position("AFR1"), Position("AFR1", "36000", "S"), Position("BAW2", "12000", "Y")});
    EXPECT_EQ(out.sent, QStringList({"$CQLFLL_TWR:SERVER:FP:AFR1\r\n", "$CQLFLL_TWR:SERVER:FP:BAW2\r\n"}));
    EXPECT_EQ(s.link.SentCount, 0) << "plan requests count only while the monitor is ticked";
    EXPECT_EQ(s.traffic.LiveTrafficList, QStringList({"0", "1"}));
    const AVION &a = Aircraft("AFR1");
    EXPECT_EQ(a.altitude, 36000);
    EXPECT_EQ(a.prevAltitude, 35000);
    EXPECT_EQ(a.transponderMode, QStringLiteral("S"));
    EXPECT_EQ(a.squawk, QStringLiteral("1200"));
    EXPECT_EQ(a.serverSeen, kNoon);
    EXPECT_EQ(Aircraft("BAW2").transponderMode, QStringLiteral("Y"));
}

TEST_F(Link, FlightPlansAndDepartures)
{
    Accept();
    Line(Position("AFR1"));
    Lines({"$FPAFR1:LFLL_TWR:I:B738:450:LFLL:1200:1205:FL350:LFPG:1:05:3:00:LFPO:/v/:LSE",
           "$FPZZZ9:LFLL_TWR:V:C172:100:LFLY:1200:1205:35:LFLL:0:30:3:00::rmk:DCT"});
    const AVION &a = Aircraft("AFR1");
    EXPECT_TRUE(a.hasFlightPlan);
    EXPECT_TRUE(a.ifr);
    EXPECT_EQ(a.acType, QStringLiteral("B738"));
    EXPECT_EQ(a.tas, 450);
    EXPECT_EQ(a.destination, QStringLiteral("LFPG"));
    EXPECT_EQ(a.alternate, QStringLiteral("LFPO"));
    EXPECT_EQ(Find("ZZZ9"), kNoAircraft) << "a plan creates no aircraft";

    Line(QStringLiteral("$DEPOTFP:LFLL_TWR:BAW2:V:C172:0.78:LFLY:1200:905:85:LFLL:0:30:3:00:LFMN:rmk:DCT"));
    EXPECT_EQ(s.FiledPlans,
              QStringList{"BAW2\t1200\tVFR\tC172\tLFLY\tDCT\tLFLL\tFL85\tM0.78\tZ09:05\trmk"});

    Lines({"#DPZZZ9", "#DPAFR1"});
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.traffic.LiveTrafficList.isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Link, ControllersComeAndGo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    s.files.zaz = std::make_unique<IniFile>(dir.filePath(QStringLiteral("ZAZ.ini")));
    s.files.zaz->WriteString(QStringLiteral("facility"), QStringLiteral("5"), QStringLiteral("Approche"));
    s.files.zaz->WriteString(QStringLiteral("rating"), QStringLiteral("5"), QStringLiteral("C1"));
    Accept();
    Lines({"%LFMN_APP:27500:5:100:5:43.66:7.21:0", "%LFMN_TWR:18700:4:30:3:43.66:7.21:0"});
    ASSERT_EQ(s.controllers.ControllerList, QStringList({"0", "1"}));
    const t_controller &c = s.controllers.ControllerTable[0];
    EXPECT_EQ(c.callsign, QStringLiteral("LFMN_APP"));
    EXPECT_EQ(c.frequency, QStringLiteral("127500"));
    EXPECT_EQ(c.facilityText, QStringLiteral("Approche"));
    EXPECT_EQ(c.ratingText, QStringLiteral("C1"));
    EXPECT_EQ(c.range, 100);
    EXPECT_EQ(s.controllers.ControllerTable[1].facilityText, QStringLiteral("error"));

    Lines({"#DALFMN_APP:1234", "#DALFXX_CTR"});
    EXPECT_EQ(s.controllers.ControllerList, QStringList{"1"});
    EXPECT_TRUE(s.controllers.ControllerTable[0].callsign.isEmpty());
}

// ---------------------------------------------------------------------------------------
// Text messages and strips

TEST_F(Link, TextsAreFiledByDestination)
{
    Accept();
    Lines({"#TMAFR1:@22800:bonjour unicom", "#TMAFR1:@18700:sur ma frequence: suite perdue",
           "#TMLFMN_APP:@49999:a tous", "#TMLFMN_APP:LFLL_TWR:en prive", "#TMAFR1:@21000:autre frequence",
           "#TMLFMN_APP:LFMN_TWR:pas pour moi"});
    EXPECT_EQ(s.RadioMessages, QStringList({">UNICOM:AFR1:bonjour unicom", ">COM1:AFR1:sur ma frequence",
                                            ">TELE:LFMN_APP:A tous les controleurs a tous",
                                            ">TELE:LFMN_APP:en prive"}));
    ASSERT_EQ(radio.size(), 4);
    EXPECT_EQ(radio[0].channel, QStringLiteral("UNICOM"));
    EXPECT_EQ(radio[1].channel, QStringLiteral("COM1"));
    EXPECT_EQ(radio[2].channel, QStringLiteral("TELE"));
    EXPECT_FALSE(radio[2].isPrivate);
    EXPECT_TRUE(radio[3].isPrivate);
    EXPECT_EQ(radio[3].sender, QStringLiteral("LFMN_APP"));
    EXPECT_EQ(LastStatus(), QStringLiteral(">TELE:LFMN_APP:en prive"));
}

TEST_F(Link, ADestinationMatchingSeveralChannelsIsFiledUnderEach)
{
    Accept();
    s.link.Com1Digits = QStringLiteral("122800");
    s.link.Com2Digits = QStringLiteral("122800");
    Line(QStringLiteral("#TMAFR1:@22800:tout le monde"));
    EXPECT_EQ(s.RadioMessages, QStringList({">UNICOM:AFR1:tout le monde", ">COM1:AFR1:tout le monde",
                                            ">COM2:AFR1:tout le monde"}));
}

TEST_F(Link, AStripTransferAddsTheStripOnce)
{
    Accept();
    Line(Position("AFR1"));
    Line(StripTransfer("AFR1"));
    const QString expected = QStringLiteral("000") + QStringLiteral("12:00:00") + kStripRow.mid(11, 33)
                             + QString(9, QLatin1Char(' ')) + QStringLiteral("007") + QString(5, QLatin1Char(' '));
    ASSERT_EQ(expected.size(), kStripLength);
    EXPECT_EQ(s.strips.keys, QStringList{"000"});
    EXPECT_EQ(s.strips.lines, QStringList{expected});
    EXPECT_TRUE(Aircraft("AFR1").hasStrip);
    EXPECT_EQ(Aircraft("AFR1").nextPoint, 4);
    EXPECT_TRUE(s.RadioMessages.isEmpty()) << "a strip is not a text";

    clock.AdvanceMs(60000);
    Line(StripTransfer("AFR1"));
    EXPECT_EQ(s.strips.lines, QStringList{expected});
    Line(StripTransfer("ZZZ9"));
    EXPECT_EQ(s.strips.keys.size(), 1);
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Link, HandoffOfferNamesTheOfferingController)
{
    Accept();
    Line(Position("AFR1"));
    Lines({"$HOLFMN_APP:LFLL_TWR:AFR1", "$HOLFMN_APP:LFLL_TWR:ZZZ9", "$HOLFXX_CTR:LFMN_TWR:AFR1"});
    EXPECT_EQ(Aircraft("AFR1").handoffFrom, QStringLiteral("LFMN_APP"));
    EXPECT_EQ(Find("ZZZ9"), kNoAircraft);
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Link, HandoffAcceptedMarksTheStripAndSendsIt)
{
    Accept();
    Line(Position("AFR1"));
    Line(StripTransfer("AFR1"));
    const QString before = s.strips.lines[0];
    out.sent.clear();
    const int counted = s.link.SentCount;

    Line(QStringLiteral("$HALFMN_APP:LFLL_TWR:AFR1"));
    EXPECT_EQ(Aircraft("AFR1").handoffState, QStringLiteral("A"));
    const QString after = s.strips.lines[0];
    EXPECT_EQ(after, before.left(44) + QStringLiteral("ALFMN_APP") + before.mid(53));
    QString row = after;
    row.replace(QLatin1Char(':'), QLatin1Char('/'));
    EXPECT_EQ(out.sent, QStringList{"#TMLFLL_TWR:LFMN_APP:~STRIP" + row + "AFR1\r\n"});
    EXPECT_EQ(s.link.SentCount, counted + 1);
    EXPECT_EQ(s.link.SentLog.lines.back(), "#TMLFLL_TWR:LFMN_APP:~STRIP" + row + "AFR1");
}

TEST_F(Link, HandoffAcceptedWithoutAStripIsAPacketError)
{
    Accept();
    Line(Position("AFR1"));
    out.sent.clear();
    Line(QStringLiteral("$HALFMN_APP:LFLL_TWR:AFR1"));
    EXPECT_EQ(Aircraft("AFR1").handoffState, QStringLiteral("A"));
    EXPECT_EQ(Errors(), QStringList{"$HALFMN_APP:LFLL_TWR:AFR1"});
    EXPECT_EQ(LastStatus(), QStringLiteral("Erreur dans un paquet"));
    EXPECT_TRUE(out.sent.isEmpty());
}

TEST_F(Link, AtisQueryIsAnsweredWithTheStoredLines)
{
    Accept();
    s.weather.atis.lines = {QStringLiteral("LYON INFORMATION ALPHA"), QStringLiteral("QNH 1013")};
    s.weather.atis.soundText = QStringLiteral("atis_alpha.wav");
    Lines({"$CQLFMN_APP:LFLL_TWR: ATIS ", "$CQLFMN_APP:LFLL_TWR:RN"});
    EXPECT_EQ(out.sent, QStringList({"#TMLFLL_TWR:LFMN_APP:LYON INFORMATION ALPHA\r\n",
                                     "#TMLFLL_TWR:LFMN_APP:QNH 1013\r\n"}));
    EXPECT_EQ(s.link.SentCount, 2);

    out.sent.clear();
    s.link.serverType = QStringLiteral("VIREO-SERVER");
    Line(QStringLiteral("$CQLFMN_APP:LFLL_TWR:ATIS"));
    ASSERT_EQ(out.sent.size(), 3);
    EXPECT_EQ(out.sent[2], QStringLiteral("#TMAUDIOLFLL_TWR:LFMN_APP:atis_alpha.wav\r\n"));
}

// ---------------------------------------------------------------------------------------
// Weather

TEST_F(Link, TemperatureWindAndCloudLayersSkipIncompleteGroups)
{
    Accept();
    const t_weather &w = s.weather.CurrentWeather;
    Line(QStringLiteral("#TDserver:LFLL_TWR:1000:15:5000:5:9000"));
    ASSERT_EQ(w.temperatures.size(), 2);
    EXPECT_EQ(w.temperatures[1].altitude, QStringLiteral("5000"));
    EXPECT_EQ(w.temperatures[1].temperature, QStringLiteral("5"));
    EXPECT_EQ(w.time, QStringLiteral("06/12/2026 12:00:00"));

    Line(QStringLiteral("#WDserver:LFLL_TWR:3000:0:270:15:1:0:9000:3000:280:30:2:0:18000:9000:290"));
    EXPECT_EQ(w.wind.depth, QStringLiteral("3000"));
    EXPECT_EQ(w.wind.altitude, QStringLiteral("0"));
    EXPECT_EQ(w.wind.direction, QStringLiteral("270"));
    EXPECT_EQ(w.wind.speed, QStringLiteral("15"));
    ASSERT_EQ(w.windsAloft.size(), 1) << "a group of three fields is not read";
    EXPECT_EQ(w.windsAloft[0].altitude, QStringLiteral("3000"));
    EXPECT_EQ(w.windsAloft[0].speed, QStringLiteral("30"));
    Line(QStringLiteral("#WDserver:LFLL_TWR:3000:0:270:15:1:0:9000:3000:280:30:2:0:18000:9000:290:45"));
    ASSERT_EQ(w.windsAloft.size(), 2) << "four fields are enough";
    EXPECT_EQ(w.windsAloft[1].speed, QStringLiteral("45"));

    Line(QStringLiteral("#CDserver:LFLL_TWR:4000:2000:SCT:0:1:9000:6000:BKN:1:2:12000:10000"));
    ASSERT_EQ(w.clouds.size(), 2);
    EXPECT_EQ(w.clouds[0].base, QStringLiteral("4000"));
    EXPECT_EQ(w.clouds[0].height, QStringLiteral("2000"));
    EXPECT_EQ(w.clouds[0].cover, QStringLiteral("1,0,SCT"));

    Lines({"#TDserver:LFLL_TWR", "#CDserver:LFLL_TWR:1:2"});
    EXPECT_TRUE(w.temperatures.isEmpty()) << "the lists are rebuilt";
    EXPECT_TRUE(w.clouds.isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Link, ServerMetarGivesPressureAndWindUnit)
{
    Accept();
    WeatherState &w = s.weather;
    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:LFLL 061200Z 27015KT 9999 FEW030 12/05 Q1013 NOSIG"));
    EXPECT_TRUE(w.newMetar);
    EXPECT_EQ(w.rawMetar, QStringLiteral("LFLL 061200Z 27015KT 9999 FEW030 12/05 Q1013 NOSIG"));
    EXPECT_EQ(w.qnhText, QStringLiteral("1013"));
    EXPECT_EQ(w.altimeterText, QStringLiteral("29.92"));
    EXPECT_EQ(w.CurrentWeather.pressureText, QStringLiteral("1013mb"));
    EXPECT_EQ(w.windUnit, QStringLiteral("KT"));
    EXPECT_EQ(w.CurrentWeather.wind.unit, QStringLiteral("KT"));

    // The same METAR again changes nothing.
    w.newMetar = false;
    w.qnhText = QStringLiteral("kept");
    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:LFLL 061200Z 27015KT 9999 FEW030 12/05 Q1013 NOSIG"));
    EXPECT_FALSE(w.newMetar);
    EXPECT_EQ(w.qnhText, QStringLiteral("kept"));

    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:KJFK 061251Z 27010MPS 10SM A2992 RMK"));
    EXPECT_EQ(w.altimeterText, QStringLiteral("29.92"));
    EXPECT_EQ(w.qnhText, QStringLiteral("1013"));
    EXPECT_EQ(w.CurrentWeather.pressureText, QStringLiteral("1013mb"));
    EXPECT_EQ(w.windUnit, QStringLiteral("MPS"));

    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:LFLL 061230Z 27015KT CAVOK"));
    EXPECT_TRUE(w.qnhText.isEmpty());
    EXPECT_TRUE(w.altimeterText.isEmpty());
    EXPECT_TRUE(w.CurrentWeather.pressureText.isEmpty());

    Line(QStringLiteral("$ARserver:LFLL_TWR:TAF:LFLL 061100Z"));
    EXPECT_EQ(w.rawMetar, QStringLiteral("LFLL 061230Z 27015KT CAVOK"));
}

TEST_F(Link, UnknownWeatherProfileEmptiesTheLayers)
{
    Accept();
    t_weather &w = s.weather.CurrentWeather;
    auto fill = [&] {
        w.temperatures = {t_temperature{}};
        w.windsAloft = {t_wind{}};
        w.clouds = {t_cloud{}};
        s.weather.qnhText = QStringLiteral("1013");
    };
    fill();
    Line(QStringLiteral("$ERserver:LFLL_TWR:005:LFLL:Syntax error"));
    EXPECT_EQ(LastStatus(), QStringLiteral("erreur: LFLL_TWR005LFLLSyntax error"));
    EXPECT_EQ(w.clouds.size(), 1);

    Line(QStringLiteral("$ERserver:LFLL_TWR:009:XXXX:No such weather profile"));
    EXPECT_EQ(LastStatus(), QStringLiteral("erreur: LFLL_TWR009XXXXNo such weather profile"));
    EXPECT_EQ(w.station, QStringLiteral("XXXX"));
    EXPECT_EQ(s.weather.rawMetar, QStringLiteral("No such weather profile"));
    EXPECT_TRUE(s.weather.qnhText.isEmpty());
    EXPECT_TRUE(w.temperatures.isEmpty());
    EXPECT_TRUE(w.windsAloft.isEmpty());
    EXPECT_TRUE(w.clouds.isEmpty());
    EXPECT_EQ(disconnects, 0) << "an error report does not end the connection";
}

// ---------------------------------------------------------------------------------------
// Malformed lines

TEST_F(Link, ANewCallsignWithABadAltitudeLeavesNoHalfMadeRecord)
{
    Accept();
    Line(Position("AFR1", "FL350"));
    EXPECT_EQ(Errors(), QStringList{Position("AFR1", "FL350")});
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.traffic.LiveTrafficList.isEmpty());
    EXPECT_TRUE(out.sent.isEmpty());

    Line(Position("AFR1"));
    ASSERT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_EQ(s.traffic.LiveTrafficList, QStringList{QString::number(Find("AFR1"))});
    EXPECT_EQ(Aircraft("AFR1").altitude, 35000);
    EXPECT_EQ(out.sent, QStringList{"$CQLFLL_TWR:SERVER:FP:AFR1\r\n"});
}

TEST_F(Link, ShortOrMalformedLinesArePacketErrorsAndTheNextLineIsHandled)
{
    Accept();
    Line(Position("AFR1"));
    const QStringList bad = {
        "#TMLFMN_APP:LFLL_TWR:~STRIP012/10/15/30A003",
        "$HALFMN_APP:LFLL_TWR",
        "$HOLFMN_APP:LFLL_TWR",
        "#TMAFR1",
        "#TMAFR1:@22800",
        "$DEPOTFP:LFLL_TWR:AFR1:I:B738",
        "%LFMN_APP:18700:4",
        "%LFMN_APP:18700:4:far:5:43.6:7.2:0",
        "$ARserver:LFLL_TWR:METAR",
        "$CQLFMN_APP:LFLL_TWR",
        "$FPAFR1:LFLL_TWR:I:B738:fast",
        "@N:AFR1:1200:1:45.72:5.08:35000:450kt:90:0",
    };
    for (const QString &line : bad) {
        statuses.clear();
        const qsizetype before = Errors().size();
        EXPECT_EQ(Line(line), 1) << line.toStdString();
        ASSERT_EQ(Errors().size(), before + 1) << line.toStdString();
        EXPECT_EQ(Errors().back(), line);
        EXPECT_EQ(LastStatus(), QStringLiteral("Erreur dans un paquet"));
    }
    EXPECT_EQ(Errors().size(), bad.size());
    EXPECT_TRUE(s.strips.keys.isEmpty());
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());

    // Lines this program does not know are ignored without error.
    Lines({"", ":", "$!!SERVER:LFLL_TWR:kicked", "#DLSERVER:*:1:2", "@X:AFR1", "@N"});
    EXPECT_EQ(Errors().size(), bad.size());

    Line(Position("BAW2"));
    EXPECT_NE(Find("BAW2"), kNoAircraft);
}
