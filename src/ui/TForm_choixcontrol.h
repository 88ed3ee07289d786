// "choix control": picks the controller an aircraft is handed off to. The choice is kept
// from one opening to the next.
#pragma once

#include "state/RadarState.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace zaz {

class LineSender;

class TForm_choixcontrol : public QDialog {
    Q_OBJECT
public:
    TForm_choixcontrol(RadarState &state, LineSender &sender, QWidget *parent = nullptr);

    // Fills the list with the callsign of every record of ControllerTable (a free record
    // gives an empty entry) and selects the controller chosen before.
    void prepare();
    // The handoff of the command console: when the aircraft can be offered, opens the
    // dialog modally and, on "Valider", offers the aircraft to the chosen controller.
    // True when the offer was sent.
    bool handoff(int aircraft);

private:
    RadarState &state_;
    LineSender &sender_;
    QComboBox *combo_;
    QLabel *label_;
    bool filling_ = false;
};

} // namespace zaz
