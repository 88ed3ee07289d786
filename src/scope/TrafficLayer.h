// The traffic on the scope: for each live aircraft the conflict and emergency test, the
// expiry check, then the target, its speed vector, trail, label and rings; the selected
// aircraft's route while the route key is held; "ALERTE".
#pragma once

#include "scope/MapLayers.h"

#include <QDateTime>

namespace zaz {

// How a target is oriented: along its track from the trail (servers that send no heading)
// or by its heading (VIREO-SERVER, or the simulator). A server of another type is oriented
// by its track, as positions from it carry no heading this program knows of.
bool TargetUsesHeading(const RadarState &state);

// Label line 2: trend, altitude ("FL" + hundreds from the transition altitude up) and
// ground speed.
QString LabelAltitudeLine(const AVION &a, int transitionAltitude);

// Runs the traffic part of a redraw; may remove aircraft that expired.
void DrawTraffic(ScopeCanvas &c, RadarState &state, const QDateTime &now);

} // namespace zaz
