// Checks of the traffic drawn by the full redraw: conflict and emergency alerts, the cell
// conflict test against a scan of the whole table, target orientation, speed vector, trail,
// rings, labels and colours, expiry, the selected aircraft's route and the text block.
// The picture is 400 x 300, centred on (0, 0) at 3 pixels per nautical mile, with a
// different colour for every colour-table entry on a black background; targets are placed
// on whole pixels unless a test says otherwise. A circle of radius r around a pixel spans
// r pixels on each side of it.
#include "support/PixelChecks.h"
#include "support/ScopeFixture.h"
#include "scope/Conflict.h"
#include "scope/ScopeRenderer.h"
#include "scope/TrafficLayer.h"
#include "sector/Projection.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace zaz;
using zaz::test::IsInk;

namespace {


constexpr QSize kPicture(400, 300);
constexpr float kScale = 3;
constexpr double kPi = 3.14159265358979323846;

// One colour per entry, none black (the background), none repeated, none the cyan or red
// of the text block.
const QColor kColours[kColourCount] = {
    QColor(0, 0, 0),       QColor(255, 0, 1),     QColor(0, 255, 0),     QColor(0, 0, 255),
    QColor(255, 255, 0),   QColor(255, 0, 255),   QColor(0, 254, 254),   QColor(255, 128, 0),
    QColor(128, 255, 0),   QColor(0, 128, 255),   QColor(255, 0, 128),   QColor(128, 0, 255),
    QColor(0, 255, 128),   QColor(128, 128, 128), QColor(255, 255, 255), QColor(64, 64, 192),
    QColor(192, 64, 64),   QColor(64, 192, 64),   QColor(192, 192, 64),  QColor(64, 192, 192),
    QColor(200, 100, 50)};
const QColor kTarget = kColours[kColTarget];
const QColor kCyan(0, 255, 255), kRed(255, 0, 0), kBlack(0, 0, 0);

using PixelTest = std::function<bool(int, int)>;

// Pixels of exactly this colour in the area, those where skip is true left out.
int Count(const QImage &image, QRect area, const QColor &colour, const PixelTest &skip = {})
{
    area &= image.rect();
    const QRgb want = colour.rgb();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == want && !(skip && skip(x, y)))
                ++n;
    return n;
}


// Pixels of any other colour in the area.
int CountOther(const QImage &image, QRect area, const QColor &colour, const PixelTest &skip = {})
{
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != colour.rgb() && !(skip && skip(x, y)))
                ++n;
    return n;
}

int CountInk(const QImage &image, QRect area, const QColor &colour, const PixelTest &skip = {})
{
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(image.pixel(x, y), colour) && !(skip && skip(x, y)))
                ++n;
    return n;
}

// Pixels within tolerance of the circle of radius r around the pixel (cx, cy).
PixelTest OnCircle(int cx, int cy, double r, double tolerance = 1.0)
{
    return [=](int x, int y) { return std::abs(std::hypot(x - cx, y - cy) - r) < tolerance; };
}

PixelTest Not(const PixelTest &t)
{
    return [=](int x, int y) { return !t(x, y); };
}

// Lines of text as the scope writes them, the first with its top-left corner at (0, 0) and
// each further one dy pixels lower, alone on black.
QImage TextAlone(const QStringList &lines, int dy, const QColor &colour, const DisplaySettings &display, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setFont(ScreenFont(display));
    p.setPen(colour);
    const int ascent = QFontMetrics(p.font()).ascent();
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPoint(0, i * dy + ascent), lines[i]);
    return image;
}

// Whether the picture shows exactly this text with its top-left corner at (x, y) (and
// nothing else in the text's box), except at pixels where skip says another drawing crosses.
bool TextAt(const QImage &image, int x, int y, const QString &text, const QColor &colour,
            const DisplaySettings &display, const PixelTest &skip = {})
{
    const QFontMetrics metrics(ScreenFont(display));
    const QSize box(metrics.horizontalAdvance(text) + 4, metrics.height());
    const QImage alone = TextAlone({text}, 0, colour, display, box);
    for (int j = 0; j < box.height(); ++j)
        for (int i = 0; i < box.width(); ++i) {
            if (skip && skip(x + i, y + j))
                continue;
            if (!image.rect().contains(x + i, y + j) || image.pixel(x + i, y + j) != alone.pixel(i, j))
                return false;
        }
    return true;
}

class ScopeTraffic : public ::testing::Test {
protected:
    ScopeTraffic() : picture_(kPicture, QImage::Format_RGB32)
    {
        test::PrepareTestScope(s_, kColours, kScale, kPicture);
        DisplaySettings &d = s_.settings.display;
        d.minimumAltitude = 1000;
        d.verticalSeparation = 1000;
        d.horizontalSeparation = 5;
        // Labels only where a test asks for them (transponder "N"): Add gives "S".
        d.labelMode = 1;
        s_.view.vectorMinutes = 1;
        // Oriented by heading unless a test says otherwise.
        s_.link.serverType = QStringLiteral("VIREO-SERVER");
    }

    float Lat(double x, double y)
    {
        ComputeEdges(s_.view, kPicture);
        return float(ScreenToGeo(s_.view, x, y).y());
    }
    float Lon(double x, double y)
    {
        ComputeEdges(s_.view, kPicture);
        return float(ScreenToGeo(s_.view, x, y).x());
    }

