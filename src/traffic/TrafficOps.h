// What happens to the traffic: positions and flight plans from the server, strips made and
// removed, removal, expiry and sign-off. Each operation keeps the traffic group's
// invariants: removing an aircraft, by any path, removes its strip, its selection, its live
// entry and its waiting plan query with it.
#pragma once

#include "sector/SectorState.h"
#include "traffic/TrafficState.h"

#include <QDateTime>
#include <QTime>
#include <optional>

namespace zaz {

// A position of an aircraft as the server reports it ("@S", "@N", "@Y" lines).
struct ServerPosition {
    QString transponderMode; // "S", "N" or "Y"
    QString callsign;
    QString squawk;
    QString rating;
    float lat = 0;
    float lon = 0;
    int altitude = 0;        // ft
    int groundSpeed = 0;     // kt
    // Degrees: field 9 read as whole degrees (a VIREO-SERVER's); none when the field is no
    // number (the heading then stays as it was).
    std::optional<double> heading;
    // Field 9 read as the packed attitude word of an "FSD" server's pilot clients; none when
    // it is no 32-bit number.
    std::optional<quint32> attitude = std::nullopt;
};

// A flight plan as the server sends it ("$FP" lines). A line of three fields or fewer
// carries no plan: the aircraft has none.
struct ServerFlightPlan {
    QString callsign;
    bool hasPlan = false;
    QString rules;           // "I" or "V"
    QString acType;
    int tas = 0;
    QString departure;
    QString proposedTime;    // HHMM, three digits read with a leading "0"
    QString actualTime;
    QString cruiseLevel;
    QString destination;
    QString hoursEnroute;
    QString minutesEnroute;
    QString fuelHours;
    QString fuelMinutes;
    QString alternate;
    QString remarks;
    QString route;
};

// A position from the server. A new callsign takes a record (the highest free one, or a new
// one) and wants its flight plan. The heading is taken only when headingFromServer and the
// position carries one, and headingReceived tells whether it was (otherwise the heading
// stays as it was). Returns the aircraft's index, or kNoAircraft when the table is full and
// the callsign is new: nothing changes then but the count of refused aircraft.
int ApplyServerPosition(TrafficState &traffic, ServerPosition position, bool headingFromServer,
                        const QDateTime &now);

// A flight plan for an aircraft of the table (a plan for an unknown callsign is ignored).
// Without a plan only hasFlightPlan is cleared. The route is built on the sector, whose
// airways it names are marked selected.
void ApplyFlightPlan(TrafficState &traffic, SectorState &sector, const ServerFlightPlan &plan);

// Frees a record: monitor line, strip, selection, live entry and plan query go with it.
void RemoveAircraft(TrafficState &traffic, int index);

// Empties the table at sign-off, with everything that names its records.
void ClearTraffic(TrafficState &traffic);

// A new login: every aircraft of the table wants its flight plan again.
void RequestAllFlightPlans(TrafficState &traffic, const QDateTime &now);

// The staleness check: shows, keeps or removes the aircraft. True when the aircraft is
// still there to be drawn.
bool ExpireAircraft(TrafficState &traffic, int index, const QDateTime &now);

// Gives the aircraft at index a strip with this line, after the others. False (and
// nothing changes) when the record is free or the aircraft has a strip already.
bool AddStrip(TrafficState &traffic, int index, const QString &line);
// Removes the aircraft's strip and clears its strip, handoff and pending-command marks.
// Nothing when the aircraft has no strip.
void RemoveStrip(TrafficState &traffic, int index);
// The strip line of the aircraft at index; nullptr when it has none.
QString *StripLineOf(TrafficState &traffic, int index);
// Writes the line as the strip of the aircraft with this callsign and sets its
// commandPending mark from the line's pending steps. False (nothing changes) when the
// callsign has no strip.
bool SaveStrip(TrafficState &traffic, const QString &callsign, const QString &line);

// A clock time of a flight plan: "HHMM", three digits read with a leading "0". Null when
// the text does not give a time.
QTime PlanTime(const QString &hhmm);
// A duration of a flight plan from its hours and minutes fields. Null when they do not
// give a time.
QTime PlanDuration(const QString &hours, const QString &minutes);

} // namespace zaz
