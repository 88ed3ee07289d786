// The controllers table: records made, updated, freed and re-used by "%" and "#DA" lines.
#include "core/IniFile.h"
#include "core/RadarState.h"
#include "link/Controllers.h"
#include "link/LineProtocol.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zaz;

namespace {

const QDateTime kNoon(QDate(2026, 12, 6), QTime(12, 0, 0));

t_tranches Line(const QString &text)
{
    return SplitText(QStringLiteral(":"), text);
}

// "%" + callsign with frequency 18700, facility 4, range 30, rating 5 unless given.
t_tranches Position(const QString &callsign, const QString &range = QStringLiteral("30"),
                    const QString &altitude = QStringLiteral("0"))
{
    return Line(QStringLiteral("%%1:18700:4:%2:5:45.72:5.08:%3").arg(callsign, range, altitude));
}

class Controllers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<IniFile>(dir.filePath(QStringLiteral("ZAZ.ini")));
        ASSERT_TRUE(settings->WriteString(QStringLiteral("facility"), QStringLiteral("4"), QStringLiteral("Tower")));
        ASSERT_TRUE(settings->WriteString(QStringLiteral("facility"), QStringLiteral("6"), QStringLiteral("Center")));
        ASSERT_TRUE(settings->WriteString(QStringLiteral("rating"), QStringLiteral("5"), QStringLiteral("C1")));
        QObject::connect(&s.notifier, &StateNotifier::controllersChanged, [this] { ++changes; });
    }

    int Apply(const t_tranches &fields, const QDateTime &now = kNoon)
    {
        return ApplyControllerPosition(s, fields, now, settings.get());
    }

    const t_controller &At(int index) const { return s.controllers.ControllerTable[index]; }

    QTemporaryDir dir;
    std::unique_ptr<IniFile> settings;
    RadarState s;
    int changes = 0;
};

} // namespace

TEST_F(Controllers, NewControllerIsFilledFromTheLineAndTheSettings)
{
    const int i = Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("-120")));
    ASSERT_EQ(i, 0);
    const t_controller &c = At(0);
    EXPECT_EQ(c.callsign, QStringLiteral("LFLL_TWR"));
    EXPECT_EQ(c.frequency, QStringLiteral("118700"));
    EXPECT_EQ(c.facilityText, QStringLiteral("Tower"));
    EXPECT_EQ(c.ratingText, QStringLiteral("C1"));
    EXPECT_EQ(c.range, 30);
    EXPECT_FLOAT_EQ(c.lat, 45.72f);
    EXPECT_FLOAT_EQ(c.lon, 5.08f);
    EXPECT_EQ(c.altitude, -120);
    EXPECT_EQ(c.lastSeen, kNoon);
    EXPECT_FALSE(c.inRadioList);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"0"}));
    EXPECT_EQ(s.controllers.ControllerCount, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(Controllers, KnownControllerIsUpdatedInPlace)
{
    Apply(Position(QStringLiteral("LFLL_TWR")));
    Apply(Position(QStringLiteral("LFLL_APP")));
    s.controllers.ControllerTable[0].inRadioList = true;

    const QDateTime later = kNoon.addSecs(10);
    EXPECT_EQ(Apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:3000")), later), 0);
    const t_controller &c = At(0);
    EXPECT_EQ(c.frequency, QStringLiteral("120350"));
    EXPECT_EQ(c.facilityText, QStringLiteral("Center"));
    EXPECT_EQ(c.range, 400);
    EXPECT_FLOAT_EQ(c.lat, 46.5f);
    EXPECT_FLOAT_EQ(c.lon, -1.25f);
    EXPECT_EQ(c.altitude, 3000);
    EXPECT_EQ(c.lastSeen, later);
    EXPECT_TRUE(c.inRadioList) << "an update keeps the radio-window choice";
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"0", "1"}));
    EXPECT_EQ(s.controllers.ControllerCount, 2);
    EXPECT_EQ(changes, 3);

    // Callsigns match exactly: a prefix or another case is another controller.
    EXPECT_EQ(Apply(Position(QStringLiteral("LFLL_TW"))), 2);
    EXPECT_EQ(Apply(Position(QStringLiteral("lfll_twr"))), 3);
}

TEST_F(Controllers, CodesWithoutTextGiveError)
{
    Apply(Line(QStringLiteral("%EGLL_GND:21900:3:5:12:51.5:-0.45:0")));
    EXPECT_EQ(At(0).facilityText, QStringLiteral("error"));
    EXPECT_EQ(At(0).ratingText, QStringLiteral("error"));

    ApplyControllerPosition(s, Position(QStringLiteral("LFLL_TWR")), kNoon, nullptr);
    EXPECT_EQ(At(1).facilityText, QStringLiteral("error"));
    EXPECT_EQ(At(1).ratingText, QStringLiteral("error"));
}

