// The details of one other controller: rating, facility, visibility range and position,
// and the lines they send us privately, which is how their ATIS arrives after "ATIS".
// "récuperer l'ATIS" makes those lines the program's own ATIS.
#pragma once

#include "state/RadarState.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace zaz {

class LineSender;

class TForm_control : public QDialog {
    Q_OBJECT
public:
    TForm_control(RadarState &state, LineSender &sender, QWidget *parent = nullptr);

    // Shows the controller of this ControllerTable index, captioned callsign + two blanks
    // + frequency.
    void showController(int index);
    QString controllerCallsign() const { return callsign_; }

    // "ATIS": asks the controller shown for their ATIS.
    void Button1Click();
    // "récuperer l'ATIS": the lines received become the program's ATIS.
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The details of the controller shown; the received lines emptied.
    void fill();
    void privateMessage(const QString &entry, const QString &sender, bool privateMessage);

    RadarState &state_;
    LineSender &sender_;
    int index_ = kNoController;
    QString callsign_;
    QLabel *rating_;
    QLabel *facility_;
    QLabel *range_;
    QLabel *position_;
    QListWidget *lines_;
};

} // namespace zaz
