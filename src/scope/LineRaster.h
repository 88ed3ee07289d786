// One-pixel solid lines written straight into a picture of 32-bit pixels: the pixels are the
// ones the painter sets for the same lines given to one QPainter::drawLines call with a
// solid, opaque, one-pixel pen without caps and without antialiasing (its fast path for
// such pens), but without the painter's per-line overhead.
//
// The painter walks each line along its longer axis in 26.6 fixed point, one pixel per step,
// from the pixel whose centre is nearest the start to the one before the pixel nearest the
// end, after cutting the line to one pixel around the picture. One piece of state runs from
// line to line within a call: the direction of the last line drawn. A line drawn straight
// back along the same axis starts half a pixel earlier.
#pragma once

#include "scope/DirectPixels.h"

#include <QImage>
#include <QLine>

namespace zaz {

class LineRaster {
public:
    // Lines in pixel (0xAARRGGBB, opaque) on picture (Format_RGB32 or
    // Format_ARGB32_Premultiplied); the state of a new drawLines call.
    LineRaster(QImage &picture, quint32 pixel);

    void draw(QLine line);

private:
    enum Direction { None = 0, Down = 1, Up = 2, Right = 4, Left = 8, Vertical = 3, Horizontal = 12 };
    bool cut(double &x1, double &y1, double &x2, double &y2) const;
    void plot(int x, int y)
    {
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            reinterpret_cast<quint32 *>(bits_ + qsizetype(y) * stride_)[x] = pixel_;
    }

    uchar *bits_;
    qsizetype stride_;
    int width_;
    int height_;
    quint32 pixel_;
    // The lines are cut to this rectangle before they are walked.
    double xmin_, xmax_, ymin_, ymax_;
    int lastDirection_ = None;
};

} // namespace zaz
