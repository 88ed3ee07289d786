// Pixel checks of the map layers and range rings drawn by the full redraw: a 400 x 300
// picture centred on (0, 0) at 3 pixels per nautical mile, where one degree is 180 pixels,
// with a different colour for every colour-table entry on a black background.
// Lines cover their start pixel and leave out their end pixel, so a line from x = 20 to
// x = 120 is 100 pixels long.
#include "support/PixelChecks.h"
#include "support/ScopeFixture.h"
#include "scope/ScopeRenderer.h"
#include "sector/Projection.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

using namespace zaz;
using zaz::test::IsInk;

namespace {

constexpr QSize kPicture(400, 300);
constexpr int kCx = 200, kCy = 150;
constexpr float kScale = 3;

// One colour per entry, none black (the background) and none repeated.
const QColor kColours[kColourCount] = {
    QColor(0, 0, 0),       QColor(255, 0, 0),     QColor(0, 255, 0),     QColor(0, 0, 255),
    QColor(255, 255, 0),   QColor(255, 0, 255),   QColor(0, 255, 255),   QColor(255, 128, 0),
    QColor(128, 255, 0),   QColor(0, 128, 255),   QColor(255, 0, 128),   QColor(128, 0, 255),
    QColor(0, 255, 128),   QColor(128, 128, 128), QColor(255, 255, 255), QColor(64, 64, 192),
    QColor(192, 64, 64),   QColor(64, 192, 64),   QColor(192, 192, 64),  QColor(64, 192, 192),
    QColor(200, 100, 50)};
const QColor kGeoA(10, 200, 90), kGeoB(90, 10, 200);
const QColor kTaxiwayText(240, 160, 64), kParkingText(96, 224, 160);

// Pixels of the area that match, less those skipped.
int CountWhere(const QImage &image, QRect area, const std::function<bool(QRgb)> &match,
               const std::function<bool(int, int)> &skip)
{
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(image.pixel(x, y)) && !(skip && skip(x, y)))
                ++n;
    return n;
}

// Pixels of exactly this colour in the area.
int Count(const QImage &image, QRect area, const QColor &colour, const std::function<bool(int, int)> &skip = {})
{
    return CountWhere(image, area, [want = colour.rgb()](QRgb pixel) { return pixel == want; }, skip);
}


int CountInk(const QImage &image, QRect area, const QColor &colour, const std::function<bool(int, int)> &skip = {})
{
    return CountWhere(image, area, [&](QRgb pixel) { return IsInk(pixel, colour); }, skip);
}

// The box a short text written with its top-left corner at (x, y) falls in.
QRect TextBox(int x, int y)
{
    return QRect(x, y, 24, 16);
}

// The text alone on black, with its top-left corner at the top-left of a 24 x 16 picture,
// as the scope writes it.
QImage TextAlone(const QString &text, const QColor &colour, const DisplaySettings &display)
{
    QImage image(TextBox(0, 0).size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setFont(ScreenFont(display));
        p.setPen(colour);
        p.drawText(QPoint(0, QFontMetrics(p.font()).ascent()), text);
    }
    return image;
}

class ScopeMap : public ::testing::Test {
protected:

    ScopeMap() : picture_(kPicture, QImage::Format_RGB32)
    {
        test::PrepareTestScope(s_, kColours, kScale, kPicture);
        s_.settings.display.details = {{QStringLiteral("TAXIWAY"), ColorToString(FromQColor(kTaxiwayText))},
                                       {QStringLiteral("PARKING"), ColorToString(FromQColor(kParkingText))}};
        s_.view.ringSpacing = 10;
    }

    // Latitude (y) and longitude (x) of a pixel of the picture.
    QPointF geo(double x, double y)
    {
        ComputeEdges(s_.view, kPicture);
        return ScreenToGeo(s_.view, x, y);
    }
    float Lat(double x, double y) { return float(geo(x, y).y()); }
    float Lon(double x, double y) { return float(geo(x, y).x()); }

