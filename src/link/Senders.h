// The senders: each event that tells the server something builds its line, sends it, and
// logs and counts it as the packet monitor wants.
#pragma once

#include "link/LineSender.h"
#include "link/LinkState.h"
#include "traffic/TrafficState.h"

#include <QString>

namespace zaz {

// How a sent line shows in the packet monitor and the sent counter.
enum class SendLog {
    Always,       // logged and counted
    AlwaysUncounted,
    Ticked,       // logged and counted only while the monitor is ticked
    TickedCounted, // logged while ticked, counted always
    Never,
};

// Sends text and logs it (without its end of line) and counts it as policy says. An empty
// text is a line its builder refused (a field with ":", CR or LF, or no login line for the
// server type): nothing is sent, the refusal goes to the error log, and false is returned.
bool SendLogged(LinkState &link, LineSender &sender, const QString &text, SendLog policy);

// The "%" report: at acceptance (logged, not counted) or from the 10-second timer
// (logged while ticked, counted).
void SendPosition(LinkState &link, LineSender &sender, bool periodic);
// "$CQ ... :SERVER:FP:" for an aircraft.
void RequestFlightPlan(LinkState &link, LineSender &sender, const QString &callsign);
// "$CQ ... :SERVER:DEPOTFP:" + selection.
void RequestFiledPlans(LinkState &link, LineSender &sender, const QString &selection);

} // namespace zaz
