// The flight list: which live aircraft it shows, in which order, and the text of each cell.
#pragma once

#include "traffic/TrafficState.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

// The order of the filter radio items.
enum class FlightFilter { All, Departures, Arrivals, Controlled, Alerts };
// The order of the sort radio items.
enum class FlightSort { Callsign, Distance, Level };

inline constexpr int kFlightListColumns = 17;

// Where the list is seen from.
struct FlightListPlace {
    QString ownAirport;
    double ownLat = 0;
    double ownLon = 0;
    int transitionAltitude = 3000; // ft
};

// The sort key of an aircraft: 11 characters, the sort value blank-padded in columns 1-8 and
// the record index as three digits with leading zeros in columns 9-11 (four past index 999).
// The distance and the level are written as five digits with leading zeros.
QString FlightListKey(const AVION &aircraft, int index, FlightSort sort, const FlightListPlace &place);

// Indexes of the live aircraft the filter keeps, ordered by their keys. Keys with the same
// value part keep the order of their indexes (also past index 999, where three digits are
// not enough).
QList<int> FlightListRows(const TrafficState &traffic, FlightFilter filter, FlightSort sort,
                          const FlightListPlace &place);

// The 17 cell texts of an aircraft's row; columns 0 and 2 are colour cells and stay empty,
// the flight-plan columns 6 to 16 are empty without a flight plan.
QStringList FlightListCells(const AVION &aircraft, const FlightListPlace &place);

// What the mark in column 0 shows: an alert first, then a strip.
enum class FlightMark { Plain, Strip, Alert };
FlightMark FlightListMark(const AVION &aircraft);

} // namespace zaz
