// The traffic table: positions, flight plans, removal, expiry; routes built on the sector.
#include "sector/SectorReader.h"
#include "traffic/Routes.h"
#include "traffic/TrafficOps.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

const QDateTime kNoon(QDate(2026, 12, 6), QTime(12, 0, 0));

t_tranches Position(const QString &callsign, const QString &altitude = QStringLiteral("12000"),
                    const QString &heading = QStringLiteral("90"), const QString &last = QStringLiteral("0"))
{
    return SplitText(QStringLiteral(":"),
                     QStringLiteral("@N:%1:1200:1:45.5:5.25:%2:250:%3:%4").arg(callsign, altitude, heading, last));
}

t_tranches Plan(const QString &callsign, const QString &route, const QString &etd = QStringLiteral("1200"))
{
    return SplitText(QStringLiteral(":"),
                     QStringLiteral("$FP%1:LFLL_APP:I:B738:450:LFLL:%2:1215:FL350:LFPG:1:05:3:30:LFPO:/v/:%3")
                         .arg(callsign, etd, route));
}

int Add(RadarState &s, const QString &callsign, const QDateTime &now = kNoon)
{
    return ApplyServerPosition(s, Position(callsign), now);
}

// A sector with fixes AAA..EEE on a line and a high airway AWY through them, an NDB and a
// VOR that share a fix's name.
void LoadAirwaySector(RadarState &s)
{
    SectorTables &t = s.sector.tables;
    const char *names[] = {"AAA", "BBB", "CCC", "DDD", "EEE"};
    for (int i = 0; i < 5; ++i)
        t.fixes.append({QString::fromLatin1(names[i]), 45.0f + i, 5.0f, 1, {}});
    t.ndbs.append({QStringLiteral("CCC"), {}, 10, 10, 0, {}});
    t.vors.append({QStringLiteral("CCC"), {}, 20, 20, 0, {}});
    t.vors.append({QStringLiteral("VVV"), {}, 30, 30, 0, {}});
    ROUTE awy;
    awy.name = QStringLiteral("AWY");
    for (int i = 0; i < 4; ++i)
        awy.segments.append({45.0f + i, 5.0f, 46.0f + i, 5.0f});
    t.highAirways.append(awy);
    ROUTE low;
    low.name = QStringLiteral("AWY");
    t.lowAirways.append(low);
    s.sector.index.build(t);
}

QList<std::pair<float, int>> Points(const t_proute &route)
{
    QList<std::pair<float, int>> out;
    for (const RoutePoint &p : route)
        out.append({p.lat, p.element});
    return out;
}

} // namespace

TEST(TrafficTable, ReusesTheHighestFreeRecordAndFindsTheHighestDuplicate)
{
    RadarState s;
    for (const char *cs : {"A0", "A1", "A2", "A3", "A4"})
        Add(s, QLatin1String(cs));
    RemoveAircraft(s, 1);
    RemoveAircraft(s, 3);
    EXPECT_EQ(Add(s, QStringLiteral("B1")), 3);
    EXPECT_EQ(Add(s, QStringLiteral("B2")), 1);
    EXPECT_EQ(Add(s, QStringLiteral("B3")), 5);
    EXPECT_EQ(s.traffic.table.size(), 6);
    EXPECT_EQ(s.traffic.LiveTrafficList, QStringList({"0", "2", "4", "3", "1", "5"}));

    // Two records with one callsign (the simulator can do this): the higher wins.
    s.traffic.table.SetCallsign(4, QStringLiteral("A0"));
    EXPECT_EQ(s.traffic.table.FindAircraft(QStringLiteral("A0")), 4);
    RemoveAircraft(s, 4);
    EXPECT_EQ(s.traffic.table.FindAircraft(QStringLiteral("A0")), 0);
    EXPECT_EQ(s.traffic.table.FindAircraft(QString()), kNoAircraft);
}

