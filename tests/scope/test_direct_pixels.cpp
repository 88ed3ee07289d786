// Pixels written straight into the picture against the painter's own, on random input:
// batches of lines (short, long, far off the picture, of no length, drawn back along the last
// one); every way of blending glyph coverage; texts from captured
// glyphs over a varied picture and across its edges; outlines kept by their shape and written
// at other places; and all of them drawn on two bands of a picture.
#include "scope/CoverageBlend.h"
#include "scope/DrawCache.h"
#include "scope/LineRaster.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace zaz;

namespace {

TEST(LineRaster, SetsThePaintersPixelsForRandomLines)
{
    QRandomGenerator random(20261206);
    // A random end: mostly on or near the 200 × 120 picture, sometimes far beyond it.
    const auto end = [&random] {
        const int kind = random.bounded(10);
        return kind == 0 ? QPoint(random.bounded(-200000, 200000), random.bounded(-200000, 200000))
               : kind == 1 ? QPoint(random.bounded(-3, 4), random.bounded(-3, 124))
                           : QPoint(random.bounded(-40, 240), random.bounded(-40, 160));
    };
    for (int round = 0; round < 800; ++round) {
        std::vector<QLine> lines;
        for (int i = random.bounded(1, 40); i > 0; --i) {
            const QPoint a = end();
            const int shape = random.bounded(6);
            if (shape == 2 && !lines.empty()) // back along the last one
                lines.push_back(QLine(lines.back().p2(), lines.back().p1()));
            lines.push_back(QLine(a, shape == 0   ? a
                                     : shape == 1 ? a + QPoint(random.bounded(-3, 4), random.bounded(-3, 4))
                                                  : end()));
        }
        const QColor colour = QColor::fromRgb(random.generate() | 0xFF000000u);
        QImage painted(200, 120, round % 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::black);
        QImage direct = painted.copy();
        QPainter painter(&painted);
        painter.setPen(QPen(QBrush(colour), round % 4 / 2, Qt::SolidLine, Qt::FlatCap)); // width 0 or 1
        for (const QLine &line : lines)
            painter.drawLine(line);
        painter.end();
        // Every other time in two bands of rows, each cutting the lines as on the whole.
        const int seam = round % 2 ? random.bounded(1, 119) : 120;
        for (const auto &[top, bottom] : {std::pair(0, seam), std::pair(seam, 120)}) {
            if (top == bottom)
                continue;
            QImage part(direct.bits() + top * direct.bytesPerLine(), 200, bottom - top, direct.bytesPerLine(),
                        direct.format());
            LineRaster raster(part, OpaquePixel(colour), QRect(0, -top, 200, 120));
            for (const QLine &line : lines)
                raster.draw(line.translated(0, -top));
        }
        ASSERT_TRUE(direct == painted) << "round " << round;
    }
}

TEST(CoverageBlend, EveryWayGivesThePaintersBlend)
{
    // The painter's blend of one pixel, worked out per byte in plain integers.
    const auto expected = [](quint32 colour, quint32 there, quint32 a) {
        const auto mul = [](quint32 x, quint32 k) { return (x * k + (x * k >> 8) + 0x80) >> 8; };
        quint32 out = 0;
        for (int shift = 0; shift < 32; shift += 8)
            out |= (mul(colour >> shift & 0xFF, a) + mul(there >> shift & 0xFF, 255 - a)) << shift;
        return out;
    };
    std::vector<void (*)(const CoverageRect &, quint32)> ways = {BlendCoverageScalar, BlendCoverageSse2, BlendCoverage};
    if (Avx2Available())
        ways.push_back(BlendCoverageAvx2);
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        std::array<quint32, 64> there;
        std::array<quint8, 64> coverage;
        for (int i = 0; i < 64; ++i) { // the coverages that matter most, none and full, one time in four each
            there[i] = random.generate() | 0xFF000000u;
            coverage[i] = quint8(std::clamp(random.bounded(-128, 384), 0, 255));
        }
        const quint32 colour = random.generate() | 0xFF000000u;
        for (auto way : ways) {
            std::array<quint32, 64> pixels = there;
            way({pixels.data(), 16 * sizeof(quint32), coverage.data(), 16, 16, 4}, colour); // 4 rows of 16
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ(pixels[i], expected(colour, there[i], coverage[i])) << "pixel " << i;
        }
    }
}