    // A live aircraft at the pixel (x, y), heading north, its whole trail there too, just
    // updated by the server.
    int Add(const QString &callsign, double x, double y, int altitude = 12000)
    {
        TrafficTable &table = s_.traffic.table;
        const int i = table.AcquireRecord();
        table.SetCallsign(i, callsign);
        AVION &a = table.Edit(i);
        a.lat = Lat(x, y);
        a.lon = Lon(x, y);
        a.trail.fill({a.lat, a.lon});
        a.altitude = a.prevAltitude = altitude;
        a.groundSpeed = 300;
        a.heading = 0;
        a.squawk = QStringLiteral("1000");
        a.transponderMode = QStringLiteral("S");
        a.serverSeen = now_;
        a.fromServer = true;
        s_.traffic.LiveTrafficList.append(QString::number(i));
        return i;
    }
    AVION &plane(int i) { return s_.traffic.table.Edit(i); }
    void trailAt(int i, int k, double x, double y) { plane(i).trail[k] = {Lat(x, y), Lon(x, y)}; }

    const QImage &draw()
    {
        // Anything left from before must be painted over.
        picture_.fill(QColor(77, 66, 55));
        FullRedraw(picture_, s_, now_);
        return picture_;
    }

    bool TextAt(int x, int y, const QString &text, const QColor &colour, const PixelTest &skip = {})
    {
        return ::TextAt(picture_, x, y, text, colour, s_.settings.display, skip);
    }

    RadarState s_;
    QImage picture_;
    const QDateTime now_{QDate(2024, 6, 12), QTime(14, 30, 0), Qt::UTC};
};

// ---- conflict and emergency alert --------------------------------------------------------

TEST_F(ScopeTraffic, PairThreeMilesApartWithinTheVerticalSeparationAlerts)
{
    s_.view.vectorMinutes = 0; // vectors and their numbers would cross the rings
    const int a = Add(QStringLiteral("AFR1"), 150, 200, 12000);
    const int b = Add(QStringLiteral("BAW2"), 159, 200, 12500); // 9 pixels: 3 nm east
    const QColor alert = kColours[kColAlert];
    const QRect alerte(kPicture.width() - 100, 40, 100, 20);
    const auto inAlerte = [&](int x, int y) { return alerte.contains(x, y); };
    {
        const QImage &image = draw();
        EXPECT_TRUE(plane(a).alert);
        EXPECT_TRUE(plane(b).alert);
        EXPECT_TRUE(s_.traffic.globalAlert);
        // A dotted ring of round(5 nm × 3) = 15 pixels around each: the outer half of each
        // is clear of the other ring.
        const int left = Count(image, QRect(130, 180, 18, 41), alert, Not(OnCircle(150, 200, 15)));
        const int right = Count(image, QRect(162, 180, 18, 41), alert, Not(OnCircle(159, 200, 15)));
        EXPECT_GT(left, 6);
        EXPECT_GT(right, 6);
        EXPECT_LT(left, 30) << "dotted, not solid";
        // Alert pixels only on the two rings and in "ALERTE".
        EXPECT_EQ(Count(image, image.rect(), alert, [&](int x, int y) {
                      return OnCircle(150, 200, 15)(x, y) || OnCircle(159, 200, 15)(x, y) || inAlerte(x, y);
                  }),
                  0);
        EXPECT_TRUE(TextAt(alerte.x(), alerte.y(), QStringLiteral("ALERTE"), alert));
    }
    // 1000 ft apart with a vertical separation of 1000 ft: separated.
    plane(b).altitude = 13000;
    {
        const QImage &image = draw();
        EXPECT_FALSE(plane(a).alert);
        EXPECT_FALSE(plane(b).alert);
        EXPECT_FALSE(s_.traffic.globalAlert);
        EXPECT_EQ(CountInk(image, image.rect(), alert), 0);
    }
    // 999 ft apart, either one above the other.
    plane(b).altitude = 11001;
    draw();
    EXPECT_TRUE(plane(a).alert && plane(b).alert);
}

TEST_F(ScopeTraffic, BelowTheMinimumNoConflictButEmergencySquawksAlert)
{
    s_.view.vectorMinutes = 0;
    const QColor alert = kColours[kColAlert];
    // Minimum 1000 ft: an aircraft at 1000 ft is not above it, nor is one at 900.
    const int high = Add(QStringLiteral("AFR1"), 150, 200, 1500);
    const int low = Add(QStringLiteral("BAW2"), 159, 200, 1000);
    const int lower = Add(QStringLiteral("DLH3"), 150, 209, 900);
    draw();
    EXPECT_FALSE(plane(high).alert) << "the other one is not above the minimum";
    EXPECT_FALSE(plane(low).alert);
    EXPECT_FALSE(plane(lower).alert);
    EXPECT_FALSE(s_.traffic.globalAlert);
    EXPECT_EQ(CountInk(picture_, picture_.rect(), alert), 0);

    // Emergency squawks alert at any altitude; only the aircraft squawking it is flagged.
    for (const char *squawk : {"7500", "7600", "7700"}) {
        SCOPED_TRACE(squawk);
        plane(lower).squawk = QLatin1String(squawk);
        const QImage &image = draw();
        EXPECT_TRUE(plane(lower).alert);
        EXPECT_FALSE(plane(high).alert);
        EXPECT_FALSE(plane(low).alert);
        EXPECT_TRUE(s_.traffic.globalAlert);
        EXPECT_GT(Count(image, QRect(130, 200, 18, 30), alert, Not(OnCircle(150, 209, 15))), 6);
        EXPECT_TRUE(TextAt(300, 40, QStringLiteral("ALERTE"), alert));
    }
    for (const char *squawk : {"7777", "770", "77000", "0700"}) {
        plane(lower).squawk = QLatin1String(squawk);
        draw();
        EXPECT_FALSE(plane(lower).alert) << squawk;
        EXPECT_FALSE(s_.traffic.globalAlert) << squawk;
    }
}

