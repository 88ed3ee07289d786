// The full redraw of the scope into the offscreen picture: background, map layers of the
// sector, range rings. Model code: QtGui only.
#pragma once

#include "core/RadarState.h"

#include <QImage>

namespace zaz {

// Computes the picture's edges from the view and draws everything the state shows into
// picture, in drawing order.
void FullRedraw(QImage &picture, RadarState &state);

// The main window's caption: sector, status and view values, connection status, version.
QString ScopeCaption(const RadarState &state);

} // namespace zaz
