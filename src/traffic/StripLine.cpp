#include "traffic/StripLine.h"

#include "core/Text.h"

#include <iterator>

namespace zaz {

namespace {

struct FieldSpan {
    int column;
    int width;
};

// Indexed by StripField, in the order of the enumeration.
constexpr FieldSpan kFields[] = {
    {1, 3},  // Key
    {4, 8},  // ControlStart
    {12, 1}, // Clearance
    {13, 3}, // Sid
    {16, 3}, // ClearedLevel
    {19, 1}, // Startup
    {20, 1}, // Taxi
    {21, 1}, // Takeoff
    {22, 5}, // Point
    {27, 3}, // Heading
    {30, 3}, // Level
    {33, 1}, // EnRoute
    {34, 1}, // Holding
    {35, 1}, // Approach
    {36, 1}, // Landing
    {37, 1}, // Parking
    {38, 1}, // FlightKind
    {39, 3}, // Speed
    {42, 3}, // Position
    {45, 1}, // HandoffMark
    {46, 8}, // HandoffController
    {54, 3}, // Star
    {57, 2}, // NextPoint
};
static_assert(std::size(kFields) == std::size_t(StripField::NextPoint) + 1);

// The statuses whose "A" asks something of the pilot; landing is left out on purpose.
constexpr StripField kPendingFields[] = {StripField::Clearance, StripField::Startup, StripField::Taxi,
                                         StripField::Takeoff,   StripField::EnRoute, StripField::Parking};

const FieldSpan &SpanOf(StripField field)
{
    return kFields[std::size_t(field)];
}

QChar CharOf(const QString &line, StripField field)
{
    const QString text = StripText(line, field);
    return text.isEmpty() ? QLatin1Char(' ') : text.at(0);
}

// A status character of a record; a record built without one holds a blank.
QString CharText(QChar c)
{
    return c.isNull() ? QStringLiteral(" ") : QString(c);
}

} // namespace

int StripColumn(StripField field)
{
    return SpanOf(field).column;
}

int StripWidth(StripField field)
{
    return SpanOf(field).width;
}

QString StripText(const QString &line, StripField field)
{
    const FieldSpan &span = SpanOf(field);
    return Copy(line, span.column, span.width);
}

void SetStripText(QString &line, StripField field, const QString &text)
{
    const FieldSpan &span = SpanOf(field);
    const int end = span.column + span.width - 1;
    if (line.size() < end)
        line = PadRight(line, end);
    line.replace(span.column - 1, span.width, FitWidth(text, span.width));
}

void SetStripNumber(QString &line, StripField field, int value)
{
    // A negative number keeps its sign ("-1") and is cut to the field like any text.
    SetStripText(line, field, value < 0 ? IntToStr(value) : ZeroPad(value, StripWidth(field)));
}

bool HasPendingStep(const QString &line)
{
    for (StripField field : kPendingFields)
        if (StripText(line, field) == QLatin1String("A"))
            return true;
    return false;
}

StripRecord ParseStripLine(const QString &line)
{
    StripRecord r;
    r.key = StripText(line, StripField::Key);
    r.controlStart = StripText(line, StripField::ControlStart);
    r.clearance = CharOf(line, StripField::Clearance);
    r.sid = StripText(line, StripField::Sid);
    r.clearedLevel = StripText(line, StripField::ClearedLevel);
    r.startup = CharOf(line, StripField::Startup);
    r.taxi = CharOf(line, StripField::Taxi);
    r.takeoff = CharOf(line, StripField::Takeoff);
    r.point = StripText(line, StripField::Point);
    r.heading = StripText(line, StripField::Heading);
    r.level = StripText(line, StripField::Level);
    r.enRoute = CharOf(line, StripField::EnRoute);
    r.holding = CharOf(line, StripField::Holding);
    r.approach = CharOf(line, StripField::Approach);
    r.landing = CharOf(line, StripField::Landing);
    r.parking = CharOf(line, StripField::Parking);
    r.flightKind = CharOf(line, StripField::FlightKind);
    r.speed = StripText(line, StripField::Speed);
    r.position = StripText(line, StripField::Position);
    r.handoffMark = CharOf(line, StripField::HandoffMark);
    r.handoffController = StripText(line, StripField::HandoffController);
    r.star = StripText(line, StripField::Star);
    return r;
}

QString FormatStripLine(const StripRecord &r)
{
    QString line;
    SetStripText(line, StripField::Key, r.key);
    SetStripText(line, StripField::ControlStart, r.controlStart);
    SetStripText(line, StripField::Clearance, CharText(r.clearance));
    SetStripText(line, StripField::Sid, r.sid);
    SetStripText(line, StripField::ClearedLevel, r.clearedLevel);
    SetStripText(line, StripField::Startup, CharText(r.startup));
    SetStripText(line, StripField::Taxi, CharText(r.taxi));
    SetStripText(line, StripField::Takeoff, CharText(r.takeoff));
    SetStripText(line, StripField::Point, r.point);
    SetStripText(line, StripField::Heading, r.heading);
    SetStripText(line, StripField::Level, r.level);
    SetStripText(line, StripField::EnRoute, CharText(r.enRoute));
    SetStripText(line, StripField::Holding, CharText(r.holding));
    SetStripText(line, StripField::Approach, CharText(r.approach));
    SetStripText(line, StripField::Landing, CharText(r.landing));
    SetStripText(line, StripField::Parking, CharText(r.parking));
    SetStripText(line, StripField::FlightKind, CharText(r.flightKind));
    SetStripText(line, StripField::Speed, r.speed);
    SetStripText(line, StripField::Position, r.position);
    return line;
}

QString WithStripRecord(const QString &line, const StripRecord &record)
{
    const QString head = FormatStripLine(record);
    return head + line.mid(head.size());
}

} // namespace zaz
