#include "scope/MapLayers.h"

#include "core/Text.h"
#include "scope/DirectPixels.h"
#include "scope/DrawCache.h"
#include "scope/LineRaster.h"
#include "sector/Projection.h"

#include <QVarLengthArray>
#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

namespace zaz {

ScopeCanvas::ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, DrawCaches *caches)
    : ScopeCanvas(painter, scene, picture, QPoint(), caches)
{
    ComputeEdges(view_, picture);
    origin_ = ViewOrigin(view_);
}

ScopeCanvas::ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, QPoint origin, DrawCaches *caches)
    : p_(painter), s_(scene), view_(scene.view), size_(picture), origin_(origin), caches_(caches)
{
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

void ScopeCanvas::textOut(int x, int y, const QString &text, const QColor &colour, bool opaque, TextSlot slot)
{
    // Text placed below or right of the picture shows nothing (and far-off positions of
    // absurd coordinates must not overflow the baseline).
    if (x >= size_.width() || y >= size_.height() || y < -size_.height() - 1000)
        return;
    // Beyond the rows drawn, with a line's height to spare for glyphs above or below.
    if (y >= rowsBottom_ + height_ || y + 2 * height_ < rowsTop_)
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
        p_.fillRect(QRect(x, y, texts.boundingWidth(p_, text, slot), height_), tableColour(kColBackground));
    texts.draw(p_, x, y + ascent_, text, colour, slot);
}

QPoint ScopeCanvas::project(float lat, float lon) const
{
    return GeoToWorldRounded(view_, lat, lon) - origin_;
}

void ScopeCanvas::ellipse(QPointF centre, qreal rx, qreal ry)
{
    if (caches_)
        caches_->outlines.ellipse(p_, centre, rx, ry);
    else
        p_.drawEllipse(centre, rx, ry);
}

void ScopeCanvas::line(QPoint a, QPoint b)
{
    const quint32 pixel = caches_ && caches_->direct ? DirectLinePixel(p_) : 0;
    if (!pixel) {
        p_.drawLine(a, b);
        return;
    }
    const QPoint shift = caches_->shift;
    LineRaster(*caches_->direct, pixel, QRect(shift, caches_->whole)).draw(QLine(a + shift, b + shift));
}

void ScopeCanvas::polyline(const QPointF *points, int count)
{
    if (caches_)
        caches_->outlines.polyline(p_, points, count);
    else
        p_.drawPolyline(points, count);
}

namespace {

// The room a text takes, measured generously (every character as wide as the widest glyph
// and a margin all round): what decides which tiles a name may reach.
struct TextRoom {
    explicit TextRoom(const QFontMetrics &metrics) : perChar(metrics.maxWidth()), height(metrics.height()) {}
    QRect box(int x, int y, const QString &text) const
    {
        return QRect(x - 2, y - 2, int(text.size()) * perChar + 4, height + 4);
    }
    int perChar;
    int height;
};

// The rectangle of pixels from a to b, widened by pad all round.
QRect Span(QPoint a, QPoint b, int pad)
{
    return QRect(QPoint(std::min(a.x(), b.x()) - pad, std::min(a.y(), b.y()) - pad),
                 QPoint(std::max(a.x(), b.x()) + pad, std::max(a.y(), b.y()) + pad));
}

// Where a route's name is written when names are shown: at each drawn segment's start
// + (20, 20) (airways), or at the end of the last (SID) or first (STAR) segment + (10, 10)
// when that segment is drawn.
enum class NamePlace { EachSegmentStart, LastSegmentEnd, FirstSegmentEnd };

// The route tables in drawing order with their bins, colours and names.
struct RouteLayer {
    const QList<ROUTE> SectorTables::*table;
    MapBin bin;
    int entry;
    // Names shown (a display flag; boundaries have none) and where.
    std::uint8_t DisplaySettings::*names;
    NamePlace place;
};

const RouteLayer kRouteLayers[] = {
    {&SectorTables::lowAirways, kBinLow, kColLowAirways, &DisplaySettings::showLowNames, NamePlace::EachSegmentStart},
    {&SectorTables::highAirways, kBinHigh, kColHighAirways, &DisplaySettings::showHighNames,
     NamePlace::EachSegmentStart},
    {&SectorTables::artcc, kBinArtcc, kColArtcc, nullptr, NamePlace::EachSegmentStart},
    {&SectorTables::artccLow, kBinArtccLow, kColArtccLow, nullptr, NamePlace::EachSegmentStart},
    {&SectorTables::artccHigh, kBinArtccHigh, kColArtccHigh, nullptr, NamePlace::EachSegmentStart},
    {&SectorTables::sids, kBinSids, kColSid, &DisplaySettings::showSidNames, NamePlace::LastSegmentEnd},
    {&SectorTables::stars, kBinStars, kColStar, &DisplaySettings::showStarNames, NamePlace::FirstSegmentEnd},
};

// Boundaries are drawn whole, selected or not; the routes only when selected.
bool IsBoundary(const RouteLayer &layer)
{
    return layer.names == nullptr;
}

bool ShowsNames(const RouteLayer &layer, const DisplaySettings &d)
{
    return layer.names && d.*layer.names != 0;
}

// The segment of a route whose end carries the name (SID: the last, STAR: the first), -1
// when names go at each segment's start.
qsizetype NamedSegment(const RouteLayer &layer, const ROUTE &route)
{
    if (layer.place == NamePlace::LastSegmentEnd)
        return route.segments.size() - 1;
    return layer.place == NamePlace::FirstSegmentEnd ? 0 : -1;
}

} // namespace

namespace {

// The length of the downwind arrow of a wind group (direction in characters 1-3, speed in
// 4-5), -1 when it has none.
int WindArrowLength(const QString &windGroup, double *theta = nullptr)
{
    int direction = 0, speed = 0;
    if (!TryStrToInt(Copy(windGroup, 1, 3), direction) || !TryStrToInt(Copy(windGroup, 4, 2), speed))
        return -1;
    if (theta)
        *theta = direction * kPi / 180.0 + kPi;
    return RoundHalfEven(speed * 5.0);
}

// The approach axis from threshold beyond it, 10 nm long with its fork (world pixels). It is
// worked out around the threshold's whole world pixel: small numbers for PointAtAngle's
// single precision.
AxisFigure ApproachAxis(float scale, QPointF threshold, QPointF other, const AngleErrorSink &errors)
{
    const QPoint anchor = WholePixel(threshold);
    const QPointF t = threshold - QPointF(anchor), o = other - QPointF(anchor);
    const float ten = float(RoundHalfEven(10.0 * scale));
    const float three = float(RoundHalfEven(3.0 * scale));
    const QPointF a = PointAtAngle(ten, 0.0f, t, o, errors);
    const QPointF b = PointAtAngle(three, 0.5236f, a, t, errors);
    const QPointF bend1 = PointAtAngle(three, 1.0472f, b, a, errors);
    const QPointF d = PointAtAngle(three, -0.5236f, a, t, errors);
    const QPointF bend2 = PointAtAngle(three, -1.0472f, d, a, errors);
    const auto pixel = [&](QPointF p) { return WholePixel(p) + anchor; };
    AxisFigure figure;
    figure.shown = true;
    const QPoint fork1[] = {pixel(t), pixel(a), pixel(b), pixel(bend1)};
    const QPoint fork2[] = {pixel(a), pixel(d), pixel(bend2)};
    std::copy(std::begin(fork1), std::end(fork1), figure.fork1);
    std::copy(std::begin(fork2), std::end(fork2), figure.fork2);
    return figure;
}

QRect Bounds(const AxisFigure &figure)
{
    QRect box = Span(figure.fork1[0], figure.fork1[0], 2);
    for (const QPoint &p : figure.fork1)
        box |= Span(p, p, 2);
    for (const QPoint &p : figure.fork2)
        box |= Span(p, p, 2);
    return box;
}

} // namespace

void PlanMap(const ScopeScene &scene, const QFontMetrics &metrics, QPoint first, int columns,
             const std::vector<QRect> &areas, const AngleErrorSink &angleErrors, MapPlan &plan, PlanShare share)
{
    // The rows of a table of n rows this planner takes.
    const auto from = [&](qsizetype n) { return n * share.part / share.parts; };
    const auto to = [&](qsizetype n) { return n * (share.part + 1) / share.parts; };
    const int rows = int(areas.size()) / columns;
    std::vector<MapBins> &bins = plan.tiles;
    bins.assign(areas.size(), MapBins());
    const QRect all(first * kMapTile, QSize(columns * kMapTile, rows * kMapTile));
    const auto place = [&](MapBin bin, const QRect &box, quint64 item) {
        if (!box.intersects(all))
            return;
        const int x0 = std::max(TileOf(box.left()), first.x());
        const int x1 = std::min(TileOf(box.right()), first.x() + columns - 1);
        const int y0 = std::max(TileOf(box.top()), first.y());
        const int y1 = std::min(TileOf(box.bottom()), first.y() + rows - 1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const size_t k = size_t((y - first.y()) * columns + x - first.x());
                if (areas[k].intersects(box))
                    bins[k].items[bin].push_back(item);
            }
    };
    const ViewState &view = scene.view;
    const auto at = [&](float lat, float lon) { return GeoToWorldRounded(view, lat, lon); };
    const TextRoom room(metrics);
    const SectorTables &t = scene.sector.tables;
    const DisplaySettings &d = scene.display;
    const auto shown = [&](int entry) { return d.colours[entry].visible != 0; };
    if (shown(kColGeo)) {
        for (qsizetype i = from(t.geo.size()); i < to(t.geo.size()); ++i) {
            const GEO &g = t.geo[i];
            place(kBinGeo, Span(at(g.lat1, g.lon1), at(g.lat2, g.lon2), 1), quint64(i));
        }
        for (const auto &[table, bin, offset] : {std::tuple(&t.taxiways, kBinTaxiways, 0),
                                                 std::tuple(&t.parkings, kBinParkings, 2)})
            for (qsizetype i = from(table->size()); i < to(table->size()); ++i) {
                const Taxiway &label = (*table)[i];
                const QPoint p = at(label.latitude, label.longitude);
                place(bin, room.box(p.x() + offset, p.y() + offset, label.label), quint64(i));
            }
    }
    for (const RouteLayer &layer : kRouteLayers) {
        if (!shown(layer.entry))
            continue;
        const QList<ROUTE> &table = t.*layer.table;
        const bool names = ShowsNames(layer, d);
        for (qsizetype r = from(table.size()); r < to(table.size()); ++r) {
            const ROUTE &route = table[r];
            if (!IsBoundary(layer) && !route.selected)
                continue;
            const qsizetype named = NamedSegment(layer, route);
            for (qsizetype i = 0; i < route.segments.size(); ++i) {
                const RouteSegment &seg = route.segments[i];
                const QPoint a = at(seg.lat1, seg.lon1), b = at(seg.lat2, seg.lon2);
                QRect box = Span(a, b, 1);
                if (names && named < 0)
                    box |= room.box(a.x() + 20, a.y() + 20, route.name);
                else if (names && i == named)
                    box |= room.box(b.x() + 10, b.y() + 10, route.name);
                place(layer.bin, box, quint64(r) << 32 | quint64(i));
            }
        }
    }
    plan.axes.assign(size_t(2 * t.runways.size()), AxisFigure());
    if (shown(kColRunways))
        for (qsizetype i = from(t.runways.size()); i < to(t.runways.size()); ++i) {
            const RUNWAY &r = t.runways[i];
            const QPointF tw = GeoToWorld(view, r.latitude, r.longitude);
            const QPointF ow = GeoToWorld(view, r.oppositeLatitude, r.oppositeLongitude);
            const QPoint tp = WholePixel(tw), op = WholePixel(ow);
            QRect box = Span(tp, op, 2) | room.box(tp.x() + 5, tp.y(), r.number)
                        | room.box(op.x() + 5, op.y(), r.oppositeNumber);
            AxisFigure *axes = &plan.axes[size_t(2 * i)];
            if (d.ilsAxesShown != 0) {
                if (r.heading != QLatin1String("000"))
                    box |= Bounds(axes[0] = ApproachAxis(view.scale, tw, ow, angleErrors));
                if (r.oppositeHeading != QLatin1String("000"))
                    box |= Bounds(axes[1] = ApproachAxis(view.scale, ow, tw, angleErrors));
            }
            place(kBinRunways, box, quint64(i));
        }
    if (shown(kColAirports)) {
        const bool weather = shown(kColWeather);
        for (qsizetype i = from(t.airports.size()); i < to(t.airports.size()); ++i) {
            const Airport &a = t.airports[i];
            const QPoint p = at(a.latitude, a.longitude);
            const bool metar = (a.realMetarReceived || a.simMetarReceived) && weather;
            const int reach = metar ? std::max(10, WindArrowLength(a.windGroup) + 12) : 5;
            place(kBinAirports, Span(p, p, reach) | room.box(p.x() + 20, p.y(), a.identifier), quint64(i));
        }
    }
    if (shown(kColFixes))
        for (qsizetype i = from(t.fixes.size()); i < to(t.fixes.size()); ++i) {
            const FIXE &f = t.fixes[i];
            if (!f.selected)
                continue;
            const QPoint p = at(f.latitude, f.longitude);
            place(kBinFixes, Span(p, p, 5) | room.box(p.x() + 20, p.y(), f.name), quint64(i));
        }
    for (const auto &[table, bin, entry, details] :
         {std::tuple(&t.vors, kBinVors, kColVor, 50), std::tuple(&t.ndbs, kBinNdbs, kColNdb, 45)}) {
        if (!shown(entry))
            continue;
        for (qsizetype i = from(table->size()); i < to(table->size()); ++i) {
            const VOR &v = (*table)[i];
            const QPoint p = at(v.latitude, v.longitude);
            QRect box = Span(p, p, 9) | room.box(p.x() + 20, p.y(), v.identifier);
            if (v.detailsShown)
                box |= room.box(p.x() + details, p.y(), v.frequency + QLatin1Char(' ') + v.comment);
            place(bin, box, quint64(i));
        }
    }
}

void JoinPlans(MapPlan &plan, const MapPlan &later)
{
    for (size_t i = 0; i < plan.axes.size() && i < later.axes.size(); ++i)
        if (later.axes[i].shown)
            plan.axes[i] = later.axes[i];
}

void JoinBins(MapBins &bins, const MapBins &later)
{
    for (int bin = 0; bin < kBinCount; ++bin)
        bins.items[bin].insert(bins.items[bin].end(), later.items[bin].begin(), later.items[bin].end());
}

namespace {

// Lines gathered for one pen and drawn together: by the painter, or straight into the
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
        QImage *picture = c_.caches() ? c_.caches()->direct : nullptr;
        const quint32 pixel = picture ? DirectLinePixel(p) : 0;
        // Each line on its own (see LineRaster): a tile draws only some of a table's lines.
        if (pixel) {
            const QPoint shift = c_.caches()->shift;
            LineRaster raster(*picture, pixel, QRect(shift, c_.caches()->whole));
            for (const QLine &line : lines_)
                raster.draw(line.translated(shift));
        } else {
            for (const QLine &line : lines_)
                p.drawLine(line);
        }
        lines_.clear();
    }

private:
    ScopeCanvas &c_;
    QVarLengthArray<QLine, 256> lines_;
};

