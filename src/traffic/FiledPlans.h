// Filed flight plans sent by the server ("$DEPOTFP" lines): one tab-separated row each.
#pragma once

#include "core/Text.h"

namespace zaz {

// The row of one "$DEPOTFP" line: callsign, proposed departure time, "IFR"/"VFR" (no
// column for other rules), type, departure, route, destination, "FL" + level, speed
// ("M" + value for a Mach number, value + "kts" otherwise), "Z" + actual departure time
// "hh:mm", remarks. Raises ConversionError when a field is missing.
QString FiledPlanRow(const t_tranches &fields);

} // namespace zaz