TEST_F(ScopeTraffic, AlertRingRadiusIsTheRoundedSeparation)
{
    // 5 nm at 2.5 pixels per nm: 12.5 pixels, rounded to 12.
    s_.view.scale = 2.5f;
    s_.view.vectorMinutes = 0;
    const int a = Add(QStringLiteral("AFR1"), 200, 150, 500);
    plane(a).squawk = QStringLiteral("7700");
    const QImage &image = draw();
    const QColor alert = kColours[kColAlert];
    // The dotted ring's pixels lie 12 pixels from P on average (13 would be 12.5 unrounded).
    double sum = 0;
    int n = 0, left = 1000;
    for (int y = 120; y <= 180; ++y)
        for (int x = 170; x <= 230; ++x)
            if (image.pixelColor(x, y) == alert) {
                sum += std::hypot(x - 200, y - 150);
                ++n;
                left = std::min(left, x);
            }
    ASSERT_GT(n, 15);
    EXPECT_NEAR(sum / n, 12.0, 0.3);
    EXPECT_EQ(left, 188);
}

TEST_F(ScopeTraffic, DistanceIsRoundedToWholeMilesBeforeTheComparison)
{
    // Horizontal separation 5: 4.4 nm rounds to 4 (conflict), 4.6 to 5 (none), 4.5 to 4
    // (ties go to the even number).
    const int a = Add(QStringLiteral("AFR1"), 200, 150, 12000);
    const int b = Add(QStringLiteral("BAW2"), 200, 150, 12000);
    const auto conflict = [&](float nmPerDeg, float dLat) {
        s_.view.nmPerDegLat = nmPerDeg;
        plane(a).lat = 0.25f;
        plane(b).lat = 0.25f + dLat;
        plane(b).lon = plane(a).lon;
        const ConflictTest cells(s_);
        const bool scan = ConflictTest::InConflictByScan(s_, a);
        EXPECT_EQ(cells.InConflict(s_, a), scan);
        EXPECT_EQ(ConflictTest::InConflictByScan(s_, b), scan) << "the distance is symmetric";
        draw();
        EXPECT_EQ(plane(a).alert, scan);
        EXPECT_EQ(plane(b).alert, scan);
        return scan;
    };
    EXPECT_TRUE(conflict(60, 4.4f / 60));
    EXPECT_FALSE(conflict(60, 4.6f / 60));
    EXPECT_FALSE(conflict(60, 5.0f / 60));
    EXPECT_TRUE(conflict(36, 0.125f)) << "4.5 nm exactly";
    EXPECT_TRUE(conflict(60, 0)) << "same position";
    // The flat distance uses both factors: 3 nm north and 4 nm east is 5 nm.
    s_.view.nmPerDegLat = 60;
    s_.view.nmPerDegLon = 30;
    plane(a).lat = plane(a).lon = 0;
    plane(b).lat = 3.0f / 60;
    plane(b).lon = 4.0f / 30;
    EXPECT_FALSE(ConflictTest::InConflictByScan(s_, a));
    EXPECT_FALSE(ConflictTest(s_).InConflict(s_, a));
    s_.settings.display.horizontalSeparation = 6;
    EXPECT_TRUE(ConflictTest::InConflictByScan(s_, a));
    EXPECT_TRUE(ConflictTest(s_).InConflict(s_, a));
}

