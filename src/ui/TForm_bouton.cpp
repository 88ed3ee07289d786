#include "ui/TForm_bouton.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace zaz {

TForm_bouton::TForm_bouton(const QList<Shortcut> &shortcuts, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_bouton"));
    setWindowTitle(QStringLiteral("CMD"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    for (const Shortcut &s : shortcuts) {
        auto *label = new QLabel(s.caption, this);
        label->setObjectName(QStringLiteral("Label_") + s.caption);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Raised);
        label->setMinimumHeight(26);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        layout->addWidget(label);
        labels_ << label;
        items_ << s.item;
    }
    resize(110, 40 * int(shortcuts.size()));
}

bool TForm_bouton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int i = labels_.indexOf(static_cast<QLabel *>(watched));
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (i >= 0 && mouse->button() == Qt::LeftButton && items_[i] && items_[i]->isEnabled()) {
            items_[i]->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zaz