    // A record of the sector at a pixel of the picture.
    template <typename Record>
    Record at(Record r, int x, int y)
    {
        r.latitude = Lat(x, y);
        r.longitude = Lon(x, y);
        return r;
    }
    RUNWAY runway(QPoint a, QPoint b, const char *heading, const char *oppositeHeading)
    {
        RUNWAY r;
        r.heading = QLatin1String(heading);
        r.oppositeHeading = QLatin1String(oppositeHeading);
        r.latitude = Lat(a.x(), a.y());
        r.longitude = Lon(a.x(), a.y());
        r.oppositeLatitude = Lat(b.x(), b.y());
        r.oppositeLongitude = Lon(b.x(), b.y());
        return r;
    }
    // A horizontal GEO line at row y from x1 to x2.
    GEO geoLine(int y, int x1, int x2, const QColor &colour)
    {
        GEO g;
        g.lat1 = g.lat2 = Lat(0, y);
        g.lon1 = Lon(x1, y);
        g.lon2 = Lon(x2, y);
        g.colour = FromQColor(colour);
        return g;
    }

    RouteSegment seg(QPoint a, QPoint b)
    {
        return {Lat(a.x(), a.y()), Lon(a.x(), a.y()), Lat(b.x(), b.y()), Lon(b.x(), b.y())};
    }

    ROUTE Route(const QString &name, std::initializer_list<std::pair<QPoint, QPoint>> segments, bool selected = true)
    {
        ROUTE r;
        r.name = name;
        r.selected = selected ? 1 : 0;
        for (const auto &[a, b] : segments)
            r.segments.append(seg(a, b));
        return r;
    }

    void only(std::initializer_list<int> entries)
    {
        for (int i = 1; i < kColourCount; ++i)
            s_.settings.display.colours[i].visible = 0;
        for (int e : entries)
            s_.settings.display.colours[e].visible = 1;
    }

    const QImage &draw()
    {
        // Anything left from before must be painted over by the background.
        picture_.fill(QColor(77, 66, 55));
        DrawMapLayers(picture_, s_);
        return picture_;
    }

    // Pixels within a pixel and a half of the circle of radius r around (cx, cy).
    static std::function<bool(int, int)> OnCircle(int cx, int cy, int r)
    {
        return [=](int x, int y) { return std::abs(std::hypot(x - cx, y - cy) - r) < 1.6; };
    }

    RadarState s_;
    QImage picture_;
};

// ---- background and layer visibility ------------------------------------------------------

TEST_F(ScopeMap, EachLayerDrawsOnlyWhenItsEntryIsVisibleOverTheBackground)
{
    SectorTables &t = s_.sector.tables;
    VOR vor, ndb;
    vor.identifier = QStringLiteral("LSE");
    ndb.identifier = QStringLiteral("LYE");
    FIXE fix;
    fix.name = QStringLiteral("MOROK");
    fix.selected = 1;
    Airport airport;
    airport.identifier = QStringLiteral("LFLL");
    t.vors = {at(vor, 60, 60)};
    t.ndbs = {at(ndb, 140, 60)};
    t.fixes = {at(fix, 220, 60)};
    t.airports = {at(airport, 300, 60)};
    t.runways = {runway({60, 120}, {60, 160}, "000", "000")};
    t.sids = {Route(QStringLiteral("SID1"), {{{100, 130}, {160, 130}}})};
    t.stars = {Route(QStringLiteral("STAR1"), {{{100, 160}, {160, 160}}})};
    t.lowAirways = {Route(QStringLiteral("UN1"), {{{200, 130}, {260, 130}}})};
    t.highAirways = {Route(QStringLiteral("UN2"), {{{200, 160}, {260, 160}}})};
    t.artcc = {Route(QStringLiteral("B1"), {{{300, 130}, {360, 130}}}, false)};
    t.artccLow = {Route(QStringLiteral("B2"), {{{300, 160}, {360, 160}}}, false)};
    t.artccHigh = {Route(QStringLiteral("B3"), {{{300, 190}, {360, 190}}}, false)};
    t.geo = {geoLine(240, 40, 360, kGeoA)};

    // Everything hidden, the background entry too: the background still fills the picture.
    s_.settings.display.colours[kColBackground].visible = 0;
    only({});
    EXPECT_EQ(Count(draw(), picture_.rect(), kColours[kColBackground]), kPicture.width() * kPicture.height());
    s_.settings.display.colours[kColBackground].colour = FromQColor(QColor(0, 0, 60));
    EXPECT_EQ(Count(draw(), picture_.rect(), QColor(0, 0, 60)), kPicture.width() * kPicture.height());
    s_.settings.display.colours[kColBackground].colour = FromQColor(kColours[kColBackground]);

    const int layers[] = {kColVor, kColNdb, kColFixes, kColAirports, kColRunways, kColSid, kColStar,
                          kColLowAirways, kColHighAirways, kColArtcc, kColArtccLow, kColArtccHigh, kColGeo};
    for (int shown : layers) {
        SCOPED_TRACE(shown);
        only({shown});
        const QImage &image = draw();
        EXPECT_GT(Count(image, image.rect(), shown == kColGeo ? kGeoA : kColours[shown]), 0);
        for (int other : layers) {
            if (other != shown) {
                EXPECT_EQ(Count(image, image.rect(), other == kColGeo ? kGeoA : kColours[other]), 0) << other;
            }
        }
    }
}

