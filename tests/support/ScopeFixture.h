// The scope the drawing tests start from: each colour entry in a colour of the test's own
// (all shown), no range rings (they cross every other layer; a test that wants them shows
// them), DejaVu Sans 9, and the view centred on 0°/0° at scale pixels a nautical mile with
// 60 nm a degree both ways. The view's edges are left as the program leaves them: the
// drawing computes its own for the picture it draws.
#pragma once

#include "sector/Projection.h"
#include "state/RadarState.h"

namespace zaz::test {

inline void PrepareTestScope(RadarState &s, const QColor (&colours)[kColourCount], float scale)
{
    DisplaySettings &d = s.settings.display;
    for (int i = 0; i < kColourCount; ++i)
        d.colours[i] = {QString::number(i), FromQColor(colours[i]), 1};
    d.colours[kColRings].visible = 0;
    d.screenFontName = QStringLiteral("DejaVu Sans");
    d.screenFontSize = 9;
    s.view = ViewState{.scale = scale, .nmPerDegLat = 60, .nmPerDegLon = 60};
}

// The point under the pixel (x, y) of a picture of this size: x longitude, y latitude.
inline QPointF PixelToGeo(const ViewState &view, QSize picture, double x, double y)
{
    ViewState edges = view;
    ComputeEdges(edges, picture);
    return ScreenToGeo(edges, x, y);
}

} // namespace zaz::test
