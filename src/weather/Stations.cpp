#include "weather/Stations.h"

#include "core/Text.h"
#include "sector/Projection.h"
#include "weather/Metar.h"

#include <QRegularExpression>

namespace zaz {

namespace {

// Bytes a METAR reply may hold: printable ASCII, blanks and line ends. Markup brackets mean
// an error page of the server, never a METAR.
bool IsReplyByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (c == '<' || c == '>')
        return false;
    return (u >= 0x20 && u < 0x7F) || c == '\n' || c == '\r' || c == '\t';
}

// Ticks the station's check-list entry, adding it when missing.
void MarkChecked(StationsState &stations, const QString &code, bool checked)
{
    for (StationCheck &entry : stations.checkList) {
        if (entry.code == code) {
            entry.checked = entry.checked || checked;
            return;
        }
    }
    stations.checkList.append({code, checked});
}

} // namespace

std::optional<MetarReply> ReadMetarReply(const QByteArray &body)
{
    if (body.isEmpty() || body.size() > kMetarReplyLimit)
        return std::nullopt;
    for (char c : body) {
        if (!IsReplyByte(c))
            return std::nullopt;
    }
    const QString text = QString::fromLatin1(body);
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'));
    const QString firstLine = lineFeed < 0 ? text : text.left(lineFeed);
    static const QRegularExpression date(QStringLiteral("^\\s*(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2})(\\S?)"));
    const QRegularExpressionMatch m = date.match(firstLine);
    MetarReply reply;
    QString rest;
    if (m.hasMatch() && !m.captured(2).isEmpty()) {
        // The date and the METAR without a line break between them.
        reply.dateLine = m.captured(1);
        rest = text.mid(m.capturedEnd(1));
    } else if (lineFeed >= 0) {
        reply.dateLine = firstLine.simplified();
        rest = text.mid(lineFeed + 1);
    }
    // One METAR line: line ends and runs of blanks inside it count as one blank.
    reply.metar = rest.simplified();
    if (reply.metar.isEmpty())
        return std::nullopt;
    return reply;
}

QString WindGroup(const QString &metar)
{
    static const QRegularExpression wind(QStringLiteral("^(\\d{3}|VRB)\\d{2,3}(G\\d{2,3})?(KT|MPS|KMH)$"));
    for (const QString &group : metar.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = wind.match(group);
        if (!m.hasMatch())
            continue;
        if (m.captured(1) == QLatin1String("VRB"))
            return QStringLiteral("00000") + m.captured(3);
        return group;
    }
    return QString();
}

QString PublishedMetar(const QString &metar, bool fromSimulator)
{
    QString text = metar;
    if (fromSimulator) {
        const qsizetype start = text.indexOf(QLatin1String("&A"));
        if (start >= 0) {
            const qsizetype blank = text.indexOf(QLatin1Char(' '), start);
            text.remove(start, blank < 0 ? text.size() - start : blank - start);
        }
    } else {
        const qsizetype start = text.indexOf(QLatin1String(" NOSIG"));
        if (start >= 0)
            text.remove(start, 6);
    }
    return text.trimmed();
}

int FindStation(const SectorState &sector, const QString &code)
{
    if (code.isEmpty())
        return -1;
    const QList<Airport> &airports = sector.tables.airports;
    for (int i = 0; i < airports.size(); ++i) {
        if (airports[i].identifier.trimmed() == code)
            return i;
    }
    return -1;
}

void BuildStationList(WeatherState &weather, const SectorState &sector, double ownLat, double ownLon, int radius)
{
    QStringList &list = weather.stations.list;
    list.clear();
    for (const Airport &a : sector.tables.airports) {
        if (RoundHalfEven(DistanceNm(ownLat, ownLon, a.latitude, a.longitude)) <= radius)
            list.append(a.identifier.trimmed());
    }
}

void BuildStationList(WeatherState &weather, const SectorState &sector, double ownLat, double ownLon)
{
    int radius = 0;
    if (!TryStrToInt(weather.server.radius.trimmed(), radius))
        radius = 0;
    BuildStationList(weather, sector, ownLat, ownLon, radius);
}

void ClearStationMetars(SectorState &sector)
{
    for (Airport &a : sector.tables.airports) {
        if (a.metar.isEmpty())
            continue;
        a.realMetarReceived = 0;
        a.simMetarReceived = 0;
        a.metar.clear();
        a.sent = 0;
    }
}

StoredMetar StoreInternetMetar(WeatherState &weather, SectorState &sector, const MetarReply &reply)
{
    StoredMetar stored;
    const QString code = reply.metar.left(4);
    const int index = FindStation(sector, code);
    if (index < 0)
        return stored;
    Airport &a = sector.tables.airports[index];
    a.realMetarReceived = 1;
    a.simMetarReceived = 0;
    a.metar = reply.metar;
    a.windGroup = WindGroup(reply.metar);
    a.dateLine = reply.dateLine;
    stored.airport = index;
    if (weather.stations.publish) {
        stored.published = PublishedMetar(a.metar, false);
        a.sent = 1;
    }
    MarkChecked(weather.stations, code, weather.stations.publish);

    t_weather &current = weather.CurrentWeather;
    if (code == current.station) {
        weather.previousMetar = current.metar;
        current.time = reply.dateLine;
        current.metar = reply.metar;
        if (current.metar != weather.previousMetar)
            weather.newMetar = true;
        weather.rawMetar = reply.metar;
        DecodeMetar(weather, reply.metar);
    }
    return stored;
}

void SelectStationWeather(WeatherState &weather, const SectorState &sector, const QString &code,
                          const QString &simulatorName)
{
    const int index = FindStation(sector, code);
    if (index < 0)
        return;
    const Airport &a = sector.tables.airports[index];
    t_weather &current = weather.CurrentWeather;
    current.station = code;
    current.time = a.dateLine;
    current.metar = a.metar;
    const QString &source = current.source;
    if (source.isEmpty())
        return;
    if (source == weather.server.server) {
        weather.rawMetar = a.metar;
        DecodeMetar(weather, a.metar);
    } else if (source == simulatorName) {
        weather.rawMetar = a.metar;
        NormalizeSimMetar(weather, a.metar);
        DecodeSimMetar(weather, a.metar);
    }
}

QStringList PublishStationMetars(WeatherState &weather, SectorState &sector)
{
    QStringList texts;
    for (Airport &a : sector.tables.airports) {
        if (!a.realMetarReceived && !a.simMetarReceived)
            continue;
        texts.append(PublishedMetar(a.metar, !a.realMetarReceived));
        a.sent = 1;
        MarkChecked(weather.stations, a.identifier.trimmed(), true);
    }
    return texts;
}

} // namespace zaz
