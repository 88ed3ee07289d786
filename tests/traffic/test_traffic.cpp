// The traffic group: the table and its cap, positions, flight plans, strips by callsign,
// removal and expiry.
#include "traffic/TrafficOps.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zaz;

namespace {

const QDateTime kNoon(QDate(2026, 12, 6), QTime(12, 0, 0));

ServerPosition At(const QString &callsign, int altitude = 12000, int heading = 90, const char *mode = "N")
{
    return {QLatin1String(mode), callsign, QStringLiteral("1200"), QStringLiteral("1"), 45.5f, 5.25f, altitude, 250,
            heading};
}

int Add(TrafficState &t, const QString &callsign, const QDateTime &now = kNoon)
{
    return ApplyServerPosition(t, At(callsign), false, now);
}

ServerFlightPlan Plan(const QString &callsign, const QString &route, const QString &etd = QStringLiteral("1200"))
{
    return {callsign, true, "I", "B738", 450, "LFLL", etd, "1215", "FL350", "LFPG", "1", "05", "3", "30", "LFPO",
            "/v/", route};
}

} // namespace

TEST(TrafficTable, ReusesTheHighestFreeRecordAndFindsTheHighestDuplicate)
{
    TrafficState t;
    for (const char *cs : {"A0", "A1", "A2", "A3", "A4"})
        Add(t, QLatin1String(cs));
    RemoveAircraft(t, 1);
    RemoveAircraft(t, 3);
    EXPECT_EQ(Add(t, QStringLiteral("B1")), 3);
    EXPECT_EQ(Add(t, QStringLiteral("B2")), 1);
    EXPECT_EQ(Add(t, QStringLiteral("B3")), 5);
    EXPECT_EQ(t.LiveTrafficList, QStringList({"0", "2", "4", "3", "1", "5"}));

    // Two records with one callsign (the simulator can do this): the higher wins.
    t.table.setCallsign(4, QStringLiteral("A0"));
    EXPECT_EQ(t.table.FindAircraft(QStringLiteral("A0")), 4);
    RemoveAircraft(t, 4);
    EXPECT_EQ(t.table.FindAircraft(QStringLiteral("A0")), 0);
    EXPECT_EQ(t.table.FindAircraft(QString()), kNoAircraft);
}

TEST(TrafficTable, IndexesGiveTheAnswersOfAFullScan)
{
    TrafficTable t;
    QRandomGenerator rng(7);
    for (int step = 0; step < 5000; ++step) {
        const QString cs = QStringLiteral("C%1").arg(rng.bounded(40));
        if (rng.bounded(3) == 0 && !t.isEmpty())
            t.setCallsign(rng.bounded(t.size()), QString());
        else
            t.setCallsign(t.AcquireRecord(), cs);
        ASSERT_EQ(t.FindAircraft(cs), t.findAircraftByScan(cs));
        if (const int free = t.freeRecordByScan(); free >= 0) {
            ASSERT_EQ(t.AcquireRecord(), free);
        }
    }
}

TEST(TrafficTable, ANewCallsignBeyondTheCapIsRefusedAndLeavesNoTrace)
{
    TrafficState t;
    for (int i = 0; i < kMaxAircraft; ++i)
        ASSERT_EQ(Add(t, QStringLiteral("C%1").arg(i)), i);
    t.planRequests.waiting.clear();
    EXPECT_EQ(Add(t, QStringLiteral("EXTRA")), kNoAircraft);
    EXPECT_EQ(t.table.AcquireRecord(), kNoAircraft);
    EXPECT_EQ(t.refusedAircraft, 1);
    EXPECT_EQ(t.table.size() + t.LiveTrafficList.size(), 2 * kMaxAircraft);
    EXPECT_TRUE(t.planRequests.waiting.isEmpty());
    EXPECT_EQ(ApplyServerPosition(t, At(QStringLiteral("C4999"), 9000), false, kNoon), 4999) << "known ones update";
    EXPECT_EQ(t.table[4999].altitude, 9000);
    RemoveAircraft(t, 17);
    EXPECT_EQ(Add(t, QStringLiteral("EXTRA")), 17);
}

