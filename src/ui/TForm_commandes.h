// "STRIPS": the command console. The controller picks an aircraft from one of five lists,
// makes or removes its strip, records on it the clearances he gives (position, flight kind,
// step status, SID or STAR, level, speed, heading, point, holding time), offers it to
// another controller and asks for the quick radio texts of the strip's step. Every change
// is written at once into the aircraft's strip.
#pragma once

#include "link/TextVariables.h"
#include "state/RadarState.h"
#include "traffic/Console.h"

#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableWidget;

namespace zaz {

class Clock;
class LineSender;
class TForm_choixcontrol;

class TForm_commandes : public QWidget {
    Q_OBJECT
public:
    TForm_commandes(RadarState &state, const Clock &clock, QWidget *parent = nullptr);

    // The chooser the handoff button opens; without it no handoff is offered.
    void setControllerChooser(TForm_choixcontrol *chooser) { chooser_ = chooser; }
    // Where the refusal of an offered handoff is sent.
    void setLineSender(LineSender *sender) { sender_ = sender; }

    // Shows the selected aircraft, its strip and the controls its position and step use.
    void FormPaint();
    // Fills the grid with the chosen list.
    void fillGrid();

    // The handlers of the controls, as a click runs them.
    void RadioGroup1Click(int list);
    void StringGrid1Click(int row, int column);
    void Button1Click();
    void Button2Click();
    // "refuser": refuses the handoff offered for the selected aircraft.
    void Button_refusClick();
    void Button3Click();
    void RadioGroup_opClick(int item);
    void RadioGroup_depClick(int item);
    void RadioGroup_valClick(int item);
    void ComboBox1Change(const QString &text);
    void Edit_pointChange(const QString &text);
    void TrackBar1Change(int value);
    void TrackBar2Change(int value);
    void TrackBar3Change(int value);
    void UpDown1Click(int minutes);
    void digitClick(int digit);
    void BtclrClick();
    void BtokClick();

    // The console's values for the variables of a radio message ($DEST, $SID, $NIV...).
    TextVariableValues textValues() const;

signals:
    // The quick popup is to list the messages of this com.ini section ("GEN" when the strip
    // has no step) under this caption.
    void com1Wanted(const QString &section, const QString &caption);

private:
    int selected() const;
    QString selectedLine() const;
    int positionIndex() const;
    QString positionName() const;
    ConsoleStep currentStep() const;
    QString stepName() const;
    // After a rewrite of the strip: scope, strip board, flight list, panel and console.
    void stripChanged();
    void paintFlightPlan(const AVION *a);
    void paintControls(const QString &line);

    RadarState &state_;
    const Clock &clock_;
    TForm_choixcontrol *chooser_ = nullptr;
    LineSender *sender_ = nullptr;
    QList<ConsoleRow> rows_;
    QStringList statusCodes_;
    bool painting_ = false;
    QString shownCallsign_; // the aircraft whose point the point edit shows

    QGroupBox *RadioGroup1;
    QButtonGroup *lists_;
    QTableWidget *StringGrid1;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Button3;
    QPushButton *Button_refus; // shown while an offer is listed for the selected aircraft
    QGroupBox *RadioGroup_op;
    QButtonGroup *positions_;
    QGroupBox *RadioGroup_val;
    QButtonGroup *statuses_;
    QGroupBox *RadioGroup_dep;
    QButtonGroup *kinds_;
    QLabel *Label_proc;
    QComboBox *ComboBox1;
    QLabel *Label_point;
    QLineEdit *Edit_point;
    QLabel *Label_niveau;
    QSlider *TrackBar1;
    QLabel *Label_vitesse;
    QSlider *TrackBar2;
    QLabel *Label_cap;
    QSlider *TrackBar3;
    QLabel *Label_temps;
    QLineEdit *edit_temps;
    QSpinBox *UpDown1;
    QLabel *Label_num;
    QLineEdit *Edit_num;
    QSpinBox *UpDown2;
    QLabel *Label_qnh;
    QGroupBox *GroupBox1;
    QGroupBox *RadioGroup2;
    QButtonGroup *targets_;
    QLineEdit *Edit_calc;
    QLineEdit *Edit_callsign;
    QLineEdit *Edit_typav;
    QLineEdit *Edit_IFR;
    QLineEdit *Edit_depart;
    QLineEdit *Edit_ariv;
    QLineEdit *Edit_cruise;
    QLineEdit *Edit_alternate;
    QLineEdit *Edit_encours;
    QLineEdit *Edit_niv;
    QLineEdit *Edit_vitesse;
    QLineEdit *Edit_altitude;
    QPlainTextEdit *Memo1;
};

} // namespace zaz
