// The pixel rules of the scope picture, drawn straightforwardly after the model's step (the
// program's renderer gives the same pixels): the map layers and their order, symbols,
// names and runways, range rings, the targets and their labels, rings and trails, the text
// block and the measuring tools. The picture is 400 x 300, centred on 0°/0° at 3 pixels a
// nautical mile (180 pixels a degree), with a colour of its own for every colour-table entry
// on black. Lines cover their first pixel, not their last.
#include "support/PixelChecks.h"
#include "support/ScopeFixture.h"
#include "scope/ScopeRenderer.h"
#include "scope/TrafficLayer.h"
#include "state/Ticks.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

using PixelTest = std::function<bool(int, int)>;
const QRect kAll(0, 0, 400, 300);
// None black but the background, none repeated, none the cyan or red of the text block.
const QColor kColours[kColourCount] = {
    {0, 0, 0},       {255, 0, 1},     {0, 255, 0},     {0, 0, 255},   {255, 255, 0},  {255, 0, 255}, {0, 254, 254},
    {255, 128, 0},   {128, 255, 0},   {0, 128, 255},   {255, 0, 128}, {128, 0, 255},  {0, 255, 128}, {128, 128, 128},
    {255, 255, 255}, {64, 64, 192},   {192, 64, 64},   {64, 192, 64}, {192, 192, 64}, {64, 192, 192}, {200, 100, 50}};
const QColor kTarget = kColours[kColTarget], kCyan(0, 255, 255), kRed(255, 0, 0);
const QColor kGeo(10, 200, 90);

// Pixels more than a pixel off the circle of radius r around (cx, cy).
PixelTest OffRing(int cx, int cy, double r)
{
    return [=](int x, int y) { return std::abs(std::hypot(x - cx, y - cy) - r) >= 1; };
}

struct Probe { // pixels of a colour (or of its ink) in an area, but those skip names: from least to most
    const char *what; QRect area; QColor colour; bool ink; int least, most; PixelTest skip = {};
};

class ScopePixels : public ::testing::Test {
protected:
    ScopePixels()
    {
        test::PrepareTestScope(s_, kColours, 3);
        s_.settings.display.labelMode = 1; // labels only where a test asks for them (transponder "N")
        s_.link.serverType = QStringLiteral("VIREO-SERVER");
    }
    float lat(double x, double y) { return float(test::PixelToGeo(s_.view, kAll.size(), x, y).y()); }
    float lon(double x, double y) { return float(test::PixelToGeo(s_.view, kAll.size(), x, y).x()); }
    float lat(QPoint p) { return lat(p.x(), p.y()); }
    float lon(QPoint p) { return lon(p.x(), p.y()); }
    template <typename R> R at(R r, double x, double y) { return r.latitude = lat(x, y), r.longitude = lon(x, y), r; }
    RouteSegment seg(QLine l) { return {lat(l.p1()), lon(l.p1()), lat(l.p2()), lon(l.p2())}; }
    // A live aircraft at the pixel (x, y) heading north at 300 kt, its whole trail there (the
    // record is valid until the next one is added).
    AVION &add(const char *callsign, double x, double y, int altitude = 12000)
    {
        const ServerPosition p{"S", QLatin1String(callsign), "1000", "1", lat(x, y), lon(x, y), altitude, 300, 0};
        return s_.traffic.table.edit(ApplyServerPosition(s_.traffic, p, true, now_));
    }
    AVION &plane(const char *callsign) { return s_.traffic.table.edit(s_.traffic.table.FindAircraft(callsign)); }
    // The model's step, then the picture (the map layers alone when asked).
    const QImage &draw(bool mapOnly = false)
    {
        picture_.fill(QColor(77, 66, 55)); // anything left from before must be painted over
        StepBeforeRedraw(s_, now_);
        mapOnly ? DrawMapLayers(picture_, SceneOf(s_)) : DrawScopeStraight(picture_, SceneOf(s_), now_);
        return picture_;
    }
    int count(QRect area, QColor c, const PixelTest &skip = {}, bool ink = false)
    {
        return test::Count(picture_, area, c, skip, ink);
    }
    void check(std::initializer_list<Probe> probes)
    {
        for (const Probe &p : probes)
            if (const int n = count(p.area, p.colour, p.skip, p.ink); n < p.least || n > p.most)
                ADD_FAILURE() << p.what << ": " << n;
    }
    // Whether the picture shows exactly these lines, dy apart, the first with its top-left
    // corner at (x, y), and nothing else in their box but where skip says a drawing crosses.
    bool textAt(int x, int y, const QStringList &lines, const QColor &colour, const PixelTest &skip = {}, int dy = 14)
    {
        const QFontMetrics metrics(ScreenFont(s_.settings.display));
        QImage alone(picture_.size(), QImage::Format_RGB32);
        alone.fill(Qt::black);
        QPainter p(&alone);
        p.setFont(ScreenFont(s_.settings.display));
        p.setPen(colour);
        QRect box(x, y, 0, int(lines.size() - 1) * dy + metrics.height());
        for (int i = 0; i < lines.size(); ++i) {
            p.drawText(QPoint(x, y + i * dy + metrics.ascent()), lines[i]);
            box.setWidth(std::max(box.width(), metrics.horizontalAdvance(lines[i]) + 4));
        }
        p.end();
        for (int j = box.top(); j <= box.bottom(); ++j)
            for (int i = box.left(); i <= box.right() && skip; ++i)
                alone.setPixel(i, j, skip(i, j) ? picture_.pixel(i, j) : alone.pixel(i, j));
        return alone.copy(box) == picture_.copy(box);
    }

