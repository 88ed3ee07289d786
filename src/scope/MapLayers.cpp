#include "scope/MapLayers.h"

#include "core/Text.h"
#include "scope/DirectPixels.h"
#include "scope/DrawCache.h"
#include "scope/LineRaster.h"
#include "sector/Projection.h"

#include <QVarLengthArray>
#include <climits>
#include <cmath>

namespace zaz {

namespace {

// Lines gathered for one pen and drawn in one call: by the painter, or straight into the
// picture (the same pixels) when the canvas may draw faster and the pen allows it.
class LineBatch {
public:
    explicit LineBatch(ScopeCanvas &c) : c_(c) {}
    ~LineBatch() { flush(); }
    void add(QPoint a, QPoint b)
    {
        lines_.append(QLine(a, b));
        if (lines_.size() >= 4096)
            flush();
    }
    void flush()
    {
        if (lines_.isEmpty())
            return;
        QPainter &p = c_.painter();
        QImage *picture = c_.caches() ? DirectPicture(p) : nullptr;
        const quint32 pixel = picture ? DirectLinePixel(p) : 0;
        if (pixel) {
            LineRaster raster(*picture, pixel);
            for (const QLine &line : lines_)
                raster.draw(line);
        } else {
            p.drawLines(lines_.constData(), int(lines_.size()));
        }
        lines_.clear();
    }

private:
    ScopeCanvas &c_;
    QVarLengthArray<QLine, 256> lines_;
};

} // namespace

ScopeCanvas::ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, DrawCaches *caches)
    : p_(painter), s_(scene), view_(scene.view), size_(picture), caches_(caches)
{
    ComputeEdges(view_, picture);
    const QFontMetrics metrics(painter.font());
    ascent_ = metrics.ascent();
    height_ = metrics.height();
}

QColor ScopeCanvas::tableColour(int entry) const
{
    return ToQColor(s_.display.colours[entry].colour);
}

bool ScopeCanvas::visible(int entry) const
{
    return s_.display.colours[entry].visible != 0;
}

void ScopeCanvas::pen(const QColor &colour, int width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
}

void ScopeCanvas::textOut(int x, int y, const QString &text, const QColor &colour, bool opaque)
{
    // Text placed below or right of the picture shows nothing (and far-off positions of
    // absurd coordinates must not overflow the baseline).
    if (x >= size_.width() || y >= size_.height() || y < -size_.height() - 1000)
        return;
    if (!caches_) {
        if (opaque) {
            const QRect box = QFontMetrics(p_.font()).boundingRect(text);
            p_.fillRect(QRect(x, y, box.width(), QFontMetrics(p_.font()).height()), tableColour(kColBackground));
        }
        const QPen keep = p_.pen();
        p_.setPen(colour);
        p_.drawText(QPoint(x, y + ascent_), text);
        p_.setPen(keep);
        return;
    }
    TextCache &texts = caches_->texts;
    if (opaque)
        p_.fillRect(QRect(x, y, texts.boundingWidth(p_, text), height_), tableColour(kColBackground));
    texts.draw(p_, x, y + ascent_, text, colour);
}

QPoint ScopeCanvas::project(float lat, float lon) const
{
    return GeoToScreenRounded(view_, lat, lon);
}

void ScopeCanvas::ellipse(QPointF centre, qreal rx, qreal ry)
{
    if (caches_)
        caches_->outlines.ellipse(p_, centre, rx, ry);
    else
        p_.drawEllipse(centre, rx, ry);
}

void ScopeCanvas::polyline(const QPointF *points, int count)
{
    if (caches_)
        caches_->outlines.polyline(p_, points, count);
    else
        p_.drawPolyline(points, count);
}

