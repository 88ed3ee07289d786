// The AI traffic window "Traffic AI", opened from the main menu while the simulator session
// is open: for the aircraft selected on the scope, when it was created here, freeze or
// release it, remove it, or give it a flight plan; for any selection, create a new one. The
// simulator's aircraft variants are read once, when the window is made.
#pragma once

#include "sim/AircraftTypes.h"
#include "sim/SimSession.h"
#include "state/RadarState.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zaz {

class Prompts;
class TForm_createAI;
class TForm_fp;

class TForm_AI : public QDialog {
    Q_OBJECT
public:
    TForm_AI(RadarState &state, SimSession &session, Prompts &prompts, QWidget *mainWindow = nullptr);

    // The creation and flight-plan windows this one opens.
    void setDialogs(TForm_createAI *create, TForm_fp *plan);
    const AircraftTypeTable &types() const { return types_; }

    // Fills the window for the selected aircraft and shows it.
    void TrafficAI1Click();

signals:
    // An aircraft's route or state changed here: the scope is to be drawn again.
    void trafficEdited();

private:
    // The aircraft the window was opened on, while it is still that aircraft; else kNoAircraft.
    int aircraft() const;
    void Button_stopClick();
    void Button_deleteClick();
    void Button_createClick();
    void Button_fpClick();
    // Reads the aircraft types of the simulator folder now set.
    void readTypes();

    RadarState &state_;
    SimSession &session_;
    Prompts &prompts_;
    AircraftTypeTable types_;
    QString typesDir_; // the folder types_ was read from
    TForm_createAI *create_ = nullptr;
    TForm_fp *plan_ = nullptr;
    int index_ = kNoAircraft;
    QString callsign_;
    QLabel *label_;
    QPushButton *stop_, *delete_, *createButton_, *fp_;
};

} // namespace zaz
