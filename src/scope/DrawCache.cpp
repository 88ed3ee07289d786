#include "scope/DrawCache.h"

#include "scope/DirectPixels.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

namespace zaz {

namespace {

// Entries come in the same order redraw after redraw: where the one asked for at position
// stood in the last redraw's order (previous), if the order is unchanged since the last one
// found (offset) or it is one place further; -1 when matches() accepts neither.
template <typename Matches>
int FollowOrder(const std::vector<int> &previous, qsizetype position, qsizetype &offset, Matches &&matches)
{
    for (qsizetype back = 0; back <= 1; ++back) {
        const qsizetype before = position + offset - back;
        if (before < 0 || before >= qsizetype(previous.size()))
            continue;
        const int candidate = previous[size_t(before)];
        if (candidate >= 0 && matches(candidate)) {
            offset -= back;
            return candidate;
        }
    }
    return -1;
}

// Ends the bookkeeping of one redraw: this redraw's order of use becomes the order the next
// redraw follows.
void EndRedrawOrder(quint32 &redraw, qsizetype &mostUsed, qsizetype &usedThisRedraw, std::vector<int> &previous,
                    std::vector<int> &current, qsizetype &offset)
{
    ++redraw;
    mostUsed = std::max(mostUsed, usedThisRedraw);
    usedThisRedraw = 0;
    previous.swap(current);
    current.clear();
    offset = 0;
}

} // namespace

namespace {

// Entries are forgotten, those not used by the last two redraws first, once a cache holds
// more than this or three times what one redraw ever used.
constexpr qsizetype kMinLimit = 32768;

qsizetype Limit(qsizetype mostUsed)
{
    return std::max(kMinLimit, 3 * mostUsed);
}

// Texts made only of these characters are laid out exactly as QPainter::drawText lays them
// out: printable Latin, no control, combining, soft hyphen or right-to-left character.
bool PlainLatin(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 || u > 0x7E) && (u < 0xA0 || u > 0x17F || u == 0xAD))
            return false;
    }
    return true;
}

// Equal texts; the same shared text (a name taken again from the sector's tables) is known
// equal without reading its characters.
inline bool SameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

// Drops the entries not used by the last two redraws, renumbering the others in the
// index and in the last redraw's order.
template <typename Entry, typename Index>
void Forget(std::vector<Entry> &entries, Index &index, std::vector<int> &previous, quint32 redraw,
            const std::function<typename Index::key_type(const Entry &)> &keyOf)
{
    std::vector<int> renumbered(entries.size(), -1);
    std::vector<Entry> kept;
    index.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].used + 1 < redraw)
            continue;
        renumbered[i] = int(kept.size());
        index.insert(keyOf(entries[i]), int(kept.size()));
        kept.push_back(std::move(entries[i]));
    }
    entries.swap(kept);
    for (int &e : previous)
        if (e >= 0)
            e = renumbered[size_t(e)];
}

} // namespace

// ---- Texts --------------------------------------------------------------------------------

void TextCache::begin(const QPainter &painter, QImage *direct, QPoint shift)
{
    direct_ = direct;
    shift_ = shift;
    const QPaintDevice *device = painter.device();
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    if (painter.font() != font_ || dpiX != dpiX_ || dpiY != dpiY_) {
        entries_.clear();
        index_.clear();
        byData_.clear();
        slots_.clear();
        previous_.clear();
        current_.clear();
        offset_ = 0;
        glyphs_.clear();
        font_ = painter.font();
        dpiX_ = dpiX;
        dpiY_ = dpiY;
    }
}

