// The full redraw of the scope into the offscreen picture, in drawing order: background and
// map layers of the sector with the range rings, the text block, the traffic with its labels
// and alerts, and the measuring tools. Model code: QtGui only.
#pragma once

#include "core/RadarState.h"

#include <QDateTime>
#include <QImage>

namespace zaz {

enum class MapReuse {
    // The map layers are drawn once and reused while nothing they show has changed.
    Cached,
    // Everything is drawn every time (the reference for the cached picture).
    Never,
};

// Computes the picture's edges from the view and draws everything the state shows into
// picture. May remove aircraft that expired.
void FullRedraw(QImage &picture, RadarState &state, const QDateTime &now, MapReuse reuse = MapReuse::Cached);

// The background and the map layers alone (with the edges computed for the view): the part
// of a redraw that is kept between redraws.
void DrawMapLayers(QImage &picture, RadarState &state);

// A fingerprint of everything the map layers show: the view, the picture size, the sector,
// its selections, the colours and the display flags.
quint64 MapSignature(const RadarState &state, QSize picture);

// The main window's caption: sector, status and view values, connection status, version.
QString ScopeCaption(const RadarState &state);

} // namespace zaz
