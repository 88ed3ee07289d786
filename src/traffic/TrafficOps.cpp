#include "traffic/TrafficOps.h"

#include "traffic/Routes.h"

#include <cmath>

namespace zaz {

namespace {

constexpr double kPi = 3.14159265358979323846;

const QString &Field(const t_tranches &fields, int i)
{
    static const QString kMissing;
    return i < fields.size() ? fields[i] : kMissing;
}

// The transponder mode: the character after "@" of a position line. The three modes a
// server sends are shared texts, so that the line of every report does not make one.
QString TransponderMode(const QString &first)
{
    static const QString kModes[] = {QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("Y")};
    if (first.size() == 2) {
        for (const QString &mode : kModes)
            if (first[1] == mode[0])
                return mode;
    }
    return Copy(first, 2, 1);
}

float Coordinate(const QString &text)
{
    return float(StrToFloatLenient(text));
}

bool IsVireoServer(const RadarState &state)
{
    return state.link.serverType == QLatin1String("VIREO-SERVER");
}

// Field 9: a heading in whole degrees from a VIREO-SERVER, ignored from any other server;
// a malformed value leaves the heading as it was.
void ApplyHeading(const RadarState &state, AVION &a, const QString &text)
{
    int degrees = 0;
    if (TryStrToInt(text, degrees) && IsVireoServer(state))
        a.heading = degrees * 2 * kPi / 360;
}

bool IsEmergency(const QString &squawk)
{
    return squawk == QLatin1String("7500") || squawk == QLatin1String("7600") || squawk == QLatin1String("7700");
}

bool OlderThan(const QDateTime &seen, const QDateTime &now, double delayDays)
{
    if (!seen.isValid())
        return true;
    return double(seen.msecsTo(now)) > delayDays * 86400000.0;
}

} // namespace

int ApplyServerPosition(RadarState &state, const t_tranches &fields, const QDateTime &now)
{
    TrafficState &traffic = state.traffic;
    const QString callsign = Field(fields, 1);
    // A position without a callsign names no aircraft.
    if (callsign.isEmpty())
        return kNoAircraft;
    const QString mode = TransponderMode(Field(fields, 0));
    int index = traffic.table.FindAircraft(callsign);

    if (index == kNoAircraft) {
        index = traffic.table.AcquireRecord();
        AVION &a = traffic.table.Edit(index);
        a.fromServer = true;
        a.aiState = QStringLiteral("by ZAZ");
        traffic.table.SetCallsign(index, callsign);
        a.squawk = Field(fields, 2);
        a.rating = Field(fields, 3);
        a.lat = Coordinate(Field(fields, 4));
        a.lon = Coordinate(Field(fields, 5));
        a.trail.fill({a.lat, a.lon});
        try {
            a.altitude = StrToInt(Field(fields, 6));
            a.groundSpeed = StrToInt(Field(fields, 7));
            ApplyHeading(state, a, Field(fields, 8));
            StrToInt(Field(fields, 9));
        } catch (const ConversionError &) {
            // A half-made record would be found by its callsign but never drawn nor
            // expired: give it back and let the line fail.
            traffic.table.SetCallsign(index, QString());
            a.lat = 9999.0f;
            a.fromServer = false;
            throw;
        }
        a.hasStrip = false;
        a.flightListMark = false;
        a.commandPending = false;
        a.handoffFrom.clear();
        a.handoffState.clear();
        a.serverSeen = now;
        a.transponderMode = mode;
        traffic.LiveTrafficList.append(QString::number(index));
        emit state.notifier.flightPlanWanted(callsign);
        return index;
    }

    AVION &a = traffic.table.Edit(index);
    a.fromServer = true;
    a.aiState = QStringLiteral("by ZAZ");
    for (int k = kTrailLength - 2; k >= 0; --k)
        a.trail[k + 1] = a.trail[k];
    a.trail[0] = {a.lat, a.lon};
    a.prevAltitude = a.altitude;
    a.squawk = Field(fields, 2);
    a.rating = Field(fields, 3);
    a.lat = Coordinate(Field(fields, 4));
    a.lon = Coordinate(Field(fields, 5));
    a.altitude = StrToInt(Field(fields, 6));
    a.groundSpeed = StrToInt(Field(fields, 7));
    ApplyHeading(state, a, Field(fields, 8));
    StrToInt(Field(fields, 9));
    a.serverSeen = now;
    a.transponderMode = mode;
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

void ApplyFlightPlan(RadarState &state, const t_tranches &fields)
{
    const int index = state.traffic.table.FindAircraft(Copy(Field(fields, 0), 4, Field(fields, 0).size()));
    if (index == kNoAircraft)
        return;
    AVION &a = state.traffic.table.Edit(index);
    if (fields.size() <= 3) {
        a.hasFlightPlan = false;
        return;
    }
    a.hasFlightPlan = true;
    a.ifr = Field(fields, 2) == QLatin1String("I");
    a.acType = Field(fields, 3);
    a.tas = StrToInt(Field(fields, 4));
    a.departure = Field(fields, 5);
    a.etd = PlanTime(Field(fields, 6));
    a.atd = PlanTime(Field(fields, 7));
    a.cruiseLevel = Field(fields, 8);
    a.destination = Field(fields, 9);
    a.timeEnroute = PlanDuration(Field(fields, 10), Field(fields, 11));
    a.endurance = PlanDuration(Field(fields, 12), Field(fields, 13));
    a.alternate = Field(fields, 14);
    a.remarks = Field(fields, 15);
    a.route = NormaliseRoute(Field(fields, 16));
    a.routeFields = SplitText(QStringLiteral("/"), a.route);
    a.routePoints = BuildRoute(state.sector, a.routeFields, int(a.routeFields.size()) - 1);
}

void RemoveAircraft(RadarState &state, int index)
{
    TrafficState &traffic = state.traffic;
    if (!traffic.table.IsValid(index))
        return;
    AVION &a = traffic.table.Edit(index);
    emit state.notifier.monitorLine(QStringLiteral("on supprime, %1, %2").arg(a.objectId).arg(a.callsign));
    if (a.hasStrip)
        emit state.notifier.stripRemovalWanted(index);
    a.fromServer = false;
    traffic.table.SetCallsign(index, QString());
    a.lat = 9999.0f;
    a.hasFlightPlan = a.ifr = a.hasStrip = a.flightListMark = a.alert = a.commandPending = false;
    a.squawk.clear();
    a.route.clear();
    a.routeFields.clear();
    a.routePoints.clear();
    if (traffic.SelectedAircraft == index)
        traffic.SelectedAircraft = kNoAircraft;
    traffic.LiveTrafficList.removeAll(QString::number(index));
}

void ClearTraffic(RadarState &state)
{
    state.traffic.table.Clear();
    state.traffic.SelectedAircraft = kNoAircraft;
    // The list names records of the emptied table: it goes with them.
    state.traffic.LiveTrafficList.clear();
}

bool ExpireAircraft(RadarState &state, int index, const QDateTime &now)
{
    TrafficState &traffic = state.traffic;
    if (!traffic.table.IsValid(index) || traffic.table[index].callsign.isEmpty())
        return false;
    AVION &a = traffic.table.Edit(index);
    if (IsEmergency(a.squawk)) {
        a.alert = true;
        traffic.globalAlert = true;
    }
    const double delay = state.settings.display.ExpiryDelay;
    if (!OlderThan(a.serverSeen, now, delay)) {
        a.shown = true;
        return true;
    }
    a.shown = false;
    if (OlderThan(a.simSeen, now, delay)) {
        emit state.notifier.monitorLine(
            QStringLiteral("delai dépassé suppression demandée %1, %2").arg(a.objectId).arg(a.callsign));
        RemoveAircraft(state, index);
        return false;
    }
    return true;
}

} // namespace zaz
