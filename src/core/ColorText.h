// Colours as the settings and sector files write them.
//
// A colour value is laid out 0x00BBGGRR (blue in the high byte). As text it is either one
// of the named constants (clBlack, clRed, ..., compared without regard to case, plus the
// usual aliases) or a number, decimal or "$"-hexadecimal. Written back it is the constant's
// name when one has that value, otherwise "$" and eight hexadecimal digits.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace zaz {

using TColor = std::int32_t;

// Raises ConversionError ("'<s>' n'est pas une valeur entière correcte") when s is
// neither a known name nor a number.
TColor StringToColor(const QString &s);
bool TryStringToColor(const QString &s, TColor &color);
QString ColorToString(TColor color);

// A colour of the sector map (sector colour definitions, detail entries). Files written for
// other clients hold 32-bit values, and numbers too wide for 32 bits, whose low 24 bits are
// the colour: whatever the text gives is cut to them ("1982288720" is 0x275350, "-1" white).
// False when s is neither a name nor a number.
bool TryStringToMapColor(const QString &s, TColor &color);

// Drawing colour of a value (system colours and clNone give black).
QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);

} // namespace zaz
