#include "scope/TrafficStep.h"

#include "scope/Conflict.h"
#include "traffic/Routes.h"
#include "traffic/TrafficOps.h"

namespace zaz {

TrafficStepResult StepTraffic(TrafficState &traffic, const ViewState &view, const SeparationMinima &minima,
                              const QDateTime &now)
{
    TrafficStepResult result;
    traffic.globalAlert = false;
    const ConflictTest conflicts(traffic.table, view, minima);
    // Aircraft removed on the way leave the list: walk a copy.
    const QStringList live = traffic.LiveTrafficList;
    for (const QString &entry : live) {
        const int i = entry.toInt();
        if (!traffic.table.inUse(i))
            continue;
        AVION &a = traffic.table.edit(i);
        a.alert = conflicts.inConflict(i) || IsEmergencySquawk(a.squawk);
        if (a.alert)
            traffic.globalAlert = true;
        const bool hadStrip = a.hasStrip;
        if (!ExpireAircraft(traffic, i, now)) {
            ++result.removed;
            result.stripRemoved = result.stripRemoved || hadStrip;
            continue;
        }
        if (AdvanceNextPoint(a, view, traffic.passingDistance) && i == traffic.SelectedAircraft)
            result.selectedRouteAdvanced = true;
    }
    return result;
}

} // namespace zaz
