// The other controllers reported by the server ("%" lines), kept in a table whose freed
// records are re-used, and the list of the records in use in order of arrival.
#pragma once

#include "link/LinkState.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

struct t_controller {
    QString unused1;
    QString callsign;       // empty: free record
    QString unused3;
    float lat = 0;          // 9999 after removal
    float lon = 0;
    qint32 altitude = 0;
    QString frequency;      // "1" + the five digits of the line
    QString unused8;
    QString ratingText;     // [rating] value of ZAZ.ini, "error" when missing
    QString facilityText;   // [facility] value of ZAZ.ini, "error" when missing
    qint32 range = 0;
    QDateTime lastSeen;
    bool inRadioList = false;
};

// "No controller": the answer of a search that finds nothing.
inline constexpr int kNoController = 9999;
// Records the table may hold: indexes stay below kNoController, and a server announcing
// ever new callsigns cannot grow the table without bound.
inline constexpr int kMaxControllers = 9999;

struct ControllersState {
    QList<t_controller> ControllerTable;
    QStringList ControllerList; // decimal indexes of the records in use, in order of arrival
    int ControllerCount = 0;
    // The controller picked in "choix control": the next handoff is offered to them.
    QString chosenCallsign;
    // The last handoff offered: to whom and on which frequency ("122.800"), for the
    // "$CONT" and "$FREQ" variables of the texts.
    QString handoffCallsign;
    QString handoffFrequency;
};

// Six frequency digits written as shown ("118700" -> "118.700"); an empty text stays empty.
QString FrequencyText(const QString &digits);

// A controller's position as the server reports it ("%" lines).
struct ControllerPosition {
    QString callsign;
    QString frequency;      // the five digits
    QString facilityCode;
    int range = 0;
    QString ratingCode;
    float lat = 0;
    float lon = 0;
    int altitude = 0;
};

// Index of the controller with this callsign, the highest when several; kNoController when
// none.
int FindController(const ControllersState &controllers, const QString &callsign);

// A position: updates or creates the sender's record, with the facility and rating texts
// of its codes ("error" for a code the settings do not name). Raises LineError, and
// changes nothing, when a new controller finds the table full. Returns the record's index
// (kNoController for a position without a callsign, which names no controller).
int ApplyControllerPosition(ControllersState &controllers, const CodeTexts &texts, const ControllerPosition &position,
                            const QDateTime &now);

// The controller left: frees the record (callsign cleared, latitude 9999) and takes it out
// of ControllerList. An index out of the table or a free record changes nothing.
void RemoveController(ControllersState &controllers, int index);

} // namespace zaz
