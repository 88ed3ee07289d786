// Routes of flight plans on the loaded sector: the route text normalised and split into
// elements, each element resolved to a point, airway names expanded into the airway's own
// points, and the element the aircraft is passing.
#pragma once

#include "sector/SectorState.h"
#include "sector/ViewState.h"
#include "traffic/Avion.h"

namespace zaz {

// The route field of a flight plan with every ",", "-", " ", "///" and "//" turned into
// "/", in this order.
QString NormaliseRoute(const QString &route);

// Position of a fix, else an NDB, else a VOR with this trimmed name (the last of a table
// wins); (0, 0) and false when none.
bool LookupPoint(const SectorState &sector, const QString &name, float &lat, float &lon);

// The points of a route: one per element that is a fix or navaid, airway names between two
// such elements expanded into the airway's points, (0, 0) for the rest. Every airway found
// is marked selected; their indexes are appended to highAirways / lowAirways when given.
t_proute BuildRoute(SectorState &sector, const t_tranches &fields, int lastIndex,
                    QList<int> *highAirways = nullptr, QList<int> *lowAirways = nullptr);

// Moves the aircraft's nextPoint to the element of the last route point closer than the
// passing distance (flat distance with the view's factors). True when some point was
// within the distance (the aircraft panel then shows the route again).
bool AdvanceNextPoint(AVION &aircraft, const ViewState &view, int passingDistance);

} // namespace zaz
