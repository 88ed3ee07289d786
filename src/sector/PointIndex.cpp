#include "sector/SectorReader.h"

#include "sector/TextView.h"

namespace zaz {

namespace {

template <typename Record, typename NameOf>
void Index(QHash<QString, PointIndex::Entry> &index, const QList<Record> &table, NameOf nameOf)
{
    index.clear();
    index.reserve(table.size());
    // Later elements overwrite earlier ones: the last match wins.
    for (const Record &r : table)
        index.insert(TrimmedView(nameOf(r)).toString(), {r.latitude, r.longitude});
}

bool Find(const QHash<QString, PointIndex::Entry> &index, QStringView key, float &lat, float &lon)
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

void PointIndex::Build(const SectorTables &tables)
{
    Index(fixes_, tables.fixes, FixName);
    Index(ndbs_, tables.ndbs, NavaidName);
    Index(vors_, tables.vors, NavaidName);
    Index(airports_, tables.airports, AirportName);
}

bool PointIndex::LookupColumns(QStringView text, float &lat, float &lon) const
{
    return Find(fixes_, TrimmedView(text.left(5)), lat, lon)
           || Find(ndbs_, TrimmedView(text.left(5)), lat, lon)
           || Find(vors_, TrimmedView(text.left(3)), lat, lon)
           || Find(airports_, TrimmedView(text.left(4)), lat, lon);
}

bool PointIndex::LookupWhole(QStringView token, float &lat, float &lon) const
{
    return Find(fixes_, token, lat, lon) || Find(ndbs_, token, lat, lon) || Find(vors_, token, lat, lon)
           || Find(airports_, token, lat, lon);
}

bool PointIndex::ScanColumns(const SectorTables &tables, QStringView text, float &lat, float &lon)
{
    return Scan(tables.fixes, TrimmedView(text.left(5)), FixName, lat, lon)
           || Scan(tables.ndbs, TrimmedView(text.left(5)), NavaidName, lat, lon)
           || Scan(tables.vors, TrimmedView(text.left(3)), NavaidName, lat, lon)
           || Scan(tables.airports, TrimmedView(text.left(4)), AirportName, lat, lon);
}

bool PointIndex::ScanWhole(const SectorTables &tables, QStringView token, float &lat, float &lon)
{
    return Scan(tables.fixes, token, FixName, lat, lon) || Scan(tables.ndbs, token, NavaidName, lat, lon)
           || Scan(tables.vors, token, NavaidName, lat, lon)
           || Scan(tables.airports, token, AirportName, lat, lon);
}

} // namespace zaz
