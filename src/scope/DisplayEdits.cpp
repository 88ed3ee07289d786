#include "scope/DisplayEdits.h"

#include "core/Text.h"

#include <algorithm>

namespace zaz {

namespace {

QList<ROUTE> &RoutesOf(SectorTables &t, ElementKind kind)
{
    switch (kind) {
    case ElementKind::Sids: return t.sids;
    case ElementKind::Stars: return t.stars;
    case ElementKind::LowAirways: return t.lowAirways;
    case ElementKind::HighAirways:
    case ElementKind::Fixes: break;
    }
    return t.highAirways;
}

const QList<ROUTE> &RoutesOf(const SectorTables &t, ElementKind kind)
{
    return RoutesOf(const_cast<SectorTables &>(t), kind);
}

template <typename Record>
ElementItems ItemsOf(const QList<Record> &table, bool sorted, bool byName)
{
    ElementItems items;
    items.reserve(table.size());
    for (const Record &r : table)
        items.append({r.name, byName ? false : r.selected != 0});
    if (sorted)
        std::stable_sort(items.begin(), items.end(), [](const ElementItem &a, const ElementItem &b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
    if (byName)
        for (const Record &r : table)
            items[FindElementItem(items, r.name)].checked = r.selected != 0;
    return items;
}

template <typename Record>
void ReadBack(QList<Record> &table, const ElementItems &items)
{
    if (items.isEmpty())
        return;
    for (Record &r : table) {
        const int i = FindElementItem(items, r.name);
        if (i >= 0)
            r.selected = items[i].checked ? 1 : 0;
    }
}

} // namespace

int LayerOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Fixes: return kColFixes;
    case ElementKind::Sids: return kColSid;
    case ElementKind::Stars: return kColStar;
    case ElementKind::LowAirways: return kColLowAirways;
    case ElementKind::HighAirways: break;
    }
    return kColHighAirways;
}

std::optional<ElementKind> ElementKindOfLayer(int layer)
{
    for (ElementKind kind : kElementKinds)
        if (LayerOf(kind) == layer)
            return kind;
    return std::nullopt;
}

bool IsSortedList(ElementKind kind)
{
    return kind == ElementKind::Fixes || kind == ElementKind::HighAirways;
}

bool LayerVisibilityEditable(int layer)
{
    return layer != kColBackground && (layer < kColTarget || layer > kColPendingCommand);
}

ElementItems ElementListItems(const SectorTables &tables, ElementKind kind)
{
    const bool procedure = kind == ElementKind::Sids || kind == ElementKind::Stars;
    if (kind == ElementKind::Fixes)
        return ItemsOf(tables.fixes, true, true);
    return ItemsOf(RoutesOf(tables, kind), IsSortedList(kind), !procedure);
}

int FindElementItem(const ElementItems &items, const QString &name)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void SelectProcedure(SectorTables &tables, ElementKind kind, int index, bool selected)
{
    QList<ROUTE> &routes = RoutesOf(tables, kind);
    if (index >= 0 && index < routes.size())
        routes[index].selected = selected ? 1 : 0;
}

void SelectAllProcedures(SectorTables &tables, ElementKind kind, bool selected)
{
    for (ROUTE &r : RoutesOf(tables, kind))
        r.selected = selected ? 1 : 0;
}

void ReadBackSelections(SectorTables &tables, ElementKind kind, const ElementItems &items)
{
    if (kind == ElementKind::Fixes)
        ReadBack(tables.fixes, items);
    else
        ReadBack(RoutesOf(tables, kind), items);
}

void RecolourGeo(SectorState &sector, const QList<t_define> &details)
{
    for (GEO &g : sector.tables.geo) {
        if (g.detailIndex < 0 || g.detailIndex >= details.size())
            continue;
        TColor colour = 0;
        if (TryStringToMapColor(details[g.detailIndex].value, colour))
            g.colour = colour;
    }
    ++sector.identity.generation;
}

bool AcceptDisplayEdits(DisplaySettings &display, SectorState &sector, int zoomSensitivity,
                        const AcceptedElementLists &lists)
{
    display.zoomSensitivity = std::int16_t(zoomSensitivity);
    if (!sector.identity.loaded)
        return false;
    RecolourGeo(sector, display.details);
    ReadBackSelections(sector.tables, ElementKind::Fixes, lists.fixes);
    ReadBackSelections(sector.tables, ElementKind::HighAirways, lists.highAirways);
    ReadBackSelections(sector.tables, ElementKind::LowAirways, lists.lowAirways);
    return true;
}

int DelayMinutes(float days)
{
    return RoundHalfEven(double(days) * 60.0 * 24.0);
}

float DelayDays(int minutes)
{
    return float(double(minutes) / 60.0 / 24.0);
}

std::optional<int> FontSizeFromText(const QString &text)
{
    int size = 0;
    if (!TryStrToInt(text, size))
        return std::nullopt;
    return size;
}

} // namespace zaz
