#include "ui/TForm_unavion.h"

#include "core/Text.h"
#include "sim/SimAi.h"
#include "traffic/StripLine.h"
#include "traffic/StripStore.h"
#include "ui/ScopeKeys.h"
#include "ui/TForm_liststrip.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace zaz {

namespace {

constexpr int kRowHeight = 24;

// A status code in its colour; any other code in the default colour.
void ShowStatus(QLineEdit *edit, const QString &code, StripField field)
{
    edit->setText(code);
    QColor colour;
    if (code == QLatin1String("X"))
        colour = kStatusDone;
    else if (code == QLatin1String("R"))
        colour = kStatusRefused;
    else if (code == (field == StripField::Landing ? QLatin1String("G") : QLatin1String("A")))
        colour = kStatusWaiting;
    else if (code == QLatin1String("L") && field == StripField::Takeoff)
        colour = kStatusLinedUp;
    if (!colour.isValid()) {
        edit->setPalette(QPalette()); // back to the window's own colours
        return;
    }
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, colour);
    edit->setPalette(palette);
}

QString Minutes(int seconds)
{
    return QString::number(RoundHalfEven(seconds / 60.0)) + QLatin1Char('\'');
}

} // namespace

QString PanelLevelText(const QString &field, int transitionAltitude)
{
    if (field.trimmed().isEmpty())
        return {};
    int level = 0;
    if (TryStrToInt(field.trimmed(), level) && RoundHalfEven(transitionAltitude / 100.0) > level)
        return QString::number(level * 100) + QStringLiteral("qnh");
    return QStringLiteral("FL") + field;
}

TForm_unavion::TForm_unavion(RadarState &state, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      state_(state)
{
    setObjectName(QStringLiteral("Form_unavion"));
    setFixedSize(824, 96);

    route_ = new QTableWidget(1, 0, this);
    route_->setObjectName(QStringLiteral("StringGrid1"));
    route_->setGeometry(0, 0, 824, 30);
    route_->horizontalHeader()->hide();
    route_->verticalHeader()->hide();
    route_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    route_->setSelectionMode(QAbstractItemView::SingleSelection);
    route_->setFocusPolicy(Qt::NoFocus);
    route_->installEventFilter(this);
    installEventFilter(this);

    int y = 34;
    prov_ = field("Edit_prov", 0, y, 40);
    dest_ = field("Edit_dest", 42, y, 40);
    dav_ = field("Edit_dav", 84, y, 70);
    etap_ = field("Edit_etap", 156, y, 36);
    cl_ = field("Edit_CL", 194, y, 20);
    nivini_ = field("Edit_nivini", 216, y, 60);
    sid_ = field("Edit_SID", 278, y, 90);
    mr_ = field("Edit_MR", 370, y, 20);
    tx_ = field("Edit_TX", 392, y, 20);
    to_ = field("Edit_TO", 414, y, 20);
    point_ = field("Edit_point", 436, y, 60);
    cap_ = field("Edit_cap", 498, y, 56);
    niv_ = field("Edit_niv", 556, y, 60);
    vitesse_ = field("Edit_vitesse", 618, y, 50);
    enRoute_ = field("Edit_route", 670, y, 20);
    hld_ = field("Edit_hld", 692, y, 50);
    star_ = field("Edit_star", 744, y, 80);
    y += kRowHeight + 4;
    ils_ = field("Edit_ils", 0, y, 20);
    ldg_ = field("Edit_ldg", 22, y, 20);
    pkg_ = field("Edit_pkg", 44, y, 20);
    ho_ = field("Edit_ho", 66, y, 90);
    hocs_ = field("Edit_hocs", 158, y, 70);
    trafficState_ = field("Edit_trafficstate", 230, y, 150);
    runway_ = field("Edit_pisteasign", 382, y, 80);
    parking_ = field("Edit_parkasign", 464, y, 80);
    etd_ = field("Edit_ETD", 546, y, 60);
    eta_ = field("Edit_ETA", 608, y, 60);

    // Freezes or releases an aircraft created here; the caption changes only when the
    // simulator accepted.
    stop_ = new QPushButton(QStringLiteral("STOP"), this);
    stop_->setObjectName(QStringLiteral("Button_stop"));
    stop_->setGeometry(672, y, 70, kRowHeight);
    stop_->hide();
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (!session_ || !SimSessionOpen(*session_) || !state_.traffic.table.inUse(index_))
            return;
        const bool frozen = state_.traffic.table[index_].frozen;
        if (FreezeAircraft(*session_, state_.traffic, index_, frozen ? 0 : 1))
            stop_->setText(frozen ? QStringLiteral("STOP") : QStringLiteral("MOVE"));
    });
    stripButton_ = new QPushButton(QStringLiteral("strip"), this);
    stripButton_->setObjectName(QStringLiteral("Button_strip"));
    stripButton_->setGeometry(744, y, 80, kRowHeight);
    stripButton_->installEventFilter(this);
    connect(stripButton_, &QPushButton::clicked, this, [this] { emit stripEditorWanted(callsign_); });

    StateNotifier *notifier = &state_.notifier;
    for (auto signal : {&StateNotifier::stripsChanged, &StateNotifier::trafficChanged,
                        &StateNotifier::selectedRouteAdvanced})
        connect(notifier, signal, this, &TForm_unavion::modelChanged);
    connect(notifier, &StateNotifier::selectionChanged, this, [this] {
        if (state_.traffic.SelectedAircraft == kNoAircraft)
            hide();
    });
}

