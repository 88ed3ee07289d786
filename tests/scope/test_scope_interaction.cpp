// What the mouse and keys do to the model of the scope: picking, measuring, hovering,
// zooming and centring.
#include "scope/ScopeInteraction.h"
#include "traffic/TrafficOps.h"

#include "support/RecordingSender.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// 600 × 600 pixels around 0°/0°, one pixel a nautical mile: a degree is 60 pixels both
// ways, (0°, 0°) is at (300, 300).
const QSize kPicture(600, 600);
constexpr float kPixel = 1 / 60.0f; // degrees

using Recorder = test::RecordingSender;

VOR Beacon(const char *identifier, float lat, float lon)
{
    VOR v;
    v.identifier = QString::fromLatin1(identifier);
    v.latitude = lat;
    v.longitude = lon;
    return v;
}

struct Scope {
    int add(const char *callsign, float lon, int groundSpeed = 0)
    {
        ServerPosition position;
        position.callsign = QString::fromLatin1(callsign);
        position.lon = lon;
        position.groundSpeed = groundSpeed;
        return ApplyServerPosition(traffic, position, false, QDateTime::currentDateTimeUtc());
    }
    QList<int> click(QPoint p, bool shift = false)
    {
        return LeftClick(tools, traffic, link, sender, sector, view, kPicture, p, shift);
    }
    ScopeState tools;
    TrafficState traffic;
    LinkState link;
    Recorder sender;
    SectorTables sector;
    ViewState view{.scale = 1, .nmPerDegLat = 60, .nmPerDegLon = 60};
};

} // namespace

TEST(ScopeInteraction, EveryTargetUnderTheClickIsPickedInTableOrderAndHasItsHandoffAccepted)
{
    Scope s;
    s.link.OwnCallsign = QStringLiteral("LFLY_APP");
    const int first = s.add("AFR1", 3 * kPixel), second = s.add("AFR2", 0), beyond = s.add("AFR3", 4 * kPixel);
    for (int i : {first, second, beyond})
        s.traffic.table.edit(i).handoffFrom = QStringLiteral("LFMN_CTR");

    EXPECT_EQ(s.click(QPoint(300, 300)), (QList<int>{first, second}));
    EXPECT_EQ(s.traffic.SelectedAircraft, second);
    EXPECT_EQ(s.sender.sent, (QStringList{"$HALFLY_APP:LFMN_CTR:AFR1\r\n", "$CQLFLY_APP:SERVER:FP:AFR1\r\n",
                                           "$HALFLY_APP:LFMN_CTR:AFR2\r\n", "$CQLFLY_APP:SERVER:FP:AFR2\r\n"}));
    EXPECT_EQ(s.traffic.table[second].handoffFrom + "|" + s.traffic.table[beyond].handoffFrom, "|LFMN_CTR");
}

TEST(ScopeInteraction, AClickMeasuresFromTheSelectedAircraftPickedNowOrBefore)
{
    struct Case {
        int groundSpeed;
        float declination;
        QPoint click;
        const char *texts;
    } cases[] = {
        {120, 0, {300, 240}, "60.11|30.05|0"}, // one degree north
        {120, 5, {300, 240}, "60.11|30.05|5"},
        {600, 0, {360, 300}, "60.11|6.01|90"}, // one degree east
        {0, 0, {300, 360}, "60.11|?|180"},
        {-20, 0, {240, 300}, "60.11|?|270"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.texts);
        Scope s;
        s.view.declination = c.declination;
        const int index = s.add("AFR1", 0, c.groundSpeed);
        s.click(QPoint(300, 300));
        EXPECT_TRUE(s.click(c.click).isEmpty());
        EXPECT_EQ(s.traffic.SelectedAircraft, index) << "a click on nothing keeps the selection";
        const MeasuringCursor &m = s.tools.cursor;
        EXPECT_TRUE(m.shown);
        EXPECT_EQ(m.distanceText + "|" + m.timeText + "|" + m.bearingText, c.texts);
        EXPECT_EQ(m.point1, c.click);
    }
    Scope none;
    none.click(QPoint(10, 10));
    EXPECT_FALSE(none.tools.cursor.shown) << "no aircraft selected, nothing to measure from";
}

TEST(ScopeInteraction, ShiftClickStartsTheRangeLineThatFollowsThePointerUntilRelease)
{
    Scope s;
    s.click(QPoint(300, 300), true);
    UpdateRangeLine(s.tools, s.view, kPicture, QPoint(240, 300));
    const RangeLine &line = s.tools.rangeLine;
    EXPECT_EQ(QString::number(line.shown) + "|" + line.distanceText + "|" + line.bearingText, "1|60.11|270");
    EndMeasuring(s.tools);
    EXPECT_FALSE(line.shown);
}

