// What the mouse and the keys do to the scope: picking a target, measuring, panning,
// hovering over beacons, zooming, nudging and centring the view, the stored views, the
// range and the declination. Functions that turn pixels into positions take the view and
// the size of the picture it is shown on and compute the view's edges afresh first.
#pragma once

#include "link/LineSender.h"
#include "link/LinkState.h"
#include "scope/ScopeState.h"
#include "sector/SectorRecords.h"
#include "sector/ViewState.h"
#include "traffic/TrafficState.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>

namespace zaz {

inline constexpr int kPickDistance = 4;    // pixels, in x and in y
inline constexpr int kHoverDistance = 10;  // pixels, in x and in y
inline constexpr int kArrowStep = 10;      // pixels the view moves per arrow key
inline constexpr int kMaxZoomPixels = 100000; // range × scale beyond which the wheel stops zooming in

// The aircraft whose target lies less than 4 pixels from the point in x and in y, in table
// order.
QList<int> TargetsAt(const TrafficTable &table, ViewState &view, QSize picture, QPoint point);

// A left click on the scope: every target under the click becomes the selected aircraft in
// turn (so the later record wins) and has the handoff offered for it accepted; with an
// aircraft selected, the measuring cursor shows its distance, time and bearing to the
// click; the click becomes point 1 of the tools; the fix, VOR or NDB under it becomes the
// picked point; the range line is shown when Shift is held. Returns the picked aircraft.
QList<int> LeftClick(ScopeState &tools, TrafficState &traffic, LinkState &link, LineSender &sender,
                     const SectorTables &sector, ViewState &view, QSize picture, QPoint click, bool shift);

// The name (trimmed) of the last fix within 4 pixels of the point, or else of the last such
// VOR, or else of the last such NDB; empty when none. Fixes count selected or not.
QString PointNameAt(const SectorTables &sector, ViewState &view, QSize picture, QPoint point);

// Point 2 of the range line follows the pointer; its distance and bearing from point 1.
void UpdateRangeLine(ScopeState &tools, ViewState &view, QSize picture, QPoint pointer);
// The left button is released: the measuring cursor and the range line go.
void EndMeasuring(ScopeState &tools);

// The right button went down: the position under the pointer becomes the pan anchor.
void SetPanAnchor(ScopeState &tools, ViewState &view, QSize picture, QPoint pointer);
// The right button is held and the pointer moves: the centre moves so that the anchor
// stays under the pointer.
void PanTo(const ScopeState &tools, ViewState &view, QSize picture, QPoint pointer);

// Every NDB, then every VOR, shows its details when the pointer is less than 10 pixels from
// it in x and in y, and hides them otherwise. True when a flag changed.
bool HoverBeacons(SectorTables &sector, ViewState &view, QSize picture, QPoint pointer);
// The status-bar text of the position under the pointer: "N45 30.00  W1 15.00".
QString PointerPositionText(ViewState &view, QSize picture, QPoint pointer);

// One wheel step: zoom in by the sensitivity (percent) for a positive delta while range ×
// scale stays under 100000 pixels, zoom out for a negative one while range × scale exceeds
// the client height. True when the scale changed.
bool ZoomWheel(ViewState &view, int delta, int sensitivity, int clientHeight);
// Moves the centre by pixels: right > 0 shows more of the east, up > 0 more of the north.
void NudgeView(ViewState &view, int right, int up);
void CentreOnOwnPosition(ViewState &view, const SectorIdentity &identity);
// False, leaving the view, when no aircraft is selected.
bool CentreOnSelected(ViewState &view, const TrafficState &traffic);

void StoreView(ScopeState &tools, const ViewState &view, int slot);
// False, leaving the view, when the slot is empty.
bool RecallView(const ScopeState &tools, ViewState &view, int slot);

// Range × scale / client width: what a range change keeps.
double ZoomProportion(const ViewState &view, int clientWidth);
// The new range, with the scale that keeps the proportion taken before.
void ApplyRange(ViewState &view, double proportion, int clientWidth, int range);

// The declination typed by the controller: the text as typed, its value read with "." as
// the decimal separator (0 when the text is not a number, as for the sector file).
void SetDeclination(SectorIdentity &identity, ViewState &view, const QString &text);

// The tables the centring dialog lists.
enum class PointTable { Airports, Vors, Ndbs, Fixes };
// The identifiers of a table (trimmed), sorted without regard to case.
QStringList PointIdentifiers(const SectorTables &sector, PointTable table);
// Centres the view on the last element of the table with this identifier; false when none.
bool CentreOnPoint(ViewState &view, const SectorTables &sector, PointTable table, const QString &identifier);

} // namespace zaz
