// One-pixel solid lines written straight into a picture of 32-bit pixels: the pixels are the
// ones the painter sets for each line given to QPainter::drawLine with a solid, opaque,
// one-pixel pen without caps and without antialiasing (its fast path for such pens), but
// without the painter's per-line overhead.
//
// The painter walks each line along its longer axis in 26.6 fixed point, one pixel per step,
// from the pixel whose centre is nearest the start to the one before the pixel nearest the
// end, after cutting the line to one pixel around the picture. (Given several lines in one
// drawLines call, it starts a line that runs straight back along the last one half a pixel
// earlier: the map draws every line on its own, so that a line's pixels never depend on
// which lines a tile drew before it.)
#pragma once

#include "scope/DirectPixels.h"

#include <QImage>
#include <QLine>
#include <QRect>

namespace zaz {

class LineRaster {
public:
    // Lines in pixel (0xAARRGGBB, opaque) on picture (Format_RGB32 or
    // Format_ARGB32_Premultiplied). whole: when picture holds only part of a larger picture,
    // where that larger one lies in picture's pixels: lines are cut as the painter cuts them
    // on the larger picture, and only what falls on picture is written.
    LineRaster(QImage &picture, quint32 pixel, QRect whole = QRect());

    void draw(QLine line);

private:
    bool cut(double &x1, double &y1, double &x2, double &y2) const;
    void plot(int x, int y)
    {
        x += origin_.x();
        y += origin_.y();
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            reinterpret_cast<quint32 *>(bits_ + qsizetype(y) * stride_)[x] = pixel_;
    }

    uchar *bits_;
    qsizetype stride_;
    int width_;
    int height_;
    quint32 pixel_;
    // The whole picture's top-left on this one; the lines are cut to this rectangle of the
    // whole before they are walked.
    QPoint origin_;
    double xmin_, xmax_, ymin_, ymax_;
};

} // namespace zaz
