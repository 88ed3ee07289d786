#include "traffic/Console.h"

#include "core/Text.h"
#include "sector/Projection.h"
#include "traffic/StripCatalogs.h"
#include "traffic/TrafficOps.h"

namespace zaz {

namespace {

constexpr int kHandoffControllerWidth = 8;

QString MinutesText(qint64 seconds)
{
    return QString::number(seconds / 60) + QLatin1Char('\'');
}

// Minutes since a control start "hh:nn:ss" of today; a start after now was yesterday.
QString MinutesSinceStart(const QString &start, const QDateTime &now)
{
    const QTime time = QTime::fromString(start, QStringLiteral("hh:mm:ss"));
    if (!time.isValid())
        return QString();
    qint64 seconds = time.secsTo(now.time());
    if (seconds < 0)
        seconds += 24 * 3600;
    return MinutesText(seconds);
}

QString DistanceText(const AVION &a, double ownLat, double ownLon)
{
    const double nm = DistanceNm(ownLat, ownLon, a.lat, a.lon);
    return QStringLiteral("%1").arg(RoundHalfEven(nm), 5) + QLatin1Char('m');
}

QString HandoffOrPosition(const AVION &a, const QString &line)
{
    if (a.handoffState == QLatin1String("D"))
        return QStringLiteral("HO");
    return StripText(line, StripField::Position).trimmed();
}

// Callsigns of the list's entries, with the entry itself.
QList<std::pair<QString, QString>> Entries(const TrafficState &traffic, ConsoleList list)
{
    QList<std::pair<QString, QString>> out;
    const auto add = [&out](const QStringList &names) {
        for (const QString &name : names)
            out.append({name, name});
    };
    switch (list) {
    case ConsoleList::Strips:
        for (const Strip &s : traffic.strips.entries)
            out.append({s.callsign, s.callsign});
        break;
    case ConsoleList::Waiting: add(traffic.console.waiting); break;
    case ConsoleList::Handoffs:
        for (const QString &entry : traffic.console.handoffs)
            out.append({HandoffEntryCallsign(entry), entry});
        break;
    case ConsoleList::Departures: add(traffic.console.departures); break;
    case ConsoleList::Arrivals: add(traffic.console.arrivals); break;
    }
    return out;
}

void SetListed(QStringList &list, const QString &callsign, bool listed)
{
    if (!listed)
        list.removeAll(callsign);
    else if (!list.contains(callsign))
        list.append(callsign);
}

double SquaredDegrees(double lat1, double lon1, double lat2, double lon2)
{
    return (lat1 - lat2) * (lat1 - lat2) + (lon1 - lon2) * (lon1 - lon2);
}

} // namespace

QString HandoffEntry(const QString &controller, const QString &callsign)
{
    return PadRight(controller.left(kHandoffControllerWidth), kHandoffControllerWidth) + callsign;
}

QString HandoffEntryCallsign(const QString &entry)
{
    return entry.mid(kHandoffControllerWidth).trimmed();
}

QList<ConsoleRow> ConsoleRows(const TrafficState &traffic, ConsoleList list, const QDateTime &now, double ownLat,
                              double ownLon)
{
    QList<ConsoleRow> rows;
    for (const auto &[callsign, entry] : Entries(traffic, list)) {
        const int index = traffic.table.FindAircraft(callsign);
        if (index == kNoAircraft)
            continue;
        const AVION &a = traffic.table[index];
        const int position = StripPosition(traffic.strips, callsign);
        const QString line = position < 0 ? QString() : traffic.strips.entries[position].line;
        ConsoleRow row;
        row.callsign = callsign;
        row.aircraft = index;
        auto &c = row.cells;
        c[0] = callsign;
        c[3] = list == ConsoleList::Waiting ? (a.waitingSince.isValid()
                                                   ? MinutesText(a.waitingSince.secsTo(now))
                                                   : QString())
                                            : MinutesSinceStart(StripText(line, StripField::ControlStart), now);
        c[4] = a.ifr ? QStringLiteral("I") : QStringLiteral("V");
        if (list != ConsoleList::Handoffs) {
            c[5] = StripText(line, StripField::FlightKind).trimmed();
            c[8] = a.destination;
        }
        if (list == ConsoleList::Waiting || list == ConsoleList::Handoffs)
            c[6] = HandoffOrPosition(a, line);
        else
            c[6] = a.createdHere ? a.aiState : HandoffOrPosition(a, line);
        if (list == ConsoleList::Handoffs)
            c[7] = entry.left(kHandoffControllerWidth);
        else if (list == ConsoleList::Departures)
            c[7] = a.etd.isValid() ? QStringLiteral("%1:%2").arg(a.etd.hour()).arg(a.etd.minute()) : QString();
        else
            c[7] = DistanceText(a, ownLat, ownLon);
        if (list == ConsoleList::Waiting || list == ConsoleList::Handoffs)
            c[9] = a.squawk;
        rows.append(row);
    }
    return rows;
}

void ForgetConsoleEntries(ConsoleLists &lists, const QString &callsign)
{
    lists.waiting.removeAll(callsign);
    lists.departures.removeAll(callsign);
    lists.arrivals.removeAll(callsign);
    lists.handoffs.removeIf([&callsign](const QString &entry) { return HandoffEntryCallsign(entry) == callsign; });
}

int InitialNextPoint(const AVION &aircraft, const QList<Airport> &airports)
{
    double best = 1e8;
    for (const Airport &airport : airports)
        if (airport.identifier == aircraft.departure) {
            best = SquaredDegrees(aircraft.lat, aircraft.lon, airport.latitude, airport.longitude);
            break;
        }
    int next = -1;
    for (const RoutePoint &p : aircraft.routePoints) {
        const double d = SquaredDegrees(aircraft.lat, aircraft.lon, p.lat, p.lon);
        if (d < best) {
            next = p.element;
            best = d;
        }
    }
    return next;
}

bool ToggleConsoleStrip(TrafficState &traffic, const QList<Airport> &airports, int index, const QTime &now)
{
    if (!traffic.table.inUse(index))
        return false;
    if (StripLineOf(traffic, index)) {
        RemoveStrip(traffic, index);
        return false;
    }
    if (!AddStrip(traffic, index, NewStripLine(index, now)))
        return false;
    AVION &a = traffic.table.edit(index);
    a.nextPoint = InitialNextPoint(a, airports);
    return true;
}

ConsoleStep CurrentConsoleStep(int positionIndex, const QString &line)
{
    const QString kind = StripText(line, StripField::FlightKind);
    const bool departure = kind == QLatin1String("D");
    const bool arrival = kind == QLatin1String("A");
    const QString holding = StripText(line, StripField::Holding).trimmed();
    // A letter in the holding column is the holding step's status; a digit its time.
    const bool holds = !holding.isEmpty() && holding[0].isLetter() && holding != QLatin1String("X");
    switch (positionIndex) {
    case 0:
        return {0, StripField::Clearance};
    case 1:
        if (departure)
            return StripText(line, StripField::Startup) == QLatin1String("X") ? ConsoleStep{1, StripField::Taxi}
                                                                               : ConsoleStep{0, StripField::Startup};
        if (arrival)
            return {2, StripField::Parking};
        break;
    case 2:
        if (departure)
            return {0, StripField::Takeoff};
        if (arrival)
            return {1, StripField::Landing};
        if (kind == QLatin1String("V"))
            return {2, StripField::EnRoute};
        break;
    case 3:
        if (holds)
            return {2, StripField::Holding};
        if (arrival && StripText(line, StripField::EnRoute) == QLatin1String("X"))
            return {1, StripField::Approach};
        return {0, StripField::EnRoute};
    case 4:
        return holds ? ConsoleStep{1, StripField::Holding} : ConsoleStep{0, StripField::EnRoute};
    default:
        break;
    }
    return {};
}

bool WriteConsoleField(TrafficState &traffic, int index, StripField field, const QString &text)
{
    QString *line = StripLineOf(traffic, index);
    if (!line)
        return false;
    SetStripText(*line, field, text);
    return true;
}

bool WriteConsoleNumber(TrafficState &traffic, int index, StripField field, int value)
{
    QString *line = StripLineOf(traffic, index);
    if (!line)
        return false;
    SetStripNumber(*line, field, value);
    return true;
}

bool WriteFlightKind(TrafficState &traffic, const IniFile &ldep, const QString &position, int item, int index)
{
    const QList<CodeText> kinds = FlightKinds(ldep, position);
    const QString code = item >= 0 && item < kinds.size() ? kinds[item].code : QString();
    if (!WriteConsoleField(traffic, index, StripField::FlightKind, code))
        return false;
    const QString callsign = traffic.table[index].callsign;
    SetListed(traffic.console.departures, callsign, code == QLatin1String("D"));
    SetListed(traffic.console.arrivals, callsign, code == QLatin1String("A"));
    return true;
}

bool WriteStepStatus(TrafficState &traffic, int index, StripField column, const QString &code, const QDateTime &now)
{
    if (!WriteConsoleField(traffic, index, column, code))
        return false;
    AVION &a = traffic.table.edit(index);
    const bool waiting = code == QLatin1String("A");
    a.commandPending = waiting;
    if (waiting)
        a.waitingSince = now;
    SetListed(traffic.console.waiting, a.callsign, waiting);
    return true;
}

bool WriteProcedure(TrafficState &traffic, const QList<ROUTE> &sids, const QList<ROUTE> &stars, int index,
                    const QString &text)
{
    const QString *line = StripLineOf(traffic, index);
    if (!line)
        return false;
    const QString kind = StripText(*line, StripField::FlightKind);
    const bool departure = kind == QLatin1String("D");
    if (!departure && kind != QLatin1String("A") && kind != QLatin1String("V"))
        return false;
    const QList<ROUTE> &procedures = departure ? sids : stars;
    int found = -1;
    for (int i = 0; i < procedures.size(); ++i)
        if (procedures[i].name.trimmed() == text.trimmed())
            found = i; // the last of equal names
    if (found < 0)
        return false;
    return WriteConsoleNumber(traffic, index, departure ? StripField::Sid : StripField::Star, found);
}

bool WriteLevel(TrafficState &traffic, int index, int positionIndex, int level)
{
    return WriteConsoleNumber(traffic, index, positionIndex == 0 ? StripField::ClearedLevel : StripField::Level,
                              level);
}

bool WriteHoldingTime(TrafficState &traffic, int index, int minutes)
{
    const QString *line = StripLineOf(traffic, index);
    if (!line || StripText(*line, StripField::EnRoute) != QLatin1String("A") || minutes < 0 || minutes > 9)
        return false;
    return WriteConsoleField(traffic, index, StripField::Holding, QString::number(minutes));
}

QString KeypadAppend(const QString &entry, int digit)
{
    if (entry.size() >= 3 || digit < 0 || digit > 9)
        return entry;
    return entry + QString::number(digit);
}

std::optional<int> KeypadValue(const QString &entry)
{
    int value = 0;
    if (!TryStrToInt(entry, value))
        return std::nullopt;
    return value;
}

bool ApplyKeypad(TrafficState &traffic, int index, KeypadTarget target, int positionIndex, int value)
{
    switch (target) {
    case KeypadTarget::Speed: return WriteConsoleNumber(traffic, index, StripField::Speed, value);
    case KeypadTarget::Level: return WriteLevel(traffic, index, positionIndex, value);
    case KeypadTarget::Heading: return WriteConsoleNumber(traffic, index, StripField::Heading, value);
    }
    return false;
}

} // namespace zaz
