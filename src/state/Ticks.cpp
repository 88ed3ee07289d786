#include "state/Ticks.h"

#include "scope/TrafficStep.h"

namespace zaz {

void StepBeforeRedraw(RadarState &state, const QDateTime &now)
{
    const TrafficStepResult step =
        StepTraffic(state.traffic, state.view, state.settings.display.separation, now);
    if (step.removed > 0)
        emit state.notifier.trafficChanged();
    if (step.stripRemoved)
        emit state.notifier.stripsChanged();
    if (step.selectedRouteAdvanced)
        emit state.notifier.selectedRouteAdvanced();
}

} // namespace zaz
