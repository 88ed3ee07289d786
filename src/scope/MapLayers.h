// Drawing of the sector's map layers and of the range rings onto the scope picture.
#pragma once

#include "scope/DrawCache.h"
#include "scope/ScopeScene.h"
#include "sector/Projection.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <climits>
#include <vector>

namespace zaz {

// What every layer draws with: the painter on the picture, the scene, the view with the
// picture's edges, the colour table, the picture's size and its origin in world pixels (see
// GeoToWorld); and, when given, the caches that draw the same pixels faster (without them
// every text and outline goes straight to the painter). Sizes and positions are logical
// pixels: on a picture with a device pixel ratio the painter scales them.
class ScopeCanvas {
public:
    // A canvas over the whole picture, its origin the view's.
    ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, DrawCaches *caches = nullptr);
    // A canvas over a piece of the map of this size whose top-left is the world pixel origin.
    ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, QPoint origin, DrawCaches *caches);

    QPainter &painter() { return p_; }
    const ScopeScene &scene() const { return s_; }
    // The scene's view with the edges of the whole picture.
    const ViewState &view() const { return view_; }
    QSize size() const { return size_; }
    QPoint origin() const { return origin_; }
    DrawCaches *caches() const { return caches_; }

    // The colour of a colour-table entry and whether its layer is drawn.
    QColor tableColour(int entry) const;
    bool visible(int entry) const;
    void pen(const QColor &colour, int width = 1, Qt::PenStyle style = Qt::SolidLine);

    // Text with its top-left corner at (x, y), in colour; on the background colour when
    // opaque, otherwise over what is there. slot: where a text of the sector's tables comes
    // from (the table by its bin), for the caches.
    void textOut(int x, int y, const QString &text, const QColor &colour, bool opaque = false, TextSlot slot = {});

    // A canvas that draws only rows top to bottom (excluded) of the picture: texts wholly
    // outside them are skipped (the painter would draw nothing of them).
    void limitRows(int top, int bottom)
    {
        rowsTop_ = top;
        rowsBottom_ = bottom;
    }

    // The pixel of a point on this canvas: its rounded world pixel less the origin.
    QPoint project(float lat, float lon) const;

    // painter().drawEllipse(centre, rx, ry) and painter().drawPolyline(points, count), for
    // small outlines drawn again at the same place redraw after redraw (and for any outline
    // on a canvas over some rows of the picture: see OutlineCache).
    void ellipse(QPointF centre, qreal rx, qreal ry);
    void polyline(const QPointF *points, int count);
    // painter().drawLine(a, b).
    void line(QPoint a, QPoint b);

private:
    QPainter &p_;
    const ScopeScene &s_;
    ViewState view_;
    QSize size_;
    QPoint origin_;
    int ascent_;
    int height_;
    DrawCaches *caches_;
    int rowsTop_ = INT_MIN / 4;
    int rowsBottom_ = INT_MAX / 4;
};

// The map is drawn in square tiles of this many logical pixels, fixed in the world: tile
// (i, j) shows the world pixels from (i, j) × kMapTile.
inline constexpr int kMapTile = 512;
// The column (or row) of the tile holding a world pixel.
inline int TileOf(int worldPixel)
{
    return worldPixel >= 0 ? worldPixel / kMapTile : -((-worldPixel + kMapTile - 1) / kMapTile);
}

// The elements of the sector's tables that reach one tile, in table order: GEO lines, ground
// labels, route and boundary segments (route << 32 | segment), runways, airports, fixes,
// VORs and NDBs. The range rings are tested as they are drawn.
enum MapBin { kBinGeo, kBinTaxiways, kBinParkings, kBinLow, kBinHigh, kBinArtcc, kBinArtccLow, kBinArtccHigh,
              kBinRunways, kBinAirports, kBinFixes, kBinVors, kBinNdbs, kBinSids, kBinStars, kBinCount };
struct MapBins {
    std::vector<quint64> items[kBinCount];
};

// The dashed approach axis at one runway end, in world pixels, worked out once for every
// tile it crosses.
struct AxisFigure {
    bool shown = false;
    QPoint fork1[4];
    QPoint fork2[3];
};

// What the tiles of one redraw draw: each tile's bins, and two axes a runway (from its
// threshold, then from the opposite end).
struct MapPlan {
    std::vector<MapBins> tiles;
    std::vector<AxisFigure> axes;
};

// The rows of the tables one planner takes when several plan one redraw: the part-th of
// parts equal runs of every table.
struct PlanShare {
    int part = 0;
    int parts = 1;
};

// Sorts the elements of the scene's tables (the share's rows of each) into the bins of the
// tiles asked for: tiles (first.x() + k % columns, first.y() + k / columns), plan.tiles[k] the
// elements that reach areas[k] (world pixels within the tile; empty: the tile is not drawn);
// works out the approach axes, telling angleErrors of those that fail in runway order.
// metrics: the scope font's, for the room of the names.
void PlanMap(const ScopeScene &scene, const QFontMetrics &metrics, QPoint first, int columns,
             const std::vector<QRect> &areas, const AngleErrorSink &angleErrors, MapPlan &plan,
             PlanShare share = {});
// Joins what a planner of later rows found to plan: its approach axes, and, one tile at a
// time, its elements after those of the same bin.
void JoinPlans(MapPlan &plan, const MapPlan &later);
void JoinBins(MapBins &bins, const MapBins &later);

// The background, the map layers and the range rings of one tile, bottom first: the tile's
// pixels are final where the elements of bins reach.
void DrawMapTile(ScopeCanvas &c, const MapPlan &plan, const MapBins &bins);

} // namespace zaz
