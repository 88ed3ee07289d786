// The AI creation window " nouvel AI": the variant chosen from the simulator's list (narrowed
// by manufacturer), the tail number, and either the airport of a parked aircraft or the plan
// file, flight number and starting point of one en route. "créer" checks the entries in
// order, a message box for the first missing one, and sends the creation.
#pragma once

#include "sim/AircraftTypes.h"
#include "sim/SimAi.h"
#include "state/RadarState.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace zaz {

class Prompts;

class TForm_createAI : public QDialog {
    Q_OBJECT
public:
    TForm_createAI(RadarState &state, SimSession &session, const AircraftTypeTable &types, Prompts &prompts,
                   QWidget *mainWindow = nullptr);

    // Made ready for a new aircraft: every manufacturer offered, parked chosen, no variant
    // listed. The entries typed last time stay.
    void prepare();

    // The order as the controls hold it.
    AiOrder order() const;

private:
    QLineEdit *edit(const char *name, const QString &caption, QWidget *parent, int x, int y, int width);
    void manufacturerChanged(const QString &choice);
    void placementChanged();
    void Button_pathClick();
    void ListBox_fpClick(int row);
    void Button_okClick();

    RadarState &state_;
    SimSession &session_;
    const AircraftTypeTable &types_;
    Prompts &prompts_;
    QLabel *listLabel_;
    QComboBox *manufacturer_;
    QListWidget *available_;
    QLineEdit *type_, *tailNumber_, *icao_, *path_, *flightNumber_, *waypoint_, *next_;
    QButtonGroup *placement_;
    QGroupBox *airport_, *plan_, *position_;
    QCheckBox *touchAndGo_;
    QListWidget *planLines_;
};

} // namespace zaz
