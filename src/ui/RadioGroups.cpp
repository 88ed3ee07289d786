#include "ui/RadioGroups.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

namespace zaz {

QGroupBox *NewRadioGroup(const QString &name, const QString &caption, QButtonGroup *&group, QBoxLayout *layout,
                         QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(caption.isEmpty() ? name : caption);
    box->setLayout(layout);
    group = new QButtonGroup(box);
    return box;
}

void SetRadioItems(QGroupBox *box, QButtonGroup *group, const QStringList &items)
{
    for (qsizetype i = group->buttons().size(); i < items.size(); ++i) {
        auto *button = new QRadioButton(box);
        box->layout()->addWidget(button);
        group->addButton(button, int(i));
    }
    for (QAbstractButton *button : group->buttons()) {
        const int i = group->id(button);
        button->setText(i < items.size() ? items[i] : QString());
        button->setVisible(i < items.size());
    }
}

void SetRadioIndex(QButtonGroup *group, int index)
{
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == index);
    group->setExclusive(true);
}

} // namespace zaz