TEST(ScopeInteraction, ThePickedPointIsTheLastFixElseTheLastVorElseTheLastNdbNearTheClick)
{
    // Points 3 pixels ("in") or 4 pixels ("off") east of the click.
    auto fix = [](const char *name, float lon) {
        FIXE f;
        f.name = QString::fromLatin1(name);
        f.longitude = lon;
        return f;
    };
    auto beacon = [](const char *name, float lon) { return Beacon(name, 0, lon); };
    const float in = 3 * kPixel, off = 4 * kPixel;
    struct Case {
        QList<FIXE> fixes;
        QList<VOR> vors, ndbs;
        const char *expected;
    } cases[] = {
        {{fix("F1   ", in), fix("F2   ", in), fix("F3   ", off)}, {beacon("V1  ", in)}, {beacon("N1   ", in)}, "F2"},
        {{fix("F3   ", off)}, {beacon("V1  ", in), beacon("V2  ", off)}, {beacon("N1   ", in)}, "V1"},
        {{}, {beacon("V2  ", off)}, {beacon("N1   ", in), beacon("N2   ", in)}, "N2"},
        {{fix("F3   ", off)}, {}, {beacon("N3   ", off)}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        Scope s;
        s.sector.fixes = c.fixes;
        s.sector.vors = c.vors;
        s.sector.ndbs = c.ndbs;
        s.tools.pickedPointName = QStringLiteral("before");
        s.click(QPoint(300, 300));
        EXPECT_EQ(s.tools.pickedPointName, c.expected);
    }
}

TEST(ScopeInteraction, HoveringShowsTheDetailsOfBeaconsWithinTenPixels)
{
    Scope s;
    s.sector.vors = {Beacon("", 0, 9 * kPixel), Beacon("", 10 * kPixel, 0)};
    s.sector.ndbs = {Beacon("", 0, 0)};
    s.sector.ndbs[0].detailsShown = 1;
    EXPECT_TRUE(HoverBeacons(s.sector, s.view, kPicture, QPoint(300, 300)));
    const QList<VOR> &vors = s.sector.vors;
    EXPECT_EQ(vors[0].detailsShown * 100 + vors[1].detailsShown * 10 + s.sector.ndbs[0].detailsShown, 101);
    EXPECT_FALSE(HoverBeacons(s.sector, s.view, kPicture, QPoint(301, 300))) << "nothing changed";
    EXPECT_TRUE(HoverBeacons(s.sector, s.view, kPicture, QPoint(0, 0)));
    EXPECT_EQ(s.sector.vors[0].detailsShown + s.sector.ndbs[0].detailsShown, 0);
}

TEST(ScopeInteraction, TheWheelZoomsUntilTheLimitsEitherWay)
{
    struct Case {
        float scale;
        int delta, sensitivity;
        float expected;
    } cases[] = {
        {999.9f, 120, 120, 1199.88f}, // range × scale 99990: still zooms in
        {1000, 120, 120, 1000},       // 100000 pixels: no further
        {7.2f, -120, 120, 6},         // 720 pixels shown over a 600-pixel client
        {6, -120, 120, 6},            // the client shows the range: no further
        {10, 120, 150, 15},
        {10, 0, 120, 10},
        {10, 120, 0, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.scale);
        ViewState view{.range = 100, .scale = c.scale};
        EXPECT_EQ(ZoomWheel(view, c.delta, c.sensitivity, 600), c.expected != c.scale);
        EXPECT_FLOAT_EQ(view.scale, c.expected);
    }
}

TEST(ScopeInteraction, CentringListsSortedIdentifiersAndTakesTheLastOfTheName)
{
    SectorTables sector;
    sector.vors = {Beacon("MTL ", 1, 1), Beacon("abc ", 2, 0), Beacon("MTL ", 3, 4), Beacon("LSE ", 5, 0)};
    EXPECT_EQ(PointIdentifiers(sector, PointTable::Vors), (QStringList{"abc", "LSE", "MTL", "MTL"}));
    ViewState view;
    EXPECT_TRUE(CentreOnPoint(view, sector, PointTable::Vors, QStringLiteral("MTL")));
    EXPECT_EQ(QPointF(view.centreLon, view.centreLat), QPointF(4, 3));
    EXPECT_FALSE(CentreOnPoint(view, sector, PointTable::Ndbs, QStringLiteral("MTL")));
}

} // namespace zaz::test
