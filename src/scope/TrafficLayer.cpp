#include "scope/TrafficLayer.h"

#include "core/Text.h"
#include "scope/Conflict.h"
#include "scope/DrawCache.h"
#include "sector/Projection.h"

#include <cmath>

namespace zaz {

namespace {

QPoint Round(QPointF p)
{
    return QPoint(RoundHalfEven(p.x()), RoundHalfEven(p.y()));
}

// Where a point is drawn: on the nearest pixel, ties to the even one, as all drawing
// rounds; the painter itself would put a point a hair left of a pixel on the pixel before.
// Kept as floating point so that points far off the picture cannot overflow.
QPointF Pixel(QPointF p)
{
    return QPointF(RoundHalfEvenWhole(p.x()), RoundHalfEvenWhole(p.y()));
}

struct Orientation {
    QPointF nose, tail, wing1, wing2, vectorEnd;
};

Orientation Orient(const ScopeScene &scene, const ViewState &view, const AVION &a, QPointF p, int vectorLength, DrawCaches *caches)
{
    Orientation o;
    // From an "FSD" server, only the aircraft whose client sent its attitude word have a heading.
    if (TargetUsesHeading(scene) || (a.headingReceived && scene.link.serverType == QLatin1String("FSD"))) {
        const double h = a.heading;
        const auto at = [&](double angle, double length) {
            return QPointF(RoundHalfEven(p.x() + length * std::sin(angle)),
                           RoundHalfEven(p.y() - length * std::cos(angle)));
        };
        o.nose = at(h, 8);
        o.tail = at(h + kPi, 8);
        o.wing1 = at(h + kPi / 2, 8);
        o.wing2 = at(h - kPi / 2, 8);
        o.vectorEnd = at(h, vectorLength);
        return o;
    }
    const QPointF previous = GeoToScreen(view, a.trail[0].lat, a.trail[0].lon);
    const auto compute = [&] {
        o.nose = PointAtAngle(8, 0, p, previous);
        o.tail = PointAtAngle(8, float(kPi), p, previous);
        o.wing1 = PointAtAngle(8, float(kPi / 2), p, previous);
        o.wing2 = PointAtAngle(8, float(-kPi / 2), p, previous);
        o.vectorEnd = PointAtAngle(float(vectorLength), 0, o.nose, previous);
    };
    if (!caches) {
        compute();
        return o;
    }
    // The same points as at the last redraw while the target has not moved.
    std::array<double, 10> points;
    caches->orientations.get({p.x(), p.y(), previous.x(), previous.y(), double(vectorLength)}, points,
                             [&](const auto &, auto &out) {
                                 compute();
                                 int k = 0;
                                 for (QPointF q : {o.nose, o.tail, o.wing1, o.wing2, o.vectorEnd}) {
                                     out[k++] = q.x();
                                     out[k++] = q.y();
                                 }
                             });
    o.nose = QPointF(points[0], points[1]);
    o.tail = QPointF(points[2], points[3]);
    o.wing1 = QPointF(points[4], points[5]);
    o.wing2 = QPointF(points[6], points[7]);
    o.vectorEnd = QPointF(points[8], points[9]);
    return o;
}

int TargetColour(const TrafficState &traffic, int index, const AVION &a)
{
    if (index == traffic.SelectedAircraft)
        return kColSelected;
    if (a.commandPending)
        return kColPendingCommand;
    if (a.hasStrip)
        return kColTargetStrip;
    return kColTarget;
}

// The callsigns are found in the caches by aircraft (the traffic is drawn with caches of
// its own: the number is the traffic's).
constexpr int kCallsignTexts = 0;

void DrawTarget(ScopeCanvas &c, int index)
{
    const ScopeScene &scene = c.scene();
    const AVION &a = scene.traffic.table[index];
    const DisplaySettings &d = scene.display;
    const ViewState &v = c.view();
    QPainter &p = c.painter();
    const QPointF at = GeoToScreen(v, a.lat, a.lon);
    const int length = RoundHalfEven(double(a.groundSpeed) * v.vectorMinutes * v.scale / 60.0);
    const Orientation o = Orient(scene, v, a, at, length, c.caches());
    const QPointF centre = Pixel(at);
    const QColor colour = c.tableColour(TargetColour(scene.traffic, index, a));

    if (a.alert) {
        c.pen(c.tableColour(kColAlert), 1, Qt::DotLine);
        const double r = RoundHalfEven(double(d.separation.horizontalSeparation) * v.scale);
        c.ellipse(centre, r, r);
    }
    if (!a.handoffFrom.isEmpty()) {
        c.pen(c.tableColour(kColTargetStrip));
        for (int r : {6, 10, 14})
            c.ellipse(centre, r, r);
    }
    const QString line2 = LabelAltitudeLine(a, scene.weather.transitionAltitude);

    c.pen(colour, 2);
    const QPointF body[] = {centre, Pixel(o.nose), Pixel(o.tail)};
    c.polyline(body, 3);
    const QPointF wings[] = {centre, Pixel(o.wing1), Pixel(o.wing2)};
    c.polyline(wings, 3);

    // The handoff circle: filled with the background when the handoff is asked for (the
    // disc, then its outline).
    if (a.handoffState == QLatin1String("D")) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.tableColour(kColBackground));
        p.drawEllipse(centre, 8.0, 8.0);
        c.pen(c.tableColour(kColPendingCommand));
        c.ellipse(centre, 8.0, 8.0);
    } else if (a.handoffState == QLatin1String("A")) {
        c.pen(c.tableColour(kColTarget));
        c.ellipse(centre, 8.0, 8.0);
    }

