// The command console's model: the rows of its lists, the strip it makes, and the field
// rewrites of its controls with the waiting, departure and arrival lists they keep.
#include "core/IniFile.h"
#include "traffic/Console.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

const QDateTime kNow(QDate(2026, 3, 1), QTime(12, 30, 0));

struct Traffic {
    int add(const char *callsign, float lat, float lon)
    {
        ServerPosition p;
        p.callsign = QLatin1String(callsign);
        p.squawk = QStringLiteral("1200");
        p.lat = lat;
        p.lon = lon;
        return ApplyServerPosition(state, p, false, kNow);
    }
    int withStrip(const char *callsign, const QTime &start = QTime(12, 0))
    {
        const int i = add(callsign, 45.0f, 5.0f);
        AddStrip(state, i, NewStripLine(i, start));
        return i;
    }
    TrafficState state;
};

QString Cells(const ConsoleRow &row) { return QStringList(row.cells.begin(), row.cells.end()).join(u'|'); }

TEST(Console, ListRowsShowTheirCells)
{
    Traffic t;
    const int afr = t.withStrip("AFR1", QTime(12, 10, 30));
    AVION &a = t.state.table.edit(afr);
    a.ifr = true;
    a.destination = QStringLiteral("LFMN");
    a.etd = QTime(9, 5);
    a.waitingSince = kNow.addSecs(-185);
    SetStripText(*StripLineOf(t.state, afr), StripField::FlightKind, QStringLiteral("D"));
    SetStripText(*StripLineOf(t.state, afr), StripField::Position, QStringLiteral("TWR"));
    const int ai = t.withStrip("AI2", QTime(23, 0)); // started yesterday
    t.state.table.edit(ai).createdHere = true;
    t.state.table.edit(ai).aiState = QStringLiteral("taxi");
    t.state.table.edit(ai).handoffState = QStringLiteral("D");
    t.state.console.waiting = {QStringLiteral("AFR1"), QStringLiteral("AI2"), QStringLiteral("GONE")};
    t.state.console.handoffs = {HandoffEntry(QStringLiteral("LFMN_APPROACH"), QStringLiteral("AFR1"))};
    t.state.console.departures = {QStringLiteral("AFR1")};

    struct Case {
        ConsoleList list;
        QStringList rows;
    } cases[] = {
        {ConsoleList::Strips, {"AFR1|||19'|I|D|TWR|   60m|LFMN|", "AI2|||810'|V||taxi|   60m||"}},
        {ConsoleList::Waiting, {"AFR1|||3'|I|D|TWR|   60m|LFMN|1200", "AI2||||V||HO|   60m||1200"}},
        {ConsoleList::Handoffs, {"AFR1|||19'|I||TWR|LFMN_APP||1200"}},
        {ConsoleList::Departures, {"AFR1|||19'|I|D|TWR|9:5|LFMN|"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.list));
        QStringList rows;
        for (const ConsoleRow &row : ConsoleRows(t.state, c.list, kNow, 46.0, 5.0))
            rows << Cells(row);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(Console, FieldRewritesKeepTheLine)
{
    QList<ROUTE> sids = {{QStringLiteral("BELUS1A"), {}}, {QStringLiteral("MOKIP"), {}}, {QStringLiteral("BELUS1A "), {}}};
    struct Case {
        const char *what;
        std::function<bool(TrafficState &, int)> write;
        StripField field;
        const char *text; // nullptr: refused, the line unchanged
    } cases[] = {
        {"point short", [](auto &s, int i) { return WriteConsoleField(s, i, StripField::Point, "AB"); }, StripField::Point, "AB   "},
        {"point long", [](auto &s, int i) { return WriteConsoleField(s, i, StripField::Point, "ABCDEFG"); }, StripField::Point, "ABCDE"},
        {"SID last match", [&](auto &s, int i) { return WriteProcedure(s, sids, {}, i, "BELUS1A"); }, StripField::Sid, "002"},
        {"SID unknown", [&](auto &s, int i) { return WriteProcedure(s, sids, {}, i, "XX"); }, StripField::Sid, nullptr},
        {"holding not waiting", [](auto &s, int i) { return WriteHoldingTime(s, i, 4); }, StripField::Holding, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Traffic t;
        const int i = t.withStrip("AFR1");
        SetStripText(*StripLineOf(t.state, i), StripField::FlightKind, QStringLiteral("D"));
        const QString before = *StripLineOf(t.state, i);
        EXPECT_EQ(c.write(t.state, i), c.text != nullptr);
        const QString after = *StripLineOf(t.state, i);
        EXPECT_EQ(after.size(), kStripLength);
        if (!c.text)
            EXPECT_EQ(after, before);
        else
            EXPECT_EQ(StripText(after, c.field), QLatin1String(c.text));
    }
}

TEST(Console, StatusAndFlightKindKeepTheLists)
{
    Traffic t;
    const int i = t.withStrip("AFR1");
    IniFile ldep{QString()};
    ldep.loadFromBytes("[TWR]\nD=depart\nA=arrivee\nV=transit\n");

    ASSERT_TRUE(WriteStepStatus(t.state, i, StripField::Takeoff, QStringLiteral("A"), kNow));
    EXPECT_EQ(t.state.table[i].waitingSince, kNow);
    ASSERT_TRUE(WriteStepStatus(t.state, i, StripField::Takeoff, QStringLiteral("R"), kNow));
    EXPECT_TRUE(t.state.console.waiting.isEmpty());
    EXPECT_FALSE(t.state.table[i].commandPending);

    const struct { int item; const char *code; QStringList departures, arrivals; } kinds[] = {
        {0, "D", {"AFR1"}, {}}, {0, "D", {"AFR1"}, {}}, {1, "A", {}, {"AFR1"}}, {-1, " ", {}, {}}};
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.code);
        ASSERT_TRUE(WriteFlightKind(t.state, ldep, QStringLiteral("TWR"), k.item, i));
        EXPECT_EQ(StripText(*StripLineOf(t.state, i), StripField::FlightKind), QLatin1String(k.code));
        EXPECT_EQ(t.state.console.departures, k.departures);
        EXPECT_EQ(t.state.console.arrivals, k.arrivals);
    }
}

TEST(Console, StripButtonChoosesTheNextPointAndRemovalEmptiesTheLists)
{
    Traffic t;
    const QList<Airport> airports = {{QStringLiteral("LFLL"), {}, 45.7f, 5.1f}};
    struct Case {
        const char *departure;
        t_proute route;
        int next;
    } cases[] = {
        {"LFLL", {}, -1},
        {"LFLL", {{45.9f, 5.0f, 1}, {45.02f, 5.0f, 3}, {45.01f, 5.0f, 4}}, 4},
        {"LFLL", {{46.5f, 5.0f, 2}}, -1}, // farther than the departure airport
        {"ZZZZ", {{46.5f, 5.0f, 2}}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.next);
        const int i = t.add("AFR1", 45.0f, 5.0f);
        t.state.table.edit(i).departure = QLatin1String(c.departure);
        t.state.table.edit(i).routePoints = c.route;
        ASSERT_TRUE(ToggleConsoleStrip(t.state, airports, i, QTime(12, 0)));
        EXPECT_EQ(t.state.table[i].nextPoint, c.next);
        EXPECT_EQ(*StripLineOf(t.state, i), NewStripLine(i, QTime(12, 0)));
        t.state.console = {{"AFR1"}, {HandoffEntry("X", "AFR1")}, {"AFR1"}, {"AFR1", "BAW2"}};
        EXPECT_FALSE(ToggleConsoleStrip(t.state, airports, i, QTime(12, 0)));
        EXPECT_EQ(StripLineOf(t.state, i), nullptr);
        EXPECT_EQ(t.state.console.arrivals, QStringList{"BAW2"});
        EXPECT_TRUE(t.state.console.waiting.isEmpty() && t.state.console.handoffs.isEmpty());
    }
    // An aircraft without a strip leaves the handoff list when it goes.
    const int i = t.add("AFR1", 45.0f, 5.0f);
    t.state.console.handoffs = {HandoffEntry("X", "AFR1"), HandoffEntry("Y", "AFR11")};
    RemoveAircraft(t.state, i);
    EXPECT_EQ(t.state.console.handoffs, QStringList{HandoffEntry("Y", "AFR11")});
    t.state.console.departures = {"BAW2"};
    ClearTraffic(t.state);
    EXPECT_TRUE(t.state.console.departures.isEmpty());
}

} // namespace
} // namespace zaz::test
