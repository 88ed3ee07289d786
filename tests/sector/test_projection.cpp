#include "sector/Projection.h"

#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <numbers>

using namespace zaz;

namespace {

constexpr QSize kPicture(800, 600);
const float kInf = std::numeric_limits<float>::infinity();

ViewState View(float lat, float lon, float scale)
{
    ViewState view;
    view.centreLat = lat;
    view.centreLon = lon;
    view.scale = scale;
    view.nmPerDegLon = NmPerDegreeLongitude(lat);
    ComputeEdges(view, kPicture);
    return view;
}

bool Near(QPointF p, QPointF q)
{
    return std::hypot(p.x() - q.x(), p.y() - q.y()) < 1e-4;
}

} // namespace

TEST(Projection, EdgesAndForwardProjection)
{
    // At start the picture height shows 100 nm around (0, 0).
    const ViewState start = View(0, 0, kPicture.height() / 100.0f);
    EXPECT_EQ(GeoToScreenRounded(start, 0, 0), QPoint(400, 300));
    EXPECT_EQ(start.topLat, float(600.0 / (60.0 * 2 * 6)));
    EXPECT_EQ(start.leftLon, float(-800.0 / (60.0 * 2 * 6)));
    EXPECT_TRUE(PointVisible(start, start.topLat, start.leftLon));
    EXPECT_FALSE(PointVisible(start, std::nextafter(start.topLat, 90.0f), 0));

    // At latitude 60 a degree of longitude is 30 nm, half as wide as a degree of latitude.
    EXPECT_EQ(NmPerDegreeLongitude(60), 30.0f);
    const ViewState north = View(60, 0, 6);
    const QPointF o = GeoToScreen(north, 60, 0);
    EXPECT_NEAR(GeoToScreen(north, 60, 1).x() - o.x(), 180.0, 1e-3);
    EXPECT_NEAR(o.y() - GeoToScreen(north, 61, 0).y(), 360.0, 1e-3);
}

TEST(Projection, ScreenToGeoInvertsGeoToScreen)
{
    const ViewState view = View(45.7256f, 5.0811f, 8.5f);
    EXPECT_NEAR(ScreenToGeo(view, 400, 300).y(), 45.7256, 1e-5);
    for (const QPointF pixel : {QPointF(0, 0), QPointF(123.5, 456.25), QPointF(-40, 700)}) {
        const QPointF geo = ScreenToGeo(view, pixel.x(), pixel.y());
        const QPointF back = GeoToScreen(view, float(geo.y()), float(geo.x()));
        EXPECT_NEAR(back.x(), pixel.x(), 0.01);
        EXPECT_NEAR(back.y(), pixel.y(), 0.01);
    }
}

TEST(Projection, VisibilityTests)
{
    const ViewState v = View(45.7256f, 5.0811f, 8.5f);
    const float above = v.topLat + 1, below = v.bottomLat - 1, left = v.leftLon - 1, right = v.rightLon + 1;
    // Both ends outside, crossing the picture, or merely not wholly on one side: drawn.
    EXPECT_TRUE(SegmentVisible(v, above, left, below, right));
    EXPECT_TRUE(SegmentVisible(v, above, v.centreLon, v.centreLat, right + 50));
    EXPECT_FALSE(SegmentVisible(v, above, left, above, right));
    EXPECT_FALSE(SegmentVisible(v, below, left, above, left));

    // Rounded extremes, ties to even, against the picture size.
    EXPECT_TRUE(PixelsVisible(800.5, 600.5, 900, 700, kPicture));
    EXPECT_FALSE(PixelsVisible(10, 600.6, 20, 700, kPicture));
    EXPECT_TRUE(PixelsVisible(-20, -20, -0.5, -0.5, kPicture));
    EXPECT_FALSE(PixelsVisible(10, -20, 20, -1.5, kPicture));
}

TEST(Projection, DistanceIsGreatCircleAndNeverNaN)
{
    EXPECT_EQ(QString::number(DistanceNm(45, 5, 46, 5), 'f', 1), "60.1");
    EXPECT_NEAR(DistanceNm(0, 0, 0, 90), 3443.844 * std::numbers::pi / 2, 1e-6);
    for (const double lat : {12.3456, 45.7256, -33.9, 89.9999})
        for (const double lon : {5.0811, -122.375, 179.99})
            EXPECT_EQ(DistanceNm(lat, lon, lat, lon), 0.0) << lat << " " << lon;
}