void DrawGeo(ScopeCanvas &c)
{
    if (!c.visible(kColGeo))
        return;
    const ScopeScene &s = c.scene();
    const SectorTables &t = s.sector.tables;
    // Consecutive lines of one colour are drawn together.
    TColor current = -1;
    {
        LineBatch batch(c);
        // GEO lines mostly come as polylines, each starting where the last one ended: that
        // point is projected once.
        float lastLat = NAN, lastLon = NAN;
        QPoint lastEnd;
        for (const GEO &g : t.geo) {
            if (!SegmentVisible(c.view(), g.lat1, g.lon1, g.lat2, g.lon2))
                continue;
            if (g.colour != current) {
                batch.flush();
                current = g.colour;
                c.pen(ToQColor(current));
            }
            const QPoint start = g.lat1 == lastLat && g.lon1 == lastLon ? lastEnd : c.project(g.lat1, g.lon1);
            lastLat = g.lat2;
            lastLon = g.lon2;
            lastEnd = c.project(g.lat2, g.lon2);
            batch.add(start, lastEnd);
        }
    }
    // Ground labels in the detail colour of the first label of each table.
    const auto labels = [&](const QList<Taxiway> &table, int dx, int dy) {
        if (table.isEmpty())
            return;
        const int detail = table.first().detailIndex;
        const QList<t_define> &details = s.display.details;
        TColor colour = 0;
        if (detail >= 0 && detail < details.size())
            TryStringToColor(details[detail].value, colour);
        for (const Taxiway &label : table) {
            if (!PointVisible(c.view(), label.latitude, label.longitude))
                continue;
            const QPoint p = c.project(label.latitude, label.longitude);
            c.textOut(p.x() + dx, p.y() + dy, label.label, ToQColor(colour));
        }
    };
    labels(t.taxiways, 0, 0);
    labels(t.parkings, 2, 2);
}

void DrawRangeRings(ScopeCanvas &c)
{
    if (!c.visible(kColRings))
        return;
    const ScopeScene &s = c.scene();
    const ViewState &v = c.view();
    const bool onScreen = s.display.ringsOnScreen != 0;
    const QPoint centre = onScreen ? c.project(v.centreLat, v.centreLon)
                                   : c.project(s.sector.identity.ownLat, s.sector.identity.ownLon);
    const int step = RoundHalfEven(double(v.ringSpacing) * double(v.scale));
    // A spacing that rounds to no pixel would never reach the picture's edge.
    if (step < 1)
        return;
    const QColor colour = c.tableColour(kColRings);
    c.pen(colour);
    const int W = c.size().width(), H = c.size().height();
    const long long cx = centre.x(), cy = centre.y();
    const long long reach = std::max({cx, cy, std::llabs(W - cx), std::llabs(H - cy)});
    // Around a far own position there are thousands of rings before the first one that
    // reaches the picture; those and their labels are stepped over without drawing. A label
    // lies within margin pixels of the point it is written at.
    const QFontMetrics metrics(c.painter().font());
    const double margin = metrics.horizontalAdvance(QStringLiteral("-9223372036854775808")) + metrics.height() + 2;
    const double nearest = std::hypot(double(std::max({0LL, -cx, cx - W})), double(std::max({0LL, -cy, cy - H})));
    // Step k draws the ring of k steps and labels the ring of k + 1 steps.
    long long k = 1;
    const double firstUseful = std::floor((nearest - margin) / step) - 1;
    if (firstUseful > 1)
        k = (long long)firstUseful;
    long long r = k * step;
    long long value = k * v.ringSpacing;
    const auto label = [&](long long x, long long y, const QString &text) {
        if (x < W && y < H && x + margin > 0 && y + margin > 0)
            c.textOut(int(x), int(y), text, colour);
    };
    while (reach >= r) {
        if (r <= INT_MAX && r + 1 >= nearest)
            c.painter().drawEllipse(QPoint(int(cx), int(cy)), int(r), int(r));
        r += step;
        value += v.ringSpacing;
        const QString text = QString::number(value);
        label(cx - r + 1, cy, text);
        label(cx + r + 1, cy, text);
        label(cx, cy - r + 1, text);
        label(cx, cy + r + 1, text);
    }
}

