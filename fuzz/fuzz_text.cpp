// Feeds arbitrary bytes through the codec and the text helpers and checks that they keep
// their invariants: the codec is lossless, splitting and joining give the text back,
// column editing keeps the promised lengths, and conversions agree with each other.
#include "core/Codec.h"
#include "core/ColorText.h"
#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace zaz;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckSplit(const QString &separator, const QString &text)
{
    const t_tranches parts = SplitText(separator, text);
    Check(!parts.isEmpty());
    if (separator.isEmpty()) {
        Check(parts.size() == 1 && parts.first() == text);
        return;
    }
    Check(parts.join(separator) == text);
    for (const QString &part : parts)
        Check(!part.contains(separator));
}

void CheckInteger(const QString &s)
{
    int value = 0;
    const bool ok = TryStrToInt(s, value);
    bool threw = false;
    try {
        Check(StrToInt(s) == value);
    } catch (const ConversionError &) {
        threw = true;
    }
    Check(threw == !ok);
    Check(StrToIntDef(s, 0) == (ok ? value : 0));
    if (ok) {
        int again = 0;
        Check(TryStrToInt(IntToStr(value), again) && again == value);
    }
}

void CheckColor(const QString &s)
{
    TColor color = 0;
    if (!TryStringToColor(s, color))
        return;
    Check(StringToColor(s) == color);
    Check(StringToColor(ColorToString(color)) == color);
    const QColor drawn = ToQColor(color);
    if (color >= 0 && color <= 0xFFFFFF)
        Check(FromQColor(drawn) == color);
}

void CheckFloat(const QString &s, int decimals)
{
    bool ok = false;
    const double value = StrToFloatLenient(s, &ok);
    Check(!std::isnan(value));
    (void)RoundHalfEven(value);
    (void)RoundHalfEven64(value);
    (void)Trunc(value);
    const QString written = FormatFixed(value, decimals);
    if (std::isfinite(value)) {
        bool writtenOk = false;
        StrToFloatLenient(written, &writtenOk);
        Check(writtenOk);
        Check(decimals == 0 ? !written.contains(QLatin1Char('.'))
                            : written.size() > written.indexOf(QLatin1Char('.')) + decimals);
    }
}

void CheckColumns(const QString &text, int start, int count)
{
    const qsizetype len = text.size();
    const int from = std::max(start, 1);

    const QString piece = Copy(text, start, count);
    qsizetype expected = 0;
    if (count > 0 && from <= len)
        expected = std::min<qsizetype>(count, len - from + 1);
    Check(piece.size() == expected);
    Check(piece == text.mid(from - 1, expected));

    const QString written = ReplaceColumns(text, start, piece);
    Check(written.size() == std::max<qsizetype>(len, from - 1 + piece.size()));
    Check(Copy(written, from, int(piece.size())) == piece);
    Check(written.left(std::min<qsizetype>(len, from - 1)) == text.left(from - 1));

    if (from <= len + 1) {
        const QString inserted = InsertText(text, piece, start);
        Check(inserted.size() == len + piece.size());
        Check(piece.isEmpty() || DeleteChars(inserted, from, int(piece.size())) == text);
    }
    Check(DeleteChars(text, start, count).size() == len - ((start >= 1 && start <= len && count > 0)
                                                               ? std::min<qsizetype>(count, len - start + 1)
                                                               : 0));
    const int position = PosFrom(piece, text, start);
    Check(piece.isEmpty() ? position == 0 : position == from);
    Check(FitWidth(text, count).size() == std::max(count, 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Protocol lines and settings values are short; larger inputs add nothing.
    if (size > 65536)
        return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    const QString text = DecodeCp1252(bytes);
    Check(text.size() == qsizetype(size));
    Check(EncodeCp1252(text) == bytes);

    auto byteAt = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t(0); };
    // Positions span a little beyond the text in both directions, negatives included.
    const int start = int(std::int8_t(byteAt(0)));
    const int count = int(std::int8_t(byteAt(1)));
    CheckColumns(text, start, count);

    CheckSplit(QStringLiteral(":"), text);
    CheckSplit(QStringLiteral(" "), text);
    CheckSplit(Copy(text, byteAt(2) % 16 + 1, byteAt(3) % 4), text);

    const QString trimmed = TrimText(text);
    Check(trimmed.isEmpty() || (trimmed.front().unicode() > 0x20 && trimmed.back().unicode() > 0x20));

    CheckInteger(text);
    CheckColor(text);
    CheckFloat(text, byteAt(4) % 12);
    // Every field of a protocol line goes through the strict conversion.
    const t_tranches fields = SplitText(QStringLiteral(":"), text);
    for (qsizetype i = 0; i < fields.size() && i < 32; ++i) {
        CheckInteger(fields[i]);
        CheckColor(fields[i]);
        CheckFloat(fields[i], int(i % 6));
    }
    return 0;
}
