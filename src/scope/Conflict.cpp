#include "scope/Conflict.h"

#include <cmath>

namespace zaz {

namespace {

bool Usable(double v)
{
    return std::isfinite(v) && v > 0;
}

qint32 CellIndex(double v, double size)
{
    return qint32(std::clamp(std::floor(v / size), -1.0e9, 1.0e9));
}

quint64 Key(qint32 row, qint32 column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

ConflictTest::ConflictTest(const TrafficTable &table, const ViewState &view, const SeparationMinima &minima)
    : table_(table), nmPerDegLat_(view.nmPerDegLat), nmPerDegLon_(view.nmPerDegLon), minima_(minima)
{
    const double h = minima.horizontalSeparation;
    if (h <= 0)
        return; // no distance is below a separation of zero: nothing to sort
    if (!Usable(view.nmPerDegLat) || !Usable(view.nmPerDegLon)) {
        scan_ = true;
        return;
    }
    cellLat_ = h / view.nmPerDegLat;
    cellLon_ = h / view.nmPerDegLon;
    for (int j = 0; j < table.size(); ++j) {
        const AVION &b = table[j];
        if (b.callsign.isEmpty() || b.altitude <= minima.minimumAltitude || !std::isfinite(b.lat)
            || !std::isfinite(b.lon))
            continue;
        cells_[cell(b.lat, b.lon)].append(j);
    }
}

quint64 ConflictTest::cell(float lat, float lon) const
{
    return Key(CellIndex(lat, cellLat_), CellIndex(lon, cellLon_));
}

bool ConflictTest::close(const AVION &a, const AVION &b) const
{
    if (!(std::abs(qint64(b.altitude) - qint64(a.altitude)) < minima_.verticalSeparation
          && b.altitude > minima_.minimumAltitude))
        return false;
    const double dLat = (double(b.lat) - double(a.lat)) * nmPerDegLat_;
    const double dLon = (double(b.lon) - double(a.lon)) * nmPerDegLon_;
    const double distance = std::sqrt(dLat * dLat + dLon * dLon);
    if (!std::isfinite(distance))
        return false;
    return RoundHalfEven64(distance) < minima_.horizontalSeparation;
}

bool ConflictTest::inConflictByScan(int i) const
{
    const AVION &a = table_[i];
    if (a.altitude <= minima_.minimumAltitude)
        return false;
    for (int j = 0; j < table_.size(); ++j)
        if (j != i && !table_[j].callsign.isEmpty() && close(a, table_[j]))
            return true;
    return false;
}

bool ConflictTest::inConflict(int i) const
{
    if (scan_)
        return inConflictByScan(i);
    const AVION &a = table_[i];
    if (a.altitude <= minima_.minimumAltitude || cells_.isEmpty())
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
                if (j != i && !table_[j].callsign.isEmpty() && close(a, table_[j]))
                    return true;
        }
    return false;
}

} // namespace zaz
