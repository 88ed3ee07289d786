#include "ui/TForm4.h"

#include "state/RadarState.h"
#include "ui/ScopeKeys.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace zaz {

namespace {

const QColor kUnread(255, 0, 0);

constexpr RadioChannel kChannels[] = {RadioChannel::Unicom, RadioChannel::Com1, RadioChannel::Com2,
                                      RadioChannel::Telephone};

QLabel *Panel(QWidget *parent, const QString &name, const QString &caption, const QString &accessible)
{
    auto *panel = new QLabel(caption, parent);
    panel->setObjectName(name);
    panel->setAccessibleName(accessible);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    return panel;
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TForm4::TForm4(RadarState &state, LineSender &sender, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , state_(state)
    , radio_(state.radio)
    , sender_(sender)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Radio"));

    channels_ = new QButtonGroup(this);
    channels_->setExclusive(true);
    const char *names[] = {"ToolButton1", "ToolButton3", "ToolButton5", "ToolButton7"};
    const char *captions[] = {"UNICOM", "COM1", "COM2", "Telephone"};
    auto *channelRow = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(names[i]));
        button->setText(QLatin1String(captions[i]));
        button->setCheckable(true);
        channels_->addButton(button, i);
        channelButtons_[i] = button;
        auto *indicator = new QLabel(this);
        indicator->setObjectName(QStringLiteral("StaticText%1").arg(i + 1));
        indicator->setAccessibleName(QStringLiteral("non lu ") + QLatin1String(captions[i]));
        indicator->setAutoFillBackground(true);
        indicator->setFixedHeight(6);
        indicators_[i] = indicator;
        channelRow->addWidget(button, 0, i);
        channelRow->addWidget(indicator, 1, i);
    }
    channelButtons_[0]->setChecked(true);
    connect(channels_, &QButtonGroup::idClicked, this, [this](int id) {
        radio_.channel = kChannels[id];
        setUnread(kChannels[id], false);
        ShowChannel();
    });

    view_ = new QTextEdit(this);
    view_->setObjectName(QStringLiteral("RichEdit1"));
    view_->setAccessibleName(QStringLiteral("messages"));
    view_->setReadOnly(true);

    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("Edit7"));
    input_->setAccessibleName(QStringLiteral("message"));
    send_ = Button(this, QStringLiteral("Button1"), QStringLiteral("envoi 122.800"));
    connect(send_, &QPushButton::clicked, this, &TForm4::send);
    connect(input_, &QLineEdit::returnPressed, this, [this] {
        if (send_->isEnabled())
            send();
    });

    choices_ = new QComboBox(this);
    choices_->setObjectName(QStringLiteral("ComboBox1"));
    choices_->setAccessibleName(QStringLiteral("destinataire"));
    connect(choices_, &QComboBox::activated, this,
            [this](int index) { correspondentChosen(choices_->itemText(index)); });
    all_ = new QCheckBox(QStringLiteral("tous les avions"), this);
    all_->setObjectName(QStringLiteral("CheckBox1"));
    connect(all_, &QCheckBox::toggled, this, [this](bool checked) {
        radio_.allChecked = checked;
        FillView();
    });
    QPushButton *purge = Button(this, QStringLiteral("Button4"), QStringLiteral("purger"));
    connect(purge, &QPushButton::clicked, this, &TForm4::purge);

    whole_ = Panel(this, QStringLiteral("Panel_ent"), QStringLiteral("116"), QStringLiteral("MHz"));
    decimal_ = Panel(this, QStringLiteral("Panel_dec"), QStringLiteral("000"), QStringLiteral("kHz"));
    com1_ = Panel(this, QStringLiteral("Panel_com1"), QStringLiteral("118.700"), QStringLiteral("fréquence COM1"));
    com2_ = Panel(this, QStringLiteral("Panel_com2"), QStringLiteral("118.700"), QStringLiteral("fréquence COM2"));
    whole_->installEventFilter(this);
    decimal_->installEventFilter(this);
    QPushButton *swap1 = Button(this, QStringLiteral("Button3"), QStringLiteral("<->"));
    swap1->setAccessibleName(QStringLiteral("régler COM1"));
    QPushButton *swap2 = Button(this, QStringLiteral("Button2"), QStringLiteral("<->"));
    swap2->setAccessibleName(QStringLiteral("régler COM2"));
    connect(swap1, &QPushButton::clicked, this, [this] {
        com1_->setText(TuneCom1(radio_, state_.link));
        if (radio_.channel == RadioChannel::Com1)
            ShowChannel();
        emit com1Tuned();
    });
    connect(swap2, &QPushButton::clicked, this, [this] {
        com2_->setText(TuneCom2(radio_, state_.link));
        if (radio_.channel == RadioChannel::Com2)
            ShowChannel();
    });

    auto *waitingRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        waiting_[i] = Button(this, QStringLiteral("Button_att%1").arg(i + 1), QString());
        waiting_[i]->hide();
        connect(waiting_[i], &QPushButton::clicked, this, [this, i] { waitingClicked(i); });
        waitingRow->addWidget(waiting_[i]);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(channelRow);
    layout->addLayout(waitingRow);
    layout->addWidget(view_, 1);
    auto *inputRow = new QHBoxLayout;
    inputRow->addWidget(input_, 1);
    inputRow->addWidget(send_);
    layout->addLayout(inputRow);
    auto *targetRow = new QHBoxLayout;
    targetRow->addWidget(choices_, 1);
    targetRow->addWidget(all_);
    targetRow->addWidget(purge);
    layout->addLayout(targetRow);
    auto *tuning = new QGridLayout;
    tuning->addWidget(whole_, 0, 0);
    tuning->addWidget(decimal_, 0, 1);
    tuning->addWidget(new QLabel(QStringLiteral("COM1"), this), 0, 2);
    tuning->addWidget(com1_, 0, 3);
    tuning->addWidget(swap1, 0, 4);
    tuning->addWidget(new QLabel(QStringLiteral("COM2"), this), 1, 2);
    tuning->addWidget(com2_, 1, 3);
    tuning->addWidget(swap2, 1, 4);
    layout->addLayout(tuning);

    // The scope's keys act on the scope whichever control has the focus.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    installEventFilter(this);
    for (RadioChannel c : kChannels)
        setUnread(c, false);
    refreshTuning();

    connect(&state_.notifier, &StateNotifier::radioMessage, this, &TForm4::radioMessage);
}