    RadarState s_;
    QImage picture_{kAll.size(), QImage::Format_RGB32};
    const QDateTime now_{QDate(2024, 6, 12), QTime(14, 30, 0), Qt::UTC};
};

// ---- map -------------------------------------------------------------------------------

TEST_F(ScopePixels, MapLayersInTheirOrderEachOnlyWhenShownAndRangeRings)
{
    SectorTables &t = s_.sector.tables;
    t.geo = {GEO{lat(20, 150), lon(20, 150), lat(380, 150), lon(380, 150), FromQColor(kGeo), -1, {}}};
    for (QList<ROUTE> *table : {&t.lowAirways, &t.highAirways, &t.artcc, &t.artccLow, &t.artccHigh, &t.sids, &t.stars})
        *table = {ROUTE{"", {seg({20, 150, 380, 150})}, 1}};
    t.runways = {RUNWAY{{}, {}, "000", "000", lat(120, 150), lon(120, 150), lat(280, 150), lon(280, 150), {}}};
    t.airports = {at(Airport{}, 200, 150)};
    t.fixes = {at(FIXE{{}, 0, 0, 1, {}}, 200, 154)}; // the triangle's apex
    t.vors = t.ndbs = {at(VOR{}, 200, 150)};
    s_.sector.identity.ownLat = lat(170, 150); // the first range ring through the pixel
    s_.sector.identity.ownLon = lon(170, 150);
    const QColor ring = kColours[kColRings];
    s_.settings.display.colours[kColRings].visible = 1;
    // Rings every 10 nm around it: the first unlabelled, the next ones at their four points.
    const PixelTest onRings = [](int x, int y) {
        return std::abs(std::fmod(std::hypot(x - 170, y - 150) + 15, 30) - 15) < 1.6;
    };
    draw(true);
    EXPECT_EQ(count({170, 121, 24, 16}, ring, onRings, true) + count({170, 181, 24, 16}, ring, onRings, true), 0);
    EXPECT_TRUE(textAt(170, 211, {"20"}, ring));
    // From the top layer down, each hidden in turn uncovers the one below; the background is
    // drawn though its entry is not shown.
    s_.settings.display.colours[kColBackground].visible = 0;
    for (int entry : {kColStar, kColSid, kColNdb, kColVor, kColFixes, kColAirports, kColRunways, kColArtccHigh,
                      kColArtccLow, kColArtcc, kColHighAirways, kColLowAirways, kColRings, kColGeo, kColBackground}) {
        EXPECT_EQ(draw(true).pixelColor(200, 150), entry == kColGeo ? kGeo : kColours[entry]) << entry;
        s_.settings.display.colours[entry].visible = 0;
    }
    EXPECT_EQ(count(kAll, Qt::black), 400 * 300);
}

