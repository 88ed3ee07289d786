#include "scope/ScopeRenderer.h"

#include "core/Text.h"
#include "scope/MapLayers.h"
#include "sector/Projection.h"

namespace zaz {

void FullRedraw(QImage &picture, RadarState &state)
{
    // 1. Edges of the picture for this view.
    ComputeEdges(state.view, picture.size());

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = ScreenFont(state.settings.display);
    painter.setFont(font);
    ScopeCanvas c(painter, state, picture.size());

    // 2. Background.
    painter.fillRect(picture.rect(), c.Colour(kColBackground));

    const SectorTables &t = state.sector.tables;
    const DisplaySettings &d = state.settings.display;
    // 3-14. The map, bottom layer first.
    DrawGeo(c);
    DrawRangeRings(c);
    DrawRoutes(c, t.lowAirways, kColLowAirways, d.showLowNames != 0, NamePlace::EachSegmentStart);
    DrawRoutes(c, t.highAirways, kColHighAirways, d.showHighNames != 0, NamePlace::EachSegmentStart);
    DrawBoundaries(c, t.artcc, kColArtcc);
    DrawBoundaries(c, t.artccLow, kColArtccLow);
    DrawBoundaries(c, t.artccHigh, kColArtccHigh);
    DrawRunways(c);
    DrawAirports(c);
    DrawFixes(c);
    DrawNavaids(c, t.vors, kColVor, true);
    DrawNavaids(c, t.ndbs, kColNdb, false);
    DrawRoutes(c, t.sids, kColSid, d.showSidNames != 0, NamePlace::LastSegmentEnd);
    DrawRoutes(c, t.stars, kColStar, d.showStarNames != 0, NamePlace::FirstSegmentEnd);
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