// ---- range rings --------------------------------------------------------------------------

TEST_F(ScopeMap, FirstRingUnlabelledSecondLabelledAtItsFourPoints)
{
    only({kColRings});
    const QImage &image = draw();
    const QColor ring = kColours[kColRings];
    const int r0 = 30; // 10 nm at 3 pixels per nm

    // Rings every 30 pixels out to the farthest picture edge.
    for (int r = r0; r <= 180; r += r0) {
        SCOPED_TRACE(r);
        EXPECT_GT(Count(image, QRect(kCx + r - 1, kCy - 1, 3, 3), ring), 0);
        EXPECT_GT(Count(image, QRect(kCx - r - 1, kCy - 1, 3, 3), ring), 0);
    }
    EXPECT_EQ(Count(image, QRect(kCx + 209, kCy - 2, 3, 5), ring), 0);

    // Text pixels: ring-coloured pixels off every circle.
    const auto offRings = [&](int x, int y) {
        for (int r = r0; r <= 210; r += r0)
            if (OnCircle(kCx, kCy, r)(x, y))
                return true;
        return false;
    };
    for (const auto &[r, labelled] : {std::pair{2 * r0, true}, std::pair{r0, false}}) {
        for (const QPoint &p : {QPoint(kCx - r + 1, kCy), QPoint(kCx + r + 1, kCy), QPoint(kCx, kCy - r + 1),
                                QPoint(kCx, kCy + r + 1)}) {
            const int ink = CountInk(image, TextBox(p.x(), p.y()), ring, offRings);
            EXPECT_TRUE(labelled ? ink > 5 : ink == 0) << p.x() << "," << p.y() << ": " << ink;
        }
    }
    EXPECT_EQ(CountInk(image, QRect(kCx - 20, kCy - 20, 40, 40), ring, offRings), 0) << "nothing at the centre";

    // East of the centre the label stands clear of every circle: it reads "20" exactly.
    const QImage east = image.copy(TextBox(kCx + 2 * r0 + 1, kCy));
    EXPECT_TRUE(east == TextAlone(QStringLiteral("20"), ring, s_.settings.display));
    EXPECT_FALSE(east == TextAlone(QStringLiteral("10"), ring, s_.settings.display));
    // The same place with rings every 20 nm at 1.5 px/nm: the label is the distance.
    s_.view.ringSpacing = 20;
    s_.view.scale = 1.5f;
    EXPECT_TRUE(draw().copy(TextBox(kCx + 2 * r0 + 1, kCy))
                == TextAlone(QStringLiteral("40"), ring, s_.settings.display));
}

