#include "scope/TextBlock.h"

namespace zaz {

void DrawTextBlock(ScopeCanvas &c, const QDateTime &now)
{
    const QColor cyan(0, 255, 255);
    const ScopeScene &scene = c.scene();
    const WeatherState &w = scene.weather;
    if (scene.sim.connected) {
        c.textOut(10, 20, scene.sim.zuluTime + QStringLiteral(" (Local") + scene.sim.localTime + QLatin1Char(')'),
                  cyan);
    } else {
        // The clock's time in UTC, as "hhhmm Z" (now may be in local time or in UTC).
        const QString time = now.toUTC().time().toString(QStringLiteral("HH:mm")).replace(QLatin1Char(':'),
                                                                                            QLatin1Char('h'));
        c.textOut(10, 20, time + QStringLiteral(" Z"), cyan);
    }
    c.textOut(10, 60, QStringLiteral("transition: ") + QString::number(w.transitionAltitude) + QStringLiteral("ft"),
              cyan);
    c.textOut(10, 80,
              scene.sector.identity.airport + QStringLiteral(": QNH=") + w.qnhText + QLatin1Char('(') + w.altimeterText
                  + QLatin1Char(')'),
              cyan);
    if (w.timerRunning) {
        const t_wind &wind = w.CurrentWeather.wind;
        c.textOut(10, 100,
                  QStringLiteral(" vent:") + wind.altitude + QLatin1Char('-') + wind.depth + QLatin1Char(' ')
                      + wind.direction + QLatin1Char(' ') + wind.speed + wind.unit,
                  cyan);
    } else {
        c.textOut(10, 100, QStringLiteral(" vent:") + w.manualWind1 + QLatin1Char(' ') + w.manualWind2 + w.windUnit,
                  cyan);
        c.textOut(10, 120, QStringLiteral("METEO manuelle"), cyan);
    }
    if (w.newMetar)
        c.textOut(10, 40, QStringLiteral("NOUVEAU METAR"), QColor(255, 0, 0));
    else
        c.textOut(10, 40, QStringLiteral("INFO:") + w.atisLetterText, cyan);
}

void DrawMeasuringTools(ScopeCanvas &c)
{
    const ScopeState &tools = c.scene().tools;
    const QColor cursorColour = c.tableColour(kColSelected);
    const MeasuringCursor &m = tools.cursor;
    if (m.shown) {
        const QPoint p = m.point1;
        c.textOut(p.x(), p.y(), QStringLiteral("+"), cursorColour);
        c.textOut(p.x() + 14, p.y(), m.distanceText + QStringLiteral("nm"), cursorColour);
        c.textOut(p.x() + 14, p.y() + 14, m.timeText + QStringLiteral("min"), cursorColour);
        c.textOut(p.x() + 14, p.y() + 28, m.bearingText, cursorColour);
    }
    const RangeLine &r = tools.rangeLine;
    if (r.shown) {
        const QColor colour = c.tableColour(kColRangeLine);
        c.pen(colour, 1, Qt::DotLine);
        const QPointF line[] = {r.point1, r.point2};
        c.polyline(line, 2);
        c.textOut(r.point2.x() + 14, r.point2.y(), r.distanceText + QStringLiteral("nm"), colour);
        c.textOut(r.point2.x() + 14, r.point2.y() + 14, r.bearingText, colour);
    }
}

} // namespace zaz
