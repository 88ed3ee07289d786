// Our own C declarations of the simulator client library interface, limited to what this program
// calls and reads: types, constants, the receive records with their byte offsets, the sixteen
// entry points and the table that holds them. The stand-in library includes this same header.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

typedef void *SimHandle;          // session handle returned by SimConnect_Open
typedef std::int32_t SimResult;   // 0 = success, anything else = failure
typedef std::uint32_t SimDword;
typedef std::int32_t SimBool;     // 0 = false, any other value (usually -1) = true
typedef SimDword SimObjectId;
typedef SimDword SimRequestId;
typedef SimDword SimDefinitionId;
typedef SimDword SimEventId;
typedef SimDword SimGroupId;

enum : SimResult {
    SIM_OK = 0,
    SIM_FAIL = static_cast<SimResult>(0x80004005u),
};

enum : SimDword {
    SIM_UNUSED = 0xFFFFFFFFu,
    SIM_OBJECT_ID_USER = 0,
    SIM_GROUP_PRIORITY_HIGHEST = 1,
    SIM_EVENT_FLAG_GROUPID_IS_PRIORITY = 0x10,
};

// Data types of AddToDataDefinition.
typedef SimDword SimDataType;
enum : SimDword {
    SIM_DATATYPE_INVALID = 0,
    SIM_DATATYPE_INT32 = 1,
    SIM_DATATYPE_INT64 = 2,
    SIM_DATATYPE_FLOAT32 = 3,
    SIM_DATATYPE_FLOAT64 = 4,
    SIM_DATATYPE_STRING8 = 5,
    SIM_DATATYPE_STRING32 = 6,
    SIM_DATATYPE_STRING64 = 7,
    SIM_DATATYPE_STRING128 = 8,
    SIM_DATATYPE_STRING256 = 9,
};

// Periods of RequestDataOnSimObject.
typedef SimDword SimPeriod;
enum : SimDword {
    SIM_PERIOD_NEVER = 0,
    SIM_PERIOD_ONCE = 1,
    SIM_PERIOD_VISUAL_FRAME = 2,
    SIM_PERIOD_SIM_FRAME = 3,
    SIM_PERIOD_SECOND = 4,
};

// Object types of RequestDataOnSimObjectType and of the add/remove events.
typedef SimDword SimObjectType;
enum : SimDword {
    SIM_OBJECT_TYPE_USER = 0,
    SIM_OBJECT_TYPE_ALL = 1,
    SIM_OBJECT_TYPE_AIRCRAFT = 2,
    SIM_OBJECT_TYPE_HELICOPTER = 3,
    SIM_OBJECT_TYPE_BOAT = 4,
    SIM_OBJECT_TYPE_GROUND = 5,
};

// dwID of a received record.
enum : SimDword {
    SIM_RECV_ID_NULL = 0,
    SIM_RECV_ID_EXCEPTION = 1,
    SIM_RECV_ID_OPEN = 2,
    SIM_RECV_ID_QUIT = 3,
    SIM_RECV_ID_EVENT = 4,
    SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE = 5,
    SIM_RECV_ID_SIMOBJECT_DATA = 8,
    SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE = 9,
    SIM_RECV_ID_WEATHER_OBSERVATION = 10,
};

// This program's data definitions.
enum : SimDword {
    SIM_DEF_IDENTITY = 0,   // 512 bytes
    SIM_DEF_POSITION = 1,   // 140 bytes
    SIM_DEF_AI_STATE = 2,   // 1548 bytes
    SIM_DEF_WEATHER = 3,    // 76 bytes
    SIM_DEF_CLOCK = 4,      // 8 bytes
};

// This program's client events (0 and 1 are the system-event subscriptions) and group.
enum : SimDword {
    SIM_EVENT_OBJECT_ADDED = 0,
    SIM_EVENT_OBJECT_REMOVED = 1,
    SIM_EVENT_FREEZE_LAT_LON = 2,
    SIM_EVENT_FREEZE_ALTITUDE = 3,
    SIM_EVENT_FREEZE_ATTITUDE = 4,
    SIM_EVENT_ZULU_HOURS = 5,
    SIM_EVENT_ZULU_MINUTES = 6,
    SIM_GROUP_MAIN = 0,
    SIM_GROUP_TRANSMIT = 1,   // group id given with SIM_EVENT_FLAG_GROUPID_IS_PRIORITY
};

