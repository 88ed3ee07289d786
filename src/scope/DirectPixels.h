// Drawing that writes pixels straight into the picture instead of going through the painter,
// for the cases where the painter's result is known exactly: a picture of 32-bit pixels, no
// clipping (but the band of rows it is given), no transformation, plain source-over, full
// opacity and no antialiasing.
#pragma once

#include <QImage>
#include <QPainter>

#include <climits>

namespace zaz {

// The rows a drawing writes: the whole picture, or a band of it when the picture is drawn by
// several threads at once, each on its own band (its painter clipped to it). What is drawn
// in a band is what the whole drawing puts on those rows.
struct PixelRows {
    int begin = 0;
    int end = INT_MAX;
    bool band() const { return begin != 0 || end != INT_MAX; }
    // The band as a clip rectangle of a picture this wide.
    QRect rect(int width) const { return QRect(0, begin, width, end - begin); }
};

// The picture painter draws on when its pixels may be written directly, otherwise null. A
// painter drawing a band is clipped to it; any other painter must not be clipped.
QImage *DirectPicture(const QPainter &painter, const PixelRows &rows = {});

// The pixel value an opaque colour is written as, or 0 for a colour that is not opaque.
quint32 OpaquePixel(const QColor &colour);

// The pixel value the painter's pen writes when lines are drawn with it directly: a solid,
// opaque pen of width 0 or 1 drawing without caps reaching past the ends. 0 when the pen
// is anything else.
quint32 DirectLinePixel(const QPainter &painter);

} // namespace zaz
