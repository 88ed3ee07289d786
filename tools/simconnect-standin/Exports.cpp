// The sixteen exported entry points of the stand-in library. One session at a time; the
// answers are queued as packed receive records and handed to the dispatch procedure by
// SimConnect_CallDispatch. Simulated time follows the wall clock between calls, in bounded
// steps, multiplied by ZAZ_STANDIN_SPEED when set.
#include "Engine.h"
#include "Session.h"

#include <sim/SimApi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <type_traits>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace standin {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Upper(std::string s)
{
    for (char &ch : s)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

std::string Trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// [FSX] DIR of ZAZ.ini in the working folder (relative to it when not absolute).
std::filesystem::path FolderFromSettings()
{
    std::ifstream in("ZAZ.ini");
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = Upper(Trim(line)) == "[FSX]";
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos && Upper(Trim(line.substr(0, eq))) == "DIR") {
            std::string dir = Trim(line.substr(eq + 1));
            std::replace(dir.begin(), dir.end(), '\\', '/');
            return std::filesystem::path(dir);
        }
    }
    return {};
}

double Seconds(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(t.time_since_epoch()).count();
}

} // namespace

std::filesystem::path SimulatorFolder()
{
    if (const char *env = std::getenv("ZAZ_SIM_DIR"); env && *env)
        return env;
    return FolderFromSettings();
}

bool Session::stopped() const
{
    const char *env = std::getenv("ZAZ_STANDIN_STOP");
    if (env && *env && std::strcmp(env, "0") != 0)
        return true;
    return stopFile;
}

void Session::lookForStop()
{
    std::error_code ec;
    stopFile = std::filesystem::exists(folder / "STOP", ec);
}

void Session::catchUp()
{
    const double now = Seconds(std::chrono::steady_clock::now());
    sim.advance(SimulatedSeconds(now - lastWall));
    lastWall = now;
    announce();
}

void Session::announce()
{
    std::map<uint32_t, bool> now;
    for (const Craft &c : sim.objects())
        now[c.id] = c.helicopter;
    auto send = [&](const char *name, uint32_t id, bool helicopter) {
        const auto it = subscriptions.find(name);
        if (it == subscriptions.end())
            return;
        SimRecvObjectAddRemove r{};
        r.event.base = {sizeof r, 1, SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE};
        r.event.uGroupID = SIM_UNUSED;
        r.event.uEventID = it->second;
        r.event.dwData = id;
        r.eObjType = helicopter ? SIM_OBJECT_TYPE_HELICOPTER : SIM_OBJECT_TYPE_AIRCRAFT;
        queue(&r, sizeof r);
    };
    for (const auto &[id, heli] : now)
        if (!announced.count(id))
            send("OBJECTADDED", id, heli);
    for (const auto &[id, heli] : announced)
        if (!now.count(id))
            send("OBJECTREMOVED", id, heli);
    announced = std::move(now);
}

void Session::queue(const void *record, size_t size)
{
    const auto *bytes = static_cast<const uint8_t *>(record);
    push({bytes, bytes + size});
}

void Session::push(std::vector<uint8_t> record)
{
    if (pending.size() < kMaxPending)
        pending.push_back(std::move(record));
}

