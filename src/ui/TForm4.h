// The radio window "Radio": the messages of one channel at a time (UNICOM, COM1, COM2 or
// the telephone between controllers), the sending of typed messages, and the COM1/COM2
// tuning panels. Its state lives in RadarState::radio and is kept while it is hidden.
#pragma once

#include "link/Radio.h"

#include <QList>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace zaz {

struct RadarState;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    // Lines are sent through sender; the window follows the radio messages the state's
    // notifier announces.
    TForm4(RadarState &state, LineSender &sender, QWidget *parent = nullptr);

    // Menu "Radio": shows COM1 and COM2 in their panels and shows the window.
    void Frquence1Click();
    // Sets the window up for the pressed channel, then rebuilds the view.
    void ShowChannel();
    // Rebuilds the message view of the shown channel.
    void FillView();
    // A message another window sent on channel: shown at once when that channel is on
    // view, else its indicator turns red.
    void messageSent(RadioChannel channel);

    // The unread indicator of a channel: red, or the button face.
    QColor indicatorColour(RadioChannel channel) const;

signals:
    // A scope key (F1-F3, F5-F8, arrows) pressed while the window has the focus.
    void scopeKey(int key);
    // COM1 was tuned: the main caption and the scope show the new frequency.
    void com1Tuned();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void radioMessage(const QString &channel, const QString &entry, const QString &sender, bool privateMessage);
    void setUnread(RadioChannel channel, bool unread);
    void refreshWaiting();
    void send();
    void purge();
    void correspondentChosen(const QString &callsign);
    void waitingClicked(int slot);
    void refreshTuning();

    RadarState &state_;
    RadioState &radio_;
    LineSender &sender_;
    QButtonGroup *channels_ = nullptr;
    QToolButton *channelButtons_[4] = {};
    QLabel *indicators_[4] = {};
    QTextEdit *view_ = nullptr;
    QLineEdit *input_ = nullptr;
    QPushButton *send_ = nullptr;
    QComboBox *choices_ = nullptr;
    QCheckBox *all_ = nullptr;
    QLabel *whole_ = nullptr;
    QLabel *decimal_ = nullptr;
    QLabel *com1_ = nullptr;
    QLabel *com2_ = nullptr;
    QPushButton *waiting_[3] = {};
    QList<ShownEntry> shown_; // what the view shows, for "purger"
};

} // namespace zaz
