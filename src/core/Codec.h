// Windows-1252, the code page of every external text: INI files, sector files,
// protocol bytes and METAR replies. Conversion happens at the boundary only.
#pragma once

#include <QByteArray>
#include <QString>

namespace zaz {

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so any byte
// sequence decodes and encodes back unchanged.
QString DecodeCp1252(const QByteArray &bytes);
QString DecodeCp1252(const char *data, qsizetype size);
// Characters with no Windows-1252 byte become "?".
QByteArray EncodeCp1252(const QString &text);

} // namespace zaz