TEST(TrafficTable, IndexesGiveTheAnswersOfAFullScan)
{
    TrafficTable t;
    QRandomGenerator rng(7);
    for (int step = 0; step < 5000; ++step) {
        const QString cs = QStringLiteral("C%1").arg(rng.bounded(40));
        if (rng.bounded(3) == 0 && !t.isEmpty())
            t.SetCallsign(rng.bounded(t.size()), QString());
        else
            t.SetCallsign(t.AcquireRecord(), cs);
        ASSERT_EQ(t.FindAircraft(cs), t.FindAircraftByScan(cs));
        const int free = t.FreeRecordByScan();
        if (free >= 0) {
            ASSERT_EQ(t.AcquireRecord(), free);
        }
    }
}

TEST(TrafficPositions, NewAndKnownAircraftHeadingByServerType)
{
    RadarState s;
    QSignalSpy plans(&s.notifier, &StateNotifier::flightPlanWanted);
    s.link.serverType = QStringLiteral("FSD");
    const int i = ApplyServerPosition(s, Position(QStringLiteral("AFR12"), "12000", "90"), kNoon);
    const AVION &a = s.traffic.table[i];
    EXPECT_EQ(a.heading, 0.0); // ignored from an FSD server
    EXPECT_EQ(a.transponderMode, "N");
    EXPECT_EQ(a.aiState, "by ZAZ");
    EXPECT_FLOAT_EQ(a.trail[20].lon, 5.25f);
    EXPECT_EQ(plans.size(), 1);

    s.link.serverType = QStringLiteral("VIREO-SERVER");
    ApplyServerPosition(s, SplitText(":", "@Y:AFR12:7000:1:46:6:13000:260:180:0"), kNoon.addSecs(5));
    EXPECT_NEAR(a.heading, 3.14159265, 1e-6);
    EXPECT_EQ(a.prevAltitude, 12000);
    EXPECT_FLOAT_EQ(a.trail[0].lat, 45.5f);
    EXPECT_FLOAT_EQ(a.trail[1].lat, 45.5f);
    EXPECT_EQ(a.transponderMode, "Y");
    EXPECT_EQ(plans.size(), 1); // no request for a known aircraft

    // A malformed heading leaves the heading; a non-numeric tenth field fails the line
    // after the fields before it were set.
    ApplyServerPosition(s, Position(QStringLiteral("AFR12"), "14000", "abc"), kNoon.addSecs(10));
    EXPECT_NEAR(a.heading, 3.14159265, 1e-6);
    EXPECT_THROW(ApplyServerPosition(s, Position(QStringLiteral("AFR12"), "15000", "90", "x"), kNoon.addSecs(15)),
                 ConversionError);
    EXPECT_EQ(a.altitude, 15000);
    EXPECT_EQ(a.serverSeen, kNoon.addSecs(10));
}

TEST(TrafficPositions, AFailedNewAircraftLeavesNoHalfMadeRecord)
{
    RadarState s;
    EXPECT_THROW(ApplyServerPosition(s, Position(QStringLiteral("BAD1"), "FL120"), kNoon), ConversionError);
    EXPECT_EQ(s.traffic.table.FindAircraft(QStringLiteral("BAD1")), kNoAircraft);
    EXPECT_TRUE(s.traffic.LiveTrafficList.isEmpty());
    EXPECT_EQ(Add(s, QStringLiteral("GOOD")), 0); // the record is free again
}

TEST(TrafficPositions, AReusedRecordKeepsWhatCreationDoesNotSet)
{
    RadarState s;
    s.link.serverType = QStringLiteral("VIREO-SERVER");
    const int i = ApplyServerPosition(s, Position(QStringLiteral("OLD"), "9000", "45"), kNoon);
    ApplyFlightPlan(s, Plan(QStringLiteral("OLD"), QStringLiteral("DCT")));
    ApplyServerPosition(s, Position(QStringLiteral("OLD"), "9500", "45"), kNoon);
    RemoveAircraft(s, i);
    s.link.serverType = QStringLiteral("FSD");
    ASSERT_EQ(Add(s, QStringLiteral("NEW")), i);
    const AVION &a = s.traffic.table[i];
    EXPECT_EQ(a.acType, "B738");
    EXPECT_EQ(a.tas, 450);
    EXPECT_EQ(a.prevAltitude, 9000);
    EXPECT_NEAR(a.heading, 45 * 3.14159265 / 180, 1e-6);
    EXPECT_FALSE(a.hasFlightPlan);
    EXPECT_TRUE(a.route.isEmpty());
}

