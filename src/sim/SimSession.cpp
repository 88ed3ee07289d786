#include "sim/SimSession.h"

#include "core/Paths.h"
#include "traffic/TrafficOps.h"

#include <exception>

namespace zaz {

namespace {

// Calls one entry of the table with the session's handle; the result becomes the last one.
template <typename Fn, typename... Args>
SimResult Call(SimSession &session, Fn SimEntries::*entry, Args... args)
{
    if (!session.entries || !(session.entries->*entry))
        throw SimCallError("simulator entry point missing");
    session.lastResult = (session.entries->*entry)(session.handle, args...);
    return session.lastResult;
}

struct Datum {
    const char *name;
    const char *unit; // nullptr: no unit
    SimDataType type;
};

void AddDefinition(SimSession &session, SimDefinitionId definition, std::initializer_list<Datum> data)
{
    for (const Datum &d : data)
        Call(session, &SimEntries::SimConnect_AddToDataDefinition, definition, d.name, d.unit, d.type, 0.0f,
             SimDword(SIM_UNUSED));
}

void DeclareDefinitions(SimSession &s)
{
    AddDefinition(s, SIM_DEF_IDENTITY,
                  {{"Title", nullptr, SIM_DATATYPE_STRING256},
                   {"ZAZ TYPE", nullptr, SIM_DATATYPE_STRING64},
                   {"ZAZ MODEL", nullptr, SIM_DATATYPE_STRING64},
                   {"ZAZ AIRLINE", nullptr, SIM_DATATYPE_STRING64},
                   {"ZAZ FLIGHT NUMBER", nullptr, SIM_DATATYPE_STRING64}});
    AddDefinition(s, SIM_DEF_POSITION,
                  {{"ZAZ ID", nullptr, SIM_DATATYPE_STRING64},
                   {"Plane Latitude", "degrees", SIM_DATATYPE_FLOAT64},
                   {"Plane Longitude", "degrees", SIM_DATATYPE_FLOAT64},
                   {"Plane Altitude", "feet", SIM_DATATYPE_FLOAT64},
                   {"GROUND ALTITUDE", "Meters", SIM_DATATYPE_FLOAT64},
                   {"Ground Velocity", "knots", SIM_DATATYPE_FLOAT64},
                   {"VELOCITY WORLD Y", "Feet per second", SIM_DATATYPE_FLOAT64},
                   {"PLANE HEADING DEGREES TRUE", "Radians", SIM_DATATYPE_FLOAT64},
                   {"PLANE BANK DEGREES", "Radians", SIM_DATATYPE_FLOAT64},
                   {"PLANE PITCH DEGREES", "Radians", SIM_DATATYPE_FLOAT64},
                   {"transponder code:1", "BCO16", SIM_DATATYPE_INT32}});
    AddDefinition(s, SIM_DEF_AI_STATE,
                  {{"AI TRAFFIC ISIFR", nullptr, SIM_DATATYPE_INT32},
                   {"AI TRAFFIC FROMAIRPORT", nullptr, SIM_DATATYPE_STRING256},
                   {"AI TRAFFIC TOAIRPORT", nullptr, SIM_DATATYPE_STRING256},
                   {"AI TRAFFIC CURRENT AIRPORT", nullptr, SIM_DATATYPE_STRING256},
                   {"AI TRAFFIC ETD", "Seconds", SIM_DATATYPE_INT32},
                   {"AI TRAFFIC ETA", "Seconds", SIM_DATATYPE_INT32},
                   {"AI TRAFFIC STATE", nullptr, SIM_DATATYPE_STRING256},
                   {"AI TRAFFIC ASSIGNED RUNWAY", nullptr, SIM_DATATYPE_STRING256},
                   {"AI TRAFFIC ASSIGNED PARKING", nullptr, SIM_DATATYPE_STRING256}});
    AddDefinition(s, SIM_DEF_WEATHER,
                  {{"ZULU TIME", "Seconds", SIM_DATATYPE_FLOAT64},
                   {"ZULU DAY OF MONTH", "Number", SIM_DATATYPE_INT32},
                   {"AMBIENT VISIBILITY", "Meters", SIM_DATATYPE_FLOAT64},
                   {"AMBIENT TEMPERATURE", "Celsius", SIM_DATATYPE_FLOAT64},
                   {"BAROMETER PRESSURE", "Millibars", SIM_DATATYPE_FLOAT64},
                   {"SEA LEVEL PRESSURE", "Millibars", SIM_DATATYPE_FLOAT64},
                   {"AMBIENT WIND VELOCITY", "Knots", SIM_DATATYPE_FLOAT64},
                   {"AMBIENT WIND DIRECTION", "Degrees", SIM_DATATYPE_FLOAT64},
                   {"AMBIENT PRECIP STATE", "Mask", SIM_DATATYPE_FLOAT64},
                   {"SURFACE CONDITION", "Enum", SIM_DATATYPE_FLOAT64}});
    AddDefinition(s, SIM_DEF_CLOCK,
                  {{"ZULU TIME", "Seconds", SIM_DATATYPE_INT32}, {"LOCAL TIME", "Seconds", SIM_DATATYPE_INT32}});
}

void SubscribeObjectEvents(SimSession &s)
{
    Call(s, &SimEntries::SimConnect_SubscribeToSystemEvent, SimEventId(SIM_EVENT_OBJECT_ADDED), "ObjectAdded");
    Call(s, &SimEntries::SimConnect_SubscribeToSystemEvent, SimEventId(SIM_EVENT_OBJECT_REMOVED), "ObjectRemoved");
}

void TransmitEvent(SimSession &s, SimObjectId object, SimEventId event, SimDword data)
{
    Call(s, &SimEntries::SimConnect_TransmitClientEvent, object, event, data, SimGroupId(SIM_GROUP_TRANSMIT),
         SimDword(SIM_EVENT_FLAG_GROUPID_IS_PRIORITY));
}

// Hands each record to the handler; what the handler raises is kept and raised again once
// the library's dispatch has returned, never thrown across it.
struct DispatchContext {
    const SimRecordHandler *handler;
    std::exception_ptr error;
};

void DispatchOne(const SimRecv *data, SimDword size, void *context)
{
    auto *c = static_cast<DispatchContext *>(context);
    if (c->error)
        return;
    try {
        (*c->handler)(data, size);
    } catch (...) {
        c->error = std::current_exception();
    }
}

void CloseHandle(SimSession &session, SimState &sim)
{
    if (session.handle)
        Call(session, &SimEntries::SimConnect_Close);
    session.handle = nullptr;
    sim.connected = false;
}

// Hands what the simulator queued to dispatch, record by record; what the handler raised
// is raised again here.
void Dispatch(SimSession &session, const SimRecordHandler &dispatch)
{
    DispatchContext context{&dispatch, nullptr};
    Call(session, &SimEntries::SimConnect_CallDispatch, &DispatchOne, static_cast<void *>(&context));
    if (context.error)
        std::rethrow_exception(context.error);
}

SimPoll PollStep(SimSession &session, SimState &sim, bool wantAmbient, const SimRecordHandler &dispatch)
{
    // The clock request doubles as the probe. A session closed after a loss has no handle
    // to probe with: it can only be opened again.
    const SimResult probe = session.handle
        ? Call(session, &SimEntries::SimConnect_RequestDataOnSimObjectType, SimRequestId(SIM_REQ_CLOCK),
               SimDefinitionId(SIM_DEF_CLOCK), SimDword(0), SimObjectType(SIM_OBJECT_TYPE_USER))
        : SIM_FAIL;
    if (probe != SIM_OK) {
        if (sim.connected) {
            CloseHandle(session, sim);
            return SimPoll::Lost;
        }
        return OpenSimSession(session, sim) ? SimPoll::Reopened : SimPoll::StillLost;
    }
    SubscribeObjectEvents(session);
    for (SimObjectType type : {SimObjectType(SIM_OBJECT_TYPE_AIRCRAFT), SimObjectType(SIM_OBJECT_TYPE_HELICOPTER)})
        Call(session, &SimEntries::SimConnect_RequestDataOnSimObjectType,
             SimRequestId(type == SIM_OBJECT_TYPE_AIRCRAFT ? SIM_REQ_AIRCRAFT : SIM_REQ_HELICOPTERS),
             SimDefinitionId(SIM_DEF_POSITION), SimDword(SIM_TRAFFIC_RADIUS_METERS), type);
    if (wantAmbient)
        RequestSimUserData(session, SIM_REQ_AMBIENT, SIM_DEF_WEATHER);
    Dispatch(session, dispatch);
    return SimPoll::Polled;
}

} // namespace

bool OpenSimSession(SimSession &session, SimState &sim)
{
    sim.connected = false;
    if (!session.entries)
        return false; // no library, no session
    SimHandle handle = nullptr;
    session.lastResult = session.entries->SimConnect_Open(&handle, "MYAPP", nullptr, 0, nullptr, 0);
    sim.connected = session.lastResult == SIM_OK;
    if (!sim.connected)
        return false;
    session.handle = handle;
    DeclareDefinitions(session);
    for (SimEventId event = SIM_EVENT_FREEZE_LAT_LON; event <= SIM_EVENT_ZULU_MINUTES; ++event) {
        static const char *const kNames[] = {"FREEZE_LATITUDE_LONGITUDE_SET", "FREEZE_ALTITUDE_SET",
                                             "FREEZE_ATTITUDE_SET", "ZULU_HOURS_SET", "ZULU_MINUTES_SET"};
        Call(session, &SimEntries::SimConnect_MapClientEventToSimEvent, event,
             kNames[event - SIM_EVENT_FREEZE_LAT_LON]);
    }
    for (SimEventId event = SIM_EVENT_FREEZE_LAT_LON; event <= SIM_EVENT_ZULU_MINUTES; ++event)
        Call(session, &SimEntries::SimConnect_AddClientEventToNotificationGroup, SimGroupId(SIM_GROUP_MAIN), event,
             SimBool(0));
    Call(session, &SimEntries::SimConnect_SetNotificationGroupPriority, SimGroupId(SIM_GROUP_MAIN),
         SimDword(SIM_GROUP_PRIORITY_HIGHEST));
    SubscribeObjectEvents(session);
    return true;
}

void CloseSimSession(SimSession &session, SimState &sim, TrafficState &traffic, WeatherState &weather)
{
    CloseHandle(session, sim);
    weather.CurrentWeather.source.clear();
    ClearTraffic(traffic);
}

SimPoll PollSimSession(SimSession &session, SimState &sim, bool wantAmbient, const SimRecordHandler &dispatch)
{
    try {
        return PollStep(session, sim, wantAmbient, dispatch);
    } catch (...) {
        return SimPoll::Failed;
    }
}

bool RequestSimStations(SimSession &session, const SimState &sim, WeatherState &weather,
                        const SimRecordHandler &dispatch)
{
    StationsState &stations = weather.stations;
    stations.checkList.clear();
    stations.loadingText = QStringLiteral("FSX stations");
    if (!sim.connected)
        return true;
    try {
        // Each answer is handled before the next station is asked for. The list is copied:
        // the answers may change the stations.
        const QStringList codes = stations.list;
        for (const QString &code : codes) {
            RequestSimMetar(session, SIM_REQ_STATION_METAR, code);
            Dispatch(session, dispatch);
        }
    } catch (...) {
        return false;
    }
    return true;
}

QString SimNotAnsweringText(const QString &simulatorName)
{
    return simulatorName + QStringLiteral(" ne répond plus, fermer la connexion");
}

void RequestSimObjectData(SimSession &session, SimRequestId request, SimDefinitionId definition,
                          SimObjectId object)
{
    Call(session, &SimEntries::SimConnect_RequestDataOnSimObject, request, definition, object,
         SimPeriod(SIM_PERIOD_ONCE), SimDword(0), SimDword(0), SimDword(0), SimDword(0));
}

void RequestSimUserData(SimSession &session, SimRequestId request, SimDefinitionId definition)
{
    Call(session, &SimEntries::SimConnect_RequestDataOnSimObjectType, request, definition, SimDword(0),
         SimObjectType(SIM_OBJECT_TYPE_USER));
}

void RequestSimMetar(SimSession &session, SimRequestId request, const QString &station)
{
    const QByteArray code = station.left(4).toLatin1();
    Call(session, &SimEntries::SimConnect_WeatherRequestObservationAtStation, request, code.constData());
}

void SetSimZuluTime(SimSession &session, int hours, int minutes)
{
    TransmitEvent(session, SIM_OBJECT_ID_USER, SIM_EVENT_ZULU_HOURS, SimDword(hours));
    TransmitEvent(session, SIM_OBJECT_ID_USER, SIM_EVENT_ZULU_MINUTES, SimDword(minutes));
}

bool FreezeAircraft(SimSession &session, TrafficState &traffic, int index, int freeze)
{
    if (!traffic.table.inUse(index))
        return false;
    const auto object = SimObjectId(traffic.table[index].objectId);
    for (SimEventId event : {SIM_EVENT_FREEZE_LAT_LON, SIM_EVENT_FREEZE_ALTITUDE, SIM_EVENT_FREEZE_ATTITUDE})
        TransmitEvent(session, object, event, SimDword(freeze));
    if (session.lastResult != SIM_OK)
        return false;
    traffic.table.edit(index).frozen = freeze != 0;
    return true;
}

QString SimulatorNameOf(const QString &folder)
{
    QString name;
    if (!FindFileNoCase(folder, QStringLiteral("FSX.exe")).isEmpty())
        name = QStringLiteral("FSX");
    if (!FindFileNoCase(folder, QStringLiteral("Prepar3D.exe")).isEmpty())
        name = QStringLiteral("P3D");
    return name;
}

QString ConnectionText(const QString &serverType, const SimState &sim)
{
    QString text = QStringLiteral("connecté ") + serverType;
    if (sim.connected)
        text += QLatin1Char('+') + sim.simulatorName;
    return text;
}

} // namespace zaz
