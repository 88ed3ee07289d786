#include "ui/TForm_dialogue.h"

#include "link/PilotTexts.h"
#include "state/RadarState.h"
#include "traffic/StripCatalogs.h"
#include "ui/MessageGrid.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace zaz {

TForm_dialogue::TForm_dialogue(RadarState &state, LineSender &sender, QWidget *parent)
    : QDialog(parent), state_(state), sender_(sender)
{
    setObjectName(QStringLiteral("Form_dialogue"));
    setWindowTitle(QStringLiteral("COM1"));
    setModal(false);

    StringGrid1 = NewMessageGrid(this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("message"));
    Edit1->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("envoi"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("effacer"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    resize(220, 320);

    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { StringGrid1Click(row); });
    connect(Button1, &QPushButton::clicked, this, &TForm_dialogue::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm_dialogue::Button2Click);
}

void TForm_dialogue::open(const QString &section, const QString &caption, const QWidget *beside)
{
    section_ = section.isEmpty() ? QString::fromLatin1(kGeneralTexts) : section;
    FillMessageGrid(StringGrid1, *state_.files.com, section_);
    setWindowTitle(caption);
    if (beside)
        move(beside->frameGeometry().topRight() + QPoint(4, 0));
    show();
    raise();
}

void TForm_dialogue::StringGrid1Click(int row)
{
    const QTableWidgetItem *item = StringGrid1->item(row, 0);
    if (!item)
        return;
    TextVariableValues values = values_ ? values_() : TextVariableValues();
    const TextVariableValues common = CommonTextValues(state_.weather, state_.controllers);
    values.takeoffRunway = common.takeoffRunway;
    values.landingRunway = common.landingRunway;
    values.wind = common.wind;
    values.qnh = common.qnh;
    values.controller = common.controller;
    values.controllerFrequency = common.controllerFrequency;
    setMessage(AppendPickedText(message_, MessageTemplate(*state_.files.com, section_, item->text()), values));
    emit state_.notifier.statusText(0, message_);
}

void TForm_dialogue::Button1Click()
{
    const TrafficTable &table = state_.traffic.table;
    const int selected = state_.traffic.SelectedAircraft;
    const QString callsign = table.inUse(selected) ? table[selected].callsign : QString();
    // Refused (no aircraft, no COM1, a ':' in the text): the message stays to be corrected.
    if (!SendCom1Message(state_.link, sender_, callsign, message_))
        return;
    setMessage(QString());
    emit com1Sent();
}

void TForm_dialogue::Button2Click() { setMessage(QString()); }

void TForm_dialogue::setMessage(const QString &text)
{
    message_ = text;
    Edit1->setText(text);
}

} // namespace zaz
