#include "ui/TForm_secu.h"

#include "core/Text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zaz {

TForm_secu::TForm_secu(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("Form_secu"));
    setWindowTitle(QStringLiteral("distances de sécurité"));

    vertical_ = buildBar("TrackBar1", "Label4", 5000, 100, QStringLiteral("ft"));
    horizontal_ = buildBar("TrackBar2", "Label5", 10, 1, QStringLiteral("nm"));
    minimum_ = buildBar("TrackBar3", "Label6", 20000, 100, QStringLiteral("ft"));

    auto *grid = new QGridLayout;
    const std::pair<const char *, const Bar *> rows[] = {
        {"Distance verticale", &vertical_}, {"Distance horizontale", &horizontal_}, {"Altitude minimale ", &minimum_}};
    int row = 0;
    for (const auto &[caption, bar] : rows) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        label->setBuddy(bar->slider);
        grid->addWidget(label, row, 0);
        grid->addWidget(bar->slider, row, 1);
        grid->addWidget(bar->value, row, 2);
        ++row;
    }

    auto *change = new QPushButton(QStringLiteral("changer"), this);
    change->setObjectName(QStringLiteral("Button1"));
    auto *cancel = new QPushButton(QStringLiteral("annuler"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(change, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(change);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

TForm_secu::Bar TForm_secu::buildBar(const char *name, const char *valueName, int maximum, int step,
                                     const QString &unit)
{
    Bar bar{new QSlider(Qt::Horizontal, this), new QLabel(this), unit};
    bar.slider->setObjectName(QLatin1String(name));
    bar.slider->setRange(0, maximum);
    bar.slider->setSingleStep(step);
    bar.slider->setPageStep(step);
    bar.slider->setTickInterval(step);
    bar.value->setObjectName(QLatin1String(valueName));
    // Moved by the controller, the label reads "<value> <unit>".
    connect(bar.slider, &QSlider::valueChanged, bar.value, [label = bar.value, unit](int value) {
        label->setText(IntToStr(value) + QLatin1Char(' ') + unit);
    });
    return bar;
}

void TForm_secu::prepare(const SeparationMinima &minima)
{
    // Set from the minima in force, the labels read "<value><unit>".
    const std::pair<const Bar *, int> settings[] = {{&vertical_, minima.verticalSeparation},
                                                    {&horizontal_, minima.horizontalSeparation},
                                                    {&minimum_, minima.minimumAltitude}};
    for (const auto &[bar, value] : settings) {
        bar->slider->setValue(value);
        bar->value->setText(IntToStr(bar->slider->value()) + bar->unit);
    }
}

SeparationMinima TForm_secu::values() const
{
    SeparationMinima minima;
    minima.verticalSeparation = vertical_.slider->value();
    minima.horizontalSeparation = horizontal_.slider->value();
    minima.minimumAltitude = minimum_.slider->value();
    return minima;
}

void TForm_secu::showEvent(QShowEvent *event)
{
    if (parentWidget())
        move(parentWidget()->pos() + QPoint(90, 45));
    QDialog::showEvent(event);
}

} // namespace zaz
