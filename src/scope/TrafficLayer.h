// The traffic on the scope: for each live aircraft the target, its speed vector, trail,
// label and rings; the selected aircraft's route while the route key is held; "ALERTE".
// The alerts and the expiry were settled by the traffic step before.
#pragma once

#include "scope/MapLayers.h"


namespace zaz {

// How a target is oriented: along its track from the trail (servers that send no heading)
// or by its heading (VIREO-SERVER, or the simulator). On an FSD server, an aircraft whose
// pilot client sends the packed pitch/bank/heading word is drawn by its heading, the others
// by their track.
bool TargetUsesHeading(const ScopeScene &scene);

// Label line 2: trend, altitude ("FL" + hundreds from the transition altitude up) and
// ground speed.
QString LabelAltitudeLine(const AVION &a, int transitionAltitude);

// The traffic part of a redraw.
void DrawTraffic(ScopeCanvas &c);

} // namespace zaz
