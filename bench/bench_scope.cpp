// The scope's full redraw on a large generated sector, all of it in view of a 1920 x 1080
// picture, with 500 aircraft: after a change that draws the whole map again, during a drag,
// after wheel steps, after a
// traffic change alone (the map layers are reused; every aircraft moved since the last
// redraw, or one in fifty as positions come from a server), and both with the
// straightforward redraw that draws everything with the painter every time; and the
// conflict test of 2,000 aircraft, by cells and by the scan of every pair.
//
// The sector: 120,000 GEO lines in 3,000 coloured polylines, 25,000 fixes, 300 VORs and 300
// NDBs, 200 airports (half with weather), 300 runways, 400 SIDs, 400 STARs, 400 low and 400
// high airways with their names shown, 180 boundaries, 2,000 ground labels. The traffic:
// 500 aircraft with full trails, 60 of them in 30 close pairs (in conflict), some with strips,
// handoffs or an emergency squawk.
//
// Each redraw benchmark checks first and last that the cached redraw gives the picture of
// the straightforward one, and reports the median and the largest redraw as counters
// (median_ms, max_ms). "bench_scope --write DIR" writes the same sector (without its ground
// labels, which sector files do not carry), its settings and a capture of the same traffic
// into DIR instead of benchmarking, for zaz-tool render:
//   bench_scope --write /tmp/big
//   zaz-tool render --sector /tmp/big/big.sct --settings /tmp/big --traffic /tmp/big/traffic.txt
//                   --repeat 50 --reference --out /tmp/big/big.png
#include "scope/Conflict.h"
#include "scope/ScopeInteraction.h"
#include "scope/ScopeRenderer.h"
#include "state/RadarState.h"
#include "state/Ticks.h"
#include "scope/ScopeRenderer.h"
#include "sector/Projection.h"
#include "sector/SectorWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

using namespace zaz;

namespace {

constexpr QSize kPicture(1920, 1080);
constexpr float kCentreLat = 45.5f;
constexpr float kCentreLon = 5.0f;
constexpr float kScale = 1080.0f / 100.0f; // the program's initial scale at this height
// Half the view, less a margin: every element of the sector lies inside.
constexpr double kHalfLat = 0.78;
constexpr double kHalfLon = 2.0;

constexpr int kGeoFeatures = 3000;
constexpr int kGeoSegments = 40; // per feature: 120,000 GEO lines
constexpr int kFixes = 25000;
constexpr int kNavaids = 300;    // VORs, and as many NDBs
constexpr int kAirports = 200;
constexpr int kRunways = 300;
constexpr int kRoutes = 400;     // per SID, STAR, low and high airway table
constexpr int kBoundaries = 60;  // per boundary table
constexpr int kLabels = 1000;    // per ground-label table
constexpr int kAircraft = 500;
constexpr int kClosePairs = 30;
constexpr int kConflictAircraft = 2000;

const QDateTime kNow(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);

// Deterministic pseudo-random numbers, so every run draws the same picture.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    // 31 bits.
    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(state_ >> 33);
    }
    double unit() { return next() / 2147483648.0; }
    double between(double a, double b) { return a + (b - a) * unit(); }
    int below(int n) { return int(next() % std::uint32_t(n)); }

private:
    std::uint64_t state_;
};

float Lat(Lcg &r)
{
    return float(kCentreLat + r.between(-kHalfLat, kHalfLat));
}

float Lon(Lcg &r)
{
    return float(kCentreLon + r.between(-kHalfLon, kHalfLon));
}

// Five capitals from a number, as fix names are.
QString Name5(int n)
{
    QString name(5, QLatin1Char('A'));
    for (int i = 4; i >= 0; --i) {
        name[i] = QLatin1Char(char('A' + n % 26));
        n /= 26;
    }
    return name;
}

QString DegreesText(double value, char positive, char negative)
{
    const char letter = value < 0 ? negative : positive;
    long v = std::lround(std::fabs(value) * 3600000.0);
    const long ms = v % 1000;
    v /= 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%c%03ld.%02ld.%02ld.%03ld", letter, v / 3600, v / 60 % 60, v % 60, ms);
    return QString::fromLatin1(text);
}

