// The traffic table with 5,000 aircraft: the callsign search and the free-record search that
// every server line goes through, served by the table's indexes, each next to the full scan
// of the records that gives the same answers.
#include "traffic/TrafficTable.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <iterator>

using namespace zaz;

namespace {

constexpr int kAircraft = 5000;
// Records freed in the middle of the table, as departures leave holes while others arrive.
constexpr int kFreedRecords[] = {1200, 2500, 3100};

QString Callsign(int n)
{
    static const char *const kAirlines[] = {"AFR", "BAW", "DLH", "EZY", "RYR", "KLM", "IBE", "SWR"};
    return QLatin1String(kAirlines[n % 8]) + QString::number(100 + n / 8 * 7 + n % 8);
}

struct Traffic {
    TrafficTable table;
    QStringList callsigns; // of every record, in index order
};

// 5,000 aircraft, all with distinct callsigns; with holes when asked.
Traffic MakeTraffic(bool withHoles)
{
    Traffic t;
    for (int i = 0; i < kAircraft; ++i) {
        const int index = t.table.AcquireRecord();
        t.callsigns << Callsign(i);
        t.table.setCallsign(index, t.callsigns.back());
    }
    if (withHoles)
        for (int index : kFreedRecords)
            t.table.setCallsign(index, QString());
    return t;
}

// Callsigns looked up in turn: spread over the table, so the scan costs its average.
QStringList PresentCallsigns(const Traffic &t)
{
    QStringList names;
    for (int i = 0; i < kAircraft; i += 97)
        names << t.callsigns[i];
    return names;
}

bool SameSearchAnswers(const Traffic &t, const QStringList &names)
{
    for (const QString &name : names)
        if (t.table.FindAircraft(name) != t.table.findAircraftByScan(name))
            return false;
    return true;
}

void BM_FindPresentIndexed(benchmark::State &state)
{
    const Traffic t = MakeTraffic(false);
    const QStringList names = PresentCallsigns(t);
    if (!SameSearchAnswers(t, names)) {
        state.SkipWithError("the index and the scan find different records");
        return;
    }
    qsizetype k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.table.FindAircraft(names[k]));
        k = (k + 1) % names.size();
    }
}
BENCHMARK(BM_FindPresentIndexed);

void BM_FindPresentScan(benchmark::State &state)
{
    const Traffic t = MakeTraffic(false);
    const QStringList names = PresentCallsigns(t);
    qsizetype k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.table.findAircraftByScan(names[k]));
        k = (k + 1) % names.size();
    }
}
BENCHMARK(BM_FindPresentScan);

// A callsign nobody has: the first position line of every new aircraft.
void BM_FindAbsentIndexed(benchmark::State &state)
{
    const Traffic t = MakeTraffic(false);
    const QString absent = QStringLiteral("NEW4242");
    if (t.table.FindAircraft(absent) != kNoAircraft || t.table.findAircraftByScan(absent) != kNoAircraft) {
        state.SkipWithError("an absent callsign was found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(t.table.FindAircraft(absent));
}
BENCHMARK(BM_FindAbsentIndexed);

void BM_FindAbsentScan(benchmark::State &state)
{
    const Traffic t = MakeTraffic(false);
    const QString absent = QStringLiteral("NEW4242");
    for (auto _ : state)
        benchmark::DoNotOptimize(t.table.findAircraftByScan(absent));
}
BENCHMARK(BM_FindAbsentScan);

// The search alone: with free records left, AcquireRecord only names the highest one.
void BM_AcquireRecordSearchIndexed(benchmark::State &state)
{
    Traffic t = MakeTraffic(true);
    if (t.table.AcquireRecord() != t.table.freeRecordByScan()) {
        state.SkipWithError("the index and the scan choose different free records");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(t.table.AcquireRecord());
    if (t.table.size() != kAircraft)
        state.SkipWithError("the table grew although free records were left");
}
BENCHMARK(BM_AcquireRecordSearchIndexed);

void BM_AcquireRecordSearchScan(benchmark::State &state)
{
    const Traffic t = MakeTraffic(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.table.freeRecordByScan());
}
BENCHMARK(BM_AcquireRecordSearchScan);

// A new aircraft takes the highest free record and a leaving one frees it again, so every
// iteration starts from the same table. The scan version does the same with the scan's
// answer; both pay for the two callsign changes.
void BM_AcquireRecordIndexed(benchmark::State &state)
{
    Traffic t = MakeTraffic(true);
    const int expected = t.table.freeRecordByScan();
    if (expected != kFreedRecords[std::size(kFreedRecords) - 1] || t.table.AcquireRecord() != expected) {
        state.SkipWithError("the index and the scan choose different free records");
        return;
    }
    const QString arriving = QStringLiteral("NEW4242");
    for (auto _ : state) {
        const int index = t.table.AcquireRecord();
        t.table.setCallsign(index, arriving);
        t.table.setCallsign(index, QString());
        benchmark::DoNotOptimize(index);
    }
    if (t.table.size() != kAircraft)
        state.SkipWithError("the table grew although free records were left");
}
BENCHMARK(BM_AcquireRecordIndexed);

void BM_AcquireRecordScan(benchmark::State &state)
{
    Traffic t = MakeTraffic(true);
    const QString arriving = QStringLiteral("NEW4242");
    for (auto _ : state) {
        const int index = t.table.freeRecordByScan();
        t.table.setCallsign(index, arriving);
        t.table.setCallsign(index, QString());
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_AcquireRecordScan);

} // namespace

BENCHMARK_MAIN();
