// The step the model takes before every redraw (the read timer's ticks among them).
// Whatever the drawing shows has been settled here first; the windows learn of the changes
// through the notifier.
#pragma once

#include "state/RadarState.h"

#include <QDateTime>

namespace zaz {

// The model step before every redraw of the scope: alerts, expiry and route advance of the
// traffic, with the notices of what changed.
void StepBeforeRedraw(RadarState &state, const QDateTime &now);

} // namespace zaz
