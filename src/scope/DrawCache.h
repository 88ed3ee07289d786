// Work kept from one redraw to the next so that the same pixels come out faster: the glyphs
// of texts already laid out (and their coverage, taken from the painter), and the pixels of
// small outlines already rasterised. Neither changes what is drawn: a text is drawn from its
// glyphs exactly where the painter would draw it, and an outline's pixels are the ones the
// painter itself set when it drew the same outline, with the same pen, on a picture of the
// same size.
#pragma once

#include "scope/GlyphStamps.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <QVarLengthArray>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace zaz {

// Where a text comes from: a table of the caller's numbering and a row in it. A text asked
// for again at the same place is found without a look-up while it is the same shared text
// (a name of the sector's tables). table -1: from nowhere in particular.
struct TextSlot {
    int table = -1;
    qsizetype row = 0;
};

// Texts laid out once for the painter's font: drawing them skips the shaping that
// QPainter::drawText does at every call; on a picture that takes direct pixels, their glyphs
// are blended straight into it.
class TextCache {
public:
    // Prepares for a redraw with this painter (its font and device); forgets every text when
    // the font or the device's resolution changed. direct: the picture whose pixels may be
    // written straight (see DirectPicture), null when every text goes to the painter; shift:
    // where the painter's (0, 0) lies on it.
    void begin(const QPainter &painter, QImage *direct, QPoint shift = QPoint());
    // Draws text with its baseline at (x, baseline) in colour, as drawText does with a pen of
    // that colour; the painter's pen is left as it was.
    void draw(QPainter &painter, int x, int baseline, const QString &text, const QColor &colour,
              TextSlot slot = {});
    // The width of the text's bounding rectangle in the painter's font.
    int boundingWidth(const QPainter &painter, const QString &text, TextSlot slot = {});
    void end();

    qsizetype size() const { return qsizetype(entries_.size()); }
    // Glyph masks taken so far (none: every text went to the painter).
    qsizetype glyphMasks() const { return glyphs_.masks(); }

private:
    struct Entry {
        QString text;
        QGlyphRun run;
        bool laidOut = false;    // run holds the text's glyphs
        bool plainLatin = false; // laid out as drawText lays it out (see PlainLatin)
        qreal lineAscent = 0;
        int boundingWidth = -1;  // -1 until asked for
        StampedText stamps;
        qint8 stamped = 0;       // 0 not tried yet, 1 stamps made, -1 drawn by the painter
        quint32 used = 0;
        qsizetype position = -1; // in the order of the redraw that asked for it last
    };
    Entry &find(const QPainter &painter, const QString &text, TextSlot slot);
    // Draws the entry from its glyph stamps; false when the painter must draw it.
    bool drawStamped(QPainter &painter, Entry &entry, int x, int baseline, const QColor &colour);

    QFont font_;
    QImage *direct_ = nullptr;
    QPoint shift_;
    GlyphStamps glyphs_;
    QPainter::RenderHints stampHints_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    // The texts, found by text; as texts come in the same order redraw after redraw, each
    // redraw's order is kept to find most of them without a look-up.
    std::vector<Entry> entries_;
    QHash<QString, int> index_;
    QHash<const void *, int> byData_; // by the characters an entry's text shares
    std::vector<std::vector<int>> slots_; // entry by table and row, -1: none yet
    std::vector<int> previous_; // entries of the last redraw in the order asked for
    std::vector<int> current_;
    qsizetype offset_ = 0;      // place in previous_ of the next text, less its place now
    quint32 redraw_ = 0;
    qsizetype usedThisRedraw_ = 0;
    qsizetype mostUsed_ = 0;
};

// Small outlines (the trail circles, the target symbols, the fix triangles) whose pixels are
// taken from a private picture the first time they are drawn at a place, then written
// directly. An outline placed on whole pixels (points, or an ellipse's centre) wholly inside
// the picture sets the same pixels wherever it is drawn, moved: it is kept once for every
// place (checked when it is taken by drawing it a second time far from the first).
class OutlineCache {
public:
    // Prepares for a redraw on picture; forgets every outline when the whole picture's size or
    // format changed. direct: whether its pixels may be written straight (see DirectPicture),
    // the painter's (0, 0) at shift on the picture. whole: the size of the whole picture the
    // painter's coordinates span when picture holds only some of its rows (the others drawn
    // on another picture); empty: picture's own.
    void begin(QImage &picture, bool direct, QPoint shift = QPoint(), QSize whole = QSize());
    // painter.drawEllipse(centre, rx, ry) and painter.drawPolyline(points, count).
    void ellipse(QPainter &painter, QPointF centre, qreal rx, qreal ry);
    void polyline(QPainter &painter, const QPointF *points, int count);
    void end();

