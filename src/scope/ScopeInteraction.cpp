#include "scope/ScopeInteraction.h"

#include "core/Text.h"
#include "link/Handoff.h"
#include "sector/Projection.h"

#include <algorithm>
#include <cmath>

namespace zaz {

namespace {

QPointF GeoUnder(ViewState &view, QSize picture, QPoint pixel)
{
    ComputeEdges(view, picture);
    return ScreenToGeo(view, pixel.x(), pixel.y());
}

// Edges must be current.
bool Near(const ViewState &view, float latitude, float longitude, QPoint point, int distance)
{
    const QPoint p = GeoToScreenRounded(view, latitude, longitude);
    return std::abs(p.x() - point.x()) < distance && std::abs(p.y() - point.y()) < distance;
}

template <typename Record>
QString LastNear(const QList<Record> &table, const ViewState &view, QPoint point, QString Record::*name)
{
    for (auto it = table.crbegin(); it != table.crend(); ++it)
        if (Near(view, it->latitude, it->longitude, point, kPickDistance))
            return ((*it).*name).trimmed();
    return QString();
}

bool IsSelected(const TrafficState &traffic)
{
    return traffic.SelectedAircraft != kNoAircraft && traffic.table.inUse(traffic.SelectedAircraft);
}

void Measure(MeasuringCursor &cursor, const AVION &aircraft, ViewState &view, QSize picture, QPoint click)
{
    const QPointF geo = GeoUnder(view, picture, click);
    const double distance = DistanceNm(aircraft.lat, aircraft.lon, geo.y(), geo.x());
    cursor.distanceText = FormatFixed(distance, 2);
    cursor.timeText = aircraft.groundSpeed > 0 ? FormatFixed(distance * 60 / aircraft.groundSpeed, 2)
                                               : QStringLiteral("?");
    const QPoint target = GeoToScreenRounded(view, aircraft.lat, aircraft.lon);
    cursor.bearingText = IntToStr(ScreenBearing(target, click, view.declination));
    cursor.shown = true;
}

} // namespace

QList<int> TargetsAt(const TrafficTable &table, ViewState &view, QSize picture, QPoint point)
{
    ComputeEdges(view, picture);
    QList<int> found;
    for (int i = 0; i < table.size(); ++i)
        if (table.inUse(i) && Near(view, table[i].lat, table[i].lon, point, kPickDistance))
            found << i;
    return found;
}

QList<int> LeftClick(ScopeState &tools, TrafficState &traffic, LinkState &link, LineSender &sender,
                     const SectorTables &sector, ViewState &view, QSize picture, QPoint click, bool shift)
{
    const QList<int> picked = TargetsAt(traffic.table, view, picture, click);
    for (int index : picked) {
        traffic.SelectedAircraft = index;
        AcceptHandoff(link, traffic, sender, index);
    }
    if (IsSelected(traffic))
        Measure(tools.cursor, traffic.table[traffic.SelectedAircraft], view, picture, click);
    tools.cursor.point1 = click;
    tools.rangeLine.point1 = click;
    tools.pickedPointName = PointNameAt(sector, view, picture, click);
    tools.rangeLine.shown = shift;
    if (shift)
        UpdateRangeLine(tools, view, picture, click);
    return picked;
}

QString PointNameAt(const SectorTables &sector, ViewState &view, QSize picture, QPoint point)
{
    ComputeEdges(view, picture);
    QString name = LastNear(sector.fixes, view, point, &FIXE::name);
    if (name.isEmpty())
        name = LastNear(sector.vors, view, point, &VOR::identifier);
    if (name.isEmpty())
        name = LastNear(sector.ndbs, view, point, &VOR::identifier);
    return name;
}

void UpdateRangeLine(ScopeState &tools, ViewState &view, QSize picture, QPoint pointer)
{
    RangeLine &line = tools.rangeLine;
    line.point2 = pointer;
    const QPointF from = GeoUnder(view, picture, line.point1);
    const QPointF to = ScreenToGeo(view, pointer.x(), pointer.y());
    line.distanceText = FormatFixed(DistanceNm(from.y(), from.x(), to.y(), to.x()), 2);
    line.bearingText = IntToStr(ScreenBearing(line.point1, line.point2, view.declination));
}

void EndMeasuring(ScopeState &tools)
{
    tools.cursor.shown = false;
    tools.rangeLine.shown = false;
}

void SetPanAnchor(ScopeState &tools, ViewState &view, QSize picture, QPoint pointer)
{
    const QPointF geo = GeoUnder(view, picture, pointer);
    tools.panAnchorLat = float(geo.y());
    tools.panAnchorLon = float(geo.x());
}

void PanTo(const ScopeState &tools, ViewState &view, QSize picture, QPoint pointer)
{
    view.centreLat = float(tools.panAnchorLat
                           + (pointer.y() - picture.height() / 2.0) / (double(view.scale) * view.nmPerDegLat));
    view.centreLon = float(tools.panAnchorLon
                           - (pointer.x() - picture.width() / 2.0) / (double(view.scale) * view.nmPerDegLon));
    ComputeEdges(view, picture);
}

bool HoverBeacons(SectorTables &sector, ViewState &view, QSize picture, QPoint pointer)
{
    ComputeEdges(view, picture);
    bool changed = false;
    for (QList<VOR> *table : {&sector.ndbs, &sector.vors}) {
        for (VOR &beacon : *table) {
            const std::uint8_t shown = Near(view, beacon.latitude, beacon.longitude, pointer, kHoverDistance) ? 1 : 0;
            changed = changed || beacon.detailsShown != shown;
            beacon.detailsShown = shown;
        }
    }
    return changed;
}

QString PointerPositionText(ViewState &view, QSize picture, QPoint pointer)
{
    const QPointF geo = GeoUnder(view, picture, pointer);
    const ShortLatLon text = ShortLatLonText(geo.y(), geo.x());
    return text.latitude + QStringLiteral("  ") + text.longitude;
}

bool ZoomWheel(ViewState &view, int delta, int sensitivity, int clientHeight)
{
    // A sensitivity of 0 or less would wipe or invert the scale: the wheel does nothing then.
    if (sensitivity <= 0 || delta == 0)
        return false;
    const long long shown = Trunc(double(view.range) * view.scale);
    if (delta > 0 && shown < kMaxZoomPixels) {
        view.scale = float(sensitivity * double(view.scale) / 100);
        return true;
    }
    if (delta < 0 && clientHeight < shown) {
        view.scale = float(double(view.scale) / sensitivity * 100);
        return true;
    }
    return false;
}

void NudgeView(ViewState &view, int right, int up)
{
    view.centreLon = float(view.centreLon + right / (double(view.scale) * view.nmPerDegLon));
    view.centreLat = float(view.centreLat + up / (double(view.scale) * view.nmPerDegLat));
}

void CentreOnOwnPosition(ViewState &view, const SectorIdentity &identity)
{
    view.centreLat = identity.ownLat;
    view.centreLon = identity.ownLon;
}

bool CentreOnSelected(ViewState &view, const TrafficState &traffic)
{
    if (!IsSelected(traffic))
        return false;
    view.centreLat = traffic.table[traffic.SelectedAircraft].lat;
    view.centreLon = traffic.table[traffic.SelectedAircraft].lon;
    return true;
}

void StoreView(ScopeState &tools, const ViewState &view, int slot)
{
    if (slot >= 0 && slot < kStoredViews)
        tools.views[slot] = {view.centreLat, view.centreLon, view.scale};
}

bool RecallView(const ScopeState &tools, ViewState &view, int slot)
{
    if (slot < 0 || slot >= kStoredViews || tools.views[slot].isEmpty())
        return false;
    const StoredView &stored = tools.views[slot];
    view.centreLat = stored.centreLat;
    view.centreLon = stored.centreLon;
    view.scale = stored.scale;
    return true;
}

double ZoomProportion(const ViewState &view, int clientWidth)
{
    return double(view.range) * view.scale / std::max(clientWidth, 1);
}

void ApplyRange(ViewState &view, double proportion, int clientWidth, int range)
{
    if (range <= 0)
        return;
    view.range = range;
    view.scale = float(clientWidth * proportion / range);
}

void SetDeclination(SectorIdentity &identity, ViewState &view, const QString &text)
{
    bool ok = false;
    const double value = StrToFloatLenient(text, &ok);
    identity.declinationText = text;
    identity.declination = ok ? float(value) : 0.0f;
    view.declination = identity.declination;
}

namespace {

template <typename Record>
QList<std::pair<QString, QPointF>> Points(const QList<Record> &table, QString Record::*name)
{
    QList<std::pair<QString, QPointF>> points;
    points.reserve(table.size());
    for (const Record &r : table)
        points.append({(r.*name).trimmed(), QPointF(r.longitude, r.latitude)});
    return points;
}

QList<std::pair<QString, QPointF>> PointsOf(const SectorTables &sector, PointTable table)
{
    switch (table) {
    case PointTable::Airports: return Points(sector.airports, &Airport::identifier);
    case PointTable::Vors: return Points(sector.vors, &VOR::identifier);
    case PointTable::Ndbs: return Points(sector.ndbs, &VOR::identifier);
    case PointTable::Fixes: return Points(sector.fixes, &FIXE::name);
    }
    return {};
}

} // namespace

QStringList PointIdentifiers(const SectorTables &sector, PointTable table)
{
    QStringList names;
    for (const auto &point : PointsOf(sector, table))
        names << point.first;
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

bool CentreOnPoint(ViewState &view, const SectorTables &sector, PointTable table, const QString &identifier)
{
    const auto points = PointsOf(sector, table);
    for (auto it = points.crbegin(); it != points.crend(); ++it) {
        if (it->first == identifier.trimmed()) {
            view.centreLat = float(it->second.y());
            view.centreLon = float(it->second.x());
            return true;
        }
    }
    return false;
}

} // namespace zaz