TEST_F(ScopePixels, SymbolsNamesRunwaysAndWeather)
{
    SectorTables &t = s_.sector.tables;
    t.vors = {at(VOR{"LSE", "114.750", 0, 0, 1, "SAINT EXUPERY"}, 40, 80)};
    t.ndbs = {at(VOR{"LYE", "315", 0, 0, 0, "LYON"}, 40, 110)};
    t.sids = {ROUTE{"MTL5A", {seg({20, 140, 70, 140}), seg({70, -20, 120, -5})}, 1},
              ROUTE{"MTL5B", {seg({20, 160, 70, 160}), seg({70, 160, 100, 150})}, 1}};
    t.stars = {ROUTE{"LSE1E", {seg({150, 140, 200, 140}), seg({200, 140, 250, 100})}, 1}};
    t.lowAirways = {ROUTE{"A1", {seg({20, 190, 120, 190})}, 1}, ROUTE{"A2", {seg({280, 130, 380, 130})}, 0}};
    t.artcc = {ROUTE{"LYON", {seg({280, 200, 380, 200})}, 0}};
    t.fixes = {at(FIXE{"BADOR", 0, 0, 1, {}}, 30, 250), at(FIXE{"GOLEB", 0, 0, 0, {}}, 130, 250)};
    // Runways of 20 px with a heading at one end (an axis at the other) or at both.
    for (const auto &[y, heading, opposite] : {std::tuple{60, "270", "000"}, {100, "360", "180"}})
        t.runways.append(RUNWAY{{}, {}, heading, opposite, lat(320, y), lon(320, y), lat(340, y), lon(340, y), {}});
    t.airports = {at(Airport{}, 250, 240), at(Airport{}, 340, 280)};
    t.airports[0].realMetarReceived = t.airports[1].simMetarReceived = 1;
    t.airports[0].windGroup = QStringLiteral("27010KT"); // from the west: the arrow points east
    t.airports[1].windGroup = QStringLiteral("VRB03KT");
    s_.settings.display.showSidNames = s_.settings.display.showStarNames = s_.settings.display.showLowNames = 1;
    draw(true);
    const auto box = [](int x, int y) { return QRect(x, y, 24, 16); };
    const QColor vor = kColours[kColVor], ndb = kColours[kColNdb], sid = kColours[kColSid];
    const QColor fix = kColours[kColFixes], rwy = kColours[kColRunways], wx = kColours[kColWeather];
    check({
        {"VOR hexagon's top edge", {36, 72, 8, 1}, vor, false, 8, 8}, {"NDB circle", {32, 110, 1, 1}, ndb, false, 1, 1},
        {"identifiers at +20", box(60, 80), vor, true, 6, 999},
        {"VOR details at +50", {90, 80, 120, 16}, vor, true, 21, 9999},
        {"no NDB details", {85, 105, 120, 25}, ndb, true, 0, 0},
        {"SIDs named at their last segment's end when drawn", box(110, 160), sid, true, 6, 999},
        // The map is one picture of the world: a name reaching in shows, its segment off the edge.
        {"and when that segment is just off the picture", box(130, 5), sid, true, 6, 999},
        {"STAR named at its first segment's end", box(210, 150), kColours[kColStar], true, 6, 999},
        {"airways at each segment's start + (20, 20)", box(40, 210), kColours[kColLowAirways], true, 6, 999},
        {"selected ones only", {270, 120, 130, 20}, kColours[kColLowAirways], false, 0, 0},
        {"unselected boundary, no name", kAll, kColours[kColArtcc], true, 100, 101},
        {"fix triangle's base", {26, 254, 8, 1}, fix, false, 8, 8}, {"fix name", box(50, 250), fix, true, 6, 999},
        {"selected fixes only", {120, 240, 80, 30}, fix, true, 0, 0},
        {"runways 3 px wide", {320, 58, 20, 5}, rwy, false, 60, 60},
        {"a dashed axis of 10 nm at an end whose heading is not 000", {290, 60, 30, 1}, rwy, false, 11, 27},
        {"none at the other end", {341, 48, 50, 25}, rwy, false, 0, 0},
        {"axes at both ends", {290, 100, 80, 1}, rwy, false, 50, 75},
        {"weather square", {230, 220, 40, 40}, wx, false, 80, 80,
         [](int x, int y) { return std::max(std::abs(x - 250), std::abs(y - 240)) != 10; }},
        {"shaft: 50 px", {250, 240, 50, 1}, wx, false, 50, 50}, {"its head", {290, 234, 10, 13}, wx, false, 8, 99},
        {"simulator weather's square", {329, 269, 23, 23}, wx, false, 80, 80},
        {"a variable wind: no arrow", {331, 271, 19, 19}, wx, false, 0, 0},
    });
    s_.settings.display.colours[kColWeather].visible = s_.settings.display.ilsAxesShown = 0;
    EXPECT_EQ(test::Count(draw(true), kAll, wx), 0);
    EXPECT_EQ(count({260, 40, 140, 80}, rwy), 120) << "no axes";
}

