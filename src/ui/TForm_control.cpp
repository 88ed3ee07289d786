#include "ui/TForm_control.h"

#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "sector/Projection.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

namespace {

QLabel *NamedLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

TForm_control::TForm_control(RadarState &state, LineSender &sender, QWidget *parent)
    : QDialog(parent), state_(state), sender_(sender)
{
    setObjectName(QStringLiteral("Form_control"));
    rating_ = NamedLabel("Label_rating", this);
    facility_ = NamedLabel("Label_facility", this);
    range_ = NamedLabel("Label_visu", this);
    position_ = NamedLabel("Label_pos", this);
    lines_ = new QListWidget(this);
    lines_->setObjectName(QStringLiteral("ListBox1"));
    lines_->setAccessibleName(QStringLiteral("messages du control"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("qualification"), rating_);
    form->addRow(QStringLiteral("position"), facility_);
    form->addRow(QStringLiteral("visibilité"), range_);
    form->addRow(QStringLiteral("coordonnées"), position_);

    auto *atis = new QPushButton(QStringLiteral("ATIS"), this);
    atis->setObjectName(QStringLiteral("Button1"));
    auto *adopt = new QPushButton(QStringLiteral("récuperer l'ATIS"), this);
    adopt->setObjectName(QStringLiteral("Button2"));
    connect(atis, &QPushButton::clicked, this, &TForm_control::Button1Click);
    connect(adopt, &QPushButton::clicked, this, &TForm_control::Button2Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(atis);
    buttons->addWidget(adopt);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lines_);
    layout->addLayout(buttons);

    connect(&state_.notifier, &StateNotifier::radioMessage, this,
            [this](const QString &, const QString &entry, const QString &sender, bool isPrivate) {
                privateMessage(entry, sender, isPrivate);
            });
}

void TForm_control::showController(int index)
{
    const auto &table = state_.controllers.ControllerTable;
    if (index < 0 || index >= table.size() || table[index].callsign.isEmpty())
        return;
    index_ = index;
    callsign_ = table[index].callsign;
    setWindowTitle(callsign_ + QStringLiteral("  ") + table[index].frequency);
    if (isVisible())
        fill(); // already shown: read afresh as a new showing would
    show();
    raise();
}

void TForm_control::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fill();
}

void TForm_control::fill()
{
    lines_->clear();
    const auto &table = state_.controllers.ControllerTable;
    // A record freed and given to another controller since no longer shows the one asked.
    if (index_ < 0 || index_ >= table.size() || table[index_].callsign != callsign_)
        return;
    const t_controller &c = table[index_];
    rating_->setText(c.ratingText);
    facility_->setText(c.facilityText);
    range_->setText(IntToStr(c.range) + QStringLiteral("mn"));
    const ShortLatLon where = ShortLatLonText(c.lat, c.lon);
    position_->setText(where.latitude + QLatin1Char(' ') + where.longitude);
}

void TForm_control::Button1Click()
{
    if (callsign_.isEmpty())
        return;
    SendLogged(state_.link, sender_, AtisQueryLine(state_.link.OwnCallsign, callsign_), SendLog::Always);
}

void TForm_control::Button2Click()
{
    QStringList &atis = state_.weather.atis.lines;
    atis.clear();
    for (int i = 0; i < lines_->count(); ++i)
        atis.append(lines_->item(i)->text());
}

void TForm_control::privateMessage(const QString &entry, const QString &sender, bool isPrivate)
{
    if (!isPrivate || !isVisible() || callsign_.isEmpty() || sender != callsign_)
        return;
    // The entry is ">TELE:" + sender + ":" + text; the list keeps the text, as it is to be
    // sent on as our own ATIS.
    const QString prefix = QStringLiteral(">TELE:") + sender + QLatin1Char(':');
    lines_->addItem(entry.startsWith(prefix) ? entry.mid(prefix.size()) : entry);
}

} // namespace zaz
