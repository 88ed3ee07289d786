// The command console's model: its five lists and their rows, the strip made or removed
// for the selected aircraft, and the one-field rewrites of a strip that each control of
// the console makes. Every rewrite keeps the line's length and its other columns.
#pragma once

#include "sector/SectorRecords.h"
#include "traffic/StripLine.h"
#include "traffic/TrafficState.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace zaz {

class IniFile;

// The lists offered by the console, in the order of its list chooser.
enum class ConsoleList { Strips, Waiting, Handoffs, Departures, Arrivals };

// An entry of the handoff list: the offering controller on eight columns, then the callsign.
QString HandoffEntry(const QString &controller, const QString &callsign);
QString HandoffEntryCallsign(const QString &entry);

// One row of a list: the aircraft it names and its ten cells.
struct ConsoleRow {
    QString callsign;
    int aircraft = kNoAircraft;
    std::array<QString, 10> cells;
};

// The rows of a list (strips: the strip store's order; the others: the list's order). An
// entry whose aircraft has left gives no row. Distances are from the own position.
QList<ConsoleRow> ConsoleRows(const TrafficState &traffic, ConsoleList list, const QDateTime &now, double ownLat,
                              double ownLon);

// Drops the callsign from every console list.
void ForgetConsoleEntries(ConsoleLists &lists, const QString &callsign);

// The route point nearest the aircraft, closer than its departure airport: its element
// index, or -1 when none is (or the aircraft has no route).
int InitialNextPoint(const AVION &aircraft, const QList<Airport> &airports);

// The strip button: gives the aircraft a new strip (key, time, blanks) with its initial
// next point, or removes the strip it has. True when a strip was made.
bool ToggleConsoleStrip(TrafficState &traffic, const QList<Airport> &airports, int index, const QTime &now);

// The step the console works on for a strip at a control position (index in ope.ini):
// the step's index in the position and its status column; step -1 when none applies.
struct ConsoleStep {
    int step = -1;
    StripField status = StripField::Clearance;
};
ConsoleStep CurrentConsoleStep(int positionIndex, const QString &line);

// The one-field rewrites, on the aircraft's strip. Each returns false, changing nothing,
// when the aircraft has no strip (or the value is refused, as stated).
bool WriteConsoleField(TrafficState &traffic, int index, StripField field, const QString &text);
bool WriteConsoleNumber(TrafficState &traffic, int index, StripField field, int value);
// The flight kind chosen at a position: item of ldep.ini's section (-1: none, blank); the
// departures and arrivals lists follow the code.
bool WriteFlightKind(TrafficState &traffic, const IniFile &ldep, const QString &position, int item, int index);
// A step status; "A" marks the aircraft waiting (pending command, since now, in the waiting
// list once), any other code ends the wait.
bool WriteStepStatus(TrafficState &traffic, int index, StripField column, const QString &code, const QDateTime &now);
// The SID (departure) or STAR (arrival or transit) named text; false when no name matches
// or the strip has no such flight kind.
bool WriteProcedure(TrafficState &traffic, const QList<ROUTE> &sids, const QList<ROUTE> &stars, int index,
                    const QString &text);
// The level: the cleared level at position 0, else the en-route level.
bool WriteLevel(TrafficState &traffic, int index, int positionIndex, int level);
// The holding time, a digit, only while the en-route step is waiting.
bool WriteHoldingTime(TrafficState &traffic, int index, int minutes);

// The keypad's entry: a digit is added while it holds fewer than three.
QString KeypadAppend(const QString &entry, int digit);
// What the keypad's entry sets.
enum class KeypadTarget { Speed, Level, Heading };
// The entry as a number; none when it is empty or no number.
std::optional<int> KeypadValue(const QString &entry);
// Writes the value where the target goes (the level by position, as WriteLevel).
bool ApplyKeypad(TrafficState &traffic, int index, KeypadTarget target, int positionIndex, int value);

} // namespace zaz
