// The traffic step before each redraw, on the model alone: the conflict test (against its
// reference scan), emergency squawks and the global alert, expiry during the step, and the
// route point each aircraft is passing.
#include "scope/Conflict.h"
#include "scope/TrafficStep.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace zaz;

namespace {

const QDateTime kNow(QDate(2024, 6, 12), QTime(14, 30, 0), Qt::UTC);

class TrafficStep : public ::testing::Test {
protected:
    // A server aircraft at (north, east) nautical miles from 0°/0°, last seen secondsAgo.
    AVION &add(const QString &callsign, double north, double east, int altitude, int secondsAgo = 0)
    {
        const ServerPosition p{"N", callsign, "1200", "1", float(north / 60), float(east / 60), altitude, 300, 0};
        return t_.table.edit(ApplyServerPosition(t_, p, false, kNow.addSecs(-secondsAgo)));
    }
    TrafficStepResult step() { return StepTraffic(t_, view_, {1000, 1000, 5}, kNow); }

    TrafficState t_;
    ViewState view_;
};

TEST_F(TrafficStep, SeparationLimitsOnTheRoundedFlatDistance)
{
    // The first aircraft 15 nm north of 0°/0° (0.25° at 60 nm a degree); minimum 1000 ft,
    // vertical separation 1000 ft.
    for (const auto &[what, north, east, altitude1, altitude2, nmPerDegLat, nmPerDegLon, horizontal, conflict] :
         {std::tuple{"3 nm, 500 ft", 18.0, 0.0, 12000, 12500, 60.0f, 60.0f, 5, true},
          {"the vertical limit is strict", 18.0, 0.0, 12000, 13000, 60.0f, 60.0f, 5, false},
          {"999 ft below", 18.0, 0.0, 12000, 11001, 60.0f, 60.0f, 5, true},
          {"4.4 nm rounds to 4", 19.4, 0.0, 12000, 12000, 60.0f, 60.0f, 5, true},
          {"4.6 nm rounds to 5", 19.6, 0.0, 12000, 12000, 60.0f, 60.0f, 5, false},
          {"4.5 nm exactly rounds to even 4", 22.5, 0.0, 12000, 12000, 36.0f, 60.0f, 5, true},
          {"5.5 nm exactly rounds to even 6", 15 + 5.5 * 60 / 64, 0.0, 12000, 12000, 64.0f, 60.0f, 6, false},
          {"3 nm north and 4 east at 30 nm a degree: 5", 18.0, 8.0, 12000, 12000, 60.0f, 30.0f, 5, false},
          {"the same with a separation of 6", 18.0, 8.0, 12000, 12000, 60.0f, 30.0f, 6, true},
          {"the other at the minimum", 15.0, 0.0, 1500, 1000, 60.0f, 60.0f, 5, false}}) {
        ClearTraffic(t_);
        add("P0", 15, 0, altitude1);
        add("P1", north, east, altitude2);
        const ConflictTest test(t_.table, ViewState{.nmPerDegLat = nmPerDegLat, .nmPerDegLon = nmPerDegLon},
                                {1000, 1000, horizontal});
        for (int k : {0, 1})
            EXPECT_TRUE(test.inConflictByScan(k) == conflict && test.inConflict(k) == conflict) << what << ", " << k;
    }
}

// A crowded table: aircraft at random, half of them at a distance that matters once rounded
// from an earlier one, removed ones among them; several minima and factors.
TEST_F(TrafficStep, ConflictCellsAnswerAsTheScanOverRandomTraffic)
{
    std::mt19937 random(20240310);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double distances[] = {0, 0.49, 0.5, 0.51, 1.5, 4.49, 4.5, 4.51, 5, 5.5, 9.5, 10.5};
    const int climbs[] = {0, 1, 999, 1000, 1001, -1, -999, -1000, -1001};
    for (int k = 0; k < 3000; ++k) {
        if (k % 2 == 0) {
            add(QString::number(k), 2700 + 120 * unit(random), 180 + 240 * unit(random), int(random() % 201) * 100);
            continue;
        }
        const AVION other = t_.table[int(random() % unsigned(k))];
        const double d = distances[random() % std::size(distances)], angle = unit(random) * 2 * kPi;
        add(QString::number(k), other.lat * 60 + d * std::cos(angle), other.lon * 60 + d * std::sin(angle),
            other.altitude + climbs[random() % std::size(climbs)]);
    }
    const auto compare = [&](const ConflictTest &test, int least) {
        int conflicts = 0, differ = 0;
        for (int i = 0; i < t_.table.size(); ++i) {
            conflicts += test.inConflictByScan(i) ? 1 : 0;
            differ += test.inConflict(i) != test.inConflictByScan(i) ? 1 : 0;
        }
        EXPECT_EQ(differ, 0);
        EXPECT_TRUE(least ? conflicts >= least : conflicts == 0) << conflicts;
    };
    for (int i = 0; i < t_.table.size(); i += 10)
        RemoveAircraft(t_, i);
    for (const auto &[horizontal, vertical, minimum, nmPerDegLon, conflicts] :
         {std::tuple{5, 1000, 1000, 60.0f, 100}, {1, 1000, 1000, 30.0f, 10}, {10, 1000, 0, 42.5f, 100},
          {0, 1000, 1000, 60.0f, 0}, {5, 0, 0, 60.0f, 0}, {5, 1000, 1000, 0.0f, 100}}) {
        SCOPED_TRACE(testing::Message() << horizontal << " nm, " << vertical << " ft, " << nmPerDegLon << " nm/°");
        compare(ConflictTest(t_.table, ViewState{.nmPerDegLat = 60, .nmPerDegLon = nmPerDegLon},
                             {minimum, vertical, horizontal}), conflicts);
    }
    // Aircraft removed after the test was built (expired during a step) never match.
    const ConflictTest before(t_.table, view_, {1000, 1000, 5});
    for (int i = 1; i < t_.table.size(); i += 7)
        RemoveAircraft(t_, i);
    compare(before, 100);
}

TEST_F(TrafficStep, EmergencySquawksAlertAtAnyAltitudeAndTheGlobalAlertFollows)
{
    add("AFR2", 0, 1, 500);
    AVION &low = add("LOW1", 0, 0, 500);
    for (const auto &[squawk, alert] : {std::pair{"7500", true}, {"7777", false}, {"7600", true}, {"770", false},
                                        {"7700", true}, {"0700", false}, {"77000", false}}) {
        low.squawk = QLatin1String(squawk);
        step();
        EXPECT_TRUE(low.alert == alert && t_.globalAlert == alert && !t_.table[0].alert) << squawk;
    }
    // A pair in conflict: both flagged, whichever comes first in the live list.
    low.squawk = QStringLiteral("1200");
    low.altitude = t_.table.edit(0).altitude = 12000;
    step();
    EXPECT_TRUE(low.alert && t_.table[0].alert && t_.globalAlert);
}

TEST_F(TrafficStep, ExpiryDuringTheStepRemovesTheAircraftWithItsStrip)
{
    // The first (with a strip) in conflict with the second until it is removed; the third
    // fed by the simulator still; the last silent for an hour.
    for (const auto &[callsign, east, secondsAgo] :
         {std::tuple{"OLD1", 0, 61}, {"NEXT", 1, 60}, {"SIM1", 30, 61}, {"OLD2", 60, 3600}})
        add(callsign, 0, east, 12000, secondsAgo);
    t_.table.edit(2).simSeen = kNow.addSecs(-10);
    ASSERT_TRUE(AddStrip(t_, 0, QStringLiteral("strip")));
    TrafficStepResult result = step();
    EXPECT_TRUE(result.removed == 2 && result.stripRemoved);
    EXPECT_EQ(t_.LiveTrafficList, QStringList({"1", "2"}));
    EXPECT_FALSE(t_.table.inUse(0) || t_.table.inUse(3) || !t_.strips.entries.isEmpty());
    EXPECT_TRUE(t_.table[1].shown) << "the aircraft after a removed one is stepped";
    EXPECT_FALSE(t_.table[1].alert) << "a record freed during the step matches nothing";
    t_.table.edit(2).simSeen = kNow.addSecs(-61);
    result = step();
    EXPECT_TRUE(result.removed == 1 && !result.stripRemoved && !t_.table.inUse(2));
}

TEST_F(TrafficStep, RoutePointPassedByEveryAircraftReportedForTheSelectedOne)
{
    // 64 nm a degree: route points 6 and 10 nm north of each aircraft, exactly.
    view_.nmPerDegLat = 64;
    for (const auto &[callsign, east] : {std::pair{"SEL1", 0}, {"OTH1", 60}})
        add(callsign, 0, east, 12000).routePoints = {{6.0f / 64, east / 60.0f, 3}, {10.0f / 64, east / 60.0f, 5}};
    for (const auto &[passing, nextPoint] : {std::pair{6, -1}, {7, 3}, {10, 3}, {11, 5}}) {
        t_.passingDistance = passing;
        for (int selected : {0, 1}) {
            t_.SelectedAircraft = selected;
            EXPECT_EQ(step().selectedRouteAdvanced, nextPoint >= 0) << passing;
        }
        EXPECT_TRUE(t_.table[0].nextPoint == nextPoint && t_.table[1].nextPoint == nextPoint) << passing;
    }
    t_.SelectedAircraft = kNoAircraft;
    EXPECT_FALSE(step().selectedRouteAdvanced);
}

} // namespace
