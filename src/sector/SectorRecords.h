// Records and tables of the sector map: navaids, fixes, airports, runways, procedures,
// airways, boundaries, free map lines and ground labels, and the sector identity.
// Every table is a growable array in file order; an element is addressed by its index.
// Coordinates are float32 decimal degrees, north and east positive; (0, 0) marks an
// unreadable or unresolved point.
#pragma once

#include "core/ColorText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace zaz {

// One record type for the VOR table and the NDB table.
struct VOR {
    QString identifier;   // as read, blanks kept (VOR 4 columns, NDB 5)
    QString frequency;    // 7 columns as read
    float latitude = 0;
    float longitude = 0;
    std::uint8_t detailsShown = 0; // frequency and comment written beside the symbol
    QString comment;      // text after the first ";"
};

struct FIXE {
    QString name;         // 5 columns as read, blanks kept
    float latitude = 0;
    float longitude = 0;
    std::uint8_t selected = 0;
    QString comment;
};

struct Airport {
    QString identifier;   // ICAO code, also the weather station code
    QString frequency;    // 7 columns as read
    float latitude = 0;
    float longitude = 0;
    QString airspaceClass; // one character
    QString comment;
    // Weather of the station, filled by the METAR fetch.
    std::uint8_t realMetarReceived = 0;
    std::uint8_t simMetarReceived = 0;
    QString metar;
    std::uint8_t sent = 0;
    QString windGroup;
    QString dateLine;
};

struct RUNWAY {
    QString number;          // 3 columns, e.g. "09 "
    QString oppositeNumber;  // 3 columns
    QString heading;         // 3 columns; "000" means no approach axis at this end
    QString oppositeHeading; // 3 columns
    float latitude = 0;      // threshold bearing the number
    float longitude = 0;
    float oppositeLatitude = 0;
    float oppositeLongitude = 0;
    QString comment;
};

struct RouteSegment {
    float lat1 = 0;
    float lon1 = 0;
    float lat2 = 0;
    float lon2 = 0;
};

// Record of the SID, STAR, airway and boundary tables.
struct ROUTE {
    QString name;                 // first 25 columns of the route's first line
    QList<RouteSegment> segments; // file order
    std::uint8_t selected = 0;    // drawn and written (procedures and airways only)
};

struct GEO {
    float lat1 = 0;
    float lon1 = 0;
    float lat2 = 0;
    float lon2 = 0;
    TColor colour = 0;
    std::int32_t detailIndex = -1; // index in the detail colour list, -1 otherwise
    QString colourName;            // name that gave the colour; empty when none matched
};

// Record of the taxiway-label table and of the parking-label table.
struct Taxiway {
    QString label;
    float latitude = 0;
    float longitude = 0;
    std::int32_t detailIndex = -1; // detail entry "TAXIWAY" or "PARKING"
};

struct t_define {
    QString name;
    QString value;
};

using t_info = std::array<QString, 10>;

struct SectorTables {
    QList<t_info> info;
    QList<VOR> vors;
    QList<VOR> ndbs;
    QList<FIXE> fixes;
    QList<Airport> airports;
    QList<RUNWAY> runways;
    QList<ROUTE> sids;
    QList<ROUTE> stars;
    QList<ROUTE> lowAirways;
    QList<ROUTE> highAirways;
    QList<ROUTE> artcc;
    QList<ROUTE> artccLow;
    QList<ROUTE> artccHigh;
    QList<GEO> geo;
    QList<Taxiway> taxiways;
    QList<Taxiway> parkings;
    QList<t_define> defines;
};

struct SectorIdentity {
    QString name;
    QString callsign;
    QString airport;
    QString declinationText;
    float declination = 0;
    float ownLat = 0;     // own position, info lines 4 and 5
    float ownLon = 0;
    QString ownFrequency; // own airport's frequency without its dot ("118100"), "" when none
    QString captionText;  // name + two blanks + callsign
    bool loaded = false;
    // Changes whenever the tables' drawing changes (each load, GEO colours recoloured).
    quint64 generation = 0;
    t_info infoLines;     // copy of the first info entry, for the writer
};

// Selection text of a table: one character per element in table order, "1" when selected.
template <typename Record>
QString SelectionText(const QList<Record> &table)
{
    QString text;
    text.reserve(table.size());
    for (const Record &r : table)
        text.append(r.selected ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

} // namespace zaz
