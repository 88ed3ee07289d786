// The incoming line dispatcher driven with raw socket reads and timer ticks. The login,
// traffic, texts, strips, handoffs, ATIS and weather through a real socket are covered end
// to end in test_server_link; here are the framing of the received bytes, a flooding
// server, lines before the login, malformed lines and the cases a server script cannot
// reach easily.
#include "core/Clock.h"
#include "core/Codec.h"
#include "core/IniFile.h"
#include "state/RadarState.h"
#include "link/Dispatcher.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace zaz;

namespace {

struct Recorder : LineSender {
    void SendLine(const QString &text) override { sent.append(text); }
    QStringList sent;
};

// The state, a dispatcher over it, and what the dispatcher tells the windows.
class Link : public ::testing::Test {
protected:
    Link() : clock(QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0))), dispatcher(s, out, clock)
    {
        QObject::connect(&s.notifier, &StateNotifier::statusText, [this](int panel, const QString &text) {
            if (panel == 0)
                statuses << text;
        });
        QObject::connect(&s.notifier, &StateNotifier::disconnectWanted, [this] { ++disconnects; });
        s.link.serverType = QStringLiteral("FSD");
        s.link.Com1Digits = QStringLiteral("118700");
        s.link.LoginSent = true;
    }

    // The state right after the server accepted "LFLL_TWR".
    void Accept()
    {
        s.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        s.link.Accepted = true;
    }

    // One socket read then one tick; the number of lines handled.
    int feed(const QByteArray &bytes)
    {
        dispatcher.Receive(bytes);
        return dispatcher.Tick();
    }
    int Line(const QString &line) { return feed(EncodeCp1252(line + QStringLiteral("\r\n"))); }
    void Lines(const QStringList &lines)
    {
        for (const QString &line : lines)
            Line(line);
    }

    int Find(const char *callsign) const { return s.traffic.table.FindAircraft(QLatin1String(callsign)); }
    const AVION &aircraft(const char *callsign) const { return s.traffic.table[Find(callsign)]; }
    QStringList errors() const { return s.link.ErrorLog.lines; }
    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.back(); }

    RadarState s;
    Recorder out;
    ManualClock clock;
    Dispatcher dispatcher;
    QStringList statuses;
    int disconnects = 0;
};

