// Drawing of the sector's map layers and of the range rings onto the scope picture.
#pragma once

#include "scope/ScopeScene.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace zaz {

struct DrawCaches;

// What every layer draws with: the painter on the picture, the scene, the view with the
// picture's edges, the colour table and the picture size; and, when given, the caches that
// draw the same pixels faster (without them every text and outline goes straight to the
// painter).
class ScopeCanvas {
public:
    ScopeCanvas(QPainter &painter, const ScopeScene &scene, QSize picture, DrawCaches *caches = nullptr);

    QPainter &painter() { return p_; }
    const ScopeScene &scene() const { return s_; }
    // The scene's view with the edges of this picture.
    const ViewState &view() const { return view_; }
    QSize size() const { return size_; }
    DrawCaches *caches() const { return caches_; }

    // The colour of a colour-table entry and whether its layer is drawn.
    QColor tableColour(int entry) const;
    bool visible(int entry) const;
    void pen(const QColor &colour, int width = 1, Qt::PenStyle style = Qt::SolidLine);

    // Text with its top-left corner at (x, y), in colour; on the background colour when
    // opaque, otherwise over what is there.
    void textOut(int x, int y, const QString &text, const QColor &colour, bool opaque = false);

    QPoint project(float lat, float lon) const;

    // painter().drawEllipse(centre, rx, ry) and painter().drawPolyline(points, count), for
    // small outlines drawn again at the same place redraw after redraw.
    void ellipse(QPointF centre, qreal rx, qreal ry);
    void polyline(const QPointF *points, int count);

private:
    QPainter &p_;
    const ScopeScene &s_;
    ViewState view_;
    QSize size_;
    int ascent_;
    int height_;
    DrawCaches *caches_;
};

void DrawGeo(ScopeCanvas &c);
void DrawRangeRings(ScopeCanvas &c);
// Where a route's name is written when names are shown: at each drawn segment's start
// + (20, 20) (airways), or at the end of the last (SID) or first (STAR) segment + (10, 10)
// when that segment is drawn.
enum class NamePlace { EachSegmentStart, LastSegmentEnd, FirstSegmentEnd };
// Selected routes of a table, every visible segment.
void DrawRoutes(ScopeCanvas &c, const QList<ROUTE> &table, int entry, bool names, NamePlace place);
// Boundaries: every segment, no names, no selection.
void DrawBoundaries(ScopeCanvas &c, const QList<ROUTE> &table, int entry);
void DrawRunways(ScopeCanvas &c);
void DrawAirports(ScopeCanvas &c);
void DrawFixes(ScopeCanvas &c);
void DrawNavaids(ScopeCanvas &c, const QList<VOR> &table, int entry, bool hexagon);

} // namespace zaz
