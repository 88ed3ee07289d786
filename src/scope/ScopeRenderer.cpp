#include "scope/ScopeRenderer.h"

#include "core/Text.h"
#include "scope/DirectPixels.h"
#include "scope/DrawCache.h"
#include "scope/MapLayers.h"
#include "scope/TextBlock.h"
#include "scope/TrafficLayer.h"
#include "sector/Projection.h"

#include <QThread>

#include <atomic>
#include <cstring>

namespace zaz {

namespace {

// FNV-1a over the bytes of the values fed in.
class Fingerprint {
public:
    template <typename T>
    void add(const T &value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes(&value, sizeof value);
    }
    void add(const QString &text)
    {
        add(text.size());
        bytes(text.constData(), size_t(text.size()) * sizeof(QChar));
    }
    quint64 value() const { return hash_; }

private:
    void bytes(const void *data, size_t size)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        for (size_t i = 0; i < size; ++i) {
            hash_ ^= p[i];
            hash_ *= 1099511628211ull;
        }
    }
    quint64 hash_ = 1469598103934665603ull;
};

QPainter &Prepare(QPainter &painter, const ScopeScene &scene)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(ScreenFont(scene.display));
    return painter;
}

constexpr size_t kTilesForHelper = 2;
// Pictures lower than two bands of this many rows are drawn over in one piece.
constexpr int kMinBand = 64;

quint64 TileKey(int column, int row)
{
    return quint64(quint32(column)) << 32 | quint32(row);
}

// The picture's size in logical pixels.
QSize LogicalSize(const QImage &picture)
{
    const qreal ratio = picture.devicePixelRatio();
    return QSize(qRound(picture.width() / ratio), qRound(picture.height() / ratio));
}

// Copies what falls within rows of tile into picture (its pixels at bits), the tile's
// top-left at the device pixel at.
void Blit(const QImage &picture, uchar *bits, const QImage &tile, QPoint at, const QRect &rows)
{
    const QRect target = QRect(at, tile.size()) & picture.rect() & rows;
    if (target.isEmpty())
        return;
    const int bytes = picture.depth() / 8;
    for (int y = target.top(); y <= target.bottom(); ++y)
        std::memcpy(bits + qsizetype(y) * picture.bytesPerLine() + qsizetype(target.left()) * bytes,
                    tile.constScanLine(y - at.y()) + qsizetype(target.left() - at.x()) * bytes,
                    size_t(target.width()) * size_t(bytes));
}

// The tiles a view of this logical size shows: from first to last (world tiles), and the
// view's origin in world pixels.
struct TileSpan {
    TileSpan(const ViewState &view, QSize logical)
        : origin(ViewOrigin(view))
        , first(TileOf(origin.x()), TileOf(origin.y()))
        , last(TileOf(origin.x() + logical.width() - 1), TileOf(origin.y() + logical.height() - 1))
    {
    }
    QPoint origin, first, last;
};

// Copies the device pixel rows of picture (its pixels at bits) from the kept tiles the view
// shows.
void CopyTiles(const QImage &picture, uchar *bits, const ScopeScene &s, const MapTiles &store, const QRect &rows)
{
    const int device = std::max(1, qRound(picture.devicePixelRatio()));
    const TileSpan span(s.view, LogicalSize(picture));
    for (int row = span.first.y(); row <= span.last.y(); ++row)
        for (int column = span.first.x(); column <= span.last.x(); ++column) {
            const QPoint tile(column, row);
            Blit(picture, bits, store.tiles.value(TileKey(column, row)).image,
                 (tile * kMapTile - span.origin) * device, rows);
        }
}

