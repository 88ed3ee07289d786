#include "core/Codec.h"

namespace zaz {

namespace {

// Characters of bytes 0x80..0x9F. The five bytes the code page leaves undefined keep the
// C1 control of the same value so that decoding never loses a byte.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// Byte of a character outside Latin-1, or 0 when the code page has none.
char ByteOf(char16_t c)
{
    switch (c) {
    case 0x20AC: return char(0x80);
    case 0x201A: return char(0x82);
    case 0x0192: return char(0x83);
    case 0x201E: return char(0x84);
    case 0x2026: return char(0x85);
    case 0x2020: return char(0x86);
    case 0x2021: return char(0x87);
    case 0x02C6: return char(0x88);
    case 0x2030: return char(0x89);
    case 0x0160: return char(0x8A);
    case 0x2039: return char(0x8B);
    case 0x0152: return char(0x8C);
    case 0x017D: return char(0x8E);
    case 0x2018: return char(0x91);
    case 0x2019: return char(0x92);
    case 0x201C: return char(0x93);
    case 0x201D: return char(0x94);
    case 0x2022: return char(0x95);
    case 0x2013: return char(0x96);
    case 0x2014: return char(0x97);
    case 0x02DC: return char(0x98);
    case 0x2122: return char(0x99);
    case 0x0161: return char(0x9A);
    case 0x203A: return char(0x9B);
    case 0x0153: return char(0x9C);
    case 0x017E: return char(0x9E);
    case 0x0178: return char(0x9F);
    default: return 0;
    }
}

bool IsUndefinedByte(char16_t c)
{
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

} // namespace

QString DecodeCp1252(const char *data, qsizetype size)
{
    if (!data || size <= 0)
        return QString();
    QString out(size, Qt::Uninitialized);
    auto *dst = reinterpret_cast<char16_t *>(out.data());
    const auto *src = reinterpret_cast<const unsigned char *>(data);
    // Every byte but 0x80-0x9F is its own character: widen them all in one simple loop
    // the compiler vectorises, then mend the few bytes of that range when there are any.
    unsigned char high = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = src[i];
        dst[i] = b;
        high |= static_cast<unsigned char>(b - 0x80) < 0x20;
    }
    if (high) {
        for (qsizetype i = 0; i < size; ++i) {
            const unsigned char b = src[i];
            if (b >= 0x80 && b <= 0x9F)
                dst[i] = kHighControls[b - 0x80];
        }
    }
    return out;
}

QString DecodeCp1252(const QByteArray &bytes)
{
    return DecodeCp1252(bytes.constData(), bytes.size());
}

QByteArray EncodeCp1252(const QString &text)
{
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char *dst = out.data();
    qsizetype len = 0;
    const QChar *src = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || IsUndefinedByte(c)) {
            dst[len++] = char(c);
        } else if (const char b = ByteOf(c)) {
            dst[len++] = b;
        } else {
            // A character beyond the 16-bit range is one "?", not one per surrogate.
            if (QChar::isHighSurrogate(c) && i + 1 < n && src[i + 1].isLowSurrogate())
                ++i;
            dst[len++] = '?';
        }
    }
    out.truncate(len);
    return out;
}

} // namespace zaz
