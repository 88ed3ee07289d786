// The incoming line dispatcher on server traffic: 1,000,000 position lines over 2,000
// aircraft fed as 64 KiB socket reads, one tick per read, and the cost of one tick that
// handles 1,000 position lines of known aircraft (the scope's redraw is not part of it).
#include "core/Clock.h"
#include "state/RadarState.h"
#include "link/Dispatcher.h"

#include <QByteArray>
#include <QList>
#include <benchmark/benchmark.h>

using namespace zaz;

namespace {

constexpr int kAircraft = 2000;
constexpr int kLines = 1000000;
constexpr int kTickLines = 1000;
constexpr qsizetype kReadSize = 64 * 1024;

// Counts what the dispatcher sends without keeping it.
struct CountingSender : LineSender {
    void SendLine(const QString &text) override
    {
        ++lines;
        bytes += text.size();
    }
    long long lines = 0;
    long long bytes = 0;
};

QByteArray Callsign(int n)
{
    static const char *const kAirlines[] = {"AFR", "BAW", "DLH", "EZY", "RYR", "KLM", "IBE", "SWR"};
    return QByteArray(kAirlines[n % 8]) + QByteArray::number(100 + n / 8 * 7 + n % 8);
}

// Position line k: aircraft k % 2,000, moving a little from one report to the next.
QByteArray PositionLine(int k)
{
    const int aircraft = k % kAircraft;
    const int step = k / kAircraft;
    static const char *const kModes[] = {"@N", "@S", "@Y"};
    QByteArray line = kModes[step % 3];
    line += ':';
    line += Callsign(aircraft);
    line += ':';
    line += QByteArray::number(1000 + aircraft % 6777);
    line += ":1:";
    line += QByteArray::number(43.0 + aircraft * 0.001 + step * 0.0001, 'f', 5);
    line += ':';
    line += QByteArray::number(4.0 + aircraft * 0.0007 + step * 0.0001, 'f', 5);
    line += ':';
    line += QByteArray::number(2000 + (aircraft * 37 + step * 10) % 37000);
    line += ':';
    line += QByteArray::number(120 + aircraft % 350);
    line += ':';
    line += QByteArray::number((aircraft * 7 + step) % 360);
    line += ":0\r\n";
    return line;
}

// The lines cut into socket reads of 64 KiB, wherever the cut falls.
QList<QByteArray> Reads(int first, int count)
{
    QByteArray all;
    for (int k = first; k < first + count; ++k)
        all += PositionLine(k);
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < all.size(); at += kReadSize)
        reads.append(all.mid(at, kReadSize));
    return reads;
}

void Accept(RadarState &state)
{
    state.link.serverType = QStringLiteral("FSD");
    state.link.OwnCallsign = QStringLiteral("LFLL_APP");
    state.link.Com1Digits = QStringLiteral("120450");
    state.link.Accepted = state.link.LoginSent = true;
}

void BM_MillionPositionLines(benchmark::State &state)
{
    const QList<QByteArray> reads = Reads(0, kLines);
    long long handled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto radar = std::make_unique<RadarState>();
        Accept(*radar);
        CountingSender sender;
        ManualClock clock;
        Dispatcher dispatcher(LinkGroupsOf(*radar), sender, clock);
        state.ResumeTiming();

        for (const QByteArray &read : reads) {
            dispatcher.receive(read);
            handled += dispatcher.tick();
            clock.advanceMs(100);
        }
        while (dispatcher.hasPending())
            handled += dispatcher.tick();

        state.PauseTiming();
        if (radar->traffic.LiveTrafficList.size() != kAircraft || sender.lines != kAircraft
            || !radar->link.ErrorLog.lines.isEmpty()) {
            state.SkipWithError("the lines were not all handled as position reports");
            break;
        }
        radar.reset();
        state.ResumeTiming();
    }
    if (handled != (long long)kLines * state.iterations() && !state.error_occurred())
        state.SkipWithError("a line was lost");
    state.SetItemsProcessed(handled);
    state.SetBytesProcessed(state.iterations() * [&] {
        long long total = 0;
        for (const QByteArray &read : reads)
            total += read.size();
        return total;
    }());
}
BENCHMARK(BM_MillionPositionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// One tick of 1,000 position lines for aircraft already in the table, as a busy sector
// brings them between two 100 ms ticks.
void BM_TickOfThousandPositions(benchmark::State &state)
{
    RadarState radar;
    Accept(radar);
    CountingSender sender;
    ManualClock clock;
    Dispatcher dispatcher(LinkGroupsOf(radar), sender, clock);
    for (const QByteArray &read : Reads(0, kAircraft)) {
        dispatcher.receive(read);
        dispatcher.tick();
    }
    // Eight blocks of 1,000 lines in turn, each in one read.
    QList<QByteArray> blocks;
    for (int b = 0; b < 8; ++b) {
        QByteArray block;
        for (int k = 0; k < kTickLines; ++k)
            block += PositionLine(kAircraft + b * kTickLines + k);
        blocks.append(block);
    }
    qsizetype b = 0;
    long long handled = 0;
    for (auto _ : state) {
        dispatcher.receive(blocks[b]);
        handled += dispatcher.tick();
        b = (b + 1) % blocks.size();
    }
    if (handled != (long long)kTickLines * state.iterations() || !radar.link.ErrorLog.lines.isEmpty())
        state.SkipWithError("the tick did not handle its 1,000 lines");
    state.SetItemsProcessed(handled);
}
BENCHMARK(BM_TickOfThousandPositions)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
