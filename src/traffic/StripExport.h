// Paper strips in a spreadsheet: a five-row block per aircraft with a flight plan, blocks
// one empty row apart, laid out to be printed on A4 landscape.
#pragma once

#include "traffic/TrafficTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zaz {

inline constexpr int kStripBlockRows = 5;
inline constexpr int kStripBlockColumns = 9;
inline constexpr int kStripRouteCells = 17; // route elements 1-8 on row 3, 9-17 on row 4
inline const QString kStripWorkbookName = QStringLiteral("strip.xlsx");

// The texts of the block of an aircraft: 5 rows of 9 cells (empty cells included).
using StripBlock = std::array<QStringList, kStripBlockRows>;
StripBlock StripBlockOf(const AVION &aircraft);

struct StripExportResult {
    int blocks = 0;  // aircraft written
    QString error;   // empty when the workbook was written
};

// Writes the blocks of the listed aircraft that have a flight plan, in the list's order, to
// the workbook at path. The workbook is written to a temporary file beside it and then
// renamed over it, so a failed write leaves any previous workbook as it was.
StripExportResult WriteStripWorkbook(const TrafficTable &table, const QList<int> &indexes, const QString &path);

// The message shown when the workbook cannot be written.
QString StripExportErrorText(const QString &reason);

} // namespace zaz
