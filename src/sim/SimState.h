// The simulator as the rest of the program sees it: whether its client library is there,
// whether a session is open, its name and its clock.
#pragma once

#include <QString>
#include <functional>

namespace zaz {

// What the windows ask of the simulator session the main window holds; empty until it is set.
struct SimCommands {
    std::function<void()> requestStations;     // the weather of every listed station
    std::function<void(int, int)> setZuluTime; // hours, minutes
};

struct SimState {
    bool libraryLoaded = false;
    bool connected = false;
    QString simulatorName;      // "FSX", "P3D" or empty
    QString zuluTime;           // "Z hh:mm" text of the simulator's clock, while connected
    QString localTime;
    int zuluSeconds = 0;        // the simulator's clock, seconds since midnight
    int localSeconds = 0;
    QString lastSimMetar;       // the last METAR the simulator sent, trimmed
    // The AI aircraft being created here, and whether its typed route waits for it.
    QString pendingAiCallsign;
    bool typedRouteWaiting = false;
    SimCommands commands;
};

} // namespace zaz
