#include "traffic/TrafficOps.h"

#include "traffic/Console.h"
#include "traffic/Routes.h"
#include "traffic/StripLine.h"

namespace zaz {

namespace {

bool OlderThan(const QDateTime &seen, const QDateTime &now, double delayDays)
{
    if (!seen.isValid())
        return true;
    return double(seen.msecsTo(now)) > delayDays * 86400000.0;
}

// The position's texts are moved into the record: a busy server sends thousands a second.
void ApplyMovement(AVION &a, ServerPosition &p, bool headingFromServer, const QDateTime &now)
{
    a.squawk = std::move(p.squawk);
    a.rating = std::move(p.rating);
    a.lat = p.lat;
    a.lon = p.lon;
    a.altitude = p.altitude;
    a.groundSpeed = p.groundSpeed;
    a.headingReceived = headingFromServer && p.heading;
    if (a.headingReceived)
        a.heading = *p.heading * 2 * kPi / 360;
    a.serverSeen = now;
    a.transponderMode = std::move(p.transponderMode);
}

} // namespace

int ApplyServerPosition(TrafficState &traffic, ServerPosition position, bool headingFromServer,
                        const QDateTime &now)
{
    // A position without a callsign names no aircraft.
    if (position.callsign.isEmpty())
        return kNoAircraft;
    TrafficTable &table = traffic.table;
    int index = table.FindAircraft(position.callsign);
    if (index != kNoAircraft) {
        AVION &a = table.edit(index);
        a.fromServer = true;
        a.aiState = QStringLiteral("by ZAZ");
        for (int k = kTrailLength - 2; k >= 0; --k)
            a.trail[k + 1] = a.trail[k];
        a.trail[0] = {a.lat, a.lon};
        a.prevAltitude = a.altitude;
        ApplyMovement(a, position, headingFromServer, now);
        return index;
    }

    index = table.AcquireRecord();
    if (index == kNoAircraft) {
        ++traffic.refusedAircraft;
        return kNoAircraft;
    }
    AVION &a = table.edit(index);
    a.fromServer = true;
    a.aiState = QStringLiteral("by ZAZ");
    table.setCallsign(index, position.callsign);
    ApplyMovement(a, position, headingFromServer, now);
    a.trail.fill({a.lat, a.lon});
    a.hasStrip = false;
    a.flightListMark = false;
    a.commandPending = false;
    a.handoffFrom.clear();
    a.handoffState.clear();
    traffic.LiveTrafficList.append(QString::number(index));
    WantFlightPlan(traffic.planRequests, position.callsign, now);
    return index;
}

QTime PlanTime(const QString &hhmm)
{
    const QString text = hhmm.size() == 3 ? QLatin1Char('0') + hhmm : hhmm;
    return PlanDuration(Copy(text, 1, 2), Copy(text, 3, 2));
}

QTime PlanDuration(const QString &hours, const QString &minutes)
{
    int h = 0, m = 0;
    if (!TryStrToInt(hours, h) || !TryStrToInt(minutes, m))
        return QTime();
    return QTime(h, m, 0); // null unless 0-23 and 0-59
}

void ApplyFlightPlan(TrafficState &traffic, SectorState &sector, const ServerFlightPlan &plan)
{
    const int index = traffic.table.FindAircraft(plan.callsign);
    if (index == kNoAircraft)
        return;
    AVION &a = traffic.table.edit(index);
    if (!plan.hasPlan) {
        a.hasFlightPlan = false;
        return;
    }
    a.hasFlightPlan = true;
    a.ifr = plan.rules == QLatin1String("I");
    a.acType = plan.acType;
    a.tas = plan.tas;
    a.departure = plan.departure;
    a.etd = PlanTime(plan.proposedTime);
    a.atd = PlanTime(plan.actualTime);
    a.cruiseLevel = plan.cruiseLevel;
    a.destination = plan.destination;
    a.timeEnroute = PlanDuration(plan.hoursEnroute, plan.minutesEnroute);
    a.endurance = PlanDuration(plan.fuelHours, plan.fuelMinutes);
    a.alternate = plan.alternate;
    a.remarks = plan.remarks;
    a.route = NormaliseRoute(plan.route);
    a.routeFields = SplitText(QStringLiteral("/"), a.route);
    a.routePoints = BuildRoute(sector, a.routeFields, int(a.routeFields.size()) - 1);
}

void RemoveAircraft(TrafficState &traffic, int index)
{
    TrafficTable &table = traffic.table;
    if (!table.inUse(index))
        return;
    AVION &a = table.edit(index);
    traffic.monitorLog.append(QStringLiteral("on supprime, %1, %2").arg(a.objectId).arg(a.callsign));
    // The strip and the plan wish belong to the callsign, which is about to go, unless
    // another record still carries it.
    if (table.holders(a.callsign) == 1) {
        RemoveStrip(traffic, index);
        ForgetRequest(traffic.planRequests, a.callsign);
        ForgetConsoleEntries(traffic.console, a.callsign);
    }
    a.fromServer = false;
    table.setCallsign(index, QString());
    a.lat = 9999.0f;
    a.hasFlightPlan = a.ifr = a.hasStrip = a.flightListMark = a.alert = a.commandPending = false;
    a.headingReceived = false;
    a.handoffFrom.clear();
    a.handoffState.clear();
    a.squawk.clear();
    a.route.clear();
    a.routeFields.clear();
    a.routePoints.clear();
    if (traffic.SelectedAircraft == index)
        traffic.SelectedAircraft = kNoAircraft;
    traffic.LiveTrafficList.removeAll(QString::number(index));
}

void ClearTraffic(TrafficState &traffic)
{
    traffic.table.clear();
    traffic.SelectedAircraft = kNoAircraft;
    // Everything that names records of the emptied table goes with them.
    traffic.LiveTrafficList.clear();
    traffic.strips.entries.clear();
    traffic.console = {};
    ClearRequests(traffic.planRequests);
    traffic.globalAlert = false;
}

void RequestAllFlightPlans(TrafficState &traffic, const QDateTime &now)
{
    // A plan received on the previous connection may have changed or gone while we were
    // away, and the new server may not be the old one: every aircraft still in the table is
    // asked again, through the same queue as newcomers (a few per tick). The marks of the
    // queries sent before the login belong to the old connection and would hold these back
    // for up to a minute, so they are dropped first.
    ForgetAskedRequests(traffic.planRequests);
    const TrafficTable &table = traffic.table;
    for (int i = 0; i < table.size(); ++i)
        if (table.inUse(i))
            WantFlightPlan(traffic.planRequests, table[i].callsign, now);
}

bool ExpireAircraft(TrafficState &traffic, int index, const QDateTime &now)
{
    if (!traffic.table.inUse(index))
        return false;
    AVION &a = traffic.table.edit(index);
    const double delay = traffic.ExpiryDelay;
    if (!OlderThan(a.serverSeen, now, delay)) {
        a.shown = true;
        return true;
    }
    a.shown = false;
    if (OlderThan(a.simSeen, now, delay)) {
        traffic.monitorLog.append(
            QStringLiteral("delai dépassé suppression demandée %1, %2").arg(a.objectId).arg(a.callsign));
        RemoveAircraft(traffic, index);
        return false;
    }
    return true;
}

bool AddStrip(TrafficState &traffic, int index, const QString &line)
{
    if (!traffic.table.inUse(index))
        return false;
    AVION &a = traffic.table.edit(index);
    if (StripPosition(traffic.strips, a.callsign) >= 0)
        return false;
    traffic.strips.entries.append({a.callsign, line});
    a.hasStrip = true;
    return true;
}

void RemoveStrip(TrafficState &traffic, int index)
{
    if (!traffic.table.inUse(index))
        return;
    AVION &a = traffic.table.edit(index);
    const int position = StripPosition(traffic.strips, a.callsign);
    if (position < 0)
        return;
    traffic.strips.entries.removeAt(position);
    ForgetConsoleEntries(traffic.console, a.callsign);
    a.hasStrip = false;
    a.handoffState.clear();
    a.commandPending = false;
}

QString *StripLineOf(TrafficState &traffic, int index)
{
    if (!traffic.table.inUse(index))
        return nullptr;
    const int position = StripPosition(traffic.strips, traffic.table[index].callsign);
    return position < 0 ? nullptr : &traffic.strips.entries[position].line;
}

bool SaveStrip(TrafficState &traffic, const QString &callsign, const QString &line)
{
    const int position = StripPosition(traffic.strips, callsign);
    if (position < 0)
        return false;
    traffic.strips.entries[position].line = line;
    const int index = traffic.table.FindAircraft(callsign);
    if (index != kNoAircraft)
        traffic.table.edit(index).commandPending = HasPendingStep(line);
    return true;
}

} // namespace zaz
