// What the simulator sends back, applied to the model: its AI aircraft and helicopters as
// traffic records, their AI state, their removal, the simulator clock, the ambient weather and
// the METARs of the controller's airport and of the listed stations.
//
// One call handles one received record, given as raw bytes. Every field is read through a
// bounds-checked reader: a record too short for what it must hold, or a METAR without its
// terminating zero, is ignored as a whole and changes nothing. A fixed-width text field is
// read up to its first zero, or over its whole width when it holds none. A position without
// an identity ("ZAZ ID" empty) is ignored: its record could not be told from a free one. A new
// aircraft beyond the table's capacity is refused and counted in TrafficState::refusedAircraft.
#pragma once

#include "sector/SectorState.h"
#include "sim/SimState.h"
#include "traffic/FlightPlanFile.h"
#include "traffic/TrafficState.h"
#include "weather/WeatherState.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace zaz {

// The state groups the dispatch reads and writes.
struct SimGroups {
    TrafficState &traffic;
    WeatherState &weather;
    SectorState &sector;
    SimState &sim;
    const FlightPlanFiles &planFiles; // the waypoints of the AI aircraft being created
    QString ownStation;               // the controller's weather station
    int ownAltitude = 0;              // and its altitude, feet
};

// A request the dispatch wants sent once it returns: data of one object (objectId), or of
// the user object for the ambient weather.
struct SimFollowUp {
    std::uint32_t request = 0;
    std::uint32_t definition = 0;
    std::uint32_t objectId = 0;
    friend bool operator==(const SimFollowUp &, const SimFollowUp &) = default;
};

// What the caller still has to do after one or more dispatches.
struct SimDispatchOutput {
    QList<SimFollowUp> requests;
    QStringList published;        // station METARs to forward to the server
    bool trafficChanged = false;
    bool weatherChanged = false;  // the weather window wants a repaint
};

// Handles one received record of size bytes. now gives the records their simulator update
// time and the stations their date line.
void SimDispatch(const SimGroups &groups, const void *data, std::size_t size, const QDateTime &now,
                 SimDispatchOutput &out);

// A received METAR of the controller's airport: becomes the current weather (raw, plain and
// decoded) and raises the new-METAR flag when the plain text changed.
void ApplyOwnSimMetar(WeatherState &weather, const QString &metar);

} // namespace zaz