    c.pen(colour, 1, Qt::DotLine);
    const QPointF vector[] = {Pixel(o.nose), Pixel(o.vectorEnd)};
    c.polyline(vector, 2);
    if (v.vectorMinutes > 0) {
        const QPoint end = Round(o.vectorEnd);
        c.textOut(end.x(), end.y(), QString::number(v.vectorMinutes), colour);
    }
    if (d.trailShown) {
        for (int k = 1; k < kTrailLength; ++k)
            c.ellipse(Pixel(GeoToScreen(v, a.trail[k].lat, a.trail[k].lon)), 2.0, 2.0);
    }
    // In "mode Charly" only aircraft whose transponder reports altitude are labelled.
    if (!(d.labelMode == 1 && a.transponderMode != QLatin1String("N"))) {
        const int x = RoundHalfEven(at.x()) + 5;
        c.textOut(x, RoundHalfEven(at.y() + 5), a.callsign, colour, false, {kCallsignTexts, index});
        c.textOut(x, RoundHalfEven(at.y() + 10 + d.screenFontSize), line2, colour);
    }
}

void DrawSelectedRoute(ScopeCanvas &c)
{
    const ScopeScene &scene = c.scene();
    const int index = scene.traffic.SelectedAircraft;
    if (!scene.tools.routeKeyHeld || !scene.traffic.table.isValid(index))
        return;
    const t_proute &route = scene.traffic.table[index].routePoints;
    c.pen(c.tableColour(kColSelected));
    for (qsizetype k = 0; k + 1 < route.size(); ++k) {
        const RoutePoint &a = route[k], &b = route[k + 1];
        if (a.lat == 0 || b.lat == 0 || !SegmentVisible(c.view(), a.lat, a.lon, b.lat, b.lon))
            continue;
        c.line(c.project(a.lat, a.lon), c.project(b.lat, b.lon));
    }
}

} // namespace

bool TargetUsesHeading(const ScopeScene &scene)
{
    return scene.sim.connected || scene.link.serverType == QLatin1String("VIREO-SERVER");
}

QString LabelAltitudeLine(const AVION &a, int transitionAltitude)
{
    QString trend;
    if (a.altitude >= transitionAltitude) {
        if (qint64(a.altitude) - a.prevAltitude > 10)
            trend = QStringLiteral("+");
        else if (qint64(a.prevAltitude) - a.altitude > 10)
            trend = QStringLiteral("-");
    } else if (a.altitude > a.prevAltitude) {
        trend = QStringLiteral("+");
    } else if (a.altitude < a.prevAltitude) {
        trend = QStringLiteral("-");
    }
    const QString altitude = a.altitude >= transitionAltitude
                                 ? QStringLiteral("FL") + QString::number(RoundHalfEven(a.altitude / 100.0))
                                 : QString::number(a.altitude);
    return trend + altitude + QLatin1Char('/') + QString::number(a.groundSpeed);
}

void DrawTraffic(ScopeCanvas &c)
{
    const TrafficState &traffic = c.scene().traffic;
    for (const QString &entry : traffic.LiveTrafficList) {
        const int i = entry.toInt();
        if (traffic.table.inUse(i))
            DrawTarget(c, i);
    }
    DrawSelectedRoute(c);
    if (traffic.globalAlert)
        c.textOut(c.size().width() - 100, 40, QStringLiteral("ALERTE"), c.tableColour(kColAlert));
}

} // namespace zaz