void DrawRoutes(ScopeCanvas &c, const QList<ROUTE> &table, int entry, bool names, NamePlace place)
{
    if (!c.visible(entry))
        return;
    const QColor colour = c.tableColour(entry);
    c.pen(colour);
    LineBatch batch(c);
    for (const ROUTE &route : table) {
        if (!route.selected || route.segments.isEmpty())
            continue;
        const qsizetype named = place == NamePlace::LastSegmentEnd ? route.segments.size() - 1 : 0;
        for (qsizetype i = 0; i < route.segments.size(); ++i) {
            const RouteSegment &seg = route.segments[i];
            if (!SegmentVisible(c.view(), seg.lat1, seg.lon1, seg.lat2, seg.lon2))
                continue;
            const QPoint start = c.project(seg.lat1, seg.lon1);
            const QPoint end = c.project(seg.lat2, seg.lon2);
            batch.add(start, end);
            if (!names)
                continue;
            if (place == NamePlace::EachSegmentStart)
                c.textOut(start.x() + 20, start.y() + 20, route.name, colour);
            else if (i == named)
                c.textOut(end.x() + 10, end.y() + 10, route.name, colour);
        }
    }
}

void DrawBoundaries(ScopeCanvas &c, const QList<ROUTE> &table, int entry)
{
    if (!c.visible(entry))
        return;
    c.pen(c.tableColour(entry));
    LineBatch batch(c);
    for (const ROUTE &route : table)
        for (const RouteSegment &seg : route.segments)
            if (SegmentVisible(c.view(), seg.lat1, seg.lon1, seg.lat2, seg.lon2))
                batch.add(c.project(seg.lat1, seg.lon1), c.project(seg.lat2, seg.lon2));
}

namespace {

QPoint Round(QPointF p)
{
    return QPoint(RoundHalfEven(p.x()), RoundHalfEven(p.y()));
}

bool FigureVisible(std::initializer_list<QPointF> points, QSize size)
{
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const QPointF &p : points) {
        minX = std::min(minX, double(RoundHalfEven(p.x())));
        maxX = std::max(maxX, double(RoundHalfEven(p.x())));
        minY = std::min(minY, double(RoundHalfEven(p.y())));
        maxY = std::max(maxY, double(RoundHalfEven(p.y())));
    }
    return PixelsVisible(minX, minY, maxX, maxY, size);
}

// The dashed extended centre line at one end of a runway, with its fork 10 nm out.
void DrawApproachAxis(ScopeCanvas &c, QPointF threshold, QPointF other)
{
    const float scale = c.view().scale;
    const float ten = float(RoundHalfEven(10.0 * scale));
    const float three = float(RoundHalfEven(3.0 * scale));
    const QPointF a = PointAtAngle(ten, 0.0f, threshold, other);
    const QPointF b = PointAtAngle(three, 0.5236f, a, threshold);
    const QPointF bend1 = PointAtAngle(three, 1.0472f, b, a);
    const QPointF d = PointAtAngle(three, -0.5236f, a, threshold);
    const QPointF bend2 = PointAtAngle(three, -1.0472f, d, a);
    if (!FigureVisible({threshold, b, d}, c.size()))
        return;
    c.pen(c.tableColour(kColRunways), 1, Qt::DashLine);
    const QPointF fork1[] = {Round(threshold), Round(a), Round(b), Round(bend1)};
    c.polyline(fork1, 4);
    const QPointF fork2[] = {Round(a), Round(d), Round(bend2)};
    c.polyline(fork2, 3);
}

} // namespace

void DrawRunways(ScopeCanvas &c)
{
    if (!c.visible(kColRunways))
        return;
    const QColor colour = c.tableColour(kColRunways);
    const bool axes = c.scene().display.ilsAxesShown != 0;
    for (const RUNWAY &r : c.scene().sector.tables.runways) {
        const QPointF t = GeoToScreen(c.view(), r.latitude, r.longitude);
        const QPointF o = GeoToScreen(c.view(), r.oppositeLatitude, r.oppositeLongitude);
        if (FigureVisible({t, o}, c.size())) {
            c.pen(colour, 3);
            c.painter().drawLine(Round(t), Round(o));
            c.textOut(Round(t).x() + 5, Round(t).y(), r.number, colour, true);
            c.textOut(Round(o).x() + 5, Round(o).y(), r.oppositeNumber, colour, true);
        }
        if (!axes)
            continue;
        if (r.heading != QLatin1String("000"))
            DrawApproachAxis(c, t, o);
        if (r.oppositeHeading != QLatin1String("000"))
            DrawApproachAxis(c, o, t);
    }
}

