// The scope the drawing tests start from: each colour entry in a colour of the test's own
// (all shown), no range rings (they cross every other layer; a test that wants them shows
// them), DejaVu Sans 9, and the view centred on 0°/0° at scale pixels a nautical mile with
// 60 nm a degree both ways, its edges computed for the picture.
#pragma once

#include "state/RadarState.h"
#include "sector/Projection.h"

#include <QColor>
#include <QSize>

namespace zaz::test {

inline void PrepareTestScope(RadarState &s, const QColor (&colours)[kColourCount], float scale, QSize picture)
{
    DisplaySettings &d = s.settings.display;
    for (int i = 0; i < kColourCount; ++i)
        d.colours[i] = {QString::number(i), FromQColor(colours[i]), 1};
    d.colours[kColRings].visible = 0;
    d.screenFontName = QStringLiteral("DejaVu Sans");
    d.screenFontSize = 9;
    ViewState &v = s.view;
    v.centreLat = 0;
    v.centreLon = 0;
    v.scale = scale;
    v.nmPerDegLat = 60;
    v.nmPerDegLon = 60;
    ComputeEdges(v, picture);
}

} // namespace zaz::test