void TForm4::Frquence1Click()
{
    com1_->setText(FrequencyText(state_.link.Com1Digits));
    com2_->setText(FrequencyText(state_.link.Com2Digits));
    ShowChannel();
    show();
    raise();
    activateWindow();
}

void TForm4::ShowChannel()
{
    const ChannelSetup setup =
        zaz::ShowChannel(radio_, radio_.channel, state_.link, state_.traffic, state_.controllers);
    channelButtons_[int(radio_.channel)]->setChecked(true);
    {
        const QSignalBlocker blockBox(all_);
        all_->setText(setup.checkCaption);
        all_->setChecked(radio_.allChecked);
    }
    const QString previous = choices_->currentText();
    {
        const QSignalBlocker blockChoices(choices_);
        choices_->clear();
        choices_->addItems(setup.choices);
        const QString wanted = radio_.channel == RadioChannel::Telephone ? setup.choice : previous;
        choices_->setCurrentIndex(choices_->findText(wanted));
    }
    setWindowTitle(setup.windowCaption);
    send_->setText(setup.sendCaption);
    send_->setEnabled(setup.sendEnabled);
    FillView();
}

void TForm4::FillView()
{
    refreshWaiting();
    shown_ = zaz::FillView(state_.link.RadioMessages, radio_.channel, radio_.allChecked, choices_->currentText());
    view_->clear();
    for (const ShownEntry &entry : std::as_const(shown_)) {
        view_->setTextColor(entry.received ? kUnread : QColor(Qt::black));
        view_->append(entry.text);
    }
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

QColor TForm4::indicatorColour(RadioChannel channel) const
{
    return indicators_[int(channel)]->palette().color(QPalette::Window);
}

void TForm4::messageSent(RadioChannel channel)
{
    if (isVisible() && radio_.channel == channel)
        FillView();
    else
        setUnread(channel, true);
}

void TForm4::setUnread(RadioChannel channel, bool unread)
{
    QLabel *indicator = indicators_[int(channel)];
    QPalette palette = indicator->palette();
    palette.setColor(QPalette::Window, unread ? kUnread : palette.color(QPalette::Button));
    indicator->setPalette(palette);
}

void TForm4::radioMessage(const QString &channel, const QString &, const QString &sender, bool privateMessage)
{
    QApplication::beep();
    const RadioArrival arrival =
        ReceiveRadio(radio_, state_.controllers, channel, sender, privateMessage, isActiveWindow());
    {
        const QSignalBlocker block(all_);
        all_->setChecked(radio_.allChecked);
    }
    if (arrival.enableSelector)
        choices_->setEnabled(true);
    if (arrival.markUnread)
        setUnread(ChannelOfTag(channel), true);
    if (!arrival.showChannel) {
        refreshWaiting();
        update();
        return;
    }
    setUnread(radio_.channel, false);
    ShowChannel();
    show();
    raise();
}

void TForm4::refreshWaiting()
{
    for (int i = 0; i < 3; ++i) {
        const QString callsign = radio_.WaitingList.value(i);
        waiting_[i]->setText(callsign);
        waiting_[i]->setVisible(!callsign.isEmpty());
    }
}

void TForm4::send()
{
    if (SendRadioText(radio_, state_.link, sender_, input_->text(), choices_->currentText()))
        input_->clear();
    FillView();
}

void TForm4::purge()
{
    PurgeShown(state_.link.RadioMessages, shown_);
    shown_.clear();
    view_->clear();
}

void TForm4::correspondentChosen(const QString &callsign)
{
    if (radio_.channel == RadioChannel::Telephone) {
        send_->setText(ChooseCorrespondent(radio_, state_.controllers, callsign));
        send_->setEnabled(true);
    }
    FillView();
}

void TForm4::waitingClicked(int slot)
{
    if (!TakeWaiting(radio_, state_.controllers, slot))
        return;
    setUnread(RadioChannel::Telephone, false);
    ShowChannel();
}

void TForm4::refreshTuning()
{
    whole_->setText(WholeCaption(radio_));
    decimal_->setText(DecimalCaption(radio_));
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (IsScopeKey(key, ScopeKeySet::WithLayouts)) {
            emit scopeKey(key);
            return true;
        }
        return false;
    }
    if (watched != whole_ && watched != decimal_)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        watched == whole_ ? ClickWhole(radio_) : ClickDecimal(radio_);
    } else if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (delta == 0)
            return false;
        watched == whole_ ? WheelWhole(radio_, delta > 0) : WheelDecimal(radio_, delta > 0);
    } else {
        return false;
    }
    refreshTuning();
    return true;
}

} // namespace zaz
