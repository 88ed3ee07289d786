#include "sector/Projection.h"

#include "core/Text.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>

namespace zaz {

namespace {

constexpr double kEarthRadiusNm = 3443.844;

// Degrees to radians the way the program always converts: × 2π / 360.
inline double Radians(double degrees)
{
    return degrees * 2.0 * kPi / 360.0;
}

} // namespace

// The operands are the stored float32 values; each expression is evaluated in double and
// only its result is rounded to float32, as the edges are kept.
void ComputeEdges(ViewState &view, QSize picture)
{
    const double h = picture.height();
    const double w = picture.width();
    const double scale = view.scale;
    view.topLat = float(view.centreLat + h / (double(view.nmPerDegLat) * 2.0 * scale));
    view.bottomLat = float(view.centreLat - h / (double(view.nmPerDegLat) * 2.0 * scale));
    view.rightLon = float(view.centreLon + w / (double(view.nmPerDegLon) * 2.0 * scale));
    view.leftLon = float(view.centreLon - w / (double(view.nmPerDegLon) * 2.0 * scale));
}

QPoint ViewOrigin(const ViewState &view)
{
    return GeoToWorldRounded(view, view.topLat, view.leftLon);
}

QPointF GeoToScreen(const ViewState &view, float latitude, float longitude)
{
    return GeoToWorld(view, latitude, longitude) - QPointF(ViewOrigin(view));
}

QPoint GeoToScreenRounded(const ViewState &view, float latitude, float longitude)
{
    return GeoToWorldRounded(view, latitude, longitude) - ViewOrigin(view);
}

QPointF ScreenToGeo(const ViewState &view, double x, double y)
{
    const QPoint origin = ViewOrigin(view);
    const double latitude = -(y + origin.y()) / view.scale / view.nmPerDegLat;
    const double longitude = (x + origin.x()) / view.scale / view.nmPerDegLon;
    return QPointF(longitude, latitude);
}

bool PointVisible(const ViewState &view, float latitude, float longitude)
{
    return view.bottomLat <= latitude && latitude <= view.topLat && view.leftLon <= longitude
           && longitude <= view.rightLon;
}

bool SegmentVisible(const ViewState &view, float lat1, float lon1, float lat2, float lon2)
{
    if (std::min(lat1, lat2) > view.topLat)
        return false;
    if (std::max(lat1, lat2) < view.bottomLat)
        return false;
    if (std::min(lon1, lon2) > view.rightLon)
        return false;
    if (std::max(lon1, lon2) < view.leftLon)
        return false;
    return true;
}

bool PixelsVisible(double minX, double minY, double maxX, double maxY, QSize picture)
{
    if (RoundHalfEven(minY) > picture.height())
        return false;
    if (RoundHalfEven(maxY) < 0)
        return false;
    if (RoundHalfEven(minX) > picture.width())
        return false;
    if (RoundHalfEven(maxX) < 0)
        return false;
    return true;
}

double DistanceNm(double lat1, double lon1, double lat2, double lon2)
{
    // The sum below may come out a hair under 1 for a point and itself.
    if (lat1 == lat2 && lon1 == lon2)
        return 0;
    const double phi1 = Radians(lat1);
    const double phi2 = Radians(lat2);
    const double lambda1 = Radians(lon1);
    const double lambda2 = Radians(lon2);
    double c = std::cos(phi2) * std::cos(phi1) * std::cos(lambda2 - lambda1)
               + std::sin(phi2) * std::sin(phi1);
    // Rounding can push the cosine of a tiny angle just past 1; equal points give 0.
    c = std::clamp(c, -1.0, 1.0);
    return std::acos(c) * kEarthRadiusNm;
}

int ScreenBearing(QPointF a, QPointF b, double declination)
{
    const double dy = a.y() - b.y(); // north is up, y grows downwards
    const double dx = b.x() - a.x();
    double bearing = 0;
    if (dy == 0) {
        if (dx > 0)
            bearing = 90;
        else if (dx < 0)
            bearing = 270;
    } else {
        const double angle = std::atan(std::fabs(dx) / std::fabs(dy)) * 360.0 / (2.0 * kPi);
        if (dx >= 0 && dy > 0)
            bearing = angle;
        else if (dx >= 0)
            bearing = 180.0 - angle;
        else if (dy < 0)
            bearing = 180.0 + angle;
        else
            bearing = 360.0 - angle;
    }
    bearing += declination;
    if (bearing > 360)
        bearing -= 360;
    if (bearing < 0)
        bearing += 360;
    return RoundHalfEven(bearing);
}

namespace {

QString ShortText(double value, QChar positive, QChar negative)
{
    QString text(value > 0 ? positive : negative);
    const double whole = std::trunc(value);
    text += IntToStr(std::llabs((long long)Trunc(value)));
    text += QLatin1Char(' ');
    text += FormatFixed(std::fabs(value - whole) * 60.0, 2, 2);
    return text;
}

} // namespace

ShortLatLon ShortLatLonText(double latitude, double longitude)
{
    return {ShortText(latitude, QLatin1Char('N'), QLatin1Char('S')),
            ShortText(longitude, QLatin1Char('E'), QLatin1Char('W'))};
}

// Every named quantity is a float32, as the approach-axis code keeps them.
QPointF PointAtAngle(float length, float theta, QPointF p1, QPointF p2, const AngleErrorSink &onDomainError)
{
    const float x1 = float(p1.x());
    const float y1 = float(p1.y());
    const float dx = float(double(x1) - float(p2.x()));
    const float dy = float(double(y1) - float(p2.y()));
    const float d = float(std::sqrt(double(dx) * dx + double(dy) * dy));

    // The clamp at 1 only guards against rounding; a NaN ratio stays NaN and fails below.
    auto upToOne = [](double r) { return r > 1.0 ? 1.0 : r; };
    auto fails = [](double r) { return std::isnan(r) || r < -1.0; };

    float a = 0;
    if (d == 0) {
        a = 0;
    } else if (dx >= dy) {
        const double r = upToOne(double(dx) / d);
        if (fails(r)) {
            if (onDomainError)
                onDomainError(QStringLiteral("x2-x1"), length, dx);
            a = 0;
        } else {
            a = float(std::acos(r));
            if (dy < 0)
                a = -a;
        }
    } else {
        const double r = upToOne(double(dy) / d);
        if (fails(r)) {
            if (onDomainError)
                onDomainError(QStringLiteral("y2-y1"), length, dy);
            a = 0;
        } else {
            a = float(std::asin(r));
            if (dx < 0)
                a = float(kPi - a);
        }
    }
    const double turned = double(a) - theta;
    const float x = float(x1 + double(length) * std::cos(turned));
    const float y = float(y1 + double(length) * std::sin(turned));
    return QPointF(x, y);
}

float NmPerDegreeLongitude(float latitude)
{
    return float(60.0 * std::cos(Radians(latitude)));
}

} // namespace zaz