// The cell test against a scan of every record, on a crowded table: aircraft at random, others
// placed close to a cell width from an earlier one, freed records among them, several
// separations and longitude factors.
TEST(ConflictCells, AnswersThoseOfAScanOfTheWholeTable)
{
    RadarState s;
    TrafficTable &table = s.traffic.table;
    std::mt19937 random(20240310);
    std::uniform_real_distribution<double> latitude(45.0, 47.0), longitude(3.0, 7.0), unit(0.0, 1.0);
    std::uniform_int_distribution<int> level(0, 200);
    const double nearDistances[] = {0, 0.49, 0.5, 0.51, 1.49, 1.5, 4.49, 4.5, 4.51, 5, 5.5, 9.49, 9.5, 10.5};
    constexpr int kCount = 3000;
    for (int k = 0; k < kCount; ++k) {
        const int i = table.AcquireRecord();
        table.SetCallsign(i, QStringLiteral("R%1").arg(k));
        AVION &a = table.Edit(i);
        if (k % 2 == 1) {
            // Next to an earlier aircraft, at one of the distances that matter when rounded.
            const AVION &other = table[int(random() % unsigned(k))];
            const double d = nearDistances[random() % std::size(nearDistances)];
            const double angle = unit(random) * 2 * kPi;
            a.lat = float(other.lat + d * std::cos(angle) / 60);
            a.lon = float(other.lon + d * std::sin(angle) / 60);
            const int dAlt[] = {0, 1, 500, 999, 1000, 1001};
            a.altitude = other.altitude + dAlt[random() % std::size(dAlt)] * (random() % 2 ? 1 : -1);
        } else {
            a.lat = float(latitude(random));
            a.lon = float(longitude(random));
            a.altitude = level(random) * 100;
        }
    }
    // One record in ten freed, as a removal leaves it.
    const auto free = [&](int i) {
        table.SetCallsign(i, QString());
        table.Edit(i).lat = 9999.0f;
    };
    for (int i = 0; i < kCount; i += 10)
        free(i);

    struct Case {
        int horizontal;
        int vertical;
        int minimum;
        float nmPerDegLon;
    };
    QList<Case> cases;
    for (float lon : {30.0f, 60.0f})
        for (int h : {0, 1, 5, 10})
            cases.append({h, 1000, 1000, lon});
    cases.append({5, 0, 0, 60});
    cases.append({5, 1000, 0, 42.5f});

    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "horizontal " << c.horizontal << " vertical " << c.vertical << " minimum "
                                        << c.minimum << " nm per degree of longitude " << c.nmPerDegLon);
        s.settings.display.horizontalSeparation = c.horizontal;
        s.settings.display.verticalSeparation = c.vertical;
        s.settings.display.minimumAltitude = c.minimum;
        s.view.nmPerDegLat = 60;
        s.view.nmPerDegLon = c.nmPerDegLon;
        const ConflictTest test(s);
        int conflicts = 0, clear = 0, differ = 0, firstDiffer = -1;
        for (int i = 0; i < table.size(); ++i) {
            if (table[i].callsign.isEmpty())
                continue;
            const bool scan = ConflictTest::InConflictByScan(s, i);
            (scan ? conflicts : clear)++;
            if (test.InConflict(s, i) != scan && differ++ == 0)
                firstDiffer = i;
        }
        EXPECT_EQ(differ, 0) << "first at record " << firstDiffer;
        if (c.horizontal >= 5 && c.vertical > 0) {
            EXPECT_GT(conflicts, 200);
            EXPECT_GT(clear, 200);
        }
        if (c.horizontal == 0 || c.vertical == 0) {
            EXPECT_EQ(conflicts, 0);
        }
    }

    // Records freed after the test was built never match.
    s.settings.display.horizontalSeparation = 5;
    s.settings.display.verticalSeparation = 1000;
    s.settings.display.minimumAltitude = 1000;
    s.view.nmPerDegLon = 60;
    const ConflictTest before(s);
    for (int i = 1; i < kCount; i += 7)
        if (!table[i].callsign.isEmpty())
            free(i);
    int differ = 0;
    for (int i = 0; i < table.size(); ++i)
        if (!table[i].callsign.isEmpty() && before.InConflict(s, i) != ConflictTest::InConflictByScan(s, i))
            ++differ;
    EXPECT_EQ(differ, 0);
}

// ---- labels -------------------------------------------------------------------------------

// The label's second line of an aircraft at this speed, now at altitude and before at
// previous, with the transition at 3000 ft.
QString AltitudeLine(int speed, int altitude, int previous)
{
    AVION a;
    a.groundSpeed = speed;
    a.altitude = altitude;
    a.prevAltitude = previous;
    return LabelAltitudeLine(a, 3000);
}

TEST(LabelText, FeetBelowTheTransitionFlightLevelFromIt)
{
    const auto line = [](int altitude, int previous) { return AltitudeLine(250, altitude, previous); };
    EXPECT_EQ(line(2999, 2999), QStringLiteral("2999/250"));
    EXPECT_EQ(line(3000, 3000), QStringLiteral("FL30/250"));
    EXPECT_EQ(line(35000, 35000), QStringLiteral("FL350/250"));
    EXPECT_EQ(line(12449, 12449), QStringLiteral("FL124/250"));
    EXPECT_EQ(line(12451, 12451), QStringLiteral("FL125/250"));
    EXPECT_EQ(line(0, 0), QStringLiteral("0/250"));
    // Another transition altitude moves the switch.
    AVION a;
    a.groundSpeed = 250;
    a.altitude = a.prevAltitude = 4500;
    EXPECT_EQ(LabelAltitudeLine(a, 5000), QStringLiteral("4500/250"));
    EXPECT_EQ(LabelAltitudeLine(a, 4500), QStringLiteral("FL45/250"));
}

TEST(LabelText, TrendNeedsMoreThanTenFeetFromTheTransitionUp)
{
    const auto line = [](int altitude, int previous) { return AltitudeLine(180, altitude, previous); };
    EXPECT_EQ(line(10000, 9990), QStringLiteral("FL100/180"));
    EXPECT_EQ(line(10000, 9989), QStringLiteral("+FL100/180"));
    EXPECT_EQ(line(10000, 10010), QStringLiteral("FL100/180"));
    EXPECT_EQ(line(10000, 10011), QStringLiteral("-FL100/180"));
    EXPECT_EQ(line(3000, 2995), QStringLiteral("FL30/180")) << "the rule of the level, not of the feet";
    // Below the transition any change shows.
    EXPECT_EQ(line(2000, 1999), QStringLiteral("+2000/180"));
    EXPECT_EQ(line(2000, 2001), QStringLiteral("-2000/180"));
    EXPECT_EQ(line(2000, 2000), QStringLiteral("2000/180"));
    EXPECT_EQ(line(2999, 3500), QStringLiteral("-2999/180"));
}

