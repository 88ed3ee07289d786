// What the display settings dialog does to the state, apart from the widgets: the element
// lists it shows (fixes, procedures, airways) and how their check marks go back to the
// tables, the "tout cocher" of the procedures, the disappearance delay as the dialog shows
// it, and what acceptance does to the map.
#pragma once

#include "scope/DisplaySettings.h"
#include "sector/SectorState.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace zaz {

// The tables whose elements the dialog lists one by one.
enum class ElementKind { Fixes, Sids, Stars, LowAirways, HighAirways };

inline constexpr std::array<ElementKind, 5> kElementKinds = {
    ElementKind::Fixes, ElementKind::Sids, ElementKind::Stars, ElementKind::LowAirways, ElementKind::HighAirways};

// One line of an element list: the element's name and its check mark.
struct ElementItem {
    QString name;
    bool checked = false;
};
using ElementItems = QList<ElementItem>;

// The colour-table entry (layer) whose visibility governs the list.
int LayerOf(ElementKind kind);
// The list a layer governs; nothing for layers without one.
std::optional<ElementKind> ElementKindOfLayer(int layer);
// Whether the list keeps its items sorted by name (fixes and high airways).
bool IsSortedList(ElementKind kind);
// Whether a layer's visibility may be changed in the dialog: the background and the
// target colours (15 to 19) are always drawn.
bool LayerVisibilityEditable(int layer);

// The list of a table: every element's name in table order, sorted for the sorted lists.
// Procedures (SID, STAR) are listed item i = element i with the element's mark. In the
// other lists a mark goes to the first item bearing the element's name (names compared
// without regard to case), so among elements of one name that item shows the last one's
// mark and the others show none.
ElementItems ElementListItems(const SectorTables &tables, ElementKind kind);
// The first item bearing name (case ignored); -1 when none.
int FindElementItem(const ElementItems &items, const QString &name);

// Procedures: the selection flag of element index, or of every element.
void SelectProcedure(SectorTables &tables, ElementKind kind, int index, bool selected);
void SelectAllProcedures(SectorTables &tables, ElementKind kind, bool selected);
// Fixes and airways: each element's flag becomes the mark of the item bearing its name.
// An empty list (a layer not shown) changes nothing; an element whose name is not in the
// list keeps its flag.
void ReadBackSelections(SectorTables &tables, ElementKind kind, const ElementItems &items);

// Every GEO line coloured from an entry of the detail list takes that entry's colour again,
// converted as the sector load converts it.
// The map's drawing generation changes.
void RecolourGeo(SectorState &sector, const QList<t_define> &details);

// The lists read back when the dialog is accepted.
struct AcceptedElementLists {
    ElementItems fixes;
    ElementItems lowAirways;
    ElementItems highAirways;
};
// Acceptance of the dialog: the zoom-wheel sensitivity; with a sector loaded, the GEO
// colours and the fix and airway selections. True when the map must be redrawn (a sector
// is loaded).
bool AcceptDisplayEdits(DisplaySettings &display, SectorState &sector, int zoomSensitivity,
                        const AcceptedElementLists &lists);

// The disappearance delay is kept in days and edited in whole minutes.
int DelayMinutes(float days);
float DelayDays(int minutes);

// A font size typed in the dialog; nothing when the text is not an integer.
std::optional<int> FontSizeFromText(const QString &text);

} // namespace zaz
