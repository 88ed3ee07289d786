// The conflict test of the traffic: two aircraft above the minimum altitude, closer than
// the vertical separation in altitude and, rounded to whole nautical miles on the flat
// projection, closer than the horizontal separation.
#pragma once

#include "core/RadarState.h"

#include <QHash>
#include <QList>

namespace zaz {

// Answers "is aircraft i too close to another one" for a whole redraw. The records are
// sorted into cells as wide as the horizontal separation once; a question then looks at
// the nine cells around the aircraft only. Answers are those of a scan of the whole table.
class ConflictTest {
public:
    explicit ConflictTest(const RadarState &state);
    // The conflict part of the test for aircraft i (not the emergency squawks). Records
    // freed since the test was built (latitude 9999) never match.
    bool InConflict(const RadarState &state, int i) const;
    // The same by comparing with every record, as a reference.
    static bool InConflictByScan(const RadarState &state, int i);

private:
    static bool Close(const RadarState &state, const AVION &a, const AVION &b);
    quint64 Cell(float lat, float lon) const;

    bool scan_ = false; // factors unusable for cells: compare with every record
    double cellLat_ = 1;
    double cellLon_ = 1;
    QHash<quint64, QList<int>> cells_;
};

} // namespace zaz