TEST_F(ScopeMap, RingsCentredOnTheViewCentreOrTheOwnPosition)
{
    only({kColRings});
    const QColor ring = kColours[kColRings];
    // Nothing loaded: view and own position both at (0, 0), the picture centre.
    const QImage &fresh = draw();
    for (const QPoint &p : {QPoint(kCx + 30, kCy), QPoint(kCx - 30, kCy), QPoint(kCx, kCy - 30), QPoint(kCx, kCy + 30)})
        EXPECT_EQ(fresh.pixelColor(p), ring) << p.x() << "," << p.y();
    EXPECT_EQ(Count(fresh, QRect(kCx - 20, kCy - 20, 41, 41), ring), 0) << "inside the first ring";

    s_.sector.identity.ownLat = Lat(100, 200);
    s_.sector.identity.ownLon = Lon(100, 200);
    s_.sector.identity.loaded = true;
    s_.settings.display.ringsOnScreen = 1;
    const QImage onScreen = draw().copy();
    EXPECT_GT(Count(onScreen, QRect(kCx + 29, kCy - 1, 3, 3), ring), 0);
    EXPECT_GT(Count(onScreen, QRect(kCx - 1, kCy - 31, 3, 3), ring), 0);
    EXPECT_EQ(Count(onScreen, QRect(100 + 29, 200 - 1, 3, 3), ring), 0);

    s_.settings.display.ringsOnScreen = 0;
    const QImage &own = draw();
    EXPECT_GT(Count(own, QRect(100 + 29, 200 - 1, 3, 3), ring), 0);
    EXPECT_GT(Count(own, QRect(100 - 31, 200 - 1, 3, 3), ring), 0);
    EXPECT_GT(Count(own, QRect(100 - 1, 200 + 29, 3, 3), ring), 0);
    EXPECT_EQ(Count(own, QRect(kCx + 29, kCy - 1, 3, 3), ring), 0);

    // An own position 900 pixels below the centre: the ring of 300 nm crosses the centre,
    // its label "300" just below, the rings of 290 and 310 nm 30 pixels below and above.
    s_.sector.identity.ownLat = Lat(kCx, kCy + 900);
    s_.sector.identity.ownLon = Lon(kCx, kCy + 900);
    const QImage &far = draw();
    for (int y : {kCy - 30, kCy, kCy + 30})
        EXPECT_GT(Count(far, QRect(kCx - 1, y - 1, 3, 3), ring), 0) << y;
    EXPECT_EQ(Count(far, QRect(kCx - 1, kCy + 10, 3, 10), ring, OnCircle(kCx, kCy + 900, 900)), 0);
    EXPECT_GT(CountInk(far, TextBox(kCx, kCy + 1), ring, OnCircle(kCx, kCy + 900, 900)), 5);
}

TEST_F(ScopeMap, RingSpacingsOfNoPixelDrawNothingAndFarRingsDrawQuickly)
{
    only({kColRings});
    const QColor ring = kColours[kColRings];
    // 10 nm at 0.04 px/nm rounds to no pixel; 0 nm, a negative spacing and 1 nm at 0.5 px/nm
    // the same; 0.6 px rounds to one pixel and still ends.
    for (const auto &[spacing, scale] : {std::pair{10, 0.04f}, {0, kScale}, {-10, kScale}, {1, 0.5f}}) {
        s_.view.ringSpacing = spacing;
        s_.view.scale = scale;
        EXPECT_EQ(CountInk(draw(), picture_.rect(), ring), 0) << spacing << " nm at " << scale;
    }
    s_.view.scale = 0.6f;
    EXPECT_GT(Count(draw(), picture_.rect(), ring), 0);

    // The own position half the world away, rings every nautical mile, zoomed in: tens of
    // thousands of rings lie between it and the picture.
    s_.view.centreLon = -179;
    s_.sector.identity.ownLon = 179;
    s_.sector.identity.ownLat = 0;
    for (float scale : {3.0f, 1000.0f}) {
        s_.view.scale = scale;
        QElapsedTimer timer;
        timer.start();
        const QImage &image = draw();
        EXPECT_LT(timer.elapsed(), 3000) << scale;
        // The arcs that cross the picture are still there: at 3 px/nm one every 3 pixels
        // along the centre row.
        if (scale == 3.0f) {
            EXPECT_GE(Count(image, QRect(0, kCy, kPicture.width(), 1), ring), 100);
        }
    }
}

