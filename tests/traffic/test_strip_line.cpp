// The strip line's fields, the strip configuration readers and the saving of a strip.
#include "core/IniFile.h"
#include "traffic/StripCatalogs.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficOps.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zaz;

static QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

TEST(StripLine, FieldsReadAndWriteTheirColumns)
{
    // Every field in column order with a text of its full width: joined, they are a strip.
    using enum StripField;
    const struct { StripField field; const char *text; } reference[] = {
        {Key, "007"}, {ControlStart, "12:34:56"}, {Clearance, "c"}, {Sid, "003"}, {ClearedLevel, "090"}, {Startup, "m"},
        {Taxi, "t"}, {Takeoff, "o"}, {Point, "MOKIP"}, {Heading, "270"}, {Level, "120"}, {EnRoute, "r"}, {Holding, "h"},
        {Approach, "i"}, {Landing, "l"}, {Parking, "p"}, {FlightKind, "D"}, {Speed, "250"}, {Position, "TWR"},
        {HandoffMark, "d"}, {HandoffController, "LFMN_APP"}, {Star, "012"}, {NextPoint, "07"}};
    QString joined, line = Blanks(61);
    for (const auto &f : reference) {
        SetStripText(line, f.field, QLatin1String(f.text));
        EXPECT_EQ(StripText(line, f.field), QLatin1String(f.text));
        joined += QLatin1String(f.text);
    }
    EXPECT_EQ(line, joined + Blanks(3));

    const StripRecord record = ParseStripLine(line);
    EXPECT_EQ(record.handoffMark + record.handoffController + record.star, "dLFMN_APP012");
    EXPECT_EQ(WithStripRecord(Blanks(61), record), line.left(44) + Blanks(17));
    // A short line reads blanks, and a record without statuses writes blanks.
    EXPECT_EQ(ParseStripLine(QStringLiteral("007 12")).clearance, QLatin1Char(' '));
    EXPECT_EQ(FormatStripLine(StripRecord{}), Blanks(44));
}

TEST(StripLine, WritingFitsTheFieldAndKeepsTheRest)
{
    const struct { QString line; StripField field; QString text; int number; QString expected; } cases[] = {
        {"0071234567890123", StripField::Sid, "7", 0, "0071234567897  3"},
        {Blanks(61), StripField::HandoffController, "LFMN_APPROACH", 0, Blanks(45) + "LFMN_APP" + Blanks(8)},
        {"007", StripField::ClearedLevel, {}, 90, "007" + Blanks(12) + "090"},
        {Blanks(61), StripField::NextPoint, {}, -1, Blanks(56) + "-1" + Blanks(3)},
    };
    for (const auto &c : cases) {
        QString line = c.line;
        if (!c.text.isNull()) // a text case, else a number case
            SetStripText(line, c.field, c.text);
        else
            SetStripNumber(line, c.field, c.number);
        EXPECT_EQ(line, c.expected);
    }
}

TEST(StripSave, OnlyStepsWaitingForThePilotMarkTheAircraft)
{
    TrafficState traffic;
    const int index = traffic.table.AcquireRecord();
    traffic.table.setCallsign(index, QStringLiteral("AFR1"));
    ASSERT_TRUE(AddStrip(traffic, index, NewStripLine(index, QTime(10, 0))));
    using enum StripField;
    const struct { StripField field; bool pending; } cases[] = {
        {Clearance, true}, {Startup, true}, {Taxi, true}, {Takeoff, true}, {EnRoute, true}, {Parking, true},
        {Landing, false}, {Holding, false}, {Approach, false}, {FlightKind, false}, {HandoffMark, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(StripColumn(c.field));
        QString line = *StripLineOf(traffic, index);
        SetStripText(line, c.field, QStringLiteral("A"));
        EXPECT_TRUE(SaveStrip(traffic, QStringLiteral("AFR1"), line));
        EXPECT_EQ(traffic.table[index].commandPending, c.pending);
        EXPECT_EQ(*StripLineOf(traffic, index), line);
        SetStripText(line, c.field, QStringLiteral("X"));
        SaveStrip(traffic, QStringLiteral("AFR1"), line);
        EXPECT_FALSE(traffic.table[index].commandPending);
    }
    EXPECT_FALSE(SaveStrip(traffic, QStringLiteral("BAW2"), Blanks(61)));
}

TEST(StripCatalogs, ReadTheFilesInTheirOrder)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("strips.ini")));
    ASSERT_TRUE(ini.loadFromBytes("[TWR]\ndecollage=Decollage\natterrissage=Atterrissage\n"
                                  "[decollage]\nL=aligne\nA=point d'arret=attente\nbonjour=bonjour $NIV\n"));
    EXPECT_EQ(PositionSteps(ini, QStringLiteral("TWR")).value(1).caption, "Atterrissage");
    EXPECT_EQ(StepStatuses(ini, QStringLiteral("decollage")).value(1).text, "point d'arret=attente");
    EXPECT_EQ(StepMessages(ini, QStringLiteral("decollage")).last().text, "bonjour $NIV");
    EXPECT_EQ(MessageTemplate(ini, QStringLiteral("decollage"), QStringLiteral("absent")), "ERROR");
}