// A picture of varied pixels, so that blends over it differ from place to place.
QImage Varied(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, 0xFF000000u | (quint32(x) * 2654435761u ^ quint32(y) * 40503u));
    return picture;
}

TEST(DrawCaches, TextsAndOutlinesAreThePaintersOwnAnywhereOnThePictureOrOnItsBands)
{
    // Texts in several colours and fonts, and the outlines of the scope (trail circles and
    // alert rings, dotted; target symbols of width 2; dashed approach forks; fix triangles;
    // a long dotted line), at random places, many cut by an edge, drawn four times: glyphs and
    // outlines noted, taken, then written. From the second time on, the picture is drawn as
    // two bands of rows, each a picture of its own with its own caches and a painter moved up
    // by the band's top: the bands together are the painter's picture of the whole.
    const QStringList words = {"LFLL", "AFR1234 FL350", "Wj@g_|", "Été 113.90 ÀÖ", "ii ll WW", "+3000/250"};
    const std::vector<QPointF> shapes[] = {{{0, 0}, {-7, 5}, {6, -4}},
                                           {{0, 0}, {31, 12}, {38, 3}, {40, 9}},
                                           {{0, -4}, {-4, 4}, {4, 4}, {0, -4}},
                                           {{0, -130}, {37, 140}}};
    const QSize size(200, 150);
    for (const char *family : {"DejaVu Sans Mono", "DejaVu Sans"}) {
        DrawCaches caches[2];
        int drawn = 0;
        for (int round = 0; round < 4; ++round) {
            QImage direct = Varied(size), painted = direct.copy();
            QPainter b(&painted);
            b.setFont(QFont(QString::fromLatin1(family), 9));
            const int seam = round == 0 ? size.height() : 40 + 25 * round;
            for (int band = 0; band < (seam < size.height() ? 2 : 1); ++band) {
                const int top = band == 0 ? 0 : seam, bottom = band == 0 ? seam : size.height();
                QImage part(direct.bits() + top * direct.bytesPerLine(), size.width(), bottom - top,
                            direct.bytesPerLine(), direct.format());
                QPainter a(&part);
                a.setFont(b.font());
                a.translate(0, -top);
                DrawCaches &c = caches[band];
                c.begin(a, part, size);
                QRandomGenerator places(9); // the same places each time
                for (int i = 0; i < 600; ++i) {
                    const QPoint at(places.bounded(-90, 210), places.bounded(-12, 162));
                    const QColor colour = QColor::fromRgb(places.generate() | 0xFF000000u);
                    const int kind = places.bounded(7), radius = kind == 1 ? 150 : 2 + 7 * kind;
                    const Qt::PenStyle style = kind <= 1 || kind == 6 ? Qt::DotLine
                                               : kind == 3            ? Qt::DashLine
                                                                      : Qt::SolidLine;
                    a.setPen(QPen(QBrush(colour), kind == 2 ? 2 : 1, style, Qt::FlatCap));
                    const bool both = band == 0;
                    if (both)
                        b.setPen(a.pen());
                    if (kind == 5) {
                        const QString &text = words[places.bounded(int(words.size()))];
                        // A few places, each given different texts in turn.
                        c.texts.draw(a, at.x(), at.y(), text, colour, {1, i % 3});
                        if (both)
                            b.drawText(at, text);
                    } else if (kind <= 1) {
                        c.outlines.ellipse(a, at, radius, radius);
                        if (both)
                            b.drawEllipse(QPointF(at), radius, radius);
                    } else {
                        std::vector<QPointF> points = shapes[kind == 6 ? 3 : kind - 2];
                        for (QPointF &p : points)
                            p += at;
                        c.outlines.polyline(a, points.data(), int(points.size()));
                        if (both)
                            b.drawPolyline(points.data(), int(points.size()));
                    }
                    drawn += kind != 5 && both ? 1 : 0;
                }
                c.end();
            }
            b.end();
            ASSERT_TRUE(direct == painted) << family << " round " << round;
        }
        EXPECT_GT(caches[0].texts.glyphMasks(), 20) << "the texts were not drawn from their glyphs";
        // Outlines wholly inside are kept once for every place they are drawn at: fewer entries
        // than a quarter of the outlines of one redraw.
        EXPECT_LT(caches[0].outlines.size(), drawn / 4 / 4);
    }
}

} // namespace
