// The flat projection of the scope: edges, both directions, visibility, distances,
// bearings, the status-bar position text and the rotated offset of approach axes.
#include "sector/Projection.h"

#include <gtest/gtest.h>

#include <QLineF>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace zaz {
namespace {

constexpr QSize kPicture(800, 600);

ViewState View(float lat, float lon, float scale)
{
    ViewState view;
    view.centreLat = lat, view.centreLon = lon, view.scale = scale, view.nmPerDegLon = NmPerDegreeLongitude(lat);
    ComputeEdges(view, kPicture);
    return view;
}

TEST(Projection, EdgesAndBothDirections)
{
    // At start the picture height shows 100 nm around (0, 0); the edges belong to the picture.
    const ViewState start = View(0, 0, kPicture.height() / 100.0f);
    EXPECT_EQ(GeoToScreenRounded(start, 0, 0), QPoint(400, 300));
    EXPECT_EQ(start.topLat, float(600.0 / (60.0 * 2 * 6)));
    EXPECT_TRUE(PointVisible(start, start.topLat, start.leftLon));
    EXPECT_FALSE(PointVisible(start, std::nextafter(start.topLat, 90.0f), 0));

    // At latitude 60 a degree of longitude is 30 nm, half as wide as a degree of latitude.
    const ViewState north = View(60, 0, 6);
    const QPointF o = GeoToScreen(north, 60, 0);
    EXPECT_NEAR(GeoToScreen(north, 60, 1).x() - o.x(), 180.0, 1e-3);
    EXPECT_NEAR(o.y() - GeoToScreen(north, 61, 0).y(), 360.0, 1e-3);

    const ViewState view = View(45.7256f, 5.0811f, 8.5f);
    for (const QPointF pixel : {QPointF(0, 0), QPointF(123.5, 456.25), QPointF(-40, 700)}) {
        const QPointF geo = ScreenToGeo(view, pixel.x(), pixel.y());
        EXPECT_LT(QLineF(GeoToScreen(view, float(geo.y()), float(geo.x())), pixel).length(), 0.01) << pixel.x();
    }
}

TEST(Projection, PixelsAreAnchoredInTheWorld)
{
    // Whatever the view's centre (moved by fractions of a pixel), two points stay the same
    // whole pixels apart: each lands on its world pixel, less the view's origin.
    const float lat = 45.7256f, lon = 5.0811f;
    for (const double shift : {0.0, 0.25, 0.5, 0.75, 7.5, -123.4}) {
        const ViewState view = View(lat, float(lon + shift / (8.5 * NmPerDegreeLongitude(lat))), 8.5f);
        const QPoint a = GeoToScreenRounded(view, lat, lon), b = GeoToScreenRounded(view, lat + 0.0123f, lon + 0.0456f);
        EXPECT_EQ(b - a, QPoint(16, -6)) << shift;
    }
    // Whole pixels: ties to even, pinned a billion out (NaN low), so sums stay ints.
    for (const auto &[value, whole] : {std::pair(2.5, 2), {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {1e12, 1000000000},
                                       {-1e12, -1000000000}, {std::nan(""), -1000000000}})
        EXPECT_EQ(WholePixel(value), whole) << value;
}

TEST(Projection, SegmentsAreSkippedOnlyWhollyOnOneSidePixelsByRoundedExtremes)
{
    const ViewState v = View(45.7256f, 5.0811f, 8.5f);
    const float above = v.topLat + 1, below = v.bottomLat - 1, left = v.leftLon - 1, right = v.rightLon + 1;
    EXPECT_TRUE(SegmentVisible(v, above, left, below, right));
    EXPECT_FALSE(SegmentVisible(v, above, left, above, right));
    EXPECT_FALSE(SegmentVisible(v, below, left, above, left));
    // Ties round to even: 800.5 gives 800, inside; -0.5 gives 0, inside; -1.5 gives -2.
    EXPECT_TRUE(PixelsVisible(800.5, 600.5, 900, 700, kPicture) && PixelsVisible(-20, -20, -0.5, -0.5, kPicture));
    EXPECT_FALSE(PixelsVisible(10, 600.6, 20, 700, kPicture) || PixelsVisible(10, -20, 20, -1.5, kPicture));
}

TEST(Projection, DistanceBearingAndPositionText)
{
    EXPECT_EQ(QString::number(DistanceNm(45, 5, 46, 5), 'f', 1), "60.1");
    EXPECT_NEAR(DistanceNm(0, 0, 0, 90), 3443.844 * std::numbers::pi / 2, 1e-6);
    EXPECT_EQ(DistanceNm(45.7256, 5.0811, 45.7256, 5.0811), 0.0); // never NaN

    // Bearings on the picture plus the declination: wrapped, then rounded half to even.
    const QPointF a(100, 100), up(100, 40), left(40, 100);
    for (const auto &[b, declination, bearing] :
         {std::tuple(up, 0.0, 0), {{100, 160}, 0, 180}, {{150, 150}, 0, 135}, {a, 0, 0}, {left, 95, 5},
          {left, 90, 360}, {up, -0.4, 360}, {up, 2.5, 2}})
        EXPECT_EQ(ScreenBearing(a, b, declination), bearing) << b.x() << "," << b.y() << " " << declination;

    // Zero counts as south and west.
    const ShortLatLon t = ShortLatLonText(45.5, -1.25), zero = ShortLatLonText(0, 120.125);
    EXPECT_EQ(t.latitude + "|" + t.longitude + "|" + zero.latitude + "|" + zero.longitude,
              "N45 30.00|W1 15.00|S0 0.00|E120 7.50");
}

TEST(Projection, PointAtAngleContinuesTheLineAndReportsDomainErrors)
{
    // Theta 0 continues the line from p2 through p1, whatever the quadrant; a positive theta
    // turns anticlockwise on the screen (y down); equal points give direction 0.
    const float quarter = float(std::numbers::pi / 2);
    for (const auto &[length, theta, p1, p2, want] :
         {std::tuple(5.0f, 0.0f, QPointF(-3, -4), QPointF(0, 0), QPointF(-6, -8)), {5, 0, {13, 6}, {10, 10}, {16, 2}},
          {10, quarter, {10, 0}, {0, 0}, {10, -10}}, {4, 0, {5, 5}, {5, 5}, {9, 5}}})
        EXPECT_LT(QLineF(PointAtAngle(length, theta, p1, p2), want).length(), 1e-4) << p1.x() << "," << p1.y();

    // A failed inverse cosine (dx = dy = -inf) or sine (-inf, +inf) is reported; direction 0.
    const float inf = std::numeric_limits<float>::infinity();
    QStringList reports;
    const AngleErrorSink sink = [&](const QString &key, float length, float difference) {
        reports << QStringLiteral("%1 %2 %3").arg(key).arg(length).arg(difference);
    };
    EXPECT_EQ(PointAtAngle(7, 0, QPointF(0, 0), QPointF(inf, inf), sink), QPointF(7, 0));
    EXPECT_EQ(PointAtAngle(3, 0, QPointF(1, 2), QPointF(inf, -inf), sink), QPointF(4, 2));
    EXPECT_EQ(reports, QStringList({"x2-x1 7 -inf", "y2-y1 3 inf"}));
}

} // namespace
} // namespace zaz
