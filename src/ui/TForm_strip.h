// "Strip": the editor of one aircraft's strip. It shows the aircraft and its flight plan,
// lets the controller choose the control position and the flight kind, set the status of
// the step the strip is at, compose a radio message from the predefined texts of that step
// and send it on COM1. Every change is written back into the strip store at once.
#pragma once

#include "state/RadarState.h"
#include "traffic/Console.h"
#include "traffic/StripLine.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableWidget;

namespace zaz {

class LineSender;

class TForm_strip : public QDialog {
    Q_OBJECT
public:
    TForm_strip(RadarState &state, LineSender &sender, QWidget *parent = nullptr);

    // Opens the strip of the aircraft with this callsign and shows the window. False (the
    // window left as it was) when the aircraft has no strip.
    bool open(const QString &callsign);
    QString callsign() const { return callsign_; }

    // Rebuilds the status group, the SID list, the bars and the edits for the chosen
    // position and the strip's flight kind.
    void RefreshStripForm();

    // The handlers of the controls, as a click runs them.
    void RadioGroup1Click(int position);
    void RadioGroup_depClick(int kind);
    void RadioGroup2Click(int status);
    void StringGrid1Click(int row);
    void Button1Click();

private:
    // The step a position shows for the strip's flight kind.
    // The step of the strip to show (step -1: none).
    ConsoleStep stepToShow() const;
    void showStep(int step, StripField status);
    void fillMessages(const QString &section);
    void paintAircraft();
    // Writes the open strip into the store and updates the aircraft's pending mark.
    void SaveStrip();
    int aircraftIndex() const;

    RadarState &state_;
    LineSender &sender_;
    QString callsign_;
    QString line_;            // the open strip
    QStringList statusCodes_; // of the step shown
    StripField statusField_ = StripField::Clearance;
    QString messageSection_;  // com.ini section of the messages shown

    QLabel *Label_indicatif;
    QLabel *Label_type;
    QLabel *Label_regles;
    QLabel *Label_dep;
    QLabel *Label_arr;
    QLabel *Label_croisiere;
    QLabel *Label_degagement;
    QLabel *Label_remarque;
    QLabel *Label_route;
    QLabel *Label2;
    QLabel *Label_encours;
    QGroupBox *RadioGroup1;
    QButtonGroup *positions_;
    QGroupBox *RadioGroup_dep;
    QButtonGroup *kinds_;
    QGroupBox *RadioGroup2;
    QButtonGroup *statuses_;
    QTableWidget *StringGrid1;
    QLineEdit *Edit1;
    QLabel *Label_sid;
    QComboBox *ComboBox1;
    QLabel *Label_niv;
    QSlider *TrackBar1;
    QLabel *Label_vit;
    QSlider *TrackBar2;
    QLabel *Label_point;
    QLineEdit *Edit_point;
    QLabel *Label_cap;
    QLineEdit *Edit_cap;
    QPushButton *Button1;
};

} // namespace zaz
