#include "scope/ScopeRenderer.h"

#include "core/Text.h"
#include "scope/DrawCache.h"
#include "scope/MapLayers.h"
#include "scope/TextBlock.h"
#include "scope/TrafficLayer.h"


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

// Steps 2 to 14: the background and the map layers, bottom first.
void DrawMap(QPainter &painter, const ScopeScene &scene, QSize size, DrawCaches *caches = nullptr)
{
    ScopeCanvas c(painter, scene, size, caches);
    painter.fillRect(QRect(QPoint(0, 0), size), c.tableColour(kColBackground));
    const SectorTables &t = scene.sector.tables;
    const DisplaySettings &d = scene.display;
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

// Steps 15 to 19, over the map: the text block, the traffic and "ALERTE", the measuring
// tools.
void DrawOverMap(ScopeCanvas &c, const QDateTime &now)
{
    DrawTextBlock(c, now);
    DrawTraffic(c);
    DrawMeasuringTools(c);
}

} // namespace

ScopeRenderer::ScopeRenderer() = default;
ScopeRenderer::~ScopeRenderer() = default;

void ScopeRenderer::draw(QImage &picture, const ScopeScene &scene, const QDateTime &now)
{
    // 2-14. The map, from its picture when nothing it shows has changed.
    const quint64 signature = MapSignature(scene, picture.size());
    if (mapCache_.size() != picture.size() || mapCache_.format() != picture.format() || mapSignature_ != signature) {
        // The picture kept for the map is reused (a new one costs its pages again).
        if (mapCache_.size() != picture.size() || mapCache_.format() != picture.format())
            mapCache_ = QImage(picture.size(), picture.format());
        if (!mapCaches_)
            mapCaches_ = std::make_unique<DrawCaches>();
        QPainter painter(&mapCache_);
        Prepare(painter, scene);
        mapCaches_->begin(painter, mapCache_);
        DrawMap(painter, scene, mapCache_.size(), mapCaches_.get());
        mapCaches_->end();
        mapSignature_ = signature;
    }
    QPainter painter(&picture);
    Prepare(painter, scene);
    painter.drawImage(0, 0, mapCache_);
    if (!caches_)
        caches_ = std::make_unique<DrawCaches>();
    caches_->begin(painter, picture);
    ScopeCanvas c(painter, scene, picture.size(), caches_.get());
    DrawOverMap(c, now);
    caches_->end();
}

void DrawScopeStraight(QImage &picture, const ScopeScene &scene, const QDateTime &now)
{
    QPainter painter(&picture);
    Prepare(painter, scene);
    DrawMap(painter, scene, picture.size());
    ScopeCanvas c(painter, scene, picture.size());
    DrawOverMap(c, now);
}

void DrawMapLayers(QImage &picture, const ScopeScene &scene)
{
    QPainter painter(&picture);
    Prepare(painter, scene);
    DrawMap(painter, scene, picture.size());
}

quint64 MapSignature(const ScopeScene &s, QSize picture)
{
    Fingerprint f;
    f.add(picture.width());
    f.add(picture.height());
    const ViewState &v = s.view;
    for (float x : {v.centreLat, v.centreLon, v.scale, v.nmPerDegLat, v.nmPerDegLon})
        f.add(x);
    f.add(v.ringSpacing);
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