TEST_F(ScopeTraffic, LabelBelowRightOfTheTarget)
{
    // Labels of every aircraft.
    s_.settings.display.labelMode = 0;
    // P = (200.4, 150.6): callsign at (200 + 5, round(155.6)), line 2 at round(150.6 + 10 + 9).
    const int a = Add(QStringLiteral("AFR1234"), 200.4, 150.6, 2999);
    const QColor colour = kTarget;
    const auto labelAt = [&](int x, int y, const QString &line2) {
        const QSize box(100, 32);
        const QImage expected = TextAlone({plane(a).callsign, line2}, 14, colour, s_.settings.display, box);
        return picture_.copy(QRect(QPoint(x, y), box)) == expected;
    };
    draw();
    EXPECT_TRUE(labelAt(205, 156, QStringLiteral("2999/300")));
    EXPECT_FALSE(labelAt(205, 155, QStringLiteral("2999/300")));
    EXPECT_FALSE(labelAt(205, 156, QStringLiteral("FL30/300")));
    plane(a).altitude = plane(a).prevAltitude = 3000;
    draw();
    EXPECT_TRUE(labelAt(205, 156, QStringLiteral("FL30/300")));
    // Climbing: the trend leads line 2.
    plane(a).prevAltitude = 2500;
    draw();
    EXPECT_TRUE(labelAt(205, 156, QStringLiteral("+FL30/300")));

    // 128 pixels per degree: P = (200, 151.5) exactly. The callsign at round(156.5) = 156,
    // line 2 at round(170.5) = 170 (ties to even), not at round(151.5) + 5 and + 19.
    s_.view.nmPerDegLat = s_.view.nmPerDegLon = 64;
    s_.view.scale = 2;
    plane(a).lat = Lat(200, 151.5);
    plane(a).lon = Lon(200, 151.5);
    ASSERT_EQ(GeoToScreen(s_.view, plane(a).lat, plane(a).lon), QPointF(200, 151.5));
    draw();
    EXPECT_TRUE(labelAt(205, 156, QStringLiteral("+FL30/300")));

    // A larger screen font moves line 2 down by as much.
    s_.settings.display.screenFontSize = 12;
    draw();
    {
        const QImage expected = TextAlone({QStringLiteral("+FL30/300")}, 0, colour, s_.settings.display, QSize(100, 14));
        EXPECT_TRUE(picture_.copy(QRect(205, 174, 100, 14)) == expected) << "round(151.5 + 10 + 12)";
    }
}

TEST_F(ScopeTraffic, ModeCharlyLabelsOnlyTransponderN)
{
    const int a = Add(QStringLiteral("AFR1234"), 200, 150, 8000);
    const QRect label(205, 155, 100, 32);
    const auto labelled = [&] {
        draw();
        const bool shown = TextAt(205, 155, QStringLiteral("AFR1234"), kTarget);
        EXPECT_EQ(CountInk(picture_, label, kTarget) > 0, shown);
        return shown;
    };
    s_.settings.display.labelMode = 1;
    plane(a).transponderMode = QStringLiteral("S");
    EXPECT_FALSE(labelled());
    plane(a).transponderMode = QStringLiteral("Y");
    EXPECT_FALSE(labelled());
    plane(a).transponderMode = QStringLiteral("N");
    EXPECT_TRUE(labelled());
    s_.settings.display.labelMode = 0;
    plane(a).transponderMode = QStringLiteral("S");
    EXPECT_TRUE(labelled());
}

// ---- colours, orientation, vector ---------------------------------------------------------

TEST_F(ScopeTraffic, TargetColourBySelectionThenCommandThenStrip)
{
    // Heading north: the vector and its number stay above the box looked at.
    const int xs[] = {140, 205, 270, 335};
    int planes[4];
    for (int k = 0; k < 4; ++k)
        planes[k] = Add(QStringLiteral("T%1").arg(k), xs[k], 220);
    // Selected with a command pending and a strip; command and strip; strip; nothing.
    s_.traffic.SelectedAircraft = planes[0];
    for (int k : {0, 1})
        plane(planes[k]).commandPending = true;
    for (int k : {0, 1, 2})
        plane(planes[k]).hasStrip = true;
    const QImage &image = draw();
    const int expected[] = {kColSelected, kColPendingCommand, kColTargetStrip, kColTarget};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        // The wings and the lower half of the symbol.
        const QRect box(xs[k] - 9, 218, 19, 12);
        EXPECT_GT(Count(image, box, kColours[expected[k]]), 15);
        for (int entry : {kColTarget, kColTargetStrip, kColSelected, kColPendingCommand})
            if (entry != expected[k]) {
                EXPECT_EQ(Count(image, box, kColours[entry]), 0) << entry;
            }
    }
}

TEST_F(ScopeTraffic, OrientedByHeadingOrByTrack)
{
    // Heading east, moving south to north since the last report; 600 kt for 1 minute at
    // 3 px/nm: a vector of 30 pixels.
    const int a = Add(QStringLiteral("AFR1"), 200, 150);
    plane(a).heading = kPi / 2;
    plane(a).groundSpeed = 600;
    trailAt(a, 0, 200, 170);
    const QRect north(196, 100, 9, 41), east(210, 146, 19, 9);
    const auto onRow = [](int row) { return [=](int, int y) { return y == row; }; };
    const auto onColumn = [](int column) { return [=](int x, int) { return x == column; }; };

    // VIREO-SERVER: the nose 8 pixels right of P, the vector on to (230, 150), its number there.
    {
        const QImage &image = draw();
        EXPECT_EQ(image.pixelColor(207, 150), kTarget);
        EXPECT_EQ(image.pixelColor(192, 150), kTarget);
        EXPECT_GT(Count(image, QRect(210, 150, 19, 1), kTarget), 4);
        EXPECT_EQ(Count(image, north, kTarget), 0);
        EXPECT_TRUE(TextAt(230, 150, QStringLiteral("1"), kTarget, onRow(150)));
    }
    // The simulator gives headings too, whatever the server.
    s_.link.serverType = QStringLiteral("FSD");
    s_.sim.connected = true;
    EXPECT_TRUE(TargetUsesHeading(s_));
    draw();
    EXPECT_TRUE(TextAt(230, 150, QStringLiteral("1"), kTarget, onRow(150)));

    // FSD: along the track from trail entry 0, whatever the heading: the nose 8 pixels north,
    // the vector 30 pixels beyond it.
    s_.sim.connected = false;
    EXPECT_FALSE(TargetUsesHeading(s_));
    {
        const QImage &image = draw();
        EXPECT_EQ(image.pixelColor(200, 143), kTarget);
        EXPECT_GT(Count(image, QRect(200, 114, 1, 27), kTarget), 4);
        EXPECT_EQ(Count(image, east, kTarget), 0);
        EXPECT_TRUE(TextAt(200, 112, QStringLiteral("1"), kTarget, onColumn(200)));
    }
    // A track to the south-west: the vector runs on down-left.
    trailAt(a, 0, 220, 130);
    {
        const QImage &image = draw();
        EXPECT_GT(Count(image, QRect(170, 162, 25, 25), kTarget), 4);
        EXPECT_EQ(Count(image, north, kTarget), 0);
        EXPECT_EQ(Count(image, east, kTarget), 0);
    }
    // Another server type gives no heading this program knows of: by track too.
    s_.link.serverType = QStringLiteral("OTHER");
    EXPECT_FALSE(TargetUsesHeading(s_));
}