QLineEdit *TForm_unavion::field(const char *name, int x, int y, int width)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setGeometry(x, y, width, kRowHeight);
    return edit;
}

void TForm_unavion::showAircraft(int index, const QString &header)
{
    index_ = index;
    callsign_ = state_.traffic.table.inUse(index) ? state_.traffic.table[index].callsign : QString();
    header_ = header;
    refresh();
    show();
    raise();
}

void TForm_unavion::modelChanged()
{
    if (!isVisible())
        return;
    const TrafficState &traffic = state_.traffic;
    if (!traffic.table.inUse(index_) || traffic.table[index_].callsign != callsign_
        || StripPosition(traffic.strips, callsign_) < 0) {
        hide();
        return;
    }
    refresh();
}

void TForm_unavion::refresh()
{
    setWindowTitle(header_);
    if (!state_.traffic.table.inUse(index_))
        return;
    const AVION &a = state_.traffic.table[index_];

    route_->clear();
    route_->setColumnCount(int(a.routeFields.size()));
    for (int column = 0; column < a.routeFields.size(); ++column)
        route_->setItem(0, column, new QTableWidgetItem(a.routeFields[column]));
    if (a.nextPoint >= 0 && a.nextPoint < a.routeFields.size())
        route_->setCurrentCell(0, a.nextPoint);

    prov_->setText(a.departure);
    dest_->setText(a.destination);
    const int position = StripPosition(state_.traffic.strips, a.callsign);
    stripButton_->setEnabled(position >= 0);
    // Without a strip the strip fields keep what they showed.
    if (position >= 0)
        fillStrip(state_.traffic.strips.entries[position].line);

    stop_->setVisible(a.createdHere);
    stop_->setText(a.frozen ? QStringLiteral("MOVE") : QStringLiteral("STOP"));

    trafficState_->setText(a.aiState);
    runway_->setText(QStringLiteral("piste ") + a.aiRunway);
    parking_->setText(a.aiParking);
    etd_->setText(QStringLiteral("ETD:") + Minutes(a.aiEtd));
    eta_->setText(QStringLiteral("ETA:") + Minutes(a.aiEta));
}

void TForm_unavion::fillStrip(const QString &line)
{
    const auto text = [&line](StripField f) { return StripText(line, f); };
    const std::pair<QLineEdit *, StripField> statuses[] = {
        {cl_, StripField::Clearance}, {mr_, StripField::Startup},   {tx_, StripField::Taxi},
        {to_, StripField::Takeoff},   {enRoute_, StripField::EnRoute}, {ils_, StripField::Approach},
        {ldg_, StripField::Landing},  {pkg_, StripField::Parking},
    };
    for (const auto &[edit, f] : statuses)
        ShowStatus(edit, text(f), f);

    const SectorTables &tables = state_.sector.tables;
    sid_->setText(ProcedureName(tables.sids, text(StripField::Sid)));
    star_->setText(ProcedureName(tables.stars, text(StripField::Star)));

    const int transition = state_.weather.transitionAltitude;
    nivini_->setText(PanelLevelText(text(StripField::ClearedLevel), transition));
    niv_->setText(PanelLevelText(text(StripField::Level), transition));
    point_->setText(text(StripField::Point));
    cap_->setText(QStringLiteral("cap:") + text(StripField::Heading));
    const QString speed = text(StripField::Speed);
    vitesse_->setText(speed.trimmed().isEmpty() ? QString() : QStringLiteral("v:") + speed);
    const QString holding = text(StripField::Holding);
    hld_->setText(holding.trimmed().isEmpty() ? QString() : holding + QStringLiteral("min"));

    const QString kind = text(StripField::FlightKind);
    dav_->setText(kind == QLatin1String("D")   ? QStringLiteral("Départ")
                  : kind == QLatin1String("V") ? QStringLiteral("En route")
                  : kind == QLatin1String("A") ? QStringLiteral("Arrivée")
                                               : QString());
    etap_->setText(text(StripField::Position));

    const QString mark = text(StripField::HandoffMark);
    ho_->setText(mark == QLatin1String("D")   ? QStringLiteral("HO demandé")
                 : mark == QLatin1String("A") ? QStringLiteral("HO accepté")
                                              : QString());
    hocs_->setText(mark.trimmed().isEmpty() ? QString() : text(StripField::HandoffController));
}

bool TForm_unavion::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (IsScopeKey(key, ScopeKeySet::WithLayouts)) {
            emit scopeKey(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_unavion::showEvent(QShowEvent *event)
{
    if (place_)
        move(*place_);
    QWidget::showEvent(event);
}

void TForm_unavion::hideEvent(QHideEvent *event)
{
    place_ = pos();
    QWidget::hideEvent(event);
}

void TForm_unavion::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refresh();
}

} // namespace zaz
