#include "weather/Atis.h"

#include "core/Text.h"

namespace zaz {

namespace {

const QString kSkyClear = QStringLiteral("sky clear");
const QString kNoPrecipitation = QStringLiteral("none");

// The summary's and the broadcast's text of a visibility: "0800" is read 800 metres, a
// value in KM or SM and "CAVOK" are said as they are.
QString VisibilityText(const QString &distance)
{
    if (!distance.contains(QLatin1String("KM")) && !distance.contains(QLatin1String("SM"))
        && distance != QLatin1String("CAVOK"))
        return QStringLiteral("visibility ") + Copy(distance, 1, 4) + QStringLiteral(" meter");
    return QStringLiteral("visibility ") + distance;
}

QString WithoutLeadingZero(const QString &text)
{
    return text.startsWith(QLatin1Char('0')) ? text.mid(1) : text;
}

// The height said of a cloud layer: the base of the simulator's extension, else (a standard
// METAR, which gives no base) the height of its group.
QString LayerBase(const t_cloud &cloud)
{
    return cloud.base.isEmpty() ? cloud.height : cloud.base;
}

// Whether a layer comes with precipitation: the simulator's extension says "none" for a layer
// without, a standard METAR says nothing.
bool HasPrecipitation(const t_cloud &cloud)
{
    return !cloud.precipType.isEmpty() && cloud.precipType != kNoPrecipitation;
}

// "2/8" ... "8/8" at the start of a cover said in words; the rest (a cloud type) follows.
QString SpokenCover(const QString &cover)
{
    static const std::pair<const char *, const char *> kCovers[] = {
        {"2/8", "few "}, {"4/8", "scattered "}, {"6/8", "broken "}, {"8/8", "overcast "}};
    for (const auto &[oktas, words] : kCovers)
        if (cover.startsWith(QLatin1String(oktas)))
            return QLatin1String(words) + cover.mid(3);
    return cover;
}

// "1013" -> "1 0 1 3": the first four characters, a blank between each.
QString SpelledPressure(const QString &pressure)
{
    QString spelled;
    const QString digits = Copy(pressure, 1, 4);
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0)
            spelled += QLatin1Char(' ');
        spelled += digits[i];
    }
    return spelled;
}

// "27R" -> "27right", "09L" -> "09left".
QString SpokenRunway(const QString &runway)
{
    return ReplaceAll(ReplaceAll(runway, QStringLiteral("R"), QStringLiteral("right")), QStringLiteral("L"),
                      QStringLiteral("left"));
}

void GrowTo(QStringList &lines, int count)
{
    while (lines.size() < count)
        lines.append(QString());
}

} // namespace

QStringList AtisLetters()
{
    return {QStringLiteral("ALPHA"),   QStringLiteral("BRAVO"),  QStringLiteral("CHARLY"),
            QStringLiteral("DELTA"),   QStringLiteral("ECHO"),   QStringLiteral("FOXTROT"),
            QStringLiteral("GOLF"),    QStringLiteral("HOTEL"),  QStringLiteral("INDIA"),
            QStringLiteral("JULIET"),  QStringLiteral("KILO"),   QStringLiteral("LIMA"),
            QStringLiteral("MIKE"),    QStringLiteral("NOVEMBER"), QStringLiteral("PAPA"),
            QStringLiteral("QUEBEC"),  QStringLiteral("ROMEO"),  QStringLiteral("SIERRA"),
            QStringLiteral("TANGO"),   QStringLiteral("UNIFORM"), QStringLiteral("VICTOR"),
            QStringLiteral("WISKY"),   QStringLiteral("XRAY"),   QStringLiteral("YANKEE"),
            QStringLiteral("ZOULOU")};
}

void SetAtisLetter(WeatherState &weather, const QString &letter)
{
    weather.atis.letter = letter;
    weather.atisLetterText = letter;
}

void SetAtisRunways(WeatherState &weather, const QString &takeoff, const QString &landing)
{
    weather.atis.takeoffRunway = takeoff;
    weather.atis.landingRunway = landing;
}

void SetAtisTransitions(WeatherState &weather, const QString &altitude, const QString &level)
{
    weather.atis.transitionAltitude = altitude;
    weather.atis.transitionLevel = level;
    int feet = 0;
    if (TryStrToInt(altitude, feet))
        weather.transitionAltitude = feet;
}

QString AtisSummaryHeader(const QString &own, const QString &letter, const QString &time)
{
    return own + QStringLiteral(" info ") + letter + QStringLiteral(" enregitré à ") + Copy(time, 3, 2)
        + QLatin1Char('H') + Copy(time, 5, 3);
}

QString AtisSummaryRunways(const AtisState &atis)
{
    return QStringLiteral("runway TO ") + atis.takeoffRunway + QStringLiteral(" LDG ") + atis.landingRunway;
}

QString AtisSummaryTransitions(const AtisState &atis)
{
    return QStringLiteral("transitions TA") + atis.transitionAltitude + QStringLiteral(" TL")
        + atis.transitionLevel;
}

