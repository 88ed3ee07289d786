#include "link/IncomingLines.h"

#include "traffic/StripLine.h"

#include <limits>

namespace zaz {

namespace {

// The transponder mode: the character after "@" of a position line. The three modes a
// server sends are shared texts, so that the line of every report does not make one.
QString TransponderMode(const QString &first)
{
    static const QString kModes[] = {QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("Y")};
    for (const QString &mode : kModes)
        if (first[1] == mode[0])
            return mode;
    return Copy(first, 2, 1);
}

// The layers of the weather lines: groups of size fields from field 3, each read when its
// first needed fields are there.
template <typename Read>
void ForEachGroup(const LineFields &line, int size, int needed, Read read)
{
    for (int n = 3; n + needed - 1 <= line.count(); n += size)
        read(n);
}

} // namespace

TemperatureLayers DecodeTemperatureLayers(const LineFields &line)
{
    TemperatureLayers out;
    ForEachGroup(line, 2, 2, [&](int n) { out.layers.append({line.text(n + 1), QString(), line.text(n)}); });
    return out;
}

WindLayers DecodeWindLayers(const LineFields &line)
{
    WindLayers out;
    // A group is read when its four first fields are there.
    ForEachGroup(line, 6, 4, [&](int n) {
        t_wind wind;
        wind.depth = line.text(n);
        wind.altitude = line.text(n + 1);
        wind.direction = line.text(n + 2);
        wind.speed = line.text(n + 3);
        if (!out.surface)
            out.surface = wind;
        else
            out.aloft.append(wind);
    });
    return out;
}

CloudLayers DecodeCloudLayers(const LineFields &line)
{
    CloudLayers out;
    ForEachGroup(line, 5, 5, [&](int n) {
        t_cloud c;
        c.base = line.text(n);
        c.height = line.text(n + 1);
        c.cover = line.text(n + 4) + QLatin1Char(',') + line.text(n + 3) + QLatin1Char(',') + line.text(n + 2);
        out.layers.append(c);
    });
    return out;
}

ServerFlightPlan DecodeFlightPlan(const LineFields &line)
{
    ServerFlightPlan plan;
    plan.callsign = line.sender(3);
    if (line.count() <= 3)
        return plan; // no plan
    plan.hasPlan = true;
    plan.rules = line.text(3);
    plan.acType = line.text(4);
    plan.tas = line.integer(5);
    plan.departure = line.optional(6);
    plan.proposedTime = line.optional(7);
    plan.actualTime = line.optional(8);
    plan.cruiseLevel = line.optional(9);
    plan.destination = line.optional(10);
    plan.hoursEnroute = line.optional(11);
    plan.minutesEnroute = line.optional(12);
    plan.fuelHours = line.optional(13);
    plan.fuelMinutes = line.optional(14);
    plan.alternate = line.optional(15);
    plan.remarks = line.optional(16);
    plan.route = line.optional(17);
    return plan;
}

FiledPlan DecodeFiledPlan(const LineFields &line)
{
    FiledPlan plan;
    plan.callsign = line.text(3);
    plan.rules = line.text(4);
    plan.acType = line.text(5);
    plan.speed = line.text(6);
    plan.departure = line.text(7);
    plan.proposedTime = line.text(8);
    plan.actualTime = line.text(9);
    plan.cruiseLevel = line.text(10);
    plan.destination = line.text(11);
    plan.remarks = line.text(17);
    plan.route = line.text(18);
    return plan;
}

ServerPosition DecodePosition(const LineFields &line)
{
    ServerPosition p;
    p.transponderMode = TransponderMode(line.first());
    p.callsign = line.text(2);
    p.squawk = line.text(3);
    p.rating = line.text(4);
    p.lat = line.coordinate(5);
    p.lon = line.coordinate(6);
    p.altitude = line.integer(7);
    p.groundSpeed = line.integer(8);
    // A heading that is no number never fails the line; the tenth field must be an integer
    // although it is not kept. The same field read as the packed word of an "FSD" pilot
    // client: an unsigned 32-bit number (some clients write it signed: the same bits).
    const QString &field9 = line.text(9);
    int heading = 0;
    if (TryStrToInt(field9, heading))
        p.heading = heading;
    bool ok = false;
    const qlonglong word = field9.toLongLong(&ok);
    if (ok && word >= std::numeric_limits<qint32>::min() && word <= qlonglong(std::numeric_limits<quint32>::max()))
        p.attitude = quint32(word);
    line.integer(10);
    return p;
}

StripTransfer DecodeStripTransfer(const QString &text)
{
    // The callsign follows the 61-column row: a shorter text lacks what the transfer needs.
    if (text.size() < 68)
        throw LineError(QStringLiteral("strip incomplet"));
    StripTransfer strip;
    strip.row = Copy(text, 7, 58).replace(QLatin1Char('/'), QLatin1Char(':'));
    strip.callsign = Copy(text, 68, int(text.size()));
    // Blank columns 57-58 (a strip that never offered a handoff) keep the next point.
    const QString nextPoint = StripText(strip.row, StripField::NextPoint).trimmed();
    if (!nextPoint.isEmpty()) {
        int value = 0;
        if (!TryStrToInt(nextPoint, value))
            throw LineError(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(nextPoint));
        strip.nextPoint = value;
    }
    return strip;
}

TextMessage DecodeTextMessage(const LineFields &line)
{
    TextMessage m;
    m.sender = line.sender(3);
    m.destination = line.text(2);
    m.text = line.text(3);
    m.stripText = m.text.startsWith(QLatin1String("~STRIP"));
    if (m.stripText) {
        try {
            m.strip = DecodeStripTransfer(m.text);
        } catch (const LineError &) {
            // Only a strip addressed to this controller must be whole.
        }
    }
    return m;
}

ControllerPosition DecodeControllerPosition(const LineFields &line)
{
    ControllerPosition p;
    p.callsign = line.sender(1);
    p.frequency = line.text(2);
    p.facilityCode = line.text(3);
    p.range = line.integer(4);
    p.ratingCode = line.text(5);
    p.lat = line.coordinate(6);
    p.lon = line.coordinate(7);
    p.altitude = line.integer(8);
    return p;
}

HandoffLine DecodeHandoff(const LineFields &line)
{
    return {line.sender(3), line.text(2), line.text(3)};
}

ServerErrorReport DecodeServerError(const LineFields &line)
{
    return {line.optional(3), line.optional(4), line.joinedFrom(5, u":")};
}

ServerKick DecodeKick(const LineFields &line)
{
    return {line.joinedFrom(3, u":")};
}

double PackedHeading(quint32 word)
{
    return ((word >> 2) & 1023u) * (360.0 / 1024.0);
}

bool IsPositionLine(const LineFields &line)
{
    return line.is("@N") || line.is("@S") || line.is("@Y");
}

IncomingLine DecodeBeforeLogin(const LineFields &line)
{
    if (line.startsWith("$!!"))
        return DecodeKick(line);
    if (line.is("$ERserver"))
        return LoginRefused{line.joinedFrom(2)};
    if (line.is("#TMserver"))
        return LoginAccepted{line.text(2), line.optional(3)};
    return IgnoredLine{};
}

IncomingLine DecodeAccepted(const LineFields &line)
{
    // No line matches two of these tests (their first fields differ in their first
    // characters or are exact texts), so their order only matters for speed: positions,
    // nearly every line of a busy server, are tested first.
    if (IsPositionLine(line))
        return DecodePosition(line);
    if (line.is("#TDserver"))
        return DecodeTemperatureLayers(line);
    if (line.is("#WDserver"))
        return DecodeWindLayers(line);
    if (line.is("#CDserver"))
        return DecodeCloudLayers(line);
    if (line.is("$ARserver")) {
        if (line.optional(3) != QLatin1String("METAR"))
            return IgnoredLine{};
        return ServerMetar{line.text(4)};
    }
    if (line.startsWith("$FP"))
        return DecodeFlightPlan(line);
    if (line.startsWith("$DEPOTFP"))
        return DecodeFiledPlan(line);
    if (line.startsWith("$CQ")) {
        if (line.text(3).trimmed() != QLatin1String("ATIS"))
            return IgnoredLine{};
        return AtisQuery{line.sender(3)};
    }
    if (line.startsWith("#DP"))
        return PilotLeft{line.sender(3)};
    if (line.startsWith("#TM"))
        return DecodeTextMessage(line);
    if (line.startsWith("%"))
        return DecodeControllerPosition(line);
    if (line.startsWith("#DA"))
        return ControllerLeft{line.sender(3)};
    if (line.startsWith("$HO"))
        return HandoffOffer{DecodeHandoff(line)};
    if (line.startsWith("$HA"))
        return HandoffAccepted{DecodeHandoff(line)};
    if (line.is("$ERserver"))
        return DecodeServerError(line);
    if (line.startsWith("$!!"))
        return DecodeKick(line);
    return IgnoredLine{};
}

} // namespace zaz
