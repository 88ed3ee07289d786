// The stations' weather over time: the refresh (button and timer), the METARs forwarded to
// the server, and the own airport's METAR asked of an "FSD" server.
#pragma once

#include "state/RadarState.h"

#include <QString>

namespace zaz {

class LineSender;
class MetarFetch;

// "METAR:SERVER:VIREO-SERVER:" + metar + ":" on the server link; false when refused.
bool SendMetarToServer(LinkState &link, LineSender &sender, const QString &metar);

// "$AX<own>:SERVER:METAR:<own airport>" while logged in to an "FSD" server; false when
// nothing was sent.
bool RequestServerMetar(LinkState &link, LineSender &sender);

// The publish box ticked: every stored METAR is forwarded and marked sent.
void PublishStationMetars(RadarState &state, LineSender &sender);

// Forgets the stations' METARs, rebuilds the station list around the own position and
// fetches it again from the chosen source; with a server link, the own airport's METAR is
// asked of an "FSD" server as well.
void RefreshWeather(RadarState &state, MetarFetch &fetch, LineSender *server);

// The refresh timer: the own airport becomes the selected station, then RefreshWeather.
void RefreshTimerStep(RadarState &state, MetarFetch &fetch, LineSender *server);

} // namespace zaz
