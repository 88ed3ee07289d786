// The commands that put AI aircraft into the simulator and act on those created here:
// create parked or en route, give a flight plan, remove. Freezing is FreezeAircraft of the
// session. Each command goes through the session's entry table and needs an open session;
// without one nothing is sent and the command reports a failure.
#pragma once

#include "sector/SectorState.h"
#include "sim/SimSession.h"
#include "sim/SimState.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/TrafficState.h"

#include <QString>
#include <QStringList>

namespace zaz {

enum class AiPlacement {
    None,    // neither choice made: nothing is created
    Parked,  // at a stand of an airport
    Enroute, // along a flight-plan file, from a point of it
};

// What the creation dialog holds, as typed.
struct AiOrder {
    QString title = {};       // the chosen variant
    QString tailNumber = {};  // the callsign
    AiPlacement placement = AiPlacement::None;
    QString airport = {};     // parked
    QString planPath = {};    // en route: the flight-plan file
    QString flightNumber = {};
    QString waypoint = {};    // index of the waypoint flown from
    QString percent = {};     // digits of the fraction of the leg already flown
    bool touchAndGo = false;
};

// The message of the first missing or wrong entry, checked in the dialog's order; empty
// when the order can be sent. The duplicate test compares the tail number as typed.
QString AiOrderProblem(const AiOrder &order, const TrafficTable &table);

// The position along the plan: the waypoint index, a dot, then the percent digits read as
// decimals ("3" and "50" give 3.5, "2" and "5" give 2.5). False when either is not digits.
bool AiPlanPosition(const QString &waypoint, const QString &percent, double &position);

// Whether the session can take a command.
bool SimSessionOpen(const SimSession &session);

// Sends a checked order: the tail number and airport in upper case become the pending
// callsign (kept even when the simulator refuses) and the creation is sent; an accepted en
// route creation leaves the typed route waiting for the aircraft's first report. Nothing is
// sent for an order without a placement or whose numbers do not read.
void CreateAiAircraft(SimSession &session, SimState &sim, const AiOrder &order);

// Gives the plan file to the aircraft of record index, one created here. When the simulator accepts, the
// aircraft's route becomes the plan's waypoints, resolved on the sector map.
bool AssignAiFlightPlan(SimSession &session, TrafficState &traffic, SectorState &sector, int index,
                        const QString &planPath, const QStringList &waypoints);

// Asks the simulator to remove the aircraft of record index, one created here; nothing is
// sent for no aircraft (kNoAircraft, a free record) or for traffic not created here. The
// record goes when the simulator reports the removal.
bool RemoveAiAircraft(SimSession &session, const TrafficState &traffic, int index);

} // namespace zaz
