// The loaded sector: its tables, its identity and the name look-ups over its tables; and the
// element selections kept between runs.
#pragma once

#include "sector/PointIndex.h"
#include "sector/SectorRecords.h"

#include <QString>

namespace zaz {

struct SectorState {
    SectorTables tables;
    SectorIdentity identity;
    // Name look-ups of route points and airways, rebuilt at each load.
    SectorIndex index;
};

// Element selections kept between runs, as read at start (applied by the sector load).
struct SelectionTexts {
    QString fixes;            // the three pieces concatenated
    QString sids;
    QString stars;
    QString lowAirways;
    QString highAirways;
};

} // namespace zaz
