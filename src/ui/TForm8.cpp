#include "ui/TForm8.h"

#include "link/LineProtocol.h"
#include "link/Senders.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace zaz {

namespace {

constexpr int kRefreshMs = 500;

} // namespace

TForm8::TForm8(LinkState &link, const TrafficState &traffic, LineSender &sender, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , link_(link)
    , sender_(sender)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("paquets"));

    auto *layout = new QGridLayout(this);
    const char *names[] = {"Memo1", "Memo2", "Memo3", "Memo4"};
    const char *captions[] = {"paquets entrants", "paquets sortants", "paquets en erreur", "Simconnect"};
    const LineLog *logs[] = {&link.ReceivedLog, &link.SentLog, &link.ErrorLog, &traffic.monitorLog};
    for (int i = 0; i < 4; ++i) {
        auto *edit = new QPlainTextEdit(this);
        edit->setObjectName(QLatin1String(names[i]));
        edit->setReadOnly(true);
        auto *label = new QLabel(QString::fromUtf8(captions[i]), this);
        label->setBuddy(edit);
        layout->addWidget(label, (i / 2) * 2, i % 2);
        layout->addWidget(edit, (i / 2) * 2 + 1, i % 2);
        memos_[i] = {edit, logs[i], -1};
    }
    // Enter in the sent lines sends the last one again.
    memos_[1].edit->installEventFilter(this);

    packet_ = new QLineEdit(this);
    packet_->setObjectName(QStringLiteral("Edit1"));
    auto *label = new QLabel(QStringLiteral("envoi paquet"), this);
    label->setBuddy(packet_);
    layout->addWidget(label, 4, 0);
    layout->addWidget(packet_, 5, 0, 1, 2);
    connect(packet_, &QLineEdit::returnPressed, this, [this] {
        if (!packet_->text().isEmpty() && SendLogged(link_, sender_, packet_->text(), SendLog::Always))
            packet_->clear();
        refresh();
    });

    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &TForm8::refresh);
}

void TForm8::refresh()
{
    for (Memo &memo : memos_) {
        if (memo.log->total() == memo.shownTotal)
            continue;
        memo.shownTotal = memo.log->total();
        memo.edit->setPlainText(memo.log->lines.join(QLatin1Char('\n')));
        memo.edit->moveCursor(QTextCursor::End);
    }
}

void TForm8::showEvent(QShowEvent *event)
{
    refresh();
    timer_->start();
    QWidget::showEvent(event);
}

void TForm8::hideEvent(QHideEvent *event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

bool TForm8::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != memos_[1].edit || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString last = memos_[1].edit->toPlainText().section(QLatin1Char('\n'), -1);
    if (!last.isEmpty())
        SendLogged(link_, sender_, last + QLatin1String(kLineEnd), SendLog::Always);
    refresh();
    return true;
}

} // namespace zaz