void FillAtisSummaryWeather(QStringList &summary, const t_weather &weather)
{
    GrowTo(summary, kAtisLineCount);
    const t_wind &wind = weather.wind;
    summary[1] = QStringLiteral("wind ") + wind.direction + QStringLiteral("° ") + wind.speed + wind.unit
        + QLatin1Char('(') + wind.sectorStart + QLatin1Char('/') + wind.sectorEnd + QStringLiteral(") turb ")
        + wind.turbulence + QStringLiteral(" shear ") + wind.shear;
    summary[2] = QStringLiteral("QNH ") + weather.pressureText + QStringLiteral("  temp ");
    if (!weather.temperatures.isEmpty()) {
        const t_temperature &t = weather.temperatures.first();
        summary[2] += t.temperature + QStringLiteral("°C/") + t.dewPoint;
    }
    if (!weather.visibilities.isEmpty())
        summary[3] = VisibilityText(WithoutLeadingZero(weather.visibilities.first().distance));
    if (!weather.clouds.isEmpty()) {
        const t_cloud &cloud = weather.clouds.first();
        QString line = cloud.cover;
        if (cloud.cover != kSkyClear)
            line += QLatin1Char(' ') + LayerBase(cloud) + QStringLiteral("ft");
        if (HasPrecipitation(cloud))
            line += QLatin1Char(' ') + cloud.precipType + QLatin1Char(' ') + cloud.precipIntensity;
        summary[4] = line;
    }
}

AtisOpening OpenAtis(const QStringList &stored, const QString &own)
{
    AtisOpening opening;
    if (stored.isEmpty()) {
        opening.summary << own + QStringLiteral(" info ");
        GrowTo(opening.summary, kAtisLineCount);
        return opening;
    }
    opening.summary = stored.mid(0, kAtisLineCount);
    GrowTo(opening.summary, kAtisLineCount);
    opening.additional = stored.mid(kAtisLineCount);
    return opening;
}

QString AtisCaption(const QString &own, const QString &frequencyDigits)
{
    return QStringLiteral("ATIS  ") + own + QStringLiteral("  ") + Copy(frequencyDigits, 1, 3) + QLatin1Char('.')
        + Copy(frequencyDigits, 4, 3);
}

QStringList AtisBroadcastLines(WeatherState &weather, QStringList lines)
{
    GrowTo(lines, kAtisLineCount);
    t_weather &w = weather.CurrentWeather;
    const AtisState &atis = weather.atis;

    lines[0] = QStringLiteral("information ") + atis.letter + QStringLiteral(", ") + Copy(w.time, 3, 2)
        + QStringLiteral("hour") + Copy(w.time, 5, 2) + QStringLiteral("  Zulu ");

    int speed = 0;
    if (TryStrToInt(w.wind.speed, speed)) {
        if (speed == 0) {
            lines[1] = QStringLiteral("wind calm");
        } else {
            const QString unitWord = w.wind.unit == QLatin1String("KT") ? QStringLiteral("knots") : QString();
            lines[1] = QStringLiteral("wind ") + w.wind.direction + QStringLiteral("° ") + w.wind.speed
                + QLatin1Char(' ') + unitWord + QLatin1Char(' ');
        }
    }

    lines[2] = QStringLiteral("QNH ") + SpelledPressure(w.pressureText) + QStringLiteral(", ");
    if (!w.temperatures.isEmpty()) {
        const t_temperature &t = w.temperatures.first();
        lines[2] += QStringLiteral(" temperature ") + t.temperature + QStringLiteral(" °C, dewpoint ") + t.dewPoint;
    }

    if (!w.visibilities.isEmpty()) {
        QString &distance = w.visibilities.first().distance;
        distance = WithoutLeadingZero(distance);
        lines[3] = VisibilityText(distance);
    }

    if (!w.clouds.isEmpty()) {
        t_cloud &cloud = w.clouds.first();
        cloud.base = WithoutLeadingZero(cloud.base);
        const QString cover = SpokenCover(cloud.cover);
        QString line = QStringLiteral("sky conditions ") + cover;
        if (cover != kSkyClear)
            line += QStringLiteral(" altitude ") + LayerBase(cloud) + QStringLiteral("feet");
        if (HasPrecipitation(cloud))
            line += QStringLiteral(", ") + cloud.precipType + QLatin1Char(' ') + cloud.precipIntensity;
        lines[4] = line;
    }

    lines[5] = QStringLiteral("takeoff runway ") + SpokenRunway(atis.takeoffRunway)
        + QStringLiteral(", landing runway ") + SpokenRunway(atis.landingRunway);
    lines[6] = QStringLiteral("transitions altitude ") + atis.transitionAltitude
        + QStringLiteral("feet, transition level ") + atis.transitionLevel;
    return lines;
}

void AcceptAtis(WeatherState &weather, const QStringList &summary, const QStringList &additional,
                QStringList &broadcast)
{
    weather.newMetar = false;
    broadcast = AtisBroadcastLines(weather, broadcast);
    weather.atis.lines = summary + additional;
    QString sound;
    for (int i = 0; i < kAtisLineCount; ++i)
        sound += QStringLiteral(", ") + broadcast[i];
    weather.atis.soundText = sound;
}

} // namespace zaz