// This program's request ids.
enum : SimDword {
    SIM_REQ_AI_CREATE = 0,
    SIM_REQ_AI_REMOVE = 1,
    SIM_REQ_IDENTITY = 2,          // definition 0, one object, once
    SIM_REQ_AIRCRAFT = 3,          // definition 1, aircraft within the radius
    SIM_REQ_HELICOPTERS = 4,       // definition 1, helicopters within the radius
    SIM_REQ_AI_STATE = 5,          // definition 2, one object, once (also AISetAircraftFlightPlan)
    SIM_REQ_OWN_METAR = 6,         // weather observation at the controller's airport
    SIM_REQ_AMBIENT = 7,           // definition 3, user object
    SIM_REQ_CLOCK = 8,             // definition 4, user object (also the liveness probe)
    SIM_REQ_STATION_METAR = 9,     // weather observation at a listed station
};

enum : SimDword { SIM_TRAFFIC_RADIUS_METERS = 300000 };

// Receive records, as the library lays them out (4-byte packing).
#pragma pack(push, 4)

struct SimRecv {
    SimDword dwSize;
    SimDword dwVersion;
    SimDword dwID;
};

struct SimRecvObjectData {   // dwID 8 (SIMOBJECT_DATA) and 9 (SIMOBJECT_DATA_BYTYPE)
    SimRecv base;
    SimDword dwRequestID;
    SimDword dwObjectID;
    SimDword dwDefineID;
    SimDword dwFlags;
    SimDword dwentrynumber;
    SimDword dwoutof;
    SimDword dwDefineCount;
    SimDword dwData;         // first word of the packed values; the record runs on past it
};

struct SimRecvEvent {        // dwID 4
    SimRecv base;
    SimDword uGroupID;
    SimDword uEventID;
    SimDword dwData;
};

struct SimRecvObjectAddRemove {   // dwID 5: dwData holds the object id
    SimRecvEvent event;
    SimDword eObjType;
};

struct SimRecvWeatherObservation {   // dwID 10
    SimRecv base;
    SimDword dwRequestID;
    char szMetar[1];         // zero-terminated, runs on past the record
};

// Packed values of the data definitions (no padding between values).
#pragma pack(push, 1)

struct SimIdentityData {   // definition 0
    char title[256];
    char type[64];
    char model[64];
    char airline[64];
    char flightNumber[64];
};

struct SimPositionData {   // definition 1
    char id[64];
    double latitude;
    double longitude;
    double altitudeFeet;
    double groundAltitudeMeters;
    double groundSpeedKnots;
    double verticalSpeedFps;
    double headingRadians;
    double bankRadians;
    double pitchRadians;
    std::int32_t transponder;   // BCO16 in the low 16 bits
};

struct SimAiStateData {    // definition 2
    std::int32_t isIfr;
    char fromAirport[256];
    char toAirport[256];
    char currentAirport[256];
    std::int32_t etdSeconds;
    std::int32_t etaSeconds;
    char state[256];
    char runway[256];
    char parking[256];
};

struct SimWeatherData {    // definition 3
    double zuluSeconds;
    std::int32_t dayOfMonth;
    double visibilityMeters;
    double temperatureC;
    double barometerMb;
    double seaLevelPressureMb;
    double windKnots;
    double windDirection;
    double precipitationMask;
    double surfaceCondition;
};

struct SimClockData {      // definition 4
    std::int32_t zuluSeconds;
    std::int32_t localSeconds;
};

#pragma pack(pop)
#pragma pack(pop)

