#include "sector/PointIndex.h"

#include "sector/TextView.h"

namespace zaz {

namespace {

template <typename Record, typename NameOf>
void Index(QHash<QString, SectorIndex::Entry> &index, const QList<Record> &table, NameOf nameOf)
{
    index.clear();
    index.reserve(table.size());
    // Later elements overwrite earlier ones: the last match wins.
    for (const Record &r : table)
        index.insert(TrimmedView(nameOf(r)).toString(), {r.latitude, r.longitude});
}

bool Find(const QHash<QString, SectorIndex::Entry> &index, QStringView key, float &lat, float &lon)
{
    // A blank text names nothing, even when some element of a table has a blank name.
    if (index.isEmpty() || key.isEmpty())
        return false;
    // A key over the caller's characters: no copy for the look-up.
    const QString probe = QString::fromRawData(key.data(), key.size());
    const auto it = index.constFind(probe);
    if (it == index.constEnd())
        return false;
    lat = it->lat;
    lon = it->lon;
    return true;
}

template <typename Record, typename NameOf>
bool Scan(const QList<Record> &table, QStringView key, NameOf nameOf, float &lat, float &lon)
{
    bool found = false;
    if (key.isEmpty())
        return false;
    for (const Record &r : table)
        if (TrimmedView(nameOf(r)) == key) {
            lat = r.latitude;
            lon = r.longitude;
            found = true;
        }
    return found;
}

const QString &FixName(const FIXE &f) { return f.name; }
const QString &NavaidName(const VOR &v) { return v.identifier; }
const QString &AirportName(const Airport &a) { return a.identifier; }

} // namespace

void SectorIndex::buildPoints(const SectorTables &tables)
{
    Index(fixes_, tables.fixes, FixName);
    Index(ndbs_, tables.ndbs, NavaidName);
    Index(vors_, tables.vors, NavaidName);
    Index(airports_, tables.airports, AirportName);
}

void SectorIndex::buildAirways(const SectorTables &tables)
{
    const auto index = [](QHash<QString, int> &map, const QList<ROUTE> &table) {
        map.clear();
        map.reserve(table.size());
        for (qsizetype i = 0; i < table.size(); ++i)
            map.insert(TrimmedView(table[i].name).toString(), int(i));
    };
    index(highAirways_, tables.highAirways);
    index(lowAirways_, tables.lowAirways);
}

bool SectorIndex::lookupRoutePoint(QStringView name, float &lat, float &lon) const
{
    const QStringView key = TrimmedView(name);
    return Find(fixes_, key, lat, lon) || Find(ndbs_, key, lat, lon) || Find(vors_, key, lat, lon);
}

bool SectorIndex::scanRoutePoint(const SectorTables &tables, QStringView name, float &lat, float &lon)
{
    const QStringView key = TrimmedView(name);
    return Scan(tables.fixes, key, FixName, lat, lon) || Scan(tables.ndbs, key, NavaidName, lat, lon)
           || Scan(tables.vors, key, NavaidName, lat, lon);
}

namespace {

int FindName(const QHash<QString, int> &map, QStringView name)
{
    const QStringView key = TrimmedView(name);
    if (key.isEmpty())
        return -1;
    return map.value(QString::fromRawData(key.data(), key.size()), -1);
}

} // namespace

int SectorIndex::highAirway(QStringView name) const
{
    return FindName(highAirways_, name);
}

int SectorIndex::lowAirway(QStringView name) const
{
    return FindName(lowAirways_, name);
}

bool SectorIndex::lookupColumns(QStringView text, float &lat, float &lon) const
{
    return Find(fixes_, TrimmedView(text.left(5)), lat, lon)
           || Find(ndbs_, TrimmedView(text.left(5)), lat, lon)
           || Find(vors_, TrimmedView(text.left(3)), lat, lon)
           || Find(airports_, TrimmedView(text.left(4)), lat, lon);
}

bool SectorIndex::lookupWhole(QStringView token, float &lat, float &lon) const
{
    return Find(fixes_, token, lat, lon) || Find(ndbs_, token, lat, lon) || Find(vors_, token, lat, lon)
           || Find(airports_, token, lat, lon);
}

bool SectorIndex::scanColumns(const SectorTables &tables, QStringView text, float &lat, float &lon)
{
    return Scan(tables.fixes, TrimmedView(text.left(5)), FixName, lat, lon)
           || Scan(tables.ndbs, TrimmedView(text.left(5)), NavaidName, lat, lon)
           || Scan(tables.vors, TrimmedView(text.left(3)), NavaidName, lat, lon)
           || Scan(tables.airports, TrimmedView(text.left(4)), AirportName, lat, lon);
}

bool SectorIndex::scanWhole(const SectorTables &tables, QStringView token, float &lat, float &lon)
{
    return Scan(tables.fixes, token, FixName, lat, lon) || Scan(tables.ndbs, token, NavaidName, lat, lon)
           || Scan(tables.vors, token, NavaidName, lat, lon)
           || Scan(tables.airports, token, AirportName, lat, lon);
}

} // namespace zaz