TextCache::Entry &TextCache::find(const QPainter &painter, const QString &text, TextSlot slot)
{
    const qsizetype position = qsizetype(current_.size());
    // A text of the sector's tables is the same shared text redraw after redraw, whatever
    // order the tiles ask for it in: found at its place when the caller tells it, otherwise
    // by its characters' address. The entry holds the text, so while the address is found
    // it cannot have been given to other characters.
    int found = -1;
    int *slotted = nullptr;
    if (slot.table >= 0 && slot.row >= 0) {
        if (size_t(slot.table) >= slots_.size())
            slots_.resize(size_t(slot.table) + 1);
        std::vector<int> &rows = slots_[size_t(slot.table)];
        if (size_t(slot.row) >= rows.size())
            rows.resize(size_t(slot.row) + 1, -1);
        slotted = &rows[size_t(slot.row)];
        if (*slotted >= 0 && size_t(*slotted) < entries_.size()) {
            const QString &kept = entries_[size_t(*slotted)].text;
            if (kept.constData() == text.constData() && kept.size() == text.size())
                found = *slotted;
        }
    }
    if (found < 0)
        if (const auto it = byData_.constFind(text.constData()); it != byData_.constEnd()) {
            const QString &kept = entries_[size_t(*it)].text;
            if (kept.constData() == text.constData() && kept.size() == text.size())
                found = *it;
        }
    if (found < 0)
        found = FollowOrder(previous_, position, offset_,
                            [&](int candidate) { return SameText(entries_[size_t(candidate)].text, text); });
    if (found < 0) {
        const auto it = index_.constFind(text);
        if (it != index_.constEnd()) {
            found = *it;
            // The order changed (a text more or less before this one): follow it.
            if (entries_[size_t(found)].position >= 0)
                offset_ = entries_[size_t(found)].position - position;
        } else {
            Entry entry;
            entry.text = text;
            entry.plainLatin = PlainLatin(text);
            // Laid out for the painter's device, as drawText resolves the font for it.
            QTextLayout layout(text, painter.font(), painter.device());
            layout.beginLayout();
            const QTextLine line = layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            if (line.isValid() && runs.size() == 1) {
                entry.run = runs.first();
                entry.laidOut = !entry.run.isEmpty();
                entry.lineAscent = line.ascent();
            }
            found = int(entries_.size());
            entries_.push_back(std::move(entry));
            index_.insert(text, found);
            byData_.insert(entries_.back().text.constData(), found);
        }
    }
    if (slotted)
        *slotted = found;
    current_.push_back(found);
    Entry &entry = entries_[size_t(found)];
    entry.position = position;
    if (entry.used != redraw_ + 1) {
        entry.used = redraw_ + 1;
        ++usedThisRedraw_;
    }
    return entry;
}

void TextCache::draw(QPainter &painter, int x, int baseline, const QString &text, const QColor &colour,
                     TextSlot slot)
{
    if (text.isEmpty())
        return;
    Entry *entry = &find(painter, text, slot);
    if (!entry->plainLatin)
        entry = nullptr;
    if (entry && entry->laidOut && drawStamped(painter, *entry, x, baseline, colour))
        return;
    // Text is drawn with the pen's colour alone: a pen of that colour already set (for the
    // outline drawn just before, say) is kept as it is.
    const QPen &current = painter.pen();
    const bool keep = current.style() == Qt::SolidLine && current.brush().style() == Qt::SolidPattern
                      && current.color() == colour;
    std::optional<QPen> before;
    if (!keep) {
        before = current;
        painter.setPen(colour);
    }
    if (entry && entry->laidOut)
        painter.drawGlyphRun(QPointF(x, baseline - entry->lineAscent), entry->run);
    else
        painter.drawText(QPoint(x, baseline), text);
    if (before)
        painter.setPen(*before);
}

bool TextCache::drawStamped(QPainter &painter, Entry &entry, int x, int baseline, const QColor &colour)
{
    QImage *picture = direct_;
    const quint32 pixel = picture ? OpaquePixel(colour) : 0;
    if (!pixel)
        return false;
    // Stamps are made for one set of hints: a painter with others draws for itself.
    if (entry.stamped == 0 || (entry.stamped > 0 && painter.renderHints() != stampHints_)) {
        if (painter.renderHints() != stampHints_) {
            for (Entry &e : entries_) {
                e.stamped = 0;
                e.stamps = StampedText();
            }
            stampHints_ = painter.renderHints();
        }
        entry.stamped = glyphs_.make(entry.run, -entry.lineAscent, stampHints_, entry.stamps) ? 1 : -1;
    }
    if (entry.stamped < 0)
        return false;
    glyphs_.draw(*picture, entry.stamps, x + shift_.x(), baseline + shift_.y(), pixel);
    return true;
}

int TextCache::boundingWidth(const QPainter &painter, const QString &text, TextSlot slot)
{
    Entry &entry = find(painter, text, slot);
    if (entry.boundingWidth < 0)
        entry.boundingWidth = QFontMetrics(painter.font()).boundingRect(text).width();
    return entry.boundingWidth;
}

void TextCache::end()
{
    EndRedrawOrder(redraw_, mostUsed_, usedThisRedraw_, previous_, current_, offset_);
    if (qsizetype(entries_.size()) > Limit(mostUsed_)) {
        Forget<Entry>(entries_, index_, previous_, redraw_, [](const Entry &e) { return e.text; });
        byData_.clear();
        slots_.clear();
        for (size_t i = 0; i < entries_.size(); ++i)
            byData_.insert(entries_[i].text.constData(), int(i));
    }
}