// A route of n segments wandering from a random point; consecutive segments share points.
ROUTE Route(Lcg &r, const QString &name, int n, double step)
{
    ROUTE route;
    route.name = name;
    route.selected = 1;
    float lat = Lat(r), lon = Lon(r);
    for (int i = 0; i < n; ++i) {
        const float lat2 =
            float(std::clamp(lat + r.between(-step, step), kCentreLat - kHalfLat, kCentreLat + kHalfLat));
        const float lon2 =
            float(std::clamp(lon + r.between(-step, step) * 1.4, kCentreLon - kHalfLon, kCentreLon + kHalfLon));
        route.segments.append({lat, lon, lat2, lon2});
        lat = lat2;
        lon = lon2;
    }
    return route;
}

void FillSector(RadarState &s)
{
    Lcg r(0x5C09E);
    SectorTables &t = s.sector.tables;
    t.geo.reserve(kGeoFeatures * kGeoSegments);
    const char *const colourNames[] = {"coast", "river", "road", "rail", "lake", "forest", "town", "border"};
    const TColor colours[] = {0x006E5A46, 0x00784628, 0x00484848, 0x00303030,
                              0x006E3C28, 0x00285A28, 0x00506478, 0x00646464};
    for (int i = 0; i < 8; ++i)
        t.defines.append({QLatin1String(colourNames[i]), QString::number(colours[i])});
    for (int f = 0; f < kGeoFeatures; ++f) {
        const int c = f % 8;
        const ROUTE line = Route(r, QString(), kGeoSegments, 0.012);
        for (const RouteSegment &seg : line.segments) {
            GEO g;
            g.lat1 = seg.lat1;
            g.lon1 = seg.lon1;
            g.lat2 = seg.lat2;
            g.lon2 = seg.lon2;
            g.colour = colours[c];
            g.colourName = QLatin1String(colourNames[c]);
            t.geo.append(std::move(g));
        }
    }
    for (int i = 0; i < kFixes; ++i)
        t.fixes.append({Name5(i), Lat(r), Lon(r), 1, QString()});
    for (int i = 0; i < kNavaids; ++i) {
        const QString two = QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0'));
        t.vors.append({Name5(i * 7).left(3) + QLatin1Char(' '), QStringLiteral("11%1.%2").arg(i % 8).arg(two), Lat(r),
                       Lon(r), std::uint8_t(i % 2), QStringLiteral("VOR %1").arg(i)});
        t.ndbs.append({Name5(i * 11).left(2) + QStringLiteral("   "), QStringLiteral("3%1.000").arg(two), Lat(r),
                       Lon(r), std::uint8_t(i % 2), QStringLiteral("NDB %1").arg(i)});
    }
    for (int i = 0; i < kAirports; ++i) {
        Airport a;
        a.identifier = QStringLiteral("LF") + Name5(i).right(2);
        a.frequency = QStringLiteral("118.100");
        a.latitude = Lat(r);
        a.longitude = Lon(r);
        a.airspaceClass = QStringLiteral("D");
        if (i % 2 == 0) {
            a.realMetarReceived = 1;
            a.windGroup = i % 10 == 0 ? QStringLiteral("VRB03KT")
                                      : QStringLiteral("%1%2KT")
                                            .arg(i % 36 * 10, 3, 10, QLatin1Char('0'))
                                            .arg(5 + i % 20, 2, 10, QLatin1Char('0'));
        }
        t.airports.append(std::move(a));
    }
    for (int i = 0; i < kRunways; ++i) {
        RUNWAY w;
        const int heading = 10 + (i * 37) % 170;
        w.number = QStringLiteral("%1 ").arg(heading / 10, 2, 10, QLatin1Char('0'));
        w.oppositeNumber = QStringLiteral("%1 ").arg(heading / 10 + 18, 2, 10, QLatin1Char('0'));
        w.heading = i % 5 == 0 ? QStringLiteral("000") : QStringLiteral("%1").arg(heading, 3, 10, QLatin1Char('0'));
        w.oppositeHeading = QStringLiteral("%1").arg(heading + 180, 3, 10, QLatin1Char('0'));
        w.latitude = Lat(r);
        w.longitude = Lon(r);
        const double rad = heading * std::numbers::pi / 180.0;
        w.oppositeLatitude = float(w.latitude + 0.03 * std::cos(rad));
        w.oppositeLongitude = float(w.longitude + 0.042 * std::sin(rad));
        t.runways.append(std::move(w));
    }
    for (int i = 0; i < kRoutes; ++i) {
        t.sids.append(Route(r, QStringLiteral("SID%1").arg(i), 6, 0.1));
        t.stars.append(Route(r, QStringLiteral("STAR%1").arg(i), 6, 0.1));
        t.lowAirways.append(Route(r, QStringLiteral("R%1").arg(i), 10, 0.2));
        t.highAirways.append(Route(r, QStringLiteral("UN%1").arg(i), 10, 0.3));
    }
    for (int i = 0; i < kBoundaries; ++i) {
        t.artcc.append(Route(r, QStringLiteral("ACC%1").arg(i), 20, 0.15));
        t.artccLow.append(Route(r, QStringLiteral("TMA%1").arg(i), 20, 0.1));
        t.artccHigh.append(Route(r, QStringLiteral("UIR%1").arg(i), 20, 0.2));
    }
    for (int i = 0; i < kLabels; ++i) {
        t.taxiways.append({QStringLiteral("T%1").arg(i % 30), Lat(r), Lon(r), 0});
        t.parkings.append({QStringLiteral("P%1").arg(i), Lat(r), Lon(r), 1});
    }

    SectorIdentity &id = s.sector.identity;
    id.name = QStringLiteral("Grand secteur");
    id.callsign = QStringLiteral("BIG_APP");
    id.airport = QStringLiteral("LFBG");
    id.ownLat = kCentreLat;
    id.ownLon = kCentreLon;
    id.loaded = true;
    id.generation = 1;
    id.infoLines = {id.name,
                    id.callsign,
                    id.airport,
                    DegreesText(kCentreLat, 'N', 'S'),
                    DegreesText(kCentreLon, 'E', 'W'),
                    QStringLiteral("60"),
                    QString::number(NmPerDegreeLongitude(kCentreLat)),
                    QStringLiteral("0"),
                    QStringLiteral("1"),
                    QString()};
}

