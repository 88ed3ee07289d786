#include "ui/ScopeView.h"

#include <QPainter>
#include <QResizeEvent>

namespace zaz {

ScopeView::ScopeView(const QImage &picture, QWidget *parent)
    : QWidget(parent)
    , picture_(picture)
{
    setObjectName(QStringLiteral("scope"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Black behind the picture, as the main window's client area.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ScopeView::paintEvent(QPaintEvent *)
{
    emit aboutToPaint();
    // The whole picture onto the whole client area.
    QPainter painter(this);
    painter.drawImage(rect(), picture_, picture_.rect());
}

void ScopeView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized(event->size());
}

void ScopeView::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event);
}

void ScopeView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
}

void ScopeView::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event);
}

void ScopeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit mouseDoubleClicked(event);
}

void ScopeView::wheelEvent(QWheelEvent *event)
{
    emit wheelTurned(event);
}

void ScopeView::keyPressEvent(QKeyEvent *event)
{
    emit keyPressed(event);
}

void ScopeView::keyReleaseEvent(QKeyEvent *event)
{
    emit keyReleased(event);
}

} // namespace zaz