void DrawGeo(ScopeCanvas &c, const MapBins &bins)
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
        for (const quint64 i : bins.items[kBinGeo]) {
            const GEO &g = t.geo[qsizetype(i)];
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
    const auto labels = [&](const QList<Taxiway> &table, MapBin bin, int offset) {
        if (table.isEmpty())
            return;
        const int detail = table.first().detailIndex;
        const QList<t_define> &details = s.display.details;
        TColor colour = 0;
        if (detail >= 0 && detail < details.size())
            TryStringToMapColor(details[detail].value, colour);
        for (const quint64 i : bins.items[bin]) {
            const Taxiway &label = table[qsizetype(i)];
            const QPoint p = c.project(label.latitude, label.longitude);
            c.textOut(p.x() + offset, p.y() + offset, label.label, ToQColor(colour), false, {bin, qsizetype(i)});
        }
    };
    labels(t.taxiways, kBinTaxiways, 0);
    labels(t.parkings, kBinParkings, 2);
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

// Selected routes of a table (every segment of a boundary), with their names when shown.
void DrawRoutes(ScopeCanvas &c, const RouteLayer &layer, const MapBins &bins)
{
    if (!c.visible(layer.entry))
        return;
    const QList<ROUTE> &table = c.scene().sector.tables.*layer.table;
    const bool names = ShowsNames(layer, c.scene().display);
    const QColor colour = c.tableColour(layer.entry);
    c.pen(colour);
    LineBatch batch(c);
    for (const quint64 item : bins.items[layer.bin]) {
        const ROUTE &route = table[qsizetype(item >> 32)];
        const qsizetype i = qsizetype(item & 0xFFFFFFFFu);
        const RouteSegment &seg = route.segments[i];
        const QPoint start = c.project(seg.lat1, seg.lon1);
        const QPoint end = c.project(seg.lat2, seg.lon2);
        batch.add(start, end);
        if (!names)
            continue;
        const qsizetype named = NamedSegment(layer, route);
        if (named < 0)
            c.textOut(start.x() + 20, start.y() + 20, route.name, colour, false, {layer.bin, qsizetype(item >> 32)});
        else if (i == named)
            c.textOut(end.x() + 10, end.y() + 10, route.name, colour, false, {layer.bin, qsizetype(item >> 32)});
    }
}

void DrawAxis(ScopeCanvas &c, const AxisFigure &axis)
{
    if (!axis.shown)
        return;
    c.pen(c.tableColour(kColRunways), 1, Qt::DashLine);
    QPointF fork1[4], fork2[3];
    for (int i = 0; i < 4; ++i)
        fork1[i] = QPointF(axis.fork1[i] - c.origin());
    for (int i = 0; i < 3; ++i)
        fork2[i] = QPointF(axis.fork2[i] - c.origin());
    c.polyline(fork1, 4);
    c.polyline(fork2, 3);
}

void DrawRunways(ScopeCanvas &c, const MapPlan &plan, const MapBins &bins)
{
    const QColor colour = c.tableColour(kColRunways);
    for (const quint64 i : bins.items[kBinRunways]) {
        const RUNWAY &r = c.scene().sector.tables.runways[qsizetype(i)];
        const QPoint t = c.project(r.latitude, r.longitude), o = c.project(r.oppositeLatitude, r.oppositeLongitude);
        c.pen(colour, 3);
        c.painter().drawLine(t, o);
        c.textOut(t.x() + 5, t.y(), r.number, colour, true, {kBinRunways, qsizetype(2 * i)});
        c.textOut(o.x() + 5, o.y(), r.oppositeNumber, colour, true, {kBinRunways, qsizetype(2 * i + 1)});
        DrawAxis(c, plan.axes[size_t(2 * i)]);
        DrawAxis(c, plan.axes[size_t(2 * i + 1)]);
    }
}

void DrawWindArrow(ScopeCanvas &c, QPoint at, const QString &windGroup)
{
    double theta = 0;
    const int length = WindArrowLength(windGroup, &theta);
    if (length < 0)
        return;
    const QPoint p(RoundHalfEven(at.x() + std::sin(theta) * length), RoundHalfEven(at.y() - std::cos(theta) * length));
    QPainter &painter = c.painter();
    painter.drawLine(at, p);
    for (double side : {5 * kPi / 6, -5 * kPi / 6})
        painter.drawLine(p, QPoint(p.x() + RoundHalfEven(std::sin(theta + side) * 10),
                                   p.y() - RoundHalfEven(std::cos(theta + side) * 10)));
}

void DrawAirports(ScopeCanvas &c, const MapBins &bins)
{
    const QColor colour = c.tableColour(kColAirports);
    const bool weather = c.visible(kColWeather);
    for (const quint64 i : bins.items[kBinAirports]) {
        const Airport &a = c.scene().sector.tables.airports[qsizetype(i)];
        const QPoint p = c.project(a.latitude, a.longitude);
        c.pen(colour);
        c.painter().drawLine(p.x(), p.y() - 4, p.x(), p.y() + 4);
        c.painter().drawLine(p.x() - 4, p.y(), p.x() + 4, p.y());
        c.textOut(p.x() + 20, p.y(), a.identifier, colour, false, {kBinAirports, qsizetype(i)});
        if ((a.realMetarReceived || a.simMetarReceived) && weather) {
            c.pen(c.tableColour(kColWeather));
            c.painter().drawRect(p.x() - 10, p.y() - 10, 20, 20);
            DrawWindArrow(c, p, a.windGroup);
        }
    }
}

void DrawFixes(ScopeCanvas &c, const MapBins &bins)
{
    if (!c.visible(kColFixes))
        return;
    const QColor colour = c.tableColour(kColFixes);
    c.pen(colour);
    for (const quint64 i : bins.items[kBinFixes]) {
        const FIXE &f = c.scene().sector.tables.fixes[qsizetype(i)];
        const QPoint p = c.project(f.latitude, f.longitude);
        const qreal x = p.x(), y = p.y();
        const QPointF triangle[] = {{x, y - 4}, {x - 4, y + 4}, {x + 4, y + 4}, {x, y - 4}};
        c.polyline(triangle, 4);
        c.textOut(p.x() + 20, p.y(), f.name, colour, false, {kBinFixes, qsizetype(i)});
    }
}

void DrawNavaids(ScopeCanvas &c, const MapBins &bins, MapBin bin, const QList<VOR> &table, int entry, bool hexagon)
{
    const QColor colour = c.tableColour(entry);
    for (const quint64 i : bins.items[bin]) {
        const VOR &v = table[qsizetype(i)];
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
        c.textOut(x + 20, y, v.identifier, colour, true, {bin, qsizetype(i)});
        if (v.detailsShown)
            c.textOut(x + (hexagon ? 50 : 45), y, v.frequency + QLatin1Char(' ') + v.comment, colour, true);
    }
}

} // namespace

void DrawMapTile(ScopeCanvas &c, const MapPlan &plan, const MapBins &bins)
{
    c.painter().fillRect(QRect(QPoint(0, 0), c.size()), c.tableColour(kColBackground));
    const SectorTables &t = c.scene().sector.tables;
    DrawGeo(c, bins);
    DrawRangeRings(c);
    for (int k = 0; k < 5; ++k)
        DrawRoutes(c, kRouteLayers[k], bins);
    DrawRunways(c, plan, bins);
    DrawAirports(c, bins);
    DrawFixes(c, bins);
    DrawNavaids(c, bins, kBinVors, t.vors, kColVor, true);
    DrawNavaids(c, bins, kBinNdbs, t.ndbs, kColNdb, false);
    DrawRoutes(c, kRouteLayers[5], bins);
    DrawRoutes(c, kRouteLayers[6], bins);
}

} // namespace zaz