void FillSettings(RadarState &s)
{
    DisplaySettings &d = s.settings.display;
    d.colours = DefaultColourTable();
    d.details = {{QStringLiteral("TAXIWAY"), QStringLiteral("$0050BEC8")},
                 {QStringLiteral("PARKING"), QStringLiteral("$00C8AA5A")}};
    d.screenFontName = QStringLiteral("DejaVu Sans Mono");
    d.screenFontSize = 9;
    d.showSidNames = d.showStarNames = d.showLowNames = d.showHighNames = 1;
    d.separation = {1000, 1000, 5};
    s.weather.transitionAltitude = 3000;
    s.link.serverType = QStringLiteral("FSD");
    ViewState &v = s.view;
    v.centreLat = kCentreLat;
    v.centreLon = kCentreLon;
    v.scale = kScale;
    v.nmPerDegLat = 60;
    v.nmPerDegLon = NmPerDegreeLongitude(kCentreLat);
    v.ringSpacing = 10;
}

// One aircraft with its trail of 21 earlier positions 0.4 nm apart behind it.
void AddAircraft(RadarState &s, int n, float lat, float lon, int altitude, double heading)
{
    TrafficTable &table = s.traffic.table;
    const int i = table.AcquireRecord();
    table.setCallsign(i, QStringLiteral("AFR%1").arg(1000 + n));
    AVION &a = table.edit(i);
    a.lat = lat;
    a.lon = lon;
    a.altitude = altitude;
    a.prevAltitude = altitude - (n % 3 - 1) * 100;
    a.groundSpeed = 250 + n % 200;
    a.heading = heading;
    a.squawk = n % 200 == 7 ? QStringLiteral("7700") : QStringLiteral("1200");
    a.transponderMode = QStringLiteral("N");
    a.hasStrip = n % 4 == 0;
    a.commandPending = n % 17 == 0;
    if (n % 25 == 0)
        a.handoffFrom = QStringLiteral("LFMN_APP");
    if (n % 40 == 0)
        a.handoffState = n % 80 == 0 ? QStringLiteral("D") : QStringLiteral("A");
    const double nmPerDegLon = NmPerDegreeLongitude(lat);
    for (int k = 0; k < kTrailLength; ++k) {
        const double back = 0.4 * (k + 1);
        a.trail[k] = {float(lat - back * std::cos(heading) / 60.0),
                      float(lon - back * std::sin(heading) / nmPerDegLon)};
    }
    a.serverSeen = kNow;
    s.traffic.LiveTrafficList.append(QString::number(i));
}