TEST_F(ScopeTraffic, VectorLengthIsTheRoundedDistanceFlown)
{
    // Heading east: the vector ends round(gs × minutes × 3 / 60) pixels right of P, where
    // the number of minutes is written.
    const int a = Add(QStringLiteral("AFR1"), 200, 150);
    plane(a).heading = kPi / 2;
    const auto onRow150 = [](int, int y) { return y == 150; };
    struct Case {
        int groundSpeed, minutes, length;
    };
    // 12.5 and 22.5 round down, 17.5 up (to the even pixel).
    for (const Case &c : {Case{600, 1, 30}, Case{250, 1, 12}, Case{350, 1, 18}, Case{150, 3, 22}, Case{100, 2, 10}}) {
        SCOPED_TRACE(testing::Message() << c.groundSpeed << " kt, " << c.minutes << " min");
        plane(a).groundSpeed = c.groundSpeed;
        s_.view.vectorMinutes = c.minutes;
        draw();
        EXPECT_TRUE(TextAt(200 + c.length, 150, QString::number(c.minutes), kTarget, onRow150));
        EXPECT_FALSE(TextAt(201 + c.length, 150, QString::number(c.minutes), kTarget, onRow150));
    }
}

TEST_F(ScopeTraffic, ZeroMinuteVectorHasNoLengthAndNoNumber)
{
    s_.view.vectorMinutes = 0;
    const int a = Add(QStringLiteral("AFR1"), 200, 150);
    plane(a).groundSpeed = 600;
    const QRect symbol(191, 141, 19, 19);
    const auto inSymbol = [&](int x, int y) { return symbol.contains(x, y); };
    for (const char *server : {"FSD", "VIREO-SERVER"}) {
        SCOPED_TRACE(server);
        s_.link.serverType = QLatin1String(server);
        // Moving north (FSD) and heading north (VIREO-SERVER).
        trailAt(a, 0, 200, 170);
        const QImage &image = draw();
        EXPECT_GT(Count(image, symbol, kTarget), 20);
        EXPECT_EQ(CountInk(image, image.rect(), kTarget, inSymbol), 0) << "no vector beyond the nose, no number";
    }
}

// ---- rings, trail ------------------------------------------------------------------------

TEST_F(ScopeTraffic, HandoffOfferRingsAndHandoffStates)
{
    const int a = Add(QStringLiteral("AFR1"), 200, 150);
    plane(a).groundSpeed = 600; // a vector of 30 pixels, up to (200, 120)
    const QColor strip = kColours[kColTargetStrip], command = kColours[kColPendingCommand];
    const QRect around(180, 130, 41, 41);
    // Off the symbol's cross (and off the vector above the nose).
    const auto onCross = [](int x, int y) { return std::abs(x - 200) <= 1 || std::abs(y - 150) <= 1; };

    plane(a).handoffFrom = QStringLiteral("LFLL_APP");
    {
        const QImage &image = draw();
        for (int r : {6, 10, 14}) {
            const int n = Count(image, around, strip, [&](int x, int y) { return !OnCircle(200, 150, r)(x, y) || onCross(x, y); });
            EXPECT_GT(n, 3 * r) << "ring " << r;
        }
        // Nothing between the rings nor beyond them.
        for (double r : {8.0, 12.0, 17.0})
            EXPECT_EQ(Count(image, around, strip, Not(OnCircle(200, 150, r, 0.7))), 0) << r;
        EXPECT_EQ(Count(image, image.rect(), strip, [](int x, int y) { return std::hypot(x - 200, y - 150) < 15; }), 0);
    }
    plane(a).handoffFrom.clear();

    // Offer pending ("D"): a circle of 8 pixels in entry 19 filled with the background,
    // drawn over the symbol. (The trail, all at P here, is drawn after it: hidden.)
    plane(a).handoffState = QStringLiteral("D");
    s_.settings.display.trailShown = 0;
    {
        const QImage &image = draw();
        EXPECT_GT(Count(image, around, command, Not(OnCircle(200, 150, 8))), 30);
        EXPECT_EQ(CountOther(image, around, kBlack, [](int x, int y) { return std::hypot(x - 200, y - 150) >= 7; }), 0)
            << "the inside is background";
        EXPECT_GT(Count(image, QRect(199, 122, 3, 19), kTarget), 3) << "the vector from the nose";
        EXPECT_EQ(Count(image, image.rect(), strip), 0);
    }
    // Accepted ("A"): an open circle of 8 pixels in entry 15, the symbol visible inside.
    plane(a).handoffState = QStringLiteral("A");
    plane(a).commandPending = true; // the target itself in entry 19
    {
        const QImage &image = draw();
        EXPECT_GT(Count(image, around, kTarget, [&](int x, int y) { return !OnCircle(200, 150, 8)(x, y) || onCross(x, y); }),
                  25);
        EXPECT_GT(Count(image, QRect(193, 143, 15, 15), command), 20);
        EXPECT_EQ(Count(image, around, kTarget, [](int x, int y) { return std::hypot(x - 200, y - 150) >= 7; }), 0);
    }
    // No state: no circle.
    plane(a).handoffState.clear();
    EXPECT_EQ(Count(draw(), around, kTarget, [&](int x, int y) { return !OnCircle(200, 150, 8)(x, y) || onCross(x, y); }),
              0);
}