// Steps 2 to 14, the background and the map layers: the tiles the view shows, those not kept
// in store drawn first (see CopyTiles). Tiles far from the view are forgotten.
void DrawTiles(const QImage &picture, const ScopeScene &s, MapTiles &store, DrawCaches *caches, DrawHelper *helper,
               std::vector<AngleError> *errors)
{
    const qreal ratio = picture.devicePixelRatio();
    const int device = std::max(1, qRound(ratio));
    const QSize logical = LogicalSize(picture);
    const quint64 signature = MapSignature(s);
    if (store.signature != signature || store.ratio != ratio || store.format != picture.format()) {
        store.tiles.clear();
        store.signature = signature;
        store.ratio = ratio;
        store.format = picture.format();
    }
    const TileSpan span(s.view, logical);
    const QPoint origin = span.origin, first = span.first, last = span.last;
    const int columns = last.x() - first.x() + 1, rows = last.y() - first.y() + 1;
    const QRect view(origin, logical);
    // The part of each tile to draw: none when what the view shows of it is drawn; when
    // nothing is kept at this scale, what the view shows; otherwise the whole tile.
    const bool fresh = store.tiles.isEmpty();
    std::vector<QRect> areas(size_t(columns * rows));
    bool missing = false;
    for (int k = 0; k < columns * rows; ++k) {
        const QPoint tile(first.x() + k % columns, first.y() + k / columns);
        const QRect whole(tile * kMapTile, QSize(kMapTile, kMapTile));
        const auto kept = store.tiles.constFind(TileKey(tile.x(), tile.y()));
        if (kept == store.tiles.constEnd() || !kept->drawn.contains(whole & view)) {
            areas[size_t(k)] = fresh ? whole & view : whole;
            missing = true;
        }
    }
    if (missing) {
        // The approach axes that fail are told in runway order: those of the first half of
        // the runways, then those of the second.
        std::vector<AngleError> laterErrors;
        const auto sinkInto = [&](std::vector<AngleError> *into) -> AngleErrorSink {
            if (!errors)
                return {};
            return [into](const QString &key, float length, float difference) {
                if (into->size() < size_t(ScopeRenderer::kMaxAngleErrors))
                    into->push_back({key, length, difference});
            };
        };
        std::vector<int> wanted;
        for (int k = 0; k < columns * rows; ++k)
            if (!areas[size_t(k)].isEmpty())
                wanted.push_back(k);
        // A drag uncovers a row or a column of tiles: below two, a helper costs more than it
        // saves. With the helper, each drawer plans half of every table, then each tile joins
        // the two halves of its elements.
        const bool shared = helper && wanted.size() >= kTilesForHelper;
        MapPlan plan, later;
        if (shared)
            helper->start([&](const DrawHelper::Caches &) {
                PlanMap(s, QFontMetrics(ScreenFont(s.display), &picture), first, columns, areas,
                        sinkInto(&laterErrors), later, {1, 2});
            });
        PlanMap(s, QFontMetrics(ScreenFont(s.display), &picture), first, columns, areas, sinkInto(errors), plan,
                shared ? PlanShare{0, 2} : PlanShare{});
        if (shared) {
            helper->wait();
            JoinPlans(plan, later);
            for (const AngleError &error : laterErrors)
                if (errors->size() < size_t(ScopeRenderer::kMaxAngleErrors))
                    errors->push_back(error);
        }
        // Tiles do not depend on each other: each drawer takes the next one wanted, with its
        // own caches, so a whole new map (a wheel step) is drawn on every core.
        std::vector<QImage> images(wanted.size());
        std::atomic<size_t> next{0};
        const auto drawTiles = [&](DrawCaches *tileCaches) {
            for (size_t n = next++; n < wanted.size(); n = next++) {
                const int k = wanted[n];
                const QPoint tile(first.x() + k % columns, first.y() + k / columns);
                QImage &image = images[n];
                image = QImage(kMapTile * device, kMapTile * device, picture.format());
                image.setDevicePixelRatio(ratio);
                QPainter painter(&image);
                Prepare(painter, s);
                if (tileCaches)
                    tileCaches->begin(painter, image);
                ScopeCanvas c(painter, s, QSize(kMapTile, kMapTile), tile * kMapTile, tileCaches);
                if (shared)
                    JoinBins(plan.tiles[size_t(k)], later.tiles[size_t(k)]);
                DrawMapTile(c, plan, plan.tiles[size_t(k)]);
            }
            if (tileCaches)
                tileCaches->end();
        };
        if (shared)
            helper->start([&](const DrawHelper::Caches &helperCaches) { drawTiles(helperCaches.map); });
        drawTiles(caches);
        if (shared)
            helper->wait();
        for (size_t n = 0; n < wanted.size(); ++n) {
            const int k = wanted[n];
            const QPoint tile(first.x() + k % columns, first.y() + k / columns);
            store.tiles.insert(TileKey(tile.x(), tile.y()), MapTile{std::move(images[n]), areas[size_t(k)]});
        }
    }
    // Tiles more than two tiles beyond the view are not kept.
    store.tiles.removeIf([&](const QHash<quint64, MapTile>::iterator &it) {
        const int column = int(quint32(it.key() >> 32)), row = int(quint32(it.key()));
        return column < first.x() - 2 || column > last.x() + 2 || row < first.y() - 2 || row > last.y() + 2;
    });
}

