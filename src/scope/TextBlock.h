// The cyan text block at the top left of the scope: time, ATIS or new METAR, transition,
// QNH and wind; and the measuring tools drawn over everything.
#pragma once

#include "scope/MapLayers.h"

#include <QDateTime>

namespace zaz {

void DrawTextBlock(ScopeCanvas &c, const QDateTime &now);
void DrawMeasuringTools(ScopeCanvas &c);

} // namespace zaz
