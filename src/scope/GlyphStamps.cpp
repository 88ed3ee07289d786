#include "scope/GlyphStamps.h"

#include "scope/CoverageBlend.h"

#include <algorithm>
#include <cmath>

namespace zaz {

namespace {

// Glyphs of fonts larger than this are drawn by the painter as outlines, not from its glyph
// cache; their texts are left to it.
constexpr double kMaxPixelSize = 48;

// A glyph position in 1/64 pixel, when it lies on that grid.
bool OnGrid(double v, int &fixed)
{
    const double scaled = v * 64.0;
    if (!(std::abs(scaled) < 1e8) || std::floor(scaled) != scaled)
        return false;
    fixed = int(scaled);
    return true;
}

} // namespace

void GlyphStamps::clear()
{
    fonts_.clear();
    masks_.clear();
    index_.clear();
}

int GlyphStamps::fontSlot(const QRawFont &raw)
{
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].raw == raw)
            return int(i);
    Font font;
    font.raw = raw;
    font.usable = raw.isValid() && raw.pixelSize() > 0 && raw.pixelSize() <= kMaxPixelSize;
    fonts_.push_back(font);
    return int(fonts_.size() - 1);
}

bool GlyphStamps::paintAlone(const QRawFont &raw, quint32 glyph, int fx, int fy, QRgb background, QRgb colour)
{
    // Room for any glyph of the font around the anchor.
    const int size = std::max(64, 6 * int(std::ceil(raw.pixelSize())));
    if (scratch_.width() != size) {
        scratch_ = QImage(size, size, QImage::Format_RGB32);
        if (scratch_.isNull())
            return false;
    }
    anchor_ = size / 3;
    scratch_.fill(background);
    QGlyphRun alone;
    alone.setRawFont(raw);
    alone.setGlyphIndexes({glyph});
    alone.setPositions({QPointF(anchor_ + fx / 64.0, anchor_ + fy / 64.0)});
    QPainter painter(&scratch_);
    painter.setRenderHints(hints_);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawGlyphRun(QPointF(0, 0), alone);
    return true;
}