// count aircraft inside the view, the first 2 × pairs of them in close pairs.
void FillTraffic(RadarState &s, int count, int pairs, double halfLat, double halfLon)
{
    Lcg r(0xA1C0);
    for (int n = 0; n < count; ++n) {
        const double heading = r.between(0, 2 * std::numbers::pi);
        const int altitude = 1000 * (2 + r.below(38));
        if (n < 2 * pairs && n % 2 == 1) {
            const AVION &mate = s.traffic.table[n - 1];
            AddAircraft(s, n, mate.lat + 0.03f, mate.lon + 0.02f, mate.altitude + 500, heading);
            continue;
        }
        AddAircraft(s, n, float(kCentreLat + r.between(-halfLat, halfLat)),
                    float(kCentreLon + r.between(-halfLon, halfLon)), altitude, heading);
    }
    s.traffic.SelectedAircraft = 3;
}

// New positions: every aircraft (period 1) or, at redraw k, the aircraft whose index is k
// modulo period; each moves on by 0.05 nm per redraw since its last position, its trail
// following. A server sends a position every 5 s, the program redraws every 100 ms: with
// a period of 50 a redraw sees the new positions of one aircraft in fifty.
void MoveTraffic(RadarState &s, int period, int redraw)
{
    TrafficTable &table = s.traffic.table;
    for (int i = redraw % period; i < table.size(); i += period) {
        if (table[i].callsign.isEmpty())
            continue;
        AVION &a = table.edit(i);
        for (int k = kTrailLength - 2; k >= 0; --k)
            a.trail[k + 1] = a.trail[k];
        a.trail[0] = {a.lat, a.lon};
        const double nm = 0.05 * period;
        a.lat += float(nm * std::cos(a.heading) / 60.0);
        a.lon += float(nm * std::sin(a.heading) / 42.0);
    }
}

// How a redraw draws: as the program does (its renderer keeps the map and what earlier
// redraws laid out), or everything by the painter every time.
enum class Drawing { Program, Straight };

struct Scene {
    Scene() : picture(kPicture, QImage::Format_RGB32)
    {
        FillSettings(state);
        FillSector(state);
        FillTraffic(state, kAircraft, kClosePairs, kHalfLat, kHalfLon);
    }
    // The program's redraw: the model step, then the drawing.
    void redraw(QImage &into, Drawing drawing)
    {
        StepBeforeRedraw(state, kNow);
        if (drawing == Drawing::Program)
            renderer.draw(into, SceneOf(state), kNow);
        else
            DrawScopeStraight(into, SceneOf(state), kNow);
    }
    RadarState state;
    ScopeRenderer renderer;
    QImage picture;
};

Scene &SharedScene()
{
    static Scene scene;
    return scene;
}

// Per-redraw times: the benchmark's own time, plus the median and the largest.
class RedrawTimes {
public:
    void add(double seconds) { times_.push_back(seconds); }
    void report(benchmark::State &state)
    {
        if (times_.empty())
            return;
        std::sort(times_.begin(), times_.end());
        const size_t n = times_.size();
        const double median = n % 2 ? times_[n / 2] : (times_[n / 2 - 1] + times_[n / 2]) / 2;
        state.counters["median_ms"] = median * 1e3;
        state.counters["max_ms"] = times_.back() * 1e3;
    }

private:
    std::vector<double> times_;
};

