// The strip store: one 61-column strip line per aircraft with a strip, in the order the
// strips were made, each held under its aircraft's callsign.
//
// Columns (1-based): 1-3 key, 4-11 control start "hh:nn:ss", 12 clearance status, 13-15
// SID index, 16-18 cleared level, 19 start-up, 20 taxi, 21 take-off status, 22-26 point,
// 27-29 heading, 30-32 level, 33 en route, 34 holding, 35 approach, 36 landing, 37 parking
// status, 38 flight kind, 39-41 speed, 42-44 control position, 45 handoff mark, 46-53
// handoff controller, 54-56 STAR index, 57-58 next point, 59-61 blanks.
//
// The key columns keep the aircraft's traffic index written with three digits, as the
// strips other controllers receive carry it; inside the program a strip is found by its
// callsign, so a record that is freed and given to another aircraft never inherits it.
#pragma once

#include <QList>
#include <QString>
#include <QTime>

namespace zaz {

inline constexpr int kStripLength = 61;

struct Strip {
    QString callsign;
    QString line;
};

struct StripStore {
    QList<Strip> entries;
};

// The key of a traffic index: three digits, leading zeros.
QString StripKey(int index);
// A new strip: its key, the time and blanks up to 61 columns.
QString NewStripLine(int index, const QTime &start);
// Position of the aircraft's strip in the store; -1 when it has none.
int StripPosition(const StripStore &store, const QString &callsign);

} // namespace zaz
