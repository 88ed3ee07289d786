#include "ui/TForm_liststrip.h"

#include "core/ColorText.h"
#include "core/Text.h"
#include "traffic/StripLine.h"
#include "traffic/StripStore.h"
#include "ui/ScopeKeys.h"
#include "ui/TForm_unavion.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>

namespace zaz {

namespace {

// The strip field each text column shows; column 0 (colour), 1 (callsign) and 10 (SID or
// STAR name) are filled apart.
constexpr std::optional<StripField> kColumnFields[kStripBoardColumns] = {
    std::nullopt,           std::nullopt,         StripField::ControlStart, StripField::FlightKind,
    StripField::Position,   StripField::Clearance, StripField::ClearedLevel, StripField::Startup,
    StripField::Taxi,       StripField::Takeoff,   std::nullopt,             StripField::Point,
    StripField::Heading,    StripField::Level,     StripField::Speed,        StripField::EnRoute,
    StripField::Holding,    StripField::Approach,  StripField::Landing,      StripField::Parking,
    StripField::HandoffMark, StripField::HandoffController,
};

const char *const kHeaders[kStripBoardColumns] = {"",    "ID",  "H",   "",    "ETAP", "CL",  "NIV", "MR",
                                                  "TX",  "TO",  "SID/STAR", "POINT", "CAP", "NIV", "VIT",
                                                  "R",   "HLD", "ILS", "LDG", "PKG", "HO",  ""};

bool IsStatusColumn(int column)
{
    switch (column) {
    case 5: case 7: case 8: case 9: case 15: case 17: case 18: case 19:
        return true;
    default:
        return false;
    }
}

// The colour a status code gives its cell; none when the code has no colour there.
std::optional<QColor> StatusColour(int column, const QString &code)
{
    if (code == QLatin1String("X"))
        return kStatusDone;
    if (code == QLatin1String("R"))
        return kStatusRefused;
    if (code == QLatin1String("A") && column != 17 && column != 18)
        return kStatusWaiting;
    if (code == QLatin1String("G") && column == 18)
        return kStatusWaiting;
    if (code == QLatin1String("L") && column == 9)
        return kStatusLinedUp;
    return std::nullopt;
}

QString TimeText(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QStringLiteral("00:00");
}

} // namespace

QString AircraftPanelHeader(const AVION &a)
{
    return a.callsign + QStringLiteral("    ") + a.acType + (a.ifr ? QStringLiteral("   IFR") : QStringLiteral("   VFR"))
           + QStringLiteral("   transponder") + a.squawk + QStringLiteral("   ") + a.cruiseLevel
           + QStringLiteral("   v:") + QString::number(a.tas) + QStringLiteral("  dep:") + TimeText(a.etd)
           + QStringLiteral("  TV:") + TimeText(a.timeEnroute) + QStringLiteral("  fuel:") + TimeText(a.endurance);
}

QString ProcedureName(const QList<ROUTE> &procedures, const QString &field)
{
    int index = 0;
    if (field.trimmed().isEmpty() || !TryStrToInt(field.trimmed(), index) || index < 0
        || index >= procedures.size())
        return {};
    return procedures[index].name.trimmed();
}

TForm_liststrip::TForm_liststrip(RadarState &state, QWidget *parent) : QWidget(parent, Qt::Tool), state_(state)
{
    setObjectName(QStringLiteral("Form_liststrip"));
    setWindowTitle(QStringLiteral("liste STRIPS"));
    setGeometry(50, 230, 757, 100);

    grid_ = new QTableWidget(0, kStripBoardColumns, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList headers;
    for (const char *text : kHeaders)
        headers << QString::fromUtf8(text);
    grid_->setHorizontalHeaderLabels(headers);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);

    connect(grid_, &QTableWidget::cellPressed, this, &TForm_liststrip::cellPressed);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && row < state_.traffic.strips.entries.size())
            emit stripEditorWanted(state_.traffic.strips.entries[row].callsign);
    });
    StateNotifier *notifier = &state_.notifier;
    for (auto signal : {&StateNotifier::stripsChanged, &StateNotifier::trafficChanged,
                        &StateNotifier::selectionChanged})
        connect(notifier, signal, this, [this] {
            if (isVisible())
                refresh();
        });
    connect(notifier, &StateNotifier::aircraftPanelWanted, this, &TForm_liststrip::ShowAircraftPanel);
}

void TForm_liststrip::Strips1Click()
{
    applyFont();
    refresh();
    show();
    raise();
}