TEST(TrafficPlans, FieldsTimesRouteAndThreeFieldClear)
{
    RadarState s;
    const int i = Add(s, QStringLiteral("EZY1"));
    ApplyFlightPlan(s, Plan(QStringLiteral("EZY1"), QStringLiteral("A,B-C  D"), QStringLiteral("930")));
    const AVION &a = s.traffic.table[i];
    EXPECT_TRUE(a.hasFlightPlan);
    EXPECT_TRUE(a.ifr);
    EXPECT_EQ(a.route, "A/B/C/D");
    EXPECT_EQ(a.routeFields, QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(a.routePoints.size(), 4);
    EXPECT_EQ(a.etd, QTime(9, 30));
    EXPECT_EQ(a.atd, QTime(12, 15));
    EXPECT_EQ(a.timeEnroute, QTime(1, 5));
    EXPECT_EQ(a.endurance, QTime(3, 30));
    EXPECT_EQ(a.alternate, "LFPO");
    EXPECT_EQ(a.remarks, "/v/");

    ApplyFlightPlan(s, SplitText(":", "$FPEZY1:LFLL_APP:I"));
    EXPECT_FALSE(a.hasFlightPlan);
    EXPECT_EQ(a.acType, "B738");
    EXPECT_EQ(a.route, "A/B/C/D");

    // A plan for an unknown callsign changes nothing; a bad airspeed fails the line.
    ApplyFlightPlan(s, Plan(QStringLiteral("NOBODY"), QStringLiteral("X")));
    EXPECT_THROW(ApplyFlightPlan(s, SplitText(":", "$FPEZY1:X:V:C172:fast:LFLY")), ConversionError);
    EXPECT_EQ(a.acType, "C172");
    EXPECT_EQ(PlanTime(QStringLiteral("0")), QTime());
    EXPECT_EQ(PlanTime(QStringLiteral("2460")), QTime());
}

TEST(TrafficRemoval, MonitorLinesStripRemovalSelectionAndSignOff)
{
    RadarState s;
    QSignalSpy monitor(&s.notifier, &StateNotifier::monitorLine);
    QSignalSpy strips(&s.notifier, &StateNotifier::stripRemovalWanted);
    const int i = Add(s, QStringLiteral("DLH4"));
    s.traffic.table.Edit(i).hasStrip = true;
    s.traffic.SelectedAircraft = i;
    RemoveAircraft(s, i);
    ASSERT_EQ(monitor.size(), 1);
    EXPECT_EQ(monitor[0][0].toString(), "on supprime, 0, DLH4");
    ASSERT_EQ(strips.size(), 1);
    EXPECT_EQ(strips[0][0].toInt(), i);
    EXPECT_EQ(s.traffic.SelectedAircraft, kNoAircraft);
    EXPECT_FLOAT_EQ(s.traffic.table[i].lat, 9999.0f);

    Add(s, QStringLiteral("X1"));
    Add(s, QStringLiteral("X2"));
    ClearTraffic(s);
    EXPECT_EQ(s.traffic.table.size(), 0);
    EXPECT_TRUE(s.traffic.LiveTrafficList.isEmpty());
    EXPECT_EQ(Add(s, QStringLiteral("X3")), 0);
}

TEST(TrafficExpiry, DelayBothSourcesEmergenciesAndMidnight)
{
    RadarState s;
    QSignalSpy monitor(&s.notifier, &StateNotifier::monitorLine);
    s.settings.display.ExpiryDelay = 1.0f / 1440.0f;
    const int gone = Add(s, QStringLiteral("GONE"));
    const int sim = Add(s, QStringLiteral("SIM"));
    s.traffic.table.Edit(sim).simSeen = kNoon.addSecs(50);
    const int sos = Add(s, QStringLiteral("SOS"), kNoon.addSecs(30));
    s.traffic.table.Edit(sos).squawk = QStringLiteral("7600");

    const QDateTime later = kNoon.addSecs(61);
    EXPECT_FALSE(ExpireAircraft(s, gone, later));
    EXPECT_EQ(s.traffic.table.FindAircraft(QStringLiteral("GONE")), kNoAircraft);
    EXPECT_EQ(monitor[0][0].toString(), "delai dépassé suppression demandée 0, GONE");
    EXPECT_TRUE(ExpireAircraft(s, sim, later));
    EXPECT_FALSE(s.traffic.table[sim].shown);
    EXPECT_TRUE(ExpireAircraft(s, sos, later));
    EXPECT_TRUE(s.traffic.table[sos].shown);
    EXPECT_TRUE(s.traffic.table[sos].alert);
    EXPECT_TRUE(s.traffic.globalAlert);

    // Last seen just before midnight, checked just after it: 70 seconds, expired.
    const QDateTime beforeMidnight(QDate(2026, 12, 6), QTime(23, 59, 50));
    const int night = Add(s, QStringLiteral("NIGHT"), beforeMidnight);
    EXPECT_TRUE(ExpireAircraft(s, night, beforeMidnight.addSecs(30)));
    EXPECT_FALSE(ExpireAircraft(s, night, QDateTime(QDate(2026, 12, 7), QTime(0, 1, 0))));
}

TEST(Routes, AirwayExpansionInBothDirectionsAndItsLimits)
{
    RadarState s;
    LoadAirwaySector(s);
    const auto build = [&](const char *route) {
        const t_tranches f = SplitText(QStringLiteral("/"), QLatin1String(route));
        return Points(BuildRoute(s.sector, f, int(f.size()) - 1));
    };
    using P = QList<std::pair<float, int>>;
    EXPECT_EQ(build("BBB/AWY/DDD"), P({{46, 0}, {46, 1}, {47, 1}, {48, 2}}));
    EXPECT_EQ(build("DDD/AWY/BBB"), P({{48, 0}, {47, 1}, {46, 1}, {46, 2}}));
    EXPECT_EQ(build("EEE/AWY/AAA"), P({{49, 0}, {0, 1}, {45, 2}}));
    EXPECT_EQ(build("BBB/AWY/CCC"), P({{46, 0}, {47, 2}})); // one segment: nothing between

    s.sector.tables.highAirways[0].selected = 0;
    EXPECT_EQ(build("AWY/BBB"), P({{0, 0}, {46, 1}}));
    EXPECT_EQ(s.sector.tables.highAirways[0].selected, 1);
    EXPECT_EQ(s.sector.tables.lowAirways[0].selected, 0); // the high table is searched first

    // A fix name that is also an NDB and a VOR: the fix wins; unknown names give 0/0.
    EXPECT_EQ(build("CCC/VVV/NOWHERE"), P({{47, 0}, {30, 1}, {0, 2}}));
    QList<int> high, low;
    const t_tranches f = SplitText(QStringLiteral("/"), QStringLiteral("BBB/AWY/DDD"));
    BuildRoute(s.sector, f, 2, &high, &low);
    EXPECT_EQ(high, QList<int>({0}));
    EXPECT_TRUE(low.isEmpty());
}

TEST(Routes, NextPointIsTheLastPointWithinThePassingDistance)
{
    ViewState view;
    AVION a;
    a.lat = 45.0f;
    a.lon = 5.0f;
    a.routePoints = {{45.0f, 5.1f, 0}, {45.05f, 5.0f, 1}, {46.0f, 5.0f, 2}};
    EXPECT_FALSE(AdvanceNextPoint(a, view, 0));
    EXPECT_EQ(a.nextPoint, -1);
    EXPECT_TRUE(AdvanceNextPoint(a, view, 10)); // 6 nm and 3 nm: the later point decides
    EXPECT_EQ(a.nextPoint, 1);
    view.nmPerDegLon = 30;
    a.lat = 45.06f;
    a.lon = 5.25f; // 5.8 nm from point 0 at 30 nm per degree of longitude, 7.5 nm from point 1
    EXPECT_TRUE(AdvanceNextPoint(a, view, 6));
    EXPECT_EQ(a.nextPoint, 0);
    a.lat = 10;
    EXPECT_FALSE(AdvanceNextPoint(a, view, 10));
    EXPECT_EQ(a.nextPoint, 0); // out of reach: kept
}
