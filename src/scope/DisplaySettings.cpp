#include "scope/DisplaySettings.h"

namespace zaz {

namespace {

QFont FontOf(const QString &name, int points)
{
    QFont font(name);
    font.setPointSize(points > 0 ? points : DisplaySettings().screenFontSize);
    return font;
}

} // namespace

QFont ScreenFont(const DisplaySettings &display)
{
    return FontOf(display.screenFontName, display.screenFontSize);
}

QFont ListFont(const DisplaySettings &display)
{
    return FontOf(display.listFontName, display.listFontSize);
}

const std::array<t_couleur, kColourCount> &DefaultColourTable()
{
    // Dim map layers on a dark background, bright targets; the same as the delivered
    // ZAZ.ini. Values are 0x00BBGGRR.
    static const std::array<t_couleur, kColourCount> table = {{
        {QStringLiteral("FOND"), 0x00201A10, 1},
        {QStringLiteral("VOR"), 0x00AA965A, 1},
        {QStringLiteral("NDB"), 0x005082AA, 1},
        {QStringLiteral("FIXES"), 0x00788C6E, 1},
        {QStringLiteral("AEROPORTS"), 0x00BEB4B4, 1},
        {QStringLiteral("PISTES"), 0x00C0C0C0, 1},
        {QStringLiteral("SID"), 0x005A8C46, 1},
        {QStringLiteral("STAR"), 0x00466496, 1},
        {QStringLiteral("LOW AWY"), 0x00785A46, 1},
        {QStringLiteral("HIGH AWY"), 0x0082505A, 1},
        {QStringLiteral("ARTCC"), 0x00787878, 1},
        {QStringLiteral("ARTCC LOW"), 0x008C643C, 1},
        {QStringLiteral("ARTCC HIGH"), 0x006E466E, 1},
        {QStringLiteral("GEO"), 0x00505050, 1},
        {QStringLiteral("CERCLES"), 0x00554637, 1},
        {QStringLiteral("AVION"), 0x0000FF00, 1},
        {QStringLiteral("AVION STRIP"), 0x00FFFF00, 1},
        {QStringLiteral("SELECTION"), 0x0000FFFF, 1},
        {QStringLiteral("ALERTE"), 0x000000FF, 1},
        {QStringLiteral("COMMANDE"), 0x000080FF, 1},
        {QStringLiteral("METEO"), 0x00F0CAA6, 1},
    }};
    return table;
}

} // namespace zaz
