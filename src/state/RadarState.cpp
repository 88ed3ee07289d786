#include "state/RadarState.h"

#include "weather/Stations.h"

namespace zaz {

LinkGroups LinkGroupsOf(RadarState &state)
{
    return {state.link, state.traffic, state.controllers, state.weather, state.sector, state.notifier};
}

SimGroups SimGroupsOf(RadarState &state)
{
    return {state.traffic,   state.weather, state.sector, state.sim, state.planFiles, state.link.WeatherStation,
            state.link.OwnAltitude};
}

ScopeScene SceneOf(const RadarState &state)
{
    return {state.sector, state.view,  state.settings.display, state.traffic, state.weather,
            state.scope,  state.link, state.sim};
}

SectorReadSettings ReadSettingsOf(const RadarState &state)
{
    return {state.settings.display.details, state.settings.selections, false};
}

void ApplySectorLoad(RadarState &state, SectorLoadResult &&result)
{
    const QString status = result.statusText;
    ApplySectorLoad(state.sector, state.view, std::move(result));
    // The sector says who the controller is: callsign, airport (weather station, own
    // position) and COM1, which the connection dialog and the link start from. A sector
    // without [INFO] changes none of them, nor a load while connected (the server knows
    // us by the callsign we logged in with).
    const SectorIdentity &id = state.sector.identity;
    LinkState &link = state.link;
    if (!link.connected && !id.callsign.trimmed().isEmpty()) {
        link.OwnCallsign = id.callsign.trimmed();
        link.WeatherStation = id.airport.trimmed();
        state.weather.CurrentWeather.station = link.WeatherStation;
        link.OwnLat = id.ownLat;
        link.OwnLon = id.ownLon;
        // COM1 as the sector writes it ("118.100"); unchanged when no airport matches.
        for (const Airport &a : std::as_const(state.sector.tables.airports)) {
            if (!link.WeatherStation.isEmpty() && a.identifier.trimmed() == link.WeatherStation) {
                link.Com1Frequency = a.frequency.trimmed();
                link.Com1Digits = QString(link.Com1Frequency).remove(QLatin1Char('.'));
            }
        }
    }
    // The new sector's airports around the own position are the weather stations.
    BuildStationList(state.weather, state.sector, link.OwnLat, link.OwnLon);
    emit state.notifier.statusText(0, status);
    emit state.notifier.captionText(state.sector.identity.captionText);
    emit state.notifier.sectorLoaded();
    emit state.notifier.redrawWanted();
}

QString ScopeCaption(const RadarState &s)
{
    // COM1 as tuned in the radio window, the sector's airport frequency until then.
    const QString &frequency = s.link.Com1Digits.isEmpty() ? s.sector.identity.ownFrequency : s.link.Com1Digits;
    return s.sector.identity.captionText + QStringLiteral("  ") + s.link.auxStatus + QStringLiteral("     ")
           + QStringLiteral(" DM: ") + s.sector.identity.declinationText + QStringLiteral("      visu: ")
           + QString::number(s.view.range) + QStringLiteral("nm") + QStringLiteral("   frequence:")
           + Copy(frequency, 1, 3) + QLatin1Char('.') + Copy(frequency, 4, 3) + QStringLiteral("   ")
           + s.link.status + QString(31, QLatin1Char(' ')) + s.app.versionTag;
}

} // namespace zaz