namespace {

// The downwind arrow of an airport's wind group: direction in characters 1-3, speed in 4-5.
void DrawWindArrow(ScopeCanvas &c, QPoint at, const QString &windGroup)
{
    int direction = 0, speed = 0;
    if (!TryStrToInt(Copy(windGroup, 1, 3), direction) || !TryStrToInt(Copy(windGroup, 4, 2), speed))
        return;
    const int length = RoundHalfEven(speed * 5.0);
    const double theta = direction * kPi / 180.0 + kPi;
    const QPoint p(RoundHalfEven(at.x() + std::sin(theta) * length), RoundHalfEven(at.y() - std::cos(theta) * length));
    QPainter &painter = c.painter();
    painter.drawLine(at, p);
    for (double side : {5 * kPi / 6, -5 * kPi / 6})
        painter.drawLine(p, QPoint(p.x() + RoundHalfEven(std::sin(theta + side) * 10),
                                   p.y() - RoundHalfEven(std::cos(theta + side) * 10)));
}

} // namespace

void DrawAirports(ScopeCanvas &c)
{
    if (!c.visible(kColAirports))
        return;
    const QColor colour = c.tableColour(kColAirports);
    for (const Airport &a : c.scene().sector.tables.airports) {
        if (!PointVisible(c.view(), a.latitude, a.longitude))
            continue;
        const QPoint p = c.project(a.latitude, a.longitude);
        c.pen(colour);
        c.painter().drawLine(p.x(), p.y() - 4, p.x(), p.y() + 4);
        c.painter().drawLine(p.x() - 4, p.y(), p.x() + 4, p.y());
        c.textOut(p.x() + 20, p.y(), a.identifier, colour);
        if ((a.realMetarReceived || a.simMetarReceived) && c.visible(kColWeather)) {
            c.pen(c.tableColour(kColWeather));
            c.painter().drawRect(p.x() - 10, p.y() - 10, 20, 20);
            DrawWindArrow(c, p, a.windGroup);
        }
    }
}

void DrawFixes(ScopeCanvas &c)
{
    if (!c.visible(kColFixes))
        return;
    const QColor colour = c.tableColour(kColFixes);
    c.pen(colour);
    for (const FIXE &f : c.scene().sector.tables.fixes) {
        if (!f.selected || !PointVisible(c.view(), f.latitude, f.longitude))
            continue;
        const QPoint p = c.project(f.latitude, f.longitude);
        const qreal x = p.x(), y = p.y();
        const QPointF triangle[] = {{x, y - 4}, {x - 4, y + 4}, {x + 4, y + 4}, {x, y - 4}};
        c.polyline(triangle, 4);
        c.textOut(p.x() + 20, p.y(), f.name, colour);
    }
}

void DrawNavaids(ScopeCanvas &c, const QList<VOR> &table, int entry, bool hexagon)
{
    if (!c.visible(entry))
        return;
    const QColor colour = c.tableColour(entry);
    for (const VOR &v : table) {
        if (!PointVisible(c.view(), v.latitude, v.longitude))
            continue;
        const QPoint p = c.project(v.latitude, v.longitude);
        const int x = p.x(), y = p.y();
        c.painter().fillRect(QRect(x - 1, y - 1, 2, 2), colour);
        c.pen(colour);
        if (hexagon) {
            const QPointF shape[] = {{x + 4.0, y - 8.0}, {x - 4.0, y - 8.0}, {x - 8.0, y + 0.0}, {x - 4.0, y + 8.0},
                                     {x + 4.0, y + 8.0}, {x + 8.0, y + 0.0}, {x + 4.0, y - 8.0}};
            c.polyline(shape, 7);
        } else {
            c.painter().drawEllipse(QRect(x - 8, y - 8, 16, 16));
        }
        c.textOut(x + 20, y, v.identifier, colour, true);
        if (v.detailsShown)
            c.textOut(x + (hexagon ? 50 : 45), y, v.frequency + QLatin1Char(' ') + v.comment, colour, true);
    }
}

} // namespace zaz
