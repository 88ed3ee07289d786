// The other controllers reported by the server ("%" lines), kept in a table whose freed
// records are re-used, and the list of the records in use in order of arrival.
#pragma once

#include "core/Text.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

class IniFile;
struct RadarState;

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

// Records the table may hold: indexes stay below 9999, the "no controller" answer, and a
// server announcing ever new callsigns cannot grow the table without bound.
inline constexpr int kMaxControllers = 9999;

struct ControllersState {
    QList<t_controller> ControllerTable;
    QStringList ControllerList; // decimal indexes of the records in use, in order of arrival
    int ControllerCount = 0;
};

// Index of the controller with this callsign, the highest when several; 9999 when none.
int FindController(const ControllersState &controllers, const QString &callsign);

// A "%" line: update or create the sender's record. The rating and facility texts come
// from the settings file's [rating] and [facility] sections (settings may be null: "error").
// Raises ConversionError when a numeric field does not convert and LineError when a field
// is missing or a new controller finds the table full. A known controller keeps the fields
// set before the failing one; a new one gets no record. Returns the record's index (9999
// for a line without a callsign, which names no controller and changes nothing).
int ApplyControllerPosition(RadarState &state, const t_tranches &fields, const QDateTime &now,
                            const IniFile *settings);

// A "#DA" line: frees the record (callsign cleared, latitude 9999) and takes it out of
// ControllerList. An index out of the table or a free record changes nothing.
void RemoveController(RadarState &state, int index);

} // namespace zaz
