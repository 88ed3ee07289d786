// The flight list's rows: which aircraft each filter keeps, the order of the three sorts,
// the cell texts.
#include "traffic/FlightList.h"

#include <gtest/gtest.h>
#include <functional>

namespace zaz::test {
namespace {

const FlightListPlace kLyon{QStringLiteral("LFLL"), 45.0, 5.0, 5000};

void Add(TrafficState &t, const QString &callsign, const std::function<void(AVION &)> &set = [](AVION &) {})
{
    const int index = t.table.AcquireRecord();
    t.table.setCallsign(index, callsign);
    t.table.edit(index).lon = 5.0f;
    set(t.table.edit(index));
    t.LiveTrafficList << QString::number(index);
}

QString Callsigns(const TrafficState &t, FlightFilter filter, FlightSort sort)
{
    QStringList out;
    for (int index : FlightListRows(t, filter, sort, kLyon))
        out << t.table[index].callsign;
    return out.join(' ');
}

TEST(FlightList, FiltersKeepTheirAircraftInCallsignOrder)
{
    TrafficState t;
    Add(t, "DEP", [](AVION &a) { a.hasFlightPlan = true; a.departure = "LFLL"; });
    Add(t, "ARR", [](AVION &a) { a.hasFlightPlan = true; a.destination = "LFLL"; a.hasStrip = true; });
    Add(t, "NOPLAN", [](AVION &a) { a.departure = "LFLL"; a.destination = "LFLL"; });
    Add(t, "ALERT", [](AVION &a) { a.alert = true; a.hasStrip = true; });
    struct Case { FlightFilter filter; const char *shown; } cases[] = {
        {FlightFilter::All, "ALERT ARR DEP NOPLAN"}, {FlightFilter::Departures, "DEP"},
        {FlightFilter::Arrivals, "ARR"}, {FlightFilter::Controlled, "ALERT ARR"}, {FlightFilter::Alerts, "ALERT"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Callsigns(t, c.filter, FlightSort::Callsign), QLatin1String(c.shown)) << int(c.filter);
    EXPECT_EQ(QList<FlightMark>({FlightListMark(t.table[0]), FlightListMark(t.table[1]), FlightListMark(t.table[3])}),
              QList<FlightMark>({FlightMark::Plain, FlightMark::Strip, FlightMark::Alert}));
}

TEST(FlightList, SortsByDistanceAndLevelAndKeepsIndexOrderOnEqualKeys)
{
    TrafficState t;
    Add(t, "FAR", [](AVION &a) { a.lat = 46.0f; a.altitude = 9000; });     // 60 nm
    Add(t, "NEAR", [](AVION &a) { a.lat = 45.1f; a.altitude = 35000; });   // 6 nm
    Add(t, "AIRFRANS2", [](AVION &a) { a.lat = 45.5f; a.altitude = 500; }); // 30 nm
    Add(t, "AIRFRANS1", [](AVION &a) { a.lat = 45.5f; a.altitude = 500; });
    EXPECT_EQ(Callsigns(t, FlightFilter::All, FlightSort::Distance), "NEAR AIRFRANS2 AIRFRANS1 FAR");
    EXPECT_EQ(Callsigns(t, FlightFilter::All, FlightSort::Level), "AIRFRANS2 AIRFRANS1 FAR NEAR");
    EXPECT_EQ(Callsigns(t, FlightFilter::All, FlightSort::Callsign), "AIRFRANS2 AIRFRANS1 FAR NEAR");
}

TEST(FlightList, CellsShowLevelsByTheTransitionAndPlanDataOnlyWithAPlan)
{
    TrafficState t;
    Add(t, "EZY12", [](AVION &a) { a.lat = 45.2f, a.altitude = 2000, a.groundSpeed = 180, a.acType = "A320";
                                   a.aiEtd = 90, a.aiRunway = "36"; });
    AVION a = t.table[0];
    EXPECT_EQ(FlightListCells(a, kLyon).join('|'), "|EZY12||   12nm|2000ft|180kt|||||||||||");
    a.hasFlightPlan = true;
    EXPECT_EQ(FlightListCells(a, kLyon).mid(6, 9).join('|'), "VFR|A320||2 '||0 '|||piste 36");
    struct Case { int altitude; const char *level; } cases[] = {
        {5900, "FL59"}, {4999, "4999ft"}, {5000, "FL50"}, {5850, "FL58"}, {35050, "FL350"},
    };
    for (const Case &c : cases) {
        a.altitude = c.altitude;
        EXPECT_EQ(FlightListCells(a, kLyon)[4], QLatin1String(c.level)) << c.altitude;
    }
}

} // namespace
} // namespace zaz::test
