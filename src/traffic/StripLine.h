// The columns of a strip line, known here and nowhere else: every reader and writer of a
// strip (the editor, the board, the console, the aircraft panel, the handoff, the strips
// received from other controllers) goes through these fields.
//
// A strip line is 61 characters (see StripStore.h for the columns). Writing a field pads
// or cuts the text to the field's width and leaves the line's length and its other
// columns as they are; a line shorter than a field's end is padded with blanks first.
#pragma once

#include <QString>

namespace zaz {

enum class StripField {
    Key,               // 1-3: traffic index, three digits
    ControlStart,      // 4-11: "hh:nn:ss"
    Clearance,         // 12: status "CL"
    Sid,               // 13-15: SID index, three digits; blanks when none
    ClearedLevel,      // 16-18: flight level, three digits
    Startup,           // 19: status "MR" ("X": step passed)
    Taxi,              // 20: status "TX"
    Takeoff,           // 21: status "TO"
    Point,             // 22-26: cleared point
    Heading,           // 27-29: cleared heading
    Level,             // 30-32: current cleared level (en route)
    EnRoute,           // 33: status "R"
    Holding,           // 34: status "HLD"
    Approach,          // 35: status "ILS"
    Landing,           // 36: status "LDG"
    Parking,           // 37: status "PKG"
    FlightKind,        // 38: "D", "A", "V" or blank
    Speed,             // 39-41: cleared speed
    Position,          // 42-44: control position (first three characters of an ope.ini section)
    HandoffMark,       // 45: blank, "D" offered, "A" accepted
    HandoffController, // 46-53: the other controller of the handoff
    Star,              // 54-56: STAR index, three digits; blanks when none
    NextPoint,         // 57-58: the aircraft's next route point, two digits
};

// First column (1-based) and width of a field.
int StripColumn(StripField field);
int StripWidth(StripField field);

// The field's text as it stands in the line (blanks kept; empty beyond the line's end).
QString StripText(const QString &line, StripField field);
// Writes text into the field: padded with blanks or cut to its width.
void SetStripText(QString &line, StripField field, const QString &text);
// A number written into a field of digits, zero-padded to its width ("90" -> "090").
void SetStripNumber(QString &line, StripField field, int value);

// The status fields whose "A" marks a step waiting for the pilot: clearance, start-up,
// taxi, take-off, en route and parking (not landing).
bool HasPendingStep(const QString &line);

// The strip record the editor works on: columns 1-56 parsed into their fields.
struct StripRecord {
    QString key, controlStart, sid, clearedLevel, point, heading, level, speed, position, handoffController, star;
    QChar clearance, startup, taxi, takeoff, enRoute, holding, approach, landing, parking, flightKind, handoffMark;
};
StripRecord ParseStripLine(const QString &line);
// Columns 1-44 of a line from a record.
QString FormatStripLine(const StripRecord &record);
// The line with columns 1-44 taken from the record and the rest kept.
QString WithStripRecord(const QString &line, const StripRecord &record);

} // namespace zaz