// ---- runways and approach axes ------------------------------------------------------------

TEST_F(ScopeMap, ApproachAxisOnlyAtAnEndWithAHeading)
{
    only({kColRunways});
    const QColor colour = kColours[kColRunways];
    // A runway from (200, 170) up to (200, 130): its axes would run south of the threshold
    // and north of the opposite end, 30 pixels (10 nm) long before the fork.
    s_.sector.tables.runways = {runway({200, 170}, {200, 130}, "000", "270")};
    RUNWAY &r = s_.sector.tables.runways[0];
    const QRect north(197, 95, 7, 33), south(197, 173, 7, 33), runway(199, 140, 3, 21);
    const auto dashedNorth = [&](const QImage &image) {
        int on = 0;
        for (int y = 101; y <= 128; ++y)
            on += image.pixelColor(200, y) == colour ? 1 : 0;
        return on;
    };
    const QImage &image = draw();
    EXPECT_EQ(Count(image, runway, colour), 63) << "the runway itself, 3 pixels wide";
    const int on = dashedNorth(image);
    EXPECT_GT(on, 10);
    EXPECT_LT(on, 28) << "a dashed line has gaps";
    EXPECT_EQ(Count(image, south, colour), 0);
    // The fork, 9 pixels beyond its end at 30 degrees on each side.
    EXPECT_GT(Count(image, QRect(188, 88, 10, 14), colour), 0);
    EXPECT_GT(Count(image, QRect(203, 88, 10, 14), colour), 0);

    // The roles exchanged: the axis runs south only.
    std::swap(r.heading, r.oppositeHeading);
    EXPECT_EQ(Count(draw(), north, colour), 0);
    EXPECT_GT(Count(picture_, south, colour), 10);
    // Both ends with a heading: two axes; none when the axes are hidden.
    r.heading = QStringLiteral("360");
    r.oppositeHeading = QStringLiteral("180");
    EXPECT_GT(dashedNorth(draw()), 10);
    EXPECT_GT(Count(picture_, south, colour), 10);
    s_.settings.display.ilsAxesShown = 0;
    EXPECT_EQ(Count(draw(), north, colour) + Count(picture_, south, colour), 0);
    EXPECT_EQ(Count(picture_, runway, colour), 63);

    // A runway above the picture whose extended centre line reaches 20 pixels in.
    s_.settings.display.ilsAxesShown = 1;
    r = runway({100, -40}, {100, -10}, "000", "180");
    EXPECT_GT(Count(draw(), QRect(99, 0, 3, 20), colour), 3);
}

// ---- procedures, airways, boundaries, fixes ------------------------------------------------

TEST_F(ScopeMap, SidNamedAtItsLastSegmentStarAtItsFirstOnlyWhenThatSegmentIsDrawn)
{
    only({kColSid, kColStar});
    s_.settings.display.showSidNames = 1;
    s_.settings.display.showStarNames = 1;
    const QColor sid = kColours[kColSid], star = kColours[kColStar];
    // SID: first segment on the picture, last one wholly above it; the name would land on
    // the picture at (210, 5) if it were written regardless.
    s_.sector.tables.sids = {Route(QStringLiteral("MTL5A"), {{{100, 100}, {150, 100}}, {{150, -20}, {200, -5}}})};
    s_.sector.tables.stars = {Route(QStringLiteral("LSE1E"), {{{100, 200}, {150, 200}}, {{150, 200}, {300, 100}}})};
    {
        const QImage &image = draw();
        EXPECT_EQ(Count(image, QRect(100, 100, 50, 1), sid), 50);
        EXPECT_EQ(CountInk(image, TextBox(210, 5), sid), 0);
        EXPECT_LE(CountInk(image, picture_.rect(), sid), 51) << "the line alone";
        // STAR: the name at the end of the first segment + (10, 10).
        EXPECT_GT(CountInk(image, TextBox(160, 210), star), 5);
        EXPECT_EQ(CountInk(image, TextBox(310, 110), star), 0);
        EXPECT_EQ(CountInk(image, TextBox(110, 210), star), 0);
    }
    // The last SID segment on the picture: the name at its end + (10, 10). The first STAR
    // segment off the picture: no name, even though the second is drawn.
    s_.sector.tables.sids[0].segments[1] = seg({150, 100}, {200, 60});
    s_.sector.tables.stars[0].segments[0] = seg({150, -30}, {160, -6});
    {
        const QImage &image = draw();
        EXPECT_GT(CountInk(image, TextBox(210, 70), sid), 5);
        EXPECT_EQ(CountInk(image, TextBox(160, 110), sid), 0);
        EXPECT_EQ(CountInk(image, TextBox(170, 4), star), 0);
        EXPECT_GT(Count(image, QRect(290, 95, 12, 12), star), 0);
    }
    // Names not shown, or the route not selected.
    s_.settings.display.showSidNames = 0;
    EXPECT_EQ(CountInk(draw(), TextBox(210, 70), sid), 0);
    s_.settings.display.showSidNames = 1;
    s_.sector.tables.sids[0].selected = 0;
    EXPECT_EQ(CountInk(draw(), picture_.rect(), sid), 0);
}

