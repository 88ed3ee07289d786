#include "traffic/PlanRequests.h"

namespace zaz {

namespace {

bool AskedRecently(const FlightPlanRequests &requests, const QString &callsign, const QDateTime &now)
{
    const auto it = requests.lastAsked.constFind(callsign);
    return it != requests.lastAsked.constEnd() && it->msecsTo(now) < FlightPlanRequests::kRepeatMs;
}

} // namespace

void WantFlightPlan(FlightPlanRequests &requests, const QString &callsign, const QDateTime &now)
{
    if (callsign.isEmpty() || AskedRecently(requests, callsign, now) || requests.waiting.contains(callsign))
        return;
    requests.waiting.append(callsign);
}

QStringList TakeDueRequests(FlightPlanRequests &requests, const QDateTime &now)
{
    // Queries older than a minute no longer hold anything back: at most kPerTick a tick
    // are remembered, so the memory stays small.
    requests.lastAsked.removeIf([&](const auto &entry) {
        return entry.value().msecsTo(now) >= FlightPlanRequests::kRepeatMs;
    });
    const qsizetype count = qMin<qsizetype>(requests.waiting.size(), FlightPlanRequests::kPerTick);
    QStringList due = requests.waiting.mid(0, count);
    requests.waiting.remove(0, count);
    for (const QString &callsign : std::as_const(due))
        requests.lastAsked.insert(callsign, now);
    return due;
}

void ForgetRequest(FlightPlanRequests &requests, const QString &callsign)
{
    requests.waiting.removeOne(callsign);
}

} // namespace zaz
