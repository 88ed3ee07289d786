// The stand-in simulator library, loaded as the program loads it, driven through the
// program's own session calls; and its engine on its own for the flight life cycle.
#include "Engine.h"
#include "sim/SimLibrary.h"
#include "sim/SimSession.h"
#include "weather/Metar.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

namespace zaz::test {
namespace {

// Scenario: one aircraft near the user, one helicopter, one aircraft 400 km away.
const char *const kScenario =
    "CLOCK 13:30 7 1\n"
    "USER 45.7256 5.0811\n"
    "AIRPORT LFLL 45.7256 5.0811 821\n"
    "STATION LFLL 45.7256 5.0811 821 340 8 9999 12 5 1018 BKN030 4\n"
    "PLANE AFR1 | Airbus A320 Air France | LFLL | LFPG | 4521 | enroute | 46.0 5.0 14000 280 355 | 0 | "
    "47.0 5.0 29000 | 49.0 2.5 392\n"
    "HELI FGHLX | Eurocopter EC135 | LFLY | LFLS | 7001 | enroute | 45.65 5.03 2500 110 150 | 0 | 45.36 5.33 1302\n"
    "PLANE FAR1 | Airbus A320 Air France | LFPG | LFLL | 1000 | enroute | 49.5 2.5 30000 400 160 | 0 | 45.7 5.1 821\n";

const char *const kPlan =
    "<FlightPlan.FlightPlan>\n<CruisingAlt>20000</CruisingAlt>\n<DepartureID>LFLL</DepartureID>\n"
    "<DestinationID>LFPG</DestinationID>\n"
    "<WorldPosition>N45° 43' 32.00\",E5° 4' 52.00\",+000821.00</WorldPosition>\n"
    "<WorldPosition>N46° 0' 0.00\",E5° 0' 0.00\",+000000.00</WorldPosition>\n"
    "<WorldPosition>N47° 0' 0.00\",E5° 0' 0.00\",+000392.00</WorldPosition>\n</FlightPlan.FlightPlan>\n";

struct Received {
    SimDword id, request, object, size;
    std::vector<unsigned char> bytes;
};

class StandIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        write("scenario.txt", kScenario);
        write("FP.PLN", kPlan);
        QDir(dir.path()).mkpath("SimObjects/Airplanes/A320");
        write("SimObjects/Airplanes/A320/aircraft.cfg",
              "[fltsim.0]\ntitle=Airbus A320 Air France\nui_manufacturer=Airbus\natc_model=A320\n");
        qputenv("ZAZ_SIM_DIR", dir.path().toUtf8());
        qputenv("ZAZ_STANDIN_SPEED", "100");
        ASSERT_TRUE(library.load(QStringLiteral(ZAZ_STANDIN_LIBRARY))) << library.errorText().toStdString();
        session.entries = library.entries();
        ASSERT_TRUE(OpenSimSession(session, sim));
    }
    void TearDown() override
    {
        if (session.handle)
            session.entries->SimConnect_Close(session.handle);
        qunsetenv("ZAZ_STANDIN_STOP");
    }
    void write(const char *name, const char *text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    SimPoll poll()
    {
        got.clear();
        return PollSimSession(session, sim, true, [this](const void *data, std::size_t size) {
            // Records are copied whole first: a short one (the open answer) has no ids to read.
            const auto *b = static_cast<const unsigned char *>(data);
            std::vector<unsigned char> bytes(b, b + size);
            bytes.resize(std::max(size, sizeof(SimRecvObjectData)));
            SimRecvObjectData r;
            std::memcpy(&r, bytes.data(), sizeof r);
            bytes.resize(size);
            if (r.base.dwID == SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE) { // event id and object id
                SimRecvEvent e{};
                std::memcpy(&e, b, std::min(size, sizeof e));
                got.push_back({r.base.dwID, e.uEventID, e.dwData, SimDword(size), std::move(bytes)});
            } else {
                got.push_back({r.base.dwID, r.dwRequestID, r.dwObjectID, SimDword(size), std::move(bytes)});
            }
        });
    }
    // The positions of the last poll by callsign.
    std::map<std::string, SimPositionData> positions(SimRequestId request) const
    {
        std::map<std::string, SimPositionData> out;
        for (const Received &r : got) {
            if (r.id != SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE || r.request != request)
                continue;
            EXPECT_EQ(r.size, offsetof(SimRecvObjectData, dwData) + sizeof(SimPositionData));
            SimPositionData p;
            std::memcpy(&p, r.bytes.data() + offsetof(SimRecvObjectData, dwData), sizeof p);
            out[p.id] = p;
        }
        return out;
    }
    SimObjectId objectOf(const char *callsign) const
    {
        for (const Received &r : got)
            if (r.request == SIM_REQ_AIRCRAFT && std::strcmp(text(r, 0), callsign) == 0)
                return r.object;
        return 0;
    }
    // A text of the packed values at offset.
    static const char *text(const Received &r, std::size_t offset)
    {
        return reinterpret_cast<const char *>(r.bytes.data()) + offsetof(SimRecvObjectData, dwData) + offset;
    }
    int count(SimDword id, SimDword request) const
    {
        return int(std::count_if(got.begin(), got.end(),
                                 [&](const Received &r) { return r.id == id && r.request == request; }));
    }

    QTemporaryDir dir;
    SimLibrary library;
    SimSession session;
    SimState sim;
    std::vector<Received> got;
};

TEST_F(StandIn, ReportsTrafficWithinRadiusMovingAlongItsRoute)
{
    ASSERT_EQ(poll(), SimPoll::Polled);
    const auto before = positions(SIM_REQ_AIRCRAFT);
    ASSERT_EQ(before.size(), 1u); // FAR1 lies beyond the radius
    EXPECT_EQ(positions(SIM_REQ_HELICOPTERS).count("FGHLX"), 1u);
    const SimPositionData &a = before.at("AFR1");
    EXPECT_NEAR(a.headingRadians, 355 * 3.14159265 / 180, 0.1);
    EXPECT_EQ(a.transponder & 0xFFFF, 0x4521);
    EXPECT_EQ(count(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_CLOCK), 1);
    EXPECT_EQ(count(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_AMBIENT), 1);

    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // 30 s of simulated time
    ASSERT_EQ(poll(), SimPoll::Polled);
    const SimPositionData b = positions(SIM_REQ_AIRCRAFT).at("AFR1");
    EXPECT_GT(b.latitude, a.latitude + 0.01); // northbound at 280 kt: about 0.04 degrees
    EXPECT_LT(b.latitude, a.latitude + 0.1);
    EXPECT_GT(b.altitudeFeet, a.altitudeFeet + 100); // climbing to the next waypoint
    EXPECT_GT(b.verticalSpeedFps, 0);
}

TEST_F(StandIn, CreatesAndRemovesAiAircraft)
{
    const SimEntries &e = *session.entries;
    const QByteArray plan = dir.filePath("FP.PLN").toUtf8();
    struct Case {
        const char *title, *tail, *airport;
        double position; // < 0: parked at airport, else en route on the plan
        SimResult result;
    };
    const Case cases[] = {
        {"Airbus A320 Air France", "FPARK", "lfll", -1, SIM_OK},
        {"Airbus A320 Air France", "FPARK", "LFLL", -1, SIM_FAIL}, // callsign flying already
        {"Unknown title", "FX", "LFLL", -1, SIM_FAIL},
        {"Airbus A320 Air France", "FX", "ZZZZ", -1, SIM_FAIL},
        {"Airbus A320 Air France", "FROUTE", nullptr, 1.5, SIM_OK},
        {"Airbus A320 Air France", "FNAN", nullptr, std::nan(""), SIM_FAIL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tail);
        EXPECT_EQ(c.position < 0 ? e.SimConnect_AICreateParkedATCAircraft(session.handle, c.title, c.tail,
                                                                          c.airport, 0)
                                 : e.SimConnect_AICreateEnrouteATCAircraft(session.handle, c.title, c.tail, 12,
                                                                           plan.constData(), c.position, 0, 0),
                  c.result);
    }
    EXPECT_EQ(e.SimConnect_AICreateEnrouteATCAircraft(session.handle, "Airbus A320 Air France", "FMISS", 1,
                                                      "missing.PLN", 0, 0, 0), SIM_FAIL);
    ASSERT_EQ(poll(), SimPoll::Polled);
    EXPECT_EQ(count(SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE, SIM_EVENT_OBJECT_ADDED), 2);
    const auto now = positions(SIM_REQ_AIRCRAFT);
    ASSERT_EQ(now.count("FROUTE"), 1u);
    EXPECT_NEAR(now.at("FROUTE").latitude, 46.5, 0.05); // half way from waypoint 1 to 2
    EXPECT_NEAR(now.at("FPARK").groundSpeedKnots, 0, 1e-9);

    const SimObjectId parked = objectOf("FPARK");
    ASSERT_NE(parked, 0u);
    // A parked aircraft given a plan waits for its clearance.
    RequestSimObjectData(session, SIM_REQ_AI_STATE, SIM_DEF_AI_STATE, parked);
    ASSERT_EQ(e.SimConnect_AISetAircraftFlightPlan(session.handle, parked, plan.constData(), 5), SIM_OK);
    RequestSimObjectData(session, SIM_REQ_AI_STATE, SIM_DEF_AI_STATE, parked);
    ASSERT_EQ(e.SimConnect_AIRemoveObject(session.handle, parked, 1), SIM_OK);
    EXPECT_EQ(e.SimConnect_AIRemoveObject(session.handle, parked, 1), SIM_FAIL);
    ASSERT_EQ(poll(), SimPoll::Polled);
    std::vector<std::string> states;
    for (const Received &r : got) {
        if (r.id == SIM_RECV_ID_SIMOBJECT_DATA && r.request == SIM_REQ_AI_STATE) {
            EXPECT_EQ(r.size, offsetof(SimRecvObjectData, dwData) + sizeof(SimAiStateData));
            states.emplace_back(text(r, offsetof(SimAiStateData, state)));
        }
        if (r.id == SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE) {
            SimRecvObjectAddRemove event;
            std::memcpy(&event, r.bytes.data(), sizeof event);
            EXPECT_EQ(event.event.uEventID, SimDword(SIM_EVENT_OBJECT_REMOVED));
            EXPECT_EQ(event.event.dwData, parked);
            EXPECT_EQ(event.eObjType, SimDword(SIM_OBJECT_TYPE_AIRCRAFT));
        }
    }
    EXPECT_EQ(states, (std::vector<std::string>{"sleep", "clearance"}));
    EXPECT_EQ(count(SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE, SIM_EVENT_OBJECT_REMOVED), 1);
}

TEST_F(StandIn, WeatherObservationDecodesWithExtensionsAndWindsAloft)
{
    RequestSimMetar(session, SIM_REQ_STATION_METAR, QStringLiteral("LFLLX")); // cut to four characters
    RequestSimMetar(session, SIM_REQ_STATION_METAR, QStringLiteral("EGLL"));
    ASSERT_EQ(poll(), SimPoll::Polled);
    std::vector<QString> metars;
    for (const Received &r : got)
        if (r.id == SIM_RECV_ID_WEATHER_OBSERVATION)
            metars.push_back(QString::fromLatin1(reinterpret_cast<const char *>(r.bytes.data()) + 16));
    ASSERT_EQ(metars.size(), 2u);
    EXPECT_TRUE(metars[1].isEmpty()); // unknown station
    const QString &m = metars[0];
    EXPECT_TRUE(m.contains('&') && m.contains(QLatin1String("@@@"))) << m.toStdString();

    WeatherState w;
    DecodeSimMetar(w, m);
    const t_weather &c = w.CurrentWeather;
    EXPECT_EQ(c.station, QLatin1String("LFLL"));
    EXPECT_EQ(c.elevation, 250);
    EXPECT_EQ(c.time, QLatin1String("071330Z"));
    EXPECT_EQ(c.wind.direction + c.wind.speed + c.wind.unit, QLatin1String("34008KT"));
    ASSERT_EQ(c.windsAloft.size(), 3);
    EXPECT_EQ(c.windsAloft[2].altitude + ' ' + c.windsAloft[2].direction, QLatin1String("18000 010"));
    EXPECT_EQ(c.windsAloft[0].depth, QLatin1String("1500"));
    ASSERT_EQ(c.visibilities.size(), 1);
    EXPECT_EQ(c.visibilities[0].distance, QLatin1String("9999"));
    EXPECT_EQ(c.condition.phenomenon, QLatin1String("RA"));
    EXPECT_EQ(c.skySummary, QLatin1String("BKN030"));
    ASSERT_EQ(c.clouds.size(), 1);
    EXPECT_EQ(c.clouds[0].height, QLatin1String("03000"));
    ASSERT_EQ(c.temperatures.size(), 1);
    EXPECT_EQ(c.temperatures[0].temperature + '/' + c.temperatures[0].dewPoint, QLatin1String("12/05"));
    EXPECT_EQ(w.qnhText, QLatin1String("1018"));
    EXPECT_EQ(NormalizeSimMetar(w, m),
              QLatin1String("LFLL 071330Z 34008KT 35015KT 00023KT 9999 -SHRA BKN030 6CU030 12/05 Q1018"));
}

TEST_F(StandIn, ZuluEventsSetTheClockAndFreezeHoldsAnAircraft)
{
    ASSERT_EQ(poll(), SimPoll::Polled);
    const SimObjectId afr = objectOf("AFR1");
    const SimPositionData before = positions(SIM_REQ_AIRCRAFT).at("AFR1");
    for (SimEventId event : {SIM_EVENT_FREEZE_LAT_LON, SIM_EVENT_FREEZE_ALTITUDE, SIM_EVENT_FREEZE_ATTITUDE})
        ASSERT_EQ(session.entries->SimConnect_TransmitClientEvent(session.handle, afr, event, 1, SIM_GROUP_TRANSMIT,
                                                                  SIM_EVENT_FLAG_GROUPID_IS_PRIORITY), SIM_OK);
    SetSimZuluTime(session, 8, 5);
    EXPECT_EQ(session.lastResult, SIM_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(poll(), SimPoll::Polled);
    // 30 s of flight would be 0.04 degrees; the dispatch after the first answers moved it a little.
    EXPECT_NEAR(positions(SIM_REQ_AIRCRAFT).at("AFR1").latitude, before.latitude, 0.01);
    EXPECT_LT(positions(SIM_REQ_HELICOPTERS).at("FGHLX").latitude, 45.65 - 0.005);
    for (const Received &r : got) {
        if (r.request != SIM_REQ_CLOCK)
            continue;
        SimClockData clock;
        std::memcpy(&clock, r.bytes.data() + offsetof(SimRecvObjectData, dwData), sizeof clock);
        EXPECT_GE(clock.zuluSeconds, 8 * 3600 + 5 * 60);
        EXPECT_LT(clock.zuluSeconds, 8 * 3600 + 6 * 60);
        EXPECT_EQ(clock.localSeconds, clock.zuluSeconds + 3600);
    }
    EXPECT_EQ(count(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_CLOCK), 1);
}

TEST_F(StandIn, ProbeFailsWhileToldToStop)
{
    struct Case {
        bool file;
    };
    for (const Case c : {Case{true}, Case{false}}) {
        SCOPED_TRACE(c.file ? "STOP file" : "environment");
        ASSERT_EQ(poll(), SimPoll::Polled);
        if (c.file)
            write("STOP", "");
        else
            qputenv("ZAZ_STANDIN_STOP", "1");
        EXPECT_EQ(poll(), SimPoll::Lost);
        EXPECT_FALSE(sim.connected);
        EXPECT_EQ(poll(), SimPoll::StillLost);
        if (c.file)
            QFile::remove(dir.filePath("STOP"));
        else
            qputenv("ZAZ_STANDIN_STOP", "0");
        EXPECT_EQ(poll(), SimPoll::Reopened);
        EXPECT_TRUE(sim.connected);
    }
}

// ---- The engine alone ----

TEST(StandInEngine, MalformedScenarioLinesAreSkipped)
{
    standin::Simulator sim;
    sim.loadText("USER 45 5\n"
                 "PLANE OK1 | T | LFLL | LFPG | 1234 | enroute | 45 5 10000 250 0 | 0 | 46 5 10000\n"
                 "PLANE BAD1 | T | LFLL | LFPG | 1289 | enroute | 45 5 10000 250 0 | 0\n"       // squawk not octal
                 "PLANE BAD2 | T | LFLL | LFPG | 1234 | enroute | 95 5 10000 250 0 | 0\n"       // latitude
                 "PLANE BAD3 | T | LFLL | LFPG | 1234 | flying | 45 5 10000 250 0 | 0\n"        // state
                 "PLANE BAD4 | T | LFLL | LFPG | 1234 | enroute | 45 5 10000 250 | 0\n"         // field missing
                 "PLANE BAD5 | T | LFLL | LFPG | 1234 | enroute | 45 5 1e999 250 0 | 0\n"       // out of range
                 "PLANE OK1 | T | LFLL | LFPG | 1234 | enroute | 45 5 10000 250 0 | 0\n"        // callsign taken
                 "PLANE BAD6 | T | LFLL | LFPG | 1234 | enroute | 45 5 10000 250 0 | 0 | 46 x 1\n"
                 "STATION LFLL 45 5 800 340 8 9999 12 5 1018 FEWxyz 2\n"
                 "CLOCK 25:00 7 1\n"
                 "EXTRA -3\n"
                 "NOISE\n"
                 "PLANE " + std::string(5000, 'x') + "\n"
                 "EXTRA 3\n");
    EXPECT_EQ(sim.skippedLines(), 12);
    ASSERT_EQ(sim.objects().size(), 4u);
    EXPECT_EQ(sim.objects()[0].callsign, "OK1");
    EXPECT_EQ(sim.metar("LFLL"), "");
    sim.spawnExtra(100000);
    EXPECT_EQ(sim.objects().size(), standin::kMaxObjects);
}

TEST(StandInEngine, ParkedAircraftFliesItsWholeLifeCycle)
{
    standin::Simulator sim;
    sim.loadText("CLOCK 10:00 7 1\nAIRPORT LFLL 45.0 5.0 800\nAIRPORT LFLY 45.3 5.0 600 34\n"
                 "PLANE A1 | T | LFLL | LFLY | 1234 | sleep | 45.0 5.0 800 200 0 | 1 | 45.1 5.0 3000 | 45.3 5.0 600\n");
    ASSERT_EQ(sim.skippedLines(), 0);
    std::vector<std::string> states;
    double highest = 0;
    std::string approachRunway;
    for (int s = 0; s < 3600 && states.size() < 9; ++s) {
        sim.advance(1);
        const standin::Craft &c = sim.objects()[0];
        highest = std::max(highest, c.altFt);
        if (c.state == "approach")
            approachRunway = c.runway;
        if (states.empty() || states.back() != c.state)
            states.push_back(c.state);
    }
    EXPECT_EQ(states, (std::vector<std::string>{"sleep", "taxi out", "takeoff", "enroute", "approach", "landing",
                                                "taxi in", "sleep"}));
    const standin::Craft &c = sim.objects()[0];
    EXPECT_NEAR(c.lat, 45.3, 0.02);
    EXPECT_NEAR(c.altFt, 600, 1);
    EXPECT_GT(highest, 2500);
    EXPECT_EQ(approachRunway, "34");
    EXPECT_EQ(c.runway, "");
}

} // namespace
} // namespace zaz::test