// ---- traffic ---------------------------------------------------------------------------

TEST_F(ScopePixels, OrientationAndSpeedVector)
{
    // Heading east, moving north since the last report: the vector's number is where the
    // vector ends, round(speed × minutes × 3 / 60) px from the centre or past the nose.
    AVION &a = add("AFR1", 200, 150);
    a.heading = kPi / 2;
    a.trail[0] = {lat(200, 170), lon(200, 170)};
    for (const auto &[server, simulator, speed, minutes, number] :
         {std::tuple{"VIREO-SERVER", false, 600, 2, QPoint(260, 150)}, {"FSD", true, 600, 1, QPoint(230, 150)},
          {"OTHER", false, 600, 1, QPoint(200, 112)}, {"VIREO-SERVER", false, 250, 1, QPoint(212, 150)},
          {"VIREO-SERVER", false, 350, 1, QPoint(218, 150)}, {"FSD", false, 600, 0, QPoint()}}) {
        s_.link.serverType = QLatin1String(server);
        s_.sim.connected = simulator;
        a.groundSpeed = speed;
        s_.view.vectorMinutes = minutes;
        draw();
        const PixelTest vector = [&](int x, int y) { return number.y() == 150 ? y == 150 : x == 200; };
        const PixelTest symbol = [](int x, int y) { return std::hypot(x - 200, y - 150) < 10; };
        EXPECT_TRUE(minutes ? textAt(number.x(), number.y(), {QString::number(minutes)}, kTarget, vector)
                            : count(kAll, kTarget, symbol, true) == 0)
            << server << simulator << speed << " kt " << minutes;
    }
}

