#include "ui/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zaz {

namespace {

QImage BlankIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage DrawIcon(int size, void (*draw)(QPainter &, int))
{
    QImage image = BlankIcon(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    draw(p, size);
    return image;
}

QPixmap Globe(int decoration)
{
    QImage image = BlankIcon(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 3));
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.setPen(QPen(QColor(0, 200, 255), 1.5));
    p.setBrush(QColor(0, 60, 110));
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 4, 12, 24));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.drawLine(QPointF(16, 4), QPointF(16, 28));
    p.setPen(QPen(Qt::yellow, 2));
    if (decoration == 2) {
        p.drawLine(QPointF(0, 16), QPointF(8, 16));
        p.drawLine(QPointF(24, 16), QPointF(32, 16));
    } else if (decoration == 3) {
        p.drawLine(QPointF(1, 1), QPointF(9, 9));
        p.drawLine(QPointF(1, 1), QPointF(6, 1));
        p.drawLine(QPointF(1, 1), QPointF(1, 6));
    }
    return QPixmap::fromImage(image);
}

} // namespace

QList<QImage> MapIcons()
{
    QList<QImage> icons;
    // VOR: hexagon with a centre dot.
    icons << DrawIcon(11, [](QPainter &p, int) {
        const QPoint hexagon[] = {{3, 0}, {7, 0}, {10, 5}, {7, 10}, {3, 10}, {0, 5}};
        p.drawPolygon(hexagon, 6);
        p.drawPoint(5, 5);
    });
    // NDB: dotted circle.
    icons << DrawIcon(11, [](QPainter &p, int) {
        p.drawEllipse(1, 1, 8, 8);
        p.drawEllipse(4, 4, 2, 2);
    });
    // FIXE: triangle.
    icons << DrawIcon(9, [](QPainter &p, int) {
        const QPoint triangle[] = {{4, 0}, {8, 8}, {0, 8}};
        p.drawPolygon(triangle, 3);
    });
    // POINT: small cross.
    icons << DrawIcon(7, [](QPainter &p, int) {
        p.drawLine(0, 3, 6, 3);
        p.drawLine(3, 0, 3, 6);
    });
    // AVION: square target.
    icons << DrawIcon(9, [](QPainter &p, int) {
        p.drawRect(1, 1, 6, 6);
        p.drawPoint(4, 4);
    });
    return icons;
}

QCursor CustomCursor(int number)
{
    if (number < 1 || number > 3)
        return QCursor(Qt::ArrowCursor);
    return QCursor(Globe(number), 16, 16);
}

} // namespace zaz
