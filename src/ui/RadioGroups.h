// Radio groups built as a group box of radio buttons whose items change at run time (the
// operations of ope.ini, the statuses of val.ini...).
#pragma once

#include <QString>
#include <QStringList>

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QWidget;

namespace zaz {

// A group box named name, with caption (also its accessible name; the name when the caption
// is empty), laid out by layout, and its exclusive button group in group.
QGroupBox *NewRadioGroup(const QString &name, const QString &caption, QButtonGroup *&group, QBoxLayout *layout,
                         QWidget *parent);

// Shows items as the group's buttons (button i has id i). Buttons are kept and reused, so
// a group may be refilled from its own click.
void SetRadioItems(QGroupBox *box, QButtonGroup *group, const QStringList &items);

// Checks the button of index, or none.
void SetRadioIndex(QButtonGroup *group, int index);

} // namespace zaz
