// Feeds arbitrary bytes to the dispatcher as the socket reads of a server connection, with a
// timer tick and the model step before the redraw after each read, as the main window does.
// Checks that nothing crashes, that the state groups keep their invariants (the traffic
// table, its strips, live list, selection and waiting plan queries; the controllers), and
// that what the program sends is whole lines only, with no more plan queries than allowed.
//
// Input layout:
//   byte 0  options: bit 0 the server is a VIREO-SERVER (else FSD); bit 1 the login is not
//           accepted yet (the input must bring "#TMserver"); bit 2 the packet monitor is
//           ticked; bits 3-4 the time between ticks (0.1 s, 1 s, 10 s, 30 s).
//   byte 1  how the rest is cut into reads: 0 in one read, else reads of 1 to 2^(n % 10)
//           bytes drawn from a generator seeded with it.
//   rest    the bytes the server sends.
// The seeds begin with printable options: '@' FSD accepted, 'A' VIREO-SERVER accepted,
// 'B' FSD before the login, 'C' VIREO-SERVER before the login, 'D' FSD with the monitor
// ticked, 'P' FSD with 10 s ticks.
#include "core/Clock.h"
#include "link/Dispatcher.h"
#include "sector/Projection.h"
#include "sector/SectorReader.h"
#include "state/RadarState.h"
#include "state/Ticks.h"

#include <QHash>
#include <QSet>
#include <QSize>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace zaz;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

const QString kOwn = QStringLiteral("LFLL_TWR");

// A small sector around the controller's airport, so that flight plan routes find their
// points and the conflict test has a view.
const SectorLoadResult &Sector()
{
    static const SectorLoadResult loaded = [] {
        const QString text = QStringLiteral(
            "[INFO]\nLyon\nLFLL_TWR\nLFLL\nN045.43.32.000\nE005.04.52.000\n60\n42\n1.5\n1\n"
            "[VOR]\n"
            "LSE  114.750 N045.35.10.000 E004.55.40.000\n"
            "MTL  113.650 N044.33.20.000 E004.46.50.000\n"
            "[NDB]\n"
            "LYS  327.000 N045.43.00.000 E005.05.00.000\n"
            "[FIXES]\n"
            "MOLUS N045.10.00.000 E005.20.00.000\n"
            "BELEP N046.05.00.000 E004.40.00.000\n"
            "[AIRPORT]\n"
            "LFLL 120.450 N045.43.32.000 E005.04.52.000 D\n"
            "LFLY 118.100 N045.43.00.000 E004.56.00.000 D\n"
            "[RUNWAY]\n"
            "17R 35L 172 352 N045.44.44.000 E005.04.30.000 N045.42.30.000 E005.05.00.000\n"
            "[LOW AIRWAY]\n"
            "A1                        N045.35.10.000 E004.55.40.000 N044.33.20.000 E004.46.50.000\n");
        SectorReadSettings settings;
        return ReadSectorText(text, settings);
    }();
    return loaded;
}

// Records what the program sends, tick by tick.
struct Recorder final : LineSender {
    // Like a socket, a closed link drops what it is given.
    void SendLine(const QString &text) override
    {
        if (!closed)
            lines.append(text);
    }
    void closeLink() override { closed = true; }
    QStringList lines;
    bool closed = false;
};

// A plan query: "$CQ<own>:SERVER:FP:<callsign>"; the callsign, or nothing.
QString PlanQueryCallsign(const QString &line)
{
    const QStringList fields = line.chopped(2).split(QLatin1Char(':'));
    if (fields.size() != 4 || !fields[0].startsWith(QLatin1String("$CQ")) || fields[2] != QLatin1String("FP"))
        return QString();
    return fields[3];
}

class Run {
public:
    explicit Run(std::uint8_t options) : dispatcher(LinkGroupsOf(s), out, clock)
    {
        SectorLoadResult sector = Sector();
        ApplySectorLoad(s, std::move(sector));
        ComputeEdges(s.view, QSize(800, 600));
        s.link.serverType = (options & 1) ? QStringLiteral("VIREO-SERVER") : QStringLiteral("FSD");
        s.link.Com1Digits = QStringLiteral("118700");
        s.link.Com2Digits = QStringLiteral("121800");
        s.link.WeatherStation = QStringLiteral("LFLL");
        s.link.LoginSent = true;
        s.link.monitorTicked = (options & 4) != 0;
        s.link.codeTexts.facility = {{QStringLiteral("4"), QStringLiteral("TWR")},
                                     {QStringLiteral("5"), QStringLiteral("APP")}};
        s.link.codeTexts.rating = {{QStringLiteral("5"), QStringLiteral("C1")}};
        s.weather.atis.lines = {QStringLiteral("LFLL INFO ALPHA"), QStringLiteral("QNH 1013")};
        s.weather.atis.soundText = QStringLiteral("atis.wav");
        if (!(options & 2)) {
            s.link.OwnCallsign = kOwn;
            s.link.Accepted = true;
            s.link.loggedIn = true;
        }
        static const qint64 kStepsMs[] = {100, 1000, 10000, 30000};
        stepMs = kStepsMs[(options >> 3) & 3];
    }