TEST_F(ScopeMap, AirwaysAndFixesFollowTheSelectionBoundariesDoNot)
{
    SectorTables &t = s_.sector.tables;
    FIXE chosen, left;
    chosen.name = QStringLiteral("BADOR");
    chosen.selected = 1;
    left.name = QStringLiteral("GOLEB");
    left.selected = 0;
    t.fixes = {at(chosen, 100, 250), at(left, 250, 250)};
    t.lowAirways = {Route(QStringLiteral("A1"), {{{20, 20}, {120, 20}}}),
                    Route(QStringLiteral("A2"), {{{20, 100}, {120, 100}}}, false)};
    t.highAirways = {Route(QStringLiteral("UA1"), {{{250, 20}, {350, 20}}}, false),
                     Route(QStringLiteral("UA2"), {{{250, 100}, {350, 100}}})};
    t.artcc = {Route(QStringLiteral("LYON"), {{{20, 140}, {120, 140}}}, false)};
    t.artccLow = {Route(QStringLiteral("LYON L"), {{{20, 170}, {120, 170}}}, false)};
    t.artccHigh = {Route(QStringLiteral("LYON H"), {{{20, 200}, {120, 200}}}, false)};
    s_.settings.display.showLowNames = 1;

    const QImage &image = draw();
    const QColor fix = kColours[kColFixes];
    // Triangle: apex 4 above, base 4 below the point; the name 20 pixels right.
    EXPECT_EQ(image.pixelColor(100, 246), fix);
    EXPECT_EQ(Count(image, QRect(96, 254, 8, 1), fix), 8);
    EXPECT_GT(CountInk(image, TextBox(120, 250), fix), 5);
    EXPECT_EQ(CountInk(image, QRect(240, 240, 100, 30), fix), 0);

    const QColor low = kColours[kColLowAirways], high = kColours[kColHighAirways];
    EXPECT_EQ(Count(image, QRect(20, 20, 100, 1), low), 100);
    EXPECT_EQ(Count(image, QRect(0, 90, 200, 20), low), 0);
    EXPECT_GT(CountInk(image, TextBox(40, 40), low), 5) << "name at the start + (20, 20)";
    EXPECT_EQ(Count(image, QRect(200, 10, 200, 20), high), 0);
    EXPECT_EQ(Count(image, QRect(250, 100, 100, 1), high), 100);
    EXPECT_LE(CountInk(image, image.rect(), high), 101) << "high airway names not shown";

    for (int entry : {kColArtcc, kColArtccLow, kColArtccHigh}) {
        const int y = 140 + 30 * (entry - kColArtcc);
        EXPECT_EQ(Count(image, QRect(20, y, 100, 1), kColours[entry]), 100) << entry;
        EXPECT_LE(CountInk(image, image.rect(), kColours[entry]), 101) << "boundaries carry no name";
    }
}

