// Loading a large generated sector: the reader with its name indexes, the same reader with
// the literal scan of every table for each point name, and the whole path from a file.
//
// The sector is column-exact, about 200,000 lines: 2,000 VOR/NDB, 20,000 fixes, 500
// airports and runways, 5,000 procedures and airways of 10 segments whose points are named
// by fixes, VORs and airports, boundaries given by coordinates, 100,000 GEO lines coloured
// by names from the #define lines and from the detail list, and ground labels.
#include "core/Codec.h"
#include "sector/SectorReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

using namespace zaz;

namespace {

constexpr int kVors = 1000;
constexpr int kNdbs = 1000;
constexpr int kFixes = 20000;
constexpr int kAirports = 500;
constexpr int kRunways = 500;
constexpr int kRoutesPerTable = 1250; // SID, STAR, LOW AIRWAY, HIGH AIRWAY: 5,000 routes
constexpr int kBoundaryRoutes = 800;  // per boundary table
constexpr int kSegments = 10;
constexpr int kGeo = 100000;
constexpr int kLabels = 3000;         // per label table

// Deterministic pseudo-random numbers, so every run loads the same text.
class Lcg {
public:
    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(state_ >> 33);
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }

private:
    std::uint64_t state_ = 0x5EC7051234ULL;
};

// "N045.43.32.123": letter, degrees, minutes, seconds, thousandths.
std::string CoordinateText(int thousandthsOfSecond, char positive, char negative)
{
    const char letter = thousandthsOfSecond < 0 ? negative : positive;
    long v = thousandthsOfSecond < 0 ? -long(thousandthsOfSecond) : thousandthsOfSecond;
    const long ms = v % 1000;
    v /= 1000;
    const long s = v % 60;
    v /= 60;
    char text[32];
    std::snprintf(text, sizeof text, "%c%03ld.%02ld.%02ld.%03ld", letter, v / 60, v % 60, s, ms);
    return text;
}

struct Point {
    std::string lat, lon;
    std::string pair() const { return lat + ' ' + lon; } // 29 characters
};

Point RandomPoint(Lcg &rng)
{
    // N40 to N50, W005 to E010.
    const int lat = 40 * 3600000 + rng.below(10 * 3600000);
    const int lon = -5 * 3600000 + rng.below(15 * 3600000);
    return {CoordinateText(lat, 'N', 'S'), CoordinateText(lon, 'E', 'W')};
}

std::string Letters(int value, int count, char first = 'A')
{
    std::string s(std::size_t(count), 'A');
    for (int i = count - 1; i >= 0; --i) {
        s[std::size_t(i)] = char('A' + value % 26);
        value /= 26;
    }
    s[0] = char(first + (s[0] - 'A'));
    return s;
}

