#include "traffic/PlanRequests.h"

namespace zaz {

void WantFlightPlan(FlightPlanRequests &requests, const QString &callsign, const QDateTime &now)
{
    if (callsign.isEmpty() || requests.waitingSet.contains(callsign))
        return;
    const auto it = requests.lastAsked.constFind(callsign);
    if (it != requests.lastAsked.constEnd() && now.toMSecsSinceEpoch() - *it < FlightPlanRequests::kRepeatMs)
        return;
    requests.waiting.append(callsign);
    requests.waitingSet.insert(callsign);
}

QStringList TakeDueRequests(FlightPlanRequests &requests, const QDateTime &now)
{
    const qint64 ms = now.toMSecsSinceEpoch();
    // Queries older than a minute no longer hold anything back. At most kPerTick a tick are
    // remembered, so the memory stays small.
    while (!requests.asked.empty() && ms - requests.asked.front().first >= FlightPlanRequests::kRepeatMs) {
        const auto &[when, callsign] = requests.asked.front();
        const auto it = requests.lastAsked.constFind(callsign);
        if (it != requests.lastAsked.constEnd() && *it == when)
            requests.lastAsked.erase(it);
        requests.asked.pop_front();
    }
    const qsizetype count = qMin<qsizetype>(requests.waiting.size(), FlightPlanRequests::kPerTick);
    QStringList due = requests.waiting.mid(0, count);
    requests.waiting.remove(0, count);
    for (const QString &callsign : std::as_const(due)) {
        requests.waitingSet.remove(callsign);
        requests.lastAsked.insert(callsign, ms);
        requests.asked.emplace_back(ms, callsign);
    }
    return due;
}

void ForgetRequest(FlightPlanRequests &requests, const QString &callsign)
{
    if (requests.waitingSet.remove(callsign))
        requests.waiting.removeOne(callsign);
}

void ClearRequests(FlightPlanRequests &requests)
{
    requests.waiting.clear();
    requests.waitingSet.clear();
}

void ForgetAskedRequests(FlightPlanRequests &requests)
{
    requests.lastAsked.clear();
    requests.asked.clear();
}

} // namespace zaz
