#include "state/RadarState.h"

namespace zaz {

LinkGroups LinkGroupsOf(RadarState &state)
{
    return {state.link, state.traffic, state.controllers, state.weather, state.sector, state.notifier};
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
    emit state.notifier.statusText(0, status);
    emit state.notifier.captionText(state.sector.identity.captionText);
    emit state.notifier.sectorLoaded();
    emit state.notifier.redrawWanted();
}

QString ScopeCaption(const RadarState &s)
{
    const QString &frequency = s.sector.identity.ownFrequency;
    return s.sector.identity.captionText + QStringLiteral("  ") + s.link.auxStatus + QStringLiteral("     ")
           + QStringLiteral(" DM: ") + s.sector.identity.declinationText + QStringLiteral("      visu: ")
           + QString::number(s.view.range) + QStringLiteral("nm") + QStringLiteral("   frequence:")
           + Copy(frequency, 1, 3) + QLatin1Char('.') + Copy(frequency, 4, 3) + QStringLiteral("   ")
           + s.link.status + QString(31, QLatin1Char(' ')) + s.app.versionTag;
}

} // namespace zaz
