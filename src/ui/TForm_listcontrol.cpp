#include "ui/TForm_listcontrol.h"

#include "ui/TForm_control.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

TForm_listcontrol::TForm_listcontrol(RadarState &state, QWidget *parent)
    : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form_listcontrol"));
    setWindowTitle(QStringLiteral("liste controls"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CheckListBox1"));
    list_->setAccessibleName(QStringLiteral("controleurs"));
    auto *show = new QPushButton(QStringLiteral("voir le control"), this);
    show->setObjectName(QStringLiteral("Button1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(show);

    connect(show, &QPushButton::clicked, this, &TForm_listcontrol::Button1Click);
    connect(list_, &QListWidget::itemChanged, this, &TForm_listcontrol::itemChanged);
    connect(&state_.notifier, &StateNotifier::controllersChanged, this, [this] {
        if (isVisible())
            refresh();
    });
}

void TForm_listcontrol::refresh()
{
    filling_ = true;
    // The entry selected stays selected while its controller is there.
    const QListWidgetItem *selected = list_->currentItem();
    const int selectedIndex = selected ? selected->data(Qt::UserRole).toInt() : -1;
    list_->clear();
    const ControllersState &controllers = state_.controllers;
    for (const QString &entry : controllers.ControllerList) {
        const int index = entry.toInt();
        if (index < 0 || index >= controllers.ControllerTable.size())
            continue;
        const t_controller &c = controllers.ControllerTable[index];
        auto *item = new QListWidgetItem(c.callsign + QLatin1Char(' ') + c.facilityText + QLatin1Char(' ')
                                             + FrequencyText(c.frequency),
                                         list_);
        item->setData(Qt::UserRole, index);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(c.inRadioList ? Qt::Checked : Qt::Unchecked);
        if (index == selectedIndex)
            list_->setCurrentItem(item);
    }
    filling_ = false;
}

void TForm_listcontrol::Button1Click()
{
    const QListWidgetItem *item = list_->currentItem();
    if (item && details_)
        details_->showController(item->data(Qt::UserRole).toInt());
}

void TForm_listcontrol::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refresh();
}

void TForm_listcontrol::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refresh();
}

void TForm_listcontrol::itemChanged(QListWidgetItem *item)
{
    if (filling_)
        return;
    const int index = item->data(Qt::UserRole).toInt();
    auto &table = state_.controllers.ControllerTable;
    if (index >= 0 && index < table.size())
        table[index].inRadioList = item->checkState() == Qt::Checked;
}

} // namespace zaz
