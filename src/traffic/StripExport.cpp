#include "traffic/StripExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace zaz {

namespace {

constexpr int kFirstRouteRow = 2;
constexpr int kRouteCellsPerRow = 8;
// Row heights in points: the rows written by hand get more room.
constexpr double kValueRowHeight = 18;
constexpr double kHandRowHeight = 26;

QString ClockText(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QStringLiteral("00:00");
}

// The formats of a strip: thin cell borders, a bold callsign, small labels to write after.
struct StripFormats {
    lxw_format *value;
    lxw_format *callsign;
    lxw_format *label;
};

StripFormats AddFormats(lxw_workbook *book)
{
    StripFormats f{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    for (lxw_format *format : {f.value, f.callsign, f.label}) {
        format_set_border(format, LXW_BORDER_THIN);
        format_set_font_name(format, "Arial");
        format_set_font_size(format, 10);
        format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    }
    format_set_bold(f.callsign);
    format_set_font_size(f.callsign, 13);
    format_set_font_size(f.label, 8);
    format_set_italic(f.label);
    format_set_font_color(f.label, 0x404040);
    return f;
}

void SetUpPage(lxw_worksheet *sheet, int lastRow)
{
    worksheet_set_column(sheet, 0, 0, 15, nullptr);
    worksheet_set_column(sheet, 1, kStripBlockColumns - 1, 13, nullptr);
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9); // A4
    worksheet_set_margins(sheet, 0.4, 0.4, 0.5, 0.5);
    worksheet_center_horizontally(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    if (lastRow >= 0)
        worksheet_print_area(sheet, 0, 0, lxw_row_t(lastRow), kStripBlockColumns - 1);
}

void WriteBlock(lxw_worksheet *sheet, const StripFormats &f, int firstRow, const StripBlock &block)
{
    for (int r = 0; r < kStripBlockRows; ++r) {
        const auto row = lxw_row_t(firstRow + r);
        const bool handRow = r == 1 || r == kStripBlockRows - 1;
        worksheet_set_row(sheet, row, handRow ? kHandRowHeight : kValueRowHeight, nullptr);
        for (int c = 0; c < kStripBlockColumns; ++c) {
            const QString &text = block[r][c];
            lxw_format *format = f.value;
            if (r == 0 && c == 0)
                format = f.callsign;
            else if (handRow && text.endsWith(QLatin1Char(':')))
                format = f.label;
            if (text.isEmpty())
                worksheet_write_blank(sheet, row, lxw_col_t(c), format);
            else
                worksheet_write_string(sheet, row, lxw_col_t(c), text.toUtf8().constData(), format);
        }
    }
}

} // namespace

StripBlock StripBlockOf(const AVION &a)
{
    StripBlock block;
    for (QStringList &row : block)
        row = QStringList(kStripBlockColumns);
    block[0] = QStringList{a.callsign, a.acType, a.cruiseLevel, QStringLiteral("v:") + QString::number(a.tas),
                           QStringLiteral("dep:") + ClockText(a.etd), QStringLiteral("TV:") + ClockText(a.timeEnroute),
                           QStringLiteral("fuel: ") + ClockText(a.endurance), QString(), QString()};
    block[1] = QStringList{a.departure, QStringLiteral("CL:"), QString(), QStringLiteral("MR:"), QStringLiteral("TX:"),
                           QStringLiteral("TO:"), QString(), QString(), QString()};
    // Elements past the 17th are left out.
    for (int e = 0; e < std::min(int(a.routeFields.size()), kStripRouteCells); ++e) {
        const int row = kFirstRouteRow + (e < kRouteCellsPerRow ? 0 : 1);
        block[row][e < kRouteCellsPerRow ? e : e - kRouteCellsPerRow] = a.routeFields[e];
    }
    block[4] = QStringList{a.destination, QString(), QStringLiteral("Attente:"), QStringLiteral("ILS:"),
                           QStringLiteral("LDG:"), QStringLiteral("PKG:"), QString(), QString(), QString()};
    return block;
}

QString StripExportErrorText(const QString &reason)
{
    return QStringLiteral("Impossible d'écrire ") + kStripWorkbookName + QStringLiteral(" : ") + reason;
}

StripExportResult WriteStripWorkbook(const TrafficTable &table, const QList<int> &indexes, const QString &path)
{
    StripExportResult result;
    const QFileInfo target(path);
    QTemporaryFile temporary(target.dir().filePath(QStringLiteral(".strip-XXXXXX.xlsx")));
    if (!temporary.open()) {
        result.error = temporary.errorString();
        return result;
    }
    temporary.close();
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());

    lxw_workbook *book = workbook_new(temporaryName.constData());
    lxw_worksheet *sheet = book ? workbook_add_worksheet(book, "strips") : nullptr;
    if (!sheet) {
        if (book)
            workbook_close(book);
        result.error = QStringLiteral("classeur non créé");
        return result;
    }
    const StripFormats formats = AddFormats(book);
    int row = 0;
    for (int index : indexes) {
        if (!table.inUse(index) || !table[index].hasFlightPlan)
            continue;
        WriteBlock(sheet, formats, row, StripBlockOf(table[index]));
        row += kStripBlockRows + 1;
        ++result.blocks;
    }
    SetUpPage(sheet, row - 2);
    if (const lxw_error closed = workbook_close(book); closed != LXW_NO_ERROR) {
        result.error = QString::fromUtf8(lxw_strerror(closed));
        return result;
    }
    if (std::rename(temporaryName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        result.error = QString::fromLocal8Bit(std::strerror(errno));
    return result;
}

} // namespace zaz
