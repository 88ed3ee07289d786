// The conflict test of the traffic: two aircraft above the minimum altitude, closer than
// the vertical separation in altitude and, rounded to whole nautical miles on the flat
// projection, closer than the horizontal separation.
#pragma once

#include "scope/DisplaySettings.h"
#include "sector/ViewState.h"
#include "traffic/TrafficTable.h"

#include <QHash>
#include <QList>

namespace zaz {

// Answers "is aircraft i too close to another one" for a whole step (the table must outlive
// the test; the view's factors and the minima are copied). The records are
// sorted into cells as wide as the horizontal separation once; a question then looks at
// the nine cells around the aircraft only. Answers are those of a scan of the whole table.
class ConflictTest {
public:
    ConflictTest(const TrafficTable &table, const ViewState &view, const SeparationMinima &minima);
    // The conflict part of the test for aircraft i (not the emergency squawks). Records
    // freed since the test was built (latitude 9999) never match.
    bool inConflict(int i) const;
    // The same by comparing with every record, as a reference.
    bool inConflictByScan(int i) const;

private:
    bool close(const AVION &a, const AVION &b) const;
    quint64 cell(float lat, float lon) const;

    const TrafficTable &table_;
    double nmPerDegLat_;
    double nmPerDegLon_;
    SeparationMinima minima_;
    bool scan_ = false; // factors unusable for cells: compare with every record
    double cellLat_ = 1;
    double cellLon_ = 1;
    QHash<quint64, QList<int>> cells_;
};

} // namespace zaz
