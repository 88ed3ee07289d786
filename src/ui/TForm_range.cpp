#include "ui/TForm_range.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace zaz {

namespace {

// A horizontal track bar with its caption (its buddy) and a label showing value + "nm".
QSlider *AddTrackBar(QGridLayout *grid, int row, const QString &name, const QString &caption, int minimum,
                     int maximum, int step)
{
    QWidget *parent = grid->parentWidget();
    auto *bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(step);
    bar->setPageStep(step);
    bar->setTickInterval(step);
    bar->setTickPosition(QSlider::TicksBelow);
    auto *title = new QLabel(caption, parent);
    title->setBuddy(bar);
    auto *value = new QLabel(parent);
    value->setObjectName(name + QStringLiteral("Value"));
    value->setMinimumWidth(60);
    QObject::connect(bar, &QSlider::valueChanged, value,
                     [value](int v) { value->setText(QString::number(v) + QStringLiteral("nm")); });
    grid->addWidget(title, row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(value, row, 2);
    return bar;
}

} // namespace

TForm_range::TForm_range(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_range"));
    setWindowTitle(QStringLiteral("visibilité"));
    auto *grid = new QGridLayout(this);
    trackBar1_ = AddTrackBar(grid, 0, QStringLiteral("TrackBar1"), QStringLiteral("distance de vue"), 5, 1500, 100);
    trackBar2_ = AddTrackBar(grid, 1, QStringLiteral("TrackBar2"), QStringLiteral("cerles equidistance"), 5, 50, 5);

    upDown1_ = new QSpinBox(this);
    upDown1_->setObjectName(QStringLiteral("UpDown1"));
    upDown1_->setRange(0, 3);
    if (auto *edit = upDown1_->findChild<QLineEdit *>())
        edit->setObjectName(QStringLiteral("Edit1"));
    auto *vectorTitle = new QLabel(QStringLiteral("vecteur vitesse(F1 F2 F3)"), this);
    vectorTitle->setBuddy(upDown1_);
    grid->addWidget(vectorTitle, 2, 0);
    grid->addWidget(upDown1_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("minutes"), this), 2, 2);

    auto *accept = new QPushButton(QStringLiteral("changer"), this);
    accept->setObjectName(QStringLiteral("Button1"));
    accept->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("annuler"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 3);
}

void TForm_range::prepare(int range, int ringSpacing, int vectorMinutes, QPoint mainTopLeft)
{
    // The value labels follow the bars, also when a bar already held the value.
    for (auto [bar, value] : {std::pair{trackBar1_, range}, std::pair{trackBar2_, ringSpacing}}) {
        bar->setValue(value);
        emit bar->valueChanged(bar->value());
    }
    upDown1_->setValue(vectorMinutes);
    move(mainTopLeft + QPoint(90, 45));
}

int TForm_range::range() const
{
    return trackBar1_->value();
}

int TForm_range::ringSpacing() const
{
    return trackBar2_->value();
}

int TForm_range::vectorMinutes() const
{
    return upDown1_->value();
}

} // namespace zaz