// ---- GEO lines and ground labels ----------------------------------------------------------

TEST_F(ScopeMap, GeoLinesInTheirOwnColoursLabelsOnlyWithTheLayer)
{
    SectorTables &t = s_.sector.tables;
    t.geo = {geoLine(40, 20, 380, kGeoA), geoLine(60, 20, 380, kGeoB), geoLine(80, 20, 380, kGeoA)};
    // The colour of a table is the detail colour of its first label.
    Taxiway taxiway, second, parking;
    taxiway.label = QStringLiteral("W2");
    taxiway.detailIndex = 0;
    second.label = QStringLiteral("W3");
    second.detailIndex = 1;
    parking.label = QStringLiteral("P12");
    parking.detailIndex = 1;
    t.taxiways = {at(taxiway, 100, 150), at(second, 100, 200)};
    t.parkings = {at(parking, 250, 150)};

    only({kColGeo});
    const QImage &image = draw();
    for (const auto &[y, colour] : {std::pair{40, kGeoA}, {60, kGeoB}, {80, kGeoA}})
        EXPECT_EQ(Count(image, QRect(20, y, 360, 1), colour), 360) << y;
    EXPECT_EQ(Count(image, image.rect(), kColours[kColGeo]), 0) << "the layer colour is not used";
    EXPECT_GT(CountInk(image, TextBox(100, 150), kTaxiwayText), 5);
    EXPECT_GT(CountInk(image, TextBox(100, 200), kTaxiwayText), 5);
    EXPECT_EQ(CountInk(image, TextBox(100, 200), kParkingText), 0);
    EXPECT_GT(CountInk(image, TextBox(252, 152), kParkingText), 5);
    // The parking text starts 2 pixels right of and below its point.
    EXPECT_EQ(CountInk(image, QRect(240, 140, 12, 40), kParkingText), 0);
    EXPECT_EQ(CountInk(image, QRect(240, 140, 60, 12), kParkingText), 0);

    only({});
    const QImage &hidden = draw();
    EXPECT_EQ(CountInk(hidden, hidden.rect(), kTaxiwayText) + CountInk(hidden, hidden.rect(), kParkingText), 0);
    EXPECT_EQ(Count(hidden, hidden.rect(), kGeoA), 0);
}

// ---- airports, weather and navaids --------------------------------------------------------

