// "vols": one row per live aircraft, filtered by a category and sorted by callsign, distance
// or level, with its flight plan and simulator data; "Imprimer STRIPS" puts the paper strips
// of the aircraft with a flight plan into a spreadsheet and opens it.
#pragma once

#include "state/RadarState.h"
#include "traffic/FlightList.h"
#include "ui/AppServices.h"

#include <QWidget>

class QButtonGroup;
class QPushButton;
class QTableWidget;

namespace zaz {

struct SimSession;

class TForm7 : public QWidget {
    Q_OBJECT
public:
    TForm7(RadarState &state, const AppServices &services, QWidget *parent = nullptr);

    void setSimSession(SimSession *session) { session_ = session; }
    QTableWidget *grid() const { return grid_; }
    // The aircraft of each row shown, top to bottom.
    const QList<int> &rows() const { return rows_; }

    // Menu "vols": font and row height from the display settings, then shows the list.
    void avions1Click();
    // Fills the grid from the traffic, with the current filter and sort.
    void refresh();
    // "Imprimer STRIPS".
    void Button1Click();

signals:
    // A key of the scope pressed or released while the list has the focus.
    void scopeKey(int key);
    void scopeKeyUp(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    FlightListPlace place() const;
    void layoutColumns();
    void cellPressed(int row, int column);

    RadarState &state_;
    AppServices services_;
    SimSession *session_ = nullptr;
    QTableWidget *grid_;
    QButtonGroup *filter_;
    QButtonGroup *sort_;
    QButtonGroup *printed_;
    QPushButton *print_;
    QList<int> rows_;
};

} // namespace zaz
