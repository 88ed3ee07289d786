#include "scope/DirectPixels.h"

namespace zaz {

QImage *DirectPicture(const QPainter &painter)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *picture = static_cast<QImage *>(device);
    if (picture->format() != QImage::Format_RGB32 && picture->format() != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    if (picture->devicePixelRatio() != 1.0 || painter.hasClipping() || !painter.worldTransform().isIdentity()
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0
        || painter.testRenderHint(QPainter::Antialiasing))
        return nullptr;
    return picture;
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