TEST_F(ScopeTraffic, TrailCirclesAtEntriesOneToTwentyWhenShown)
{
    const int a = Add(QStringLiteral("AFR1"), 200, 60);
    for (int k = 0; k < kTrailLength; ++k)
        trailAt(a, k, 20 + 18 * k, 250);
    const auto around = [](int k) { return QRect(20 + 18 * k - 3, 247, 7, 7); };
    {
        const QImage &image = draw();
        EXPECT_EQ(Count(image, around(0), kTarget), 0) << "the most recent previous position has none";
        for (int k = 1; k < kTrailLength; ++k) {
            const int n = Count(image, around(k), kTarget);
            EXPECT_GT(n, 0) << k;
            EXPECT_LT(n, 16) << k << ": a small dotted circle";
            EXPECT_EQ(image.pixelColor(20 + 18 * k, 250), kBlack) << k << ": open";
        }
    }
    s_.settings.display.trailShown = 0;
    const QImage &image = draw();
    EXPECT_EQ(Count(image, QRect(0, 240, 400, 20), kTarget), 0);
    EXPECT_GT(Count(image, QRect(190, 50, 21, 21), kTarget), 20) << "the target still drawn";
}

TEST_F(ScopeTraffic, TargetsFarOffOrWithAbsurdValuesDrawNothingOnThePicture)
{
    s_.settings.display.labelMode = 0;
    s_.view.vectorMinutes = 3;
    s_.settings.display.horizontalSeparation = 1000000;
    const int far = Add(QStringLiteral("FAR1"), 200, 150);
    plane(far).lat = 1e30f;
    plane(far).lon = -1e30f;
    plane(far).trail.fill({-1e30f, 1e30f});
    plane(far).groundSpeed = 2147483647;
    plane(far).squawk = QStringLiteral("7700");
    const int inf = Add(QStringLiteral("INF1"), 200, 150);
    plane(inf).lat = std::numeric_limits<float>::infinity();
    plane(inf).trail.fill({-std::numeric_limits<float>::infinity(), 0});
    plane(inf).handoffFrom = QStringLiteral("X");
    plane(inf).handoffState = QStringLiteral("D");
    for (const char *server : {"FSD", "VIREO-SERVER"}) {
        s_.link.serverType = QLatin1String(server);
        const QImage &image = draw();
        for (int entry : {kColTarget, kColTargetStrip, kColPendingCommand})
            EXPECT_EQ(Count(image, image.rect(), kColours[entry]), 0) << server << " " << entry;
    }
}

// ---- expiry and the selected route ---------------------------------------------------------

TEST_F(ScopeTraffic, AircraftSilentLongerThanTheDelayIsRemovedNotDrawn)
{
    s_.settings.display.ExpiryDelay = 1.0f / 1440.0f; // one minute
    const auto report = [&](const QString &callsign, int x, int y, qint64 secondsAgo) {
        const t_tranches fields = {QStringLiteral("@N"), callsign, QStringLiteral("1200"), QStringLiteral("1"),
                                   QString::number(Lat(x, y), 'f', 7), QString::number(Lon(x, y), 'f', 7),
                                   QStringLiteral("12000"), QStringLiteral("300"), QStringLiteral("0"),
                                   QStringLiteral("0")};
        return ApplyServerPosition(s_, fields, now_.addSecs(-secondsAgo));
    };
    const int silent = report(QStringLiteral("OLD1"), 150, 220, 61);
    const int recent = report(QStringLiteral("NEW1"), 250, 220, 59);
    const int simulated = report(QStringLiteral("SIM1"), 350, 220, 61);
    plane(simulated).simSeen = now_.addSecs(-10);
    QStringList monitor;
    QObject::connect(&s_.notifier, &StateNotifier::monitorLine, [&](const QString &line) { monitor.append(line); });

    const QImage &image = draw();
    const auto box = [](int x) { return QRect(x - 10, 200, 21, 30); };
    EXPECT_EQ(Count(image, box(150), kTarget), 0);
    EXPECT_GT(Count(image, box(250), kTarget), 20);
    EXPECT_GT(Count(image, box(350), kTarget), 20) << "still fed by the simulator";
    EXPECT_EQ(s_.traffic.table.FindAircraft(QStringLiteral("OLD1")), kNoAircraft);
    EXPECT_FALSE(s_.traffic.LiveTrafficList.contains(QString::number(silent)));
    EXPECT_EQ(s_.traffic.LiveTrafficList,
              QStringList({QString::number(recent), QString::number(simulated)}));
    EXPECT_TRUE(plane(recent).shown);
    EXPECT_FALSE(plane(simulated).shown);
    EXPECT_TRUE(monitor.contains(QStringLiteral("delai dépassé suppression demandée 0, OLD1")));
    // The next redraw finds nothing of it either.
    EXPECT_EQ(Count(draw(), box(150), kTarget), 0);
}

