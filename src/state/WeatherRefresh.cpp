#include "state/WeatherRefresh.h"

#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "weather/MetarFetch.h"
#include "weather/Stations.h"

namespace zaz {

bool SendMetarToServer(LinkState &link, LineSender &sender, const QString &metar)
{
    return SendLogged(link, sender, MetarLine(metar), SendLog::Always);
}

bool RequestServerMetar(LinkState &link, LineSender &sender)
{
    if (!link.loggedIn || link.serverType != QLatin1String("FSD") || link.WeatherStation.isEmpty())
        return false;
    return SendLogged(link, sender, MetarRequestLine(link.OwnCallsign, link.WeatherStation), SendLog::Always);
}

void PublishStationMetars(RadarState &state, LineSender &sender)
{
    for (const QString &metar : PublishStationMetars(state.weather, state.sector))
        SendMetarToServer(state.link, sender, metar);
}

void RefreshWeather(RadarState &state, MetarFetch &fetch, LineSender *server)
{
    ClearStationMetars(state.sector);
    BuildStationList(state.weather, state.sector, state.link.OwnLat, state.link.OwnLon);
    // Simulator weather is asked through the simulator session; the internet fetch runs
    // whenever the source is the weather server's name.
    const QString &source = state.weather.CurrentWeather.source;
    if (!source.isEmpty() && source == state.sim.simulatorName && state.sim.commands.requestStations)
        state.sim.commands.requestStations();
    if (!source.isEmpty() && source == state.weather.server.server)
        fetch.StartInternetFetch();
    if (server)
        RequestServerMetar(state.link, *server);
}

void RefreshTimerStep(RadarState &state, MetarFetch &fetch, LineSender *server)
{
    state.weather.CurrentWeather.station = state.link.WeatherStation;
    RefreshWeather(state, fetch, server);
}

} // namespace zaz