Var VarOf(const std::string &name)
{
    static const std::map<std::string, Var> kVars = {
        {"ZULU TIME", Var::ZuluTime},
        {"LOCAL TIME", Var::LocalTime},
        {"ZULU DAY OF MONTH", Var::ZuluDay},
        {"AMBIENT VISIBILITY", Var::Visibility},
        {"AMBIENT TEMPERATURE", Var::Temperature},
        {"BAROMETER PRESSURE", Var::Barometer},
        {"SEA LEVEL PRESSURE", Var::SeaLevelPressure},
        {"AMBIENT WIND VELOCITY", Var::WindSpeed},
        {"AMBIENT WIND DIRECTION", Var::WindDirection},
        {"AMBIENT PRECIP STATE", Var::Precipitation},
        {"SURFACE CONDITION", Var::SurfaceCondition},
        {"TITLE", Var::Title},
        {"ZAZ TYPE", Var::AtcType},
        {"ZAZ MODEL", Var::AtcModel},
        {"ZAZ AIRLINE", Var::AtcAirline},
        {"ZAZ FLIGHT NUMBER", Var::AtcFlightNumber},
        {"ZAZ ID", Var::AtcId},
        {"PLANE LATITUDE", Var::Latitude},
        {"PLANE LONGITUDE", Var::Longitude},
        {"PLANE ALTITUDE", Var::Altitude},
        {"GROUND ALTITUDE", Var::GroundAltitude},
        {"GROUND VELOCITY", Var::GroundVelocity},
        {"VELOCITY WORLD Y", Var::VerticalSpeed},
        {"PLANE HEADING DEGREES TRUE", Var::Heading},
        {"PLANE BANK DEGREES", Var::Bank},
        {"PLANE PITCH DEGREES", Var::Pitch},
        {"TRANSPONDER CODE:1", Var::Transponder},
        {"AI TRAFFIC ISIFR", Var::IsIfr},
        {"AI TRAFFIC FROMAIRPORT", Var::FromAirport},
        {"AI TRAFFIC TOAIRPORT", Var::ToAirport},
        {"AI TRAFFIC CURRENT AIRPORT", Var::CurrentAirport},
        {"AI TRAFFIC ETD", Var::Etd},
        {"AI TRAFFIC ETA", Var::Eta},
        {"AI TRAFFIC STATE", Var::State},
        {"AI TRAFFIC ASSIGNED RUNWAY", Var::Runway},
        {"AI TRAFFIC ASSIGNED PARKING", Var::Parking},
    };
    const auto it = kVars.find(Upper(name));
    return it == kVars.end() ? Var::Unknown : it->second;
}

double SimulatedSeconds(double wallSeconds)
{
    double factor = 1.0;
    if (const char *env = std::getenv("ZAZ_STANDIN_SPEED")) {
        const double wanted = std::atof(env);
        if (wanted >= 0.01 && wanted <= 1000)
            factor = wanted;
    }
    return std::clamp(wallSeconds, 0.0, kMaxWallStep) * factor;
}