TEST(TrafficPositions, NewAndKnownAircraftHeadingOnlyFromAVireoServer)
{
    TrafficState t;
    const int i = ApplyServerPosition(t, At(QStringLiteral("AFR12"), 12000, 90), false, kNoon);
    const AVION &a = t.table[i];
    EXPECT_EQ(a.heading, 0.0);
    EXPECT_EQ(a.transponderMode + a.aiState, "Nby ZAZ");
    EXPECT_FLOAT_EQ(a.trail[20].lon, 5.25f);
    EXPECT_EQ(t.planRequests.waiting, QStringList{"AFR12"});

    ServerPosition next = At(QStringLiteral("AFR12"), 13000, 180, "Y");
    next.lat = 46;
    EXPECT_EQ(ApplyServerPosition(t, next, true, kNoon.addSecs(5)), i);
    EXPECT_NEAR(a.heading, 3.14159265, 1e-6);
    EXPECT_EQ(a.prevAltitude, 12000);
    EXPECT_FLOAT_EQ(a.trail[0].lat, 45.5f);
    EXPECT_EQ(a.transponderMode, "Y");
    EXPECT_EQ(a.serverSeen, kNoon.addSecs(5));
    EXPECT_EQ(t.planRequests.waiting.size(), 1) << "no second wish for a known aircraft";
}

