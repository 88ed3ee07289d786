// Feeds arbitrary records to the simulator dispatch, as the simulator's client library hands
// them over, on a model that lives on from one input to the next (as the program's does over
// a session). Checks that nothing crashes or reads past a record (each record is copied into
// a buffer of exactly its size), and that the traffic table and what names its records keep
// their invariants: never more than kMaxAircraft records, the callsign search agreeing with
// the records, the live list naming each record in use once, the texts no longer than the
// fields they came from, and every follow-up request naming a real object.
//
// Input layout:
//   byte 0  options: bit 0 start again from an empty model; bit 1 the station METARs are
//           published; bit 2 an AI aircraft "NEW1" is being created with a typed route.
//   rest    records, each a 16-bit little-endian length then that many bytes (the last
//           one cut at the end of the input).
#include "sim/SimApi.h"
#include "sim/SimDispatch.h"
#include "state/RadarState.h"

#include <QSet>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using namespace zaz;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

constexpr std::size_t kMaxInput = 64 * 1024;

struct Model : RadarState {

    Model()
    {
        for (const char *code : {"LFLL", "LFPG", "LFLY"}) {
            Airport airport;
            airport.identifier = QString::fromLatin1(code);
            sector.tables.airports.append(airport);
        }
        link.WeatherStation = QStringLiteral("LFLL");
        link.OwnAltitude = 821;
        weather.CurrentWeather.station = link.WeatherStation;
        planFiles.PlanWaypointList = {QStringLiteral("LFLL"), QStringLiteral("MTL"), QStringLiteral("LSE"),
                                  QStringLiteral("LFPG")};
    }
};

// After each record: the table within its bound, and each follow-up request naming the user
// object (ambient weather) or an object of a record in use.
void CheckRecord(const Model &m, const SimDispatchOutput &out)
{
    const TrafficTable &table = m.traffic.table;
    Check(table.size() <= kMaxAircraft);
    for (const SimFollowUp &request : out.requests) {
        if (request.request == SIM_REQ_AMBIENT) {
            Check(request.definition == SIM_DEF_WEATHER && request.objectId == SIM_OBJECT_ID_USER);
            continue;
        }
        bool named = false;
        for (int i = 0; i < table.size() && !named; ++i)
            named = table.inUse(i) && std::uint32_t(table[i].objectId) == request.objectId;
        Check(request.objectId != 0 && named);
    }
    Check(out.published.size() <= 1);
}

// After each input: the records, the live list and the selection.
void CheckModel(const Model &m)
{
    const TrafficTable &table = m.traffic.table;
    int inUse = 0;
    for (int i = 0; i < table.size(); ++i) {
        const AVION &a = table[i];
        if (a.callsign.isEmpty())
            continue;
        ++inUse;
        const int found = table.FindAircraft(a.callsign);
        Check(found >= i && table[found].callsign == a.callsign);
        Check(a.objectId != 0 && a.callsign.size() <= 64 && a.acType.size() <= 64 && a.squawk.size() == 4);
        Check(a.aiState.size() <= kAiTextSize && a.aiRunway.size() <= kAiTextSize &&
              a.aiParking.size() <= kAiTextSize && a.departure.size() <= kAiTextSize);
    }
    QSet<QString> live;
    for (const QString &entry : m.traffic.LiveTrafficList) {
        Check(!live.contains(entry));
        live.insert(entry);
        bool ok = false;
        Check(table.inUse(entry.toInt(&ok)) && ok);
    }
    Check(live.size() == inUse);
    Check(m.traffic.SelectedAircraft == kNoAircraft || table.inUse(m.traffic.SelectedAircraft));
    Check(m.weather.stations.checkList.size() <= m.sector.tables.airports.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1 || size > kMaxInput)
        return 0;
    static auto model = std::make_unique<Model>();
    const std::uint8_t options = data[0];
    if (options & 1)
        model = std::make_unique<Model>();
    model->weather.stations.publish = (options & 2) != 0;
    if (options & 4) {
        model->sim.pendingAiCallsign = QStringLiteral("NEW1");
        model->sim.typedRouteWaiting = true;
    }
    const QDateTime now(QDate(2026, 12, 7), QTime(12, 0, 0));
    std::size_t at = 1;
    while (at + 2 <= size) {
        const std::size_t length = std::min<std::size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
        at += 2;
        // Exactly the record's bytes: a read past them is a heap overflow.
        const std::vector<std::uint8_t> record(data + at, data + at + length);
        at += length;
        SimDispatchOutput out;
        SimDispatch(SimGroupsOf(*model), record.data(), record.size(), now, out);
        CheckRecord(*model, out);
    }
    CheckModel(*model);
    return 0;
}
