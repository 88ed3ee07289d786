#include "ui/TForm_choixcontrol.h"

#include "link/Handoff.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

TForm_choixcontrol::TForm_choixcontrol(RadarState &state, LineSender &sender, QWidget *parent)
    : QDialog(parent), state_(state), sender_(sender)
{
    setObjectName(QStringLiteral("Form_choixcontrol"));
    setWindowTitle(QStringLiteral("choix control"));
    label_ = new QLabel(QStringLiteral("controleur"), this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->hide();
    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("ComboBox1"));
    combo_->setAccessibleName(QStringLiteral("controleur"));
    auto *ok = new QPushButton(QStringLiteral("Valider"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(combo_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!filling_ && row >= 0)
            state_.controllers.chosenCallsign = combo_->itemText(row);
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(combo_);
    layout->addLayout(buttons);
}

void TForm_choixcontrol::prepare()
{
    filling_ = true;
    combo_->clear();
    for (const t_controller &c : std::as_const(state_.controllers.ControllerTable))
        combo_->addItem(c.callsign);
    // A choice whose controller has left is dropped: what the list shows is what is offered.
    QString &chosen = state_.controllers.chosenCallsign;
    const int row = chosen.isEmpty() ? -1 : combo_->findText(chosen, Qt::MatchExactly);
    combo_->setCurrentIndex(row);
    if (row < 0)
        chosen.clear();
    filling_ = false;
}

bool TForm_choixcontrol::handoff(int aircraft)
{
    if (!CanOfferHandoff(state_.traffic, aircraft))
        return false;
    prepare();
    if (exec() != QDialog::Accepted)
        return false;
    return OfferHandoff(state_.link, state_.traffic, state_.controllers, state_.notifier, sender_, aircraft);
}

} // namespace zaz