template <typename Work>
double Timed(Work &&work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The cached picture must be the straightforward one before any of it is timed.
bool SamePictures(Scene &scene)
{
    QImage reference(kPicture, QImage::Format_RGB32);
    scene.redraw(scene.picture, Drawing::Program);
    scene.redraw(reference, Drawing::Straight);
    return reference == scene.picture;
}

// (a), (c): the view changes as the program changes it, redraw after redraw: second
// argument 0, the scale one step of a float up and back (the whole map drawn again); 1, a
// right-button drag, the pointer 8 pixels further each time (ten steps right, ten back); 2,
// wheel steps at the settings' sensitivity, in and out.
void BM_RedrawAfterViewChange(benchmark::State &state)
{
    Scene &scene = SharedScene();
    const Drawing drawing = state.range(0) ? Drawing::Program : Drawing::Straight;
    const int change = int(state.range(1));
    if (!SamePictures(scene)) {
        state.SkipWithError("the cached picture differs from the straightforward one");
        return;
    }
    ViewState &v = scene.state.view;
    const ViewState start = v;
    const QPoint middle(kPicture.width() / 2, kPicture.height() / 2);
    SetPanAnchor(scene.state.scope, v, kPicture, middle);
    RedrawTimes times;
    int k = 0;
    for (auto _ : state) {
        ++k;
        if (change == 0)
            v.scale = k % 2 ? std::nextafter(start.scale, 2 * start.scale) : start.scale;
        else if (change == 1)
            PanTo(scene.state.scope, v, kPicture, middle + QPoint(8 * (k % 20 <= 10 ? k % 20 : 20 - k % 20), 0));
        else
            ZoomWheel(v, k % 2 ? 120 : -120, scene.state.settings.display.zoomSensitivity, kPicture.height());
        const double seconds = Timed([&] { scene.redraw(scene.picture, drawing); });
        state.SetIterationTime(seconds);
        times.add(seconds);
    }
    v = start;
    times.report(state);
    if (!SamePictures(scene))
        state.SkipWithError("the cached picture differs from the straightforward one");
}
BENCHMARK(BM_RedrawAfterViewChange)
    ->ArgNames({"cached", "change"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({0, 0})
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// (b), (c): only the traffic moved; the cached redraw reuses the map. Second argument: the
// period of the new positions (1: every aircraft moved since the last redraw, the worst
// case; 50: one in fifty, as the traffic comes from a server).
void BM_RedrawAfterTrafficChange(benchmark::State &state)
{
    Scene &scene = SharedScene();
    const Drawing drawing = state.range(0) ? Drawing::Program : Drawing::Straight;
    const int period = int(state.range(1));
    if (!SamePictures(scene)) {
        state.SkipWithError("the cached picture differs from the straightforward one");
        return;
    }
    RedrawTimes times;
    int redraw = 0;
    for (auto _ : state) {
        MoveTraffic(scene.state, period, redraw++);
        const double seconds = Timed([&] { scene.redraw(scene.picture, drawing); });
        state.SetIterationTime(seconds);
        times.add(seconds);
    }
    times.report(state);
    if (!SamePictures(scene))
        state.SkipWithError("the cached picture differs from the straightforward one");
}
BENCHMARK(BM_RedrawAfterTrafficChange)
    ->ArgNames({"cached", "period"})
    ->Args({1, 1})
    ->Args({1, 50})
    ->Args({0, 1})
    ->Args({0, 50})
    ->Iterations(100)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The fingerprint of the map's inputs, computed at every cached redraw.
void BM_MapSignature(benchmark::State &state)
{
    Scene &scene = SharedScene();
    for (auto _ : state)
        benchmark::DoNotOptimize(MapSignature(SceneOf(scene.state)));
}
BENCHMARK(BM_MapSignature)->Unit(benchmark::kMicrosecond);

// (d): 2,000 aircraft over a region of 4 x 6 degrees, 60 of them in close pairs.
struct ConflictScene {
    ConflictScene()
    {
        FillSettings(state);
        FillTraffic(state, kConflictAircraft, kClosePairs, 2.0, 3.0);
    }
    RadarState state;
};

ConflictScene &SharedConflicts()
{
    static ConflictScene scene;
    return scene;
}

void BM_ConflictTestCells(benchmark::State &state)
{
    const RadarState &s = SharedConflicts().state;
    int alerts = 0;
    for (auto _ : state) {
        const ConflictTest test(s.traffic.table, s.view, s.settings.display.separation);
        alerts = 0;
        for (int i = 0; i < s.traffic.table.size(); ++i)
            alerts += test.inConflict(i);
        benchmark::DoNotOptimize(alerts);
    }
    state.counters["alerts"] = alerts;
}
BENCHMARK(BM_ConflictTestCells)->Unit(benchmark::kMillisecond);

void BM_ConflictTestScan(benchmark::State &state)
{
    const RadarState &s = SharedConflicts().state;
    const ConflictTest test(s.traffic.table, s.view, s.settings.display.separation);
    int alerts = 0;
    for (auto _ : state) {
        alerts = 0;
        for (int i = 0; i < s.traffic.table.size(); ++i)
            alerts += test.inConflictByScan(i);
        benchmark::DoNotOptimize(alerts);
    }
    state.counters["alerts"] = alerts;
}
BENCHMARK(BM_ConflictTestScan)->Unit(benchmark::kMillisecond);

// The scene as files zaz-tool render reads: the sector, a ZAZ.ini with the same fonts,
// names and separations, and a capture that gives every aircraft its trail and position.
int WriteScene(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "bench_scope: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    Scene &scene = SharedScene();
    QStringList lines;
    WriteSector(scene.state.sector.tables, scene.state.sector.identity, QStringLiteral("bench_scope"), lines);
    QString error;
    if (!SaveLines(QDir(folder).filePath(QStringLiteral("big.sct")), lines, error)) {
        std::fprintf(stderr, "bench_scope: %s\n", qPrintable(error));
        return 1;
    }
    const QStringList ini = {
        QStringLiteral("[caract]"),       QStringLiteral("style=DejaVu Sans Mono"), QStringLiteral("size=9"),
        QStringLiteral("[conflict]"),     QStringLiteral("minimum=1000"),           QStringLiteral("vertical=1000"),
        QStringLiteral("horizontal=5"),   QStringLiteral("[sector]"),               QStringLiteral("libelsid=true"),
        QStringLiteral("libelstar=true"), QStringLiteral("libellow=true"),          QStringLiteral("libelhi=true")};
    if (!SaveLines(QDir(folder).filePath(QStringLiteral("ZAZ.ini")), ini, error)) {
        std::fprintf(stderr, "bench_scope: %s\n", qPrintable(error));
        return 1;
    }
    // Positions from the oldest trail entry to the current one, aircraft after aircraft
    // at each step, as a server sends them.
    QStringList capture;
    const TrafficTable &table = scene.state.traffic.table;
    for (int k = kTrailLength; k >= 0; --k) {
        for (int i = 0; i < table.size(); ++i) {
            const AVION &a = table[i];
            if (a.callsign.isEmpty())
                continue;
            const float lat = k == 0 ? a.lat : a.trail[k - 1].lat;
            const float lon = k == 0 ? a.lon : a.trail[k - 1].lon;
            const int altitude = k == 0 ? a.altitude : a.prevAltitude;
            capture << QStringLiteral("@N:%1:%2:1:%3:%4:%5:%6:0:0")
                           .arg(a.callsign, a.squawk)
                           .arg(double(lat), 0, 'f', 6)
                           .arg(double(lon), 0, 'f', 6)
                           .arg(altitude)
                           .arg(a.groundSpeed);
        }
    }
    if (!SaveLines(QDir(folder).filePath(QStringLiteral("traffic.txt")), capture, error)) {
        std::fprintf(stderr, "bench_scope: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s: %lld lines of sector, %lld positions\n", qPrintable(folder), (long long)lines.size(),
                (long long)capture.size());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Text needs the font database of a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return WriteScene(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