TEST_F(ScopeMap, AirportWeatherSquareAndDownwindArrow)
{
    only({kColAirports, kColWeather});
    Airport a;
    a.identifier = QStringLiteral("LFLL");
    a.realMetarReceived = 1;
    a.windGroup = QStringLiteral("27010KT");
    s_.sector.tables.airports = {at(a, kCx, kCy)};
    Airport &airport = s_.sector.tables.airports[0];
    const QColor wx = kColours[kColWeather], cross = kColours[kColAirports];

    // Skip tests for counting on or off the outline of the square.
    const auto onSquare = [](int x, int y) {
        return ((x == kCx - 10 || x == kCx + 10) && std::abs(y - kCy) <= 10)
               || ((y == kCy - 10 || y == kCy + 10) && std::abs(x - kCx) <= 10);
    };
    const auto offSquare = [&](int x, int y) { return !onSquare(x, y); };
    const QImage &image = draw();
    // The 20 x 20 square around the airport: 80 pixels of outline; inside it only the shaft.
    EXPECT_EQ(Count(image, image.rect(), wx, offSquare), 80);
    EXPECT_EQ(Count(image, QRect(kCx - 9, kCy - 9, 19, 19), wx), 10);
    // The cross and the identifier in the airport colour.
    EXPECT_EQ(image.pixelColor(kCx, kCy - 4), cross);
    EXPECT_EQ(image.pixelColor(kCx, kCy + 3), cross);
    EXPECT_EQ(image.pixelColor(kCx - 4, kCy), cross);
    EXPECT_EQ(image.pixelColor(kCx, kCy), wx) << "the shaft drawn over the cross";
    EXPECT_GT(CountInk(image, TextBox(kCx + 20, kCy), cross), 5);
    // Wind from 270 at 10 kt: a 50-pixel shaft to the east, the head back at its end.
    EXPECT_EQ(Count(image, QRect(kCx, kCy, 50, 1), wx), 50);
    EXPECT_EQ(Count(image, QRect(kCx + 51, kCy - 3, 20, 7), wx), 0);
    EXPECT_EQ(Count(image, QRect(kCx - 60, kCy - 1, 49, 3), wx), 0);
    EXPECT_GT(Count(image, QRect(kCx + 40, kCy - 6, 10, 4), wx), 3);
    EXPECT_GT(Count(image, QRect(kCx + 40, kCy + 3, 10, 4), wx), 3);

    // A variable wind: the square without any arrow.
    airport.windGroup = QStringLiteral("VRB03KT");
    EXPECT_EQ(Count(draw(), picture_.rect(), wx, offSquare), 80);
    EXPECT_EQ(Count(picture_, picture_.rect(), wx, onSquare), 0);
    // Wind from the north at 4 kt: 20 pixels straight down.
    airport.windGroup = QStringLiteral("00004KT");
    EXPECT_EQ(Count(draw(), QRect(kCx, kCy + 11, 1, 9), wx), 9);
    EXPECT_EQ(Count(picture_, QRect(kCx - 2, kCy + 21, 5, 10), wx), 0);

    // Simulator weather counts too; no weather, or the weather entry hidden: no square.
    airport.realMetarReceived = 0;
    airport.simMetarReceived = 1;
    EXPECT_GT(Count(draw(), picture_.rect(), wx), 80);
    airport.simMetarReceived = 0;
    EXPECT_EQ(Count(draw(), picture_.rect(), wx), 0);
    airport.realMetarReceived = 1;
    only({kColAirports});
    EXPECT_EQ(Count(draw(), picture_.rect(), wx), 0);
    EXPECT_GT(Count(picture_, picture_.rect(), cross), 0);
}

TEST_F(ScopeMap, NavaidsWithIdentifierAndDetails)
{
    only({kColVor, kColNdb});
    VOR vor;
    vor.identifier = QStringLiteral("LSE");
    vor.frequency = QStringLiteral("114.750");
    vor.comment = QStringLiteral("SAINT EXUPERY");
    VOR ndb = vor;
    ndb.identifier = QStringLiteral("LYE");
    s_.sector.tables.vors = {at(vor, 100, 100)};
    s_.sector.tables.ndbs = {at(ndb, 100, 200)};
    const QColor v = kColours[kColVor], n = kColours[kColNdb];

    const QImage &plain = draw();
    // VOR: centre square and hexagon (top edge x - 4 .. x + 4 at y - 8).
    EXPECT_EQ(Count(plain, QRect(99, 99, 2, 2), v), 4);
    EXPECT_EQ(Count(plain, QRect(97, 92, 8, 1), v), 8);
    EXPECT_EQ(plain.pixelColor(92, 100), v);
    EXPECT_EQ(plain.pixelColor(108, 100), v);
    EXPECT_GT(CountInk(plain, TextBox(120, 100), v), 5);
    EXPECT_EQ(CountInk(plain, QRect(150, 95, 120, 25), v), 0);
    // NDB: square and a circle of radius 8.
    EXPECT_EQ(Count(plain, QRect(99, 199, 2, 2), n), 4);
    EXPECT_EQ(plain.pixelColor(100, 192), n);
    EXPECT_EQ(plain.pixelColor(92, 200), n);
    EXPECT_GT(CountInk(plain, TextBox(120, 200), n), 5);
    EXPECT_EQ(CountInk(plain, QRect(147, 195, 120, 25), n), 0);

    s_.sector.tables.vors[0].detailsShown = 1;
    s_.sector.tables.ndbs[0].detailsShown = 1;
    const QImage &details = draw();
    EXPECT_GT(CountInk(details, QRect(150, 100, 120, 16), v), 20);
    EXPECT_GT(CountInk(details, QRect(145, 200, 120, 16), n), 20);
}

} // namespace
