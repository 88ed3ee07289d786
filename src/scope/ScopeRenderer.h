// The full redraw of the scope into the offscreen picture, in drawing order: background and
// map layers of the sector with the range rings, the text block, the traffic with its labels
// and alerts, and the measuring tools. The drawing reads the scene only.
#pragma once

#include "scope/ScopeScene.h"

#include <QDateTime>
#include <QImage>
#include <memory>

namespace zaz {

struct DrawCaches;

// Draws the scope, keeping what makes the next redraw fast: the map layers in a picture of
// their own, drawn again only when something they show changes, and the texts and outlines
// earlier redraws laid out. Owned by the view that shows the picture.
class ScopeRenderer {
public:
    ScopeRenderer();
    ~ScopeRenderer();
    ScopeRenderer(const ScopeRenderer &) = delete;
    ScopeRenderer &operator=(const ScopeRenderer &) = delete;

    // Draws everything the scene shows into picture.
    void draw(QImage &picture, const ScopeScene &scene, const QDateTime &now);

private:
    QImage mapCache_;
    quint64 mapSignature_ = 0;
    // Texts laid out and outlines rasterised by earlier redraws (made by the first one), for
    // the map and for the traffic.
    std::unique_ptr<DrawCaches> mapCaches_;
    std::unique_ptr<DrawCaches> caches_;
};

// The straightforward redraw: everything drawn by the painter alone, every time (the
// reference the renderer's pictures are checked against).
void DrawScopeStraight(QImage &picture, const ScopeScene &scene, const QDateTime &now);

// The background and the map layers alone: the part of a redraw that is kept between
// redraws.
void DrawMapLayers(QImage &picture, const ScopeScene &scene);

// A fingerprint of everything the map layers show: the view, the picture size, the sector,
// its selections, the colours and the display flags.
quint64 MapSignature(const ScopeScene &scene, QSize picture);

} // namespace zaz
