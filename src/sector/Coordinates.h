// Coordinate texts of the sector file: "N045.30.15.250", "E005.04.00.000".
#pragma once

#include <QString>
#include <QStringView>

namespace zaz {

// Reads one latitude or longitude text: "," and blanks count as ".", the first piece is
// the hemisphere letter and up to three digits of degrees, then minutes, seconds and
// thousandths of a second. "S" and "W" are negative, any other letter positive. A piece
// that is not a number counts for its leading digits (none: 0); the thousandths piece for
// its first three. False, with value 0, when the text has fewer than four pieces or its
// value reaches 1000 degrees (minutes or seconds out of all measure).
bool ParseCoordinate(QStringView text, float &value);

// True when the text has at least four pieces after the same replacements, the first
// being N or S (latitude) / E or W (longitude) followed by one to three digits and the
// next three all digits. This is what tells a column-exact line from a free-form one.
bool IsWellFormedLatitude(QStringView text);
bool IsWellFormedLongitude(QStringView text);

// The text the sector writer gives for a value: letter, three-digit degrees, minutes,
// seconds and thousandths, every step truncated ("N045.30.00.000" for 45.5,
// "W000.30.00.000" for -0.5, "S000.00.00.000" for 0).
QString CoordinateText(float value, char positive, char negative);
inline QString LatitudeText(float latitude) { return CoordinateText(latitude, 'N', 'S'); }
inline QString LongitudeText(float longitude) { return CoordinateText(longitude, 'E', 'W'); }

} // namespace zaz
