// Pixels written straight into the picture against the painter's own: random lines in
// batches (short, long, far off the picture, of no length, drawn back and forth), the
// blend of glyph coverage, texts from captured glyphs over a varied picture and across its
// edges, and outlines kept by their shape and written at other places.
#include "scope/CoverageBlend.h"
#include "scope/DirectPixels.h"
#include "scope/DrawCache.h"
#include "scope/LineRaster.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <vector>

using namespace zaz;

namespace {

// Where two pictures differ first, or "" when they are the same.
std::string FirstDifference(const QImage &a, const QImage &b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("(%1, %2)").arg(x).arg(y).toStdString();
    return {};
}

QPen LinePen(const QColor &colour, int width = 1)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// A random end: mostly on or near a 200 × 120 picture, sometimes far beyond it.
QPoint RandomEnd(QRandomGenerator &random)
{
    const int kind = random.bounded(10);
    if (kind == 0)
        return QPoint(random.bounded(-200000, 200000), random.bounded(-200000, 200000));
    if (kind == 1)
        return QPoint(random.bounded(-3, 4), random.bounded(-3, 124));
    return QPoint(random.bounded(-40, 240), random.bounded(-40, 160));
}

TEST(LineRaster, SetsThePaintersPixelsForBatchesOfRandomLinesWholeOrInBands)
{
    QRandomGenerator random(20261206);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (int round = 0; round < 400; ++round) {
            QImage painted(200, 120, format);
            painted.fill(Qt::black);
            QImage direct = painted;
            std::vector<QLine> lines;
            const int count = random.bounded(1, 40);
            for (int i = 0; i < count; ++i) {
                const QPoint a = RandomEnd(random);
                const int shape = random.bounded(6);
                QPoint b = RandomEnd(random);
                if (shape == 0)
                    b = a; // no length
                else if (shape == 1)
                    b = a + QPoint(random.bounded(-3, 4), random.bounded(-3, 4)); // a few pixels
                else if (shape == 2 && !lines.empty())
                    b = lines.back().p1(), lines.push_back(QLine(lines.back().p2(), b)); // back along the last one
                lines.push_back(QLine(a, b));
            }
            const QColor colour = QColor::fromRgb(random.generate() | 0xFF000000u);
            {
                QPainter painter(&painted);
                painter.setPen(LinePen(colour, round % 2));
                painter.drawLines(lines.data(), int(lines.size()));
            }
            LineRaster raster(direct, OpaquePixel(colour));
            for (const QLine &line : lines)
                raster.draw(line);
            ASSERT_EQ(FirstDifference(painted, direct), "") << "round " << round;
            // The same lines drawn as two bands of rows, each by its own raster.
            QImage banded(painted.size(), format);
            banded.fill(Qt::black);
            const int middle = random.bounded(1, 120);
            for (PixelRows rows : {PixelRows{0, middle}, PixelRows{middle, 120}}) {
                LineRaster band(banded, OpaquePixel(colour), rows);
                for (const QLine &line : lines)
                    band.draw(line);
            }
            ASSERT_EQ(FirstDifference(painted, banded), "") << "round " << round << ", bands split at " << middle;
        }
    }
}

TEST(CoverageBlend, EveryWayGivesThePaintersBlend)
{
    // The painter's blend of one pixel, worked out per byte in plain integers.
    const auto expected = [](quint32 colour, quint32 there, int a) {
        quint32 out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const auto mul = [](quint32 x, quint32 k) { const quint32 t = x * k; return (t + (t >> 8) + 0x80) >> 8; };
            out |= (mul((colour >> shift) & 0xFF, a) + mul((there >> shift) & 0xFF, 255 - a)) << shift;
        }
        return out;
    };
    QRandomGenerator random(7);
    constexpr int kCount = 64;
    for (int round = 0; round < 200; ++round) {
        quint32 there[kCount];
        quint8 coverage[kCount];
        for (int i = 0; i < kCount; ++i) {
            there[i] = random.generate() | 0xFF000000u;
            const int kind = random.bounded(4); // the ends matter most: none and full
            coverage[i] = quint8(kind == 0 ? 0 : kind == 1 ? 255 : random.bounded(256));
        }
        const quint32 colour = random.generate() | 0xFF000000u;
        using Way = void (*)(const CoverageRect &, quint32);
        std::vector<Way> ways = {BlendCoverageScalar, BlendCoverageSse2, BlendCoverage};
        if (Avx2Available())
            ways.push_back(BlendCoverageAvx2);
        for (Way way : ways) {
            quint32 line[kCount];
            std::copy(there, there + kCount, line);
            way({line, 16 * sizeof(quint32), coverage, 16, 16, kCount / 16}, colour);
            for (int i = 0; i < kCount; ++i)
                ASSERT_EQ(line[i], expected(colour, there[i], coverage[i])) << "pixel " << i;
        }
    }
}

// Two copies of a picture of varied pixels (so that blends over it differ from place to
// place), one drawn on directly, one by the painter alone.
struct SideBySide {
    SideBySide(QSize size, quint32 seed) : direct(size, QImage::Format_RGB32)
    {
        QRandomGenerator random(seed);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                direct.setPixel(x, y, random.generate() | 0xFF000000u);
        painted = direct;
        a.begin(&direct);
        b.begin(&painted);
    }
    // Ends both drawings: where the pictures differ first, or "".
    std::string difference()
    {
        a.end();
        b.end();
        return FirstDifference(painted, direct);
    }
    QImage direct, painted;
    QPainter a, b;
};

