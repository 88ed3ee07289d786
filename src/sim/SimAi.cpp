#include "sim/SimAi.h"

#include "core/Codec.h"
#include "core/Text.h"
#include "traffic/Routes.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace zaz {

namespace {

// The simulator's fixed text fields: a title or a path of 256 bytes, a tail number or an
// airport code of 11, each with its terminating zero. Longer texts are cut.
constexpr int kLongField = 256;
constexpr int kShortField = 11;

QByteArray Field(const QString &text, int size)
{
    return EncodeCp1252(text).left(size - 1);
}

QByteArray PathField(const QString &path)
{
    return QFile::encodeName(path).left(kLongField - 1);
}

bool AllDigits(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

bool CreatedHere(const TrafficState &traffic, int index)
{
    return traffic.table.inUse(index) && traffic.table[index].createdHere;
}

} // namespace

bool SimSessionOpen(const SimSession &session)
{
    return session.entries && session.handle;
}

bool AiPlanPosition(const QString &waypoint, const QString &percent, double &position)
{
    if (!AllDigits(waypoint) || !AllDigits(percent))
        return false;
    bool ok = false;
    position = QLocale::c().toDouble(waypoint + QLatin1Char('.') + percent, &ok);
    return ok;
}

QString AiOrderProblem(const AiOrder &order, const TrafficTable &table)
{
    if (order.title.isEmpty())
        return QStringLiteral("renseigner le type AI");
    if (order.tailNumber.isEmpty())
        return QStringLiteral("renseigner le callsign (tailnumber)");
    if (table.FindAircraft(order.tailNumber) != kNoAircraft)
        return QStringLiteral("ce callsign existe déjà");
    if (order.placement == AiPlacement::Parked && order.airport.isEmpty())
        return QStringLiteral("set airport");
    if (order.placement == AiPlacement::Enroute) {
        int number = 0;
        double position = 0;
        if (order.planPath.isEmpty())
            return QStringLiteral("set flightplan");
        if (!TryStrToInt(order.flightNumber, number))
            return QStringLiteral("set flight number");
        if (!AiPlanPosition(order.waypoint, order.percent, position))
            return QStringLiteral("set position in flight number");
    }
    return {};
}

void CreateAiAircraft(SimSession &session, SimState &sim, const AiOrder &order)
{
    if (order.placement == AiPlacement::None)
        return;
    int flightNumber = 0;
    double position = 0;
    if (order.placement == AiPlacement::Enroute &&
        (!TryStrToInt(order.flightNumber, flightNumber) || !AiPlanPosition(order.waypoint, order.percent, position)))
        return;
    const QString tail = order.tailNumber.toUpper();
    sim.pendingAiCallsign = tail;
    if (!SimSessionOpen(session))
        return;
    const SimEntries &e = *session.entries;
    const QByteArray title = Field(order.title, kLongField);
    const QByteArray tailField = Field(tail, kShortField);
    if (order.placement == AiPlacement::Parked) {
        session.lastResult = e.SimConnect_AICreateParkedATCAircraft(
            session.handle, title.constData(), tailField.constData(),
            Field(order.airport.toUpper(), kShortField).constData(), SIM_REQ_AI_CREATE);
    } else {
        session.lastResult = e.SimConnect_AICreateEnrouteATCAircraft(
            session.handle, title.constData(), tailField.constData(), flightNumber,
            PathField(order.planPath).constData(), position, order.touchAndGo ? SimBool(-1) : SimBool(0),
            SIM_REQ_AI_CREATE);
        if (session.lastResult == SIM_OK)
            sim.typedRouteWaiting = true;
    }
}

bool AssignAiFlightPlan(SimSession &session, TrafficState &traffic, SectorState &sector, int index,
                        const QString &planPath, const QStringList &waypoints)
{
    if (!CreatedHere(traffic, index) || !SimSessionOpen(session))
        return false;
    session.lastResult = session.entries->SimConnect_AISetAircraftFlightPlan(
        session.handle, SimObjectId(traffic.table[index].objectId), PathField(planPath).constData(),
        SIM_REQ_AI_STATE);
    if (session.lastResult != SIM_OK)
        return false;
    AVION &a = traffic.table.edit(index);
    a.route = JoinWaypoints(waypoints);
    a.routeFields = SplitText(QStringLiteral("/"), a.route);
    a.routePoints = BuildRoute(sector, a.routeFields, int(a.routeFields.size()) - 1);
    a.hasFlightPlan = true;
    return true;
}

bool RemoveAiAircraft(SimSession &session, const TrafficState &traffic, int index)
{
    if (!CreatedHere(traffic, index) || !SimSessionOpen(session))
        return false;
    session.lastResult = session.entries->SimConnect_AIRemoveObject(
        session.handle, SimObjectId(traffic.table[index].objectId), SIM_REQ_AI_REMOVE);
    return session.lastResult == SIM_OK;
}

} // namespace zaz
