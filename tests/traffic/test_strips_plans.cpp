// The strip store (keys, new lines, removal) and the rows of filed flight plans.
#include "state/RadarState.h"
#include "traffic/FiledPlans.h"
#include "traffic/StripStore.h"

#include <gtest/gtest.h>

using namespace zaz;

TEST(StripStore, KeysAndNewLinesKeepTheirWidths)
{
    EXPECT_EQ(StripKey(0) + StripKey(7) + StripKey(42) + StripKey(999) + StripKey(1234),
              QStringLiteral("0000070429991234"));
    EXPECT_EQ(NewStripLine(7, QTime(9, 5, 3)), QStringLiteral("00709:05:03") + QString(50, QLatin1Char(' ')));
    const QString wide = NewStripLine(1234, QTime(23, 59, 59));
    EXPECT_EQ(wide.left(12), QStringLiteral("123423:59:59"));
    EXPECT_EQ(wide.size(), kStripLength);
}

TEST(StripStore, RemovalTakesTheLineAndKeyAtTheSamePositionAndOnlyThatAircraftsMarks)
{
    RadarState s;
    TrafficTable &t = s.traffic.table;
    for (int i = 0; i < 101; ++i)
        t.SetCallsign(t.AcquireRecord(), QStringLiteral("AC%1").arg(i));
    for (int index : {3, 10, 100, 500}) {
        s.strips.lines << NewStripLine(index, QTime(10, 0, 0));
        s.strips.keys << StripKey(index);
        if (index < 101) {
            AVION &a = t.Edit(index);
            a.hasStrip = true;
            a.handoffState = QStringLiteral("D");
            a.commandPending = true;
        }
    }
    t.Edit(5).commandPending = true;
    int changes = 0;
    QObject::connect(&s.notifier, &StateNotifier::stripsChanged, [&] { ++changes; });

    EXPECT_EQ(StripPosition(s.strips, 1), -1) << "keys match whole, \"010\" is not index 1";
    // Aircraft without a strip, or no aircraft at all: nothing changes.
    for (int index : {5, 1, -1, kNoAircraft})
        RemoveStrip(s, index);
    EXPECT_EQ(s.strips.lines.size(), 4);
    EXPECT_TRUE(t[5].commandPending);
    EXPECT_EQ(changes, 0);

    RemoveStrip(s, 10);
    EXPECT_EQ(s.strips.keys, QStringList({"003", "100", "500"}));
    ASSERT_EQ(s.strips.lines.size(), 3);
    EXPECT_TRUE(s.strips.lines[1].startsWith(QStringLiteral("100")));
    EXPECT_FALSE(t[10].hasStrip);
    EXPECT_TRUE(t[10].handoffState.isEmpty());
    EXPECT_FALSE(t[10].commandPending);
    EXPECT_TRUE(t[100].hasStrip);
    EXPECT_EQ(t[100].handoffState, QStringLiteral("D"));
    EXPECT_TRUE(t[3].commandPending);
    EXPECT_EQ(changes, 1);

    // A strip of an index outside the table still goes.
    RemoveStrip(s, 500);
    EXPECT_EQ(s.strips.keys, QStringList({"003", "100"}));
    EXPECT_EQ(s.strips.lines.size(), 2);
    EXPECT_EQ(changes, 2);
}

namespace {

// A "$DEPOTFP" line with the given flight rules, speed and actual departure time.
t_tranches Filed(const char *rules, const char *speed, const char *atd)
{
    return SplitText(QStringLiteral(":"),
                     QStringLiteral("$DEPOTFP-42:LFLL_APP:AFR123:%1:B738:%2:LFPG:1230:%3:350:LFML:1:20:3:00:"
                                    "LFMN:first flight:PG/UL612/ML")
                         .arg(QLatin1String(rules), QLatin1String(speed), QLatin1String(atd)));
}

} // namespace

TEST(FiledPlans, RowColumnsInOrderMachOrKnotsAndOnlyIOrVRules)
{
    EXPECT_EQ(FiledPlanRow(Filed("I", "078", "945")),
              QStringLiteral("AFR123\t1230\tIFR\tB738\tLFPG\tPG/UL612/ML\tLFML\tFL350\tM078\tZ09:45\tfirst flight"));
    EXPECT_EQ(FiledPlanRow(Filed("V", "120", "1405")),
              QStringLiteral("AFR123\t1230\tVFR\tB738\tLFPG\tPG/UL612/ML\tLFML\tFL350\t120kts\tZ14:05\tfirst flight"));
    for (const char *rules : {"Y", "", "i", "IFR"})
        EXPECT_EQ(FiledPlanRow(Filed(rules, "450", "0800")),
                  QStringLiteral("AFR123\t1230\tB738\tLFPG\tPG/UL612/ML\tLFML\tFL350\t450kts\tZ08:00\tfirst flight"))
            << rules;

    // A line too short raises; an empty route is a field like any other.
    t_tranches fields = Filed("I", "450", "0800");
    fields.removeLast();
    EXPECT_THROW(FiledPlanRow(fields), ConversionError);
    EXPECT_THROW(FiledPlanRow(SplitText(QStringLiteral(":"), QStringLiteral("$DEPOTFP:X"))), ConversionError);
    fields << QString();
    EXPECT_TRUE(FiledPlanRow(fields).contains(QStringLiteral("\tLFPG\t\tLFML\t")));
}
