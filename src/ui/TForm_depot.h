// "plans de vol déposés": the flight plans pilots filed in advance with the server, all of
// them or those of one date, listed and exported to a text file.
#pragma once

#include "state/RadarState.h"

#include <QDialog>

class QListWidget;

namespace zaz {

class Clock;
class LineSender;
class Prompts;

class TForm_depot : public QDialog {
    Q_OBJECT
public:
    TForm_depot(RadarState &state, LineSender &sender, Prompts &prompts, const Clock &clock,
                QWidget *parent = nullptr);

    // "Tous": asks the server for every filed plan.
    void TOUS1Click();
    // "par date": asks for a date (today or later, as the system writes short dates) and
    // asks the server for the plans of that date, sent as typed.
    void pardate1Click();
    // "exporter": writes the rows to a text file, each "/" turned into a tab.
    void Button_enrClick();
    // Fills the list with the rows, each tab shown as two blanks.
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Empties the rows, sends the request and shows the window under caption.
    void request(const QString &selection, const QString &caption);

    RadarState &state_;
    LineSender &sender_;
    Prompts &prompts_;
    const Clock &clock_;
    QListWidget *list_;
};

} // namespace zaz
