#include "sim/SimDispatch.h"

#include "core/Codec.h"
#include "core/Text.h"
#include "sim/SimApi.h"
#include "traffic/Routes.h"
#include "traffic/TrafficOps.h"
#include "weather/Metar.h"
#include "weather/Stations.h"

#include <cstring>
#include <limits>
#include <type_traits>

namespace zaz {

namespace {

// The received bytes: every read names its offset and width and fails when they do not lie
// within the record.
class ReceivedBytes {
public:
    ReceivedBytes(const void *data, std::size_t size)
        : bytes_(static_cast<const unsigned char *>(data)), size_(data ? size : 0)
    {
    }

    bool covers(std::size_t offset, std::size_t length) const
    {
        return offset <= size_ && length <= size_ - offset;
    }

    template <typename T>
    bool read(std::size_t offset, T &value) const
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!covers(offset, sizeof(T)))
            return false;
        std::memcpy(&value, bytes_ + offset, sizeof(T));
        return true;
    }

    // A zero-terminated text from offset; false when no zero follows within the record.
    bool terminatedText(std::size_t offset, QString &text) const
    {
        if (!covers(offset, 0))
            return false;
        const void *zero = std::memchr(bytes_ + offset, 0, size_ - offset);
        if (!zero)
            return false;
        const auto *start = reinterpret_cast<const char *>(bytes_ + offset);
        text = DecodeCp1252(start, static_cast<const char *>(zero) - start);
        return true;
    }

private:
    const unsigned char *bytes_;
    std::size_t size_;
};

// A fixed-width text field: up to its first zero, never past its width.
template <std::size_t N>
QString FieldText(const char (&field)[N])
{
    const void *zero = std::memchr(field, 0, N);
    const qsizetype length = zero ? static_cast<const char *>(zero) - field : qsizetype(N);
    return DecodeCp1252(field, length);
}

std::uint32_t LowByte(std::uint32_t value)
{
    return value & 0xFFu;
}

constexpr std::size_t kDataOffset = offsetof(SimRecvObjectData, dwData);

// The record in use that belongs to this simulator object (the highest when several do).
int FindByObject(const TrafficTable &table, std::uint32_t objectId)
{
    if (objectId == 0)
        return kNoAircraft;
    int found = kNoAircraft;
    for (int i = 0; i < table.size(); ++i)
        if (table.inUse(i) && std::uint32_t(table[i].objectId) == objectId)
            found = i;
    return found;
}

// The transponder's BCO16 word as four digits: each nibble is one octal digit of the code.
QString SquawkText(std::int32_t transponder)
{
    return QStringLiteral("%1").arg(std::uint32_t(transponder) & 0xFFFFu, 4, 16, QLatin1Char('0')).toUpper();
}

