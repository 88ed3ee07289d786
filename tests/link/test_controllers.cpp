// The controllers table: records made, updated, freed and re-used by "%" and "#DA" lines.
#include "core/IniFile.h"
#include "state/RadarState.h"
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
        ASSERT_TRUE(settings->writeString(QStringLiteral("facility"), QStringLiteral("4"), QStringLiteral("Tower")));
        ASSERT_TRUE(settings->writeString(QStringLiteral("facility"), QStringLiteral("6"), QStringLiteral("Center")));
        ASSERT_TRUE(settings->writeString(QStringLiteral("rating"), QStringLiteral("5"), QStringLiteral("C1")));
        QObject::connect(&s.notifier, &StateNotifier::controllersChanged, [this] { ++changes; });
    }

    int apply(const t_tranches &fields, const QDateTime &now = kNoon)
    {
        return ApplyControllerPosition(s, fields, now, settings.get());
    }
    const t_controller &at(int index) const { return s.controllers.ControllerTable[index]; }
    void expectListed(const QStringList &list)
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
    ASSERT_EQ(apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("-120"))), 0);
    EXPECT_EQ(Describe(at(0)), QStringLiteral("LFLL_TWR 118700 Tower C1 30 45.72 5.08 -120"));
    EXPECT_EQ(at(0).lastSeen, kNoon);
    EXPECT_FALSE(at(0).inRadioList);
    apply(Position(QStringLiteral("LFLL_APP")));
    s.controllers.ControllerTable[0].inRadioList = true;

    const QDateTime later = kNoon.addSecs(10);
    EXPECT_EQ(apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:3000")), later), 0);
    EXPECT_EQ(Describe(at(0)), QStringLiteral("LFLL_TWR 120350 Center C1 400 46.5 -1.25 3000"));
    EXPECT_EQ(at(0).lastSeen, later);
    EXPECT_TRUE(at(0).inRadioList) << "an update keeps the radio-window choice";
    expectListed({"0", "1"});
    EXPECT_EQ(changes, 3);

    // Callsigns match exactly: a prefix or another case is another controller.
    EXPECT_EQ(apply(Position(QStringLiteral("LFLL_TW"))), 2);
    EXPECT_EQ(apply(Position(QStringLiteral("lfll_twr"))), 3);

    // Codes the settings lack, or no settings at all, read "error".
    apply(Line(QStringLiteral("%EGLL_GND:21900:3:5:12:51.5:-0.45:0")));
    ApplyControllerPosition(s, Position(QStringLiteral("LFLL_DEL")), kNoon, nullptr);
    for (int i : {4, 5})
        EXPECT_EQ(at(i).facilityText + at(i).ratingText, QStringLiteral("errorerror")) << i;
}

TEST_F(Controllers, FailingLinesLeaveNoRecordForANewControllerAndKeepTheFieldsReadForAKnownOne)
{
    EXPECT_THROW(apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("3O"))), ConversionError);
    EXPECT_THROW(apply(Position(QStringLiteral("LFLL_TWR"), QStringLiteral("30"), QStringLiteral("1e3"))),
                 ConversionError);
    EXPECT_THROW(apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7:5.1"))), LineError);
    EXPECT_THROW(apply(Line(QStringLiteral("%LFLL_TWR"))), LineError);
    EXPECT_TRUE(s.controllers.ControllerTable.isEmpty());
    expectListed({});
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("LFLL_TWR")), kNoIndex);
    EXPECT_EQ(changes, 0);

    // The same on a freed record does not take it; nor does a line without a callsign,
    // though a free record has an empty callsign.
    apply(Position(QStringLiteral("A")));
    RemoveController(s, 0);
    EXPECT_THROW(apply(Position(QStringLiteral("B"), QStringLiteral("x"))), ConversionError);
    EXPECT_EQ(apply(Position(QString())), kNoIndex);
    EXPECT_EQ(FindController(s.controllers, QString()), kNoIndex);
    EXPECT_TRUE(at(0).callsign.isEmpty());
    expectListed({});

    // Coordinates are read leniently and never fail.
    EXPECT_EQ(apply(Line(QStringLiteral("%LFLL_TWR:18700:4:30:5:45.7N:abc:0"))), 0);
    EXPECT_EQ(Describe(at(0)), QStringLiteral("LFLL_TWR 118700 Tower C1 30 45.7 0 0"));

    // A known controller keeps the fields before the failing one.
    EXPECT_THROW(apply(Line(QStringLiteral("%LFLL_TWR:20350:6:400:5:46.5:-1.25:high"))), ConversionError);
    EXPECT_EQ(Describe(at(0)), QStringLiteral("LFLL_TWR 120350 Center C1 400 46.5 -1.25 0"));
    expectListed({"0"});
}

TEST_F(Controllers, RemovalFreesTheRecordOnceAndFreedRecordsAreReusedHighestFirst)
{
    for (const char *cs : {"C0", "C1", "C2", "C3"})
        apply(Position(QLatin1String(cs)));
    s.controllers.ControllerTable[3].inRadioList = true;
    changes = 0;
    RemoveController(s, 1);
    EXPECT_TRUE(at(1).callsign.isEmpty());
    EXPECT_EQ(at(1).lat, 9999.0f);
    EXPECT_EQ(FindController(s.controllers, QStringLiteral("C1")), kNoIndex);
    RemoveController(s, 3);
    expectListed({"0", "2"});
    // A second "#DA", an index out of the table: nothing changes.
    for (int index : {1, -1, 4, kNoIndex})
        RemoveController(s, index);
    expectListed({"0", "2"});
    EXPECT_EQ(changes, 2);

    // The one that left comes back on the highest free record, not offered to the radio.
    EXPECT_EQ(apply(Position(QStringLiteral("C3"))), 3);
    EXPECT_FALSE(at(3).inRadioList);
    EXPECT_EQ(apply(Position(QStringLiteral("N1"))), 1);
    EXPECT_EQ(apply(Position(QStringLiteral("N4"))), 4);
    expectListed({"0", "2", "3", "1", "4"});
}

TEST_F(Controllers, FullTableRefusesANewControllerButUpdatesKnownOnes)
{
    s.controllers.ControllerTable.resize(kMaxControllers);
    for (int i = 0; i < kMaxControllers; ++i)
        s.controllers.ControllerTable[i].callsign = QStringLiteral("C%1").arg(i);
    EXPECT_THROW(apply(Position(QStringLiteral("NEW"))), LineError);
    EXPECT_EQ(s.controllers.ControllerTable.size(), kMaxControllers);
    EXPECT_EQ(apply(Position(QStringLiteral("C9998"))), 9998);
    RemoveController(s, 17);
    EXPECT_EQ(apply(Position(QStringLiteral("NEW"))), 17);
}
