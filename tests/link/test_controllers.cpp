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

// The fields a line sets, in one text.
QString Describe(const t_controller &c)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(c.callsign, c.frequency, c.facilityText, c.ratingText)
        .arg(c.range)
        .arg(double(c.lat))
        .arg(double(c.lon))
        .arg(c.altitude);
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
    void ExpectListed(const QStringList &list)
    {
        EXPECT_EQ(s.controllers.ControllerList, list);
        EXPECT_EQ(s.controllers.ControllerCount, list.size());
    }

    QTemporaryDir dir;
    std::unique_ptr<IniFile> settings;
    RadarState s;
    int changes = 0;
};

} // namespace

TEST_F(Controllers, NewControllersAreFilledFromTheLineAndKnownOnesUpdatedInPlace)
{
    ASSERT_EQ(Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("-120"))), 0);
    EXPECT_EQ(Describe(At(0)), QStringLiteral("LFLL_TWR 118700 Tower C1 30 45.72 5.08 -120"));
    EXPECT_EQ(At(0).lastSeen, kNoon);
    EXPECT_FALSE(At(0).inRadioList);
    Apply(Position(QStringLiteral("LFLL_APP")));
    s.controllers.ControllerTable[0].inRadioList = true;

    const QDateTime later = kNoon.addSecs(10);
    EXPECT_EQ(Apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:3000")), later), 0);
    EXPECT_EQ(Describe(At(0)), QStringLiteral("LFLL_TWR 120350 Center C1 400 46.5 -1.25 3000"));
    EXPECT_EQ(At(0).lastSeen, later);
    EXPECT_TRUE(At(0).inRadioList) << "an update keeps the radio-window choice";
    ExpectListed({"0", "1"});
    EXPECT_EQ(changes, 3);

    // Callsigns match exactly: a prefix or another case is another controller.
    EXPECT_EQ(Apply(Position(QStringLiteral("LFLL_TW"))), 2);
    EXPECT_EQ(Apply(Position(QStringLiteral("lfll_twr"))), 3);

    // Codes the settings lack, or no settings at all, read "error".
    Apply(Line(QStringLiteral("%EGLL_GND:21900:3:5:12:51.5:-0.45:0")));
    ApplyControllerPosition(s, Position(QStringLiteral("LFLL_DEL")), kNoon, nullptr);
    for (int i : {4, 5})
        EXPECT_EQ(At(i).facilityText + At(i).ratingText, QStringLiteral("errorerror")) << i;
}

TEST_F(Controllers, FailingLinesLeaveNoRecordForANewControllerAndKeepTheFieldsReadForAKnownOne)
{
    EXPECT_THROW(Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("3O"))), ConversionError);
    EXPECT_THROW(Apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("1e3"))),
                 ConversionError);
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7:5.1"))), LineError);
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR"))), LineError);
    EXPECT_TRUE(s.controllers.ControllerTable.isEmpty());
    ExpectListed({});
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("LFLL_TWR")), kNoIndex);
    EXPECT_EQ(changes, 0);

    // The same on a freed record does not take it; nor does a line without a callsign,
    // though a free record has an empty callsign.
    Apply(Position(QStringLiteral("A")));
    RemoveController(s, 0);
    EXPECT_THROW(Apply(Position(QStringLiteral("B"), QStringLiteral("x"))), ConversionError);
    EXPECT_EQ(Apply(Position(QString())), kNoIndex);
    EXPECT_EQ(FindController(s.controllers, QString()), kNoIndex);
    EXPECT_TRUE(At(0).callsign.isEmpty());
    ExpectListed({});

    // Coordinates are read leniently and never fail.
    EXPECT_EQ(Apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7N:abc:0"))), 0);
    EXPECT_EQ(Describe(At(0)), QStringLiteral("LFLL_TWR 118700 Tower C1 30 45.7 0 0"));

    // A known controller keeps the fields before the failing one.
    EXPECT_THROW(Apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:high"))), ConversionError);
    EXPECT_EQ(Describe(At(0)), QStringLiteral("LFLL_TWR 120350 Center C1 400 46.5 -1.25 0"));
    ExpectListed({"0"});
}

TEST_F(Controllers, RemovalFreesTheRecordOnceAndFreedRecordsAreReusedHighestFirst)
{
    for (const char *cs : {"C0", "C1", "C2", "C3"})
        Apply(Position(QLatin1String(cs)));
    s.controllers.ControllerTable[3].inRadioList = true;
    changes = 0;
    RemoveController(s, 1);
    EXPECT_TRUE(At(1).callsign.isEmpty());
    EXPECT_EQ(At(1).lat, 9999.0f);
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("C1")), kNoIndex);
    RemoveController(s, 3);
    ExpectListed({"0", "2"});
    // A second "#DA", an index out of the table: nothing changes.
    for (int index : {1, -1, 4, kNoIndex})
        RemoveController(s, index);
    ExpectListed({"0", "2"});
    EXPECT_EQ(changes, 2);

    // The one that left comes back on the highest free record, not offered to the radio.
    EXPECT_EQ(Apply(Position(QStringLiteral("C3"))), 3);
    EXPECT_FALSE(At(3).inRadioList);
    EXPECT_EQ(Apply(Position(QStringLiteral("N1"))), 1);
    EXPECT_EQ(Apply(Position(QStringLiteral("N4"))), 4);
    ExpectListed({"0", "2", "3", "1", "4"});
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