TEST(Projection, BearingOnThePicture)
{
    const QPointF a(100, 100);
    const QPointF up(100, 40), down(100, 160), rightP(160, 100), leftP(40, 100);
    EXPECT_EQ(ScreenBearing(a, up, 0), 0);
    EXPECT_EQ(ScreenBearing(a, down, 0), 180);
    EXPECT_EQ(ScreenBearing(a, rightP, 0), 90);
    EXPECT_EQ(ScreenBearing(a, leftP, 0), 270);
    EXPECT_EQ(ScreenBearing(a, QPointF(150, 150), 0), 135);
    EXPECT_EQ(ScreenBearing(a, QPointF(50, 150), 0), 225);
    EXPECT_EQ(ScreenBearing(a, QPointF(100 - std::sqrt(3.0) * 50, 50), 0), 300);
    EXPECT_EQ(ScreenBearing(a, a, 0), 0);
    EXPECT_EQ(ScreenBearing(a, up, 5), 5);
    EXPECT_EQ(ScreenBearing(a, leftP, 95), 5);    // above 360 wraps
    EXPECT_EQ(ScreenBearing(a, up, -0.4), 360);   // below 0 wraps, then rounds to 360
    EXPECT_EQ(ScreenBearing(a, leftP, 90), 360);  // exactly 360 is kept
    EXPECT_EQ(ScreenBearing(a, up, 2.5), 2);      // half to even
}

TEST(Projection, ShortPositionText)
{
    ShortLatLon t = ShortLatLonText(45.5, -1.25);
    EXPECT_EQ(t.latitude + "|" + t.longitude, "N45 30.00|W1 15.00");
    t = ShortLatLonText(0, 120.125);
    EXPECT_EQ(t.latitude + "|" + t.longitude, "S0 0.00|E120 7.50");
    t = ShortLatLonText(-33.1, 0);
    EXPECT_EQ(t.latitude + "|" + t.longitude, "S33 6.00|W0 0.00");
}

TEST(Projection, PointAtAngle)
{
    // Theta 0 continues the line from p2 through p1, whatever the quadrant.
    EXPECT_TRUE(Near(PointAtAngle(5, 0, QPointF(3, 4), QPointF(0, 0)), QPointF(6, 8)));
    EXPECT_TRUE(Near(PointAtAngle(5, 0, QPointF(-3, -4), QPointF(0, 0)), QPointF(-6, -8)));
    EXPECT_TRUE(Near(PointAtAngle(5, 0, QPointF(7, 14), QPointF(10, 10)), QPointF(4, 18)));
    EXPECT_TRUE(Near(PointAtAngle(5, 0, QPointF(13, 6), QPointF(10, 10)), QPointF(16, 2)));
    EXPECT_TRUE(Near(PointAtAngle(10, 0, QPointF(-10, 0), QPointF(0, 0)), QPointF(-20, 0)));
    // A positive theta turns anticlockwise on the screen (y down); equal points give 0.
    EXPECT_TRUE(Near(PointAtAngle(10, float(std::numbers::pi / 2), QPointF(10, 0), QPointF(0, 0)), QPointF(10, -10)));
    EXPECT_TRUE(Near(PointAtAngle(4, 0, QPointF(5, 5), QPointF(5, 5)), QPointF(9, 5)));

    // A failed inverse cosine (dx = dy = -inf) or sine (-inf, +inf) is reported; direction 0.
    QStringList reports;
    const AngleErrorSink sink = [&](const QString &key, float length, float difference) {
        reports << QStringLiteral("%1 %2 %3").arg(key).arg(length).arg(difference);
    };
    EXPECT_EQ(PointAtAngle(7, 0, QPointF(0, 0), QPointF(kInf, kInf), sink), QPointF(7, 0));
    EXPECT_EQ(PointAtAngle(3, 0, QPointF(1, 2), QPointF(kInf, -kInf), sink), QPointF(4, 2));
    EXPECT_EQ(reports, QStringList({"x2-x1 7 -inf", "y2-y1 3 inf"}));
}

TEST(Projection, AngleErrorIsRecordedInTheSettingsFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ZAZ.ini");
    IniFile ini(path);
    AngleErrorToSettings(ini)("y2-y1", 12.5f, -3.25f);
    PointAtAngle(0.1f, 0, QPointF(0, 0), QPointF(kInf, kInf), AngleErrorToSettings(ini));
    const IniFile reread(path);
    EXPECT_EQ(reread.readString("erreur", "module", ""), "0.1");
    EXPECT_EQ(reread.readString("erreur", "y2-y1", ""), "-3.25");
    EXPECT_EQ(reread.readString("erreur", "x2-x1", ""), "-INF");
}
