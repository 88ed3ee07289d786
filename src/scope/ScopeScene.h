// What the scope draws, read-only: the drawing never changes the state it shows.
#pragma once

#include "link/LinkState.h"
#include "scope/DisplaySettings.h"
#include "scope/ScopeState.h"
#include "sector/SectorState.h"
#include "sector/ViewState.h"
#include "sim/SimState.h"
#include "traffic/TrafficState.h"
#include "weather/WeatherState.h"

namespace zaz {

struct ScopeScene {
    const SectorState &sector;
    const ViewState &view;
    const DisplaySettings &display;
    const TrafficState &traffic;
    const WeatherState &weather;
    const ScopeState &tools;
    const LinkState &link;
    const SimState &sim;
};

} // namespace zaz
