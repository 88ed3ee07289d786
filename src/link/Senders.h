// The senders: each event that tells the server something builds its line, sends it, and
// logs and counts it as the packet monitor wants.
#pragma once

#include "link/LineSender.h"

#include <QString>

namespace zaz {

struct RadarState;

// How a sent line shows in the packet monitor and the sent counter.
enum class SendLog {
    Always,       // logged and counted
    AlwaysUncounted,
    Ticked,       // logged and counted only while the monitor is ticked
    TickedCounted, // logged while ticked, counted always
    Never,
};

// Sends text and logs it (without its end of line) and counts it as policy says.
void SendLogged(RadarState &state, LineSender &sender, const QString &text, SendLog policy);

// The "%" report: at acceptance (logged, not counted) or from the 10-second timer
// (logged while ticked, counted).
void SendPosition(RadarState &state, LineSender &sender, bool periodic);
// "$CQ ... :SERVER:FP:" for an aircraft of the table.
void RequestFlightPlan(RadarState &state, LineSender &sender, int index);
void RequestFlightPlan(RadarState &state, LineSender &sender, const QString &callsign);
// "$CQ ... :SERVER:DEPOTFP:" + selection.
void RequestFiledPlans(RadarState &state, LineSender &sender, const QString &selection);
// The controller accepts the handoff offered for an aircraft: "$HA", then its plan query.
void AcceptHandoff(RadarState &state, LineSender &sender, int index);

} // namespace zaz
