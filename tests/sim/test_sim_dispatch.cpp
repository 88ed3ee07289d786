// The simulator dispatch: positions, AI state, removals, clock, ambient weather and METARs,
// and answers too short for what they must hold.
#include "sim/SimApi.h"
#include "sim/SimDispatch.h"
#include "state/RadarState.h"
#include "traffic/TrafficOps.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

const QDateTime kNoon(QDate(2026, 12, 7), QTime(12, 0, 0));

template <typename T>
QByteArray Bytes(const T &value) { return QByteArray(reinterpret_cast<const char *>(&value), sizeof value); }

template <typename T>
QByteArray Record(SimDword id, SimDword request, SimDword object, const T &data)
{
    const SimRecvObjectData head{{0, 0, id}, request, object, 0, 0, 0, 0, 0, 0};
    return Bytes(head).left(offsetof(SimRecvObjectData, dwData)) + Bytes(data);
}

// Without a terminating zero when the text fills the field.
template <std::size_t N>
void Put(char (&field)[N], const char *text) { std::memcpy(field, text, std::min(N, std::strlen(text))); }

QByteArray Position(SimDword request, SimDword object, const char *id, double lat, std::int32_t squawk = 0x1200)
{
    SimPositionData p{{}, lat, 5.0, 11999.6, 0, 250.5, 0, 1.5, 0, 0, squawk};
    Put(p.id, id);
    return Record(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, request, object, p);
}

QByteArray Removed(SimDword object, SimDword type, SimDword event = SIM_EVENT_OBJECT_REMOVED)
{
    return Bytes(SimRecvObjectAddRemove{{{0, 0, SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE}, 0, event, object}, type});
}

QByteArray Observation(SimDword request, const QByteArray &metar)
{
    return Bytes(SimRecv{0, 0, SIM_RECV_ID_WEATHER_OBSERVATION}) + Bytes(request) + metar + '\0';
}

// The AI state of an IFR flight from LFLL, or (request 2) the model of an aircraft.
QByteArray Texts(SimDword request, SimDword object, const char *text)
{
    SimAiStateData state{1, "LFLL", "", "", 0, 0, "", "", ""};
    SimIdentityData identity{};
    Put(state.state, text);
    Put(identity.model, text);
    return request == SIM_REQ_IDENTITY ? Record(SIM_RECV_ID_SIMOBJECT_DATA, request, object, identity)
                                       : Record(SIM_RECV_ID_SIMOBJECT_DATA, request, object, state);
}

QByteArray Ambient(double precipitation)
{
    return Record(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_AMBIENT, 0,
                  SimWeatherData{45030, 7, 9999.6, 12.5, 990, 1013.4, 15.5, 240.4, precipitation, 0});
}

// A simulator aircraft AFR1 (object 11) in record 0.
struct World : RadarState {
    SimDispatchOutput out;
    World() { send(Position(SIM_REQ_AIRCRAFT, 11, "AFR1", 45.0)); out = {}; }
    void send(const QByteArray &bytes) { SimDispatch(SimGroupsOf(*this), bytes.constData(), bytes.size(), kNoon, out); }
    const AVION &at(int index) const { return traffic.table[index]; }
    // What an answer may change, as one text.
    QString print() const
    {
        QStringList s{QString::number(sim.zuluSeconds), sim.lastSimMetar, weather.qnhText};
        for (const AVION &a : traffic.table.records())
            s << a.callsign << a.acType << a.aiState << QString::number(a.lat);
        return s.join(QLatin1Char('|'));
    }
};

} // namespace

TEST(SimDispatch, PositionsCreateUpdateAndReuseRecords)
{
    World w;
    ClearTraffic(w.traffic);
    ApplyServerPosition(w.traffic, {"N", "SRV1", "1200", "1", 1, 1, 0, 0, 0.0}, false, kNoon);
    w.send(Position(SIM_REQ_AIRCRAFT, 11, "AFR1", 45.0, 0x7700));
    w.send(Position(SIM_REQ_HELICOPTERS, 12, "HEL1", 46.0));
    EXPECT_EQ(w.traffic.monitorLog.lines, QStringList({"pas dans la liste nouvel élément, 11, AFR1"}));
    EXPECT_EQ(QList<double>({double(w.at(1).altitude), w.at(1).heading, w.at(2).heading}), QList<double>({12000, 1.5, 0}));
    EXPECT_EQ(w.at(1).squawk, "7700");
    EXPECT_EQ(w.out.requests, QList<SimFollowUp>({{2, 0, 11}, {2, 0, 12}}));

    // A second object with the same identity moves the first one's record.
    w.send(Position(SIM_REQ_AIRCRAFT, 13, "AFR1", 46.0));
    w.out = {};
    w.send(Position(SIM_REQ_AIRCRAFT, 13, "AFR1", 47.0));
    EXPECT_EQ(QList<float>({w.at(1).lat, w.at(1).trail[0].lat, w.at(1).trail[1].lat, w.at(1).trail[20].lat,
                            float(w.at(1).prevAltitude)}), QList<float>({47, 46, 45, 45, 12000}));
    EXPECT_EQ(w.out.requests, QList<SimFollowUp>({{5, 2, 11}}));

    // The freed record is taken again before the table grows; the server's never is.
    w.send(Removed(11, SIM_OBJECT_TYPE_AIRCRAFT));
    w.send(Position(SIM_REQ_AIRCRAFT, 14, QByteArray(64, 'W').constData(), 44.0));
    EXPECT_EQ(QStringList({QString::number(w.traffic.table.size()), w.at(0).callsign, w.at(1).callsign}),
              QStringList({"3", "SRV1", QString(64, 'W')}));
    EXPECT_EQ(w.traffic.monitorLog.lines.mid(1), QStringList({"on supprime, 0, AFR1"}));

    for (int n = 0; n < kMaxAircraft; ++n)
        w.send(Position(SIM_REQ_AIRCRAFT, 100 + n, QByteArray::number(n).constData(), 45.0));
    EXPECT_EQ(QList<int>({w.traffic.table.size(), w.traffic.refusedAircraft}), QList<int>({kMaxAircraft, 3}));
}

