// The packet monitor "paquets": the lines received, sent and in error, the simulator's
// notes, and a line typed by hand sent to the server as it is.
#pragma once

#include "link/LineSender.h"
#include "link/LinkState.h"
#include "traffic/TrafficState.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace zaz {

class TForm8 : public QWidget {
    Q_OBJECT
public:
    TForm8(LinkState &link, const TrafficState &traffic, LineSender &sender, QWidget *parent = nullptr);

    // Shows the logs as they are now.
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One memo and the log total it last showed.
    struct Memo {
        QPlainTextEdit *edit = nullptr;
        const LineLog *log = nullptr;
        qsizetype shownTotal = -1;
    };

    LinkState &link_;
    LineSender &sender_;
    Memo memos_[4];
    QLineEdit *packet_ = nullptr;
    QTimer *timer_ = nullptr;
};

} // namespace zaz
