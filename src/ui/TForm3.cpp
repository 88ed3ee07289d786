#include "ui/TForm3.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zaz {

namespace {

constexpr PointTable kKinds[] = {PointTable::Airports, PointTable::Vors, PointTable::Ndbs, PointTable::Fixes};

QPushButton *AddButton(QDialog *dialog, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TForm3::TForm3(const SectorTables &sector, QWidget *parent)
    : QDialog(parent)
    , sector_(sector)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("centrer"));

    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *groupLayout = new QVBoxLayout(group);
    kinds_ = new QButtonGroup(this);
    const QString captions[] = {QStringLiteral("Airports"), QStringLiteral("VOR"), QStringLiteral("NDB"),
                                QStringLiteral("FIXES")};
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(captions[i], group);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        kinds_->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    connect(kinds_, &QButtonGroup::idClicked, this, &TForm3::fillList);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setAccessibleName(QStringLiteral("identifiants"));

    QPushButton *centre = AddButton(this, QStringLiteral("Button1"), QStringLiteral("Centrer"));
    QPushButton *own = AddButton(this, QStringLiteral("Button2"), QStringLiteral("control (F5)"));
    QPushButton *selected = AddButton(this, QStringLiteral("Button3"), QStringLiteral("avion select (F6)"));
    QPushButton *cancel = AddButton(this, QStringLiteral("Button4"), QStringLiteral("Annuler"));
    connect(centre, &QPushButton::clicked, this, [this] {
        const int kind = kinds_->checkedId();
        if (kind >= 0 && list_->currentItem())
            emit pointChosen(kKinds[kind], list_->currentItem()->text());
    });
    connect(own, &QPushButton::clicked, this, [this] {
        emit ownPositionChosen();
        accept();
    });
    connect(selected, &QPushButton::clicked, this, [this] {
        emit selectedAircraftChosen();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(group, 0, 0);
    layout->addWidget(list_, 0, 1, 2, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {centre, own, selected, cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons, 1, 0);
}

void TForm3::prepare(QPoint mainTopLeft)
{
    mainTopLeft_ = mainTopLeft;
    kinds_->button(0)->setChecked(true);
    fillList();
    move(mainTopLeft + offset_);
}

void TForm3::fillList()
{
    const int kind = kinds_->checkedId();
    list_->clear();
    if (kind >= 0)
        list_->addItems(PointIdentifiers(sector_, kKinds[kind]));
}

void TForm3::done(int result)
{
    offset_ = pos() - mainTopLeft_;
    QDialog::done(result);
}

} // namespace zaz