QString Position(const QString &callsign, const QString &altitude = QStringLiteral("35000"))
{
    return QStringLiteral("@N:%1:1200:1:45.72:5.08:%2:450:90:0").arg(callsign, altitude);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Framing

TEST_F(Link, ReadsAreCutIntoLinesWhereverTheirBoundariesFall)
{
    Accept();
    EXPECT_EQ(feed(EncodeCp1252(Position("AFR1") + "\r\n" + Position("BAW2") + "\r\n")), 2);
    EXPECT_NE(Find("BAW2"), kNoAircraft);
    EXPECT_FALSE(dispatcher.HasPending());
    EXPECT_EQ(dispatcher.Tick(), 0) << "nothing left for the next tick";

    // One line over three reads.
    EXPECT_EQ(feed("@N:DLH3:1200:1:45.7"), 0);
    EXPECT_EQ(feed("2:5.08:35000:4"), 0);
    EXPECT_EQ(Find("DLH3"), kNoAircraft);
    EXPECT_EQ(feed("50:90:0\r\n"), 1);
    ASSERT_NE(Find("DLH3"), kNoAircraft);
    EXPECT_EQ(aircraft("DLH3").lat, 45.72f);
    EXPECT_EQ(aircraft("DLH3").groundSpeed, 450);

    // A read ending between CR and LF: the LF that opens the next read is not text. A CR
    // alone ends a line too.
    s.link.monitorTicked = true;
    EXPECT_EQ(feed(EncodeCp1252(Position("KLM4") + "\r")), 1);
    EXPECT_EQ(feed(EncodeCp1252("\n" + Position("UAE5") + "\r\n")), 1);
    EXPECT_EQ(feed("#TMA:@1:a\r#TMB:@2:b\r\n#TMC:@3:c\r"), 3);
    EXPECT_EQ(s.link.ReceivedLog.lines,
              QStringList({Position("KLM4"), Position("UAE5"), "#TMA:@1:a", "#TMB:@2:b", "#TMC:@3:c"}));

    // Not logged while the monitor is not ticked, but counted; bytes 0x80-0xFF are Windows-1252.
    s.link.monitorTicked = false;
    EXPECT_EQ(feed("#TMD:@4:d\r\n"), 1);
    EXPECT_EQ(s.link.ReceivedLog.lines.size(), 5);
    EXPECT_EQ(s.link.ReceivedCount, 9);
    s.link.monitorTicked = true;
    feed("#TME:@5:caf\xe9 \x80\r\n");
    EXPECT_EQ(s.link.ReceivedLog.lines.back(), QStringLiteral("#TME:@5:café €"));
    EXPECT_TRUE(errors().isEmpty());
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
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(Link, FloodsAndOverlongLinesStayBoundedAndTheLinkRecovers)
{
    Accept();
    // A line over 64 KiB inside one read is dropped; the next line of the read is handled.
    EXPECT_EQ(feed(QByteArray(70 * 1024, 'z') + EncodeCp1252("\r\n" + Position("KLM4") + "\r\n")), 2);
    EXPECT_EQ(errors(), QStringList{"ligne trop longue : 71680 octets ignorés"});
    EXPECT_EQ(lastStatus(), QStringLiteral("Erreur dans un paquet"));
    EXPECT_NE(Find("KLM4"), kNoAircraft);

    // 3 MiB read by read, one tick after each, as the timer would: the unfinished line is
    // dropped once it passes the cap.
    const QByteArray block(64 * 1024, 'x');
    for (int i = 0; i < 48; ++i)
        feed(block);
    ASSERT_GE(errors().size(), 2);
    EXPECT_TRUE(errors()[1].startsWith(QStringLiteral("ligne sans fin de ligne")));

    // 3 MiB in one read: only the cap is kept.
    const qsizetype before = errors().size();
    dispatcher.Receive(QByteArray(3 * 1024 * 1024, 'y'));
    ASSERT_EQ(errors().size(), before + 1);
    EXPECT_EQ(errors().back(), QStringLiteral("réception saturée : %1 octets perdus")
                                    .arg(3 * 1024 * 1024 - Dispatcher::kMaxPendingBytes));
    while (dispatcher.HasPending())
        dispatcher.Tick();

    // The end of the garbage, then a good line.
    EXPECT_EQ(feed(EncodeCp1252("\r\n" + Position("AFR1") + "\r\n")), 2);
    EXPECT_NE(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.RadioMessages.isEmpty());
}

// ---------------------------------------------------------------------------------------
// Before and at the login

TEST_F(Link, LinesBeforeAcceptanceAreIgnoredAndOnlyTheExactWelcomeMeansVireo)
{
    Lines({Position("AFR1"), "#TMLFMN_APP:@22800:bonjour", "%LFMN_APP:18700:4:30:5:43.6:7.2:0",
           "$ERserverX:unknown:001", "#TMserverX:LFLL_TWR:x"});
    EXPECT_EQ(Find("AFR1"), kNoAircraft);
    EXPECT_TRUE(s.RadioMessages.isEmpty());
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());
    EXPECT_FALSE(s.link.Accepted);
    EXPECT_EQ(disconnects, 0);
    EXPECT_TRUE(out.sent.isEmpty());
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(s.link.ReceivedCount, 5);

    s.link.serverType = QStringLiteral("VIREO-SERVER");
    Line(QStringLiteral("#TMserver:LFLL_TWR:VIREO-SERVER connexion acceptee"));
    EXPECT_TRUE(s.link.Accepted);
    EXPECT_FALSE(s.link.VireoServer);
}

// ---------------------------------------------------------------------------------------
// Lines once accepted

TEST_F(Link, ControllersComeAndGoWithTheTextsOfTheSettings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    s.files.zaz = std::make_unique<IniFile>(dir.filePath(QStringLiteral("ZAZ.ini")));
    s.files.zaz->writeString(QStringLiteral("facility"), QStringLiteral("5"), QStringLiteral("Approche"));
    Accept();
    Lines({"%LFMN_APP:27500:5:100:5:43.66:7.21:0", "%LFMN_TWR:18700:4:30:3:43.66:7.21:0"});
    ASSERT_EQ(s.controllers.ControllerList, QStringList({"0", "1"}));
    EXPECT_EQ(s.controllers.ControllerTable[0].frequency, QStringLiteral("127500"));
    EXPECT_EQ(s.controllers.ControllerTable[0].facilityText, QStringLiteral("Approche"));

    Lines({"#DALFMN_APP:1234", "#DALFXX_CTR"});
    EXPECT_EQ(s.controllers.ControllerList, QStringList{"1"});
    EXPECT_TRUE(errors().isEmpty());
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

TEST_F(Link, LinesAboutUnknownAircraftOrForOthersChangeNothing)
{
    Accept();
    Line(Position("AFR1"));
    s.traffic.table.Edit(Find("AFR1")).nextPoint = 2;
    out.sent.clear();
    const QString blankStrip = QStringLiteral("~STRIP") + QString(61, QLatin1Char(' '));
    Lines({"$FPZZZ9:LFLL_TWR:V:C172:100:LFLY:1200:1205:35:LFLL:0:30:3:00::rmk:DCT", "#DPZZZ9",
           "$HOLFMN_APP:LFLL_TWR:ZZZ9", "$HOLFXX_CTR:LFMN_TWR:AFR1", "$HALFXX_CTR:LFMN_TWR:AFR1",
           "$HALFMN_APP:LFLL_TWR:ZZZ9", "#TMLFMN_APP:LFLL_TWR:" + blankStrip + "ZZZ9",
           "$CQLFMN_APP:LFLL_TWR:RN", "", ":", "$!!SERVER:LFLL_TWR:kicked", "#DLSERVER:*:1:2", "@X:AFR1", "@N"});
    EXPECT_EQ(Find("ZZZ9"), kNoAircraft);
    EXPECT_TRUE(aircraft("AFR1").handoffFrom.isEmpty());
    EXPECT_TRUE(aircraft("AFR1").handoffState.isEmpty());
    EXPECT_TRUE(s.strips.keys.isEmpty());
    EXPECT_TRUE(out.sent.isEmpty());
    EXPECT_TRUE(s.RadioMessages.isEmpty());
    EXPECT_TRUE(errors().isEmpty());

    // A strip whose next point is blank keeps the aircraft's own.
    Line("#TMLFMN_APP:LFLL_TWR:" + blankStrip + "AFR1");
    EXPECT_EQ(s.strips.keys, QStringList{"000"});
    EXPECT_TRUE(aircraft("AFR1").hasStrip);
    EXPECT_EQ(aircraft("AFR1").nextPoint, 2);
}

// ---------------------------------------------------------------------------------------
// Weather

TEST_F(Link, TemperatureWindAndCloudLayersSkipIncompleteGroups)
{
    Accept();
    const t_weather &w = s.weather.CurrentWeather;
    Line(QStringLiteral("#TDserver:LFLL_TWR:1000:15:5000:5:9000"));
    ASSERT_EQ(w.temperatures.size(), 2);
    EXPECT_EQ(w.temperatures[1].altitude + "/" + w.temperatures[1].temperature, "5000/5");
    EXPECT_EQ(w.time, QStringLiteral("06/12/2026 12:00:00"));

    const QString wind = QStringLiteral("#WDserver:LFLL_TWR:3000:0:270:15:1:0:9000:3000:280:30:2:0:18000:9000:290");
    Line(wind);
    EXPECT_EQ(w.wind.depth + "/" + w.wind.altitude + "/" + w.wind.direction + "/" + w.wind.speed, "3000/0/270/15");
    ASSERT_EQ(w.windsAloft.size(), 1) << "a group of three fields is not read";
    EXPECT_EQ(w.windsAloft[0].altitude + "/" + w.windsAloft[0].speed, "3000/30");
    Line(wind + ":45");
    ASSERT_EQ(w.windsAloft.size(), 2) << "four fields are enough";
    EXPECT_EQ(w.windsAloft[1].speed, QStringLiteral("45"));

    Line(QStringLiteral("#CDserver:LFLL_TWR:4000:2000:SCT:0:1:9000:6000:BKN:1:2:12000:10000"));
    ASSERT_EQ(w.clouds.size(), 2);
    EXPECT_EQ(w.clouds[1].base + "/" + w.clouds[1].height + "/" + w.clouds[1].cover, "9000/6000/2,1,BKN");

    Lines({"#TDserver:LFLL_TWR", "#CDserver:LFLL_TWR:1:2"});
    EXPECT_TRUE(w.temperatures.isEmpty()) << "the lists are rebuilt";
    EXPECT_TRUE(w.clouds.isEmpty());
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(Link, MetarWithoutQnhUsesTheAltimeterGroupOrClearsThePressure)
{
    Accept();
    WeatherState &w = s.weather;
    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:KJFK 061251Z 27010MPS 10SM A2992 RMK"));
    EXPECT_TRUE(w.newMetar);
    EXPECT_EQ(w.altimeterText, QStringLiteral("29.92"));
    EXPECT_EQ(w.qnhText, QStringLiteral("1013"));
    EXPECT_EQ(w.CurrentWeather.pressureText, QStringLiteral("1013mb"));
    EXPECT_EQ(w.windUnit, QStringLiteral("MPS"));
    EXPECT_EQ(w.CurrentWeather.wind.unit, QStringLiteral("MPS"));

    Line(QStringLiteral("$ARserver:LFLL_TWR:METAR:LFLL 061230Z 27015KT CAVOK"));
    EXPECT_TRUE(w.qnhText.isEmpty());
    EXPECT_TRUE(w.altimeterText.isEmpty());
    EXPECT_TRUE(w.CurrentWeather.pressureText.isEmpty());
    EXPECT_EQ(w.windUnit, QStringLiteral("KT"));

    Line(QStringLiteral("$ARserver:LFLL_TWR:TAF:LFLL 061100Z"));
    EXPECT_EQ(w.rawMetar, QStringLiteral("LFLL 061230Z 27015KT CAVOK"));

    // Only the unknown-profile error empties the weather; no error report disconnects.
    w.CurrentWeather.clouds = {t_cloud{}};
    Line(QStringLiteral("$ERserver:LFLL_TWR:005:LFLL:Syntax error"));
    EXPECT_EQ(lastStatus(), QStringLiteral("erreur: LFLL_TWR005LFLLSyntax error"));
    EXPECT_EQ(w.CurrentWeather.clouds.size(), 1);
    EXPECT_EQ(disconnects, 0);
}

// ---------------------------------------------------------------------------------------
// Malformed lines

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
        "$HALFMN_APP:LFLL_TWR:AFR1", // accepted, but there is no strip to send
    };
    for (const QString &line : bad) {
        statuses.clear();
        const qsizetype before = errors().size();
        EXPECT_EQ(Line(line), 1) << line.toStdString();
        ASSERT_EQ(errors().size(), before + 1) << line.toStdString();
        EXPECT_EQ(errors().back(), line);
        EXPECT_EQ(lastStatus(), QStringLiteral("Erreur dans un paquet"));
    }
    EXPECT_TRUE(s.strips.keys.isEmpty());
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());
    EXPECT_EQ(out.sent, QStringList{"$CQLFLL_TWR:SERVER:FP:AFR1\r\n"});

    Line(Position("BAW2"));
    EXPECT_NE(Find("BAW2"), kNoAircraft);
}
