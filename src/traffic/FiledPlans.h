// Filed flight plans sent by the server ("$DEPOTFP" lines): one tab-separated row each.
#pragma once

#include <QString>

namespace zaz {

// One filed plan as the server sends it.
struct FiledPlan {
    QString callsign;
    QString rules;        // "I", "V" or anything else
    QString acType;
    QString speed;        // a value starting with "0" is a Mach number
    QString departure;
    QString proposedTime;
    QString actualTime;   // HHMM; three digits are read with a leading "0"
    QString cruiseLevel;
    QString destination;
    QString remarks;
    QString route;
};

// The row of one filed plan: callsign, proposed departure time, "IFR"/"VFR" (no column for
// other rules), type, departure, route, destination, "FL" + level, speed ("M" + value for a
// Mach number, value + "kts" otherwise), "Z" + actual departure time "hh:mm", remarks.
QString FiledPlanRow(const FiledPlan &plan);

} // namespace zaz