// ---- Outlines -----------------------------------------------------------------------------

namespace {

// Outlines larger than this (wider than an alert ring at any usual scale) are drawn by the
// painter every time.
constexpr qreal kMaxOutline = 256;

} // namespace

bool OutlineCache::Key::operator==(const Key &other) const
{
    return kind == other.kind && count == other.count && relative == other.relative && style == other.style
           && cap == other.cap
           && join == other.join && cosmetic == other.cosmetic && width == other.width
           && miterLimit == other.miterLimit && std::memcmp(values, other.values, sizeof values) == 0;
}

namespace {

quint64 Mix(quint64 h, quint64 v)
{
    h ^= v;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

quint64 Bits(qreal v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

} // namespace

quint64 OutlineCache::Key::fingerprint() const
{
    quint64 h = Mix(0x2545F4914F6CDD1Dull, quint64(kind) | quint64(count) << 8 | quint64(style) << 16
                                               | quint64(cap) << 24 | quint64(join) << 32 | quint64(cosmetic) << 40
                                               | quint64(relative) << 48);
    h = Mix(h, Bits(width));
    h = Mix(h, Bits(miterLimit));
    const int used = kind == 1 ? 4 : 2 * count;
    for (int i = 0; i < used; ++i)
        h = Mix(h, Bits(values[i]));
    return h;
}

void OutlineCache::begin(QImage &picture, bool direct, QPoint shift, QSize whole)
{
    direct_ = direct;
    shift_ = shift;
    if (whole.isEmpty())
        whole = picture.size();
    if (whole != size_ || picture.format() != format_) {
        entries_.clear();
        index_.clear();
        previous_.clear();
        current_.clear();
        scratchPainter_.reset();
        scratch_ = QImage();
        size_ = whole;
        format_ = picture.format();
    }
    picture_ = &picture;
}

quint32 OutlineCache::directColour(const QPainter &painter, Key &key)
{
    if (!picture_ || !direct_ || painter.brush().style() != Qt::NoBrush)
        return 0;
    // The pen is worked out once while it stays the same (the same pen object is seen again
    // and again: a trail is twenty outlines).
    const QPen &pen = painter.pen();
    if (!(pen == pen_) || pen.dashOffset() != pen_.dashOffset()) { // == skips the offset of set styles
        pen_ = pen;
        penKey_.style = quint8(pen.style());
        penKey_.cap = quint8(pen.capStyle() >> 4);
        penKey_.join = quint8(pen.joinStyle() >> 6);
        penKey_.cosmetic = pen.isCosmetic() ? 1 : 0;
        penKey_.width = pen.widthF();
        penKey_.miterLimit = pen.miterLimit();
        penColour_ = 0;
        const QBrush brush = pen.brush();
        if (pen.style() != Qt::NoPen && pen.style() != Qt::CustomDashLine && pen.dashOffset() == 0
            && brush.style() == Qt::SolidPattern && brush.color().alpha() == 255)
            penColour_ = 0xFF000000u | (brush.color().rgb() & 0xFFFFFFu);
    }
    key.style = penKey_.style;
    key.cap = penKey_.cap;
    key.join = penKey_.join;
    key.cosmetic = penKey_.cosmetic;
    key.width = penKey_.width;
    key.miterLimit = penKey_.miterLimit;
    return penColour_;
}

bool OutlineCache::prepareScratch(const QPainter &painter)
{
    if (scratch_.isNull()) {
        scratch_ = QImage(size_, format_);
        if (scratch_.isNull())
            return false;
        scratch_.fill(0u);
        blank_ = reinterpret_cast<const quint32 *>(scratch_.constScanLine(0))[0];
    }
    if (!scratchPainter_) {
        scratchPainter_ = std::make_unique<QPainter>(&scratch_);
        scratchPainter_->setRenderHint(QPainter::Antialiasing, false);
    }
    QPen pen = painter.pen();
    pen.setColor(Qt::white);
    scratchPainter_->setPen(pen);
    scratchPainter_->setBrush(Qt::NoBrush);
    return true;
}

bool OutlineCache::capture(const QPainter &painter, const Key &key, QPoint anchor, QRect window, Entry &entry)
{
    entry.pixels.clear();
    if (!prepareScratch(painter))
        return false;
    if (!take(key, anchor, window, entry.pixels))
        return false;
    if (!key.relative)
        return true;
    // An outline kept for every place is drawn once more far from here (other coordinates,
    // other rounding of their sums): the same pixels, or it is left to the painter.
    const QPoint room(size_.width() - window.width(), size_.height() - window.height());
    const QPoint elsewhere((anchor.x() + size_.width() / 2) % std::max(1, room.x()),
                           (anchor.y() + size_.height() / 2) % std::max(1, room.y()));
    QVarLengthArray<quint32, 16> again;
    if (!take(key, elsewhere, window.translated(elsewhere - anchor), again) || again != entry.pixels) {
        entry.pixels.clear();
        return false;
    }
    return true;
}

bool OutlineCache::take(const Key &key, QPoint anchor, QRect window, QVarLengthArray<quint32, 16> &pixels)
{
    pixels.clear();
    const QRect inside = window & QRect(QPoint(0, 0), size_);
    if (inside.isEmpty())
        return false;
    const qreal ax = anchor.x(), ay = anchor.y();
    if (key.kind == 1) {
        scratchPainter_->drawEllipse(QPointF(key.values[0] + ax, key.values[1] + ay), key.values[2], key.values[3]);
    } else {
        QPointF points[kMaxPoints];
        for (int i = 0; i < key.count; ++i)
            points[i] = QPointF(key.values[2 * i] + ax, key.values[2 * i + 1] + ay);
        scratchPainter_->drawPolyline(points, key.count);
    }
    // Take the pixels set and put the scratch picture back to blank. A pixel on the edge of
    // the window means the outline may reach beyond it: not kept.
    bool onEdge = false;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        quint32 *line = reinterpret_cast<quint32 *>(scratch_.scanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (line[x] == blank_)
                continue;
            line[x] = blank_;
            pixels.append((quint32(x - anchor.x()) << 16) | quint32(y - anchor.y()));
            if (x == window.left() || x == window.right() || y == window.top() || y == window.bottom())
                onEdge = true;
        }
    }
    if (onEdge) {
        scratch_.fill(0u);
        pixels.clear();
        return false;
    }
    return true;
}

void OutlineCache::write(const QVarLengthArray<quint32, 16> &pixels, quint32 colour, QPoint anchor, bool within)
{
    const QPoint at = anchor + shift_;
    const qsizetype stride = picture_->bytesPerLine();
    uchar *bits = picture_->bits();
    if (within) {
        bits += qsizetype(at.y()) * stride + at.x() * 4;
        for (quint32 packed : pixels)
            reinterpret_cast<quint32 *>(bits + qsizetype(packed & 0xFFFF) * stride)[packed >> 16] = colour;
        return;
    }
    const int width = picture_->width(), height = picture_->height();
    for (quint32 packed : pixels) {
        const int x = at.x() + int(packed >> 16), y = at.y() + int(packed & 0xFFFF);
        if (unsigned(x) < unsigned(width) && unsigned(y) < unsigned(height))
            reinterpret_cast<quint32 *>(bits + qsizetype(y) * stride)[x] = colour;
    }
}

void OutlineCache::drawAcross(const QPainter &painter, const Key &key, QPoint anchor, QRect window, quint32 colour)
{
    QVarLengthArray<quint32, 16> pixels;
    if (!prepareScratch(painter) || !take(key, anchor, window, pixels))
        return;
    write(pixels, colour, anchor, false);
}

template <typename DrawFn>
void OutlineCache::draw(QPainter &painter, Key &key, QRectF bounds, DrawFn &&draw)
{
    const quint32 colour = directColour(painter, key);
    // Only outlines on or near the whole picture; anything else (NaN included) is left to
    // the painter.
    const bool near = bounds.left() >= -kMaxOutline && bounds.top() >= -kMaxOutline
                      && bounds.right() <= size_.width() + kMaxOutline
                      && bounds.bottom() <= size_.height() + kMaxOutline;
    if (!colour || !near || !(key.width <= 16) || size_.width() > 0xFFFF || size_.height() > 0xFFFF) {
        draw();
        return;
    }
    // The window searched for the outline's pixels: its bounds and a margin for the pen.
    const int margin = int(std::ceil(key.width)) + 3;
    const QRect window(QPoint(int(std::floor(bounds.left())) - margin, int(std::floor(bounds.top())) - margin),
                       QPoint(int(std::ceil(bounds.right())) + margin, int(std::ceil(bounds.bottom())) + margin));
    // The picture may hold only part of the whole (its other rows drawn on another picture):
    // an outline that does not reach it draws nothing here, and one that reaches beyond it
    // into the whole is drawn as the painter draws it on the whole, then cut (the painter
    // would cut it at this picture's edge, and start its dots there).
    const QRect whole(QPoint(0, 0), size_);
    const QRect held = QRect(-shift_, picture_->size()) & whole;
    if (!window.intersects(held))
        return;
    const bool across = !held.contains(window & whole);
    QPoint anchor(0, 0);
    const auto drawHere = [&] {
        if (across)
            drawAcross(painter, key, anchor, window, colour);
        else
            draw();
    };
    if (!(bounds.width() <= kMaxOutline && bounds.height() <= kMaxOutline)) {
        drawHere();
        return;
    }
    // Outlines placed on whole pixels, wholly inside the picture, are kept by their shape:
    // their points (or centre) are taken from the window's corner.
    if (whole.contains(window)) {
        const int placed = key.kind == 1 ? 2 : 2 * key.count;
        bool wholePixels = true;
        for (int i = 0; i < placed; ++i)
            wholePixels = wholePixels && key.values[i] == std::floor(key.values[i]);
        if (wholePixels) {
            anchor = window.topLeft();
            key.relative = 1;
            for (int i = 0; i < placed; i += 2) {
                key.values[i] -= anchor.x();
                key.values[i + 1] -= anchor.y();
            }
        }
    }
    // Pixels kept for one place are those of the whole picture only there.
    if (across && !key.relative) {
        drawHere();
        return;
    }
    const quint64 fingerprint = key.fingerprint();
    const qsizetype position = qsizetype(current_.size());
    int found = FollowOrder(previous_, position, offset_, [&](int candidate) {
        const Entry &e = entries_[size_t(candidate)];
        return e.fingerprint == fingerprint && e.key == key;
    });
    if (found < 0) {
        const auto it = index_.constFind(fingerprint);
        if (it == index_.constEnd()) {
            found = int(entries_.size());
            Entry fresh;
            fresh.key = key;
            fresh.fingerprint = fingerprint;
            entries_.push_back(std::move(fresh));
            index_.insert(fingerprint, found);
        } else if (entries_[size_t(*it)].key == key) {
            found = *it;
            // The order changed (an outline more or less before this one): follow it.
            const qsizetype before = entries_[size_t(found)].position;
            if (before >= 0)
                offset_ = before - position;
        }
    }
    if (found >= 0)
        entries_[size_t(found)].position = position;
    current_.push_back(found);
    if (found < 0) {
        drawHere();
        return;
    }
    Entry &entry = entries_[size_t(found)];
    if (entry.used != redraw_ + 1) {
        entry.used = redraw_ + 1;
        ++usedThisRedraw_;
    }
    // An outline seen for the first time is only noted: most outlines drawn once (a target
    // that moved) are not drawn again, and taking pixels costs more than drawing them.
    if (entry.state == Entry::Seen) {
        entry.state = capture(painter, key, anchor, window, entry) ? Entry::Captured : Entry::Painter;
    } else if (entry.state == Entry::New) {
        entry.state = Entry::Seen;
    }
    if (entry.state == Entry::Captured)
        write(entry.pixels, colour, anchor, !across);
    else
        drawHere();
}

void OutlineCache::ellipse(QPainter &painter, QPointF centre, qreal rx, qreal ry)
{
    Key key;
    key.kind = 1;
    key.values[0] = centre.x();
    key.values[1] = centre.y();
    key.values[2] = rx;
    key.values[3] = ry;
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    draw(painter, key, bounds, [&] { painter.drawEllipse(centre, rx, ry); });
}

void OutlineCache::polyline(QPainter &painter, const QPointF *points, int count)
{
    if (count < 2 || count > kMaxPoints) {
        painter.drawPolyline(points, count);
        return;
    }
    Key key;
    key.kind = 2;
    key.count = quint8(count);
    qreal left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (int i = 0; i < count; ++i) {
        key.values[2 * i] = points[i].x();
        key.values[2 * i + 1] = points[i].y();
        left = std::min(left, points[i].x());
        right = std::max(right, points[i].x());
        top = std::min(top, points[i].y());
        bottom = std::max(bottom, points[i].y());
    }
    draw(painter, key, QRectF(QPointF(left, top), QPointF(right, bottom)),
         [&] { painter.drawPolyline(points, count); });
}

void OutlineCache::end()
{
    EndRedrawOrder(redraw_, mostUsed_, usedThisRedraw_, previous_, current_, offset_);
    picture_ = nullptr;
    if (qsizetype(entries_.size()) > Limit(mostUsed_))
        Forget<Entry>(entries_, index_, previous_, redraw_, [](const Entry &e) { return e.fingerprint; });
}

} // namespace zaz