    // One timer tick and the redraw after it; false when the timer would stop.
    bool tick()
    {
        clock.advanceMs(stepMs);
        const bool wasAccepted = s.link.Accepted;
        const qsizetype before = out.lines.size();
        const int handled = dispatcher.tick();
        checkSent(before, wasAccepted);
        StepBeforeRedraw(s, clock.now());
        checkState();
        // The timer stops when a read before the acceptance brought no acceptance, and the
        // program stops reading once the server closed the login.
        return (handled == 0 || s.link.Accepted) && !out.closed;
    }

    void checkSent(qsizetype from, bool wasAccepted)
    {
        int queries = 0;
        for (qsizetype i = from; i < out.lines.size(); ++i) {
            const QString &line = out.lines[i];
            // One whole line each: a received text never brings an end of line of its own.
            Check(line.endsWith(QLatin1String("\r\n")));
            Check(line.indexOf(QLatin1Char('\r')) == line.size() - 2);
            Check(line.indexOf(QLatin1Char('\n')) == line.size() - 1);
            // Nothing goes out before the server accepts the login.
            Check(wasAccepted || s.link.Accepted);
            const QString callsign = PlanQueryCallsign(line);
            if (callsign.isEmpty())
                continue;
            ++queries;
            const auto last = lastQuery.constFind(callsign);
            Check(last == lastQuery.constEnd()
                  || last->msecsTo(clock.now()) >= FlightPlanRequests::kRepeatMs);
            lastQuery.insert(callsign, clock.now());
        }
        Check(queries <= FlightPlanRequests::kPerTick);
    }

    void checkState(bool full = false) const
    {
        const TrafficState &t = s.traffic;
        const TrafficTable &table = t.table;
        Check(table.size() <= kMaxAircraft);
        int withStrip = 0;
        for (int i = 0; i < table.size(); ++i) {
            const AVION &a = table[i];
            if (a.callsign.isEmpty()) {
                Check(!a.hasStrip);
                continue;
            }
            Check(table.FindAircraft(a.callsign) == i);
            // The callsign index agrees with a scan (quadratic: once, at the end).
            Check(!full || table.findAircraftByScan(a.callsign) == i);
            const int strip = StripPosition(t.strips, a.callsign);
            Check(a.hasStrip == (strip >= 0));
            withStrip += a.hasStrip ? 1 : 0;
        }
        Check(t.SelectedAircraft == kNoAircraft || table.inUse(t.SelectedAircraft));

        QSet<QString> names;
        for (const Strip &strip : t.strips.entries) {
            Check(!names.contains(strip.callsign));
            names.insert(strip.callsign);
            const int index = table.FindAircraft(strip.callsign);
            Check(index != kNoAircraft);
            Check(strip.line.size() == kStripLength);
            Check(strip.line.left(3) == StripKey(index));
        }
        Check(withStrip == t.strips.entries.size());

        QSet<QString> live;
        for (const QString &entry : t.LiveTrafficList) {
            Check(!live.contains(entry));
            live.insert(entry);
            bool ok = false;
            Check(table.inUse(entry.toInt(&ok)) && ok);
        }
        QSet<QString> waiting;
        for (const QString &callsign : t.planRequests.waiting) {
            Check(!waiting.contains(callsign));
            waiting.insert(callsign);
            Check(table.FindAircraft(callsign) != kNoAircraft);
        }

        const ControllersState &c = s.controllers;
        Check(c.ControllerTable.size() <= kMaxControllers);
        Check(c.ControllerCount == c.ControllerList.size());
        QSet<QString> listed;
        for (const QString &entry : c.ControllerList) {
            Check(!listed.contains(entry));
            listed.insert(entry);
            const int index = entry.toInt();
            Check(index >= 0 && index < c.ControllerTable.size());
            Check(!c.ControllerTable[index].callsign.isEmpty());
        }
        Check(s.link.RadioMessages.size() <= kMaxRadioMessages);
    }

    RadarState s;
    Recorder out;
    ManualClock clock{QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0))};
    Dispatcher dispatcher;
    qint64 stepMs = 100;
    QHash<QString, QDateTime> lastQuery; // when each callsign's plan was last asked
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A server's lines are short; a few hundred of them exercise every path.
    if (size < 2 || size > 64 * 1024)
        return 0;
    const std::uint8_t options = data[0];
    const std::uint8_t cut = data[1];
    data += 2;
    size -= 2;

    Run run(options);
    std::uint32_t state = 0x9E3779B9u ^ (std::uint32_t(cut) * 2654435761u);
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    const std::size_t largest = std::size_t(1) << (cut % 10);
    std::size_t at = 0;
    bool reading = true;
    while (at < size && reading) {
        const std::size_t length = cut == 0 ? size : std::min(size - at, 1 + next() % largest);
        run.dispatcher.receive(QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(length)));
        at += length;
        reading = run.tick();
    }
    // What is still pending, a tick at a time, as the timer would.
    for (int n = 0; reading && run.dispatcher.hasPending() && n < 1000; ++n)
        reading = run.tick();
    // Two minutes later: the aircraft no one updated expire, plans may be asked again.
    if (reading) {
        run.clock.advanceMs(2 * 60 * 1000);
        run.tick();
    }
    run.checkState(true);
    return 0;
}
