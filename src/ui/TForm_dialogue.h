// The quick popup of the command console: the radio messages of the strip's current step
// in a one-column grid. Each name picked appends its text after a "/", the variables
// replaced by the values of the moment; "envoi" sends the message to the selected
// aircraft on COM1 and "effacer" starts it again.
#pragma once

#include "link/TextVariables.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zaz {

class LineSender;
struct RadarState;

class TForm_dialogue : public QDialog {
    Q_OBJECT
public:
    TForm_dialogue(RadarState &state, LineSender &sender, QWidget *parent = nullptr);

    // Where the console's own variables come from ($DEST, $SID, $NIV, $ALT, $VIT, $POINT,
    // $NUM, $TEMPS, $CAP), read at each pick. The runways, wind, QNH and handoff
    // controller come from the state whatever the source says.
    using ValuesSource = std::function<TextVariableValues()>;
    void setValuesSource(ValuesSource source) { values_ = std::move(source); }

    // Lists the messages of the com.ini section of a step ("GEN" when section is empty),
    // takes caption as its title and shows itself beside the given window (if any). The
    // message being composed is kept.
    void open(const QString &section, const QString &caption, const QWidget *beside = nullptr);

    QString message() const { return message_; }

    // The handlers of the controls, as a click runs them.
    void StringGrid1Click(int row);
    void Button1Click();
    void Button2Click();

signals:
    // A message went out on COM1 and was filed in the radio message list.
    void com1Sent();

private:
    void setMessage(const QString &text);

    RadarState &state_;
    LineSender &sender_;
    ValuesSource values_;
    QString section_;
    QString message_;

    QTableWidget *StringGrid1;
    QLineEdit *Edit1;
    QPushButton *Button1;
    QPushButton *Button2;
};

} // namespace zaz
