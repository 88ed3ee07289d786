// "liste STRIPS": every strip of the store as one row of a 22-column grid, the progress of
// each control step shown as a coloured cell. A click on a callsign selects the aircraft
// and opens the aircraft panel; a double click on a row opens the strip in the editor.
#pragma once

#include "state/RadarState.h"

#include <QColor>
#include <QWidget>

class QTableWidget;

namespace zaz {

class TForm_unavion;

inline constexpr int kStripBoardColumns = 22;
inline constexpr int kStripBoardSidColumn = 10;

// The colours of the step statuses.
inline const QColor kStatusDone(0, 128, 0);       // "X"
inline const QColor kStatusWaiting(255, 0, 0);    // "A" ("G" for the landing)
inline const QColor kStatusRefused(0, 0, 255);    // "R"
inline const QColor kStatusLinedUp(228, 120, 51); // "L", take-off only

// The title of the aircraft panel: callsign, type, flight rules, squawk, cruise level,
// true airspeed and the planned times.
QString AircraftPanelHeader(const AVION &aircraft);

// The name of the SID or STAR at the three-digit index of a strip field; empty when the
// field is blank or names no entry of the list.
QString ProcedureName(const QList<ROUTE> &procedures, const QString &field);

class TForm_liststrip : public QWidget {
    Q_OBJECT
public:
    explicit TForm_liststrip(RadarState &state, QWidget *parent = nullptr);

    void setAircraftPanel(TForm_unavion *panel) { panel_ = panel; }
    QTableWidget *grid() const { return grid_; }

    // Menu "strips": fills the grid and shows the board.
    void Strips1Click();
    // Fills every row from the strip store (also on each change while visible).
    void refresh();
    // Shows the aircraft panel on the aircraft at index when it has a strip; closes the
    // panel when it has none.
    void ShowAircraftPanel(int index);

signals:
    // A key of the scope pressed or released while the board has the focus.
    void scopeKey(int key);
    void scopeKeyUp(int key);
    // The strip of this aircraft is to be opened in the strip editor.
    void stripEditorWanted(const QString &callsign);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyFont();
    void layoutColumns();
    void fillRow(int row, const Strip &strip);
    void cellPressed(int row, int column);

    RadarState &state_;
    TForm_unavion *panel_ = nullptr;
    QTableWidget *grid_;
};

} // namespace zaz
