#include "ui/TForm7.h"

#include "core/ColorText.h"
#include "core/Prompts.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "sim/SimSession.h"
#include "traffic/StripExport.h"
#include "ui/ScopeKeys.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zaz {

namespace {

constexpr int kSelectedColumn = 2;

// A group of radio buttons side by side, the first one checked.
QButtonGroup *AddRadioGroup(QWidget *parent, QBoxLayout *row, const QString &name, const QString &title,
                            const QStringList &items)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto *layout = new QHBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int k = 0; k < items.size(); ++k) {
        auto *button = new QRadioButton(items[k], box);
        button->setAccessibleName(title + QLatin1Char(' ') + items[k]);
        group->addButton(button, k);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    row->addWidget(box);
    return group;
}

// Width of a column in 68ths of the grid's width.
double ColumnUnits(int column)
{
    switch (column) {
    case 0: case 2: return 0.7;
    case 1: return 5;
    case 3: case 4: case 5: case 7: case 9: case 11: return 2;
    case 6: return 1.6;
    case 13: return 10;
    case 16: return 20;
    default: return 3;
    }
}

int MarkColour(FlightMark mark)
{
    switch (mark) {
    case FlightMark::Alert: return kColAlert;
    case FlightMark::Strip: return kColTargetStrip;
    case FlightMark::Plain: break;
    }
    return kColTarget;
}

} // namespace