static_assert(offsetof(SimRecv, dwID) == 8, "receive id");
static_assert(offsetof(SimRecvObjectData, dwRequestID) == 12, "request id");
static_assert(offsetof(SimRecvObjectData, dwObjectID) == 16, "object id");
static_assert(offsetof(SimRecvObjectData, dwData) == 40, "object data");
static_assert(offsetof(SimRecvEvent, uEventID) == 16, "event id");
static_assert(offsetof(SimRecvEvent, dwData) == 20, "event data");
static_assert(offsetof(SimRecvObjectAddRemove, eObjType) == 24, "object type");
static_assert(offsetof(SimRecvWeatherObservation, dwRequestID) == 12, "weather request id");
static_assert(offsetof(SimRecvWeatherObservation, szMetar) == 16, "metar text");

static_assert(sizeof(SimIdentityData) == 512 && offsetof(SimIdentityData, type) == 256 &&
              offsetof(SimIdentityData, model) == 320 && offsetof(SimIdentityData, airline) == 384 &&
              offsetof(SimIdentityData, flightNumber) == 448, "definition 0");
static_assert(sizeof(SimPositionData) == 140 && offsetof(SimPositionData, latitude) == 64 &&
              offsetof(SimPositionData, longitude) == 72 && offsetof(SimPositionData, altitudeFeet) == 80 &&
              offsetof(SimPositionData, groundAltitudeMeters) == 88 &&
              offsetof(SimPositionData, groundSpeedKnots) == 96 &&
              offsetof(SimPositionData, verticalSpeedFps) == 104 &&
              offsetof(SimPositionData, headingRadians) == 112 && offsetof(SimPositionData, bankRadians) == 120 &&
              offsetof(SimPositionData, pitchRadians) == 128 && offsetof(SimPositionData, transponder) == 136,
              "definition 1");
static_assert(sizeof(SimAiStateData) == 1548 && offsetof(SimAiStateData, fromAirport) == 4 &&
              offsetof(SimAiStateData, toAirport) == 260 && offsetof(SimAiStateData, currentAirport) == 516 &&
              offsetof(SimAiStateData, etdSeconds) == 772 && offsetof(SimAiStateData, etaSeconds) == 776 &&
              offsetof(SimAiStateData, state) == 780 && offsetof(SimAiStateData, runway) == 1036 &&
              offsetof(SimAiStateData, parking) == 1292, "definition 2");
static_assert(sizeof(SimWeatherData) == 76 && offsetof(SimWeatherData, dayOfMonth) == 8 &&
              offsetof(SimWeatherData, visibilityMeters) == 12 && offsetof(SimWeatherData, temperatureC) == 20 &&
              offsetof(SimWeatherData, barometerMb) == 28 && offsetof(SimWeatherData, seaLevelPressureMb) == 36 &&
              offsetof(SimWeatherData, windKnots) == 44 && offsetof(SimWeatherData, windDirection) == 52 &&
              offsetof(SimWeatherData, precipitationMask) == 60 &&
              offsetof(SimWeatherData, surfaceCondition) == 68, "definition 3");
static_assert(sizeof(SimClockData) == 8 && offsetof(SimClockData, localSeconds) == 4, "definition 4");

// Called by CallDispatch once for each queued record.
typedef void (*SimDispatchProc)(const SimRecv *data, SimDword size, void *context);

// The sixteen entry points; each is exported under the name in its comment.
typedef SimResult (*SimOpenFn)(SimHandle *handle, const char *clientName, void *window, SimDword userEvent,
                               void *eventHandle, SimDword configIndex);                 // SimConnect_Open
typedef SimResult (*SimCloseFn)(SimHandle handle);                                      // SimConnect_Close
typedef SimResult (*SimCallDispatchFn)(SimHandle handle, SimDispatchProc proc, void *context);
                                                                                        // SimConnect_CallDispatch
typedef SimResult (*SimAddToDataDefinitionFn)(SimHandle handle, SimDefinitionId definition, const char *datumName,
                                              const char *unitsName, SimDataType type, float epsilon,
                                              SimDword datumId);          // SimConnect_AddToDataDefinition
typedef SimResult (*SimMapClientEventToSimEventFn)(SimHandle handle, SimEventId event, const char *simEventName);
                                                                          // SimConnect_MapClientEventToSimEvent
