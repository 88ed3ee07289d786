// Feeds arbitrary bytes to the reader of a weather station's reply, then stores what it read
// in a one-airport sector, and checks what the rest of the program relies on: a METAR read
// is one trimmed line with no control character, its date line has no line end, its wind
// group is a group of it (or the calm group of a variable wind), and the airport keeps
// exactly the METAR read.
#include "sector/SectorState.h"
#include "weather/Stations.h"
#include "weather/WeatherState.h"

#include <cstddef>
#include <cstdint>

using namespace zaz;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool OneLine(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<MetarReply> reply = ReadMetarReply(body);
    if (!reply)
        return 0;
    Check(size <= size_t(kMetarReplyLimit));
    Check(!reply->metar.isEmpty() && reply->metar == reply->metar.trimmed() && OneLine(reply->metar));
    Check(!reply->dateLine.contains(QLatin1Char('\n')) && !reply->dateLine.contains(QLatin1Char('\r')));

    const QString wind = WindGroup(reply->metar);
    Check(wind.isEmpty() || wind.startsWith(QLatin1String("00000"))
          || reply->metar.split(QLatin1Char(' ')).contains(wind));
    Check(PublishedMetar(reply->metar, false).size() <= reply->metar.size());

    SectorState sector;
    Airport airport;
    airport.identifier = reply->metar.left(4);
    sector.tables.airports.append(airport);
    WeatherState weather;
    weather.stations.publish = true;
    weather.CurrentWeather.station = airport.identifier.trimmed();
    const StoredMetar stored = StoreInternetMetar(weather, sector, *reply);
    if (stored.airport >= 0) {
        Check(sector.tables.airports[0].metar == reply->metar);
        Check(sector.tables.airports[0].windGroup == wind);
        Check(weather.stations.checkList.size() == 1 && weather.stations.checkList[0].checked);
        Check(!stored.published.contains(QLatin1String(" NOSIG")) || reply->metar.count(QLatin1String(" NOSIG")) > 1);
    }
    return 0;
}