TEST(GlyphStamps, TextsAreThePaintersOwnAnywhereOnThePicture)
{
    // Texts at random places, many of them cut by an edge, in several colours and fonts,
    // drawn twice (the second time from glyphs already taken).
    const QStringList words = {QStringLiteral("LFLL"), QStringLiteral("AFR1234 FL350"), QStringLiteral("Wj@g_|"),
                               QStringLiteral("Été 113.90 ÀÖ"), QStringLiteral("ii ll WW"), QStringLiteral("+3000/250")};
    for (const char *family : {"DejaVu Sans Mono", "DejaVu Sans"}) {
        QFont font(QString::fromLatin1(family));
        font.setPointSize(9);
        TextCache texts;
        for (int round = 0; round < 2; ++round) {
            SideBySide pictures(QSize(160, 90), 3);
            QPainter &a = pictures.a, &b = pictures.b;
            a.setFont(font);
            b.setFont(font);
            texts.begin(a);
            QRandomGenerator places(9); // the same places both times
            for (int i = 0; i < 300; ++i) {
                const QString &text = words[places.bounded(int(words.size()))];
                const QPoint at(places.bounded(-90, 170), places.bounded(-12, 104));
                const QColor colour = QColor::fromRgb(places.generate() | 0xFF000000u);
                texts.draw(a, at.x(), at.y(), text, colour);
                b.setPen(colour);
                b.drawText(at, text);
            }
            texts.end();
            ASSERT_EQ(pictures.difference(), "") << family << " round " << round;
        }
        EXPECT_GT(texts.glyphMasks(), 20) << "the texts were not drawn from their glyphs";
    }
}

TEST(OutlineCache, OutlinesKeptByShapeLandWhereThePainterPutsThem)
{
    // The outlines of the scope (trail circles, alert rings, target symbols of width 2,
    // dashed approach forks, fix triangles) at random whole-pixel places, some on the
    // picture's edges, drawn three times so that they are noted, taken, then written.
    const QPointF wing[] = {{0, 0}, {-7, 5}, {6, -4}};
    const QPointF fork[] = {{0, 0}, {31, 12}, {38, 3}, {40, 9}};
    const QPointF triangle[] = {{0, -4}, {-4, 4}, {4, 4}, {0, -4}};
    OutlineCache cache;
    for (int round = 0; round < 3; ++round) {
        SideBySide pictures(QSize(200, 150), 5);
        QPainter &a = pictures.a, &b = pictures.b;
        cache.begin(pictures.direct);
        QRandomGenerator places(11); // the same places each time
        for (int i = 0; i < 400; ++i) {
            const QPointF at(places.bounded(-10, 210), places.bounded(-10, 160));
            const int kind = places.bounded(5);
            QPen pen(QColor::fromRgb(places.generate() | 0xFF000000u), kind == 2 ? 2 : 1,
                     kind <= 1 ? Qt::DotLine : kind == 3 ? Qt::DashLine : Qt::SolidLine);
            pen.setCapStyle(Qt::FlatCap);
            a.setPen(pen);
            b.setPen(pen);
            if (kind <= 1) {
                const qreal r = kind == 0 ? 2.0 : 9.0;
                cache.ellipse(a, at, r, r);
                b.drawEllipse(at, r, r);
                continue;
            }
            const QPointF *shape = kind == 2 ? wing : kind == 3 ? fork : triangle;
            const int count = kind == 2 ? 3 : 4;
            QPointF points[4];
            for (int k = 0; k < count; ++k)
                points[k] = shape[k] + at;
            cache.polyline(a, points, count);
            b.drawPolyline(points, count);
        }
        cache.end();
        ASSERT_EQ(pictures.difference(), "") << "round " << round;
    }
    // Those wholly inside are kept once for every place: fewer entries than outlines.
    EXPECT_LT(cache.size(), 300);
}

TEST(DirectPixels, OnlyPlainPaintersAndOpaqueThinPensQualify)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setPen(LinePen(Qt::red));
    EXPECT_EQ(DirectPicture(painter), &picture);
    EXPECT_EQ(DirectLinePixel(painter), 0xFFFF0000u);

    painter.setPen(LinePen(Qt::red, 3));
    EXPECT_EQ(DirectLinePixel(painter), 0u);
    QPen dashed = LinePen(Qt::red);
    dashed.setStyle(Qt::DashLine);
    painter.setPen(dashed);
    EXPECT_EQ(DirectLinePixel(painter), 0u);
    painter.setPen(LinePen(QColor(255, 0, 0, 128)));
    EXPECT_EQ(DirectLinePixel(painter), 0u);

    painter.setClipRect(QRect(0, 0, 5, 5));
    EXPECT_EQ(DirectPicture(painter), nullptr);
    painter.setClipping(false);
    painter.translate(1, 0);
    EXPECT_EQ(DirectPicture(painter), nullptr);
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing);
    EXPECT_EQ(DirectPicture(painter), nullptr);
    painter.end();

    QImage indexed(20, 20, QImage::Format_RGB16);
    QPainter other(&indexed);
    EXPECT_EQ(DirectPicture(other), nullptr);
}

} // namespace
