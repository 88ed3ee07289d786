#include "scope/LineRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zaz {

namespace {

// 26.6 fixed point of a coordinate, truncated toward zero.
inline int Fixed(double v)
{
    return int(v * 64.0);
}

// a / b in 16.16 fixed point (a and b in 26.6).
inline int Ratio(int a, int b)
{
    if (std::abs(a) > 0x7FFF)
        return int((qint64(a) << 16) / b);
    return (a * 65536) / b;
}

// Cuts the line where its coordinate u leaves [low, high] (v follows along the line); false
// when the line lies wholly beyond one side.
bool CutAxis(double &u1, double &v1, double &u2, double &v2, double low, double high)
{
    if (u1 < low) {
        if (u2 <= low)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (low - u1);
        u1 = low;
    } else if (u1 > high) {
        if (u2 >= high)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (high - u1);
        u1 = high;
    }
    if (u2 < low) {
        v2 += (v2 - v1) / (u2 - u1) * (low - u2);
        u2 = low;
    } else if (u2 > high) {
        v2 += (v2 - v1) / (u2 - u1) * (high - u2);
        u2 = high;
    }
    return true;
}

} // namespace

LineRaster::LineRaster(QImage &picture, quint32 pixel, QRect whole)
    : bits_(picture.bits()), stride_(picture.bytesPerLine()), width_(picture.width()), height_(picture.height()),
      pixel_(pixel)
{
    if (whole.isEmpty())
        whole = picture.rect();
    // Lines are cut and walked where they lie on the whole picture (the fixed-point values
    // of the cut ends depend on it), then moved onto this one.
    origin_ = whole.topLeft();
    xmin_ = -1;
    xmax_ = whole.width() + 1;
    ymin_ = -1;
    ymax_ = whole.height() + 1;
}

// Cuts the line to the rectangle around the picture, in floating point so that far points
// cannot overflow, across then down; false when nothing is left. The order of the
// operations is the painter's, so that the cut ends fall on the same fixed-point values.
bool LineRaster::cut(double &x1, double &y1, double &x2, double &y2) const
{
    return CutAxis(x1, y1, x2, y2, xmin_, xmax_) && CutAxis(y1, x1, y2, x2, ymin_, ymax_);
}

void LineRaster::draw(QLine line)
{
    line.translate(-origin_);
    // A line of no length is its one pixel.
    if (line.p1() == line.p2()) {
        plot(line.x1(), line.y1());
        return;
    }
    double rx1 = line.x1(), ry1 = line.y1(), rx2 = line.x2(), ry2 = line.y2();
    if (!cut(rx1, ry1, rx2, ry2))
        return;
    int x1 = Fixed(rx1), y1 = Fixed(ry1), x2 = Fixed(rx2), y2 = Fixed(ry2);
    const bool vertical = std::abs(x2 - x1) < std::abs(y2 - y1);
    // Walk along the longer axis ("along") with the other one ("across") following in 16.16.
    if (!vertical) {
        if (x1 == x2)
            return;
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int step = Ratio(x2 - x1, y2 - y1);
    int across = x1 * 1024;
    int along = (y1 + 32) >> 6;
    const int end = (y2 + 32) >> 6;
    if (along == end)
        return;
    across += (((along * 64) + (step > 0 ? 32 : 0) - y1) * step) >> 6;
    if (vertical) {
        for (; along < end; ++along, across += step)
            plot(across >> 16, along);
    } else {
        for (; along < end; ++along, across += step)
            plot(along, across >> 16);
    }
}

} // namespace zaz
