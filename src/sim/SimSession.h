// The session with the simulator: opening it with everything this program declares, the
// one-second polling step, closing it, and the few commands sent outside the dispatch. Every
// call goes through the entry table of the loaded library, so tests give a table of their own.
#pragma once

#include "sim/SimApi.h"
#include "sim/SimState.h"
#include "traffic/TrafficState.h"
#include "weather/WeatherState.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <stdexcept>

namespace zaz {

struct SimSession {
    const SimEntries *entries = nullptr; // the loaded library's table; nullptr without it
    SimHandle handle = nullptr;
    SimResult lastResult = SIM_OK;       // result of the latest call
};

// A call that cannot be made: no table, or no session handle where one is needed.
class SimCallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens the session as "MYAPP" and, when it opened, declares the five data definitions, the
// client events, their group and the two system-event subscriptions. Sets sim.connected to
// whether it opened (never without the library). The stations' weather requests are the
// caller's, once connected.
bool OpenSimSession(SimSession &session, SimState &sim);

// Closes the session and empties the traffic side: the table, strips, live list and the
// selection; the current weather loses its simulator source. Signing off from the server and
// stopping the timers are the window's.
void CloseSimSession(SimSession &session, SimState &sim, TrafficState &traffic, WeatherState &weather);

// Receives each record CallDispatch hands over, as raw bytes.
using SimRecordHandler = std::function<void(const void *data, std::size_t size)>;

enum class SimPoll {
    Polled,     // the simulator answered: requests sent and its answers dispatched
    Lost,       // it stopped answering: the handle was closed, the rest left as it was
    Reopened,   // it was lost and answers again: the session is open anew
    StillLost,  // it was lost and still does not answer
    Failed,     // a call or the dispatch raised: polling must stop
};

// One tick of the polling timer. wantAmbient: no simulator METAR is known yet, so the
// ambient weather is asked for as well. Nothing raised leaves it: Failed says it did.
SimPoll PollSimSession(SimSession &session, SimState &sim, bool wantAmbient, const SimRecordHandler &dispatch);

// The weather of every listed station: the check list is emptied and, while connected, each
// station's observation is asked for and its answer dispatched at once. False when a call or
// the dispatch raised.
bool RequestSimStations(SimSession &session, const SimState &sim, WeatherState &weather,
                        const SimRecordHandler &dispatch);

// The message shown when the polling step failed.
QString SimNotAnsweringText(const QString &simulatorName);

// Data of one object, sent once.
void RequestSimObjectData(SimSession &session, SimRequestId request, SimDefinitionId definition,
                          SimObjectId object);
// Data of the user's own object.
void RequestSimUserData(SimSession &session, SimRequestId request, SimDefinitionId definition);
// The weather observation at a station; the code is cut to four characters.
void RequestSimMetar(SimSession &session, SimRequestId request, const QString &station);

// Sets the simulator's zulu clock.
void SetSimZuluTime(SimSession &session, int hours, int minutes);

// Freezes (1) or releases (0) the aircraft of record index; the record's frozen flag follows
// when the last of the three events was accepted. False otherwise or for no aircraft.
bool FreezeAircraft(SimSession &session, TrafficState &traffic, int index, int freeze);

// "FSX" or "P3D" from the executables in the simulator folder (the second wins when both
// are there); empty when neither is.
QString SimulatorNameOf(const QString &folder);

// The connection text of an accepted login: the simulator's name follows after "+" while its
// session is open.
QString ConnectionText(const QString &serverType, const SimState &sim);

} // namespace zaz
