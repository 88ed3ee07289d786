// What happens to the traffic table: positions and flight plans from the server, removal,
// expiry and sign-off. The flight-plan request of a new aircraft, the packet-monitor lines
// and the removal of a strip leave through the state's notifier.
#pragma once

#include "core/RadarState.h"

#include <QDateTime>

namespace zaz {

// A position line ("@S", "@N", "@Y"): fields 1 to 10 as split. A new callsign takes a
// record (the highest free one, or a new one) and its flight plan is asked for. Raises
// ConversionError when an integer field does not convert; the fields set before stay set.
// Returns the aircraft's index.
int ApplyServerPosition(RadarState &state, const t_tranches &fields, const QDateTime &now);

// A flight-plan line ("$FP" + callsign) for an aircraft of the table; a plan for an unknown
// callsign is ignored. Three fields or fewer clear the plan. Raises ConversionError when
// the true airspeed does not convert.
void ApplyFlightPlan(RadarState &state, const t_tranches &fields);

// Frees a record: monitor line, strip removal, fields cleared, list updated.
void RemoveAircraft(RadarState &state, int index);

// Empties the table at sign-off.
void ClearTraffic(RadarState &state);

// The staleness check of a redraw: raises the alert of an emergency squawk, then shows,
// keeps or removes the aircraft. True when the aircraft is still there to be drawn.
bool ExpireAircraft(RadarState &state, int index, const QDateTime &now);

// A clock time of a flight plan: "HHMM", three digits read with a leading "0". Null when
// the text does not give a time.
QTime PlanTime(const QString &hhmm);
// A duration of a flight plan from its hours and minutes fields. Null when they do not
// give a time.
QTime PlanDuration(const QString &hours, const QString &minutes);

} // namespace zaz
