// Texts drawn from the coverage of their glyphs, blended straight into the picture: the
// painter draws a glyph by blending the pen's colour over the picture through the glyph's
// coverage (0 to 255), taken from its glyph cache for the glyph's sub-pixel position, at a
// whole-pixel place. The coverage of each glyph at each sub-pixel position is taken once by
// drawing the glyph alone in white over black with the painter, then reused for every text
// at any whole-pixel position; the result is the painter's own, pixel for pixel.
//
// The blend is checked against the painter once for each font: a painter that blends
// otherwise (gamma-corrected text, say) makes every text go back to the painter.
#pragma once

#include "scope/DirectPixels.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <vector>

namespace zaz {

// One glyph of a text: a coverage mask and its place relative to the text's origin.
struct GlyphStamp {
    int mask = 0;
    int dx = 0;
    int dy = 0;
};

// The glyphs of a text and the rectangle they cover, relative to the text's origin.
struct StampedText {
    std::vector<GlyphStamp> stamps;
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom excluded
};

class GlyphStamps {
public:
    // The stamps of run drawn at origin + (0, lift) by a painter with these hints: false when
    // the painter must draw it (a position off the painter's 1/64 grid, a glyph too large,
    // decorations, a font blended otherwise).
    bool make(const QGlyphRun &run, double lift, QPainter::RenderHints hints, StampedText &text);
    // Blends the text in pixel (opaque 0xAARRGGBB) with its origin at (x, y).
    void draw(QImage &picture, const StampedText &text, int x, int y, quint32 pixel) const;
    // Forgets every mask (the font or the hints changed).
    void clear();

    qsizetype masks() const { return qsizetype(masks_.size()); }

private:
    struct Mask {
        int left = 0; // offset of the first column and row from the glyph's whole-pixel place
        int top = 0;
        int width = 0;
        int height = 0;
        // Row by row, each row padded with no coverage to a multiple of eight pixels (so
        // that rows are blended eight pixels at a time).
        int stride = 0;
        std::vector<quint8> coverage;
    };
    struct Font {
        QRawFont raw;
        bool blendChecked = false;
        bool usable = true;
    };
    int fontSlot(const QRawFont &raw);
    // The mask of a glyph at a sub-pixel position (in 1/64 pixel), -1 when it cannot be taken.
    int maskOf(int font, quint32 glyph, int fx, int fy);
    // Draws the glyph alone at (anchor + fx / 64, anchor + fy / 64) on the scratch picture
    // over blank, in colour; false when it cannot be drawn there whole.
    bool paintAlone(const QRawFont &raw, quint32 glyph, int fx, int fy, QRgb background, QRgb colour);
    bool capture(const QRawFont &raw, quint32 glyph, int fx, int fy, Mask &mask);
    bool blendMatchesPainter(const QRawFont &raw);
    // Blends mask at (x, y) on the picture.
    static void blend(QImage &picture, const Mask &mask, qint64 x, qint64 y, quint32 pixel);

    QPainter::RenderHints hints_;
    std::vector<Font> fonts_;
    std::vector<Mask> masks_;
    QHash<quint64, int> index_; // font, glyph and sub-pixel position -> mask, -1: painter
    QImage scratch_;
    int anchor_ = 0;
};

} // namespace zaz
