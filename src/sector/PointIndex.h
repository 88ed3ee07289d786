// Name look-ups over the sector tables: points named in route, GEO and label lines, route
// points of flight plans, and airways. Served from hash tables built once per load, with
// the answers of a scan of the whole table that keeps the last match.
#pragma once

#include "sector/SectorRecords.h"

#include <QHash>
#include <QString>
#include <QStringView>

namespace zaz {

class SectorIndex {
public:
    struct Entry {
        float lat;
        float lon;
    };

    // Fix, NDB, VOR and airport names (trimmed, case-sensitive).
    void buildPoints(const SectorTables &tables);
    // Low and high airway names (trimmed, exact).
    void buildAirways(const SectorTables &tables);
    void build(const SectorTables &tables)
    {
        buildPoints(tables);
        buildAirways(tables);
    }

    // Sector reading, by columns: the fix table against the first 5 characters of the text,
    // the NDB table against 5, the VOR table against 3, the airports against 4.
    bool lookupColumns(QStringView text, float &lat, float &lon) const;
    // Sector reading, by tokens: the whole token against the same tables in the same order.
    bool lookupWhole(QStringView token, float &lat, float &lon) const;
    // Route points of a flight plan: the trimmed name against the fixes, then the NDBs,
    // then the VORs.
    bool lookupRoutePoint(QStringView name, float &lat, float &lon) const;
    // Index of the last airway with this trimmed name; -1 when none.
    int highAirway(QStringView name) const;
    int lowAirway(QStringView name) const;

    // The same answers by scanning every table, as a reference for tests and benchmarks.
    static bool scanColumns(const SectorTables &tables, QStringView text, float &lat, float &lon);
    static bool scanWhole(const SectorTables &tables, QStringView token, float &lat, float &lon);
    static bool scanRoutePoint(const SectorTables &tables, QStringView name, float &lat, float &lon);

private:
    QHash<QString, Entry> fixes_, ndbs_, vors_, airports_;
    QHash<QString, int> highAirways_, lowAirways_;
};

} // namespace zaz
