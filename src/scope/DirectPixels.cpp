#include "scope/DirectPixels.h"

#include <cmath>

namespace zaz {

QImage *DirectPicture(const QPainter &painter, QPoint *shift)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *picture = static_cast<QImage *>(device);
    if (!DirectFormat(*picture) || painter.hasClipping()
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0
        || painter.testRenderHint(QPainter::Antialiasing))
        return nullptr;
    const QTransform &move = painter.worldTransform();
    if (move.type() > QTransform::TxTranslate)
        return nullptr;
    const qreal dx = move.dx(), dy = move.dy();
    if (!(std::abs(dx) < 1e6 && std::abs(dy) < 1e6) || dx != std::floor(dx) || dy != std::floor(dy))
        return nullptr;
    const QPoint by{int(dx), int(dy)};
    if (!shift && !by.isNull())
        return nullptr;
    if (shift)
        *shift = by;
    return picture;
}

bool DirectFormat(const QImage &picture)
{
    return (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied)
           && picture.devicePixelRatio() == 1.0;
}

quint32 OpaquePixel(const QColor &colour)
{
    if (!colour.isValid() || colour.alpha() != 255)
        return 0;
    return 0xFF000000u | (colour.rgb() & 0xFFFFFFu);
}

quint32 DirectLinePixel(const QPainter &painter)
{
    const QPen &pen = painter.pen();
    if (pen.style() != Qt::SolidLine || pen.capStyle() != Qt::FlatCap)
        return 0;
    if (pen.widthF() != 0.0 && pen.widthF() != 1.0)
        return 0;
    const QBrush brush = pen.brush();
    if (brush.style() != Qt::SolidPattern)
        return 0;
    return OpaquePixel(brush.color());
}

} // namespace zaz