TEST(SimDispatch, AnswersAboutAKnownAircraft)
{
    // Afterwards: the live list, then record 0's callsign, type, AI state, departure, IFR and plan flags.
    const struct Case { QByteArray answer; bool fromServer, planBefore; QString record; } cases[] = {
        {Removed(11, SIM_OBJECT_TYPE_AIRCRAFT), false, false, "||||||0"},
        {Removed(11, SIM_OBJECT_TYPE_HELICOPTER | 0x100), false, false, "||||||0"},
        {Removed(11, SIM_OBJECT_TYPE_BOAT), false, false, "0|AFR1|||||0"},
        {Removed(11, SIM_OBJECT_TYPE_AIRCRAFT, SIM_EVENT_OBJECT_ADDED), false, false, "0|AFR1|||||0"},
        {Removed(99, SIM_OBJECT_TYPE_AIRCRAFT), false, false, "0|AFR1|||||0"},
        {Texts(SIM_REQ_IDENTITY, 11, "B738"), false, false, "0|AFR1|B738||||0"},
        {Texts(SIM_REQ_IDENTITY, 99, "B738"), false, false, "0|AFR1|||||0"},
        {Texts(SIM_REQ_AI_STATE, 11, "clearance"), false, false, "0|AFR1||clearance|LFLL|1|1"},
        {Texts(SIM_REQ_AI_STATE, 11, "sleep"), false, true, "0|AFR1||sleep|LFLL|1|0"},
        {Texts(SIM_REQ_AI_STATE, 11, "taxi out"), false, true, "0|AFR1||taxi out|LFLL|1|1"},
        {Texts(SIM_REQ_AI_STATE, 11, "sleep"), true, true, "0|AFR1|||||1"},
        {Texts(SIM_REQ_AI_STATE, 99, "sleep"), false, true, "0|AFR1|||||1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.record.toStdString());
        World w;
        w.traffic.table.edit(0).fromServer = c.fromServer;
        w.traffic.table.edit(0).hasFlightPlan = c.planBefore;
        w.send(c.answer);
        const AVION &a = w.at(0);
        EXPECT_EQ(QStringList({w.traffic.LiveTrafficList.join(','), a.callsign, a.acType, a.aiState, a.departure,
                               a.ifr ? "1" : "", QString::number(a.hasFlightPlan)}).join('|'), c.record);
    }
}

TEST(SimDispatch, TypedRouteOfTheAircraftCreatedHere)
{
    struct Case { const char *callsign; QStringList waypoints; QString route; bool createdHere; } cases[] = {
        {"NEW1", {"LFLL", "LFPG"}, "LFPG", true},
        {"NEW1", {"LFLL", "MTL", "LFPG"}, "MTL", true},
        {"NEW1", {"LFLL", "MTL", "RLP", "LFPG"}, "MTL/RLP", true},
        {"OTHER", {"LFLL", "MTL", "LFPG"}, "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.route.toStdString());
        World w;
        w.sim.pendingAiCallsign = "NEW1";
        w.sim.typedRouteWaiting = true;
        w.planFiles.PlanWaypointList = c.waypoints;
        w.send(Position(SIM_REQ_AIRCRAFT, 12, c.callsign, 45.0));
        const AVION &a = w.at(1);
        EXPECT_EQ(a.route + ' ' + a.routeFields.join('/'), c.route + ' ' + c.route);
        EXPECT_EQ(QList<bool>({a.hasFlightPlan, a.createdHere, w.sim.typedRouteWaiting}),
                  QList<bool>({c.createdHere, c.createdHere, !c.createdHere}));
    }
}

TEST(SimDispatch, AmbientWeatherAndClock)
{
    World w;
    w.link.WeatherStation = "LFLY";
    w.link.OwnAltitude = 659;
    const t_weather &cw = w.weather.CurrentWeather;
    // Other precipitation states leave the phenomenon as it was.
    struct Case { double precipitation; QString phenomenon; } cases[] = {{4, "rain"}, {16, "rain"}, {8, "snow"}, {2, ""}};
    for (const Case &c : cases) {
        w.send(Ambient(c.precipitation));
        EXPECT_EQ(QStringList({cw.condition.phenomenon, cw.station, cw.time, cw.wind.direction, cw.wind.speed,
                               cw.visibilities[0].distance, cw.temperatures[0].temperature, cw.temperatures[0].altitude,
                               cw.pressureText, w.weather.qnhText, w.weather.altimeterText}),
                  QStringList({c.phenomenon, "LFLY", "7750Z", "240", "16", "10000m", "12", "659", "1013hPa", "1013hPa",
                               "29.92"}));
    }
    w.send(Record(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_CLOCK, 0, SimClockData{50700, 54300}));
    EXPECT_EQ(w.sim.zuluTime + " (Local" + w.sim.localTime + ")", "Z 14:5 (Local 15:5)");
}

TEST(SimDispatch, MetarsOfTheOwnAirportAndOfTheStations)
{
    World w;
    w.weather.CurrentWeather.station = "LFLL";
    w.sector.tables.airports.resize(2);
    w.sector.tables.airports[0].identifier = "LFPG";
    w.sector.tables.airports[1].identifier = "LFLL";
    w.weather.stations.publish = true;
    w.send(Observation(SIM_REQ_STATION_METAR, " LFPG&A1 071200Z VRB03KT 9999 Q1015 "));
    const Airport &pg = w.sector.tables.airports[0];
    EXPECT_EQ(QStringList({pg.windGroup, pg.dateLine, w.out.published.join(',')}),
              QStringList({"00000KT", "07/12/2026", "LFPG 071200Z VRB03KT 9999 Q1015"}));
    EXPECT_TRUE(pg.simMetarReceived && !pg.realMetarReceived && pg.sent && w.weather.stations.checkList[0].checked);
    EXPECT_FALSE(w.weather.newMetar) << "not the current station";

    w.send(Observation(SIM_REQ_STATION_METAR, "EGLL 071200Z 24010KT"));
    EXPECT_TRUE(w.sim.lastSimMetar == "EGLL 071200Z 24010KT" && w.weather.stations.checkList.size() == 1)
        << "a station not in the sector";

    // The current station's METAR is decoded; a new one is flagged when its plain text changed.
    const struct Case { SimDword request; QByteArray metar; bool flagged; } metars[] = {
        {SIM_REQ_STATION_METAR, "LFLL&A2 071200Z 24010KT Q1012", true},
        {SIM_REQ_OWN_METAR, "LFLL&A9 071200Z 24010KT Q1012", false},
        {SIM_REQ_OWN_METAR, "LFLL&A9 071200Z 24010KT Q1009", true},
    };
    for (const Case &c : metars) {
        w.weather.newMetar = false;
        w.send(Observation(c.request, c.metar));
        EXPECT_EQ(w.weather.newMetar, c.flagged) << c.metar.constData();
        EXPECT_EQ(QStringList({w.weather.rawMetar, w.weather.CurrentWeather.wind.direction}),
                  QStringList({c.metar, "240"}));
    }
    w.out = {};
    w.send(Observation(SIM_REQ_OWN_METAR, "  "));
    EXPECT_EQ(w.out.requests, QList<SimFollowUp>({{7, 3, 0}})) << "no METAR: the ambient weather instead";
}

TEST(SimDispatch, AnswersTooShortChangeNothing)
{
    const QByteArray answers[] = {
        Position(SIM_REQ_AIRCRAFT, 12, "AFR2", 45.0), Position(SIM_REQ_HELICOPTERS, 11, "AFR1", 46.0),
        Removed(11, SIM_OBJECT_TYPE_AIRCRAFT), Texts(SIM_REQ_AI_STATE, 11, "sleep"), Texts(SIM_REQ_IDENTITY, 11, "B738"),
        Ambient(2), Record(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_REQ_CLOCK, 0, SimClockData{3600, 7200}),
        Observation(SIM_REQ_OWN_METAR, "LFLL 071200Z"), Observation(SIM_REQ_STATION_METAR, "LFLL 071200Z"),
    };
    for (const QByteArray &full : answers) {
        for (qsizetype size = 0; size <= full.size(); ++size) {
            SCOPED_TRACE(testing::Message() << "size " << size << " of " << full.size());
            World w;
            const QString before = w.print();
            // A copy of exactly size bytes, so that any read past it is caught by the sanitizer.
            const std::vector<char> cut(full.begin(), full.begin() + size);
            SimDispatch(SimGroupsOf(w), cut.data(), cut.size(), kNoon, w.out);
            EXPECT_EQ(w.print() != before, size == full.size());
            EXPECT_TRUE(size == full.size() || (w.out.requests.isEmpty() && !w.out.trafficChanged));
        }
    }
}
