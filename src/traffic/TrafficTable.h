// The traffic table: a growable array of AVION whose records keep their index while in use
// and are re-used once freed. Callsign searches and the free-record search are served by
// indexes that give the answers of a full scan (the highest matching index wins).
#pragma once

#include "traffic/Avion.h"

#include <QHash>
#include <QStringList>
#include <set>

namespace zaz {

inline constexpr int kNoAircraft = 9999;

class TrafficTable {
public:
    int size() const { return int(records_.size()); }
    bool isEmpty() const { return records_.isEmpty(); }
    const AVION &operator[](int index) const { return records_[index]; }
    // A record for changing any field but the callsign (SetCallsign keeps the indexes).
    AVION &Edit(int index) { return records_[index]; }
    const QList<AVION> &records() const { return records_; }
    bool IsValid(int index) const { return index >= 0 && index < records_.size(); }

    // Index of the record with this callsign, the highest when several have it; 9999 when
    // none. An empty callsign finds nothing.
    int FindAircraft(const QString &callsign) const;
    // The highest free record, or a new zero-filled one appended.
    int AcquireRecord();
    void SetCallsign(int index, const QString &callsign);
    // Empties the table.
    void Clear();

    // The same answers by scanning every record, as a reference for tests and benchmarks.
    int FindAircraftByScan(const QString &callsign) const;
    int FreeRecordByScan() const;

private:
    QList<AVION> records_;
    QHash<QString, std::set<int>> byCallsign_;
    std::set<int> free_;
};

struct TrafficState {
    TrafficTable table;
    int SelectedAircraft = kNoAircraft;
    // Decimal index of every record given to an aircraft, in order of arrival.
    QStringList LiveTrafficList;
    // Raised during a redraw when an aircraft is in conflict or squawks an emergency.
    bool globalAlert = false;
};

} // namespace zaz
