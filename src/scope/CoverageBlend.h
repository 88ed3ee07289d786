// Blending a colour over a row of pixels through a coverage mask, as the painter blends
// glyphs: each pixel becomes colour × a / 255 + pixel × (255 - a) / 255, both products
// rounded on each byte the painter's way (a = 0 leaves the pixel, a = 255 writes the colour).
#pragma once

#include <QtGlobal>

namespace zaz {

// A rectangle of width × rows pixels: rows of pixels lineStride bytes apart, rows of coverage
// coverageStride bytes apart. On x86-64 width must be a multiple of eight (masks are padded
// with no coverage to that).
struct CoverageRect {
    quint32 *pixels;
    qsizetype lineStride;
    const quint8 *coverage;
    qsizetype coverageStride;
    qint64 width;
    qint64 rows;
};
void BlendCoverage(const CoverageRect &rect, quint32 colour);

// The ways BlendCoverage may take, for the tests: one pixel at a time (any width), two at a
// time (even width), eight at a time (multiple of eight; only where Avx2Available()).
void BlendCoverageScalar(const CoverageRect &rect, quint32 colour);
void BlendCoverageSse2(const CoverageRect &rect, quint32 colour);
void BlendCoverageAvx2(const CoverageRect &rect, quint32 colour);
bool Avx2Available();

} // namespace zaz
