#include "ui/TForm_decline.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

TForm_decline::TForm_decline(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_decline"));
    setWindowTitle(QStringLiteral("déclinaison magnétique"));
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setAccessibleName(QStringLiteral("déclinaison magnétique"));
    auto *store = new QPushButton(QStringLiteral("enregistrer"), this);
    store->setObjectName(QStringLiteral("Button1"));
    store->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("annuler"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(store, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(edit1_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(store);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

void TForm_decline::prepare(const QString &declinationText)
{
    edit1_->setText(declinationText);
    edit1_->selectAll();
    edit1_->setFocus();
}

QString TForm_decline::text() const
{
    return edit1_->text();
}

} // namespace zaz