TEST_F(ScopeTraffic, SelectedRouteWhileTheRouteKeyIsHeld)
{
    const QColor selected = kColours[kColSelected];
    const int a = Add(QStringLiteral("AFR1"), 300, 270);
    const int other = Add(QStringLiteral("BAW2"), 60, 270);
    const auto point = [&](int x, int y, int element) { return RoutePoint{Lat(x, y), Lon(x, y), element}; };
    // (40, 200) → (140, 200) → an element without position (latitude 0, on the picture's
    // middle row) → (240, 220) → (340, 220).
    plane(a).routePoints = {point(40, 200, 0), point(140, 200, 2), RoutePoint{0, Lon(140, 150), 3},
                            point(240, 220, 4), point(340, 220, 6)};
    plane(other).routePoints = {point(40, 100, 0), point(340, 100, 1)};
    const QRect first(40, 200, 100, 1), last(240, 220, 100, 1), skipped(138, 152, 100, 66);
    const QRect otherRoute(40, 100, 300, 1);

    s_.traffic.SelectedAircraft = a;
    s_.scope.routeKeyHeld = false;
    {
        const QImage &image = draw();
        EXPECT_EQ(Count(image, QRect(0, 0, 400, 240), selected), 0);
    }
    s_.scope.routeKeyHeld = true;
    {
        const QImage &image = draw();
        EXPECT_GE(Count(image, first, selected), 99);
        EXPECT_GE(Count(image, last, selected), 99);
        EXPECT_EQ(Count(image, skipped, selected, [&](int x, int y) { return first.contains(x, y) || last.contains(x, y); }), 0)
            << "no segment to or from the point at latitude 0";
        EXPECT_EQ(Count(image, otherRoute, selected), 0) << "only the selected aircraft's route";
    }
    // Nothing selected: no route.
    s_.traffic.SelectedAircraft = kNoAircraft;
    EXPECT_EQ(Count(draw(), QRect(0, 0, 400, 240), selected), 0);
}

TEST_F(ScopeTraffic, RedrawAdvancesTheNextRoutePoint)
{
    // Route points 6 nm and 12 nm from the aircraft: with a passing distance of 10 nm the
    // nearer one is passed.
    const int a = Add(QStringLiteral("AFR1"), 200, 200);
    plane(a).routePoints = {{Lat(200, 164), Lon(200, 164), 3}, {Lat(200, 182), Lon(200, 182), 5}};
    s_.settings.display.passingDistance = 10;
    s_.traffic.SelectedAircraft = a;
    int advanced = 0;
    QObject::connect(&s_.notifier, &StateNotifier::selectedRouteAdvanced, [&] { ++advanced; });
    draw();
    EXPECT_EQ(plane(a).nextPoint, 5);
    EXPECT_EQ(advanced, 1);
    // The last point within the distance wins.
    s_.settings.display.passingDistance = 13;
    draw();
    EXPECT_EQ(plane(a).nextPoint, 5);
    s_.traffic.SelectedAircraft = kNoAircraft;
    plane(a).routePoints[1] = {Lat(200, 100), Lon(200, 100), 5};
    draw();
    EXPECT_EQ(plane(a).nextPoint, 3);
    EXPECT_EQ(advanced, 2) << "the panel is refreshed for the selected aircraft only";
}

// ---- text block ---------------------------------------------------------------------------

TEST_F(ScopeTraffic, NewMetarInRedOtherwiseTheAtisLetter)
{
    s_.weather.newMetar = true;
    s_.scope.atisLetterText = QStringLiteral("C");
    draw();
    EXPECT_TRUE(TextAt(10, 40, QStringLiteral("NOUVEAU METAR"), kRed));
    EXPECT_EQ(CountInk(picture_, QRect(0, 0, 400, 300), kRed, [](int, int y) { return y >= 40 && y < 56; }), 0);

    s_.weather.newMetar = false;
    draw();
    EXPECT_TRUE(TextAt(10, 40, QStringLiteral("INFO:C"), kCyan));
    EXPECT_EQ(CountInk(picture_, picture_.rect(), kRed), 0);
    EXPECT_TRUE(TextAt(10, 60, QStringLiteral("transition: 3000ft"), kCyan));
}

TEST_F(ScopeTraffic, ManualWeatherShownWhileTheWeatherTimerIsStopped)
{
    s_.scope.weatherTimerRunning = false;
    s_.weather.windUnit = QStringLiteral("KT");
    draw();
    EXPECT_TRUE(TextAt(10, 120, QStringLiteral("METEO manuelle"), kCyan));
    EXPECT_TRUE(TextAt(10, 100, QStringLiteral(" vent: KT"), kCyan));

    s_.scope.weatherTimerRunning = true;
    t_wind &wind = s_.weather.CurrentWeather.wind;
    wind.altitude = QStringLiteral("0");
    wind.depth = QStringLiteral("1000");
    wind.direction = QStringLiteral("270");
    wind.speed = QStringLiteral("10");
    wind.unit = QStringLiteral("KT");
    draw();
    EXPECT_EQ(CountInk(picture_, QRect(0, 118, 200, 20), kCyan), 0);
    EXPECT_TRUE(TextAt(10, 100, QStringLiteral(" vent:0-1000 270 10KT"), kCyan));
}

} // namespace
