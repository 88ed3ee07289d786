// Everything the program knows of the aircraft around the controller: the traffic table
// with its selection and live list, the strips, the flight plans still to ask for, the
// filed plans, and the lines the simulator memo of the packet monitor shows.
//
// The group keeps its invariants itself (see TrafficOps): a record is in use exactly when
// its callsign is set; the selection, the live list, the strips and the waiting plan
// queries name records in use only.
#pragma once

#include "core/LineLog.h"
#include "traffic/PlanRequests.h"
#include "traffic/StripStore.h"
#include "traffic/TrafficTable.h"

#include <QStringList>

namespace zaz {

// The command console's lists, by callsign: aircraft waiting on a step ("ATT"), offered to
// this controller in a handoff ("HO"), departures ("DEP") and arrivals ("ARIV") on strips.
struct ConsoleLists {
    QStringList waiting;
    QStringList handoffs;
    QStringList departures;
    QStringList arrivals;
};

struct TrafficState {
    TrafficTable table;
    int SelectedAircraft = kNoAircraft;
    // Decimal index of every record given to an aircraft, in order of arrival.
    QStringList LiveTrafficList;
    StripStore strips;
    FlightPlanRequests planRequests;
    // One tab-separated row per filed plan the server sent.
    QStringList FiledPlans;
    // Removals and expiries, for the packet monitor's simulator memo.
    LineLog monitorLog;
    // How long an aircraft may go without any update before it is removed, in days.
    float ExpiryDelay = 1.0f / 1440.0f;
    // A route point closer than this (nm) is the one the aircraft is passing.
    int passingDistance = 10;
    // Set by the traffic step when an aircraft is in conflict or squawks an emergency.
    bool globalAlert = false;
    // New callsigns refused because the table was full.
    int refusedAircraft = 0;
    ConsoleLists console;
};

} // namespace zaz