// "Z " + hours + ":" + minutes of a time of day in seconds, without leading zeros.
QString ClockText(std::int32_t seconds)
{
    return QStringLiteral("Z %1:%2").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

void ApplyMovement(AVION &a, const SimPositionData &p, bool aircraft)
{
    a.lat = static_cast<float>(p.latitude);
    a.lon = static_cast<float>(p.longitude);
    a.altitude = RoundHalfEven(p.altitudeFeet);
    a.groundSpeed = RoundHalfEven(p.groundSpeedKnots);
    if (aircraft) // helicopters report no usable heading
        a.heading = p.headingRadians;
    a.squawk = SquawkText(p.transponder);
}

void CreateFromSim(const SimGroups &g, int index, std::uint32_t objectId, const QString &callsign,
                   const SimPositionData &p, bool aircraft, const QDateTime &now, SimDispatchOutput &out)
{
    TrafficTable &table = g.traffic.table;
    AVION &a = table.edit(index);
    a.objectId = static_cast<std::int32_t>(objectId);
    table.setCallsign(index, callsign);
    if (aircraft) {
        a.frozen = false;
        a.hasFlightPlan = false;
        a.createdHere = callsign == g.sim.pendingAiCallsign;
        if (a.createdHere && g.sim.typedRouteWaiting) {
            a.route = JoinWaypoints(g.planFiles.PlanWaypointList);
            a.routeFields = SplitText(QStringLiteral("/"), a.route);
            a.routePoints = BuildRoute(g.sector, a.routeFields, int(a.routeFields.size()) - 1);
            a.hasFlightPlan = true;
            g.sim.typedRouteWaiting = false;
        }
    }
    ApplyMovement(a, p, aircraft);
    a.trail.fill({a.lat, a.lon});
    a.flightListMark = false;
    a.commandPending = false;
    a.handoffFrom.clear();
    a.handoffState.clear();
    a.simSeen = now;
    g.traffic.LiveTrafficList.append(QString::number(index));
    out.requests.append({SIM_REQ_IDENTITY, SIM_DEF_IDENTITY, objectId});
}

void ApplyPosition(const SimGroups &g, std::uint32_t objectId, const SimPositionData &p, bool aircraft,
                   const QDateTime &now, SimDispatchOutput &out)
{
    const QString callsign = FieldText(p.id);
    // An object without an identity cannot be told apart from a free record.
    if (callsign.isEmpty())
        return;
    TrafficState &traffic = g.traffic;
    TrafficTable &table = traffic.table;
    out.trafficChanged = true;
    int index = table.FindAircraft(callsign);
    if (index != kNoAircraft) {
        AVION &a = table.edit(index);
        for (int k = kTrailLength - 2; k >= 0; --k)
            a.trail[k + 1] = a.trail[k];
        a.trail[0] = {a.lat, a.lon};
        a.prevAltitude = a.altitude;
        ApplyMovement(a, p, aircraft);
        a.simSeen = now;
        // Two objects with one identity share the record: only the first one is asked.
        if (a.objectId != 0)
            out.requests.append({SIM_REQ_AI_STATE, SIM_DEF_AI_STATE, std::uint32_t(a.objectId)});
        return;
    }
    const bool wasEmpty = table.isEmpty();
    const int sizeBefore = table.size();
    index = table.AcquireRecord();
    if (index == kNoAircraft) {
        ++traffic.refusedAircraft;
        return;
    }
    if (aircraft && !wasEmpty && index == sizeBefore)
        traffic.monitorLog.append(QStringLiteral("pas dans la liste nouvel élément, %1, %2").arg(objectId).arg(callsign));
    CreateFromSim(g, index, objectId, callsign, p, aircraft, now, out);
}

void ApplyIdentity(const SimGroups &g, std::uint32_t objectId, const SimIdentityData &d)
{
    const int index = FindByObject(g.traffic.table, objectId);
    if (index != kNoAircraft)
        g.traffic.table.edit(index).acType = FieldText(d.model);
}

void ApplyAiState(const SimGroups &g, std::uint32_t objectId, const SimAiStateData &d)
{
    const int index = FindByObject(g.traffic.table, objectId);
    if (index == kNoAircraft)
        return;
    AVION &a = g.traffic.table.edit(index);
    // A server aircraft keeps what the server says of it.
    if (a.fromServer)
        return;
    a.ifr = d.isIfr == 1;
    a.departure = FieldText(d.fromAirport);
    a.destination = FieldText(d.toAirport);
    a.aiState = FieldText(d.state);
    if (a.aiState == QLatin1String("sleep"))
        a.hasFlightPlan = false;
    else if (a.aiState == QLatin1String("clearance"))
        a.hasFlightPlan = true;
    a.aiRunway = FieldText(d.runway);
    a.aiParking = FieldText(d.parking);
    a.aiEtd = d.etdSeconds;
    a.aiEta = d.etaSeconds;
}

void ApplyRemoval(const SimGroups &g, const SimRecvObjectAddRemove &r, SimDispatchOutput &out)
{
    if (LowByte(r.event.uEventID) != SIM_EVENT_OBJECT_REMOVED)
        return;
    const std::uint32_t type = LowByte(r.eObjType);
    if (type != SIM_OBJECT_TYPE_AIRCRAFT && type != SIM_OBJECT_TYPE_HELICOPTER)
        return;
    const int index = FindByObject(g.traffic.table, r.event.dwData);
    if (index == kNoAircraft)
        return;
    g.traffic.table.edit(index).objectId = 0;
    RemoveAircraft(g.traffic, index);
    out.trafficChanged = true;
}

void ApplyAmbientWeather(const SimGroups &g, const SimWeatherData &d, SimDispatchOutput &out)
{
    WeatherState &weather = g.weather;
    t_weather &w = weather.CurrentWeather;
    const int ownAltitude = g.ownAltitude;
    const QString altitude = IntToStr(ownAltitude);
    const auto rounded = [](double value) { return IntToStr(RoundHalfEven(value)); };
    w.station = g.ownStation;
    w.elevation = static_cast<qint16>(qBound(int(std::numeric_limits<qint16>::min()), ownAltitude,
                                             int(std::numeric_limits<qint16>::max())));
    // Day of month, then whole minutes since midnight.
    w.time = IntToStr(d.dayOfMonth) + rounded(d.zuluSeconds / 60.0) + QLatin1Char('Z');
    w.wind.altitude = altitude;
    w.wind.direction = rounded(d.windDirection);
    w.wind.speed = rounded(d.windKnots);
    w.wind.unit = QStringLiteral("kts");
    w.visibilities = {t_visibility{rounded(d.visibilityMeters) + QLatin1Char('m'), altitude, QString()}};
    switch (RoundHalfEven(d.precipitationMask)) {
    case 2:
        w.condition.phenomenon.clear();
        break;
    case 4:
        w.condition.phenomenon = QStringLiteral("rain");
        break;
    case 8:
        w.condition.phenomenon = QStringLiteral("snow");
        break;
    default:
        break;
    }
    w.temperatures = {t_temperature{rounded(d.temperatureC), QString(), altitude}};
    const int qnh = RoundHalfEven(d.seaLevelPressureMb);
    w.pressureText = IntToStr(qnh) + QStringLiteral("hPa");
    weather.qnhText = w.pressureText;
    weather.altimeterText = FormatFixed(qnh / 33.86, 2);
    out.weatherChanged = true;
}

void MarkStationChecked(StationsState &stations, const QString &code, bool checked)
{
    for (StationCheck &entry : stations.checkList) {
        if (entry.code == code) {
            entry.checked = entry.checked || checked;
            return;
        }
    }
    stations.checkList.append({code, checked});
}

void ApplyStationMetar(const SimGroups &g, const QString &metar, const QDateTime &now, SimDispatchOutput &out)
{
    const QString code = metar.left(4);
    const int index = FindStation(g.sector, code);
    if (index < 0)
        return;
    WeatherState &weather = g.weather;
    Airport &a = g.sector.tables.airports[index];
    a.realMetarReceived = 0;
    a.simMetarReceived = 1;
    a.metar = metar;
    a.windGroup = WindGroup(metar);
    a.dateLine = now.date().toString(QStringLiteral("dd/MM/yyyy"));
    if (weather.stations.publish) {
        out.published.append(PublishedMetar(metar, true));
        a.sent = 1;
    }
    MarkStationChecked(weather.stations, code, weather.stations.publish);
    if (code == weather.CurrentWeather.station)
        ApplyOwnSimMetar(weather, metar);
    out.weatherChanged = true;
}

void ApplyObservation(const SimGroups &g, std::uint32_t request, const QString &received, const QDateTime &now,
                      SimDispatchOutput &out)
{
    const QString metar = TrimText(received);
    g.sim.lastSimMetar = metar;
    if (request == SIM_REQ_OWN_METAR) {
        if (metar.isEmpty())
            out.requests.append({SIM_REQ_AMBIENT, SIM_DEF_WEATHER, SIM_OBJECT_ID_USER});
        else
            ApplyOwnSimMetar(g.weather, metar);
        out.weatherChanged = true;
    } else if (!metar.isEmpty()) {
        ApplyStationMetar(g, metar, now, out);
    }
}

void DispatchObjectData(const SimGroups &g, const ReceivedBytes &in, std::uint32_t request, std::uint32_t objectId)
{
    if (request == SIM_REQ_IDENTITY) {
        SimIdentityData d;
        if (in.read(kDataOffset, d))
            ApplyIdentity(g, objectId, d);
    } else if (request == SIM_REQ_AI_STATE) {
        SimAiStateData d;
        if (in.read(kDataOffset, d))
            ApplyAiState(g, objectId, d);
    }
}

void DispatchByType(const SimGroups &g, const ReceivedBytes &in, std::uint32_t request, std::uint32_t objectId,
                    const QDateTime &now, SimDispatchOutput &out)
{
    switch (request) {
    case SIM_REQ_AIRCRAFT:
    case SIM_REQ_HELICOPTERS: {
        SimPositionData d;
        if (objectId != 0 && in.read(kDataOffset, d))
            ApplyPosition(g, objectId, d, request == SIM_REQ_AIRCRAFT, now, out);
        break;
    }
    case SIM_REQ_AMBIENT: {
        SimWeatherData d;
        if (in.read(kDataOffset, d))
            ApplyAmbientWeather(g, d, out);
        break;
    }
    case SIM_REQ_CLOCK: {
        SimClockData d;
        if (in.read(kDataOffset, d)) {
            g.sim.zuluSeconds = d.zuluSeconds;
            g.sim.localSeconds = d.localSeconds;
            g.sim.zuluTime = ClockText(d.zuluSeconds);
            g.sim.localTime = ClockText(d.localSeconds).mid(1);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace

void ApplyOwnSimMetar(WeatherState &weather, const QString &metar)
{
    // The current weather of the simulator holds its raw METAR; the plain text is compared.
    WeatherState scratch;
    weather.previousMetar = NormalizeSimMetar(scratch, weather.rawMetar);
    weather.CurrentWeather.metar = metar;
    weather.rawMetar = metar;
    const QString plain = NormalizeSimMetar(weather, metar);
    DecodeSimMetar(weather, metar);
    if (plain != weather.previousMetar)
        weather.newMetar = true;
}

void SimDispatch(const SimGroups &groups, const void *data, std::size_t size, const QDateTime &now,
                 SimDispatchOutput &out)
{
    const ReceivedBytes in(data, size);
    std::uint32_t id = 0;
    if (!in.read(offsetof(SimRecv, dwID), id))
        return;
    switch (LowByte(id)) {
    case SIM_RECV_ID_EVENT_OBJECT_ADDREMOVE: {
        SimRecvObjectAddRemove r;
        if (in.read(0, r))
            ApplyRemoval(groups, r, out);
        break;
    }
    case SIM_RECV_ID_SIMOBJECT_DATA:
    case SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE: {
        std::uint32_t request = 0, objectId = 0;
        if (!in.read(offsetof(SimRecvObjectData, dwRequestID), request) ||
            !in.read(offsetof(SimRecvObjectData, dwObjectID), objectId))
            return;
        if (LowByte(id) == SIM_RECV_ID_SIMOBJECT_DATA)
            DispatchObjectData(groups, in, LowByte(request), objectId);
        else
            DispatchByType(groups, in, LowByte(request), objectId, now, out);
        break;
    }
    case SIM_RECV_ID_WEATHER_OBSERVATION: {
        std::uint32_t request = 0;
        QString metar;
        if (!in.read(offsetof(SimRecvWeatherObservation, dwRequestID), request) ||
            !in.terminatedText(offsetof(SimRecvWeatherObservation, szMetar), metar))
            return;
        request = LowByte(request);
        if (request == SIM_REQ_OWN_METAR || request == SIM_REQ_STATION_METAR)
            ApplyObservation(groups, request, metar, now, out);
        break;
    }
    default:
        break;
    }
}

} // namespace zaz