TForm7::TForm7(RadarState &state, const AppServices &services, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), state_(state), services_(services)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("vols"));

    grid_ = new QTableWidget(0, kFlightListColumns, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setAccessibleName(QStringLiteral("vols"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    filter_ = AddRadioGroup(this, controls, QStringLiteral("RadioGroup1"), QStringLiteral("afficher"),
                            {QStringLiteral("tous"), QStringLiteral("départs"), QStringLiteral("arrivées"),
                             QStringLiteral("controlés"), QStringLiteral("alertes")});
    sort_ = AddRadioGroup(this, controls, QStringLiteral("RadioGroup2"), QStringLiteral("trier"),
                          {QStringLiteral("par callsign"), QStringLiteral("par distance"),
                           QStringLiteral("par niveau de vol")});
    printed_ = AddRadioGroup(this, controls, QStringLiteral("RadioGroup3"), QStringLiteral("strips"),
                             {QStringLiteral("tous"), QStringLiteral("un")});
    print_ = new QPushButton(QStringLiteral("Imprimer STRIPS"), this);
    print_->setObjectName(QStringLiteral("Button1"));
    controls->addWidget(print_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The remembered size wins over the room the controls would like.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(grid_, 1);
    layout->addLayout(controls);
    for (QObject *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    connect(filter_, &QButtonGroup::idClicked, this, &TForm7::refresh);
    connect(sort_, &QButtonGroup::idClicked, this, &TForm7::refresh);
    connect(print_, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(grid_, &QTableWidget::cellPressed, this, &TForm7::cellPressed);
    StateNotifier *notifier = &state_.notifier;
    for (auto signal : {&StateNotifier::trafficChanged, &StateNotifier::stripsChanged,
                        &StateNotifier::selectionChanged, &StateNotifier::settingsChanged,
                        &StateNotifier::weatherChanged, &StateNotifier::sectorLoaded})
        connect(notifier, signal, this, [this] {
            if (isVisible())
                refresh();
        });
}

void TForm7::avions1Click()
{
    const DisplaySettings &display = state_.settings.display;
    grid_->setFont(ListFont(display));
    const int height = RoundHalfEven(display.listFontSize * logicalDpiY() / 72.0) + 4;
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(height);
    grid_->setRowCount(0);
    show();
    raise();
    refresh();
}

FlightListPlace TForm7::place() const
{
    return {state_.sector.identity.airport.trimmed(), state_.link.OwnLat, state_.link.OwnLon,
            state_.weather.transitionAltitude};
}

void TForm7::refresh()
{
    const FlightListPlace here = place();
    filter_->button(1)->setText(here.ownAirport + QStringLiteral(" départs"));
    filter_->button(2)->setText(here.ownAirport + QStringLiteral(" arrivées"));

    const TrafficState &traffic = state_.traffic;
    rows_ = FlightListRows(traffic, FlightFilter(filter_->checkedId()), FlightSort(sort_->checkedId()), here);
    grid_->clearContents();
    grid_->setRowCount(int(rows_.size()));
    const auto &colours = state_.settings.display.colours;
    for (int row = 0; row < rows_.size(); ++row) {
        const AVION &a = traffic.table[rows_[row]];
        const QStringList cells = FlightListCells(a, here);
        for (int column = 0; column < kFlightListColumns; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(row, column, item);
        }
        grid_->item(row, 0)->setBackground(ToQColor(colours[MarkColour(FlightListMark(a))].colour));
        if (rows_[row] == traffic.SelectedAircraft)
            grid_->item(row, kSelectedColumn)->setBackground(ToQColor(colours[kColSelected].colour));
    }
    layoutColumns();
}

void TForm7::layoutColumns()
{
    const double unit = grid_->width() / 68.0;
    for (int column = 0; column < kFlightListColumns; ++column)
        grid_->setColumnWidth(column, RoundHalfEven(unit * ColumnUnits(column)));
}

void TForm7::cellPressed(int row, int column)
{
    if (column != 1 || row < 0 || row >= rows_.size())
        return;
    const int index = rows_[row];
    TrafficState &traffic = state_.traffic;
    if (!traffic.table.inUse(index))
        return;
    traffic.SelectedAircraft = index;
    emit state_.notifier.aircraftPanelWanted(index);
    // The lists showing the selection repaint (this one among them), then the scope.
    emit state_.notifier.selectionChanged();
    emit state_.notifier.redrawWanted();
    // The simulator's own aircraft (object 0) has no AI data to ask for.
    const AVION &a = traffic.table[index];
    if (session_ && state_.sim.connected && a.objectId != 0) {
        try {
            RequestSimObjectData(*session_, SIM_REQ_AI_STATE, SIM_DEF_AI_STATE, SimObjectId(a.objectId));
        } catch (const SimCallError &) {
            // The polling step reports a simulator that stopped answering.
        }
    }
}

void TForm7::Button1Click()
{
    QList<int> printed = rows_;
    if (printed_->checkedId() == 1) {
        printed.clear();
        if (state_.traffic.table.inUse(state_.traffic.SelectedAircraft))
            printed.append(state_.traffic.SelectedAircraft);
    }
    const QString path = QDir(services_.programDir).filePath(kStripWorkbookName);
    const StripExportResult result = WriteStripWorkbook(state_.traffic.table, printed, path);
    if (!result.error.isEmpty()) {
        services_.prompts->showMessage(StripExportErrorText(result.error));
        return;
    }
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    if (!services_.shell || !services_.shell->open(QStringLiteral("xdg-open"), quoted))
        services_.prompts->showMessage(QStringLiteral("Impossible d'ouvrir ") + path);
}

bool TForm7::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (!IsScopeKey(key, ScopeKeySet::WithLayouts) && !IsScopeKey(key, ScopeKeySet::WithRoute))
            return false;
        if (event->type() == QEvent::KeyPress)
            emit scopeKey(key);
        else if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            emit scopeKeyUp(key);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm7::showEvent(QShowEvent *event)
{
    // Each showing starts at the remembered place with the first item of every group.
    setGeometry(state_.settings.windows.flightList);
    for (QButtonGroup *group : {filter_, sort_, printed_})
        group->button(0)->setChecked(true);
    QWidget::showEvent(event);
    refresh();
}

void TForm7::hideEvent(QHideEvent *event)
{
    state_.settings.windows.flightList = geometry();
    QWidget::hideEvent(event);
}

void TForm7::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutColumns();
}

} // namespace zaz
