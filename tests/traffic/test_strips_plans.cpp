// The strip store (keys, new lines, removal) and the rows of filed flight plans.
#include "core/RadarState.h"
#include "traffic/FiledPlans.h"
#include "traffic/StripStore.h"

#include <gtest/gtest.h>

using namespace zaz;

TEST(StripStore, KeysAndNewLinesKeepTheirWidths)
{
    EXPECT_EQ(StripKey(0), QStringLiteral("000"));
    EXPECT_EQ(StripKey(7), QStringLiteral("007"));
    EXPECT_EQ(StripKey(42), QStringLiteral("042"));
    EXPECT_EQ(StripKey(999), QStringLiteral("999"));
    EXPECT_EQ(StripKey(1234), QStringLiteral("1234"));

    const QString line = NewStripLine(7, QTime(9, 5, 3));
    EXPECT_EQ(line, QStringLiteral("00709:05:03") + QString(50, QLatin1Char(' ')));
    EXPECT_EQ(line.size(), kStripLength);
    EXPECT_EQ(NewStripLine(1234, QTime(23, 59, 59)).left(12), QStringLiteral("123423:59:59"));
    EXPECT_EQ(NewStripLine(1234, QTime(23, 59, 59)).size(), kStripLength);
}

namespace {

class Strips : public ::testing::Test {
protected:
    void SetUp() override
    {
        TrafficTable &t = s.traffic.table;
        for (int i = 0; i < 101; ++i) {
            const int index = t.AcquireRecord();
            t.SetCallsign(index, QStringLiteral("AC%1").arg(index));
        }
        for (int index : {3, 10, 100}) {
            s.strips.lines << NewStripLine(index, QTime(10, 0, 0));
            s.strips.keys << StripKey(index);
            AVION &a = t.Edit(index);
            a.hasStrip = true;
            a.handoffState = QStringLiteral("D");
            a.commandPending = true;
        }
        QObject::connect(&s.notifier, &StateNotifier::stripsChanged, [this] { ++changes; });
    }

    RadarState s;
    int changes = 0;
};

} // namespace

TEST_F(Strips, RemovalTakesTheLineAndKeyAtTheSamePosition)
{
    EXPECT_EQ(StripPosition(s.strips, 10), 1);
    EXPECT_EQ(StripPosition(s.strips, 1), -1) << "keys match whole, \"010\" is not index 1";

    RemoveStrip(s, 10);
    EXPECT_EQ(s.strips.keys, QStringList({"003", "100"}));
    ASSERT_EQ(s.strips.lines.size(), 2);
    EXPECT_TRUE(s.strips.lines[0].startsWith(QStringLiteral("003")));
    EXPECT_TRUE(s.strips.lines[1].startsWith(QStringLiteral("100")));
    const AVION &gone = s.traffic.table[10];
    EXPECT_FALSE(gone.hasStrip);
    EXPECT_TRUE(gone.handoffState.isEmpty());
    EXPECT_FALSE(gone.commandPending);
    EXPECT_EQ(changes, 1);

    // The other aircraft keep their marks.
    EXPECT_TRUE(s.traffic.table[100].hasStrip);
    EXPECT_EQ(s.traffic.table[100].handoffState, QStringLiteral("D"));
    EXPECT_TRUE(s.traffic.table[3].commandPending);
}

TEST_F(Strips, AircraftWithoutAStripChangesNothing)
{
    AVION &a = s.traffic.table.Edit(5);
    a.commandPending = true;
    for (int index : {5, 1, -1, kNoAircraft})
        RemoveStrip(s, index);
    EXPECT_EQ(s.strips.keys, QStringList({"003", "010", "100"}));
    EXPECT_EQ(s.strips.lines.size(), 3);
    EXPECT_TRUE(s.traffic.table[5].commandPending);
    EXPECT_EQ(changes, 0);
}

TEST_F(Strips, StripOfAnIndexOutsideTheTableIsStillRemoved)
{
    s.strips.lines << NewStripLine(500, QTime(11, 0, 0));
    s.strips.keys << StripKey(500);
    RemoveStrip(s, 500);
    EXPECT_EQ(s.strips.keys, QStringList({"003", "010", "100"}));
    EXPECT_EQ(s.strips.lines.size(), 3);
    EXPECT_EQ(changes, 1);
}

namespace {

// A "$DEPOTFP" line with the given flight rules, speed and actual departure time.
t_tranches Filed(const QString &rules, const QString &speed, const QString &atd)
{
    return SplitText(QStringLiteral(":"),
                     QStringLiteral("$DEPOTFP-42:LFLL_APP:AFR123:%1:B738:%2:LFPG:1230:%3:350:LFML:1:20:3:00:"
                                    "LFMN:first flight:PG/UL612/ML")
                         .arg(rules, speed, atd));
}

} // namespace

TEST(FiledPlans, RowColumnsInOrder)
{
    EXPECT_EQ(FiledPlanRow(Filed(QStringLiteral("I"), QStringLiteral("078"), QStringLiteral("945"))),
              QStringLiteral("AFR123\t1230\tIFR\tB738\tLFPG\tPG/UL612/ML\tLFML\tFL350\tM078\tZ09:45\tfirst flight"));
    EXPECT_EQ(FiledPlanRow(Filed(QStringLiteral("V"), QStringLiteral("120"), QStringLiteral("1405"))),
              QStringLiteral("AFR123\t1230\tVFR\tB738\tLFPG\tPG/UL612/ML\tLFML\tFL350\t120kts\tZ14:05\tfirst flight"));
}

TEST(FiledPlans, OtherRulesGiveNoColumn)
{
    for (const char *rules : {"Y", "", "i", "IFR"}) {
        const QStringList columns =
            FiledPlanRow(Filed(QLatin1String(rules), QStringLiteral("450"), QStringLiteral("0800")))
                .split(QLatin1Char('\t'));
        ASSERT_EQ(columns.size(), 10) << rules;
        EXPECT_EQ(columns[2], QStringLiteral("B738")) << rules;
        EXPECT_EQ(columns[7], QStringLiteral("450kts"));
        EXPECT_EQ(columns[8], QStringLiteral("Z08:00"));
    }
}

TEST(FiledPlans, ShortLineRaises)
{
    t_tranches fields = Filed(QStringLiteral("I"), QStringLiteral("450"), QStringLiteral("0800"));
    fields.removeLast();
    EXPECT_THROW(FiledPlanRow(fields), ConversionError);
    EXPECT_THROW(FiledPlanRow(SplitText(QStringLiteral(":"), QStringLiteral("$DEPOTFP:X"))), ConversionError);
    // An empty route is a field like any other.
    fields << QString();
    EXPECT_TRUE(FiledPlanRow(fields).contains(QStringLiteral("\tLFPG\t\tLFML\t")));
}
