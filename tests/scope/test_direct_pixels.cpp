// Pixels written straight into the picture against the painter's own, on random input:
// batches of lines (short, long, far off the picture, of no length, drawn back along the last
// one); every way of blending glyph coverage; texts from captured
// glyphs over a varied picture and across its edges; outlines kept by their shape and written
// at other places.
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
        LineRaster raster(direct, OpaquePixel(colour));
        for (const QLine &line : lines)
            raster.draw(line);
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

TEST(DrawCaches, TextsAndOutlinesAreThePaintersOwnAnywhereOnThePicture)
{
    // Texts in several colours and fonts, and the outlines of the scope (trail circles and
    // alert rings, dotted; target symbols of width 2; dashed approach forks; fix triangles),
    // at random places, many cut by an edge, drawn three times: glyphs and outlines noted,
    // taken, then written.
    const QStringList words = {"LFLL", "AFR1234 FL350", "Wj@g_|", "Été 113.90 ÀÖ", "ii ll WW", "+3000/250"};
    const std::vector<QPointF> shapes[] = {{{0, 0}, {-7, 5}, {6, -4}},
                                           {{0, 0}, {31, 12}, {38, 3}, {40, 9}},
                                           {{0, -4}, {-4, 4}, {4, 4}, {0, -4}}};
    for (const char *family : {"DejaVu Sans Mono", "DejaVu Sans"}) {
        TextCache texts;
        OutlineCache outlines;
        int drawn = 0;
        for (int round = 0; round < 3; ++round) {
            QImage direct = Varied(QSize(200, 150)), painted = direct.copy();
            QPainter a(&direct), b(&painted);
            a.setFont(QFont(QString::fromLatin1(family), 9));
            b.setFont(a.font());
            texts.begin(a, &direct);
            outlines.begin(direct, true);
            QRandomGenerator places(9); // the same places each time
            for (int i = 0; i < 600; ++i) {
                const QPoint at(places.bounded(-90, 210), places.bounded(-12, 162));
                const QColor colour = QColor::fromRgb(places.generate() | 0xFF000000u);
                const int kind = places.bounded(6), radius = 2 + 7 * kind;
                const Qt::PenStyle style = kind <= 1 ? Qt::DotLine : kind == 3 ? Qt::DashLine : Qt::SolidLine;
                a.setPen(QPen(QBrush(colour), kind == 2 ? 2 : 1, style, Qt::FlatCap));
                b.setPen(a.pen());
                if (kind == 5) {
                    const QString &text = words[places.bounded(int(words.size()))];
                    // A few places, each given different texts in turn.
                    texts.draw(a, at.x(), at.y(), text, colour, {1, i % 3});
                    b.drawText(at, text);
                } else if (kind <= 1) {
                    outlines.ellipse(a, at, radius, radius);
                    b.drawEllipse(QPointF(at), radius, radius);
                } else {
                    std::vector<QPointF> points = shapes[kind - 2];
                    for (QPointF &p : points)
                        p += at;
                    outlines.polyline(a, points.data(), int(points.size()));
                    b.drawPolyline(points.data(), int(points.size()));
                }
                drawn += kind < 5 ? 1 : 0;
            }
            texts.end();
            outlines.end();
            a.end();
            b.end();
            ASSERT_TRUE(direct == painted) << family << " round " << round;
        }
        EXPECT_GT(texts.glyphMasks(), 20) << "the texts were not drawn from their glyphs";
        // Outlines wholly inside are kept once for every place they are drawn at: fewer entries
        // than three quarters of the outlines of one redraw.
        EXPECT_LT(outlines.size(), drawn / 4);
    }
}

} // namespace
