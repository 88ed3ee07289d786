#include "scope/ScopeRenderer.h"

#include "core/Text.h"
#include "scope/BandWorker.h"
#include "scope/DrawCache.h"
#include "scope/MapLayers.h"
#include "scope/TextBlock.h"
#include "scope/TrafficLayer.h"
#include "sector/Projection.h"

#include <cstring>
#include <thread>

namespace zaz {

namespace {

// FNV-1a over the bytes of the values fed in.
class Fingerprint {
public:
    template <typename T>
    void Add(const T &value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        Bytes(&value, sizeof value);
    }
    void Add(const QString &text)
    {
        Add(text.size());
        Bytes(text.constData(), size_t(text.size()) * sizeof(QChar));
    }
    quint64 value() const { return hash_; }

private:
    void Bytes(const void *data, size_t size)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        for (size_t i = 0; i < size; ++i) {
            hash_ ^= p[i];
            hash_ *= 1099511628211ull;
        }
    }
    quint64 hash_ = 1469598103934665603ull;
};

// Steps 2 to 14: the background and the map layers, bottom first.
void DrawMap(QPainter &painter, RadarState &state, QSize size, DrawCaches *caches = nullptr)
{
    ScopeCanvas c(painter, state, size, caches);
    painter.fillRect(QRect(QPoint(0, 0), size), c.Colour(kColBackground));
    const SectorTables &t = state.sector.tables;
    const DisplaySettings &d = state.settings.display;
    DrawGeo(c);
    DrawRangeRings(c);
    DrawRoutes(c, t.lowAirways, kColLowAirways, d.showLowNames != 0, NamePlace::EachSegmentStart);
    DrawRoutes(c, t.highAirways, kColHighAirways, d.showHighNames != 0, NamePlace::EachSegmentStart);
    DrawBoundaries(c, t.artcc, kColArtcc);
    DrawBoundaries(c, t.artccLow, kColArtccLow);
    DrawBoundaries(c, t.artccHigh, kColArtccHigh);
    DrawRunways(c);
    DrawAirports(c);
    DrawFixes(c);
    DrawNavaids(c, t.vors, kColVor, true);
    DrawNavaids(c, t.ndbs, kColNdb, false);
    DrawRoutes(c, t.sids, kColSid, d.showSidNames != 0, NamePlace::LastSegmentEnd);
    DrawRoutes(c, t.stars, kColStar, d.showStarNames != 0, NamePlace::FirstSegmentEnd);
}

// Draws the map on rows of picture with its own painter and caches.
void DrawMapRows(QImage &picture, RadarState &state, DrawCaches &caches, const PixelRows &rows)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ScreenFont(state.settings.display));
    if (rows.band())
        painter.setClipRect(rows.Rect(picture.width()));
    caches.Begin(painter, picture, rows);
    DrawMap(painter, state, picture.size(), &caches);
    caches.End();
}

// The map drawn again into its picture: the upper and lower halves at once by two threads
// when the processor runs two, each with its own painter and caches. Each half is exactly
// what the whole drawing puts on its rows, so the picture is the same either way.
void DrawMapInBands(QImage &map, RadarState &state)
{
    ScopeState &scope = state.scope;
    if (!scope.mapCaches)
        scope.mapCaches = std::make_shared<DrawCaches>();
    const int threads = scope.mapThreads > 0 ? scope.mapThreads : int(std::thread::hardware_concurrency());
    if (threads < 2 || map.height() < 64) {
        DrawMapRows(map, state, *scope.mapCaches, {});
        return;
    }
    if (!scope.mapWorker)
        scope.mapWorker = std::make_shared<BandWorker>();
    const int middle = map.height() / 2;
    // A second picture object on the same pixels: a picture takes one painter at a time.
    uchar *bits = map.bits();
    QImage lower(bits, map.width(), map.height(), map.bytesPerLine(), map.format());
    scope.mapWorker->Start([&](DrawCaches &caches) { DrawMapRows(lower, state, caches, {middle, map.height()}); });
    DrawMapRows(map, state, *scope.mapCaches, {0, middle});
    scope.mapWorker->Wait();
}

} // namespace

void DrawMapLayers(QImage &picture, RadarState &state)
{
    ComputeEdges(state.view, picture.size());
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ScreenFont(state.settings.display));
    DrawMap(painter, state, picture.size());
}

