#include "ui/MessageGrid.h"

#include "core/IniFile.h"
#include "traffic/StripCatalogs.h"

#include <QHeaderView>
#include <QTableWidget>

namespace zaz {

QTableWidget *NewMessageGrid(QWidget *parent)
{
    auto *grid = new QTableWidget(0, 1, parent);
    grid->setObjectName(QStringLiteral("StringGrid1"));
    grid->setAccessibleName(QStringLiteral("messages"));
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

void FillMessageGrid(QTableWidget *grid, const IniFile &com, const QString &section)
{
    const QList<StripMessage> messages = StepMessages(com, section);
    grid->clearContents();
    grid->setRowCount(int(messages.size()));
    for (int row = 0; row < messages.size(); ++row)
        grid->setItem(row, 0, new QTableWidgetItem(messages[row].name));
}

} // namespace zaz
