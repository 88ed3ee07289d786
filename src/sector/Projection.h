// The flat projection of the scope: view edges, geographic point <-> pixel, visibility
// tests, distances and bearings, the status-bar position text and the rotated offset used
// for approach axes.
#pragma once

#include "sector/ViewState.h"

#include <QPointF>
#include <QSize>
#include <QString>
#include <functional>

namespace zaz {

// Recomputes the four edges of the picture from the centre, the scale and the picture size.
// Each edge is stored as float32 and the projection uses the stored values.
void ComputeEdges(ViewState &view, QSize picture);

// Pixels are anchored in the world, not on the picture: a point's world pixel is its
// longitude and minus its latitude times the scale and the nautical miles per degree (in
// double), and the picture shows the world pixels from its origin, the whole world pixel
// nearest its top-left edges. So a point lands on the same whole pixel, relative to the
// picture's origin, whatever view asked for it: the map can be drawn in pieces fixed in the
// world (kept while the view pans) and a piece drawn for one view is the piece any other
// view at that scale would draw. The picture's pixel of a point = world pixel - origin.
// (Inline: every element of the map goes through these.)
inline QPointF GeoToWorld(const ViewState &view, float latitude, float longitude)
{
    return QPointF(double(longitude) * view.scale * view.nmPerDegLon, -double(latitude) * view.scale * view.nmPerDegLat);
}
// The whole number nearest v, ties to even; beyond a billion (NaN below) pinned there, so
// that sums and differences of such pixels stay ints.
inline int WholePixel(double v)
{
    if (!(v > -1e9))
        return -1000000000;
    if (v >= 1e9)
        return 1000000000;
    // Adding and taking away 1.5 × 2^52 leaves v rounded to a whole number, ties to even
    // (the default rounding; the build never lets the compiler reassociate).
    constexpr double kShift = 6755399441055744.0;
    return int((v + kShift) - kShift);
}
inline QPoint WholePixel(QPointF p)
{
    return QPoint(WholePixel(p.x()), WholePixel(p.y()));
}
// The world pixel rounded half to even, as the drawing uses it.
inline QPoint GeoToWorldRounded(const ViewState &view, float latitude, float longitude)
{
    return WholePixel(GeoToWorld(view, latitude, longitude));
}
// The whole world pixel at the picture's top-left corner (from the stored edges).
QPoint ViewOrigin(const ViewState &view);

// Pixel position of a geographic point on the picture, unrounded.
QPointF GeoToScreen(const ViewState &view, float latitude, float longitude);
// The world pixel rounded half to even, less the origin: the pixel the drawing uses.
QPoint GeoToScreenRounded(const ViewState &view, float latitude, float longitude);
// Geographic point under a pixel: x = longitude, y = latitude.
QPointF ScreenToGeo(const ViewState &view, double x, double y);

// A single position inside the edges (edges included).
bool PointVisible(const ViewState &view, float latitude, float longitude);
// A segment is skipped only when it lies wholly on one side of the picture.
bool SegmentVisible(const ViewState &view, float lat1, float lon1, float lat2, float lon2);
// Pixel figure test on rounded minimum and maximum coordinates against the picture size.
bool PixelsVisible(double minX, double minY, double maxX, double maxY, QSize picture);

// Great-circle distance in nautical miles (earth radius 3443.844 nm); 0 for equal points.
double DistanceNm(double lat1, double lon1, double lat2, double lon2);

// Compass bearing on the picture of b seen from a, plus the declination, rounded half to
// even (so 360 may come out).
int ScreenBearing(QPointF a, QPointF b, double declination);

// Status-bar texts of a position: "N45 30.00" and "W1 15.00" for 45.5, -1.25. Zero counts
// as south / west.
struct ShortLatLon {
    QString latitude;
    QString longitude;
};
ShortLatLon ShortLatLonText(double latitude, double longitude);

// The point at length pixels from p1 in the direction from p2 through p1, turned by theta
// radians (theta = 0 continues the line beyond p1). When an inverse sine or cosine fails,
// onDomainError (if given) is told the key of the difference ("x2-x1" or "y2-y1"), the
// length and the difference used, and the direction 0 is taken.
using AngleErrorSink = std::function<void(const QString &key, float length, float difference)>;
QPointF PointAtAngle(float length, float theta, QPointF p1, QPointF p2,
                     const AngleErrorSink &onDomainError = {});

// Nautical miles per degree of longitude at a latitude: 60 × cos(latitude).
float NmPerDegreeLongitude(float latitude);

} // namespace zaz