bool GlyphStamps::capture(const QRawFont &raw, quint32 glyph, int fx, int fy, Mask &mask)
{
    if (!paintAlone(raw, glyph, fx, fy, 0xFF000000u, 0xFFFFFFFFu))
        return false;
    // White over black leaves the coverage itself in each channel.
    const int size = scratch_.width();
    int left = size, top = size, right = -1, bottom = -1;
    for (int y = 0; y < size; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(scratch_.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            const quint32 v = line[x] & 0xFFFFFFu;
            if (!v)
                continue;
            // Coloured edges (sub-pixel text) or a glyph reaching the scratch's edge.
            if (qRed(v) != qBlue(v) || qGreen(v) != qBlue(v) || x == 0 || y == 0 || x == size - 1 || y == size - 1)
                return false;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    mask = Mask();
    if (right < 0)
        return true; // a blank glyph
    mask.left = left - anchor_;
    mask.top = top - anchor_;
    mask.width = right - left + 1;
    mask.height = bottom - top + 1;
    mask.stride = (mask.width + 7) / 8 * 8;
    mask.coverage.assign(size_t(mask.stride) * size_t(mask.height), 0);
    for (int y = 0; y < mask.height; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(scratch_.constScanLine(top + y));
        for (int x = 0; x < mask.width; ++x)
            mask.coverage[size_t(y) * size_t(mask.stride) + size_t(x)] = quint8(qBlue(line[left + x]));
    }
    return true;
}

// Draws a few glyphs in a colour over another with the painter and by blending their
// coverage: the same pixels, or the font is left to the painter.
bool GlyphStamps::blendMatchesPainter(const QRawFont &raw)
{
    constexpr QRgb kBackground = 0xFF5A1E14u;
    constexpr QRgb kColour = 0xFF3C8CC8u;
    for (quint32 glyph : raw.glyphIndexesForString(QStringLiteral("W@g"))) {
        Mask mask;
        if (!capture(raw, glyph, 21, 0, mask))
            return false;
        if (!paintAlone(raw, glyph, 21, 0, kBackground, kColour))
            return false;
        QImage blended(scratch_.size(), scratch_.format());
        blended.fill(kBackground);
        blend(blended, mask, anchor_, anchor_, kColour);
        if (blended != scratch_)
            return false;
    }
    return true;
}

int GlyphStamps::maskOf(int font, quint32 glyph, int fx, int fy)
{
    const quint64 key = (quint64(font) << 44) | (quint64(glyph) << 12) | quint64(fx << 6) | quint64(fy);
    const auto it = index_.constFind(key);
    if (it != index_.constEnd())
        return *it;
    Mask mask;
    int found = -1;
    if (capture(fonts_[size_t(font)].raw, glyph, fx, fy, mask)) {
        found = int(masks_.size());
        masks_.push_back(std::move(mask));
    }
    index_.insert(key, found);
    return found;
}

bool GlyphStamps::make(const QGlyphRun &run, double lift, QPainter::RenderHints hints, StampedText &text)
{
    text = StampedText();
    std::vector<GlyphStamp> &stamps = text.stamps;
    if (hints != hints_) {
        clear();
        hints_ = hints;
    }
    if (run.overline() || run.underline() || run.strikeOut() || run.isRightToLeft())
        return false;
    const int font = fontSlot(run.rawFont());
    Font &f = fonts_[size_t(font)];
    if (f.usable && !f.blendChecked) {
        f.blendChecked = true;
        f.usable = blendMatchesPainter(f.raw);
    }
    if (!fonts_[size_t(font)].usable)
        return false;
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (glyphs.size() != positions.size())
        return false;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        int px = 0, py = 0;
        if (!OnGrid(positions[i].x(), px) || !OnGrid(positions[i].y() + lift, py))
            return false;
        const int mask = maskOf(font, glyphs[i], px & 63, py & 63);
        if (mask < 0)
            return false;
        const Mask &m = masks_[size_t(mask)];
        if (m.width == 0)
            continue;
        const int dx = px >> 6, dy = py >> 6;
        const bool first = stamps.empty();
        stamps.push_back({mask, dx, dy});
        text.left = first ? dx + m.left : std::min(text.left, dx + m.left);
        text.top = first ? dy + m.top : std::min(text.top, dy + m.top);
        text.right = first ? dx + m.left + m.width : std::max(text.right, dx + m.left + m.width);
        text.bottom = first ? dy + m.top + m.height : std::max(text.bottom, dy + m.top + m.height);
    }
    return true;
}

void GlyphStamps::blend(QImage &picture, const Mask &mask, qint64 x, qint64 y, quint32 pixel)
{
    const qint64 left = x + mask.left, top = y + mask.top;
    const qint64 y0 = std::max<qint64>(top, 0), y1 = std::min<qint64>(top + mask.height, picture.height());
    if (left >= picture.width() || left + mask.width <= 0 || y0 >= y1)
        return;
    const qsizetype stride = picture.bytesPerLine();
    const quint8 *coverage = mask.coverage.data() + (y0 - top) * mask.stride;
    // Whole padded rows on the picture: several pixels at a time (the padding blends nothing).
    if (left >= 0 && left + mask.stride <= picture.width()) {
        auto *pixels = reinterpret_cast<quint32 *>(picture.bits() + y0 * stride) + left;
        BlendCoverage({pixels, stride, coverage, mask.stride, mask.stride, y1 - y0}, pixel);
        return;
    }
    const qint64 x0 = std::max<qint64>(left, 0), x1 = std::min<qint64>(left + mask.width, picture.width());
    auto *pixels = reinterpret_cast<quint32 *>(picture.bits() + y0 * stride) + x0;
    BlendCoverageScalar({pixels, stride, coverage + (x0 - left), mask.stride, x1 - x0, y1 - y0}, pixel);
}

void GlyphStamps::draw(QImage &picture, const StampedText &text, int x, int y, quint32 pixel) const
{
    // The rows of a text are scattered over a picture much larger than the processor's
    // caches: ask for all the memory the text covers before blending it, so that it comes
    // in together instead of one row after the other.
    const qint64 left = std::max<qint64>(qint64(x) + text.left, 0);
    const qint64 right = std::min<qint64>(qint64(x) + text.right, picture.width());
    const qint64 top = std::max<qint64>(qint64(y) + text.top, 0);
    const qint64 bottom = std::min<qint64>(qint64(y) + text.bottom, picture.height());
    if (left >= right || top >= bottom)
        return;
    const uchar *bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    for (qint64 row = top; row < bottom; ++row) {
        const uchar *line = bits + row * stride;
        for (qint64 col = left; col < right; col += 16)
            __builtin_prefetch(line + col * 4, 1);
        __builtin_prefetch(line + (right - 1) * 4, 1);
    }
    for (const GlyphStamp &s : text.stamps)
        blend(picture, masks_[size_t(s.mask)], qint64(x) + s.dx, qint64(y) + s.dy, pixel);
}

} // namespace zaz