TEST_F(ScopePixels, TargetsRingsTrailRouteAndTextsOverTheMap)
{
    s_.view.vectorMinutes = 0;
    for (const auto &[callsign, x, y, altitude] :
         {std::tuple{"EMER", 60.0, 200.0, 12000}, {"HOFF", 140, 200, 12000}, {"OFFR", 220, 200, 12000},
          {"ACPT", 300, 200, 12000}, {"SEL1", 60, 270, 12000}, {"STR1", 140, 270, 12000}, {"N1", 220.4, 270.6, 2999},
          {"N2", 320, 270, 12450}})
        add(callsign, x, y, altitude).prevAltitude = altitude == 2999 ? 3500 : altitude - 10;
    // Labels, "mode Charly": of transponders reporting altitude only; feet below the transition
    // altitude, flight levels from it, the trend of a change (of more than 10 ft from it).
    plane("N1").transponderMode = plane("N2").transponderMode = QStringLiteral("N");
    plane("EMER").squawk = QStringLiteral("7700");
    plane("HOFF").handoffFrom = QStringLiteral("LFLL_APP");
    plane("OFFR").handoffState = QStringLiteral("D");
    plane("ACPT").handoffState = QStringLiteral("A");
    plane("ACPT").commandPending = plane("SEL1").commandPending = true;
    plane("SEL1").hasStrip = plane("STR1").hasStrip = true;
    for (int k = 0; k < kTrailLength; ++k)
        plane("STR1").trail[k] = {lat(20 + 18 * k, 160), lon(20 + 18 * k, 160)};
    // The selected aircraft's route, with an element without position in the middle.
    s_.traffic.SelectedAircraft = s_.traffic.table.FindAircraft(QStringLiteral("SEL1"));
    s_.scope.routeKeyHeld = true;
    plane("SEL1").routePoints = {{lat(40, 235), lon(40, 235), 0}, {lat(140, 235), lon(140, 235), 1}, {0, 0.1f, 2},
                                 {lat(240, 245), lon(240, 245), 3}, {lat(340, 245), lon(340, 245), 4}};
    s_.weather.qnhText = QStringLiteral("1013");
    s_.weather.altimeterText = QStringLiteral("29.92");
    s_.weather.newMetar = true;
    s_.scope.cursor = {true, QPoint(200, 20), "12", "3", "270"};
    s_.scope.rangeLine = {true, QPoint(250, 120), QPoint(330, 120), "25", "123"};
    draw();
    const QColor alert = kColours[kColAlert], stripColour = kColours[kColTargetStrip];
    const QColor command = kColours[kColPendingCommand], chosen = kColours[kColSelected];
    check({
        {"alert: a dotted ring of 5 nm", {40, 180, 41, 41}, alert, false, 7, 59, OffRing(60, 200, 15)},
        {"nothing else but \"ALERTE\"", kAll, alert, false, 0, 0,
         [](int x, int y) { return !OffRing(60, 200, 15)(x, y) || y < 60; }},
        {"handoff offer: rings of 6", {120, 180, 41, 41}, stripColour, false, 19, 99, OffRing(140, 200, 6)},
        {"and of 14 px (and 10) in entry 16", {120, 180, 41, 41}, stripColour, false, 43, 99, OffRing(140, 200, 14)},
        {"offer pending: a circle of 8 in entry 19", {200, 180, 41, 41}, command, false, 31, 99, OffRing(220, 200, 8)},
        {"filled with the background over the wings (trail and vector are drawn after)", {200, 180, 41, 41}, kTarget,
         false, 0, 0, [](int x, int y) { return x == 220 || std::abs(std::hypot(x - 220, y - 200) - 5.25) > 1.75; }},
        {"accepted: an open circle of 8 in entry 15", {280, 180, 41, 41}, kTarget, false, 26, 99, OffRing(300, 200, 8)},
        {"around the symbol", {293, 193, 15, 15}, command, false, 21, 99},
        {"selected, before a pending command and a strip", {51, 262, 19, 17}, chosen, false, 21, 99},
        {"a strip", {131, 262, 19, 17}, stripColour, false, 21, 99},
        {"no label but in mode Charly", {225, 205, 60, 40}, kTarget, true, 0, 0},
        {"small dotted trail circles, entries 1 to 20", {30, 155, 360, 11}, stripColour, false, 40, 300},
        {"none at entry 0", {15, 155, 10, 11}, stripColour, false, 0, 0},
        {"the route's first segment", {40, 235, 100, 1}, chosen, false, 100, 100},
        {"none to or from a point without position", {0, 140, 400, 110}, chosen, false, 200, 200},
        {"a dotted range line", {250, 120, 80, 1}, kTarget, false, 25, 55},
    });
    for (const auto &[x, y, lines, colour] :
         {std::tuple{300, 40, QStringList{"ALERTE"}, alert}, {225, 276, {"N1", "-2999/300"}, kTarget},
          {325, 275, {"N2", "FL124/300"}, kTarget},
          {10, 20, {"14h30 Z"}, kCyan}, {10, 40, {"NOUVEAU METAR"}, kRed}, {10, 60, {"transition: 3000ft"}, kCyan},
          {10, 80, {": QNH=1013(29.92)"}, kCyan}, {10, 100, {" vent: "}, kCyan}, {10, 120, {"METEO manuelle"}, kCyan},
          {200, 20, {"+"}, chosen}, {214, 20, {"12nm", "3min", "270"}, chosen}, {344, 120, {"25nm", "123"}, kTarget}})
        EXPECT_TRUE(textAt(x, y, lines, colour)) << lines.join(' ').toStdString();
}

} // namespace
