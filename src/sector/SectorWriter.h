// Writes the sector held in memory as a sector file the reader reads back by columns:
// the info lines, the colour definitions, navaids, selected fixes, airports, runways,
// selected procedures and airways, boundaries and GEO lines.
#pragma once

#include "sector/SectorRecords.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zaz {

// Called with the running count of lines after each element.
using WriterProgress = std::function<void(int lines)>;

// Appends the lines of the sector to lines. sourceName is the file the sector was read
// from, named in the heading comment.
void WriteSector(const SectorTables &tables, const SectorIdentity &identity,
                 const QString &sourceName, QStringList &lines, const WriterProgress &progress = {});

// Saves lines to path, CR LF separated, Windows-1252, atomically (the old file, if any,
// stays whole when the write fails). On failure returns false and sets error to a French
// text naming the file and the reason.
bool SaveLines(const QString &path, const QStringList &lines, QString &error);

} // namespace zaz