// One value of a simulation variable for an object (nullptr: the user's aircraft).
Value Session::valueOf(const Datum &d, const Craft *c) const
{
    const Clock &clock = sim.clock();
    const bool radians = d.unit == "RADIANS";
    auto angle = [&](double deg) { return Value{radians ? deg * kPi / 180.0 : deg, {}}; };
    auto weather = [&](auto field, double fallback) {
        const Station *st = sim.userStation();
        return Value{st ? double(field(*st)) : fallback, {}};
    };
    switch (d.var) {
    // Whole seconds, as the local time: rounding one and truncating the other would set
    // them a second apart.
    case Var::ZuluTime: return {double(clock.zuluTime()), {}};
    case Var::LocalTime: return {double(clock.localTime()), {}};
    case Var::ZuluDay: return {double(clock.day), {}};
    case Var::Visibility: return weather([](const Station &s) { return s.visibilityM; }, 20000.0);
    case Var::Temperature: return weather([](const Station &s) { return s.tempC; }, 15.0);
    case Var::Barometer: return weather([](const Station &s) { return s.qnh - s.elevFt / 27.0; }, 1013.25);
    case Var::SeaLevelPressure: return weather([](const Station &s) { return s.qnh; }, 1013.25);
    case Var::WindSpeed: return weather([](const Station &s) { return s.windKt; }, 0.0);
    case Var::WindDirection: return weather([](const Station &s) { return s.windDir; }, 0.0);
    case Var::Precipitation: return weather([](const Station &s) { return s.precip; }, 2.0);
    default: break;
    }
    if (!c) {
        const auto [lat, lon] = sim.userPosition();
        switch (d.var) {
        case Var::Title: return {0, "User aircraft"};
        case Var::Latitude: return {lat, {}};
        case Var::Longitude: return {lon, {}};
        default: return {};
        }
    }
    switch (d.var) {
    case Var::Title: return {0, c->title};
    case Var::AtcType: return {0, c->type};
    case Var::AtcModel: return {0, c->model};
    case Var::AtcAirline: return {0, c->airline};
    case Var::AtcFlightNumber: return {0, c->flightNumber};
    case Var::AtcId: return {0, c->callsign};
    case Var::Latitude: return {c->lat, {}};
    case Var::Longitude: return {c->lon, {}};
    case Var::Altitude: return {d.unit == "METERS" ? c->altFt / 3.28084 : c->altFt, {}};
    case Var::GroundAltitude: return {d.unit == "FEET" ? c->groundM * 3.28084 : c->groundM, {}};
    case Var::GroundVelocity: return {c->speedKt, {}};
    case Var::VerticalSpeed: return {c->verticalFps, {}};
    case Var::Heading: return angle(c->headingDeg);
    case Var::Bank: return angle(c->bankDeg);
    case Var::Pitch: return angle(c->pitchDeg);
    case Var::Transponder: return {double(c->squawk), {}};
    case Var::IsIfr: return {c->ifr ? 1.0 : 0.0, {}};
    case Var::FromAirport: return {0, c->from};
    case Var::ToAirport: return {0, c->to};
    case Var::CurrentAirport:
        return {0, c->state == "sleep" || c->state == "clearance" || c->state.rfind("taxi", 0) == 0 ? c->from : ""};
    case Var::Etd: return {double(c->etd), {}};
    case Var::Eta: return {double(sim.eta(*c)), {}};
    case Var::State: return {0, c->state};
    case Var::Runway: return {0, c->runway};
    case Var::Parking: return {0, c->parking};
    default: return {};
    }
}

size_t DatumSize(SimDword type)
{
    switch (type) {
    case SIM_DATATYPE_INT32:
    case SIM_DATATYPE_FLOAT32:
        return 4;
    case SIM_DATATYPE_INT64:
    case SIM_DATATYPE_FLOAT64:
    case SIM_DATATYPE_STRING8:
        return 8;
    case SIM_DATATYPE_STRING32:
        return 32;
    case SIM_DATATYPE_STRING64:
        return 64;
    case SIM_DATATYPE_STRING128:
        return 128;
    case SIM_DATATYPE_STRING256:
        return 256;
    default:
        return 0;
    }
}

std::vector<uint8_t> Session::pack(SimDword definition, const Craft *c) const
{
    std::vector<uint8_t> out;
    const auto it = definitions.find(definition);
    if (it == definitions.end())
        return out;
    for (const Datum &d : it->second) {
        const Value v = valueOf(d, c);
        const size_t at = out.size();
        out.resize(at + DatumSize(d.type), 0);
        uint8_t *p = out.data() + at;
        switch (d.type) {
        case SIM_DATATYPE_INT32: {
            const int32_t i = int32_t(std::lround(v.number));
            std::memcpy(p, &i, 4);
            break;
        }
        case SIM_DATATYPE_INT64: {
            const int64_t i = std::llround(v.number);
            std::memcpy(p, &i, 8);
            break;
        }
        case SIM_DATATYPE_FLOAT32: {
            const float f = float(v.number);
            std::memcpy(p, &f, 4);
            break;
        }
        case SIM_DATATYPE_FLOAT64:
            std::memcpy(p, &v.number, 8);
            break;
        default: // strings: zero-terminated, cut to fit
            std::memcpy(p, v.text.data(), std::min(v.text.size(), DatumSize(d.type) - 1));
        }
    }
    return out;
}