// Steps 15 to 19, over the map: the text block, the traffic and "ALERTE", the measuring
// tools.
void DrawOverMap(ScopeCanvas &c, const QDateTime &now)
{
    DrawTextBlock(c, now);
    DrawTraffic(c);
    DrawMeasuringTools(c);
}

} // namespace

// The helper's thread waits for a job, runs it with its caches, and says so. Its caches are
// made and dropped on that thread: the glyphs they keep belong to its fonts.
DrawHelper::DrawHelper()
    : thread_([this] { run(); })
{
}

DrawHelper::~DrawHelper()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void DrawHelper::start(std::function<void(const Caches &)> job)
{
    {
        std::lock_guard lock(mutex_);
        job_ = std::move(job);
    }
    wake_.notify_all();
}

void DrawHelper::wait()
{
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !job_; });
}

void DrawHelper::run()
{
    DrawCaches map, overlay;
    const Caches caches{&map, &overlay};
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || job_; });
        if (quit_)
            return;
        const std::function<void(const Caches &)> job = job_;
        lock.unlock();
        job(caches);
        lock.lock();
        job_ = nullptr;
        done_.notify_all();
    }
}

ScopeRenderer::ScopeRenderer() = default;
ScopeRenderer::~ScopeRenderer() = default;

namespace {

// The scene with the view's edges worked out for the picture.
struct PictureScene {
    PictureScene(const ScopeScene &scene, QSize logical)
        : view(scene.view)
        , scene{scene.sector, view, scene.display, scene.traffic, scene.weather, scene.tools, scene.link, scene.sim}
    {
        ComputeEdges(view, logical);
    }
    ViewState view;
    ScopeScene scene;
};

} // namespace

