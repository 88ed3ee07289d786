// The full redraw of the scope into the offscreen picture, in drawing order: background and
// map layers of the sector with the range rings, the text block, the traffic with its labels
// and alerts, and the measuring tools. The drawing reads the scene only.
#pragma once

#include "scope/ScopeScene.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <bit>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zaz {

struct DrawCaches;

// An approach axis whose direction could not be worked out: the key of the difference
// ("x2-x1" or "y2-y1"), the length and the difference (see PointAtAngle).
struct AngleError {
    QString key;
    float length = 0;
    float difference = 0;
    // The same error: the same key and the same bits (a NaN is the same NaN).
    bool operator==(const AngleError &other) const
    {
        return key == other.key && std::bit_cast<quint32>(length) == std::bit_cast<quint32>(other.length)
               && std::bit_cast<quint32>(difference) == std::bit_cast<quint32>(other.difference);
    }
};

// The map's tiles (see kMapTile) drawn so far for one scale, colour table, selection...:
// a view that pans shows most of the same tiles, and draws only those it uncovers. The
// first redraw at a scale draws only what the picture shows of the tiles on its edges.
struct MapTile {
    QImage image;
    QRect drawn; // the world pixels of the tile that are final
};
struct MapTiles {
    quint64 signature = 0;
    qreal ratio = 0;
    QImage::Format format = QImage::Format_Invalid;
    QHash<quint64, MapTile> tiles; // by (column << 32 | row) in world tiles
};

// A second drawer on a thread of its own, kept for the renderer's life: when a redraw has
// several map tiles to draw, it takes tiles beside the caller (a wheel step draws a whole
// new map), then it draws what goes over the map on the lower half of the picture while the
// caller draws the upper half. Tiles do not depend on each other, and a painter draws the
// same pixels on a part of the picture as on the whole, so who draws what changes nothing.
class DrawHelper {
public:
    // The helper's caches, one set for the map's tiles and one for what goes over the map.
    struct Caches {
        DrawCaches *map;
        DrawCaches *overlay;
    };
    DrawHelper();
    ~DrawHelper();
    DrawHelper(const DrawHelper &) = delete;
    DrawHelper &operator=(const DrawHelper &) = delete;

    // Runs job on the helper's thread with the helper's caches; wait() returns once it ran.
    void start(std::function<void(const Caches &)> job);
    void wait();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::function<void(const Caches &)> job_;
    bool quit_ = false;
    std::thread thread_; // last: started once the rest is ready
};

// Draws the scope, keeping what makes the next redraw fast: the map's tiles, drawn again
// only when something they show changes, and the texts and outlines earlier redraws laid
// out. Owned by the view that shows the picture. The picture's pixels are whole bytes
// (Format_RGB32 in the program). Its device pixel ratio (a whole number) is honoured: at 2
// the picture holds twice the pixels each way, lines and texts drawn at that resolution,
// while the view and every position stay in logical pixels.
class ScopeRenderer {
public:
    ScopeRenderer();
    ~ScopeRenderer();
    ScopeRenderer(const ScopeRenderer &) = delete;
    ScopeRenderer &operator=(const ScopeRenderer &) = delete;

    // Draws everything the scene shows into picture.
    void draw(QImage &picture, const ScopeScene &scene, const QDateTime &now);

    // The approach axes the last redraw could not orient (at most kMaxAngleErrors): the
    // drawing writes no file, its caller reports them.
    static constexpr int kMaxAngleErrors = 16;
    const std::vector<AngleError> &angleErrors() const { return angleErrors_; }

private:
    MapTiles tiles_;
    // Texts laid out and outlines rasterised by earlier redraws (made by the first one), for
    // the map and for the traffic.
    std::unique_ptr<DrawCaches> mapCaches_;
    std::unique_ptr<DrawHelper> helper_;
    std::unique_ptr<DrawCaches> caches_;
    std::vector<AngleError> angleErrors_;
};

// The straightforward redraw: everything drawn by the painter alone, nothing kept (the
// reference the renderer's pictures are checked against).
void DrawScopeStraight(QImage &picture, const ScopeScene &scene, const QDateTime &now);

// The background and the map layers alone, drawn by the painter.
void DrawMapLayers(QImage &picture, const ScopeScene &scene);

// A fingerprint of everything the map's tiles show: the scale, the sector, its selections,
// the colours, the display flags (and the view's centre only while the range rings are
// centred on it). Not the picture's size, nor, otherwise, where the view is.
quint64 MapSignature(const ScopeScene &scene);

} // namespace zaz
