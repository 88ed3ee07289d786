// The sector's airports as weather stations: the list around the own position, the reading
// of a station's reply, what is kept of each METAR, the selected station's weather and the
// METARs forwarded to the server. Model only: the fetch (MetarFetch.h) and the sending
// (state/WeatherRefresh.h) call these.
#pragma once

#include "sector/SectorState.h"
#include "weather/WeatherState.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace zaz {

// Longest station reply read; a longer one is not a METAR and stores nothing.
inline constexpr qsizetype kMetarReplyLimit = 64 * 1024;

// A station reply: the observation date line and the METAR, one line each.
struct MetarReply {
    QString dateLine;
    QString metar;
};

// Reads a reply body: a date line ("2026/12/07 06:00"), a line feed, the METAR. A date line
// run together with the METAR is split after the date. Nothing for a body that is empty,
// longer than kMetarReplyLimit, binary (control or non-ASCII bytes), an HTML page, or
// without a METAR after the date line.
std::optional<MetarReply> ReadMetarReply(const QByteArray &body);

// The surface wind group of a METAR ("24015KT", "24015G25KT", "24008MPS"); a variable wind
// gives "00000" + its unit; empty without a wind group.
QString WindGroup(const QString &metar);

// A METAR as forwarded to the server: an internet one without " NOSIG", a simulator one
// without the "&A" extension of its first group; trimmed.
QString PublishedMetar(const QString &metar, bool fromSimulator);

// Index of the airport whose code is code (exact match), -1 when none.
int FindStation(const SectorState &sector, const QString &code);

// Rebuilds the station list: the airports whose distance from the own position, rounded to
// the nearest mile, is at most radius, in table order.
void BuildStationList(WeatherState &weather, const SectorState &sector, double ownLat, double ownLon, int radius);
// The same with the radius of the weather settings (a text holding an integer).
void BuildStationList(WeatherState &weather, const SectorState &sector, double ownLat, double ownLon);

// Forgets every station's METAR before a refresh.
void ClearStationMetars(SectorState &sector);

// What storing a reply did.
struct StoredMetar {
    int airport = -1;  // the airport that took it, -1 when the station is not in the sector
    QString published; // the text to forward to the server; empty when not publishing
};

// Stores an internet reply in its station (the METAR's first four characters): METAR, wind
// group, date line; appends the station to the check list (ticked when published); and,
// when it is the selected station, makes it the current weather (new-METAR flag when it
// changed) and decodes it.
StoredMetar StoreInternetMetar(WeatherState &weather, SectorState &sector, const MetarReply &reply);

// Makes the station's stored METAR the current weather, decoded as its source needs
// (internet weather server or simulator). An unknown station changes nothing.
void SelectStationWeather(WeatherState &weather, const SectorState &sector, const QString &code,
                          const QString &simulatorName);

// Marks every station holding a METAR as sent (its check-list entry ticked) and returns
// the texts to forward, in table order.
QStringList PublishStationMetars(WeatherState &weather, SectorState &sector);

} // namespace zaz
