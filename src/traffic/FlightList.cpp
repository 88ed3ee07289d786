#include "traffic/FlightList.h"

#include "core/Text.h"
#include "sector/Projection.h"

#include <algorithm>

namespace zaz {

namespace {

constexpr int kKeyValueWidth = 8;

int DistanceOf(const AVION &a, const FlightListPlace &place)
{
    return RoundHalfEven(DistanceNm(place.ownLat, place.ownLon, a.lat, a.lon));
}

QString SortValue(const AVION &a, FlightSort sort, const FlightListPlace &place)
{
    switch (sort) {
    case FlightSort::Distance: return ZeroPad(DistanceOf(a, place), 5);
    case FlightSort::Level: return ZeroPad(std::max(0, int(a.altitude)), 5);
    case FlightSort::Callsign: break;
    }
    return a.callsign;
}

bool Keeps(const AVION &a, FlightFilter filter, const QString &ownAirport)
{
    switch (filter) {
    case FlightFilter::All: return true;
    case FlightFilter::Departures: return a.hasFlightPlan && a.departure.trimmed() == ownAirport;
    case FlightFilter::Arrivals: return a.hasFlightPlan && a.destination.trimmed() == ownAirport;
    case FlightFilter::Controlled: return a.hasStrip;
    case FlightFilter::Alerts: return a.alert;
    }
    return false;
}

QString AltitudeText(int altitude, int transitionAltitude)
{
    if (altitude >= transitionAltitude)
        return QStringLiteral("FL") + QString::number(RoundHalfEven(altitude / 100.0));
    return QString::number(altitude) + QStringLiteral("ft");
}

QString MinutesText(int seconds)
{
    return QString::number(RoundHalfEven(seconds / 60.0)) + QStringLiteral(" '");
}

} // namespace

QString FlightListKey(const AVION &aircraft, int index, FlightSort sort, const FlightListPlace &place)
{
    const QString value = FitWidth(SortValue(aircraft, sort, place), kKeyValueWidth);
    return value + ZeroPad(index, 3);
}

QList<int> FlightListRows(const TrafficState &traffic, FlightFilter filter, FlightSort sort,
                          const FlightListPlace &place)
{
    struct Row {
        QString value;
        int index;
    };
    QList<Row> rows;
    const QString ownAirport = place.ownAirport.trimmed();
    for (const QString &entry : traffic.LiveTrafficList) {
        int index = 0;
        if (!TryStrToInt(entry, index) || !traffic.table.inUse(index))
            continue;
        const AVION &a = traffic.table[index];
        if (Keeps(a, filter, ownAirport))
            rows.append({FlightListKey(a, index, sort, place).left(kKeyValueWidth), index});
    }
    // The value part of the key, then the index as a number: the same order as the whole key
    // while indexes have three digits.
    std::sort(rows.begin(), rows.end(), [](const Row &x, const Row &y) {
        const int byValue = x.value.compare(y.value);
        return byValue != 0 ? byValue < 0 : x.index < y.index;
    });
    QList<int> out;
    out.reserve(rows.size());
    for (const Row &r : rows)
        out.append(r.index);
    return out;
}

QStringList FlightListCells(const AVION &a, const FlightListPlace &place)
{
    QStringList c(kFlightListColumns);
    c[1] = a.callsign;
    c[3] = QStringLiteral("%1").arg(DistanceOf(a, place), 5) + QStringLiteral("nm");
    c[4] = AltitudeText(a.altitude, place.transitionAltitude);
    c[5] = QString::number(a.groundSpeed) + QStringLiteral("kt");
    if (!a.hasFlightPlan)
        return c;
    c[6] = a.ifr ? QStringLiteral("IFR") : QStringLiteral("VFR");
    c[7] = a.acType;
    c[8] = a.departure;
    c[9] = MinutesText(a.aiEtd);
    c[10] = a.destination;
    c[11] = MinutesText(a.aiEta);
    c[12] = a.aiState;
    c[13] = a.aiParking;
    c[14] = QStringLiteral("piste ") + a.aiRunway;
    c[15] = a.cruiseLevel;
    c[16] = a.route;
    return c;
}

FlightMark FlightListMark(const AVION &aircraft)
{
    if (aircraft.alert)
        return FlightMark::Alert;
    return aircraft.hasStrip ? FlightMark::Strip : FlightMark::Plain;
}

} // namespace zaz