void ScopeRenderer::draw(QImage &picture, const ScopeScene &scene, const QDateTime &now)
{
    angleErrors_.clear();
    const QSize logical = LogicalSize(picture);
    const PictureScene s(scene, logical);
    if (!mapCaches_) {
        mapCaches_ = std::make_unique<DrawCaches>();
        caches_ = std::make_unique<DrawCaches>();
        // One core draws everything alone.
        if (QThread::idealThreadCount() > 1)
            helper_ = std::make_unique<DrawHelper>();
    }
    DrawTiles(picture, s.scene, tiles_, mapCaches_.get(), helper_.get(), &angleErrors_);
    // The map is copied and drawn over in two bands of rows, the lower one by the helper. Each
    // band is a picture of its own over the same pixels, its painter moved up by the band's
    // top so that everything is drawn at its place on the whole picture.
    uchar *bits = picture.bits(); // taken once: the bands must not copy the picture
    const int device = std::max(1, qRound(picture.devicePixelRatio()));
    const auto band = [&](DrawCaches *caches, int top, int bottom) {
        const QRect rows(0, top * device, picture.width(), (bottom - top) * device);
        CopyTiles(picture, bits, s.scene, tiles_, rows);
        QImage part(bits + qsizetype(rows.top()) * picture.bytesPerLine(), picture.width(), rows.height(),
                    picture.bytesPerLine(), picture.format());
        part.setDevicePixelRatio(picture.devicePixelRatio());
        part.setDotsPerMeterX(picture.dotsPerMeterX());
        part.setDotsPerMeterY(picture.dotsPerMeterY());
        QPainter painter(&part);
        Prepare(painter, s.scene);
        painter.translate(0, -top);
        caches->begin(painter, part, logical);
        ScopeCanvas c(painter, s.scene, logical, caches);
        c.limitRows(top, bottom);
        DrawOverMap(c, now);
        caches->end();
    };
    const int height = logical.height();
    // Only pictures whose pixels the caches write: a painter alone would cut what crosses
    // from one band into the other (and start dotted lines anew there).
    const int split = helper_ && DirectFormat(picture) && height >= 2 * kMinBand ? height / 2 : height;
    if (split < height)
        helper_->start([&](const DrawHelper::Caches &helperCaches) { band(helperCaches.overlay, split, height); });
    band(caches_.get(), 0, split);
    if (split < height)
        helper_->wait();
}

void DrawScopeStraight(QImage &picture, const ScopeScene &scene, const QDateTime &now)
{
    DrawMapLayers(picture, scene);
    QPainter painter(&picture);
    const PictureScene s(scene, LogicalSize(picture));
    Prepare(painter, s.scene);
    ScopeCanvas c(painter, s.scene, LogicalSize(picture));
    DrawOverMap(c, now);
}

void DrawMapLayers(QImage &picture, const ScopeScene &scene)
{
    MapTiles tiles;
    const PictureScene s(scene, LogicalSize(picture));
    DrawTiles(picture, s.scene, tiles, nullptr, nullptr, nullptr);
    CopyTiles(picture, picture.bits(), s.scene, tiles, picture.rect());
}

quint64 MapSignature(const ScopeScene &s)
{
    Fingerprint f;
    const ViewState &v = s.view;
    for (float x : {v.scale, v.nmPerDegLat, v.nmPerDegLon})
        f.add(x);
    f.add(v.ringSpacing);
    // Rings centred on the screen move with the view: every tile shows where it is.
    if (s.display.ringsOnScreen != 0 && s.display.colours[kColRings].visible != 0)
        f.add(GeoToWorldRounded(v, v.centreLat, v.centreLon));
    const SectorIdentity &id = s.sector.identity;
    f.add(id.generation);
    f.add(id.ownLat);
    f.add(id.ownLon);
    const DisplaySettings &d = s.display;
    // The map's colours: background, layers, rings and weather (not the targets' 15 to 19).
    for (int i = 0; i < kColourCount; ++i) {
        if (i >= kColTarget && i <= kColPendingCommand)
            continue;
        f.add(d.colours[i].colour);
        f.add(d.colours[i].visible);
    }
    for (const t_define &detail : d.details)
        f.add(detail.value);
    for (std::uint8_t flag : {d.ringsOnScreen, d.ilsAxesShown, d.showSidNames, d.showStarNames, d.showLowNames,
                              d.showHighNames})
        f.add(flag);
    f.add(d.screenFontName);
    f.add(d.screenFontSize);
    const SectorTables &t = s.sector.tables;
    for (const FIXE &fix : t.fixes)
        f.add(fix.selected);
    for (const QList<ROUTE> *routes : {&t.sids, &t.stars, &t.lowAirways, &t.highAirways})
        for (const ROUTE &r : *routes)
            f.add(r.selected);
    for (const QList<VOR> *navaids : {&t.vors, &t.ndbs})
        for (const VOR &n : *navaids)
            f.add(n.detailsShown);
    for (const Airport &a : t.airports) {
        f.add(a.realMetarReceived);
        f.add(a.simMetarReceived);
        f.add(a.windGroup);
    }
    return f.value();
}

} // namespace zaz
