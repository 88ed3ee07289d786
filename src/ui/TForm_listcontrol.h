// "liste controls": the other controllers in order of arrival, each ticked when it is
// offered as a destination in the radio window. "voir le control" shows the details of
// the selected one.
#pragma once

#include "state/RadarState.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace zaz {

class TForm_control;

class TForm_listcontrol : public QDialog {
    Q_OBJECT
public:
    explicit TForm_listcontrol(RadarState &state, QWidget *parent = nullptr);
    // The window "voir le control" shows the selected controller in.
    void setDetailsWindow(TForm_control *details) { details_ = details; }

    // Fills the list again from ControllerList (done on each showing and activation, and
    // when the controllers change while the window is visible).
    void refresh();
    // "voir le control".
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void itemChanged(QListWidgetItem *item);

    RadarState &state_;
    TForm_control *details_ = nullptr;
    QListWidget *list_;
    bool filling_ = false;
};

} // namespace zaz
