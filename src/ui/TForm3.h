// The "centrer" dialog: centres the scope on an airport, VOR, NDB or fix chosen by its
// identifier, on the own position or on the selected aircraft.
#pragma once

#include "scope/ScopeInteraction.h"
#include "sector/SectorRecords.h"

#include <QDialog>

class QButtonGroup;
class QListWidget;

namespace zaz {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    // The dialog lists the identifiers of these tables, read each time a kind is chosen.
    explicit TForm3(const SectorTables &sector, QWidget *parent = nullptr);

    // Chooses the first kind ("Airports") and places the dialog at the main window's
    // top-left plus the offset it had from it when it was last closed.
    void prepare(QPoint mainTopLeft);

    QListWidget *ListBox1() const { return list_; }
    QButtonGroup *RadioGroup1() const { return kinds_; }

signals:
    // "Centrer" with an identifier chosen.
    void pointChosen(PointTable table, const QString &identifier);
    // "control (F5)" and "avion select (F6)"; the dialog closes after them.
    void ownPositionChosen();
    void selectedAircraftChosen();

public slots:
    void done(int result) override;

private:
    void fillList();

    const SectorTables &sector_;
    QButtonGroup *kinds_ = nullptr;
    QListWidget *list_ = nullptr;
    QPoint mainTopLeft_;
    QPoint offset_ = QPoint(90, 45);
};

} // namespace zaz
