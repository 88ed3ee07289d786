// One open session of the stand-in library: the client's data definitions, event mappings
// and subscriptions, and the records waiting for the next dispatch.
#pragma once

#include "Engine.h"

#include <sim/SimApi.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace standin {

// The simulation variables the stand-in knows; any other reads as zero or an empty text.
enum class Var {
    Unknown, ZuluTime, LocalTime, ZuluDay, Visibility, Temperature, Barometer, SeaLevelPressure, WindSpeed,
    WindDirection, Precipitation, SurfaceCondition, Title, AtcType, AtcModel, AtcAirline, AtcFlightNumber,
    AtcId, Latitude, Longitude, Altitude, GroundAltitude, GroundVelocity, VerticalSpeed, Heading, Bank, Pitch,
    Transponder, IsIfr, FromAirport, ToAirport, CurrentAirport, Etd, Eta, State, Runway, Parking,
};

// A variable by its name, without regard to case.
Var VarOf(const std::string &name);

struct Datum {
    Var var = Var::Unknown;
    std::string unit; // upper case
    SimDword type = 0;
};

struct Value {
    double number = 0;
    std::string text;
};

// Bytes a value of this data type takes in a packed answer; 0 for an unknown type.
size_t DatumSize(SimDword type);

// The scenario folder: ZAZ_SIM_DIR, else [FSX] DIR of ZAZ.ini in the working folder.
std::filesystem::path SimulatorFolder();

// Simulated seconds for elapsed wall-clock seconds: at most kMaxWallStep seconds of wall clock
// count (a paused program does not make the traffic jump), times ZAZ_STANDIN_SPEED when it is
// a number from 0.01 to 1000.
inline constexpr double kMaxWallStep = 5.0;
double SimulatedSeconds(double wallSeconds);

struct Session {
    static constexpr uint32_t kUserObject = 1;

    std::filesystem::path folder;
    Simulator sim;
    std::map<SimDword, std::vector<Datum>> definitions;
    std::map<SimDword, std::string> clientEvents;   // client event -> simulator event name
    std::map<std::string, SimDword> subscriptions;  // "OBJECTADDED"/"OBJECTREMOVED" -> client event
    std::map<uint32_t, bool> announced;             // objects the client knows of (-> helicopter)
    // Records waiting for the next dispatch; beyond kMaxPending (a client that never
    // dispatches) new ones are dropped.
    static constexpr size_t kMaxPending = 100000;
    std::vector<std::vector<uint8_t>> pending;
    double lastWall = 0;

    // True while told to stop: ZAZ_STANDIN_STOP set (not "0") or a file STOP in the folder
    // when it was last looked for (lookForStop: at opening, each dispatch and each request on
    // the user object, not at every call).
    bool stopped() const;
    void lookForStop();
    bool stopFile = false;
    // Advances the simulation by the wall-clock time since the last call, then queues the
    // add/remove events of objects that appeared or disappeared.
    void catchUp();
    void announce();
    void queue(const void *record, size_t size);
    void push(std::vector<uint8_t> record);
    Value valueOf(const Datum &d, const Craft *c) const;
    std::vector<uint8_t> pack(SimDword definition, const Craft *c) const;
    void queueData(SimDword recvId, SimDword request, SimDword definition, uint32_t object, const Craft *c,
                   SimDword entry, SimDword outOf);
};

} // namespace standin