typedef SimResult (*SimAddClientEventToNotificationGroupFn)(SimHandle handle, SimGroupId group, SimEventId event,
                                                            SimBool maskable);
                                                                  // SimConnect_AddClientEventToNotificationGroup
typedef SimResult (*SimSetNotificationGroupPriorityFn)(SimHandle handle, SimGroupId group, SimDword priority);
                                                                      // SimConnect_SetNotificationGroupPriority
typedef SimResult (*SimSubscribeToSystemEventFn)(SimHandle handle, SimEventId event, const char *systemEventName);
                                                                          // SimConnect_SubscribeToSystemEvent
typedef SimResult (*SimRequestDataOnSimObjectTypeFn)(SimHandle handle, SimRequestId request,
                                                     SimDefinitionId definition, SimDword radiusMeters,
                                                     SimObjectType type);  // SimConnect_RequestDataOnSimObjectType
typedef SimResult (*SimRequestDataOnSimObjectFn)(SimHandle handle, SimRequestId request, SimDefinitionId definition,
                                                 SimObjectId object, SimPeriod period, SimDword flags,
                                                 SimDword origin, SimDword interval, SimDword limit);
                                                                          // SimConnect_RequestDataOnSimObject
typedef SimResult (*SimWeatherRequestObservationAtStationFn)(SimHandle handle, SimRequestId request,
                                                             const char *icao);
                                                                 // SimConnect_WeatherRequestObservationAtStation
typedef SimResult (*SimTransmitClientEventFn)(SimHandle handle, SimObjectId object, SimEventId event, SimDword data,
                                              SimGroupId group, SimDword flags);
                                                                          // SimConnect_TransmitClientEvent
typedef SimResult (*SimAICreateParkedATCAircraftFn)(SimHandle handle, const char *title, const char *tailNumber,
                                                    const char *airportId, SimRequestId request);
                                                                          // SimConnect_AICreateParkedATCAircraft
typedef SimResult (*SimAICreateEnrouteATCAircraftFn)(SimHandle handle, const char *title, const char *tailNumber,
                                                     std::int32_t flightNumber, const char *flightPlanPath,
                                                     double flightPlanPosition, SimBool touchAndGo,
                                                     SimRequestId request);
                                                                          // SimConnect_AICreateEnrouteATCAircraft
typedef SimResult (*SimAISetAircraftFlightPlanFn)(SimHandle handle, SimObjectId object, const char *flightPlanPath,
                                                  SimRequestId request);  // SimConnect_AISetAircraftFlightPlan
typedef SimResult (*SimAIRemoveObjectFn)(SimHandle handle, SimObjectId object, SimRequestId request);
                                                                          // SimConnect_AIRemoveObject

// One pointer per entry point; a table in use has all sixteen set.
struct SimEntries {
    SimOpenFn SimConnect_Open;
    SimCloseFn SimConnect_Close;
    SimCallDispatchFn SimConnect_CallDispatch;
    SimAddToDataDefinitionFn SimConnect_AddToDataDefinition;
    SimMapClientEventToSimEventFn SimConnect_MapClientEventToSimEvent;
    SimAddClientEventToNotificationGroupFn SimConnect_AddClientEventToNotificationGroup;
    SimSetNotificationGroupPriorityFn SimConnect_SetNotificationGroupPriority;
    SimSubscribeToSystemEventFn SimConnect_SubscribeToSystemEvent;
    SimRequestDataOnSimObjectTypeFn SimConnect_RequestDataOnSimObjectType;
    SimRequestDataOnSimObjectFn SimConnect_RequestDataOnSimObject;
    SimWeatherRequestObservationAtStationFn SimConnect_WeatherRequestObservationAtStation;
    SimTransmitClientEventFn SimConnect_TransmitClientEvent;
    SimAICreateParkedATCAircraftFn SimConnect_AICreateParkedATCAircraft;
    SimAICreateEnrouteATCAircraftFn SimConnect_AICreateEnrouteATCAircraft;
    SimAISetAircraftFlightPlanFn SimConnect_AISetAircraftFlightPlan;
    SimAIRemoveObjectFn SimConnect_AIRemoveObject;
};

} // extern "C"
