// The ATIS window: the information letter, the runways in use and the transitions, a
// summary of the decoded weather, and free additional text. "OK" composes the broadcast
// from the weather and stores the ATIS that other stations receive; "Anul" stores nothing.
// The letter, runway and transition edits take effect at once, whichever button closes it.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace zaz {

class Prompts;
struct RadarState;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    // mainWindow is the parent the window stays on top of.
    TForm6(RadarState &state, Prompts &prompts, QWidget *mainWindow = nullptr);

    // Menu "ATIS": without an own frequency only tells the controller to set it; otherwise
    // opens the window modally.
    void ATIS1Click();

signals:
    // The ATIS was accepted: the scope shows the new letter and no new-METAR warning.
    void atisStored();

private:
    void prepare();
    void showSummary();
    void refreshWeatherLines();
    void letterChosen();
    void runwaysEdited();
    void transitionsEdited();
    void okClick();

    RadarState &state_;
    Prompts &prompts_;
    QStringList summary_;
    QStringList broadcast_;
    QComboBox *letter_ = nullptr;
    QLineEdit *takeoff_ = nullptr;
    QLineEdit *landing_ = nullptr;
    QLineEdit *altitude_ = nullptr;
    QLineEdit *level_ = nullptr;
    QPlainTextEdit *summaryMemo_ = nullptr;
    QPlainTextEdit *additionalMemo_ = nullptr;
};

} // namespace zaz