TEST_F(Controllers, FreedRecordsAreReusedHighestFirst)
{
    for (const char *cs : {"C0", "C1", "C2", "C3"})
        Apply(Position(QLatin1String(cs)));
    s.controllers.ControllerTable[3].inRadioList = true;
    RemoveController(s, 1);
    RemoveController(s, 3);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"0", "2"}));
    EXPECT_EQ(s.controllers.ControllerCount, 2);

    // The one that left comes back on the highest free record, not offered to the radio.
    EXPECT_EQ(Apply(Position(QStringLiteral("C3"))), 3);
    EXPECT_FALSE(At(3).inRadioList);
    EXPECT_EQ(Apply(Position(QStringLiteral("N1"))), 1);
    EXPECT_EQ(Apply(Position(QStringLiteral("N4"))), 4);
    EXPECT_EQ(s.controllers.ControllerTable.size(), 5);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"0", "2", "3", "1", "4"}));
    EXPECT_EQ(s.controllers.ControllerCount, 5);
}

TEST_F(Controllers, FailingLineForANewControllerLeavesNoRecord)
{
    EXPECT_THROW(Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("3O"))), ConversionError);
    EXPECT_THROW(Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("1e3"))),
                 ConversionError);
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7:5.1"))), LineError);
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR"))), LineError);
    EXPECT_TRUE(s.controllers.ControllerTable.isEmpty());
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());
    EXPECT_EQ(s.controllers.ControllerCount, 0);
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("LFLL_TWR")), kNoIndex);
    EXPECT_EQ(changes, 0);

    // The same failure on a freed record does not take it either.
    Apply(Position(QStringLiteral("A")));
    RemoveController(s, 0);
    EXPECT_THROW(Apply(Position(QStringLiteral("B"), QStringLiteral("x"))), ConversionError);
    EXPECT_TRUE(At(0).callsign.isEmpty());
    EXPECT_EQ(s.controllers.ControllerCount, 0);

    // Coordinates are read leniently and never fail; the next good line creates normally.
    EXPECT_EQ(Apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7N:abc:0"))), 0);
    EXPECT_FLOAT_EQ(At(0).lat, 45.7f);
    EXPECT_FLOAT_EQ(At(0).lon, 0.0f);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"0"}));
}

TEST_F(Controllers, FailingLineForAKnownControllerKeepsTheFieldsBeforeTheError)
{
    Apply(Position(QStringLiteral("LFLL_TWR")));
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:high"))), ConversionError);
    EXPECT_EQ(At(0).frequency, QStringLiteral("120350"));
    EXPECT_EQ(At(0).range, 400);
    EXPECT_FLOAT_EQ(At(0).lon, -1.25f);
    EXPECT_EQ(At(0).altitude, 0);
    EXPECT_EQ(s.controllers.ControllerCount, 1);
}

TEST_F(Controllers, LineWithoutCallsignNamesNoController)
{
    Apply(Position(QStringLiteral("A")));
    RemoveController(s, 0);
    EXPECT_EQ(Apply(Position(QString())), kNoIndex);
    EXPECT_TRUE(At(0).callsign.isEmpty());
    EXPECT_EQ(s.controllers.ControllerCount, 0);
    // A free record has an empty callsign, yet an empty callsign finds nothing.
    EXPECT_EQ(FindController(s.controllers, QString()), kNoIndex);
}

TEST_F(Controllers, RemovalFreesTheRecordOnce)
{
    Apply(Position(QStringLiteral("A")));
    Apply(Position(QStringLiteral("B")));
    changes = 0;
    RemoveController(s, 0);
    EXPECT_TRUE(At(0).callsign.isEmpty());
    EXPECT_EQ(At(0).lat, 9999.0f);
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("A")), kNoIndex);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"1"}));
    EXPECT_EQ(s.controllers.ControllerCount, 1);
    EXPECT_EQ(changes, 1);

    // A second "#DA", an index out of the table: nothing changes, the count stays right.
    for (int index : {0, -1, 2, kNoIndex})
        RemoveController(s, index);
    EXPECT_EQ(s.controllers.ControllerCount, 1);
    EXPECT_EQ(s.controllers.ControllerList, QStringList({"1"}));
    EXPECT_EQ(changes, 1);
    RemoveController(s, 1);
    EXPECT_EQ(s.controllers.ControllerCount, 0);
    EXPECT_TRUE(s.controllers.ControllerList.isEmpty());
}

TEST_F(Controllers, FullTableRefusesANewControllerButUpdatesKnownOnes)
{
    s.controllers.ControllerTable.resize(kMaxControllers);
    for (int i = 0; i < kMaxControllers; ++i)
        s.controllers.ControllerTable[i].callsign = QStringLiteral("C%1").arg(i);
    EXPECT_THROW(Apply(Position(QStringLiteral("NEW"))), LineError);
    EXPECT_EQ(s.controllers.ControllerTable.size(), kMaxControllers);
    EXPECT_EQ(Apply(Position(QStringLiteral("C9998"))), 9998);
    RemoveController(s, 17);
    EXPECT_EQ(Apply(Position(QStringLiteral("NEW"))), 17);
}
