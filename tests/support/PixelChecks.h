// Pixel counts shared by the drawing tests.
#pragma once

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>

namespace zaz::test {

// Glyph pixels of a text written in this colour over the black background: the colour
// itself or a darker blend of it (anti-aliased edges), at least half covered.
inline bool IsInk(QRgb pixel, const QColor &colour)
{
    const int c[3] = {colour.red(), colour.green(), colour.blue()}, p[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const auto strongest = std::max_element(c, c + 3) - c;
    const double coverage = double(p[strongest]) / c[strongest];
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - coverage * c[i]) > 24)
            return false;
    return coverage >= 0.5 && coverage <= 1.0;
}

// Pixels of the area in exactly this colour (or its ink), those skip names left out.
inline int Count(const QImage &image, QRect area, const QColor &colour, const std::function<bool(int, int)> &skip = {},
                 bool ink = false)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((ink ? IsInk(image.pixel(x, y), colour) : image.pixel(x, y) == colour.rgb()) && !(skip && skip(x, y)))
                ++n;
    return n;
}

} // namespace zaz::test
