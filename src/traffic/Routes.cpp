#include "traffic/Routes.h"

#include <cmath>

namespace zaz {

QString NormaliseRoute(const QString &route)
{
    QString r = route;
    for (const char *separator : {",", "-", " ", "///", "//"})
        r = ReplaceAll(r, QLatin1String(separator), QStringLiteral("/"));
    return r;
}

bool LookupPoint(const SectorState &sector, const QString &name, float &lat, float &lon)
{
    lat = lon = 0;
    if (sector.index.lookupRoutePoint(name, lat, lon))
        return true;
    lat = lon = 0;
    return false;
}

namespace {

bool Same(float lat1, float lon1, const RoutePoint &p)
{
    return lat1 == p.lat && lon1 == p.lon;
}

} // namespace

t_proute BuildRoute(SectorState &sector, const t_tranches &fields, int lastIndex, QList<int> *highAirways,
                    QList<int> *lowAirways)
{
    const int count = int(std::min<qsizetype>(qsizetype(lastIndex) + 1, fields.size()));
    t_proute candidates;
    candidates.reserve(count);
    for (int i = 0; i < count; ++i) {
        RoutePoint p;
        p.element = i;
        LookupPoint(sector, fields[i], p.lat, p.lon);
        candidates.append(p);
    }

    t_proute result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        const RoutePoint &candidate = candidates[i];
        if (candidate.lat != 0 || candidate.lon != 0) {
            result.append(candidate);
            continue;
        }
        // Not a fix or navaid: maybe an airway, the high ones first.
        ROUTE *airway = nullptr;
        if (const int h = sector.index.highAirway(fields[i]); h >= 0 && h < sector.tables.highAirways.size()) {
            airway = &sector.tables.highAirways[h];
            if (highAirways)
                highAirways->append(h);
        } else if (const int l = sector.index.lowAirway(fields[i]); l >= 0 && l < sector.tables.lowAirways.size()) {
            airway = &sector.tables.lowAirways[l];
            if (lowAirways)
                lowAirways->append(l);
        }
        if (!airway) {
            result.append(candidate);
            continue;
        }
        airway->selected = 1;
        if (i == 0 || i == count - 1) {
            result.append(candidate);
            continue;
        }
        // The last segment leaving the previous point and the last one reaching the next.
        const RoutePoint &before = candidates[i - 1];
        const RoutePoint &after = candidates[i + 1];
        int j1 = -1, j2 = -1;
        const QList<RouteSegment> &segments = airway->segments;
        for (int j = 0; j < segments.size(); ++j) {
            if (Same(segments[j].lat1, segments[j].lon1, before))
                j1 = j;
            if (Same(segments[j].lat2, segments[j].lon2, after))
                j2 = j;
        }
        if (j1 < 0 || j2 < 0) {
            result.append(candidate);
            continue;
        }
        if (j1 < j2) {
            for (int j = j1; j <= j2; ++j)
                result.append({segments[j].lat1, segments[j].lon1, i});
        } else if (j1 > j2) {
            for (int j = j1 - 1; j >= j2 + 1; --j)
                result.append({segments[j].lat1, segments[j].lon1, i});
        }
    }
    return result;
}

bool AdvanceNextPoint(AVION &aircraft, const ViewState &view, int passingDistance)
{
    const double fLat = view.nmPerDegLat;
    const double fLon = view.nmPerDegLon;
    bool within = false;
    for (const RoutePoint &p : std::as_const(aircraft.routePoints)) {
        const double dLat = (double(aircraft.lat) - p.lat) * fLat;
        const double dLon = (double(aircraft.lon) - p.lon) * fLon;
        if (std::sqrt(dLat * dLat + dLon * dLon) < passingDistance) {
            aircraft.nextPoint = p.element;
            within = true;
        }
    }
    return within;
}

} // namespace zaz