TEST(TrafficPlans, FieldsTimesRouteAndThePlanlessLine)
{
    TrafficState t;
    SectorState sector;
    const int i = Add(t, QStringLiteral("EZY1"));
    ApplyFlightPlan(t, sector, Plan(QStringLiteral("EZY1"), QStringLiteral("A,B-C  D"), QStringLiteral("930")));
    const AVION &a = t.table[i];
    EXPECT_TRUE(a.hasFlightPlan && a.ifr);
    EXPECT_EQ(a.route, "A/B/C/D");
    EXPECT_EQ(a.routeFields, QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(a.routePoints.size(), 4);
    EXPECT_EQ(a.etd, QTime(9, 30));
    EXPECT_EQ(a.atd, QTime(12, 15));
    EXPECT_EQ(a.timeEnroute, QTime(1, 5));
    EXPECT_EQ(a.endurance, QTime(3, 30));
    EXPECT_EQ(a.alternate + a.remarks, "LFPO/v/");

    ServerFlightPlan planless = Plan(QStringLiteral("EZY1"), QStringLiteral("X"), QStringLiteral("0800"));
    planless.hasPlan = false;
    ApplyFlightPlan(t, sector, planless);
    EXPECT_FALSE(a.hasFlightPlan);
    EXPECT_EQ(a.route + a.etd.toString(), "A/B/C/D09:30:00") << "a planless line changes nothing else";
    ApplyFlightPlan(t, sector, Plan(QStringLiteral("NOBODY"), QStringLiteral("X")));
    EXPECT_EQ(t.table.FindAircraft(QStringLiteral("NOBODY")), kNoAircraft);
    for (const char *bad : {"0", "2460", "12h0", ""})
        EXPECT_EQ(PlanTime(QLatin1String(bad)), QTime()) << bad;
}

TEST(TrafficStrips, HeldByCallsignSoAFreedRecordGivesNoStripToTheNext)
{
    EXPECT_EQ(StripKey(7) + StripKey(1234), QStringLiteral("0071234"));
    EXPECT_EQ(NewStripLine(7, QTime(9, 5, 3)), QStringLiteral("00709:05:03") + QString(50, QLatin1Char(' ')));

    TrafficState t;
    const int a = Add(t, QStringLiteral("AAA1")), b = Add(t, QStringLiteral("BBB2")), c = Add(t, QStringLiteral("CCC3"));
    EXPECT_TRUE(AddStrip(t, a, QStringLiteral("strip a")));
    EXPECT_TRUE(AddStrip(t, c, QStringLiteral("strip c")));
    EXPECT_FALSE(AddStrip(t, a, QStringLiteral("again"))) << "one strip per aircraft";
    EXPECT_FALSE(AddStrip(t, 77, QStringLiteral("nobody")));
    t.table.edit(a).handoffState = QStringLiteral("D");
    t.table.edit(c).handoffState = QStringLiteral("D");
    t.table.edit(b).commandPending = true;

    RemoveStrip(t, b); // no strip: nothing, not even its marks
    EXPECT_TRUE(t.table[b].commandPending);
    RemoveStrip(t, a);
    ASSERT_EQ(t.strips.entries.size(), 1);
    EXPECT_EQ(t.strips.entries[0].callsign, "CCC3");
    EXPECT_TRUE(!t.table[a].hasStrip && t.table[a].handoffState.isEmpty());
    EXPECT_EQ(t.table[c].handoffState, "D");
    EXPECT_EQ(StripLineOf(t, a), nullptr);
    EXPECT_EQ(*StripLineOf(t, c), "strip c");

    // The record of CCC3 goes to another aircraft: the strip left with CCC3.
    t.table.edit(c).handoffFrom = QStringLiteral("LFMN_APP");
    RemoveAircraft(t, c);
    ASSERT_EQ(Add(t, QStringLiteral("NEW9")), c);
    EXPECT_TRUE(t.strips.entries.isEmpty());
    EXPECT_FALSE(t.table[c].hasStrip);
    EXPECT_TRUE(t.table[c].handoffFrom.isEmpty() && t.table[c].handoffState.isEmpty());
    EXPECT_EQ(StripLineOf(t, c), nullptr);
}

TEST(TrafficRemoval, TakesEverythingThatNamesTheRecordAndSignOffEmptiesAll)
{
    TrafficState t;
    SectorState sector;
    const int keep = Add(t, QStringLiteral("KEEP"));
    const int i = Add(t, QStringLiteral("DLH4"));
    ApplyFlightPlan(t, sector, Plan(QStringLiteral("DLH4"), QStringLiteral("A B")));
    AddStrip(t, i, QStringLiteral("x"));
    t.SelectedAircraft = i;
    RemoveAircraft(t, i);
    EXPECT_EQ(t.monitorLog.lines, QStringList{"on supprime, 0, DLH4"});
    EXPECT_TRUE(t.strips.entries.isEmpty());
    EXPECT_EQ(t.SelectedAircraft, kNoAircraft);
    EXPECT_EQ(t.LiveTrafficList, QStringList{QString::number(keep)});
    EXPECT_EQ(t.planRequests.waiting, QStringList{"KEEP"});
    const AVION &a = t.table[i];
    EXPECT_FLOAT_EQ(a.lat, 9999.0f);
    EXPECT_TRUE(!a.hasFlightPlan && !a.ifr && a.route.isEmpty() && a.routePoints.isEmpty());

    AddStrip(t, keep, QStringLiteral("y"));
    t.globalAlert = true;
    ClearTraffic(t);
    EXPECT_EQ(t.table.size(), 0);
    EXPECT_TRUE(t.LiveTrafficList.isEmpty() && t.strips.entries.isEmpty() && t.planRequests.waiting.isEmpty());
    EXPECT_FALSE(t.globalAlert);
    EXPECT_EQ(Add(t, QStringLiteral("X3")), 0);
}

TEST(TrafficExpiry, BothSourcesMustBeSilentAndMidnightIsCrossed)
{
    TrafficState t;
    const int gone = Add(t, QStringLiteral("GONE"));
    const int sim = Add(t, QStringLiteral("SIM"));
    t.table.edit(sim).simSeen = kNoon.addSecs(50);
    const int fresh = Add(t, QStringLiteral("FRESH"), kNoon.addSecs(30));

    const QDateTime later = kNoon.addSecs(61);
    EXPECT_FALSE(ExpireAircraft(t, gone, later));
    EXPECT_EQ(t.table.FindAircraft(QStringLiteral("GONE")), kNoAircraft);
    EXPECT_EQ(t.monitorLog.lines.value(0), "delai dépassé suppression demandée 0, GONE");
    EXPECT_TRUE(ExpireAircraft(t, sim, later) && !t.table[sim].shown);
    EXPECT_TRUE(ExpireAircraft(t, fresh, later) && t.table[fresh].shown);
    EXPECT_TRUE(ExpireAircraft(t, fresh, kNoon.addSecs(90))) << "exactly the delay is not over it";

    // Last seen just before midnight, checked just after it: 70 seconds, expired.
    const QDateTime beforeMidnight(QDate(2026, 12, 6), QTime(23, 59, 50));
    const int night = Add(t, QStringLiteral("NIGHT"), beforeMidnight);
    EXPECT_TRUE(ExpireAircraft(t, night, beforeMidnight.addSecs(30)));
    EXPECT_FALSE(ExpireAircraft(t, night, QDateTime(QDate(2026, 12, 7), QTime(0, 1, 0))));
}
