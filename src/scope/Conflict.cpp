#include "scope/Conflict.h"

#include <cmath>

namespace zaz {

namespace {

bool Usable(double v)
{
    return std::isfinite(v) && v > 0;
}

} // namespace

ConflictTest::ConflictTest(const RadarState &state)
{
    const DisplaySettings &d = state.settings.display;
    const double h = d.horizontalSeparation;
    if (h <= 0)
        return; // no distance is below a separation of zero: nothing to sort
    if (!Usable(state.view.nmPerDegLat) || !Usable(state.view.nmPerDegLon)) {
        scan_ = true;
        return;
    }
    cellLat_ = h / state.view.nmPerDegLat;
    cellLon_ = h / state.view.nmPerDegLon;
    const TrafficTable &table = state.traffic.table;
    for (int j = 0; j < table.size(); ++j) {
        const AVION &b = table[j];
        if (b.callsign.isEmpty() || b.altitude <= d.minimumAltitude || !std::isfinite(b.lat) || !std::isfinite(b.lon))
            continue;
        cells_[Cell(b.lat, b.lon)].append(j);
    }
}

namespace {

qint32 CellIndex(double v, double size)
{
    return qint32(std::clamp(std::floor(v / size), -1.0e9, 1.0e9));
}

quint64 Key(qint32 row, qint32 column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

quint64 ConflictTest::Cell(float lat, float lon) const
{
    return Key(CellIndex(lat, cellLat_), CellIndex(lon, cellLon_));
}

bool ConflictTest::Close(const RadarState &state, const AVION &a, const AVION &b)
{
    const DisplaySettings &d = state.settings.display;
    if (!(std::abs(qint64(b.altitude) - qint64(a.altitude)) < d.verticalSeparation && b.altitude > d.minimumAltitude))
        return false;
    const double dLat = (double(b.lat) - double(a.lat)) * double(state.view.nmPerDegLat);
    const double dLon = (double(b.lon) - double(a.lon)) * double(state.view.nmPerDegLon);
    const double distance = std::sqrt(dLat * dLat + dLon * dLon);
    if (!std::isfinite(distance))
        return false;
    return RoundHalfEven64(distance) < d.horizontalSeparation;
}

bool ConflictTest::InConflictByScan(const RadarState &state, int i)
{
    const TrafficTable &table = state.traffic.table;
    const AVION &a = table[i];
    if (a.altitude <= state.settings.display.minimumAltitude)
        return false;
    for (int j = 0; j < table.size(); ++j)
        if (j != i && !table[j].callsign.isEmpty() && Close(state, a, table[j]))
            return true;
    return false;
}

bool ConflictTest::InConflict(const RadarState &state, int i) const
{
    if (scan_)
        return InConflictByScan(state, i);
    const TrafficTable &table = state.traffic.table;
    const AVION &a = table[i];
    if (a.altitude <= state.settings.display.minimumAltitude || cells_.isEmpty())
        return false;
    if (!std::isfinite(a.lat) || !std::isfinite(a.lon))
        return false;
    // Any aircraft closer than the separation lies in one of the nine cells around.
    const qint32 row = CellIndex(a.lat, cellLat_), column = CellIndex(a.lon, cellLon_);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const auto it = cells_.constFind(Key(row + dy, column + dx));
            if (it == cells_.constEnd())
                continue;
            for (int j : *it)
                if (j != i && !table[j].callsign.isEmpty() && Close(state, a, table[j]))
                    return true;
        }
    return false;
}

} // namespace zaz
