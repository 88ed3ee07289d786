#include "core/ScopeView.h"

#include <QPainter>
#include <QResizeEvent>

namespace zaz {

ScopeView::ScopeView(const QImage &picture, QWidget *parent)
    : QWidget(parent)
    , picture_(picture)
{
    setObjectName(QStringLiteral("scope"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ScopeView::paintEvent(QPaintEvent *)
{
    // The whole picture onto the whole client area.
    QPainter painter(this);
    painter.drawImage(rect(), picture_, picture_.rect());
}

void ScopeView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized(event->size());
}

} // namespace zaz
