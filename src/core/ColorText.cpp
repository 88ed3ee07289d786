#include "core/ColorText.h"

#include "core/Text.h"

#include <cstdint>

namespace zaz {

namespace {

struct NamedColor {
    const char *name;
    TColor value;
};

// Written names: the first entry with a value gives that value's name.
constexpr NamedColor kNames[] = {
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},      {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},   {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
};

// Names accepted when reading but never written.
constexpr NamedColor kAliases[] = {
    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},
};

// Names compare without regard to ASCII case only, so that no exotic character folds
// onto a letter of a name.
bool SameName(const QString &s, const char *name)
{
    qsizetype i = 0;
    for (; name[i] != '\0'; ++i) {
        if (i >= s.size())
            return false;
        char16_t a = s.at(i).unicode();
        char16_t b = char16_t(name[i]);
        if (a >= u'A' && a <= u'Z')
            a = char16_t(a + 32);
        if (b >= u'A' && b <= u'Z')
            b = char16_t(b + 32);
        if (a != b)
            return false;
    }
    return i == s.size();
}

bool ColorFromName(const QString &s, TColor &color)
{
    // Every name starts with "cl" and is at most 12 characters long.
    if (s.size() < 3 || s.size() > 12)
        return false;
    for (const NamedColor &entry : kNames) {
        if (SameName(s, entry.name)) {
            color = entry.value;
            return true;
        }
    }
    for (const NamedColor &entry : kAliases) {
        if (SameName(s, entry.name)) {
            color = entry.value;
            return true;
        }
    }
    return false;
}

} // namespace

bool TryStringToColor(const QString &s, TColor &color)
{
    if (ColorFromName(s, color))
        return true;
    int value = 0;
    if (!TryStrToInt(s, value))
        return false;
    color = value;
    return true;
}

TColor StringToColor(const QString &s)
{
    TColor color = 0;
    if (ColorFromName(s, color))
        return color;
    return StrToInt(s);
}

bool TryStringToMapColor(const QString &s, TColor &color)
{
    if (TryStringToColor(s, color)) {
        color &= 0xFFFFFF;
        return true;
    }
    const QStringView t = QStringView(s).trimmed();
    bool ok = false;
    const qulonglong wide = t.startsWith(QLatin1Char('$')) ? t.mid(1).toULongLong(&ok, 16)
                                                            : qulonglong(t.toLongLong(&ok, 10));
    if (!ok)
        return false;
    color = TColor(wide & 0xFFFFFF);
    return true;
}

QString ColorToString(TColor color)
{
    for (const NamedColor &entry : kNames) {
        if (entry.value == color)
            return QLatin1String(entry.name);
    }
    return QLatin1Char('$')
           + QString::number(std::uint32_t(color), 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

QColor ToQColor(TColor color)
{
    if (color < 0 || color > 0xFFFFFF)
        return QColor(0, 0, 0);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

} // namespace zaz
