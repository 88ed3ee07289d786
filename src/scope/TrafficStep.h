// The step of the traffic before each redraw: every live aircraft's alert (a conflict with
// another or an emergency squawk), the global alert, the expiry of aircraft no source has
// updated, and the route point each one is passing. The drawing that follows only reads.
#pragma once

#include "scope/DisplaySettings.h"
#include "sector/ViewState.h"
#include "traffic/TrafficState.h"

#include <QDateTime>

namespace zaz {

struct TrafficStepResult {
    // The selected aircraft passed a route point (its panel shows the route again).
    bool selectedRouteAdvanced = false;
    // Aircraft removed because no source updated them in time; with a strip among them.
    int removed = 0;
    bool stripRemoved = false;
};

TrafficStepResult StepTraffic(TrafficState &traffic, const ViewState &view, const SeparationMinima &minima,
                              const QDateTime &now);

} // namespace zaz