std::string Pad(std::string s, std::size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

const char *const kDefineNames[] = {"coast", "Border", "LAKE_EDGE", "ROAD", "rail", "forest",
                                    "urban", "military", "danger", "restricted"};
const char *const kDetailNames[] = {"RUNWAY", "taxiway", "Apron", "BUILDING", "river"};

struct Generated {
    QString text;
    SectorReadSettings settings;
    int lines = 0;
};

Generated Generate()
{
    Lcg rng;
    std::string s;
    s.reserve(16 << 20);
    int lines = 0;
    auto line = [&](const std::string &text) {
        s += text;
        s += "\r\n";
        ++lines;
    };

    line("; generated sector for the load benchmark");
    for (int i = 0; i < int(std::size(kDefineNames)); ++i)
        line("#define " + std::string(kDefineNames[i]) + " " + std::to_string(0x101010 * (i + 1)));

    line("[INFO]");
    line("Bench sector");
    line("LFLL_APP");
    line("LAAB");
    line("N045.43.32.000");
    line("E005.05.27.000");
    line("60");
    line("43");
    line("2.5");
    line("1");

    std::vector<std::string> vorNames, airportNames, fixNames;
    line("[VOR]");
    for (int i = 0; i < kVors; ++i) {
        // Three letters starting A or B: never the start of an airport code (L...).
        vorNames.push_back(Letters(i, 3));
        const Point p = RandomPoint(rng);
        line(Pad(vorNames.back(), 4) + " 11" + std::to_string(i % 8) + ".500 " + p.lat + ' ' + p.lon + " ;VOR "
             + std::to_string(i));
    }
    line("[NDB]");
    for (int i = 0; i < kNdbs; ++i) {
        const Point p = RandomPoint(rng);
        line(Pad(Letters(i, 4, 'N'), 5) + " 375.000 " + p.lat + ' ' + p.lon);
    }
    line("[FIXES]");
    for (int i = 0; i < kFixes; ++i) {
        // One name in a hundred repeats an earlier fix: the later one wins.
        fixNames.push_back(i % 100 == 99 ? fixNames[std::size_t(i - 50)] : Letters(i * 7 + 3, 5));
        const Point p = RandomPoint(rng);
        line(fixNames.back() + ' ' + p.lat + ' ' + p.lon);
    }
    line("[AIRPORT]");
    for (int i = 0; i < kAirports; ++i) {
        airportNames.push_back(Letters(i + 1, 4, 'L'));
        const Point p = RandomPoint(rng);
        line(airportNames.back() + " 118.100 " + p.lat + ' ' + p.lon + " D ;airport");
    }
    line("[RUNWAY]");
    for (int i = 0; i < kRunways; ++i) {
        const Point a = RandomPoint(rng), b = RandomPoint(rng);
        line("09  27  090 270 " + a.lat + ' ' + a.lon + ' ' + b.lat + ' ' + b.lon + " ;" + airportNames[std::size_t(i)]);
    }

    // Points of procedures and airways: mostly fixes, some VORs and airports.
    auto namedPoint = [&]() -> std::string {
        const int kind = rng.below(10);
        if (kind == 0)
            return Pad(vorNames[std::size_t(rng.below(kVors))], 29);
        if (kind == 1)
            return Pad(airportNames[std::size_t(rng.below(kAirports))], 29);
        return Pad(fixNames[std::size_t(rng.below(kFixes))], 29);
    };
    const char *const namedSections[] = {"[SID]", "[STAR]", "[LOW AIRWAY]", "[HIGH AIRWAY]"};
    for (const char *section : namedSections) {
        line(section);
        for (int r = 0; r < kRoutesPerTable; ++r) {
            const std::string name = Pad(std::string(section + 1, 3) + "-ROUTE-" + std::to_string(r), 25);
            std::string from = namedPoint();
            for (int k = 0; k < kSegments; ++k) {
                const std::string to = namedPoint();
                // The first line names the route; the others leave the name blank or repeat it.
                const std::string &lineName = k == 0 || k % 3 == 0 ? name : std::string(25, ' ');
                line(lineName + ' ' + from + ' ' + to);
                from = to;
            }
        }
    }
    const char *const boundarySections[] = {"[ARTCC]", "[ARTCC LOW]", "[ARTCC HIGH]"};
    for (const char *section : boundarySections) {
        line(section);
        for (int r = 0; r < kBoundaryRoutes; ++r) {
            const std::string name = Pad("SECTOR " + std::to_string(r), 25);
            Point from = RandomPoint(rng);
            for (int k = 0; k < kSegments; ++k) {
                const Point to = RandomPoint(rng);
                line((k == 0 ? name : std::string(25, ' ')) + ' ' + from.pair() + ' ' + to.pair());
                from = to;
            }
        }
    }

    line("[GEO]");
    for (int i = 0; i < kGeo; ++i) {
        const Point a = RandomPoint(rng), b = RandomPoint(rng);
        std::string colour;
        const int pick = rng.below(20);
        if (pick < 10)
            colour = kDefineNames[pick];
        else if (pick < 15)
            colour = kDetailNames[pick - 10];
        else if (pick < 19)
            colour = "  " + std::string(kDefineNames[pick - 15]) + "  ";
        else
            colour = "UNKNOWN_COLOUR";
        line(a.pair() + ' ' + b.pair() + ' ' + colour);
    }
    const char *const labelSections[] = {"[TAXIWAYS]", "[PARKINGS]"};
    for (const char *section : labelSections) {
        line(section);
        for (int i = 0; i < kLabels; ++i)
            line(RandomPoint(rng).pair() + " " + Letters(i, 2) + std::to_string(i % 10));
    }

    Generated g;
    g.text = QString::fromLatin1(s.data(), qsizetype(s.size()));
    g.lines = lines;
    const char *const detailValues[] = {"$00A0A0A0", "$0050BEC8", "clGray", "$00506478", "8404992"};
    for (int i = 0; i < int(std::size(kDetailNames)); ++i)
        g.settings.details.append(t_define{QString::fromLatin1(kDetailNames[i]), QString::fromLatin1(detailValues[i])});
    g.settings.details.append(t_define{QStringLiteral("PARKING"), QStringLiteral("$00C8AA5A")});
    return g;
}

const Generated &Sector()
{
    static const Generated g = Generate();
    return g;
}

void ReportRate(benchmark::State &state, qsizetype bytes)
{
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB_per_s"] =
        benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["lines"] = Sector().lines;
}

// Same points in every route table, or the indexes do not answer as the scan does.
bool SameRoutes(const SectorTables &a, const SectorTables &b)
{
    const QList<ROUTE> SectorTables::*tables[] = {&SectorTables::sids, &SectorTables::stars,
                                                  &SectorTables::lowAirways, &SectorTables::highAirways};
    for (auto table : tables) {
        const QList<ROUTE> &x = a.*table, &y = b.*table;
        if (x.size() != y.size())
            return false;
        for (qsizetype i = 0; i < x.size(); ++i) {
            if (x[i].name != y[i].name || x[i].segments.size() != y[i].segments.size())
                return false;
            for (qsizetype k = 0; k < x[i].segments.size(); ++k) {
                const RouteSegment &p = x[i].segments[k], &q = y[i].segments[k];
                if (p.lat1 != q.lat1 || p.lon1 != q.lon1 || p.lat2 != q.lat2 || p.lon2 != q.lon2)
                    return false;
            }
        }
    }
    return true;
}

int UnresolvedPoints(const SectorTables &t)
{
    int count = 0;
    for (const QList<ROUTE> *table : {&t.sids, &t.stars, &t.lowAirways, &t.highAirways})
        for (const ROUTE &r : *table)
            for (const RouteSegment &s : r.segments)
                count += (s.lat1 == 0 && s.lon1 == 0) + (s.lat2 == 0 && s.lon2 == 0);
    return count;
}

double IndexedLoadSeconds()
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        SectorLoadResult r = ReadSectorText(Sector().text, Sector().settings);
        benchmark::DoNotOptimize(r.tables.geo.size());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// The reader as the program runs it: names resolved through the indexes.
void BM_ReadSectorIndexed(benchmark::State &state)
{
    const Generated &g = Sector();
    int tolerant = 0, unresolved = 0;
    for (auto _ : state) {
        SectorLoadResult r = ReadSectorText(g.text, g.settings);
        tolerant = r.tolerantLines;
        unresolved = UnresolvedPoints(r.tables);
        benchmark::DoNotOptimize(r.tables.geo.size());
    }
    ReportRate(state, g.text.size());
    state.counters["tolerant_lines"] = tolerant;
    state.counters["unresolved_points"] = unresolved;
}
BENCHMARK(BM_ReadSectorIndexed)->Unit(benchmark::kMillisecond);

// The same load with every point name resolved by scanning the tables (the reference).
// Reports how many times slower it is than the indexed load, and checks both agree.
void BM_ReadSectorLiteralScan(benchmark::State &state)
{
    const Generated &g = Sector();
    SectorReadSettings settings = g.settings;
    settings.scanLookups = true;
    const SectorLoadResult indexed = ReadSectorText(g.text, g.settings);
    const double indexedSeconds = IndexedLoadSeconds();
    double scanSeconds = 0;
    bool same = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        SectorLoadResult r = ReadSectorText(g.text, settings);
        scanSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        same = same && SameRoutes(indexed.tables, r.tables);
    }
    if (!same)
        state.SkipWithError("the indexes and the scan resolve different points");
    ReportRate(state, g.text.size());
    state.counters["indexed_ms"] = indexedSeconds * 1e3;
    state.counters["scan_over_indexed"] = scanSeconds / indexedSeconds;
}
BENCHMARK(BM_ReadSectorLiteralScan)->Iterations(1)->Unit(benchmark::kMillisecond);

// The whole path from a Windows-1252 file on disk.
void BM_ReadSectorFile(benchmark::State &state)
{
    const Generated &g = Sector();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.sct"));
    const QByteArray bytes = EncodeCp1252(g.text);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the temporary sector file");
        return;
    }
    file.close();
    for (auto _ : state) {
        QString error;
        std::optional<SectorLoadResult> r = ReadSectorFile(path, g.settings, error);
        if (!r) {
            state.SkipWithError("the temporary sector file cannot be read");
            return;
        }
        benchmark::DoNotOptimize(r->tables.geo.size());
    }
    ReportRate(state, bytes.size());
}
BENCHMARK(BM_ReadSectorFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
