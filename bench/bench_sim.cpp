// One poll of the simulator with 500 aircraft around: the 500 position records it answers,
// each handed to the dispatch as the client library does. Steady state (every aircraft
// known, its record moved and its AI state asked again) and the first poll (every aircraft
// new, its record created).
#include "sim/SimApi.h"
#include "sim/SimDispatch.h"
#include "state/RadarState.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace zaz;

namespace {

constexpr int kAircraft = 500;

// The position records of one poll, laid out as the library sends them: the header, then
// the packed values of the position definition.
std::vector<QByteArray> PollRecords()
{
    std::vector<QByteArray> records;
    for (int n = 0; n < kAircraft; ++n) {
        SimRecvObjectData head{};
        head.base = {SimDword(offsetof(SimRecvObjectData, dwData) + sizeof(SimPositionData)), 1,
                     SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE};
        head.dwRequestID = SIM_REQ_AIRCRAFT;
        head.dwObjectID = SimDword(100 + n);
        head.dwDefineID = SIM_DEF_POSITION;
        head.dwentrynumber = SimDword(n + 1);
        head.dwoutof = kAircraft;
        SimPositionData p{};
        const QByteArray id = "AFR" + QByteArray::number(1000 + n);
        std::memcpy(p.id, id.constData(), id.size());
        p.latitude = 44.0 + n * 0.004;
        p.longitude = 4.0 + n * 0.006;
        p.altitudeFeet = 3000 + n * 70;
        p.groundSpeedKnots = 180 + n % 300;
        p.headingRadians = n * 0.0125;
        p.transponder = 0x1000 + n;
        records.push_back(QByteArray(reinterpret_cast<const char *>(&head), offsetof(SimRecvObjectData, dwData)) +
                          QByteArray(reinterpret_cast<const char *>(&p), sizeof p));
    }
    return records;
}

// The state the answers are applied to.
using Model = RadarState;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 0, 0));

// Dispatches one poll; the follow-up requests it asks for.
qsizetype Poll(Model &m, const std::vector<QByteArray> &records)
{
    SimDispatchOutput out;
    for (const QByteArray &record : records)
        SimDispatch(SimGroupsOf(m), record.constData(), std::size_t(record.size()), kNow, out);
    return out.requests.size();
}

void BM_SimPollKnownAircraft(benchmark::State &state)
{
    const std::vector<QByteArray> records = PollRecords();
    Model m;
    Poll(m, records);
    if (m.traffic.table.size() != kAircraft) {
        state.SkipWithError("the first poll did not create every aircraft");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(Poll(m, records));
    state.SetItemsProcessed(state.iterations() * kAircraft);
}
BENCHMARK(BM_SimPollKnownAircraft)->Unit(benchmark::kMicrosecond);

void BM_SimPollNewAircraft(benchmark::State &state)
{
    const std::vector<QByteArray> records = PollRecords();
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<Model>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(Poll(*m, records));
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kAircraft);
}
BENCHMARK(BM_SimPollNewAircraft)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
