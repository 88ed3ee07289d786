// The traffic table: a growable array of AVION whose records keep their index while in use
// and are re-used once freed. Callsign searches and the free-record search are served by
// indexes that give the answers of a full scan (the highest matching index wins).
//
// The table holds at most kMaxAircraft records: a server announcing ever new callsigns
// cannot grow it without bound, and every index stays below kNoAircraft.
#pragma once

#include "traffic/Avion.h"

#include <QHash>
#include <set>

namespace zaz {

// "No aircraft": the answer of a search that finds nothing; never an index of the table.
inline constexpr int kNoAircraft = 9999;
// Aircraft the table holds at most.
inline constexpr int kMaxAircraft = 5000;
static_assert(kMaxAircraft <= kNoAircraft, "an index of the table must never read as no aircraft");

class TrafficTable {
public:
    int size() const { return int(records_.size()); }
    bool isEmpty() const { return records_.isEmpty(); }
    const AVION &operator[](int index) const { return records_[index]; }
    // A record for changing any field but the callsign (setCallsign keeps the indexes).
    AVION &edit(int index) { return records_[index]; }
    const QList<AVION> &records() const { return records_; }
    bool isValid(int index) const { return index >= 0 && index < records_.size(); }
    // A record of the table with an aircraft in it.
    bool inUse(int index) const { return isValid(index) && !records_[index].callsign.isEmpty(); }

    // Index of the record with this callsign, the highest when several have it; kNoAircraft
    // when none. An empty callsign finds nothing.
    int FindAircraft(const QString &callsign) const;
    // The highest free record, or a new zero-filled one appended; kNoAircraft when the
    // table is full.
    int AcquireRecord();
    // Records in use with this callsign (more than one only through the simulator).
    int holders(const QString &callsign) const;
    void setCallsign(int index, const QString &callsign);
    // Empties the table.
    void clear();

    // The same answers by scanning every record, as a reference for tests and benchmarks.
    int findAircraftByScan(const QString &callsign) const;
    int freeRecordByScan() const;

private:
    QList<AVION> records_;
    QHash<QString, std::set<int>> byCallsign_;
    std::set<int> free_;
};

} // namespace zaz
