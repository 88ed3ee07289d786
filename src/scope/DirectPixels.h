// Drawing that writes pixels straight into the picture instead of going through the painter,
// for the cases where the painter's result is known exactly: a picture of 32-bit pixels, no
// clipping, no transformation but a move by whole pixels, plain source-over, full opacity
// and no antialiasing.
#pragma once

#include <QImage>
#include <QPainter>


namespace zaz {

// The picture painter draws on when its pixels may be written directly, otherwise null.
// shift: where the painter's (0, 0) lies on the picture; without it, only a painter that
// does not move what it draws qualifies.
QImage *DirectPicture(const QPainter &painter, QPoint *shift = nullptr);

// Whether a painter that draws on picture with nothing else in the way may have its pixels
// written directly: 32-bit pixels, one per logical pixel.
bool DirectFormat(const QImage &picture);

// The pixel value an opaque colour is written as, or 0 for a colour that is not opaque.
quint32 OpaquePixel(const QColor &colour);

// The pixel value the painter's pen writes when lines are drawn with it directly: a solid,
// opaque pen of width 0 or 1 drawing without caps reaching past the ends. 0 when the pen
// is anything else.
quint32 DirectLinePixel(const QPainter &painter);

} // namespace zaz