quint64 MapSignature(const RadarState &s, QSize picture)
{
    Fingerprint f;
    f.Add(picture.width());
    f.Add(picture.height());
    const ViewState &v = s.view;
    for (float x : {v.centreLat, v.centreLon, v.scale, v.nmPerDegLat, v.nmPerDegLon})
        f.Add(x);
    f.Add(v.ringSpacing);
    const SectorIdentity &id = s.sector.identity;
    f.Add(id.generation);
    f.Add(id.ownLat);
    f.Add(id.ownLon);
    const DisplaySettings &d = s.settings.display;
    // The map's colours: background, layers, rings and weather (not the targets' 15 to 19).
    for (int i = 0; i < kColourCount; ++i) {
        if (i >= kColTarget && i <= kColPendingCommand)
            continue;
        f.Add(d.colours[i].colour);
        f.Add(d.colours[i].visible);
    }
    for (const t_define &detail : d.details)
        f.Add(detail.value);
    for (std::uint8_t flag : {d.ringsOnScreen, d.ilsAxesShown, d.showSidNames, d.showStarNames, d.showLowNames,
                              d.showHighNames})
        f.Add(flag);
    f.Add(d.screenFontName);
    f.Add(d.screenFontSize);
    const SectorTables &t = s.sector.tables;
    for (const FIXE &fix : t.fixes)
        f.Add(fix.selected);
    for (const QList<ROUTE> *routes : {&t.sids, &t.stars, &t.lowAirways, &t.highAirways})
        for (const ROUTE &r : *routes)
            f.Add(r.selected);
    for (const QList<VOR> *navaids : {&t.vors, &t.ndbs})
        for (const VOR &n : *navaids)
            f.Add(n.detailsShown);
    for (const Airport &a : t.airports) {
        f.Add(a.realMetarReceived);
        f.Add(a.simMetarReceived);
        f.Add(a.windGroup);
    }
    return f.value();
}

void FullRedraw(QImage &picture, RadarState &state, const QDateTime &now, MapReuse reuse)
{
    // 1. Edges of the picture for this view.
    ComputeEdges(state.view, picture.size());

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ScreenFont(state.settings.display));

    // 2-14. The map, from the cache when nothing it shows has changed. The straightforward
    // redraw draws everything with the painter alone.
    ScopeState &scope = state.scope;
    DrawCaches *caches = nullptr;
    if (reuse == MapReuse::Never) {
        DrawMap(painter, state, picture.size());
    } else {
        if (!scope.caches)
            scope.caches = std::make_shared<DrawCaches>();
        caches = scope.caches.get();
        const quint64 signature = MapSignature(state, picture.size());
        if (scope.mapCache.size() != picture.size() || scope.mapCache.format() != picture.format()
            || scope.mapSignature != signature) {
            // The picture kept for the map is reused (a new one costs its pages again).
            if (scope.mapCache.size() != picture.size() || scope.mapCache.format() != picture.format())
                scope.mapCache = QImage(picture.size(), picture.format());
            DrawMapInBands(scope.mapCache, state);
            scope.mapSignature = signature;
        }
        painter.drawImage(0, 0, scope.mapCache);
        caches->Begin(painter, picture);
    }

    ScopeCanvas c(painter, state, picture.size(), caches);
    // 15. Text block; 16-17. traffic and "ALERTE"; 18-19. measuring tools.
    DrawTextBlock(c, state, now);
    DrawTraffic(c, state, now);
    DrawMeasuringTools(c, state);
    if (caches)
        caches->End();
}

QString ScopeCaption(const RadarState &s)
{
    const QString &frequency = s.sector.identity.ownFrequency;
    return s.sector.identity.captionText + QStringLiteral("  ") + s.link.auxStatus + QStringLiteral("     ")
           + QStringLiteral(" DM: ") + s.sector.identity.declinationText + QStringLiteral("      visu: ")
           + QString::number(s.view.range) + QStringLiteral("nm") + QStringLiteral("   frequence:")
           + Copy(frequency, 1, 3) + QLatin1Char('.') + Copy(frequency, 4, 3) + QStringLiteral("   ")
           + s.link.status + QString(31, QLatin1Char(' ')) + s.app.versionTag;
}

} // namespace zaz
