// The traffic record: one aircraft seen by the controller, from the server or from the
// simulator, addressed everywhere by its index in the traffic table.
#pragma once

#include "core/Text.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>

namespace zaz {

// One point of a built route: its position and the index in routeFields of the element it
// came from. (0, 0) marks an element without a position.
struct RoutePoint {
    float lat = 0;
    float lon = 0;
    std::int32_t element = 0;
};
using t_proute = QList<RoutePoint>;

struct TrailPoint {
    float lat = 0;
    float lon = 0;
};

inline constexpr int kTrailLength = 21;
inline constexpr int kAiTextSize = 256;

struct AVION {
    std::int32_t objectId = 0;    // simulator object of an AI aircraft; 0 for server traffic
    QString callsign;             // empty: free record
    QString squawk;
    QString rating;
    float lat = 0;                // 9999 once freed
    float lon = 0;
    std::array<TrailPoint, kTrailLength> trail{}; // 0 the most recent previous position
    std::int32_t altitude = 0;    // ft
    double heading = 0;           // true heading, radians
    bool headingReceived = false; // the last server position gave the heading (else drawn by the track)
    std::int32_t prevAltitude = 0;
    std::int32_t groundSpeed = 0; // kt
    bool hasFlightPlan = false;
    bool ifr = false;
    bool hasStrip = false;
    bool flightListMark = false;
    bool alert = false;
    bool commandPending = false;
    QDateTime waitingSince;       // when the console set the step to waiting
    QString handoffFrom;
    QString handoffState;         // "D" offer pending, "A" accepted
    QString acType;
    QString departure;
    QString destination;
    QString alternate;
    std::int32_t tas = 0;
    QString cruiseLevel;
    QString route;                // separators turned into "/"
    t_tranches routeFields;
    std::int32_t nextPoint = -1;  // element index of the point last passed
    t_proute routePoints;
    QString remarks;
    QTime etd;                    // proposed departure time (null when the plan had none)
    QTime atd;                    // actual departure time
    QTime timeEnroute;
    QTime endurance;
    // Times of the last updates. Full date-times, so that an aircraft last seen before
    // midnight still expires after it.
    QDateTime serverSeen;
    QDateTime simSeen;
    bool shown = false;
    QString transponderMode;      // "S", "N" or "Y"
    std::int32_t aiEtd = 0;
    std::int32_t aiEta = 0;
    QString aiState;              // "by ZAZ" for server traffic
    QString aiRunway;
    QString aiParking;
    bool fromServer = false;
    bool createdHere = false;
    bool frozen = false;
};

// The squawks of an emergency: unlawful interference, radio failure, distress.
inline bool IsEmergencySquawk(const QString &squawk)
{
    return squawk == QLatin1String("7500") || squawk == QLatin1String("7600") || squawk == QLatin1String("7700");
}

} // namespace zaz
