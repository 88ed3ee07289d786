// Pixel checks shared by the drawing tests.
#pragma once

#include <QColor>
#include <QRgb>
#include <cmath>
#include <cstdlib>

namespace zaz::test {

// Glyph pixels of a text written in this colour over the black background: the colour
// itself or a darker blend of it (anti-aliased edges), at least half covered.
inline bool IsInk(QRgb pixel, const QColor &colour)
{
    const int c[3] = {colour.red(), colour.green(), colour.blue()};
    const int p[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    int strongest = 0;
    for (int i = 1; i < 3; ++i)
        if (c[i] > c[strongest])
            strongest = i;
    const double coverage = double(p[strongest]) / c[strongest];
    if (coverage < 0.5 || coverage > 1.0)
        return false;
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - coverage * c[i]) > 24)
            return false;
    return true;
}

} // namespace zaz::test