void TForm_liststrip::applyFont()
{
    const DisplaySettings &display = state_.settings.display;
    grid_->setFont(ListFont(display));
    const int height = RoundHalfEven(display.listFontSize * logicalDpiY() / 72.0) + 4;
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(height);
}

void TForm_liststrip::layoutColumns()
{
    const double unit = grid_->width() / 68.0;
    for (int column = 0; column < kStripBoardColumns; ++column) {
        double units = 2;
        if (column == 0)
            units = 1;
        else if (column == 1)
            units = 5;
        else if (column == kStripBoardSidColumn)
            units = 8;
        else if (column == 2 || (column >= 11 && column <= 14) || column == 21)
            units = 4;
        grid_->setColumnWidth(column, RoundHalfEven(unit * units));
    }
}

void TForm_liststrip::refresh()
{
    const QList<Strip> &strips = state_.traffic.strips.entries;
    grid_->setRowCount(int(strips.size()));
    for (int row = 0; row < strips.size(); ++row)
        fillRow(row, strips[row]);
    layoutColumns();
}

void TForm_liststrip::fillRow(int row, const Strip &strip)
{
    const auto cell = [this, row](int column) {
        QTableWidgetItem *item = grid_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            grid_->setItem(row, column, item);
        }
        item->setData(Qt::BackgroundRole, QVariant());
        return item;
    };
    const QString &line = strip.line;
    const int index = state_.traffic.table.FindAircraft(strip.callsign);

    QTableWidgetItem *mark = cell(0);
    int colour = kColTarget;
    if (index != kNoAircraft && index == state_.traffic.SelectedAircraft)
        colour = kColSelected;
    else if (index != kNoAircraft && state_.traffic.table[index].hasFlightPlan)
        colour = kColTargetStrip;
    mark->setBackground(ToQColor(state_.settings.display.colours[colour].colour));
    cell(1)->setText(strip.callsign);

    for (int column = 2; column < kStripBoardColumns; ++column) {
        if (!kColumnFields[column])
            continue;
        const QString text = StripText(line, *kColumnFields[column]);
        QTableWidgetItem *item = cell(column);
        if (!IsStatusColumn(column)) {
            item->setText(text);
            continue;
        }
        // A status shows as a block of its colour, never as a letter.
        item->setText(QString());
        if (const std::optional<QColor> c = StatusColour(column, text.trimmed()))
            item->setBackground(*c);
    }

    const QString kind = StripText(line, StripField::FlightKind);
    const QString sid = StripText(line, StripField::Sid);
    const QString star = StripText(line, StripField::Star);
    QTableWidgetItem *procedure = cell(kStripBoardSidColumn);
    procedure->setText(QString());
    if (!sid.trimmed().isEmpty() && kind == QLatin1String("D")) {
        grid_->horizontalHeaderItem(kStripBoardSidColumn)->setText(QStringLiteral("SID"));
        procedure->setText(ProcedureName(state_.sector.tables.sids, sid));
    } else if (sid.trimmed().isEmpty() && !star.trimmed().isEmpty()
               && (kind == QLatin1String("A") || kind == QLatin1String("V"))) {
        grid_->horizontalHeaderItem(kStripBoardSidColumn)->setText(QStringLiteral("STAR"));
        procedure->setText(ProcedureName(state_.sector.tables.stars, star));
    }
}

void TForm_liststrip::cellPressed(int row, int column)
{
    TrafficState &traffic = state_.traffic;
    if (column != 1 || row < 0 || row >= traffic.strips.entries.size())
        return;
    const int index = traffic.table.FindAircraft(traffic.strips.entries[row].callsign);
    if (index == kNoAircraft)
        return;
    traffic.SelectedAircraft = index;
    ShowAircraftPanel(index);
    // The lists showing the selection repaint (this board among them), then the scope.
    emit state_.notifier.selectionChanged();
    emit state_.notifier.redrawWanted();
}

void TForm_liststrip::ShowAircraftPanel(int index)
{
    if (!panel_)
        return;
    const TrafficState &traffic = state_.traffic;
    if (index == kNoAircraft || !traffic.table.inUse(index)
        || StripPosition(traffic.strips, traffic.table[index].callsign) < 0) {
        panel_->hide();
        return;
    }
    panel_->showAircraft(index, AircraftPanelHeader(traffic.table[index]));
}

bool TForm_liststrip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!IsScopeKey(key->key(), ScopeKeySet::WithRoute))
            return false;
        if (event->type() == QEvent::KeyPress)
            emit scopeKey(key->key());
        else if (!key->isAutoRepeat())
            emit scopeKeyUp(key->key());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_liststrip::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    layoutColumns();
}

void TForm_liststrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutColumns();
}

} // namespace zaz