    qsizetype size() const { return qsizetype(entries_.size()); }

private:
    static constexpr int kMaxPoints = 8;
    struct Key {
        quint8 kind = 0; // 1 ellipse, 2 polyline
        quint8 count = 0;
        quint8 relative = 0; // values relative to the outline's window, not to the picture
        quint8 style = 0;
        quint8 cap = 0;
        quint8 join = 0;
        quint8 cosmetic = 0;
        qreal width = 0;
        qreal miterLimit = 0;
        qreal values[2 * kMaxPoints] = {};
        bool operator==(const Key &other) const;
        // 64 bits of every field, for the look-up.
        quint64 fingerprint() const;
    };
    struct Entry {
        // New: never drawn; Seen: drawn once by the painter; Captured: pixels taken;
        // Painter: the pixels could not be taken, the painter draws it.
        enum State : quint8 { New, Seen, Captured, Painter };
        Key key;
        quint64 fingerprint = 0;
        QVarLengthArray<quint32, 16> pixels; // (x << 16) | y of every pixel set, from the anchor
        quint32 used = 0;
        qsizetype position = -1; // in the drawing order of the redraw that drew it last
        State state = New;
    };
    // The pixel value the painter writes with its pen, or 0 when the outline must be left
    // to the painter (a state the pixels were not taken for). Fills the pen's part of key.
    quint32 directColour(const QPainter &painter, Key &key);
    // The scratch picture made, its painter given the pen's shape; false when it cannot be.
    bool prepareScratch(const QPainter &painter);
    bool capture(const QPainter &painter, const Key &key, QPoint anchor, QRect window, Entry &entry);
    // Draws the outline at anchor on the blank scratch picture and takes the pixels it set
    // (from anchor), leaving the scratch blank; false when it reaches the window's edge.
    bool take(const Key &key, QPoint anchor, QRect window, QVarLengthArray<quint32, 16> &pixels);
    // Writes the pixels (from anchor) in colour; within: all of them fall on the picture.
    void write(const QVarLengthArray<quint32, 16> &pixels, quint32 colour, QPoint anchor, bool within);
    // Draws the outline (not kept) at anchor on the whole picture, keeping what falls on this
    // one.
    void drawAcross(const QPainter &painter, const Key &key, QPoint anchor, QRect window, quint32 colour);
    template <typename DrawFn>
    void draw(QPainter &painter, Key &key, QRectF bounds, DrawFn &&draw);

    // The pen last seen, its part of a key and its pixel value (0: drawn by the painter).
    QPen pen_{Qt::NoPen};
    Key penKey_;
    quint32 penColour_ = 0;
    QImage *picture_ = nullptr;
    bool direct_ = false;
    QPoint shift_;
    QSize size_;
    QImage::Format format_ = QImage::Format_Invalid;
    QImage scratch_;                         // all blank outside a capture
    quint32 blank_ = 0;
    std::unique_ptr<QPainter> scratchPainter_;
    // The outlines, found by fingerprint (a second key with the same fingerprint is not
    // kept). Outlines come in the same order redraw after redraw (a trail moved on by one
    // position is one place further): each redraw's order is kept to find most of them
    // without a look-up.
    std::vector<Entry> entries_;
    QHash<quint64, int> index_;
    std::vector<int> previous_; // entries of the last redraw in drawing order, -1 when none
    std::vector<int> current_;
    qsizetype offset_ = 0;      // place in previous_ of the next outline, less its place now
    quint32 redraw_ = 0;
    qsizetype usedThisRedraw_ = 0;
    qsizetype mostUsed_ = 0;
};

// The results of a computation that depends only on a few numbers, kept in the order they
// were asked for: redraw after redraw the targets come in the same order, so a result of the
// last redraw is found at the same place, or close to it, when its inputs are unchanged.
template <int In, int Out>
class SequenceMemo {
public:
    using Inputs = std::array<double, In>;
    using Outputs = std::array<double, Out>;

    // The outputs compute(inputs, outputs) gives for these inputs (the same bits).
    template <typename Compute>
    void get(const Inputs &inputs, Outputs &outputs, Compute &&compute)
    {
        const qsizetype position = qsizetype(current_.size());
        for (qsizetype delta : {0, -1, 1, -2, 2}) {
            const qsizetype before = position + offset_ + delta;
            if (before < 0 || before >= qsizetype(previous_.size()))
                continue;
            const Entry &entry = previous_[size_t(before)];
            if (std::memcmp(entry.inputs.data(), inputs.data(), sizeof(Inputs)) == 0) {
                offset_ += delta;
                outputs = entry.outputs;
                current_.push_back(entry);
                return;
            }
        }
        compute(inputs, outputs);
        current_.push_back({inputs, outputs});
    }
    void end()
    {
        previous_.swap(current_);
        current_.clear();
        offset_ = 0;
    }

private:
    struct Entry {
        Inputs inputs;
        Outputs outputs;
    };
    std::vector<Entry> previous_;
    std::vector<Entry> current_;
    qsizetype offset_ = 0;
};

// The caches of one drawing of the scope (the map, or the traffic over it), kept by the
// renderer while the program runs. Between begin and end the painter keeps its
// transformation, clipping, composition mode, opacity and antialiasing: whether pixels may be
// written straight is decided once, at begin.
struct DrawCaches {
    TextCache texts;
    OutlineCache outlines;
    // Orientation points of targets oriented by their track: the position on the picture,
    // the last position and the vector's length give nose, tail, wings and vector end.
    SequenceMemo<5, 10> orientations;
    // The picture being drawn when its pixels may be written straight, otherwise null, and
    // where the painter's (0, 0) lies on it.
    QImage *direct = nullptr;
    QPoint shift;
    // The size of the whole picture the painter's coordinates span (see OutlineCache::begin).
    QSize whole;
    void begin(const QPainter &painter, QImage &picture, QSize wholeSize = QSize())
    {
        shift = QPoint();
        direct = DirectPicture(painter, &shift) == &picture ? &picture : nullptr;
        whole = wholeSize.isEmpty() ? picture.size() : wholeSize;
        texts.begin(painter, direct, shift);
        outlines.begin(picture, direct != nullptr, shift, whole);
    }
    void end()
    {
        texts.end();
        outlines.end();
        orientations.end();
    }
};

} // namespace zaz