void Session::queueData(SimDword recvId, SimDword request, SimDword definition, uint32_t object,
                        const Craft *c, SimDword entry, SimDword outOf)
{
    const std::vector<uint8_t> data = pack(definition, c);
    SimRecvObjectData head{};
    const size_t size = offsetof(SimRecvObjectData, dwData) + std::max<size_t>(data.size(), 4);
    head.base = {SimDword(size), 1, recvId};
    head.dwRequestID = request;
    head.dwObjectID = object;
    head.dwDefineID = definition;
    head.dwentrynumber = entry;
    head.dwoutof = outOf;
    head.dwDefineCount = SimDword(definitions[definition].size());
    std::vector<uint8_t> record(size, 0);
    std::memcpy(record.data(), &head, offsetof(SimRecvObjectData, dwData));
    std::memcpy(record.data() + offsetof(SimRecvObjectData, dwData), data.data(), data.size());
    push(std::move(record));
}

std::unique_ptr<Session> g_session;

Session *Live(SimHandle handle)
{
    Session *s = g_session.get();
    if (!s || handle != s || s->stopped())
        return nullptr;
    return s;
}

} // namespace standin

using standin::Live;
using standin::Session;

STANDIN_EXPORT SimResult SimConnect_Open(SimHandle *handle, const char *, void *, SimDword, void *, SimDword)
{
    if (!handle)
        return SIM_FAIL;
    *handle = nullptr;
    auto session = std::make_unique<Session>();
    session->folder = standin::SimulatorFolder();
    session->lookForStop();
    std::string error;
    if (session->folder.empty() || session->stopped() || !session->sim.load(session->folder, error))
        return SIM_FAIL;
    if (const char *extra = std::getenv("ZAZ_STANDIN_EXTRA"))
        session->sim.spawnExtra(size_t(std::clamp(std::atol(extra), 0L, long(standin::kMaxObjects))));
    session->lastWall = standin::Seconds(std::chrono::steady_clock::now());
    for (const standin::Craft &c : session->sim.objects())
        session->announced[c.id] = c.helicopter;
    SimRecv open{sizeof(SimRecv), 1, SIM_RECV_ID_OPEN};
    session->queue(&open, sizeof open);
    standin::g_session = std::move(session);
    *handle = standin::g_session.get();
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_Close(SimHandle handle)
{
    if (!standin::g_session || handle != standin::g_session.get())
        return SIM_FAIL;
    standin::g_session.reset();
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_CallDispatch(SimHandle handle, SimDispatchProc proc, void *context)
{
    if (standin::g_session && handle == standin::g_session.get())
        standin::g_session->lookForStop();
    Session *s = Live(handle);
    if (!s || !proc)
        return SIM_FAIL;
    s->catchUp();
    // Requests made from inside the procedure are answered by the next dispatch.
    std::vector<std::vector<uint8_t>> batch;
    batch.swap(s->pending);
    for (const auto &record : batch)
        proc(reinterpret_cast<const SimRecv *>(record.data()), SimDword(record.size()), context);
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_AddToDataDefinition(SimHandle handle, SimDefinitionId definition,
                                                        const char *datumName, const char *unitsName,
                                                        SimDataType type, float, SimDword)
{
    Session *s = Live(handle);
    if (!s || !datumName || standin::DatumSize(type) == 0)
        return SIM_FAIL;
    auto &data = s->definitions[definition];
    if (data.size() >= 64)
        return SIM_FAIL;
    data.push_back({standin::VarOf(datumName), standin::Upper(unitsName ? unitsName : ""), type});
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_MapClientEventToSimEvent(SimHandle handle, SimEventId event,
                                                             const char *simEventName)
{
    Session *s = Live(handle);
    if (!s || !simEventName)
        return SIM_FAIL;
    s->clientEvents[event] = standin::Upper(simEventName);
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_AddClientEventToNotificationGroup(SimHandle handle, SimGroupId,
                                                                      SimEventId event, SimBool)
{
    Session *s = Live(handle);
    return s && s->clientEvents.count(event) ? SIM_OK : SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_SetNotificationGroupPriority(SimHandle handle, SimGroupId, SimDword)
{
    return Live(handle) ? SIM_OK : SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_SubscribeToSystemEvent(SimHandle handle, SimEventId event,
                                                           const char *systemEventName)
{
    Session *s = Live(handle);
    if (!s || !systemEventName)
        return SIM_FAIL;
    const std::string name = standin::Upper(systemEventName);
    if (name != "OBJECTADDED" && name != "OBJECTREMOVED")
        return SIM_FAIL;
    s->subscriptions[name] = event;
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_RequestDataOnSimObjectType(SimHandle handle, SimRequestId request,
                                                               SimDefinitionId definition, SimDword radius,
                                                               SimObjectType type)
{
    if (standin::g_session && handle == standin::g_session.get() && type == SIM_OBJECT_TYPE_USER)
        standin::g_session->lookForStop();
    Session *s = Live(handle);
    if (!s || !s->definitions.count(definition))
        return SIM_FAIL;
    s->catchUp();
    if (type == SIM_OBJECT_TYPE_USER) {
        s->queueData(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, request, definition, Session::kUserObject, nullptr, 1, 1);
        return SIM_OK;
    }
    std::vector<const standin::Craft *> found;
    const auto [userLat, userLon] = s->sim.userPosition();
    for (const standin::Craft &c : s->sim.objects()) {
        const bool wanted = type == SIM_OBJECT_TYPE_ALL || (type == SIM_OBJECT_TYPE_HELICOPTER) == c.helicopter;
        if (wanted && (type == SIM_OBJECT_TYPE_AIRCRAFT || type == SIM_OBJECT_TYPE_HELICOPTER
                       || type == SIM_OBJECT_TYPE_ALL)
            && standin::DistanceNm(userLat, userLon, c.lat, c.lon) * 1852.0 <= radius)
            found.push_back(&c);
    }
    for (size_t i = 0; i < found.size(); ++i)
        s->queueData(SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, request, definition, found[i]->id, found[i],
                     SimDword(i + 1), SimDword(found.size()));
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_RequestDataOnSimObject(SimHandle handle, SimRequestId request,
                                                           SimDefinitionId definition, SimObjectId object,
                                                           SimPeriod period, SimDword, SimDword, SimDword,
                                                           SimDword)
{
    Session *s = Live(handle);
    if (!s || !s->definitions.count(definition))
        return SIM_FAIL;
    const standin::Craft *c = nullptr;
    if (object != SIM_OBJECT_ID_USER && object != Session::kUserObject) {
        c = s->sim.find(object);
        if (!c)
            return SIM_FAIL;
    }
    // Every period but "never" answers once: the program only asks for single answers.
    if (period != SIM_PERIOD_NEVER)
        s->queueData(SIM_RECV_ID_SIMOBJECT_DATA, request, definition, object, c, 1, 1);
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_WeatherRequestObservationAtStation(SimHandle handle, SimRequestId request,
                                                                       const char *icao)
{
    Session *s = Live(handle);
    if (!s || !icao)
        return SIM_FAIL;
    const std::string metar = s->sim.metar(icao);
    std::vector<uint8_t> record(offsetof(SimRecvWeatherObservation, szMetar) + metar.size() + 1, 0);
    SimRecvWeatherObservation head{};
    head.base = {SimDword(record.size()), 1, SIM_RECV_ID_WEATHER_OBSERVATION};
    head.dwRequestID = request;
    std::memcpy(record.data(), &head, offsetof(SimRecvWeatherObservation, szMetar));
    std::memcpy(record.data() + offsetof(SimRecvWeatherObservation, szMetar), metar.c_str(), metar.size());
    s->push(std::move(record));
    return SIM_OK;
}

STANDIN_EXPORT SimResult SimConnect_TransmitClientEvent(SimHandle handle, SimObjectId object, SimEventId event,
                                                        SimDword data, SimGroupId, SimDword)
{
    Session *s = Live(handle);
    if (!s || !s->clientEvents.count(event))
        return SIM_FAIL;
    const std::string &name = s->clientEvents[event];
    if (name == "ZULU_HOURS_SET") {
        s->sim.setZuluHours(int(data));
        return SIM_OK;
    }
    if (name == "ZULU_MINUTES_SET") {
        s->sim.setZuluMinutes(int(data));
        return SIM_OK;
    }
    if (name.rfind("FREEZE_", 0) == 0)
        return s->sim.freeze(object, data != 0) ? SIM_OK : SIM_FAIL;
    return SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_AICreateParkedATCAircraft(SimHandle handle, const char *title,
                                                              const char *tailNumber, const char *airportId,
                                                              SimRequestId)
{
    Session *s = Live(handle);
    if (!s || !title || !tailNumber || !airportId)
        return SIM_FAIL;
    return s->sim.createParked(title, tailNumber, airportId) ? SIM_OK : SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_AICreateEnrouteATCAircraft(SimHandle handle, const char *title,
                                                               const char *tailNumber, std::int32_t flightNumber,
                                                               const char *flightPlanPath, double position,
                                                               SimBool touchAndGo, SimRequestId)
{
    Session *s = Live(handle);
    if (!s || !title || !tailNumber || !flightPlanPath)
        return SIM_FAIL;
    return s->sim.createEnroute(title, tailNumber, flightNumber, s->sim.planPath(flightPlanPath), position,
                                touchAndGo != 0)
        ? SIM_OK
        : SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_AISetAircraftFlightPlan(SimHandle handle, SimObjectId object,
                                                            const char *flightPlanPath, SimRequestId)
{
    Session *s = Live(handle);
    if (!s || !flightPlanPath)
        return SIM_FAIL;
    return s->sim.assignPlan(object, s->sim.planPath(flightPlanPath)) ? SIM_OK : SIM_FAIL;
}

STANDIN_EXPORT SimResult SimConnect_AIRemoveObject(SimHandle handle, SimObjectId object, SimRequestId)
{
    Session *s = Live(handle);
    return s && s->sim.remove(object) ? SIM_OK : SIM_FAIL;
}

// The exports must keep the exact types of the program's entry table.
static_assert(std::is_same_v<decltype(&SimConnect_Open), SimOpenFn>);
static_assert(std::is_same_v<decltype(&SimConnect_Close), SimCloseFn>);
static_assert(std::is_same_v<decltype(&SimConnect_CallDispatch), SimCallDispatchFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AddToDataDefinition), SimAddToDataDefinitionFn>);
static_assert(std::is_same_v<decltype(&SimConnect_MapClientEventToSimEvent), SimMapClientEventToSimEventFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AddClientEventToNotificationGroup),
                             SimAddClientEventToNotificationGroupFn>);
static_assert(std::is_same_v<decltype(&SimConnect_SetNotificationGroupPriority),
                             SimSetNotificationGroupPriorityFn>);
static_assert(std::is_same_v<decltype(&SimConnect_SubscribeToSystemEvent), SimSubscribeToSystemEventFn>);
static_assert(std::is_same_v<decltype(&SimConnect_RequestDataOnSimObjectType), SimRequestDataOnSimObjectTypeFn>);
static_assert(std::is_same_v<decltype(&SimConnect_RequestDataOnSimObject), SimRequestDataOnSimObjectFn>);
static_assert(std::is_same_v<decltype(&SimConnect_WeatherRequestObservationAtStation),
                             SimWeatherRequestObservationAtStationFn>);
static_assert(std::is_same_v<decltype(&SimConnect_TransmitClientEvent), SimTransmitClientEventFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AICreateParkedATCAircraft), SimAICreateParkedATCAircraftFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AICreateEnrouteATCAircraft), SimAICreateEnrouteATCAircraftFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AISetAircraftFlightPlan), SimAISetAircraftFlightPlanFn>);
static_assert(std::is_same_v<decltype(&SimConnect_AIRemoveObject), SimAIRemoveObjectFn>);
